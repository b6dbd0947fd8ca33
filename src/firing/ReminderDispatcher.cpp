// SPDX-License-Identifier: MIT
#include "firing/ReminderDispatcher.h"

#include "calendar/BirthdayDates.h"
#include "model/AppData.h"
#include "schedule/Recurrence.h"

#include <QFile>
#include <QTextStream>
#include <algorithm>

namespace {

constexpr int Sunday = 1;
// Fired moments older than this may be forgotten; the clock is rarely set
// back further.
constexpr qint64 FiringMemorySeconds = 7 * DateTime::SecondsPerDay;

bool exactMatch(const DateTime &a, const DateTime &b)
{
    return a.IsValid() && a == b;
}

bool sameTimeOfDay(const DateTime &a, const DateTime &b)
{
    return a.IsValid() && a.SecondOfDay() == b.SecondOfDay();
}

bool sameDay(const DateTime &a, const DateTime &b)
{
    return a.IsValid() && a.Day0() == b.Day0();
}

// Whether a task's trigger holds now, and whether its limits then apply.
struct Trigger
{
    bool holds = false;
    bool limited = true;
};

Trigger triggerOf(const AlarmTask &task, const DateTime &now)
{
    const DateTime &t = task.DateTime;
    switch (task.Schedule) {
    case AlarmTask::Once:
        return {exactMatch(t, now), false};
    case AlarmTask::Hourly:
        return {t.IsValid() && t.Hour() == now.Hour() && t.Minute() == now.Minute() && now.Second() == 0, true};
    case AlarmTask::Daily:
        if (task.DiaryReportMode)
            return {sameTimeOfDay(t, now) && now.DayOfWeek() == Sunday, true};
        return {exactMatch(t, now), true};
    case AlarmTask::Weekly:
        return {exactMatch(t, now) && task.WeeklyEnable.test(size_t(now.WeekdayBit())), true};
    case AlarmTask::Monthly:
        return {exactMatch(t, now), true};
    case AlarmTask::Yearly:
        return {exactMatch(t, now), false};
    default:
        return {};
    }
}

// Every trigger holds at one second of the day at most: an hourly task at
// second 0 of its minute, the others at their due time's second.
std::optional<int> triggerSecondOfDay(const AlarmTask &task)
{
    const DateTime &t = task.DateTime;
    if (task.ReportMode != AlarmTask::AtDateTime || !t.IsValid() || task.Schedule < AlarmTask::Once ||
        task.Schedule > AlarmTask::Yearly)
        return std::nullopt;
    if (task.Schedule == AlarmTask::Hourly)
        return t.Hour() * 3600 + t.Minute() * 60;
    return t.SecondOfDay();
}

DateTime atHourMinute(const DateTime &day, const DateTime &time)
{
    return day.WithTime(time.Hour(), time.Minute(), 0);
}

} // namespace

bool LimitsCheck(const AlarmTask &task, const DateTime &now)
{
    DateTime from;
    DateTime to;
    if (!task.HourlyDateLimit && !task.HourlyTimeLimit)
        return true;
    if (!task.HourlyDateLimit) {
        from = atHourMinute(now, task.HourlyStartTime);
        to = atHourMinute(now, task.HourlyEndTime);
    } else if (!task.HourlyTimeLimit) {
        from = atHourMinute(task.HourlyStartDate, now);
        to = atHourMinute(task.HourlyEndDate, now);
    } else {
        // One continuous span from the first day's start to the last day's end.
        from = atHourMinute(task.HourlyStartDate, task.HourlyStartTime);
        to = atHourMinute(task.HourlyEndDate, task.HourlyEndTime);
    }
    return from.IsValid() && to.IsValid() && from <= now && now <= to;
}

std::optional<QString> ReadServerName(const QString &path, int index)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    QTextStream in(&file);
    QString line;
    for (int i = 0; i <= index; ++i) {
        if (in.atEnd())
            return QString();
        line = in.readLine();
    }
    return line.trimmed();
}

ReminderDispatcher::ReminderDispatcher(AppData &data, Handlers handlers)
    : m_data(data)
    , m_handlers(std::move(handlers))
{ }

void ReminderDispatcher::StartFrom(const DateTime &evaluated)
{
    m_lastEvaluated = evaluated;
}

void ReminderDispatcher::CheckGap(const DateTime &now)
{
    if (skipGap(now))
        m_lastEvaluated = now.AddSeconds(-1);
}

