// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

// A window rectangle in screen coordinates as the data files keep it: the
// right and bottom edges are coordinates, not sizes.
struct ScreenRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    // In 64 bits: the edges come from the data files and may be anything.
    qint64 Width() const { return qint64(right) - left; }
    qint64 Height() const { return qint64(bottom) - top; }
    friend bool operator==(const ScreenRect &, const ScreenRect &) = default;
};

// A stored position that lies off the desktop is brought back: a left edge
// that is negative or beyond the desktop's right edge becomes 400, a top edge
// negative or beyond its bottom edge becomes 600.
inline ScreenRect KeepOnDesktop(ScreenRect rect, const ScreenRect &desktop)
{
    if (rect.left < 0 || rect.left > desktop.right)
        rect.left = 400;
    if (rect.top < 0 || rect.top > desktop.bottom)
        rect.top = 600;
    return rect;
}
