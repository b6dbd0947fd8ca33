// SPDX-License-Identifier: MIT
#pragma once

#include "model/BirthdayNote.h"
#include "taskmanager/TaskTableModel.h"

// The note tab: "显示" (the text, with the shown flag as the row's check
// box), "顶端" centred, "最后修改". An entry added elsewhere shows as the
// first row. Ticking or clearing a check box asks for the note to be shown
// or hidden; the box follows the note's flag once that is done.
class NoteTableModel final : public TaskTableModel
{
    Q_OBJECT

public:
    explicit NoteTableModel(NoteList &list, QObject *parent = nullptr);
    ~NoteTableModel() override;

    bool containsEntry(EntryHandle entry) const override;
    RowTexts rowTexts(EntryHandle entry) const override;
    QString deleteQuestion(EntryHandle entry) const override;
    bool removeEntry(EntryHandle entry) override;

    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

Q_SIGNALS:
    void ShowRequested(EntryHandle entry, bool shown);

protected:
    std::vector<EntryHandle> entriesWithRows() const override;
    bool hasRow(EntryHandle entry) const override;
    int imageIndex(EntryHandle entry) const override;
    QVariant checkState(EntryHandle entry) const override;
    Qt::Alignment columnAlignment(int column) const override;

private:
    NoteList &m_list;
};
