// SPDX-License-Identifier: MIT
#include "WindowShake.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <xcb/xcb.h>

namespace tktime32 {

namespace {

constexpr Point ShakeSteps[] = {{0, 5}, {5, 0}, {0, -5}, {-5, 0}};
constexpr int ShakeRounds = 5;
constexpr auto StepPause = std::chrono::milliseconds(20);

// Window managers nest a frame a few levels deep at most; the bound only
// guards against a tree that changes under our feet.
constexpr int MaxAncestors = 16;

// WM_SIZE_HINTS: 18 CARD32s, flags first and win_gravity last.
constexpr uint32_t SizeHintsWinGravity = 1u << 9;
constexpr uint32_t SizeHintsLength = 18;

// xcb hands out replies and errors on the heap, to be freed with free().
struct FreeDeleter
{
    void operator()(void *p) const { std::free(p); }
};
template<typename T> using Reply = std::unique_ptr<T, FreeDeleter>;

// A reply, or nothing when the request failed. A failed request's error is
// dropped here, so nothing is reported to the event queue or printed.
template<typename T> Reply<T> take(T *reply, xcb_generic_error_t *error)
{
    std::free(error);
    return Reply<T>(reply);
}

Reply<xcb_get_geometry_reply_t> geometry(xcb_connection_t *c, xcb_window_t window)
{
    xcb_generic_error_t *error = nullptr;
    auto *reply = xcb_get_geometry_reply(c, xcb_get_geometry(c, window), &error);
    return take(reply, error);
}

Reply<xcb_query_tree_reply_t> tree(xcb_connection_t *c, xcb_window_t window)
{
    xcb_generic_error_t *error = nullptr;
    auto *reply = xcb_query_tree_reply(c, xcb_query_tree(c, window), &error);
    return take(reply, error);
}

// Whether a window manager has taken the window on: it then carries WM_STATE.
bool isManaged(xcb_connection_t *c, xcb_window_t window)
{
    static constexpr char Name[] = "WM_STATE";
    xcb_generic_error_t *error = nullptr;
    const auto atom = take(xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, sizeof Name - 1, Name), &error), error);
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return false;
    const auto state = take(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, atom->atom, XCB_GET_PROPERTY_TYPE_ANY, 0, 2), &error),
        error);
    return state && state->type != XCB_ATOM_NONE;
}

uint32_t winGravity(xcb_connection_t *c, xcb_window_t window)
{
    xcb_generic_error_t *error = nullptr;
    const auto hints = take(xcb_get_property_reply(c,
                                                   xcb_get_property(c, 0, window, XCB_ATOM_WM_NORMAL_HINTS,
                                                                    XCB_ATOM_WM_SIZE_HINTS, 0, SizeHintsLength),
                                                   &error),
                            error);
    if (!hints || hints->format != 32 || uint32_t(xcb_get_property_value_length(hints.get())) < SizeHintsLength * 4)
        return XCB_GRAVITY_NORTH_WEST;
    uint32_t values[SizeHintsLength];
    std::memcpy(values, xcb_get_property_value(hints.get()), sizeof values);
    return (values[0] & SizeHintsWinGravity) ? values[SizeHintsLength - 1] : uint32_t(XCB_GRAVITY_NORTH_WEST);
}

// How far along an edge the gravity's reference point sits: 0, 1/2 or 1 of it.
struct Fraction
{
    int numerator;
    int denominator;
};

Fraction horizontalShare(uint32_t gravity)
{
    switch (gravity) {
    case XCB_GRAVITY_NORTH:
    case XCB_GRAVITY_CENTER:
    case XCB_GRAVITY_SOUTH:
        return {1, 2};
    case XCB_GRAVITY_NORTH_EAST:
    case XCB_GRAVITY_EAST:
    case XCB_GRAVITY_SOUTH_EAST:
        return {1, 1};
    default:
        return {0, 1};
    }
}

