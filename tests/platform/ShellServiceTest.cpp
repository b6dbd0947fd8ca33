// SPDX-License-Identifier: MIT
#include "ScopedEnv.h"
#include "platform/linux/LinuxShellService.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QObject>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

// Stands in for the desktop's handlers: records every URL handed over.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    UrlCatcher()
    {
        for (const char *scheme : {"file", "http", "https", "mailto"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
    }
    ~UrlCatcher() override
    {
        for (const char *scheme : {"file", "http", "https", "mailto"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }

    QList<QUrl> urls;

public Q_SLOTS:
    void open(const QUrl &url) { urls.append(url); }
};

// The tests that change the working directory give it back.
struct CurrentDirGuard
{
    ~CurrentDirGuard() { QDir::setCurrent(previous); }
    const QString previous = QDir::currentPath();
};

void writeFile(const QString &path, const QByteArray &bytes, QFile::Permissions permissions = {})
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    if (permissions) {
        ASSERT_TRUE(file.setPermissions(permissions));
    }
}

QString readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed() : QString();
}

const QFile::Permissions Executable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

TEST(ShellServiceTest, ProgramsStartDetachedInTheirOwnFolder)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("my tools"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString script = folder + QStringLiteral("/write marker.sh");
    // The marker lands in the working directory, which must be the script's.
    writeFile(script, "#!/bin/sh\npwd > started.txt\n", Executable);

    UrlCatcher catcher;
    LinuxShellService shell;
    const CurrentDirGuard keepCurrent;
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    EXPECT_TRUE(shell.Open(script));
    const QString marker = folder + QStringLiteral("/started.txt");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !readFile(marker).isEmpty(); }, 5000));
    EXPECT_EQ(QDir(readFile(marker)).canonicalPath(), QDir(folder).canonicalPath());
    EXPECT_TRUE(catcher.urls.isEmpty());

    // A relative path and a file: URL name the same program.
    QFile::remove(marker);
    EXPECT_TRUE(shell.Open(QStringLiteral("my tools/write marker.sh")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !readFile(marker).isEmpty(); }, 5000));
    QFile::remove(marker);
    EXPECT_TRUE(shell.Open(QUrl::fromLocalFile(script).toString()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !readFile(marker).isEmpty(); }, 5000));
    EXPECT_TRUE(catcher.urls.isEmpty());
}

TEST(ShellServiceTest, DocumentsFoldersAndAddressesGoToTheDesktop)
{
    QTemporaryDir dir;
    const QString document = dir.filePath(QStringLiteral("提醒 list.txt"));
    writeFile(document, "water the plants\n");
    // An executable bit on a document, as on a FAT stick: not a program.
    const QString flagged = dir.filePath(QStringLiteral("flagged.txt"));
    writeFile(flagged, "not a program\n", Executable);

    UrlCatcher catcher;
    LinuxShellService shell;
    EXPECT_TRUE(shell.Open(document));
    EXPECT_TRUE(shell.Open(dir.path()));
    EXPECT_TRUE(shell.Open(flagged));
    EXPECT_TRUE(shell.Open(QStringLiteral("http://example.com/zodiac?sign=%E9%BC%A0")));
    EXPECT_TRUE(shell.Open(QStringLiteral("https://example.com/")));
    EXPECT_TRUE(shell.Open(QStringLiteral("mailto:someone@example.com")));
    EXPECT_FALSE(shell.Open(QString()));

    const QList<QUrl> expected {
        QUrl::fromLocalFile(document),
        QUrl::fromLocalFile(dir.path()),
        QUrl::fromLocalFile(flagged),
        QUrl(QStringLiteral("http://example.com/zodiac?sign=%E9%BC%A0")),
        QUrl(QStringLiteral("https://example.com/")),
        QUrl(QStringLiteral("mailto:someone@example.com")),
    };
    EXPECT_EQ(catcher.urls, expected);
}

TEST(ShellServiceTest, DateTimeSettingsFollowTheDesktopAndWhatIsInstalled)
{
    QTemporaryDir dir;
    const QString bin = dir.filePath(QStringLiteral("bin"));
    ASSERT_TRUE(QDir().mkpath(bin));
    const QString marker = dir.filePath(QStringLiteral("started.txt"));
    // Stand-ins that note how they were called (shell built-ins only: PATH
    // holds nothing else).
    auto install = [&](const char *name) {
        writeFile(bin + QLatin1Char('/') + QString::fromLatin1(name),
                  "#!/bin/sh\nprintf '%s %s\\n' \"${0##*/}\" \"$*\" > '" + QFile::encodeName(marker) + "'\n",
                  Executable);
    };
    auto startedFor = [&](const char *desktop) {
        ScopedEnv current("XDG_CURRENT_DESKTOP", desktop);
        QFile::remove(marker);
        LinuxShellService shell;
        if (!shell.OpenDateTimeSettings())
            return QStringLiteral("nothing");
        return QTest::qWaitFor([&] { return !readFile(marker).isEmpty(); }, 5000) ? readFile(marker)
                                                                                  : QStringLiteral("no start");
    };

    ScopedEnv path("PATH", QFile::encodeName(bin));
    EXPECT_EQ(startedFor("GNOME"), QStringLiteral("nothing"));

    install("gnome-control-center");
    install("systemsettings5");
    install("cinnamon-settings");
    EXPECT_EQ(startedFor("ubuntu:GNOME"), QStringLiteral("gnome-control-center datetime"));
    EXPECT_EQ(startedFor("KDE"), QStringLiteral("systemsettings5 kcm_clock"));
    EXPECT_EQ(startedFor("X-Cinnamon"), QStringLiteral("cinnamon-settings calendar"));
    // Unknown desktops get KDE's, which runs anywhere.
    EXPECT_EQ(startedFor("LXQt"), QStringLiteral("systemsettings5 kcm_clock"));
    EXPECT_EQ(startedFor(""), QStringLiteral("systemsettings5 kcm_clock"));

    install("systemsettings");
    install("budgie-control-center");
    EXPECT_EQ(startedFor("KDE"), QStringLiteral("systemsettings kcm_clock"));
    EXPECT_EQ(startedFor("Budgie:GNOME"), QStringLiteral("budgie-control-center datetime"));
    ScopedEnv current("XDG_CURRENT_DESKTOP", "Budgie:GNOME");
    const QList<QStringList> commands = LinuxShellService::DateTimeSettingsCommands();
    ASSERT_EQ(commands.size(), 2);
    EXPECT_EQ(commands.at(1), QStringList({bin + QStringLiteral("/gnome-control-center"), QStringLiteral("datetime")}));
}

} // namespace

#include "ShellServiceTest.moc"