bool ReminderDispatcher::skipGap(const DateTime &until)
{
    if (!m_lastEvaluated.IsValid() || !until.IsValid() ||
        until.Seconds() - m_lastEvaluated.Seconds() <= MaxCatchUpSeconds)
        return false;
    const DateTime last = until.AddSeconds(-1);
    if (m_handlers.missed) {
        const DateTime after = MissedLookBackStart(m_lastEvaluated, until);
        if (const QList<MissedReminder> missed = MissedInList(m_data.Alarms, after, last); !missed.isEmpty())
            m_handlers.missed(missed);
    }
    // A recurring task due in the gap would never match again: it moves on
    // to its first occurrence from `until` on, as loading would move it.
    for (EntryHandle h = m_data.Alarms.GetHeadPosition(); h; h = m_data.Alarms.GetNextPosition(h)) {
        const AlarmTask &task = m_data.Alarms.At(h);
        if (task.ReportMode == AlarmTask::AtDateTime && task.Schedule != AlarmTask::Once &&
            task.DateTime.IsValid() && task.DateTime > m_lastEvaluated && task.DateTime <= last)
            advanceInList(h, task, last);
    }
    return true;
}

void ReminderDispatcher::Tick(const DateTime &now)
{
    skipGap(now);
    const bool catchUp = m_lastEvaluated.IsValid() && now > m_lastEvaluated &&
        now.Seconds() - m_lastEvaluated.Seconds() <= MaxCatchUpSeconds;
    DateTime second = catchUp ? m_lastEvaluated.AddSeconds(1) : now;
    for (; second <= now; second = second.AddSeconds(1))
        EvaluateSecond(second);
    m_lastEvaluated = now;
    forgetOldFirings(now);
}

void ReminderDispatcher::EvaluateSecond(const DateTime &now)
{
    CheckTasks(now);
    CheckSnoozed(now);
    CheckBirthdays(now);
    if (m_handlers.speakingClock)
        m_handlers.speakingClock(now);
    CheckAutomaticSync(now);
}

void ReminderDispatcher::fire(EntryHandle entry, const AlarmTask &task)
{
    // A due moment fires once, also when the clock is set back over it.
    if (!m_fired.contains({entry, task.DateTime.Seconds()})) {
        m_fired.insert({entry, task.DateTime.Seconds()});
        if (m_handlers.fireTask)
            m_handlers.fireTask(task);
    }
}

void ReminderDispatcher::advanceInList(EntryHandle entry, AlarmTask copy, const DateTime &now)
{
    // A failed advance leaves the task as it was.
    const AppData::RoutineChange routine(m_data);
    if (AdvanceTask(copy, now))
        m_data.Alarms.SetAt(entry, copy);
}

std::vector<EntryHandle> ReminderDispatcher::candidatesAt(int secondOfDay)
{
    // Looking at every task every second would cost more than everything
    // else the clock does; the list changes seldom, so an index pays.
    const StableList<AlarmTask> &alarms = m_data.Alarms;
    if (m_indexRevision != alarms.Revision()) {
        m_taskIndex.clear();
        alarms.ForEach([this](EntryHandle h, const AlarmTask &task) {
            if (const std::optional<int> second = triggerSecondOfDay(task))
                m_taskIndex.emplace_back(*second, h);
        });
        std::stable_sort(m_taskIndex.begin(), m_taskIndex.end(),
                         [](const auto &a, const auto &b) { return a.first < b.first; });
        m_indexRevision = alarms.Revision();
    }
    const auto bySecond = [](const std::pair<int, EntryHandle> &e, int s) {
        return e.first < s;
    };
    std::vector<EntryHandle> due;
    for (auto it = std::lower_bound(m_taskIndex.begin(), m_taskIndex.end(), secondOfDay, bySecond);
         it != m_taskIndex.end() && it->first == secondOfDay; ++it)
        due.push_back(it->second);
    return due;
}

void ReminderDispatcher::CheckTasks(const DateTime &now)
{
    // A copy: firing may change the list, and with it the index.
    const std::vector<EntryHandle> due = candidatesAt(now.SecondOfDay());
    for (const EntryHandle h : due) {
        if (!m_data.Alarms.Contains(h))
            continue;
        const EntryHandle next = m_data.Alarms.GetNextPosition(h);
        if (checkTask(h, now)) {
            // What a handler added or changed further down the list may be
            // due now too: the rest of the list is looked at as it stands.
            checkTasksFrom(m_data.Alarms.Contains(h) ? m_data.Alarms.GetNextPosition(h) : next, now);
            return;
        }
    }
}

void ReminderDispatcher::checkTasksFrom(EntryHandle entry, const DateTime &now)
{
    const StableList<AlarmTask> &alarms = m_data.Alarms;
    for (EntryHandle h = entry; alarms.Contains(h);) {
        const EntryHandle next = alarms.GetNextPosition(h);
        checkTask(h, now);
        // A handler may have removed either entry.
        h = alarms.Contains(h) ? alarms.GetNextPosition(h) : next;
    }
}

