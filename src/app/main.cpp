// SPDX-License-Identifier: MIT
// The clock executable.
#include "TerminationSignals.h"
#include "model/CategoryTable.h"
#include "platform/SystemClock.h"
#include "platform/linux/LinuxPowerService.h"
#include "platform/linux/LinuxShellService.h"
#include "platform/linux/LinuxSoundService.h"
#include "platform/linux/TimedatedTimeService.h"
#include "platform/linux/XdgAutostartService.h"
#include "shell/ClockApp.h"
#include "widgets/Fonts.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QSessionManager>
#include <QTranslator>

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

} // namespace

int main(int argc, char **argv)
{
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
    LinuxSoundService sound;
    LinuxPowerService power;
    LinuxShellService shell;
    XdgAutostartService autostart(QCoreApplication::applicationFilePath());
    TimedatedTimeService time;
    const Services services {&clock, &sound, &power, &shell, &autostart, &time};

    ClockApp clockApp(ClockApp::ProgramDirectory(QCoreApplication::arguments()), services);
    TerminationSignals terminationSignals;
    QObject::connect(&terminationSignals, &TerminationSignals::Received, &clockApp, &ClockApp::Exit);
    // The session is ending: save now, the session manager ends us next.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &clockApp,
                     [&clockApp](QSessionManager &) { clockApp.SaveAll(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &clockApp, &ClockApp::SaveAll);

    if (!clockApp.InitInstance())
        return 0;
    return QApplication::exec();
}
