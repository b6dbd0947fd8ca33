// SPDX-License-Identifier: MIT
#pragma once
#include "shell/SkinImage.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QWindow>

class QWidget;
class WindowBlitter;

// Shows the clock's digits by copying pieces of the digit strip, kept on the
// display server, straight onto the window: a few bytes to the X server each
// second where a repaint through Qt costs more than all the rest of the tick.
// The window's backing store then lags behind the screen, so before Qt shows
// it again (an expose) the digit area is repainted from the current glyphs.
class DigitBlit : public QObject
{
public:
    // blitter may be null: then Show always declines.
    DigitBlit(QWidget &window, WindowBlitter *blitter);

    // Puts glyphs on the window's screen. False when it cannot be done this
    // way (no blitter, the window hidden, a fractional scale, a window that
    // does not take copies): the caller repaints the digit area instead.
    bool Show(const QImage &strip, QPoint digitOrigin, const ClockGlyphs &glyphs);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool prepare(const QImage &strip);
    void watch(QWindow *window);

    QWidget &m_window;
    WindowBlitter *m_blitter;
    // What the image on the server was made from; a change of any makes it again.
    qint64 m_stripKey = 0;
    WId m_preparedFor = 0;
    qreal m_scale = 0;
    bool m_prepared = false;
    QPointer<QWindow> m_watched;
    QPoint m_digitOrigin;
    bool m_backingStoreBehind = false;
};
