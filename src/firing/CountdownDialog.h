// SPDX-License-Identifier: MIT
#pragma once

#include "model/AlarmTask.h"

#include <QDialog>
#include <memory>

class PowerService;
class QTimer;
class ShellService;

namespace Ui {
class CountdownDialog;
}

// The last chance to stop a reminder's action: a small caption-less dialog
// that counts Countdownsec seconds on a progress bar and then performs the
// task's action, unless the user cancels first. "立刻执行" acts at once.
//
// Created per fired task, without owner; it deletes itself when it closes,
// and any number of them can count at the same time.
class CountdownDialog final : public QDialog
{
    Q_OBJECT

public:
    CountdownDialog(const AlarmTask &task, PowerService &power, ShellService &shell, QWidget *parent = nullptr);
    ~CountdownDialog() override;

    // The seconds counted: Countdownsec, at least 1.
    int countdownSeconds() const { return m_seconds; }

protected:
    void paintEvent(QPaintEvent *event) override;

private Q_SLOTS:
    // One second has passed.
    void onTick();

private:
    QString messageText() const;
    void performNow();
    void cancel();

    std::unique_ptr<Ui::CountdownDialog> m_ui;
    AlarmTask m_task;
    PowerService &m_power;
    ShellService &m_shell;
    int m_seconds;
    QTimer *m_timer;
    bool m_finished = false;
};
