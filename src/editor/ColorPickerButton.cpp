// SPDX-License-Identifier: MIT
#include "editor/ColorPickerButton.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

ColorPickerButton::ColorPickerButton(QWidget *parent)
    : QToolButton(parent)
{
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    connect(this, &QToolButton::clicked, this, &ColorPickerButton::choose);
    showSwatch();
}

void ColorPickerButton::setColor(const QColor &color)
{
    m_color = color;
    showSwatch();
}

void ColorPickerButton::pick(const QColor &color)
{
    setColor(color);
    Q_EMIT colorChosen(color);
}

void ColorPickerButton::choose()
{
    const QColor color = QColorDialog::getColor(m_color, this);
    if (color.isValid())
        pick(color);
}

void ColorPickerButton::showSwatch()
{
    const int side = iconSize().height();
    const qreal dpr = devicePixelRatioF();
    QPixmap swatch(int(side * dpr), int(side * dpr));
    swatch.setDevicePixelRatio(dpr);
    swatch.fill(Qt::transparent);
    QPainter painter(&swatch);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setBrush(m_color);
    painter.drawRect(QRectF(0.5, 0.5, side - 1.0, side - 1.0));
    painter.end();
    setIcon(QIcon(swatch));
}