bool ReminderDispatcher::checkTask(EntryHandle h, const DateTime &now)
{
    const quint64 revision = m_data.Alarms.Revision();
    const AlarmTask &task = m_data.Alarms.At(h);
    const Trigger trigger = triggerOf(task, now);
    if (task.ReportMode != AlarmTask::AtDateTime || !trigger.holds)
        return false;
    // A copy, as firing may change or remove the entry.
    const AlarmTask copy = task;
    if (!trigger.limited || LimitsCheck(copy, now))
        fire(h, copy);
    const bool changed = m_data.Alarms.Revision() != revision;
    // The handler may have removed the entry (a window deleting it).
    if (copy.Schedule != AlarmTask::Once && m_data.Alarms.Contains(h))
        advanceInList(h, copy, now);
    return changed;
}

void ReminderDispatcher::CheckSnoozed(const DateTime &now)
{
    for (EntryHandle h = m_data.Snoozed.GetHeadPosition(); h;) {
        const EntryHandle next = m_data.Snoozed.GetNextPosition(h);
        const AlarmTask copy = m_data.Snoozed.At(h);
        // A snooze counts from the due time, so a popup answered late can
        // snooze into the past: such a copy fires now rather than never.
        if (copy.ReportMode == AlarmTask::AtDateTime && copy.DateTime.IsValid() && copy.DateTime <= now) {
            m_data.Snoozed.RemoveAt(h);
            if (m_handlers.fireTask)
                m_handlers.fireTask(copy);
        }
        h = next;
    }
}

void ReminderDispatcher::CheckBirthdays(const DateTime &now)
{
    if (!m_handlers.birthdayNotice)
        return;
    const DateTime today = now.Day0();
    for (EntryHandle h = m_data.Birthdays.GetHeadPosition(); h; h = m_data.Birthdays.GetNextPosition(h)) {
        BirthdayEntry entry = m_data.Birthdays.At(h);
        // The coming birthday: Gregorian or lunar, 29 February and lunar
        // day 30 in the years without them.
        const auto [birthday, nextYear] = NextBirthday(BirthOf(entry), today);
        if (!birthday.IsValid())
            continue;
        bool changed = false;
        for (auto [flag, days] : {std::pair {&BirthdayEntry::OneWeeks, 7}, std::pair {&BirthdayEntry::OneDay, 1},
                                  std::pair {&BirthdayEntry::TwoWeeks, 14}}) {
            if (!(entry.*flag) || birthday < today || birthday > today.AddDays(days))
                continue;
            m_handlers.birthdayNotice(entry, nextYear);
            if (m_handlers.announceTime)
                m_handlers.announceTime();
            entry.*flag = 0;
            changed = true;
        }
        if (changed)
            m_data.Birthdays.SetAt(h, entry);
    }
}

void ReminderDispatcher::CheckAutomaticSync(const DateTime &now)
{
    const SyncSettings &sync = m_data.Settings.Synchronization;
    // An interval below an hour would mean every second; it never runs then.
    if (sync.AutoSyn != 1 || sync.SynMinute < 1 || !m_handlers.synchronise)
        return;
    if (now.SecondOfDay() % (qint64(sync.SynMinute) * 3600) == 0)
        m_handlers.synchronise();
}

void ReminderDispatcher::StartupPass(const DateTime &now, bool firstRun)
{
    for (EntryHandle h = m_data.Alarms.GetHeadPosition(); h;) {
        const EntryHandle next = m_data.Alarms.GetNextPosition(h);
        const AlarmTask copy = m_data.Alarms.At(h);
        const bool startupTask =
            copy.ReportMode == AlarmTask::AtEveryStart || (copy.ReportMode == AlarmTask::AtFirstStart && firstRun);
        bool due = false; // the conditions before the limits hold
        bool limited = true;
        switch (copy.Schedule) {
        case AlarmTask::Once:
            due = true;
            limited = false;
            break;
        case AlarmTask::Daily:
            due = copy.DiaryReportMode || sameDay(copy.DateTime, now);
            break;
        case AlarmTask::Weekly:
            due = sameDay(copy.DateTime, now) && copy.WeeklyEnable.test(size_t(now.WeekdayBit()));
            break;
        case AlarmTask::Monthly:
            due = sameDay(copy.DateTime, now);
            break;
        case AlarmTask::Yearly:
            due = sameDay(copy.DateTime, now);
            limited = false;
            break;
        default:
            break; // hourly tasks never fire at start
        }
        if (due && startupTask && (!limited || LimitsCheck(copy, now)) && m_handlers.fireTask)
            m_handlers.fireTask(copy);
        if (due && copy.Schedule >= AlarmTask::Daily && copy.Schedule <= AlarmTask::Yearly && m_data.Alarms.Contains(h))
            advanceInList(h, copy, now);
        h = next;
    }
}

void ReminderDispatcher::forgetOldFirings(const DateTime &now)
{
    // Looking through them every second would cost more than the rest of
    // the tick once many have fired: only when their number has doubled.
    if (m_fired.size() < std::max<qsizetype>(64, 2 * m_firedKept))
        return;
    const qint64 horizon = now.Seconds() - FiringMemorySeconds;
    m_fired.removeIf([horizon](const Firing &f) { return f.due < horizon; });
    m_firedKept = m_fired.size();
}
