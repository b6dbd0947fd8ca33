// SPDX-License-Identifier: MIT
#include "shell/DigitBlit.h"

#include "platform/WindowBlitter.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>
#include <cmath>

DigitBlit::DigitBlit(QWidget &window, WindowBlitter *blitter)
    : m_window(window)
    , m_blitter(blitter)
{
}

bool DigitBlit::Show(const QImage &strip, QPoint digitOrigin, const ClockGlyphs &glyphs)
{
    QWindow *handle = m_window.windowHandle();
    if (!m_blitter || !handle || !m_window.isVisible() || !prepare(strip))
        return false;
    watch(handle);
    const auto scale = int(m_scale);
    for (const DigitPiece &piece : DigitPieces(glyphs)) {
        const QRect &source = piece.source;
        m_blitter->Copy(QRect(source.topLeft() * scale, source.size() * scale), (digitOrigin + piece.offset) * scale);
    }
    m_blitter->Flush();
    m_digitOrigin = digitOrigin;
    m_backingStoreBehind = true;
    return true;
}

bool DigitBlit::prepare(const QImage &strip)
{
    QWindow *handle = m_window.windowHandle();
    const qreal scale = handle->devicePixelRatio();
    if (strip.cacheKey() == m_stripKey && handle->winId() == m_preparedFor && scale == m_scale)
        return m_prepared;
    m_stripKey = strip.cacheKey();
    m_preparedFor = handle->winId();
    m_scale = scale;
    m_prepared = false;
    // Copies are whole device pixels; at a fractional scale only Qt's own
    // painting places the digits exactly.
    if (strip.isNull() || scale != std::round(scale))
        return false;
    // The strip as Qt paints it at this scale.
    QImage scaled(strip.size() * scale, QImage::Format_ARGB32_Premultiplied);
    scaled.setDevicePixelRatio(scale);
    {
        QPainter painter(&scaled);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, strip);
    }
    scaled.setDevicePixelRatio(1);
    m_prepared = m_blitter->Prepare(*handle, scaled);
    return m_prepared;
}

void DigitBlit::watch(QWindow *window)
{
    if (m_watched == window)
        return;
    if (m_watched)
        m_watched->removeEventFilter(this);
    m_watched = window;
    window->installEventFilter(this);
}

bool DigitBlit::eventFilter(QObject *watched, QEvent *event)
{
    // Qt answers an expose from its backing store: bring the digits there
    // up to date first.
    if (watched == m_watched && event->type() == QEvent::Expose && m_backingStoreBehind) {
        m_backingStoreBehind = false;
        m_window.repaint(digitAreaRect(m_digitOrigin));
    }
    return QObject::eventFilter(watched, event);
}
