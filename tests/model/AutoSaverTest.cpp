// SPDX-License-Identifier: MIT
#include "model/AutoSaver.h"

#include "TestFiles.h"
#include "fakes/FakeClock.h"
#include "model/AppData.h"
#include "model/ProfileFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct Window : ClockWindowState
{
    ScreenRect WindowRect() const override { return {300, 200, 500, 260}; }
    bool AlwaysOnTopChecked() const override { return true; }
    bool AutoSmallChecked() const override { return false; }
};

class AutoSaverTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!QCoreApplication::instance()) {
            static int argc = 1;
            static char name[] = "core_tests";
            static char *argv[] = {name, nullptr};
            static QCoreApplication app(argc, argv);
        }
        saver.SetDelays(40, 200);
    }

    int savedTasks() const
    {
        return ProfileFile(data.FilePath(AlarmFileName)).ReadDecimal(u"Common"_s, u"NumofAlarms"_s, u"-1"_s);
    }
    EntryHandle addTask()
    {
        AlarmTask task = InitAlarmTask(clock);
        task.Description = u"喝水"_s;
        return data.Alarms.AddTail(task);
    }
    // Waits until the saver has nothing left to write.
    bool settled(int timeoutMs = 3000)
    {
        QSignalSpy finished(&saver, &AutoSaver::Finished);
        return !saver.SavePending() || finished.wait(timeoutMs);
    }

    QTemporaryDir dir;
    FakeClock clock {DateTime::FromParts(2026, 3, 10, 12, 0, 0)};
    AppData data {dir.path()};
    Window window;
    AutoSaver saver {data, window};
};

} // namespace

TEST_F(AutoSaverTest, ABurstOfChangesIsSavedOnceSoonAfterAndTheScheduleMovingOnIsNot)
{
    QSignalSpy finished(&saver, &AutoSaver::Finished);
    const EntryHandle h = addTask();
    addTask();
    data.Birthdays.AddTail({u"小红"_s, 0, {}, 30, 0, 0, u"龙"_s, u"白羊"_s, 0, 1, 1});
    ASSERT_TRUE(finished.wait(3000));
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(savedTasks(), 2);
    EXPECT_FALSE(QFileInfo::exists(data.FilePath(ConfigFileName))); // only the task file changed

    {
        const AppData::RoutineChange routine(data);
        AlarmTask advanced = data.Alarms.At(h);
        advanced.DateTime = advanced.DateTime.AddDays(1);
        data.Alarms.SetAt(h, advanced);
    }
    EXPECT_FALSE(saver.SavePending());

    saver.MarkChanged(SaveJob::ClockGroup);
    ASSERT_TRUE(settled());
    const ProfileFile config(data.FilePath(ConfigFileName));
    EXPECT_EQ(config.ReadString(u"Clock Settings"_s, u"MainWindow Size"_s, {}), u"300,200,260,500"_s);
    QStringList sections;
    config.GetSectionNames(sections);
    // Only what was asked for, and the stamp every save adds.
    EXPECT_EQ(sections, QStringList({u"Clock Settings"_s, u"Extra Settings"_s}));

    // A settings group confirmed just before leaving is written on the way out.
    data.Settings.Speak.Volume = 40;
    saver.MarkChanged(SaveJob::SpeakGroup);
    EXPECT_TRUE(saver.SaveNow().isEmpty());
    EXPECT_EQ(ProfileFile(data.FilePath(ConfigFileName)).ReadDecimal(u"Speak Settings"_s, u"Volume"_s, {}), 40);
}

TEST_F(AutoSaverTest, AFailedSaveIsReportedOnceKeptInMemoryAndRetried)
{
    // A folder where the file should be: the rename over it fails.
    ASSERT_TRUE(QDir(dir.path()).mkdir(AlarmFileName));
    QSignalSpy failed(&saver, &AutoSaver::SaveFailed);
    addTask();
    ASSERT_TRUE(failed.wait(3000));
    ASSERT_EQ(failed.count(), 1);
    const SaveReport report = failed.front().front().value<SaveReport>();
    ASSERT_EQ(report.size(), 1);
    EXPECT_EQ(report.front().path, data.FilePath(AlarmFileName));
    EXPECT_FALSE(report.front().reason.isEmpty());

    addTask(); // fails again, said already
    ASSERT_TRUE(settled());
    EXPECT_EQ(failed.count(), 1);

    ASSERT_TRUE(QDir(dir.path()).rmdir(AlarmFileName));
    data.Notes.AddTail(InitNoteEntry(clock.Now()));
    ASSERT_TRUE(settled());
    EXPECT_EQ(savedTasks(), 2); // nothing was lost meanwhile
    EXPECT_EQ(failed.count(), 1);

    ASSERT_TRUE(QFile::remove(data.FilePath(AlarmFileName)));
    ASSERT_TRUE(QDir(dir.path()).mkdir(AlarmFileName));
    addTask();
    ASSERT_TRUE(settled());
    EXPECT_EQ(failed.count(), 2); // saved in between, so told again
}
