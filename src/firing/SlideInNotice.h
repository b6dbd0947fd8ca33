// SPDX-License-Identifier: MIT
#pragma once

#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <memory>

class QPropertyAnimation;
class QTimer;
class SoundService;

namespace Ui {
class SlideInNotice;
}

// A small self-closing notice: it rises out of the bottom edge of the work
// area at its right-hand side, stays five seconds and fades out. A click
// fades it at once. It never takes the keyboard focus and asks for nothing.
// It deletes itself once it has faded; several notices are independent.
class SlideInNotice final : public QWidget
{
    Q_OBJECT

public:
    static constexpr int RiseStepPx = 3;
    static constexpr int RiseIntervalMs = 10;
    static constexpr int StayMs = 5000;
    static constexpr int FadeMs = 500;
    // How far below the work area the notice starts, and so how much of it
    // stays below the work area's bottom edge once it has risen.
    static constexpr int StartBelowPx = 20;

    explicit SlideInNotice(const QString &text, QWidget *parent = nullptr);
    ~SlideInNotice() override;

    // Places the notice below the work area and starts it rising.
    void start();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private Q_SLOTS:
    void riseStep();
    void fadeOut();

private:
    QPoint positionAt(int risen) const;
    void drawBackground(QPainter &painter) const;

    std::unique_ptr<Ui::SlideInNotice> m_ui;
    QRect m_workArea;
    int m_risen = 0;
    QTimer *m_riseTimer;
    QTimer *m_stayTimer;
    QPointer<QPropertyAnimation> m_fade;
    QPixmap m_headerIcon;
    QPixmap m_watermark;
};

// Plays the notice chime and shows `text` in a new notice. The notice is
// returned for callers that want to watch it; it deletes itself when done.
SlideInNotice *ShowNotice(const QString &text, SoundService &sound);
