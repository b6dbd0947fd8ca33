// SPDX-License-Identifier: MIT
#include "model/AppData.h"

#include "TestFiles.h"
#include "fakes/FakeClock.h"
#include "model/AtomicFile.h"
#include "model/ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {

const ScreenRect Desktop {0, 0, 1920, 1080};

struct Window : ClockWindowState
{
    ScreenRect rect {300, 200, 500, 260};
    ScreenRect WindowRect() const override { return rect; }
    bool AlwaysOnTopChecked() const override { return false; }
    bool AutoSmallChecked() const override { return true; }
};

class AppDataTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    FakeClock clock {DateTime::FromParts(2026, 3, 10, 12, 0, 0)};
    Window window;

    void fill(AppData &data)
    {
        AlarmTask task = InitAlarmTask(clock);
        task.Description = QStringLiteral(u"喝水");
        data.Alarms.AddTail(task);
        data.Birthdays.AddTail(
            {QStringLiteral(u"小红"), 0, {}, 30, 0, 0, QStringLiteral(u"龙"), QStringLiteral(u"白羊"), 0, 1, 1});
        data.Notes.AddTail(InitNoteEntry(clock.Now()));
    }
};

} // namespace

TEST_F(AppDataTest, SaveAllRewritesTheTaskFileFromScratchAndLoadAllReadsItBack)
{
    {
        QFile stale(dir.filePath(QStringLiteral("alarms.lst")));
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
        stale.write("[Alarm00005]\r\nDescription=gone\r\n[Common]\r\nNumofAlarms=6\r\n");
    }
    AppData data(dir.path());
    fill(data);
    ASSERT_TRUE(data.SaveAll(window).isEmpty());

    const ProfileFile alarms(dir.filePath(QStringLiteral("alarms.lst")));
    QStringList names;
    alarms.GetSectionNames(names);
    EXPECT_EQ(names,
              (QStringList {QStringLiteral("Alarm00000"), QStringLiteral("Common"), QStringLiteral("Birthday00000"),
                            QStringLiteral("Note00000")}));

    AppData back(dir.path());
    EXPECT_EQ(back.LoadAll(clock, Desktop), LoadResult::Loaded);
    EXPECT_EQ(back.Alarms.GetCount(), 1);
    EXPECT_EQ(back.Alarms.At(back.Alarms.GetHeadPosition()).Description, QStringLiteral(u"喝水"));
    EXPECT_EQ(back.Birthdays.GetCount(), 1);
    EXPECT_EQ(back.Notes.GetCount(), 1);
    EXPECT_EQ(back.Settings.Clock.AutoSmall, 1);
    EXPECT_EQ(back.Settings.Clock.AlwaysOntop, 0);
    EXPECT_EQ(back.Settings.Clock.MainWindowSize, (ScreenRect {300, 200, 500, 260}));
    EXPECT_EQ(back.Settings.Clock.DialogBitmap, QDir(dir.path()).filePath(QStringLiteral("Skin/DEFULT.BMP")));
}

TEST_F(AppDataTest, NothingIsWrittenWhenSaveOnExitIsCleared)
{
    AppData data(dir.path());
    fill(data);
    data.SaveOnExit = 0;
    EXPECT_TRUE(data.SaveAll(window).isEmpty());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(AppDataTest, AMissingDirectoryLoadsEmptyAndReportsAFailedSave)
{
    AppData data(dir.filePath(QStringLiteral("does/not/exist")));
    EXPECT_EQ(data.LoadAll(clock, Desktop), LoadResult::Loaded);
    EXPECT_EQ(data.Alarms.GetCount(), 0);
    EXPECT_EQ(data.Settings.Interface.Transparence, 255);
    fill(data);
    EXPECT_EQ(data.SaveAll(window).size(), 2);
}

TEST_F(AppDataTest, ASaveOnAFullDiskKeepsTheOldFilesByteForByte)
{
    const QString alarmsPath = dir.filePath(AlarmFileName);
    const QString configPath = dir.filePath(ConfigFileName);
    AppData data(dir.path());
    fill(data);
    ASSERT_TRUE(data.SaveAll(window).isEmpty());
    const QByteArray oldAlarms = ReadTestFile(alarmsPath);
    const QByteArray oldConfig = ReadTestFile(configPath);

    for (int i = 0; i < 200; ++i)
        fill(data);
    window.rect = {10, 20, 210, 80};
    // A child process whose files may not grow beyond a few bytes: every
    // write fails the way it does on a full disk.
    const auto saveOnFullDisk = [&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit tiny {64, 64};
        setrlimit(RLIMIT_FSIZE, &tiny);
        const SaveReport report = data.SaveAll(window);
        std::_Exit(report.size() == 2 && !report.front().reason.isEmpty() ? 0 : 1);
    };
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(saveOnFullDisk(), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(ReadTestFile(alarmsPath), oldAlarms);
    EXPECT_EQ(ReadTestFile(configPath), oldConfig);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2); // no temporary file left
}

TEST_F(AppDataTest, OnlyTemporaryFilesOfInterruptedSavesAreRemoved)
{
    const QStringList names {u"alarms.lst"_s,        u"alarms.lst.Ab12Cd"_s,  u"CONFIG.INI.x7YzQ2"_s,
                             u"alarms.lst.backup"_s, u"alarms.lst.AB12CDE"_s, u"notes.txt.Ab12Cd"_s,
                             u"layout.ini.QQQQQQ"_s};
    for (const QString &name : names)
        ASSERT_TRUE(WriteTestFile(dir.filePath(name), "x"));
    EXPECT_EQ(RemoveStaleTemporaryFiles(dir.path(), DataFileNames), 3);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
              (QStringList {u"alarms.lst"_s, u"alarms.lst.AB12CDE"_s, u"alarms.lst.backup"_s, u"notes.txt.Ab12Cd"_s}));
}
