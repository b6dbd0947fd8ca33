// SPDX-License-Identifier: MIT
#pragma once

#include "editor/RangeChoice.h"
#include "model/AlarmTask.h"

#include <QDialog>
#include <memory>

namespace Ui {
class RangeDialog;
}

class Clock;

// "高级设置": the date range of a recurring reminder and, for an hourly one,
// the daily time window. OK writes the choice into the editor's task.
//
// Editing an existing task, the dialog shows the range stored in the list,
// not what an earlier visit in the same editor chose.
class RangeDialog final : public QDialog
{
    Q_OBJECT

public:
    // `task` is the editor's working task. `entry` is the edited entry of
    // `alarms`, or null for a new task. The time window is offered only when
    // `schedule` is hourly.
    RangeDialog(AlarmTask &task, const AlarmList &alarms, EntryHandle entry, int schedule, const Clock &clock,
                QWidget *parent = nullptr);
    ~RangeDialog() override;

    // The range the controls show.
    RangeChoice choice() const;

    void accept() override;

private:
    void showRange(const RangeChoice &range);
    void connectChanges();
    void enableOk();

    std::unique_ptr<Ui::RangeDialog> m_ui;
    AlarmTask &m_task;
};
