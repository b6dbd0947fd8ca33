// SPDX-License-Identifier: MIT
#pragma once

// The skins skingen draws, with the geometry the program relies on. The tests
// read the same table to check the files that were shipped.
namespace SkinCatalog {

// Pure magenta cuts the window shape; no skin art uses it.
constexpr unsigned KeyRgb = 0xFF00FF;

struct Face
{
    const char *fileName;
    bool builtin; // compiled into the program rather than shipped in Skin/
    int width;
    int height;
    int digitX; // top-left corner of the 110 x 25 black digit box
    int digitY;
};

struct Strip
{
    const char *fileName;
    bool builtin;
};

inline constexpr Face Faces[] = {
    {"DEFULT.BMP", true, 164, 66, 27, 21},  {"OCEAN.BMP", false, 180, 52, 35, 13},
    {"WALNUT.BMP", false, 156, 64, 23, 20}, {"ORBIT.BMP", false, 160, 160, 25, 67},
    {"SAKURA.BMP", false, 150, 84, 20, 44}, {"CARBON.BMP", false, 190, 44, 40, 10},
};

inline constexpr Strip Strips[] = {
    {"BLACKGREEN.BMP", true},
    {"AMBER.BMP", false},
    {"ICE.BMP", false},
    {"RUBY.BMP", false},
};

} // namespace SkinCatalog
