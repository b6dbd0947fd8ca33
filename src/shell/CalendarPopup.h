// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Services.h"
#include "schedule/UpcomingList.h"

#include <QDialog>
#include <memory>

namespace Ui {
class CalendarPopup;
}

class AppData;
class QListWidgetItem;

// "日历": a month calendar and, under "即将提醒:", the timed reminders still
// ahead, earliest first, as they stood when the window opened. A double
// click on a reminder opens it in the editor. The window is pale yellow and
// can be dragged by any free spot; it deletes itself when closed.
class CalendarPopup final : public QDialog
{
    Q_OBJECT

public:
    // The window's background, 0xE7FFFF as the program stores colours.
    static inline const QColor PaleYellow = QColor(0xFF, 0xFF, 0xE7);

    CalendarPopup(AppData &data, const Services &services, QWidget *parent = nullptr);
    ~CalendarPopup() override;

    // Opened because the mouse rests on the clock: it closes when the mouse
    // has left both. Opening a reminder from it, moving it or asking for it
    // from the menu keeps it open.
    bool ShownByHover() const { return m_shownByHover; }
    void SetShownByHover(bool byHover) { m_shownByHover = byHover; }

    const QList<UpcomingLine> &Lines() const { return m_lines; }

Q_SIGNALS:
    void MouseLeft();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void fillList();
    void openTask(QListWidgetItem *item);

    std::unique_ptr<Ui::CalendarPopup> m_ui;
    AppData &m_data;
    Services m_services;
    QList<UpcomingLine> m_lines;
    bool m_shownByHover = false;
    bool m_dragging = false;
    QPoint m_dragOffset;
};
