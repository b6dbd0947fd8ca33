// SPDX-License-Identifier: MIT
// The clock executable.
#include "CommandLine.h"
#include "ScriptClient.h"
#include "TerminationSignals.h"
#include "model/CategoryTable.h"
#include "platform/SystemClock.h"
#include "platform/linux/LinuxNetworkService.h"
#include "platform/linux/LinuxPowerService.h"
#include "platform/linux/LinuxShellService.h"
#include "platform/linux/LinuxSoundService.h"
#include "platform/linux/LogindSleepWatch.h"
#include "platform/linux/TimedatedTimeService.h"
#include "platform/linux/XcbWindowBlitter.h"
#include "platform/linux/XdgAutostartService.h"
#include "shell/ClockApp.h"
#include "shell/ProgramDirectory.h"
#include "widgets/Fonts.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QSessionManager>
#include <QTranslator>
#include <csignal>

namespace {

// A desktop clock must place itself and stay on top, which Wayland does not
// let a program do; run through XWayland unless the user chose otherwise.
void preferX11OnWayland()
{
    if (qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

// The program speaks Chinese; so should Qt's own buttons and dialogs.
void installChineseTranslations(QApplication &app)
{
    auto *translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

QStringList argumentsOf(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

} // namespace

int main(int argc, char **argv)
{
    // Answered before any display is needed.
    const CommandLine commandLine = CommandLine::Parse(argumentsOf(argc, argv));
    if (commandLine.isVerb()) {
        // A message to the running clock: no display either.
        QCoreApplication app(argc, argv);
        return RunScriptVerb(commandLine, QCoreApplication::arguments());
    }
    if (commandLine.action() != CommandLine::Run)
        return commandLine.Answer();
    // A save on a full disk must fail with an error, not kill the program.
    std::signal(SIGXFSZ, SIG_IGN);
    preferX11OnWayland();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("clock"));
    QApplication::setWindowIcon(QIcon(CategoryTable::programIconPath()));
    // The clock window hides and shows; only the exit command ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    installChineseTranslations(app);
    InstallFontSubstitutions();
    UseChineseInterfaceFont();

    SystemClock clock;
    TimeZoneWatch zoneWatch;
    LinuxSoundService sound;
    LinuxPowerService power;
    LinuxShellService shell;
    const QString home = ClockApp::ProgramDirectory(QCoreApplication::arguments());
    // A clock told where its data lives starts with the session told the same.
    const bool homeChosen =
        !HomeFromArguments(QCoreApplication::arguments()).isEmpty() || !qEnvironmentVariableIsEmpty("TOCKLY_HOME");
    XdgAutostartService autostart(QCoreApplication::applicationFilePath(), homeChosen ? home : QString());
    TimedatedTimeService time;
    LogindSleepWatch sleep;
    LinuxNetworkService network;
    XcbWindowBlitter blitter;
    const Services services {&clock, &sound, &power, &shell, &autostart, &time, &sleep, &network, &blitter};

    ClockApp clockApp(home, services);
    TerminationSignals terminationSignals;
    QObject::connect(&terminationSignals, &TerminationSignals::Received, &clockApp, &ClockApp::Exit);
    // The session is ending: save now, the session manager ends us next.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &clockApp,
                     [&clockApp](QSessionManager &) { clockApp.SaveAll(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &clockApp, &ClockApp::SaveAll);

    // A termination signal during start-up (a question open, the data being
    // read) has saved already; the loop it tried to end was not this one.
    if (!clockApp.InitInstance() || clockApp.ExitRequested())
        return 0;
    return QApplication::exec();
}
