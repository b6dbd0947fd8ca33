// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

// A colour as the data files keep it: red in the low byte, then green, then
// blue (0x00BBGGRR), written to files as a signed decimal number.
using Color = quint32;

constexpr Color MakeColor(int red, int green, int blue)
{
    return Color(red & 0xFF) | Color(green & 0xFF) << 8 | Color(blue & 0xFF) << 16;
}
constexpr int ColorRed(Color c)
{
    return int(c & 0xFF);
}
constexpr int ColorGreen(Color c)
{
    return int(c >> 8 & 0xFF);
}
constexpr int ColorBlue(Color c)
{
    return int(c >> 16 & 0xFF);
}
