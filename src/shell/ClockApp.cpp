// SPDX-License-Identifier: MIT
#include "shell/ClockApp.h"

#include "editor/BirthdayDialog.h"
#include "editor/BirthdayNotice.h"
#include "editor/QuickReminderDialog.h"
#include "editor/ReminderEditor.h"
#include "firing/ReminderDispatcher.h"
#include "firing/ReminderFirer.h"
#include "missed/MissedReminders.h"
#include "model/AtomicFile.h"
#include "model/AutoSaver.h"
#include "notes/NoteWindows.h"
#include "platform/Clock.h"
#include "platform/SleepWatch.h"
#include "scripting/ClockBus.h"
#include "scripting/ClockService.h"
#include "settings/SettingsDialog.h"
#include "shell/AboutDialog.h"
#include "shell/CalendarPopups.h"
#include "shell/ClockWindow.h"
#include "shell/MenuIds.h"
#include "shell/ProgramDirectory.h"
#include "shell/SingleInstance.h"
#include "speech/SpeakingClockSetup.h"
#include "taskmanager/TaskManagerWindow.h"
#include "timesync/TimeSyncUi.h"
#include "update/ProgramProfile.h"
#include "update/UpdateUi.h"
#include "widgets/MessageBoxes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>

Q_LOGGING_CATEGORY(lcShell, "tockly.shell", QtWarningMsg)

namespace {

// The application still running when the process ends without its exit
// path: Qt ends the process with exit() when the X connection breaks.
ClockApp *runningApp = nullptr;

void saveAtProcessExit()
{
    if (runningApp)
        runningApp->SaveAll();
}

ScreenRect desktopRect()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect desktop = screen ? screen->virtualGeometry() : QRect(0, 0, 1024, 768);
    return {desktop.left(), desktop.top(), desktop.right(), desktop.bottom()};
}

} // namespace

ClockApp::ClockApp(const QString &programDirectory, const Services &services, QObject *parent)
    : QObject(parent)
    , m_data(programDirectory)
    , m_services(services)
{
    m_data.SetSkinDirectory(skinDirectory());
}

ClockApp::~ClockApp()
{
    if (runningApp == this)
        runningApp = nullptr;
}

QString ClockApp::ProgramDirectory(const QStringList &arguments)
{
    const QString folder = ResolveProgramDirectory(ProcessProgramDirectoryInputs(arguments));
    QDir().mkpath(folder);
    return folder;
}

QString ClockApp::skinDirectory() const
{
    // An installed program keeps its skins beside the executable; a Skin
    // folder in the data folder takes precedence.
    const QString own = m_data.FilePath(QStringLiteral("Skin"));
    const QString shipped = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Skin"));
    return QFileInfo(own).isDir() || !QFileInfo(shipped).isDir() ? own : shipped;
}

bool ClockApp::InitInstance()
{
    m_instance = std::make_unique<SingleInstance>(SingleInstance::KeyFor(m_data.ProgramDirectory()));
    if (!m_instance->Claim()) {
        m_data.SaveOnExit = 0;
        return false;
    }
    // Asked before anything loads, as it always was; the check itself runs
    // in the background.
    m_update = std::make_unique<UpdateCheck>(UpdateSite(), DesktopUpdateHooks(m_services.network, m_services.shell));
    ProgramProfile profile;
    OfferUpdateAtStart(*m_update, m_services.network, profile);
    if (m_exiting)
        return false; // ended while asking: nothing loaded, nothing to save
    // Saves killed halfway by an earlier run leave their temporary files.
    if (const int removed = RemoveStaleTemporaryFiles(m_data.ProgramDirectory(), DataFileNames))
        qCInfo(lcShell) << "Removed" << removed << "temporary files of interrupted saves";
    m_window = std::make_unique<ClockWindow>(m_data, m_services);
    connect(m_instance.get(), &SingleInstance::ShowRequested, m_window.get(), &ClockWindow::ShowClock);
    connect(m_window.get(), &ClockWindow::ExitRequested, this, &ClockApp::Exit);

    if (m_data.LoadAll(*m_services.clock, desktopRect()) == LoadResult::AppendFailed)
        MessageBoxes::Warning(nullptr, AddTaskFailedText);
    m_data.KeepDamagedFiles();
    if (!m_window->Create()) {
        // Nothing is written from here on, whatever ends the process while
        // the message shows (a termination signal, the session ending).
        m_data.SaveOnExit = 0;
        m_window.reset();
        MessageBoxes::Information(nullptr, StartFailedText);
        return false;
    }
    connectTimeSync();
    connectReminders();
    connectWindows();
    m_notes->ShowAtStart();
    startSavingChanges();
    connectSettings();
    if (m_data.Settings.Synchronization.StartSyn)
        syncNow();
    // Without settings yet, this is the program's first run.
    const bool firstRun = !QFileInfo::exists(m_data.FilePath(ConfigFileName));
    m_dispatcher->StartupPass(m_services.clock->Now(), firstRun);
    m_window->ShowAsConfigured();
    watchMissedReminders();
    serveScripting();
    // Once the clock shows: where the copies of damaged files went.
    QTimer::singleShot(0, this, &ClockApp::reportDamagedFileCopies);
    return true;
}

