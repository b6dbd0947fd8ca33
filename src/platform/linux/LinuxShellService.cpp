// SPDX-License-Identifier: MIT
#include "platform/linux/LinuxShellService.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

namespace {

struct SettingsTool
{
    // Names in XDG_CURRENT_DESKTOP this tool belongs to.
    QStringList desktops;
    QString program;
    QStringList arguments;
};

// In the order tried when the desktop is unknown: KDE's settings run under
// any desktop, while GNOME's control centre refuses to run outside GNOME.
QList<SettingsTool> settingsTools()
{
    const QStringList kde {QStringLiteral("KDE")};
    const QStringList clock {QStringLiteral("kcm_clock")};
    const QStringList datetime {QStringLiteral("datetime")};
    return {
        // Plasma 6 and late Plasma 5 ship "systemsettings"; older Plasma 5
        // only "systemsettings5"; kcmshell opens the page on its own.
        {kde, QStringLiteral("systemsettings"), clock},
        {kde, QStringLiteral("systemsettings5"), clock},
        {kde, QStringLiteral("kcmshell6"), clock},
        {kde, QStringLiteral("kcmshell5"), clock},
        {{QStringLiteral("X-Cinnamon"), QStringLiteral("Cinnamon")},
         QStringLiteral("cinnamon-settings"),
         {QStringLiteral("calendar")}},
        {{QStringLiteral("Budgie")}, QStringLiteral("budgie-control-center"), datetime},
        {{QStringLiteral("Unity")}, QStringLiteral("unity-control-center"), datetime},
        {{QStringLiteral("GNOME"), QStringLiteral("Unity")}, QStringLiteral("gnome-control-center"), datetime},
    };
}

// "http:", "mailto:", "file:"... A single letter before the colon is a
// Windows drive carried over in old data, not a scheme.
bool looksLikeAddress(const QString &target)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(target).hasMatch();
}

bool openLocal(const QString &path)
{
    const QFileInfo info(path);
    const QString absolute = info.absoluteFilePath();
    if (info.isFile() && info.isExecutable()) {
        if (QProcess::startDetached(absolute, {}, info.absolutePath()))
            return true;
        // Not a program after all: an executable bit on a document, as on
        // every file of a FAT-formatted stick. Open it as a document.
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(absolute));
}

} // namespace

bool LinuxShellService::Open(const QString &target)
{
    if (target.isEmpty())
        return false;
    if (looksLikeAddress(target)) {
        const QUrl url(target, QUrl::TolerantMode);
        if (!url.isValid())
            return false;
        if (url.isLocalFile())
            return openLocal(url.toLocalFile());
        return QDesktopServices::openUrl(url);
    }
    return openLocal(target);
}

QList<QStringList> LinuxShellService::DateTimeSettingsCommands()
{
    const QList<SettingsTool> tools = settingsTools();
    auto command = [](const SettingsTool &tool) {
        const QString program = QStandardPaths::findExecutable(tool.program);
        return program.isEmpty() ? QStringList() : QStringList(program) + tool.arguments;
    };

    // Tools of the running desktop, in the order the desktop names itself
    // ("Budgie:GNOME" prefers Budgie's own centre).
    QList<QStringList> commands;
    const QStringList desktops =
        qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString &desktop : desktops) {
        for (const SettingsTool &tool : tools) {
            if (!tool.desktops.contains(desktop, Qt::CaseInsensitive))
                continue;
            const QStringList found = command(tool);
            if (!found.isEmpty() && !commands.contains(found))
                commands.append(found);
        }
    }
    if (!commands.isEmpty())
        return commands;

    // An unknown desktop, or none of its own tools installed: whatever is.
    for (const SettingsTool &tool : tools) {
        const QStringList found = command(tool);
        if (!found.isEmpty())
            commands.append(found);
    }
    return commands;
}

bool LinuxShellService::OpenDateTimeSettings()
{
    for (const QStringList &command : DateTimeSettingsCommands()) {
        if (QProcess::startDetached(command.constFirst(), command.mid(1)))
            return true;
    }
    return false;
}
