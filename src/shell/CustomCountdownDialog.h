// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <QTime>
#include <memory>

namespace Ui {
class CustomCountdownDialog;
}

// Asks for a countdown of a chosen span ("在 ... 之后") or until a chosen
// time of day ("到 ... 时候").
class CustomCountdownDialog : public QDialog
{
    Q_OBJECT

public:
    // `now` sets the default target: the next full hour.
    CustomCountdownDialog(QTime now, QWidget *parent = nullptr);
    ~CustomCountdownDialog() override;

    // True for a span, false for a time of day.
    bool CountsASpan() const;
    // The span (below 24 hours) or the time of day chosen.
    QTime ChosenTime() const;

private:
    std::unique_ptr<Ui::CustomCountdownDialog> m_ui;
};
