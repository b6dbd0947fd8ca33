// SPDX-License-Identifier: MIT
#pragma once

#include "model/BirthdayNote.h"
#include "taskmanager/TaskTableModel.h"

class Clock;

// The birthday tab: "姓名", "生日", "备注", every entry with the birthday
// picture. An entry added elsewhere shows as the first row. A lunar
// birthday's date column names its coming date, so it is read from the clock
// whenever the text is produced.
class BirthdayTableModel final : public TaskTableModel
{
    Q_OBJECT

public:
    BirthdayTableModel(BirthdayList &list, const Clock &clock, QObject *parent = nullptr);
    ~BirthdayTableModel() override;

    bool containsEntry(EntryHandle entry) const override;
    RowTexts rowTexts(EntryHandle entry) const override;
    QString deleteQuestion(EntryHandle entry) const override;
    bool removeEntry(EntryHandle entry) override;

protected:
    std::vector<EntryHandle> entriesWithRows() const override;
    bool hasRow(EntryHandle entry) const override;
    int imageIndex(EntryHandle entry) const override;

private:
    BirthdayList &m_list;
    const Clock &m_clock;
};
