// SPDX-License-Identifier: MIT
#pragma once

#include "model/AppData.h"
#include "platform/Services.h"

#include <QObject>
#include <QStringList>
#include <memory>

class AutoSaver;
class ClockService;
class CalendarPopups;
class ClockWindow;
class MissedReminders;
class NoteWindows;
class ReminderDispatcher;
class ReminderFirer;
class SingleInstance;
class SpeakingClock;
class TimeSync;
class UpdateCheck;

// The application: it decides whether this process may run (one copy per
// user and program directory), loads the data, creates the clock window,
// and at the end writes the data back.
class ClockApp : public QObject
{
    Q_OBJECT

public:
    static inline const QString StartFailedText = QStringLiteral(
        u"Tockly发生错误即将关闭.请检查安装的文件是否完整,\n或将安装目录下的CONFIG.INI和alarms.lst文件备份后删除,\n"
        u"然后再尝试重新启动程序,如果问题依然存在,请联系我们!");

    ClockApp(const QString &programDirectory, const Services &services, QObject *parent = nullptr);
    ~ClockApp() override;

    // The folder of the data files: --home, TOCKLY_HOME, the executable's
    // folder when writable, else the user's data folder (created).
    static QString ProgramDirectory(const QStringList &arguments);

    // True to run the event loop. False when another copy runs (it was asked
    // to show its clock) or the clock window could not be created (the user
    // was told); nothing is saved then.
    bool InitInstance();

    // The exit path of the menu, the session ending and the termination
    // signals: saves everything once, stops the clock and ends the loop.
    void Exit();
    // Exit ran before the event loop proper: a termination signal while a
    // start-up question was open ended only that question's loop.
    bool ExitRequested() const { return m_exiting; }
    // The exit-time save; does nothing in a process that must not write.
    // Also run when the process ends without its exit path (the display
    // went away), so that the last changes are kept.
    void SaveAll();

    // Starts one time announcement (for the settings page and the birthday
    // notice; the menu, the tick and the reminders are wired here).
    void AnnounceTimeThread();

    AppData &Data() { return m_data; }
    ClockWindow *Window() const { return m_window.get(); }
    const Services &services() const { return m_services; }

private:
    QString skinDirectory() const;
    void startSavingChanges();
    void reportFailedSave(const SaveReport &failures);
    // Tells the user once where the copies of damaged files are.
    void reportDamagedFileCopies();
    void connectReminders();
    // Hands the menu the windows of the other parts.
    void connectWindows();
    void connectTimeSync();
    // Shows what fell due unseen: since the last run, in a gap of the tick,
    // across a sleep.
    void watchMissedReminders();
    // The session-bus interface the command-line verbs talk to.
    void serveScripting();
    // The settings dialog, the calendar popup and the update check.
    void connectSettings();
    void openSettings(int page);
    // Synchronises the clock with the server chosen in the settings.
    void syncNow();

    AppData m_data;
    Services m_services;
    std::unique_ptr<SingleInstance> m_instance;
    std::unique_ptr<ClockWindow> m_window;
    std::unique_ptr<SpeakingClock> m_speaker;
    std::unique_ptr<ReminderFirer> m_firer;
    std::unique_ptr<ReminderDispatcher> m_dispatcher;
    std::unique_ptr<AutoSaver> m_saver;
    std::unique_ptr<TimeSync> m_timeSync;
    std::unique_ptr<NoteWindows> m_notes;
    std::unique_ptr<MissedReminders> m_missed;
    std::unique_ptr<ClockService> m_scripting;
    std::unique_ptr<CalendarPopups> m_calendars;
    std::unique_ptr<UpdateCheck> m_update;
    bool m_exiting = false;
    bool m_saved = false;
};
