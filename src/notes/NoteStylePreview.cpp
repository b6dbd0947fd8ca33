// SPDX-License-Identifier: MIT
#include "notes/NoteStylePreview.h"

#include "notes/NotePainter.h"
#include "widgets/MessageFormat.h"

#include <QPainter>

NoteStylePreview::NoteStylePreview(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QString NoteStylePreview::SampleText()
{
    return tr("这是测试文本");
}

void NoteStylePreview::setNoteStyle(const NoteStyle &style)
{
    m_style = style;
    update();
}

void NoteStylePreview::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    PaintNoteBackground(painter, rect(), m_style);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(ToQFont(m_style.Font));
    painter.setPen(ToQColor(m_style.TextColor));
    painter.drawText(rect().adjusted(2, 2, -2, -2),
                     int(NoteTextAlignment(m_style.Align) | Qt::AlignVCenter) | Qt::TextSingleLine, SampleText());
}
