// SPDX-License-Identifier: MIT
#include "platform/linux/XcbWindowBlitter.h"

#include <QGuiApplication>
#include <QImage>
#include <QRect>
#include <QSysInfo>
#include <QWindow>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

// Replies of libxcb are malloc'ed and freed by the caller.
template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPtr<Reply> own(Reply *reply)
{
    return ReplyPtr<Reply>(reply, &std::free);
}

const xcb_visualtype_t *findVisual(const xcb_setup_t *setup, xcb_visualid_t id)
{
    for (auto screen = xcb_setup_roots_iterator(setup); screen.rem; xcb_screen_next(&screen)) {
        for (auto depth = xcb_screen_allowed_depths_iterator(screen.data); depth.rem; xcb_depth_next(&depth)) {
            for (auto visual = xcb_depth_visuals_iterator(depth.data); visual.rem; xcb_visualtype_next(&visual)) {
                if (visual.data->visual_id == id)
                    return visual.data;
            }
        }
    }
    return nullptr;
}

// Pixmaps of this depth hold 32 bits a pixel, rows padded to 32 bits.
bool hasWholeWordPixels(const xcb_setup_t *setup, uint8_t depth)
{
    for (auto format = xcb_setup_pixmap_formats_iterator(setup); format.rem; xcb_format_next(&format)) {
        if (format.data->depth == depth)
            return format.data->bits_per_pixel == 32 && format.data->scanline_pad == 32;
    }
    return false;
}

} // namespace

XcbWindowBlitter::XcbWindowBlitter()
{
    if (auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr)
        m_connection = x11->connection();
}

XcbWindowBlitter::~XcbWindowBlitter()
{
    release();
}

bool XcbWindowBlitter::Prepare(QWindow &window, const QImage &image)
{
    release();
    if (!m_connection || image.isNull() || !window.handle())
        return false;
    const auto id = xcb_window_t(window.winId());
    uint8_t depth = 0;
    if (!takesOurPixels(id, depth) || !upload(image, id, depth)) {
        release();
        return false;
    }
    return true;
}

bool XcbWindowBlitter::takesOurPixels(xcb_window_t window, uint8_t &depth) const
{
    const xcb_setup_t *setup = xcb_get_setup(m_connection);
    if (QSysInfo::ByteOrder != QSysInfo::LittleEndian || setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST)
        return false;
    const auto geometry = own(xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, window), nullptr));
    const auto attributes = own(
        xcb_get_window_attributes_reply(m_connection, xcb_get_window_attributes(m_connection, window), nullptr));
    if (!geometry || !attributes)
        return false;
    depth = geometry->depth;
    const xcb_visualtype_t *visual = findVisual(setup, attributes->visual);
    return (depth == 24 || depth == 32) && hasWholeWordPixels(setup, depth) && visual &&
        visual->red_mask == 0xFF0000u && visual->green_mask == 0x00FF00u && visual->blue_mask == 0x0000FFu;
}

bool XcbWindowBlitter::upload(const QImage &image, xcb_window_t window, uint8_t depth)
{
    // Opaque premultiplied ARGB is the window's own pixel layout, in both
    // depths (a 24-bit window ignores the top byte).
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // The protocol counts pixmap sides in 16 bits.
    if (pixels.width() > UINT16_MAX || pixels.height() > UINT16_MAX)
        return false;
    m_pixmap = xcb_generate_id(m_connection);
    const xcb_void_cookie_t created = xcb_create_pixmap_checked(m_connection, depth, m_pixmap, window,
                                                                uint16_t(pixels.width()), uint16_t(pixels.height()));
    if (xcb_generic_error_t *error = xcb_request_check(m_connection, created)) {
        std::free(error);
        m_pixmap = 0;
        return false;
    }
    // Without exposure events a copy sends nothing back: no thread of the
    // program wakes for it.
    const uint32_t noExposures = 0;
    m_gc = xcb_generate_id(m_connection);
    xcb_create_gc(m_connection, m_gc, m_pixmap, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
    // In rows that fit one request.
    const auto stride = uint32_t(pixels.bytesPerLine());
    const uint32_t header = sizeof(xcb_put_image_request_t);
    const uint32_t maxBytes = xcb_get_maximum_request_length(m_connection) * 4u;
    const int rowsPerRequest = int((maxBytes - header) / stride);
    if (rowsPerRequest < 1)
        return false;
    for (int y = 0; y < pixels.height(); y += rowsPerRequest) {
        const int rows = std::min(rowsPerRequest, pixels.height() - y);
        xcb_put_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, m_pixmap, m_gc, uint16_t(pixels.width()),
                      uint16_t(rows), 0, int16_t(y), 0, depth, uint32_t(rows) * stride, pixels.constScanLine(y));
    }
    m_window = window;
    return true;
}

void XcbWindowBlitter::Copy(const QRect &source, const QPoint &target)
{
    if (!m_pixmap)
        return;
    xcb_copy_area(m_connection, m_pixmap, m_window, m_gc, int16_t(source.x()), int16_t(source.y()),
                  int16_t(target.x()), int16_t(target.y()), uint16_t(source.width()), uint16_t(source.height()));
}

void XcbWindowBlitter::Flush()
{
    if (m_pixmap)
        xcb_flush(m_connection);
}

void XcbWindowBlitter::release()
{
    if (m_gc)
        xcb_free_gc(m_connection, m_gc);
    if (m_pixmap)
        xcb_free_pixmap(m_connection, m_pixmap);
    m_gc = 0;
    m_pixmap = 0;
    m_window = 0;
}
