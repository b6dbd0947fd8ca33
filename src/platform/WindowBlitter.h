// SPDX-License-Identifier: MIT
#pragma once

class QImage;
class QPoint;
class QRect;
class QWindow;

// Copies an image kept on the display server straight onto a window, with no
// repaint through Qt: for a small part of a window that changes all the time
// the program runs (the clock's digits), where a repaint every second would
// cost several times the rest of the second's work.
class WindowBlitter
{
public:
    virtual ~WindowBlitter() = default;

    // Keeps image (device pixels, opaque) on the server for copies onto
    // window, in place of any image kept before. False when that window
    // cannot take such copies; nothing is kept then.
    virtual bool Prepare(QWindow &window, const QImage &image) = 0;

    // Copies source, a part of the kept image, to target in the window
    // (device pixels). Copies land in the order given, once sent by Flush.
    virtual void Copy(const QRect &source, const QPoint &target) = 0;
    virtual void Flush() = 0;
};
