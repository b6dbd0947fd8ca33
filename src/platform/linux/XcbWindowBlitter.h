// SPDX-License-Identifier: MIT
#pragma once
#include "platform/WindowBlitter.h"

#include <xcb/xcb.h>

// Keeps the image in a pixmap on the X server and copies from it with
// CopyArea: a few dozen bytes on the X socket per copy, no reply, no event
// back (graphics exposures are off). Only for windows whose pixels are 32-bit
// little-endian RGB (depth 24, or 32 with alpha), which is what Qt gives a
// window on any usual X server; other windows are refused.
class XcbWindowBlitter : public WindowBlitter
{
public:
    // On the X connection Qt opened; off X11 every window is refused. Must
    // not outlive the application object, which owns that connection.
    XcbWindowBlitter();
    ~XcbWindowBlitter() override;
    XcbWindowBlitter(const XcbWindowBlitter &) = delete;
    XcbWindowBlitter &operator=(const XcbWindowBlitter &) = delete;

    bool Prepare(QWindow &window, const QImage &image) override;
    void Copy(const QRect &source, const QPoint &target) override;
    void Flush() override;

private:
    bool takesOurPixels(xcb_window_t window, uint8_t &depth) const;
    bool upload(const QImage &image, xcb_window_t window, uint8_t depth);
    void release();

    xcb_connection_t *m_connection = nullptr;
    xcb_window_t m_window = 0;
    xcb_pixmap_t m_pixmap = 0;
    xcb_gcontext_t m_gc = 0;
};