Fraction verticalShare(uint32_t gravity)
{
    switch (gravity) {
    case XCB_GRAVITY_WEST:
    case XCB_GRAVITY_CENTER:
    case XCB_GRAVITY_EAST:
        return {1, 2};
    case XCB_GRAVITY_SOUTH_WEST:
    case XCB_GRAVITY_SOUTH:
    case XCB_GRAVITY_SOUTH_EAST:
        return {1, 1};
    default:
        return {0, 1};
    }
}

} // namespace

Point requestedPositionKeepingFrame(const Rect &frame, const Rect &window, uint32_t gravity)
{
    // Static gravity keeps the window's inside corner where it is, and a
    // request names the outside corner: the window's own.
    if (gravity == XCB_GRAVITY_STATIC)
        return {window.x, window.y};
    // Otherwise the frame's reference point lands where the window's own would
    // be: frame.x + share * frame.width == request.x + share * window.width.
    const Fraction h = horizontalShare(gravity);
    const Fraction v = verticalShare(gravity);
    return {frame.x + h.numerator * (frame.width - window.width) / h.denominator,
            frame.y + v.numerator * (frame.height - window.height) / v.denominator};
}

WindowShake::WindowShake(unsigned long window)
{
    // X resource ids are 29 bits wide; anything larger is no window.
    if (window == 0 || window > 0x1FFFFFFFul)
        return;
    m_window = uint32_t(window);
    m_connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(m_connection)) {
        xcb_disconnect(m_connection);
        m_connection = nullptr;
        return;
    }
    m_base = readPosition();
}

WindowShake::~WindowShake()
{
    if (m_connection)
        xcb_disconnect(m_connection);
}

// Where the window is, in the coordinates a move request for it is read in.
std::optional<Point> WindowShake::readPosition()
{
    xcb_connection_t *c = m_connection;
    const xcb_window_t window = m_window;
    const auto geometryCookie = xcb_get_geometry(c, window);
    const auto treeCookie = xcb_query_tree(c, window);
    xcb_generic_error_t *error = nullptr;
    const auto own = take(xcb_get_geometry_reply(c, geometryCookie, &error), error);
    const auto links = take(xcb_query_tree_reply(c, treeCookie, &error), error);
    if (!own || !links || links->parent == XCB_NONE) // gone, or a root window
        return std::nullopt;

    // A window on the root, or a child window that no window manager looks
    // after, is moved in its parent's coordinates: the ones it reports.
    if (links->parent == links->root || !isManaged(c, window))
        return Point {own->x, own->y};

    // A window manager has put the window in a frame and reads move requests
    // in root coordinates against that frame.
    xcb_window_t frame = links->parent;
    for (int level = 0; level < MaxAncestors; ++level) {
        const auto up = tree(c, frame);
        if (!up)
            return std::nullopt;
        if (up->parent == up->root)
            break;
        frame = up->parent;
    }
    const auto frameGeometry = geometry(c, frame);
    const auto inside = take(
        xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, window, links->root, 0, 0), &error), error);
    if (!frameGeometry || !inside)
        return std::nullopt;
    const int border = own->border_width;
    const Rect frameRect {frameGeometry->x, frameGeometry->y, frameGeometry->width + 2 * frameGeometry->border_width,
                          frameGeometry->height + 2 * frameGeometry->border_width};
    const Rect windowRect {inside->dst_x - border, inside->dst_y - border, own->width + 2 * border,
                           own->height + 2 * border};
    return requestedPositionKeepingFrame(frameRect, windowRect, winGravity(c, window));
}

void WindowShake::moveTo(Point position)
{
    const uint32_t values[] = {uint32_t(position.x), uint32_t(position.y)};
    // Unchecked: a window that vanished mid-shake only makes an error event
    // nobody reads.
    xcb_configure_window(m_connection, m_window, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, values);
    xcb_flush(m_connection);
}

void WindowShake::run()
{
    if (!m_base)
        return;
    for (int round = 0; round < ShakeRounds; ++round) {
        for (const Point &step : ShakeSteps) {
            moveTo({m_base->x + step.x, m_base->y + step.y});
            std::this_thread::sleep_for(StepPause);
        }
    }
    // A round trip: the server has carried out every move before we return.
    std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
}

} // namespace tktime32
