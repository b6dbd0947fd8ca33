// SPDX-License-Identifier: MIT
#include "widgets/MessageFormat.h"

#include <QFont>
#include <cmath>

QColor ToQColor(Color color)
{
    return QColor(ColorRed(color), ColorGreen(color), ColorBlue(color));
}

Color FromQColor(const QColor &color)
{
    return MakeColor(color.red(), color.green(), color.blue());
}

QTextCharFormat ToCharFormat(const MessageFont &font)
{
    QTextCharFormat format;
    const quint32 mask = font.FontMask;
    const quint32 effects = font.FontEffect;
    if (mask & MessageFont::MaskBold)
        format.setFontWeight(effects & MessageFont::EffectBold ? QFont::Bold : QFont::Normal);
    if (mask & MessageFont::MaskItalic)
        format.setFontItalic(effects & MessageFont::EffectItalic);
    if (mask & MessageFont::MaskUnderline)
        format.setFontUnderline(effects & MessageFont::EffectUnderline);
    if (mask & MessageFont::MaskStrikeOut)
        format.setFontStrikeOut(effects & MessageFont::EffectStrikeOut);
    if (mask & MessageFont::MaskFace && !font.FontFaceName.isEmpty())
        format.setFontFamilies({font.FontFaceName});
    if (mask & MessageFont::MaskColor && !(effects & MessageFont::EffectAutoColor))
        format.setForeground(ToQColor(font.FontColor));
    if (mask & MessageFont::MaskSize && font.FontHeight > 0)
        format.setFontPointSize(font.FontHeight / 20.0);
    return format;
}

MessageFont FromCharFormat(const QTextCharFormat &format, const MessageFont &base)
{
    MessageFont font = base;
    font.FontMask = MessageFont::MaskBold | MessageFont::MaskItalic | MessageFont::MaskUnderline |
        MessageFont::MaskStrikeOut | MessageFont::MaskFace | MessageFont::MaskColor | MessageFont::MaskSize;
    font.FontEffect = 0;
    if (format.fontWeight() >= QFont::Bold)
        font.FontEffect |= MessageFont::EffectBold;
    if (format.fontItalic())
        font.FontEffect |= MessageFont::EffectItalic;
    if (format.fontUnderline())
        font.FontEffect |= MessageFont::EffectUnderline;
    if (format.fontStrikeOut())
        font.FontEffect |= MessageFont::EffectStrikeOut;
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.front().isEmpty())
        font.SetFaceName(families.front());
    if (format.hasProperty(QTextFormat::ForegroundBrush))
        font.FontColor = FromQColor(format.foreground().color());
    if (format.fontPointSize() > 0)
        font.FontHeight = qint32(std::lround(format.fontPointSize() * 20));
    return font;
}
