// SPDX-License-Identifier: MIT
#include "settings/SkinPreview.h"

#include "platform/Clock.h"
#include "shell/SkinImage.h"

#include <QEvent>
#include <QPainter>

SkinPreview::SkinPreview(QWidget *parent)
    : QWidget(parent)
{
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, &SkinPreview::tick);
}

void SkinPreview::setClock(const Clock *clock)
{
    m_clock = clock;
    m_shown = {};
    tick();
    m_timer.start();
}

QImage SkinPreview::FaceOnBackground(const QImage &face, const QColor &background)
{
    if (face.isNull())
        return {};
    QImage image = face.convertToFormat(QImage::Format_RGB32);
    const QRgb key = image.pixel(0, 0);
    const QRgb fill = background.rgb();
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == key)
                line[x] = fill;
        }
    }
    return image;
}

void SkinPreview::setFace(const QImage &face)
{
    m_face = face;
    m_shownFace = FaceOnBackground(face, palette().color(QPalette::Window));
    m_digitOrigin = FindDigitOrigin(face, QPoint(0, 0));
    updateGeometry();
    update();
}

void SkinPreview::setDigits(const QImage &digits)
{
    m_digits = digits;
    update();
}

void SkinPreview::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange)
        m_shownFace = FaceOnBackground(m_face, palette().color(QPalette::Window));
    QWidget::changeEvent(event);
}

void SkinPreview::tick()
{
    if (!m_clock)
        return;
    const DateTime now = m_clock->Now();
    if (m_shown.IsValid() && now == m_shown)
        return;
    m_shown = now;
    update();
}

QRect SkinPreview::FaceRect() const
{
    QRect r(QPoint(0, 0), m_shownFace.size());
    r.moveCenter(rect().center());
    return r;
}

QSize SkinPreview::sizeHint() const
{
    // Room for the largest clock face a skin may have.
    return QSize(200, 200).expandedTo(m_shownFace.size());
}

void SkinPreview::paintEvent(QPaintEvent *)
{
    if (m_shownFace.isNull())
        return;
    QPainter painter(this);
    const QRect face = FaceRect();
    painter.drawImage(face.topLeft(), m_shownFace);
    ClockGlyphs glyphs;
    if (m_shown.IsValid()) {
        glyphs = {m_shown.Hour() / 10,   m_shown.Hour() % 10,   m_shown.Minute() / 10,
                  m_shown.Minute() % 10, m_shown.Second() / 10, m_shown.Second() % 10};
    }
    paintDigits(painter, m_digits, face.topLeft() + m_digitOrigin, glyphs);
}
