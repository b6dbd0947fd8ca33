// SPDX-License-Identifier: MIT
#include "shell/LunarMonthCalendar.h"

#include "calendar/LunarCalendar.h"
#include "model/DateTime.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

LunarMonthCalendar::LunarMonthCalendar(QWidget *parent)
    : QCalendarWidget(parent)
{
}

QFont LunarMonthCalendar::labelFont() const
{
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.75);
    return small;
}

QSize LunarMonthCalendar::minimumSizeHint() const
{
    // Six weeks of rows, each with room for the lunar line under the day.
    QSize size = QCalendarWidget::minimumSizeHint();
    size.rheight() += 6 * QFontMetrics(labelFont()).height();
    size.setWidth(std::max(size.width(), 7 * QFontMetrics(labelFont()).horizontalAdvance(QStringLiteral("腊八节")) + 16));
    return size;
}

void LunarMonthCalendar::paintCell(QPainter *painter, const QRect &rect, QDate date) const
{
    const QString label = LunarCalendar::DayLabel(DateTime::FromParts(date.year(), date.month(), date.day()));
    if (label.isEmpty()) {
        QCalendarWidget::paintCell(painter, rect, date);
        return;
    }
    const int labelHeight = std::min(QFontMetrics(labelFont()).height(), rect.height() / 2);
    const QRect dayRect = rect.adjusted(0, 0, 0, -labelHeight);
    const QRect labelRect(rect.left(), dayRect.bottom() + 1, rect.width(), labelHeight);

    painter->save();
    painter->setClipRect(dayRect);
    QCalendarWidget::paintCell(painter, dayRect, date);
    // The cell's own background under the label: the same painting into a
    // rectangle so tall that its day number falls outside the clip.
    painter->setClipRect(labelRect);
    QCalendarWidget::paintCell(painter, QRect(labelRect.topLeft(), QSize(rect.width(), 8 * rect.height())), date);
    painter->restore();

    painter->save();
    painter->setFont(labelFont());
    painter->setPen(date == selectedDate() ? palette().color(QPalette::HighlightedText) : QColor(0x80, 0x80, 0x80));
    painter->drawText(labelRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, label);
    painter->restore();
}
