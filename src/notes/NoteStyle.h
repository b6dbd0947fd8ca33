// SPDX-License-Identifier: MIT
#pragma once

#include "model/BirthdayNote.h"

#include <QString>
#include <array>

// The look of a note: what the style dialog edits and layout.ini keeps.
struct NoteStyle
{
    enum Alignment
    {
        AlignLeft = 0,
        AlignCentre = 1,
        AlignRight = 2
    };
    enum Gradient
    {
        NoGradient = 0,
        HorizontalGradient = 1,
        VerticalGradient = 2
    };
    static constexpr int MinAlpha = 25;
    static constexpr int MaxAlpha = 255;

    Color TextColor = 0;
    Color BackColor1 = 0x99FFFF;
    Color BackColor2 = 0xFFFFFF;
    Color BorderColor = 0x7F7F7F;
    NoteFont Font;
    qint32 Alpha = MaxAlpha;
    qint32 Align = AlignLeft;
    qint32 Grad = NoGradient;

    friend bool operator==(const NoteStyle &, const NoteStyle &) = default;
};

NoteStyle StyleOf(const NoteEntry &note);
// Copies the look into a note; its text, place and flags stay.
void ApplyStyle(NoteEntry &note, const NoteStyle &style);

// Choice values from a file or an old version may be anything; drawing
// takes them within their ranges (an unknown alignment is left, an unknown
// gradient none, the opacity 0..255).
int ClampedAlign(int align);
int ClampedGrad(int grad);
int ClampedAlpha(int alpha);

// The opacity label of the style dialog: "透明度: N%", N = alpha * 100 / 255
// but never below 10, so the lowest setting does not read as invisible.
QString OpacityLabelText(int alpha);

// The 40 colours of the colour pickers' palette, which the random colour is
// also drawn from.
const std::array<Color, 40> &NotePalette();

// The text colour that goes with a random background: white on a colour
// below 0x7D7D7D (read as one number), black above it, unchanged on it.
Color TextColorForBackground(Color background, Color current);
