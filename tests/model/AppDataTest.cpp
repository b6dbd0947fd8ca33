// SPDX-License-Identifier: MIT
#include "model/AppData.h"

#include "TestFiles.h"
#include "fakes/FakeClock.h"
#include "model/AtomicFile.h"
#include "model/ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
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

// Whatever the load could not take in would be gone after the save, so the
// file is copied aside, byte for byte, before it is first overwritten; the
// copy is reported once. A foreign encoding alone is no damage.
TEST_F(AppDataTest, AFileThatLoadedWithDamageIsCopiedAsideBeforeItsFirstOverwrite)
{
    AppData clean(dir.path());
    fill(clean);
    AlarmTask second = InitAlarmTask(clock);
    second.Description = QStringLiteral(u"吃药");
    clean.Alarms.AddTail(second);
    ASSERT_TRUE(clean.SaveAll(window).isEmpty());
    const QByteArray alarms = ReadTestFile(dir.filePath(QStringLiteral("alarms.lst")));
    const QByteArray config = ReadTestFile(dir.filePath(QStringLiteral("CONFIG.INI")));
    const auto changed = [](QByteArray bytes, const QString &from, const QByteArray &to) {
        return bytes.replace(from.toUtf8(), to);
    };
    QStringEncoder gbk("GBK");

    const struct
    {
        const char *name;
        QString file;
        QByteArray bytes;
        bool damaged;
        int tasks;
    } cases[] = {
        {"clean", QStringLiteral("alarms.lst"), alarms, false, 2},
        {"gbk", QStringLiteral("alarms.lst"), gbk(QString::fromUtf8(alarms)), false, 2},
        {"negative count", QStringLiteral("alarms.lst"),
         changed(alarms, QStringLiteral("NumofAlarms=2"), "NumofAlarms=-1"), true, 2},
        {"count no number", QStringLiteral("alarms.lst"),
         changed(alarms, QStringLiteral("NumofAlarms=2"), "NumofAlarms=x"), true, 2},
        {"stray byte", QStringLiteral("alarms.lst"), changed(alarms, QStringLiteral(u"吃药"), "\xE5\x90\x83\xB0"), true,
         2},
        {"unreadable task", QStringLiteral("alarms.lst"),
         changed(alarms, QStringLiteral(u"Description=吃药"), "Description="), true, 1},
        {"unknown section", QStringLiteral("alarms.lst"), alarms + "[Mine]\r\nKey=1\r\n", true, 2},
        {"settings stray byte", QStringLiteral("CONFIG.INI"), config + "; \xFF\r\n", true, 2},
    };
    for (const auto &c : cases) {
        QTemporaryDir home;
        ASSERT_TRUE(WriteTestFile(QDir(home.path()).filePath(QStringLiteral("alarms.lst")), alarms));
        ASSERT_TRUE(WriteTestFile(QDir(home.path()).filePath(QStringLiteral("CONFIG.INI")), config));
        ASSERT_TRUE(WriteTestFile(QDir(home.path()).filePath(c.file), c.bytes));
        AppData data(home.path());
        data.LoadAll(clock, Desktop);
        EXPECT_EQ(data.LoadedWithDamage(c.file), c.damaged) << c.name;
        EXPECT_EQ(data.Alarms.GetCount(), c.tasks) << c.name;
        // The program copies at start-up; the save would otherwise. Either
        // way there is one copy, reported once.
        if ((&c - cases) % 2)
            data.KeepDamagedFiles();
        ASSERT_TRUE(data.SaveAll(window).isEmpty()) << c.name;
        const QStringList copies = data.TakeDamagedFileCopies();
        const QString copy = QDir(home.path()).filePath(c.file + QStringLiteral(".damaged-20260310-120000"));
        EXPECT_EQ(copies, c.damaged ? QStringList {copy} : QStringList {}) << c.name;
        if (c.damaged) {
            EXPECT_EQ(ReadTestFile(copy), c.bytes) << c.name;
        }
        // Once only: the file written now is sound.
        EXPECT_FALSE(data.LoadedWithDamage(c.file)) << c.name;
        ASSERT_TRUE(data.SaveAll(window).isEmpty()) << c.name;
        EXPECT_TRUE(data.TakeDamagedFileCopies().isEmpty()) << c.name;
        EXPECT_EQ(QDir(home.path()).entryList({QStringLiteral("*.damaged-*")}, QDir::Files).size(), c.damaged ? 1 : 0)
            << c.name;

        AppData back(home.path());
        back.LoadAll(clock, Desktop);
        EXPECT_FALSE(back.LoadedWithDamage(QStringLiteral("alarms.lst"))) << c.name;
        EXPECT_FALSE(back.LoadedWithDamage(QStringLiteral("CONFIG.INI"))) << c.name;
        EXPECT_EQ(back.Alarms.GetCount(), c.tasks) << c.name;
        EXPECT_EQ(back.Birthdays.GetCount(), 1) << c.name;
    }
}

