// SPDX-License-Identifier: MIT
#include "taskmanager/BirthdayTableModel.h"

#include "model/CategoryTable.h"
#include "platform/Clock.h"

BirthdayTableModel::BirthdayTableModel(BirthdayList &list, const Clock &clock, QObject *parent)
    : TaskTableModel({tr("姓名"), tr("生日"), tr("备注")}, NewRows::First, parent)
    , m_list(list)
    , m_clock(clock)
{
    reload();
    m_list.AddObserver(this);
}

BirthdayTableModel::~BirthdayTableModel()
{
    m_list.RemoveObserver(this);
}

bool BirthdayTableModel::containsEntry(EntryHandle entry) const
{
    return m_list.Contains(entry);
}

RowTexts BirthdayTableModel::rowTexts(EntryHandle entry) const
{
    const BirthdayEntry *birthday = m_list.Find(entry);
    return birthday ? BirthdayRowTexts(*birthday, m_clock.Now()) : RowTexts {};
}

QString BirthdayTableModel::deleteQuestion(EntryHandle entry) const
{
    const BirthdayEntry *birthday = m_list.Find(entry);
    return birthday ? BirthdayDeleteQuestion(*birthday) : QString();
}

bool BirthdayTableModel::removeEntry(EntryHandle entry)
{
    return m_list.RemoveAt(entry);
}

std::vector<EntryHandle> BirthdayTableModel::entriesWithRows() const
{
    std::vector<EntryHandle> rows;
    rows.reserve(size_t(m_list.GetCount()));
    m_list.ForEach([&rows](EntryHandle entry, const BirthdayEntry &) { rows.push_back(entry); });
    return rows;
}

bool BirthdayTableModel::hasRow(EntryHandle entry) const
{
    return m_list.Contains(entry);
}

int BirthdayTableModel::imageIndex(EntryHandle) const
{
    return CategoryTable::BirthdayImage;
}