void ClockApp::connectReminders()
{
    m_speaker = CreateSpeakingClock(m_data, m_services, m_window->Menu());
    ReminderFirer::Hooks hooks;
    hooks.announceTime = [this] {
        AnnounceTimeThread();
    };
    hooks.fired = [window = m_window.get()](const AlarmTask &task) {
        window->SetLastFired(task);
    };
    hooks.openEditor = [this](EntryHandle entry) {
        ReminderEditor::OpenModeless(m_data, m_services, entry);
    };
    m_firer = std::make_unique<ReminderFirer>(m_data, m_services, std::move(hooks));

    ReminderDispatcher::Handlers handlers;
    handlers.fireTask = [firer = m_firer.get()](const AlarmTask &task) {
        firer->FireTask(task);
    };
    handlers.announceTime = [this] {
        AnnounceTimeThread();
    };
    handlers.speakingClock = [speaker = m_speaker.get()](const DateTime &now) {
        speaker->CheckInterval(now);
    };
    handlers.synchronise = [this] {
        syncNow();
    };
    handlers.birthdayNotice = [this](const BirthdayEntry &entry, bool nextYear) {
        BirthdayNotice::Open(entry, nextYear, m_services);
    };
    handlers.missed = [this](const QList<MissedReminder> &missed) {
        if (m_missed)
            m_missed->Report(missed);
    };
    m_dispatcher = std::make_unique<ReminderDispatcher>(m_data, std::move(handlers));
    connect(m_window.get(), &ClockWindow::SecondTicked, this,
            [dispatcher = m_dispatcher.get()](const DateTime &now) { dispatcher->Tick(now); });
}

void ClockApp::connectWindows()
{
    // A new reminder from the menu (and the clock's double click).
    m_window->SetCommandHandler(MenuId::NewAlarm,
                                [this] { ReminderEditor::OpenModal(m_data, m_services, {}, -1, m_window.get()); });
    m_window->SetCommandHandler(MenuId::TaskList, [this] { TaskManagerWindow::Open(m_data, m_services); });
    m_window->SetCommandHandler(MenuId::SpeakTime, [this] { AnnounceTimeThread(); });
    m_window->SetCommandHandler(MenuId::NewBirthday,
                                [this] { BirthdayDialog::OpenModal(m_data, m_services, {}, m_window.get()); });
    // The quick reminder, plain or with its time moved by a preset.
    m_window->SetCommandHandler(MenuId::QuickCustom,
                                [this] { QuickReminderDialog::OpenModal(m_data, m_services, {}, m_window.get()); });
    for (int id = MenuId::QuickMinutesFirst; id <= MenuId::QuickWeekdayLast; ++id) {
        if (const std::optional<QuickChoice> preset = TrayQuickChoice(id))
            m_window->SetCommandHandler(
                id, [this, preset] { QuickReminderDialog::OpenModal(m_data, m_services, preset, m_window.get()); });
    }
    m_notes = std::make_unique<NoteWindows>(m_data, m_services);
    m_window->SetCommandHandler(MenuId::NewNote, [notes = m_notes.get()] { notes->NewNote(); });
}

void ClockApp::watchMissedReminders()
{
    MissedReminders::Hooks hooks;
    hooks.balloon = [window = m_window.get()](const QString &title, const QString &text) {
        if (TrayIcon *tray = window->Tray(); tray && tray->IsAvailable())
            tray->ShowBalloon(title, text, 10000);
    };
    hooks.openEditor = [this](EntryHandle entry) {
        ReminderEditor::OpenModeless(m_data, m_services, entry);
    };
    hooks.settingsChanged = [saver = m_saver.get()] {
        saver->MarkChanged(SaveJob::ExtraGroup);
    };
    m_missed = std::make_unique<MissedReminders>(m_data, m_services, std::move(hooks));
    // The load reported what came before it; the tick goes on from there.
    m_dispatcher->StartFrom(m_data.LoadedAt());
    if (m_services.sleep) {
        connect(m_services.sleep, &SleepWatch::Resumed, this,
                [this] { m_dispatcher->CheckGap(m_services.clock->Now()); });
    }
    // Once the clock shows.
    QTimer::singleShot(0, this, [this] { m_missed->Report(m_data.TakeMissedAtLoad()); });
    // Every save stamps the moment the program last ran; so does this, about
    // once a minute, so that a crash or a power cut loses little of it.
    auto *stamp = new QTimer(this);
    connect(stamp, &QTimer::timeout, m_saver.get(), [saver = m_saver.get()] { saver->MarkChanged(SaveJob::ExtraGroup); });
    stamp->start(60000);
}

