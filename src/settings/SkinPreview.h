// SPDX-License-Identifier: MIT
#pragma once

#include "model/DateTime.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

class Clock;

// The interface page's preview: the chosen clock face, its see-through
// colour shown as the dialog's background, with the chosen digits showing
// the time, redrawn when the second changes.
class SkinPreview : public QWidget
{
    Q_OBJECT

public:
    explicit SkinPreview(QWidget *parent = nullptr);

    // Starts the once-a-second redraw with the time of `clock`.
    void setClock(const Clock *clock);
    void setFace(const QImage &face);
    void setDigits(const QImage &digits);

    // The face as previewed: every pixel of the key colour (that of pixel
    // (0, 0)) in `background` instead.
    static QImage FaceOnBackground(const QImage &face, const QColor &background);
    // Where the face is drawn inside the widget (centred).
    QRect FaceRect() const;
    const DateTime &ShownTime() const { return m_shown; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void tick();

    const Clock *m_clock = nullptr;
    QTimer m_timer;
    QImage m_face;
    QImage m_shownFace;
    QImage m_digits;
    QPoint m_digitOrigin;
    DateTime m_shown;
};
