// SPDX-License-Identifier: MIT
#pragma once

#include "model/AlarmTask.h"

#include <QString>

// The message page's text and format, without its window.

// The message box edits with LF line breaks; the task keeps CR LF.
QString MessageToEditText(const QString &message);
QString EditTextToMessage(const QString &text);

// The message page's format controls.
struct FormatChoice
{
    bool bold = false;
    bool italic = false;
    bool underline = false;
    Color color = 0;
    QString sizeText; // points
    QString face;
};

// The format the message page builds from its controls: bold, italic,
// underline, colour, face and size marked valid and nothing else. A size
// text that is not a positive number keeps the height of `base`.
MessageFont BuildMessageFont(const FormatChoice &choice, const MessageFont &base);

// The size list's text for a stored height in twips; empty when the height
// gives no usable size.
QString SizeTextOf(const MessageFont &font);
