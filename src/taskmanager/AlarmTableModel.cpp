// SPDX-License-Identifier: MIT
#include "taskmanager/AlarmTableModel.h"

#include "platform/Clock.h"

AlarmTableModel::AlarmTableModel(AlarmList &list, const Clock &clock, QObject *parent)
    : TaskTableModel({tr("描述"), tr("频率"), tr("下次提醒")}, NewRows::Last, parent)
    , m_list(list)
    , m_clock(clock)
{
    reload();
    m_list.AddObserver(this);
}

AlarmTableModel::~AlarmTableModel()
{
    m_list.RemoveObserver(this);
}

bool AlarmTableModel::containsEntry(EntryHandle entry) const
{
    return m_list.Contains(entry);
}

RowTexts AlarmTableModel::rowTexts(EntryHandle entry) const
{
    const AlarmTask *task = m_list.Find(entry);
    return task ? AlarmRowTexts(*task, m_clock.Now()) : RowTexts {};
}

QString AlarmTableModel::deleteQuestion(EntryHandle entry) const
{
    const AlarmTask *task = m_list.Find(entry);
    return task ? AlarmDeleteQuestion(*task) : QString();
}

bool AlarmTableModel::removeEntry(EntryHandle entry)
{
    return m_list.RemoveAt(entry);
}

std::vector<EntryHandle> AlarmTableModel::entriesWithRows() const
{
    std::vector<EntryHandle> rows;
    rows.reserve(size_t(m_list.GetCount()));
    m_list.ForEach([&rows](EntryHandle entry, const AlarmTask &task) {
        if (HasAlarmRow(task))
            rows.push_back(entry);
    });
    return rows;
}

bool AlarmTableModel::hasRow(EntryHandle entry) const
{
    const AlarmTask *task = m_list.Find(entry);
    return task && HasAlarmRow(*task);
}

int AlarmTableModel::imageIndex(EntryHandle entry) const
{
    const AlarmTask *task = m_list.Find(entry);
    return task ? task->Category : -1;
}
