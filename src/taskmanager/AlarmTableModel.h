// SPDX-License-Identifier: MIT
#pragma once

#include "model/AlarmTask.h"
#include "taskmanager/TaskTableModel.h"

class Clock;

// The reminder tab: "描述", "频率", "下次提醒". Only tasks with a valid due
// moment get a row. The next-run column depends on the time, so it is read
// from the clock whenever the text is produced. A task added elsewhere (the
// editor's Save) shows as a new last row.
class AlarmTableModel final : public TaskTableModel
{
    Q_OBJECT

public:
    AlarmTableModel(AlarmList &list, const Clock &clock, QObject *parent = nullptr);
    ~AlarmTableModel() override;

    bool containsEntry(EntryHandle entry) const override;
    RowTexts rowTexts(EntryHandle entry) const override;
    QString deleteQuestion(EntryHandle entry) const override;
    bool removeEntry(EntryHandle entry) override;

protected:
    std::vector<EntryHandle> entriesWithRows() const override;
    bool hasRow(EntryHandle entry) const override;
    int imageIndex(EntryHandle entry) const override;

private:
    AlarmList &m_list;
    const Clock &m_clock;
};
