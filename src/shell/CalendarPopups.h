// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Services.h"
#include "shell/CalendarPopup.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

class AppData;
class QWidget;

// Keeps the one calendar popup: opened from the menu (centred on the
// screen) or because the mouse rests on the clock (beside the clock, and
// closed again once the mouse has left both). Asking again while one is
// open brings that one forward.
class CalendarPopups : public QObject
{
    Q_OBJECT

public:
    // How long the mouse may be off both windows on its way between them.
    static constexpr int LeaveGraceMs = 300;

    CalendarPopups(AppData &data, const Services &services, QObject *parent = nullptr);
    ~CalendarPopups() override;

    // The menu's "显示日历(&C)" and the double-click actions.
    void ShowCentred();
    // The mouse rests on the clock.
    void ShowBeside(QWidget &clock);
    // The mouse left the clock.
    void ClockLeft();

    CalendarPopup *Current() const { return m_popup; }

    // Where a popup of `size` stands beside a clock at `clock`: bottom
    // edges in line, to the left when it fits there, else to the right;
    // kept inside `screen`.
    static QPoint PlaceBeside(const QRect &clock, const QSize &size, const QRect &screen);

private:
    CalendarPopup *create();
    void closeIfMouseGone();

    AppData &m_data;
    Services m_services;
    QPointer<CalendarPopup> m_popup;
    QPointer<QWidget> m_clock;
    QTimer m_leaveTimer;
};
