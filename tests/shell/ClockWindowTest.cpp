// SPDX-License-Identifier: MIT
#include "shell/ClockWindow.h"

#include "fakes/FakeServices.h"
#include "firing/ReminderDispatcher.h"
#include "model/AppData.h"
#include "shell/ClockMenu.h"
#include "shell/MenuIds.h"

#include <QAction>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ClockWindowTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    FakeServices fakes;
    AppData data {dir.path()};
    std::unique_ptr<ClockWindow> window;

    void SetUp() override
    {
        fakes.clock.Set(DateTime::FromParts(2026, 3, 10, 9, 5, 7));
        window = std::make_unique<ClockWindow>(data, fakes.services());
        ASSERT_TRUE(window->Create());
    }

    ClockDisplay::Glyphs glyphs() const { return window->Display().CurrentGlyphs(); }
};

} // namespace

TEST_F(ClockWindowTest, IsTheSkinnedClock)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tocklyv2.8"));
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::Tool)); // no taskbar entry
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(window->isVisible());
    // The built-in face: its corners are cut away, its digit box found.
    EXPECT_EQ(window->DigitOrigin(), QPoint(27, 21));
    EXPECT_FALSE(window->mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(window->mask().contains(QPoint(window->width() / 2, window->height() / 2)));
    EXPECT_EQ(glyphs(), (ClockDisplay::Glyphs {0, 9, 0, 5, 0, 7}));
    EXPECT_FALSE(window->TooltipText().isEmpty());
}

TEST_F(ClockWindowTest, CountdownCommands)
{
    window->RunCommand(MenuId::CountdownForLast); // "24小时"
    EXPECT_EQ(window->Display().DisplayMode(), ClockDisplay::CountdownToDateTime);
    EXPECT_EQ(glyphs(), (ClockDisplay::Glyphs {2, 3, 5, 9, 5, 9}));
    EXPECT_NE(window->Menu().Action(MenuId::CountdownStop), nullptr);

    window->RunCommand(MenuId::CountdownUntilFirst + 10); // until 10:00
    EXPECT_EQ(window->Display().DisplayMode(), ClockDisplay::CountdownToTime);
    EXPECT_EQ(glyphs(), (ClockDisplay::Glyphs {0, 0, 5, 4, 5, 3}));

    window->RunCommand(MenuId::CountdownStop);
    EXPECT_EQ(window->Display().DisplayMode(), ClockDisplay::ClockMode);
    EXPECT_EQ(glyphs(), (ClockDisplay::Glyphs {0, 9, 0, 5, 0, 7}));
    EXPECT_NE(window->Menu().Action(MenuId::CountdownForFirst), nullptr);

    // A countdown ending on a tick brings the presets back.
    window->RunCommand(MenuId::CountdownForFirst); // two minutes
    fakes.clock.Advance(120);
    window->Tick();
    EXPECT_EQ(window->Display().DisplayMode(), ClockDisplay::ClockMode);
    EXPECT_EQ(window->Menu().Action(MenuId::CountdownStop), nullptr);
}

TEST_F(ClockWindowTest, ToggleCommandsAndTheirCheckMarks)
{
    window->ShowAsConfigured();
    EXPECT_TRUE(window->isVisible());
    window->RunCommand(MenuId::AlwaysOnTop);
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(window->AlwaysOnTopChecked());
    EXPECT_TRUE(window->isVisible());
    window->RunCommand(MenuId::RunAtStartup);
    EXPECT_TRUE(fakes.autostart.enabled);
    EXPECT_TRUE(window->Menu().IsChecked(MenuId::RunAtStartup));

    window->RunCommand(MenuId::HideWindow);
    EXPECT_FALSE(window->isVisible());
    ASSERT_NE(window->Menu().Action(MenuId::ShowWindow), nullptr);
    window->RunCommand(MenuId::ShowWindow);
    EXPECT_TRUE(window->isVisible());

    window->RunCommand(MenuId::SyncControlPanel);
    EXPECT_EQ(fakes.shell.dateTimeSettingsOpened, 1);
    window->RunCommand(MenuId::Support);
    EXPECT_TRUE(fakes.shell.opened.last().endsWith(QStringLiteral("/support/")));
}

