// SPDX-License-Identifier: MIT
#include "model/AppData.h"

#include "fakes/FakeClock.h"
#include "model/ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const ScreenRect Desktop {0, 0, 1920, 1080};

struct Window : ClockWindowState
{
    ScreenRect WindowRect() const override { return {300, 200, 500, 260}; }
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
    ASSERT_TRUE(data.SaveAll(window));

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
    EXPECT_TRUE(data.SaveAll(window));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(AppDataTest, AMissingDirectoryLoadsEmptyAndReportsAFailedSave)
{
    AppData data(dir.filePath(QStringLiteral("does/not/exist")));
    EXPECT_EQ(data.LoadAll(clock, Desktop), LoadResult::Loaded);
    EXPECT_EQ(data.Alarms.GetCount(), 0);
    EXPECT_EQ(data.Settings.Interface.Transparence, 255);
    fill(data);
    EXPECT_FALSE(data.SaveAll(window));
}
