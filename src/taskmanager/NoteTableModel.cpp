// SPDX-License-Identifier: MIT
#include "taskmanager/NoteTableModel.h"

#include "model/CategoryTable.h"

NoteTableModel::NoteTableModel(NoteList &list, QObject *parent)
    : TaskTableModel({tr("显示"), tr("顶端"), tr("最后修改")}, NewRows::First, parent)
    , m_list(list)
{
    reload();
    m_list.AddObserver(this);
}

NoteTableModel::~NoteTableModel()
{
    m_list.RemoveObserver(this);
}

bool NoteTableModel::containsEntry(EntryHandle entry) const
{
    return m_list.Contains(entry);
}

RowTexts NoteTableModel::rowTexts(EntryHandle entry) const
{
    const NoteEntry *note = m_list.Find(entry);
    return note ? NoteRowTexts(*note) : RowTexts {};
}

QString NoteTableModel::deleteQuestion(EntryHandle entry) const
{
    const NoteEntry *note = m_list.Find(entry);
    return note ? NoteDeleteQuestion(*note) : QString();
}

bool NoteTableModel::removeEntry(EntryHandle entry)
{
    return m_list.RemoveAt(entry);
}

std::vector<EntryHandle> NoteTableModel::entriesWithRows() const
{
    std::vector<EntryHandle> rows;
    rows.reserve(size_t(m_list.GetCount()));
    m_list.ForEach([&rows](EntryHandle entry, const NoteEntry &) { rows.push_back(entry); });
    return rows;
}

bool NoteTableModel::hasRow(EntryHandle entry) const
{
    return m_list.Contains(entry);
}

int NoteTableModel::imageIndex(EntryHandle) const
{
    return CategoryTable::NoteImage;
}

QVariant NoteTableModel::checkState(EntryHandle entry) const
{
    const NoteEntry *note = m_list.Find(entry);
    if (!note)
        return {};
    return int(note->Display != 0 ? Qt::Checked : Qt::Unchecked);
}

Qt::ItemFlags NoteTableModel::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags flags = TaskTableModel::flags(index);
    return index.isValid() && index.column() == 0 ? flags | Qt::ItemIsUserCheckable : flags;
}

bool NoteTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    const EntryHandle entry = entryAt(index.row());
    const NoteEntry *note = m_list.Find(entry);
    if (role != Qt::CheckStateRole || index.column() != 0 || !note)
        return false;
    const bool shown = value.toInt() == Qt::Checked;
    if ((note->Display != 0) == shown)
        return false;
    Q_EMIT ShowRequested(entry, shown);
    return true;
}

Qt::Alignment NoteTableModel::columnAlignment(int column) const
{
    return column == 1 ? Qt::AlignCenter : TaskTableModel::columnAlignment(column);
}
