// SPDX-License-Identifier: MIT
#pragma once

#include <QCalendarWidget>

// A month view that writes under each day, small and grey, its lunar day,
// or the traditional festival that falls on it.
class LunarMonthCalendar final : public QCalendarWidget
{
    Q_OBJECT

public:
    explicit LunarMonthCalendar(QWidget *parent = nullptr);

    QSize minimumSizeHint() const override;

protected:
    void paintCell(QPainter *painter, const QRect &rect, QDate date) const override;

private:
    QFont labelFont() const;
};
