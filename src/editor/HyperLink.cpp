// SPDX-License-Identifier: MIT
#include "editor/HyperLink.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

HyperLink::HyperLink(QWidget *parent)
    : QLabel(parent)
{
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setTextFormat(Qt::PlainText);
    // Room for the focus frame around the text.
    setMargin(2);
    applyColour();
}

void HyperLink::setAddress(const QString &address)
{
    m_address = address;
    setToolTip(address);
}

void HyperLink::enterEvent(QEnterEvent *event)
{
    m_hovered = true;
    applyColour();
    QLabel::enterEvent(event);
}

void HyperLink::leaveEvent(QEvent *event)
{
    m_hovered = false;
    applyColour();
    QLabel::leaveEvent(event);
}

void HyperLink::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        open();
}

void HyperLink::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space)
        open();
    else
        QLabel::keyPressEvent(event);
}

void HyperLink::focusInEvent(QFocusEvent *event)
{
    QLabel::focusInEvent(event);
    update();
}

void HyperLink::focusOutEvent(QFocusEvent *event)
{
    QLabel::focusOutEvent(event);
    update();
}

void HyperLink::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect();
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

void HyperLink::open()
{
    m_visited = true;
    applyColour();
    Q_EMIT opened(m_address);
}

void HyperLink::applyColour()
{
    QPalette colours = palette();
    const QColor colour = m_hovered ? HoverColor : m_visited ? VisitedColor : NormalColor;
    colours.setColor(QPalette::WindowText, colour);
    setPalette(colours);
}
