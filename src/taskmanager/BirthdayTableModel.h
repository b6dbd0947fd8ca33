// SPDX-License-Identifier: MIT
#pragma once

#include "model/BirthdayNote.h"
#include "taskmanager/TaskTableModel.h"

// The birthday tab: "姓名", "生日", "备注", every entry with the birthday
// picture. An entry added elsewhere shows as the first row.
class BirthdayTableModel final : public TaskTableModel
{
    Q_OBJECT

public:
    explicit BirthdayTableModel(BirthdayList &list, QObject *parent = nullptr);
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
};
