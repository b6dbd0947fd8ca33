// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>

struct xcb_connection_t;

namespace tktime32 {

struct Point
{
    int x = 0;
    int y = 0;
    friend bool operator==(const Point &, const Point &) = default;
};

struct Rect
{
    int x = 0;
    int y = 0;
    int width = 0; // outer size, borders included
    int height = 0;
};

// The position to ask for when moving a window that a window manager has put
// in a frame, such that the frame stays where it is. A window manager reads
// such a request in root coordinates and places the frame by the window's
// gravity (ICCCM 4.1.2.3): the frame's reference point goes where the window's
// would be without a frame (static gravity: where its inside corner is). `frame`
// is the frame's outer rectangle on the screen, `window` the managed window's
// outer rectangle (border included) on the screen.
Point requestedPositionKeepingFrame(const Rect &frame, const Rect &window, uint32_t gravity);

// Shakes one window on the X display named by DISPLAY, through a connection of
// its own. Construction reads where the window is; run() moves it.
class WindowShake
{
public:
    explicit WindowShake(unsigned long window);
    ~WindowShake();
    WindowShake(const WindowShake &) = delete;
    WindowShake &operator=(const WindowShake &) = delete;

    // Whether there is a window to shake (a display, and a window on it).
    bool canShake() const { return m_base.has_value(); }

    // Five rounds of (x, y + 5), (x + 5, y), (x, y - 5), (x - 5, y) around the
    // position read at construction, 20 ms after each move. Returns once the
    // X server has carried out every move.
    void run();

private:
    std::optional<Point> readPosition();
    void moveTo(Point position);

    xcb_connection_t *m_connection = nullptr;
    uint32_t m_window = 0;
    std::optional<Point> m_base;
};

} // namespace tktime32
