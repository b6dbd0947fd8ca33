// SPDX-License-Identifier: MIT
#include "notes/NoteStyle.h"

#include <QCoreApplication>
#include <algorithm>

namespace {

// A note entry and a style share the names of these fields, so one copy
// serves both directions and a new style field cannot be forgotten in one.
template <typename From, typename To>
void CopyStyleFields(const From &from, To &to)
{
    to.TextColor = from.TextColor;
    to.BackColor1 = from.BackColor1;
    to.BackColor2 = from.BackColor2;
    to.BorderColor = from.BorderColor;
    to.Font = from.Font;
    to.Alpha = from.Alpha;
    to.Align = from.Align;
    to.Grad = from.Grad;
}

} // namespace

NoteStyle StyleOf(const NoteEntry &note)
{
    NoteStyle style;
    CopyStyleFields(note, style);
    return style;
}

void ApplyStyle(NoteEntry &note, const NoteStyle &style)
{
    CopyStyleFields(style, note);
}

int ClampedAlign(int align)
{
    return align == NoteStyle::AlignCentre || align == NoteStyle::AlignRight ? align : NoteStyle::AlignLeft;
}

int ClampedGrad(int grad)
{
    return grad == NoteStyle::HorizontalGradient || grad == NoteStyle::VerticalGradient ? grad : NoteStyle::NoGradient;
}

int ClampedAlpha(int alpha)
{
    return std::clamp(alpha, 0, NoteStyle::MaxAlpha);
}

QString OpacityLabelText(int alpha)
{
    const int percent = std::max(alpha * 100 / 255, 10);
    return QCoreApplication::translate("NoteStyleDialog", "透明度: %1%").arg(percent);
}

const std::array<Color, 40> &NotePalette()
{
    static constexpr std::array<Color, 40> palette {
        0x000000, 0x002AA5, 0x404000, 0x005500, 0x5E0000, 0x8B0000, 0x82004B, 0x282828, 0x00008B, 0x2068FF,
        0x008B8B, 0x009300, 0x8E8E38, 0xFF0000, 0xC07B7B, 0x666666, 0x0000FF, 0x5BADFF, 0x32CD32, 0x71B33C,
        0xD4FF7F, 0xC09E7D, 0x800080, 0x7F7F7F, 0xFF00FF, 0x00D7FF, 0x00FFFF, 0x00FF00, 0xD0E040, 0xFFFFC0,
        0x480048, 0xC0C0C0, 0xCC99FF, 0x8CB4D2, 0xE0FFFF, 0x98FB98, 0xEEEEAF, 0x8B8368, 0xFAE6E6, 0xFFFFFF};
    return palette;
}

Color TextColorForBackground(Color background, Color current)
{
    constexpr Color Middle = 0x7D7D7D;
    const Color rgb = background & 0xFFFFFF;
    if (rgb < Middle)
        return 0xFFFFFF;
    if (rgb > Middle)
        return 0;
    return current;
}
