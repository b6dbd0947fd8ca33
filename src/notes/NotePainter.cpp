// SPDX-License-Identifier: MIT
#include "notes/NotePainter.h"

#include "widgets/MessageFormat.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

constexpr int DefaultPixelHeight = 13;

} // namespace

QFont ToQFont(const NoteFont &font)
{
    QFont qfont;
    if (!font.FaceName.isEmpty())
        qfont.setFamilies({font.FaceName});
    int pixels = DefaultPixelHeight;
    if (font.FontHeight < 0) {
        pixels = -font.FontHeight;
    } else if (font.FontHeight > 0) {
        // A cell height: scale the character height so that the line is that tall.
        qfont.setPixelSize(font.FontHeight);
        const qreal cell = QFontMetricsF(qfont).height();
        pixels = cell > 0 ? int(std::lround(font.FontHeight * font.FontHeight / cell)) : font.FontHeight;
    }
    // Heights from a damaged file must not ask for a font the size of a house.
    qfont.setPixelSize(std::clamp(pixels, 1, 500));
    if (font.Weight > 0)
        qfont.setWeight(QFont::Weight(std::clamp(int(font.Weight), 1, 1000)));
    qfont.setItalic(font.Italic != 0);
    qfont.setUnderline(font.Underline != 0);
    return qfont;
}

NoteFont FromQFont(const QFont &font, const NoteFont &base, qreal dpi)
{
    NoteFont result = base;
    const qreal pixels = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * dpi / 72.0;
    result.FontHeight = -std::max(1, int(std::lround(pixels)));
    result.Weight = font.weight();
    result.Italic = font.italic() ? 1 : 0;
    result.FaceName = font.family().left(NoteFont::FaceNameMax);
    return result;
}

int TenPointHeight(qreal dpi)
{
    return -int(std::lround(10.0 * dpi / 72.0));
}

Qt::Alignment NoteTextAlignment(int align)
{
    switch (ClampedAlign(align)) {
    case NoteStyle::AlignCentre:
        return Qt::AlignHCenter;
    case NoteStyle::AlignRight:
        return Qt::AlignRight;
    default:
        return Qt::AlignLeft;
    }
}

void PaintNoteBackground(QPainter &painter, const QRect &rect, const NoteStyle &style)
{
    if (rect.isEmpty())
        return;
    const int grad = ClampedGrad(style.Grad);
    if (grad == NoteStyle::NoGradient) {
        painter.fillRect(rect, ToQColor(style.BackColor1));
    } else {
        // From the first pixel to the last, the way a rectangle gradient runs.
        const QRectF area(rect);
        const QPointF end = grad == NoteStyle::HorizontalGradient ? area.topRight() : area.bottomLeft();
        QLinearGradient gradient(area.topLeft(), end);
        gradient.setColorAt(0, ToQColor(style.BackColor1));
        gradient.setColorAt(1, ToQColor(style.BackColor2));
        painter.fillRect(rect, gradient);
    }
    // Filled strips rather than a pen, so the border stays one pixel wide
    // and sharp whatever the scale.
    const QColor border = ToQColor(style.BorderColor);
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), border);
    painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), border);
    painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), border);
    painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), border);
}
