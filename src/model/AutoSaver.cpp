// SPDX-License-Identifier: MIT
#include "model/AutoSaver.h"

#include "model/AppData.h"
#include "model/ModelLog.h"

#include <algorithm>

// Turns every change of one list into a scheduled save of the task file.
class AutoSaver::ListWatch : public ListObserver
{
public:
    ListWatch(AutoSaver &saver, bool routineAware)
        : m_saver(saver)
        , m_routineAware(routineAware)
    { }

    void EntryAdded(EntryHandle) override { changed(); }
    void EntryChanged(EntryHandle) override
    {
        if (!(m_routineAware && m_saver.m_data.InRoutineChange()))
            changed();
    }
    void EntryRemoving(EntryHandle) override { changed(); }
    void ListReset() override { changed(); }

private:
    void changed() { m_saver.MarkChanged(SaveJob::TaskFile); }

    AutoSaver &m_saver;
    bool m_routineAware;
};

AutoSaver::AutoSaver(AppData &data, const ClockWindowState &window, QObject *parent)
    : QObject(parent)
    , m_data(data)
    , m_window(window)
    , m_alarmWatch(std::make_unique<ListWatch>(*this, true))
    , m_birthdayWatch(std::make_unique<ListWatch>(*this, false))
    , m_noteWatch(std::make_unique<ListWatch>(*this, false))
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &AutoSaver::startSave);
    m_data.Alarms.AddObserver(m_alarmWatch.get());
    m_data.Birthdays.AddObserver(m_birthdayWatch.get());
    m_data.Notes.AddObserver(m_noteWatch.get());
}

AutoSaver::~AutoSaver()
{
    m_data.Alarms.RemoveObserver(m_alarmWatch.get());
    m_data.Birthdays.RemoveObserver(m_birthdayWatch.get());
    m_data.Notes.RemoveObserver(m_noteWatch.get());
    joinWriter();
}

void AutoSaver::SetDelays(int quietMs, int latestMs)
{
    m_quietMs = quietMs;
    m_latestMs = latestMs;
}

void AutoSaver::MarkChanged(int parts)
{
    if (!m_pending)
        m_sinceFirstChange.start();
    m_pending |= parts;
    if (m_job)
        return; // the save under way schedules the next when it ends
    const qint64 untilLatest = m_latestMs - m_sinceFirstChange.elapsed();
    m_timer.start(int(std::clamp<qint64>(untilLatest, 0, m_quietMs)));
}

void AutoSaver::startSave()
{
    if (m_job || !m_pending || !m_data.SaveOnExit)
        return;
    m_job = std::make_shared<SaveJob>(m_data, m_window, m_pending);
    m_pending = 0;
    m_writer = std::thread([this, job = m_job] {
        m_outcome = job->Write();
        // Back on the window thread; dropped if the saver is gone by then
        // (its destructor joins this thread first, so `this` is still alive
        // while the call is queued).
        QMetaObject::invokeMethod(this, &AutoSaver::finish, Qt::QueuedConnection);
    });
}

void AutoSaver::finish()
{
    if (!m_job)
        return; // the exit-time save took this one in already
    joinWriter();
    const int parts = std::exchange(m_job, {})->Parts();
    const SaveOutcome outcome = std::exchange(m_outcome, {});
    m_data.SaveFinished(outcome);
    const SaveReport &report = outcome.failures;
    const bool changedMeanwhile = m_pending != 0;
    for (const SaveFailure &failure : report) {
        // What failed is still to be saved: with the next change, or at exit.
        m_pending |= failure.path.endsWith(AlarmFileName) ? SaveJob::TaskFile : (parts & ~SaveJob::TaskFile);
        qCWarning(lcModel) << "Could not save" << failure.path << ":" << failure.reason;
    }
    const SaveReport fresh = newFailures(report, parts);
    Q_EMIT Finished();
    if (!fresh.isEmpty())
        Q_EMIT SaveFailed(fresh);
    // Changes made while this save ran start the next one; a failure alone
    // waits for the next change.
    if (changedMeanwhile)
        MarkChanged(0);
}

SaveReport AutoSaver::newFailures(const SaveReport &report, int parts)
{
    // A file that saved is reported again should it fail later.
    QStringList written;
    if (parts & SaveJob::TaskFile)
        written.append(m_data.FilePath(AlarmFileName));
    if (parts & ~SaveJob::TaskFile)
        written.append(m_data.FilePath(ConfigFileName));
    for (const QString &path : written) {
        if (std::none_of(report.begin(), report.end(), [&path](const SaveFailure &f) { return f.path == path; }))
            m_reported.remove(path);
    }
    SaveReport fresh;
    for (const SaveFailure &failure : report) {
        if (!m_reported.contains(failure.path))
            fresh.append(failure);
        m_reported.insert(failure.path);
    }
    return fresh;
}

void AutoSaver::joinWriter()
{
    if (m_writer.joinable())
        m_writer.join();
}

SaveReport AutoSaver::SaveNow()
{
    m_timer.stop();
    finish(); // a save under way ends first
    const int parts = SaveJob::ExitSave | m_pending;
    m_pending = 0;
    if (!m_data.SaveOnExit)
        return {};
    const SaveOutcome outcome = SaveJob(m_data, m_window, parts).Write();
    m_data.SaveFinished(outcome);
    for (const SaveFailure &failure : outcome.failures)
        qCWarning(lcModel) << "Could not save" << failure.path << ":" << failure.reason;
    return outcome.failures;
}