TEST_F(ClockWindowTest, CommandsWithoutAWindowStayDisabledUntilOneRegisters)
{
    EXPECT_FALSE(window->Menu().Action(MenuId::NewAlarm)->isEnabled());
    int runs = 0;
    window->SetCommandHandler(MenuId::NewAlarm, [&] { ++runs; });
    EXPECT_TRUE(window->Menu().Action(MenuId::NewAlarm)->isEnabled());
    window->Menu().Action(MenuId::NewAlarm)->trigger();
    EXPECT_EQ(runs, 1);
}

TEST_F(ClockWindowTest, AClockJumpRecomputesTheTasks)
{
    AlarmTask daily = InitAlarmTask(fakes.clock);
    daily.Schedule = AlarmTask::Daily;
    daily.DiaryDays = 1;
    daily.DateTime = DateTime::FromParts(2026, 3, 10, 9, 30, 0);
    const EntryHandle h = data.Alarms.AddTail(daily);
    QSignalSpy changed(window.get(), &ClockWindow::SystemTimeChanged);
    fakes.clock.Advance(3 * 3600);
    window->Tick();
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(data.Alarms.At(h).DateTime, DateTime::FromParts(2026, 3, 11, 9, 30, 0));
}

TEST_F(ClockWindowTest, ASmallStepForwardFiresEveryKindOfTaskInTheGapOnce)
{
    QStringList fired;
    ReminderDispatcher::Handlers handlers;
    handlers.fireTask = [&](const AlarmTask &task) {
        fired.append(task.Description);
    };
    ReminderDispatcher dispatcher(data, handlers);
    QObject::connect(window.get(), &ClockWindow::SecondTicked, window.get(),
                     [&](const DateTime &now) { dispatcher.Tick(now); });
    const auto add = [&](const QString &name, int schedule, int minute, int second) {
        AlarmTask task = InitAlarmTask(fakes.clock);
        task.Description = name;
        task.Schedule = schedule;
        task.DiaryDays = 1;
        task.WeeklyWeek = 1;
        task.WeeklyEnable = WeekdaySet(0x7F);
        task.DateTime = DateTime::FromParts(2026, 3, 10, 10, minute, second);
        data.Alarms.AddTail(task);
    };
    fakes.clock.Set(DateTime::FromParts(2026, 3, 10, 9, 59, 50));
    window->Tick();
    add(QStringLiteral("hourly"), AlarmTask::Hourly, 0, 0);
    add(QStringLiteral("daily"), AlarmTask::Daily, 0, 5);
    add(QStringLiteral("weekly"), AlarmTask::Weekly, 0, 10);
    add(QStringLiteral("once"), AlarmTask::Once, 0, 15);

    fakes.clock.Advance(30); // the clock is set 30 seconds forward
    window->Tick();
    fired.sort();
    EXPECT_EQ(fired,
              (QStringList {QStringLiteral("daily"), QStringLiteral("hourly"), QStringLiteral("once"),
                            QStringLiteral("weekly")}));
    window->Tick();
    EXPECT_EQ(fired.size(), 4);
}

TEST_F(ClockWindowTest, ReportsItsRectangleForSaving)
{
    window->move(100, 200);
    const ScreenRect r = window->WindowRect();
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 200);
    EXPECT_EQ(r.right - r.left, window->width());
    EXPECT_EQ(r.bottom - r.top, window->height());
}

TEST_F(ClockWindowTest, AFiredReminderRingsUntilTheTrayIsClicked)
{
    AlarmTask task = InitAlarmTask(fakes.clock);
    task.Description = QStringLiteral(u"喝水");
    task.Message = QStringLiteral(u"起来走走");
    window->SetLastFired(task);
    EXPECT_TRUE(window->ReminderPending());
    ASSERT_NE(window->Tray(), nullptr);
    EXPECT_TRUE(window->Tray()->IsAnimating());
    Q_EMIT window->Tray()->Clicked();
    EXPECT_FALSE(window->ReminderPending());
    EXPECT_FALSE(window->Tray()->IsAnimating());
}
