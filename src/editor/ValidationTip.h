// SPDX-License-Identifier: MIT
#pragma once

#include <QLabel>
#include <QPointer>

class QTimer;

// The small window in which the editing dialogs report invalid input: the
// message, without a title, just under the control that holds the bad
// value, for five seconds. The control gets the focus so the user can put
// the value right at once.
class ValidationTip : public QLabel
{
    Q_OBJECT

public:
    static constexpr int DisplayMs = 5000;
    // Pixels between the control's bottom edge and the tip.
    static constexpr int Gap = 5;
    // Pixels around the text.
    static constexpr int Margin = 5;

    // Created hidden; it closes with its owner window.
    explicit ValidationTip(QWidget *owner);

    // Shows `text` with the tip's top-left corner at the control's left edge,
    // Gap pixels below it, and moves the focus to the control. A tip still
    // showing gives way to the new one.
    void showUnder(QWidget *control, const QString &text);

    // The control the tip last pointed at.
    QWidget *control() const { return m_control; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fitText();

    QTimer *m_timer;
    QPointer<QWidget> m_control;
};
