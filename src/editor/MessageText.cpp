// SPDX-License-Identifier: MIT
#include "editor/MessageText.h"

namespace {

// The rich edit control takes sizes up to 1638 points.
constexpr int LargestPointSize = 1638;

} // namespace

QString MessageToEditText(const QString &message)
{
    QString text = message;
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString EditTextToMessage(const QString &text)
{
    QString message = text;
    message.replace(QChar::ParagraphSeparator, u'\n').replace(QChar::LineSeparator, u'\n');
    message.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return message.replace(u'\n', QStringLiteral("\r\n"));
}

MessageFont BuildMessageFont(const FormatChoice &choice, const MessageFont &base)
{
    MessageFont font = base;
    font.FontMask = MessageFont::MaskBold | MessageFont::MaskItalic | MessageFont::MaskUnderline |
        MessageFont::MaskColor | MessageFont::MaskFace | MessageFont::MaskSize;
    font.FontEffect = (choice.bold ? MessageFont::EffectBold : 0) | (choice.italic ? MessageFont::EffectItalic : 0) |
        (choice.underline ? MessageFont::EffectUnderline : 0);
    font.FontColor = choice.color;
    bool ok = false;
    const int points = choice.sizeText.trimmed().toInt(&ok);
    if (ok && points >= 1 && points <= LargestPointSize)
        font.FontHeight = points * 20;
    font.SetFaceName(choice.face);
    return font;
}

QString SizeTextOf(const MessageFont &font)
{
    const int points = font.FontHeight / 20;
    return points >= 1 ? QString::number(points) : QString();
}
