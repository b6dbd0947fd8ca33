// SPDX-License-Identifier: MIT
#pragma once

#include "notes/NoteStyle.h"

#include <QFont>
#include <QRect>

class QPainter;

// How a note looks on screen, shared by the note window and the style
// dialog's preview so that the two always agree.

// The note's font. A negative height is the character height in pixels, a
// positive one the cell height (character plus leading), 0 the usual size.
QFont ToQFont(const NoteFont &font);
// The font a font chooser returned, as a note keeps it: the character height
// in pixels for a screen of `dpi` logical dots per inch, the weight, italic
// and the face. Underline is not offered by the chooser and comes from
// `base`.
NoteFont FromQFont(const QFont &font, const NoteFont &base, qreal dpi);
// The height of the default note font: 10 points on a screen of `dpi`.
int TenPointHeight(qreal dpi);

// The alignment flags of a note's `Align`.
Qt::Alignment NoteTextAlignment(int align);

// The background (a solid colour or a horizontal or vertical gradient from
// the first background colour to the second) and the one-pixel border.
void PaintNoteBackground(QPainter &painter, const QRect &rect, const NoteStyle &style);
