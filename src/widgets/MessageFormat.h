// SPDX-License-Identifier: MIT
#pragma once

#include "model/AlarmTask.h"

#include <QColor>
#include <QTextCharFormat>

// Colours as the data files keep them (0x00BBGGRR) and as Qt draws them.
QColor ToQColor(Color color);
Color FromQColor(const QColor &color);

// The character format of a reminder message as Qt text formatting. Only
// the members its FontMask marks as valid are applied, the way the rich
// edit control of the Windows program read them; FontHeight is in twips.
QTextCharFormat ToCharFormat(const MessageFont &font);

// The format chosen in an editor, stored with every member marked valid.
// Members the text format leaves unset keep the values of `base`.
MessageFont FromCharFormat(const QTextCharFormat &format, const MessageFont &base);
