// SPDX-License-Identifier: MIT
#include "settings/PageHeading.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

namespace {

constexpr int IconSize = 32;
constexpr int Padding = 8;

} // namespace

PageHeading::PageHeading(QWidget *parent)
    : QWidget(parent)
    , m_tint(palette().color(QPalette::Highlight))
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void PageHeading::setHeading(const QString &iconPath, const QString &title, const QColor &tint)
{
    m_iconPath = iconPath;
    m_title = title;
    m_tint = tint;
    setAccessibleName(title);
    updateGeometry();
    update();
}

QFont PageHeading::titleFont() const
{
    QFont f = font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.35);
    return f;
}

QSize PageHeading::sizeHint() const
{
    const QFontMetrics metrics(titleFont());
    const int height = std::max(IconSize, metrics.height()) + 2 * Padding;
    return {IconSize + 3 * Padding + metrics.horizontalAdvance(m_title) + 40, height};
}

QSize PageHeading::minimumSizeHint() const
{
    return sizeHint();
}

void PageHeading::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF band = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath shape;
    shape.addRoundedRect(band, 4, 4);

    const QColor base = palette().color(QPalette::Base);
    QLinearGradient fill(band.topLeft(), band.topRight());
    QColor strong = m_tint;
    strong.setAlpha(70);
    QColor faint = m_tint;
    faint.setAlpha(8);
    fill.setColorAt(0, strong);
    fill.setColorAt(0.7, faint);
    fill.setColorAt(1, faint);
    painter.fillPath(shape, base);
    painter.fillPath(shape, fill);
    QColor edge = m_tint;
    edge.setAlpha(110);
    painter.setPen(QPen(edge, 1));
    painter.drawPath(shape);

    const QRectF iconRect(Padding + 2, (height() - IconSize) / 2.0, IconSize, IconSize);
    QSvgRenderer icon(m_iconPath);
    if (icon.isValid())
        icon.render(&painter, iconRect);

    painter.setFont(titleFont());
    painter.setPen(palette().color(QPalette::WindowText));
    const QRectF textRect(iconRect.right() + Padding * 1.5, 0, width() - iconRect.right() - 2 * Padding, height());
    painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft, m_title);
}
