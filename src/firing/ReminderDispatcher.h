// SPDX-License-Identifier: MIT
#pragma once

#include "missed/MissedMoments.h"
#include "model/AlarmTask.h"
#include "model/BirthdayNote.h"
#include "model/DateTime.h"

#include <QSet>
#include <QString>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class AppData;

// Whether a task's date range and daily time window allow it to fire now.
bool LimitsCheck(const AlarmTask &task, const DateTime &now);

// Reads the time server chosen by index (0-based) from the server list
// file: that line, trimmed; empty when the file ends before it. Nothing
// when the file cannot be opened.
std::optional<QString> ReadServerName(const QString &path, int index);

// Decides, second by second, which reminders fall due: tasks, snoozed
// copies and birthday notices, and when the speaking clock and the time
// synchronisation run. What happens to them is left to the handlers.
//
// Matching is exact to the second, so a second the timer does not see
// would fire nothing. When ticks come late (a busy machine), every second
// since the last one seen is evaluated in order, up to a minute back; a
// longer gap is sleep, a frozen session or a clock change: those seconds
// fire nothing, the due moments in them are reported as missed, and the
// recurring tasks they held move on to their next occurrence. When the clock
// goes back, a due moment that already fired does not fire again.
class ReminderDispatcher
{
public:
    struct Handlers
    {
        std::function<void(const AlarmTask &)> fireTask;
        // Without a birthday handler, birthday notices wait (their flags stay).
        std::function<void(const BirthdayEntry &, bool nextYear)> birthdayNotice;
        std::function<void()> announceTime;
        // The speaking clock's periodic check, every second.
        std::function<void(const DateTime &)> speakingClock;
        std::function<void()> synchronise;
        // Due moments of a gap the tick did not see, in order.
        std::function<void(const QList<MissedReminder> &)> missed;
    };

    static constexpr int MaxCatchUpSeconds = 60;

    ReminderDispatcher(AppData &data, Handlers handlers);

    // The tick: evaluates the seconds since the last tick up to now.
    void Tick(const DateTime &now);
    // The seconds after `evaluated` are the tick's to catch up with: the
    // program's start, once the load has taken care of what came before.
    void StartFrom(const DateTime &evaluated);
    // The machine woke up: a gap since the last tick is reported and skipped
    // now, before the next tick (which goes on from `now`).
    void CheckGap(const DateTime &now);
    // One second, in the order the tick uses.
    void EvaluateSecond(const DateTime &now);

    void CheckTasks(const DateTime &now);
    // Fires (and removes) the snoozed copies due by now.
    void CheckSnoozed(const DateTime &now);
    void CheckBirthdays(const DateTime &now);
    void CheckAutomaticSync(const DateTime &now);
    // Fires the tasks due at program start; firstRun when there were no
    // settings yet.
    void StartupPass(const DateTime &now, bool firstRun);

private:
    void fire(EntryHandle entry, const AlarmTask &task);
    // Fires the task at entry when it is due now and moves a recurring one
    // on. True when a handler changed the task list meanwhile.
    bool checkTask(EntryHandle entry, const DateTime &now);
    // checkTask for entry and every entry after it, in list order.
    void checkTasksFrom(EntryHandle entry, const DateTime &now);
    // The tasks that can be due at this second of the day, in list order.
    std::vector<EntryHandle> candidatesAt(int secondOfDay);
    void advanceInList(EntryHandle entry, AlarmTask copy, const DateTime &now);
    // The seconds strictly between the last evaluated one and `until`, when
    // more than the catch-up takes: reports their due moments and moves the
    // recurring tasks due in them on. True when there was such a gap.
    bool skipGap(const DateTime &until);
    void forgetOldFirings(const DateTime &now);

    AppData &m_data;
    Handlers m_handlers;
    DateTime m_lastEvaluated = DateTime::Invalid();
    // Due moments that fired: entry and due time. Guards against firing a
    // moment again when the clock is set back.
    struct Firing
    {
        EntryHandle entry;
        qint64 due;
        friend bool operator==(const Firing &, const Firing &) = default;
    };
    friend size_t qHash(const Firing &f, size_t seed)
    {
        return qHashMulti(seed, f.entry.index, f.entry.generation, f.due);
    }
    QSet<Firing> m_fired;
    qsizetype m_firedKept = 0; // what the last forgetting left
    // Each task by the one second of the day its trigger can hold at, in
    // list order within a second; built from the list as of m_indexRevision.
    std::vector<std::pair<int, EntryHandle>> m_taskIndex;
    std::optional<quint64> m_indexRevision;
};
