// SPDX-License-Identifier: MIT
// Where a framed window is asked to go so that its frame stays put, worked out
// by hand from the ICCCM placement rules for a frame 10 px wider and 30 px
// taller than the window (a 5 px border each side, a 20 px title bar).
#include "WindowShake.h"

#include <gtest/gtest.h>
#include <xcb/xproto.h>

namespace {

using tktime32::Point;
using tktime32::Rect;
using tktime32::requestedPositionKeepingFrame;

constexpr Rect Frame {200, 100, 170, 120};
// The window inside it: 5 px in from the left, below the 20 px title bar.
constexpr Rect Window {205, 120, 160, 90};

struct Case
{
    uint32_t gravity;
    Point expected;
};

TEST(WindowShakeTest, AFramedWindowIsAskedForThePlaceThatKeepsItsFrame)
{
    const Case cases[] = {
        // The frame's corner or edge midpoint named by the gravity goes where
        // the window's own would be.
        {XCB_GRAVITY_NORTH_WEST, {200, 100}},
        {XCB_GRAVITY_NORTH, {205, 100}},
        {XCB_GRAVITY_NORTH_EAST, {210, 100}},
        {XCB_GRAVITY_WEST, {200, 115}},
        {XCB_GRAVITY_CENTER, {205, 115}},
        {XCB_GRAVITY_EAST, {210, 115}},
        {XCB_GRAVITY_SOUTH_WEST, {200, 130}},
        {XCB_GRAVITY_SOUTH, {205, 130}},
        {XCB_GRAVITY_SOUTH_EAST, {210, 130}},
        // Static: the window's inside stays where it is.
        {XCB_GRAVITY_STATIC, {205, 120}},
        // Hints without a gravity count as north-west.
        {0, {200, 100}},
    };
    for (const Case &c : cases) {
        const Point p = requestedPositionKeepingFrame(Frame, Window, c.gravity);
        EXPECT_EQ(p.x, c.expected.x) << "gravity " << c.gravity;
        EXPECT_EQ(p.y, c.expected.y) << "gravity " << c.gravity;
    }
}

} // namespace
