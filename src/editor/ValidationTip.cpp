// SPDX-License-Identifier: MIT
#include "editor/ValidationTip.h"

#include <QEvent>
#include <QFontMetrics>
#include <QTimer>
#include <QToolTip>

namespace {

// Wider messages wrap rather than run off a small screen.
constexpr int WidestText = 420;

} // namespace

ValidationTip::ValidationTip(QWidget *owner)
    : QLabel(owner, Qt::ToolTip | Qt::FramelessWindowHint)
    , m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("validationTip"));
    setPalette(QToolTip::palette());
    setFont(QToolTip::font());
    setAutoFillBackground(true);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setMargin(Margin);
    setWordWrap(true);
    m_timer->setSingleShot(true);
    m_timer->setInterval(DisplayMs);
    connect(m_timer, &QTimer::timeout, this, &QWidget::hide);
    if (owner)
        owner->window()->installEventFilter(this);
}

void ValidationTip::showUnder(QWidget *control, const QString &text)
{
    hide();
    m_control = control;
    setText(text);
    fitText();
    move(control->mapToGlobal(QPoint(0, control->height() + Gap)));
    show();
    m_timer->start();
    control->setFocus(Qt::OtherFocusReason);
}

void ValidationTip::fitText()
{
    const int frame = 2 * (frameWidth() + Margin);
    const int textWidth = QFontMetrics(font()).horizontalAdvance(text()) + 1;
    const int width = qMin(textWidth, WidestText) + frame;
    resize(width, heightForWidth(width));
}

bool ValidationTip::eventFilter(QObject *watched, QEvent *event)
{
    // A tip must not outlive the dialog it explains, nor float away from it.
    if (event->type() == QEvent::Hide || event->type() == QEvent::Move) {
        m_timer->stop();
        hide();
    }
    return QLabel::eventFilter(watched, event);
}
