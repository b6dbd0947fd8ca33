// SPDX-License-Identifier: MIT
#include "shell/ClockApp.h"

#include "editor/ReminderEditor.h"
#include "firing/ReminderDispatcher.h"
#include "firing/ReminderFirer.h"
#include "platform/Clock.h"
#include "shell/ClockWindow.h"
#include "shell/MenuIds.h"
#include "shell/ProgramDirectory.h"
#include "shell/SingleInstance.h"
#include "taskmanager/TaskManagerWindow.h"
#include "timesync/TimeSyncUi.h"
#include "widgets/MessageBoxes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>

namespace {

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

ClockApp::~ClockApp() = default;

QString ClockApp::ProgramDirectory(const QStringList &arguments)
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QFileInfo exeInfo(exeDir);
    ProgramDirectoryInputs in;
    in.commandLineHome = HomeFromArguments(arguments);
    in.environmentHome = qEnvironmentVariable("TOCKLY_HOME");
    in.executableDir = exeDir;
    in.executableDirWritable = exeInfo.isDir() && exeInfo.isWritable();
    in.userDataDir =
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)).filePath(QStringLiteral("tockly"));
    const QString folder = ResolveProgramDirectory(in);
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
    m_window = std::make_unique<ClockWindow>(m_data, m_services);
    connect(m_instance.get(), &SingleInstance::ShowRequested, m_window.get(), &ClockWindow::ShowClock);
    connect(m_window.get(), &ClockWindow::ExitRequested, this, &ClockApp::Exit);

    if (m_data.LoadAll(*m_services.clock, desktopRect()) == LoadResult::AppendFailed)
        MessageBoxes::Warning(nullptr, AddTaskFailedText);
    if (!m_window->Create()) {
        MessageBoxes::Information(nullptr, StartFailedText);
        m_window.reset();
        return false;
    }
    connectTimeSync();
    connectReminders();
    connectWindows();
    if (m_data.Settings.Synchronization.StartSyn)
        syncNow();
    // Without settings yet, this is the program's first run.
    const bool firstRun = !QFileInfo::exists(m_data.FilePath(ConfigFileName));
    m_dispatcher->StartupPass(m_services.clock->Now(), firstRun);
    m_window->ShowAsConfigured();
    return true;
}

void ClockApp::connectReminders()
{
    ReminderFirer::Hooks hooks;
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
    handlers.synchronise = [this] {
        syncNow();
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

void ClockApp::SaveAll()
{
    if (m_saved || !m_window)
        return;
    m_saved = true;
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
