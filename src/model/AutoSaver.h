// SPDX-License-Identifier: MIT
#pragma once

#include "model/SaveJob.h"

#include <QElapsedTimer>
#include <QObject>
#include <QSet>
#include <QTimer>
#include <memory>
#include <thread>

class AppData;
class ClockWindowState;

// Writes the data files soon after they change, so that a crash, a kill or
// a power cut loses at most the last second of work. Changes to the task,
// birthday and note lists are noticed by watching the lists; other callers
// say what changed with MarkChanged. A burst of changes gives one save about
// a second after the last of them (and never much later than the first).
//
// The lists are copied on the window thread, which takes well under a frame
// even for thousands of tasks, and written on a thread of their own. A save
// that fails keeps the old file and the data in memory; it is reported once
// per file (until that file saves again) and retried with the next change
// and at exit.
class AutoSaver : public QObject
{
    Q_OBJECT

public:
    static constexpr int QuietMs = 1000; // after the last change of a burst
    static constexpr int LatestMs = 5000; // after the first one, at most

    AutoSaver(AppData &data, const ClockWindowState &window, QObject *parent = nullptr);
    ~AutoSaver() override;

    // Schedules a save of these parts (SaveJob::Part flags).
    void MarkChanged(int parts);
    // The exit-time save, after any save under way: the task file, the
    // clock settings and whatever else changed since the last save.
    SaveReport SaveNow();
    bool SavePending() const { return m_pending != 0 || m_job; }

    void SetDelays(int quietMs, int latestMs);

Q_SIGNALS:
    // Files that could not be written, each reported once until it saves.
    void SaveFailed(const SaveReport &failures);
    // A save finished (whatever its outcome).
    void Finished();

private:
    class ListWatch;

    void startSave();
    void finish();
    void joinWriter();
    SaveReport newFailures(const SaveReport &report, int parts);

    AppData &m_data;
    const ClockWindowState &m_window;
    std::unique_ptr<ListWatch> m_alarmWatch;
    std::unique_ptr<ListWatch> m_birthdayWatch;
    std::unique_ptr<ListWatch> m_noteWatch;
    QTimer m_timer;
    QElapsedTimer m_sinceFirstChange;
    int m_quietMs = QuietMs;
    int m_latestMs = LatestMs;
    int m_pending = 0; // parts changed since the last save started
    std::shared_ptr<SaveJob> m_job; // the save being written
    SaveOutcome m_outcome; // what it did, set by the writer before it ends
    std::thread m_writer;
    QSet<QString> m_reported; // files whose failure the user was told about
};
