// SPDX-License-Identifier: MIT
#include "ScopedEnv.h"
#include "platform/linux/XdgAutostartService.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class AutostartServiceTest : public ::testing::Test
{
protected:
    QString entryPath() const { return m_dir.filePath(QStringLiteral("config/autostart/tockly.desktop")); }
    QString readEntry() const
    {
        QFile file(entryPath());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    void writeEntry(const QByteArray &text) const
    {
        QDir().mkpath(QFileInfo(entryPath()).absolutePath());
        QFile file(entryPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    QTemporaryDir m_dir;
    ScopedEnv m_config {"XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("config")))};
};

TEST_F(AutostartServiceTest, EnablingWritesAnEntryThatIsFoundAgainAndDisablingRemovesIt)
{
    const QString program = QStringLiteral("/opt/tockly/clock");
    XdgAutostartService autostart(program);
    EXPECT_EQ(XdgAutostartService::EntryPath(), entryPath());
    EXPECT_FALSE(autostart.IsEnabled());

    ASSERT_TRUE(autostart.SetEnabled(true));
    EXPECT_TRUE(autostart.IsEnabled());
    EXPECT_EQ(readEntry(),
              QStringLiteral("[Desktop Entry]\n"
                             "Type=Application\n"
                             "Name=Tockly\n"
                             "Exec=\"/opt/tockly/clock\"\n"
                             "Icon=tockly\n"
                             "Terminal=false\n"
                             "X-GNOME-Autostart-enabled=true\n"));
    // Written in one step: no temporary file left beside it.
    EXPECT_EQ(QDir(QFileInfo(entryPath()).absolutePath()).entryList(QDir::Files),
              QStringList(QStringLiteral("tockly.desktop")));

    // Another copy of the program, or this one moved, does not count.
    EXPECT_FALSE(XdgAutostartService(QStringLiteral("/home/me/tockly/clock")).IsEnabled());
    EXPECT_FALSE(XdgAutostartService(QStringLiteral("/opt/tockly/clock2")).IsEnabled());

    ASSERT_TRUE(autostart.SetEnabled(false));
    EXPECT_FALSE(QFile::exists(entryPath()));
    EXPECT_FALSE(autostart.IsEnabled());
    EXPECT_TRUE(autostart.SetEnabled(false));

    // Without XDG_CONFIG_HOME the entry lives under ~/.config.
    const ScopedEnv home("HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("home"))));
    const ScopedEnv unset("XDG_CONFIG_HOME");
    EXPECT_EQ(XdgAutostartService::EntryPath(),
              m_dir.filePath(QStringLiteral("home/.config/autostart/tockly.desktop")));
    ASSERT_TRUE(autostart.SetEnabled(true));
    EXPECT_TRUE(QFile::exists(m_dir.filePath(QStringLiteral("home/.config/autostart/tockly.desktop"))));
    EXPECT_TRUE(autostart.IsEnabled());
}

TEST_F(AutostartServiceTest, ProgramPathsWithAwkwardCharactersRoundTrip)
{
    const QStringList programs {
        QStringLiteral("/home/me/My Programs/闹钟 Tockly/clock"),
        QStringLiteral("/opt/a \"quoted\" $HOME `cmd` back\\slash 100%/clock"),
        QStringLiteral("/opt/tab\there/new\nline/clock"),
    };
    for (const QString &program : programs) {
        SCOPED_TRACE(program.toStdString());
        XdgAutostartService autostart(program);
        ASSERT_TRUE(autostart.SetEnabled(true));
        EXPECT_TRUE(autostart.IsEnabled());
        // One line per key, whatever the path holds.
        EXPECT_EQ(readEntry().count(QLatin1Char('\n')), 7);
        EXPECT_FALSE(XdgAutostartService(QStringLiteral("/home/me/My")).IsEnabled());
    }
    XdgAutostartService spaced(programs.first());
    ASSERT_TRUE(spaced.SetEnabled(true));
    EXPECT_TRUE(readEntry().contains(QStringLiteral("\nExec=\"/home/me/My Programs/闹钟 Tockly/clock\"\n")));
}

TEST_F(AutostartServiceTest, EntriesWrittenByOthersCountOnlyWhenEnabledAndOurs)
{
    const XdgAutostartService autostart(QStringLiteral("/opt/My Clock/clock"));
    const struct
    {
        const char *text;
        bool enabled;
    } cases[] = {
        {"[Desktop Entry]\nType=Application\nExec=\"/opt/My Clock/clock\"\n", true},
        {"# written by hand\n[Desktop Entry]\nName=Clock\nExec = \"/opt/My Clock/clock\" --minimized %U\n", true},
        {"[Desktop Entry]\nExec=/opt/My\\\\ Clock/clock\n", true},
        {"[Desktop Entry]\nExec=\"/opt/My Clock/clock\"\nHidden=true\n", false},
        {"[Desktop Entry]\nExec=\"/opt/My Clock/clock\"\nHidden=false\n", true},
        {"[Desktop Entry]\nExec=\"/opt/My Clock/clock\"\nX-GNOME-Autostart-enabled=false\n", false},
        {"[Desktop Entry]\nExec=/opt/My Clock/clock\n", false},
        {"[Desktop Entry]\nExec=\"/usr/bin/other-clock\"\n", false},
        {"[Desktop Entry]\nName=Tockly\n", false},
        {"[Desktop Action quiet]\nExec=\"/opt/My Clock/clock\"\n", false},
        {"", false},
    };
    for (const auto &entry : cases) {
        SCOPED_TRACE(entry.text);
        writeEntry(entry.text);
        EXPECT_EQ(autostart.IsEnabled(), entry.enabled);
    }
}

TEST_F(AutostartServiceTest, AClockWithItsOwnDataFolderStartsWithThatFolder)
{
    const QString program = QStringLiteral("/opt/tockly/clock");
    XdgAutostartService autostart(program, QStringLiteral("/home/me/my reminders/"));
    ASSERT_TRUE(autostart.SetEnabled(true));
    EXPECT_TRUE(
        readEntry().contains(QStringLiteral("\nExec=\"/opt/tockly/clock\" --home \"/home/me/my reminders\"\n")));
    EXPECT_TRUE(autostart.IsEnabled());
    // The clock of the default folder, or of another one, is not the one it starts.
    EXPECT_FALSE(XdgAutostartService(program).IsEnabled());
    EXPECT_FALSE(XdgAutostartService(program, QStringLiteral("/home/me/other")).IsEnabled());
    writeEntry("[Desktop Entry]\nExec=/opt/tockly/clock --home=/home/me/my\\\\ reminders\n");
    EXPECT_TRUE(autostart.IsEnabled());
}

TEST_F(AutostartServiceTest, ReportsWhenTheEntryCannotBeWritten)
{
    // The configuration folder would have to be made inside a file.
    QFile blocker(m_dir.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const ScopedEnv config("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("blocker/config"))));
    XdgAutostartService autostart(QStringLiteral("/opt/tockly/clock"));
    EXPECT_FALSE(autostart.SetEnabled(true));
    EXPECT_FALSE(autostart.IsEnabled());
}

} // namespace