void ClockApp::serveScripting()
{
    ClockService::Hooks hooks;
    hooks.speakTime = [this] {
        AnnounceTimeThread();
    };
    hooks.quit = [this] {
        Exit();
    };
    hooks.openEditor = [this](EntryHandle entry) {
        ReminderEditor::OpenModeless(m_data, m_services, entry);
    };
    m_scripting = std::make_unique<ClockService>(m_data, m_services, std::move(hooks));
    m_scripting->Register(QDBusConnection::sessionBus(), ClockBusName(m_data.ProgramDirectory()));
}

void ClockApp::connectSettings()
{
    m_window->SetCommandHandler(MenuId::Settings, [this] { openSettings(SettingsDialog::GeneralIndex); });
    m_window->SetCommandHandler(MenuId::SkinOptions, [this] { openSettings(SettingsDialog::InterfaceIndex); });
    m_window->SetCommandHandler(MenuId::SyncOptions, [this] { openSettings(SettingsDialog::SyncIndex); });

    m_calendars = std::make_unique<CalendarPopups>(m_data, m_services);
    m_window->SetCommandHandler(MenuId::ShowCalendar, [calendars = m_calendars.get()] { calendars->ShowCentred(); });
    connect(m_window.get(), &ClockWindow::MouseRested, m_calendars.get(),
            [calendars = m_calendars.get(), window = m_window.get()] { calendars->ShowBeside(*window); });
    connect(m_window.get(), &ClockWindow::MouseLeft, m_calendars.get(), &CalendarPopups::ClockLeft);

    m_window->SetCommandHandler(MenuId::About, [this] {
        AboutDialog(m_window.get(), [update = m_update.get()] { update->CheckUpdateNow(); }).exec();
    });
}

void ClockApp::openSettings(int page)
{
    SettingsDialog::Hooks hooks;
    hooks.announceTime = [this] {
        AnnounceTimeThread();
    };
    hooks.saved = [saver = m_saver.get()](int parts) {
        saver->MarkChanged(parts);
    };
    hooks.timeSync = m_timeSync.get();
    SettingsDialog::Open(m_data, m_services, *m_window, std::move(hooks), page);
}

void ClockApp::AnnounceTimeThread()
{
    if (m_speaker)
        m_speaker->AnnounceTimeThread();
}

void ClockApp::startSavingChanges()
{
    m_saver = std::make_unique<AutoSaver>(m_data, *m_window);
    connect(m_window.get(), &ClockWindow::ClockSettingsChanged, m_saver.get(),
            [saver = m_saver.get()] { saver->MarkChanged(SaveJob::ClockGroup); });
    connect(m_saver.get(), &AutoSaver::SaveFailed, this, &ClockApp::reportFailedSave);
    connect(m_saver.get(), &AutoSaver::Finished, this, &ClockApp::reportDamagedFileCopies);
    runningApp = this;
    static const bool registered = std::atexit(saveAtProcessExit) == 0;
    Q_UNUSED(registered);
}

void ClockApp::reportFailedSave(const SaveReport &failures)
{
    QStringList lines;
    for (const SaveFailure &failure : failures)
        lines.append(tr("无法保存文件 %1：%2").arg(QDir::toNativeSeparators(failure.path), failure.reason));
    lines.append(tr("您的更改仍保留在程序中，下次更改或退出时将再次尝试保存。"));
    MessageBoxes::Warning(nullptr, lines.join(QLatin1Char('\n')));
}

void ClockApp::connectTimeSync()
{
    TimeSync::InstallServerList(m_data.ProgramDirectory(), QCoreApplication::applicationDirPath());
    m_timeSync = std::make_unique<TimeSync>(*m_services.clock, m_services.time, m_data.Settings.Synchronization,
                                            DesktopTimeSyncHooks(*m_services.sound));
    m_window->SetCommandHandler(MenuId::SyncTimeServer, [this] { syncNow(); });
}

void ClockApp::syncNow()
{
    m_timeSync->SyncNow(m_data.FilePath(TimeSync::ServerListName));
}

void ClockApp::reportDamagedFileCopies()
{
    const QStringList copies = m_data.TakeDamagedFileCopies();
    if (copies.isEmpty())
        return;
    QStringList paths;
    for (const QString &copy : copies)
        paths.append(QDir::toNativeSeparators(copy));
    MessageBoxes::Information(nullptr,
                              tr("读取数据文件时发现文件已损坏，程序保留了能读出的内容。"
                                 "损坏的原文件已另存为：\n%1")
                                  .arg(paths.join(QLatin1Char('\n'))));
}

void ClockApp::SaveAll()
{
    if (m_saved || !m_window)
        return;
    m_saved = true;
    // Text being typed into a note and the places notes were dragged to.
    if (m_notes)
        m_notes->CommitAll();
    if (m_saver)
        m_saver->SaveNow();
    else
        m_data.SaveAll(*m_window);
}

void ClockApp::Exit()
{
    if (m_exiting)
        return;
    m_exiting = true;
    SaveAll();
    if (m_window)
        m_window->StopTimer();
    // exit() rather than quit(): quit() first asks the windows to close, and
    // the clock window turns a close into this very exit path.
    QCoreApplication::exit(0);
}