TEST_F(AppDataTest, KeepsOneBackupOfTheTaskFilePerDayForAWeek)
{
    const QDir home(dir.path());
    ASSERT_TRUE(home.mkpath(QStringLiteral("backup")));
    const QDir backup(home.filePath(QStringLiteral("backup")));
    for (int day = 1; day <= 8; ++day)
        ASSERT_TRUE(WriteTestFile(
            backup.filePath(QStringLiteral("alarms.lst.202603%1").arg(day, 2, 10, QLatin1Char('0'))), "old"));
    const QStringList notOurs {QStringLiteral("alarms.lst.2026030"), QStringLiteral("CONFIG.INI.20260301"),
                               QStringLiteral("my notes.txt")};
    for (const QString &name : notOurs)
        ASSERT_TRUE(WriteTestFile(backup.filePath(name), "mine"));
    const auto ours = [&] {
        QStringList names = backup.entryList({QStringLiteral("alarms.lst.????????")}, QDir::Files, QDir::Name);
        return names.join(QLatin1Char(' '));
    };

    AppData data(dir.path());
    data.LoadAll(clock, Desktop); // no alarms.lst yet: nothing to back up
    fill(data);
    ASSERT_TRUE(data.SaveAll(window).isEmpty());
    EXPECT_FALSE(QFile::exists(backup.filePath(QStringLiteral("alarms.lst.20260310"))));
    const QByteArray firstSave = ReadTestFile(home.filePath(QStringLiteral("alarms.lst")));

    clock.Advance(3600);
    data.Alarms.RemoveAll();
    ASSERT_TRUE(data.SaveAll(window).isEmpty());
    // The state before the day's first save.
    EXPECT_EQ(ReadTestFile(backup.filePath(QStringLiteral("alarms.lst.20260310"))), firstSave);
    EXPECT_EQ(ours(),
              QStringLiteral("alarms.lst.20260303 alarms.lst.20260304 alarms.lst.20260305 "
                             "alarms.lst.20260306 alarms.lst.20260307 alarms.lst.20260308 alarms.lst.20260310"));
    const QByteArray secondSave = ReadTestFile(home.filePath(QStringLiteral("alarms.lst")));
    ASSERT_TRUE(data.SaveAll(window).isEmpty());
    EXPECT_EQ(ReadTestFile(backup.filePath(QStringLiteral("alarms.lst.20260310"))), firstSave);

    clock.Advance(86400);
    ASSERT_TRUE(data.SaveAll(window).isEmpty());
    EXPECT_EQ(ReadTestFile(backup.filePath(QStringLiteral("alarms.lst.20260311"))), secondSave);
    EXPECT_FALSE(QFile::exists(backup.filePath(QStringLiteral("alarms.lst.20260303"))));
    for (const QString &name : notOurs)
        EXPECT_EQ(ReadTestFile(backup.filePath(name)), QByteArray("mine")) << name.toStdString();
}
