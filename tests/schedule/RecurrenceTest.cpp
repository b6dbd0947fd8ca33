// SPDX-License-Identifier: MIT
#include "schedule/Recurrence.h"

#include "fakes/FakeClock.h"

#include <climits>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <optional>

namespace {

DateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return DateTime::FromParts(y, mo, d, h, mi, s);
}

const DateLimit NoLimit {};
const DateTime NineAm = DateTime::TimeOfDay(9, 0);
const DateTime FivePm = DateTime::TimeOfDay(17, 0);

// 2026-03-09 is a Monday.
constexpr int Monday = 0, Wednesday = 2;

} // namespace

TEST(AdvanceHourly, TakesThisHoursOccurrenceOrTheNext)
{
    DateTime t = at(2026, 3, 20, 7, 30); // the stored date plays no part
    ASSERT_TRUE(AdvanceHourly(t, 30, 0, NoLimit, NineAm, FivePm, at(2026, 3, 10, 10, 40, 5)));
    EXPECT_EQ(t, at(2026, 3, 10, 11, 30));
    ASSERT_TRUE(AdvanceHourly(t, 30, 0, NoLimit, NineAm, FivePm, at(2026, 3, 10, 10, 20)));
    EXPECT_EQ(t, at(2026, 3, 10, 10, 30));
    // Exactly at the occurrence counts as passed.
    ASSERT_TRUE(AdvanceHourly(t, 30, 0, NoLimit, NineAm, FivePm, at(2026, 3, 10, 10, 30)));
    EXPECT_EQ(t, at(2026, 3, 10, 11, 30));
}

TEST(AdvanceHourly, KeepsToTheDailyWindow)
{
    DateTime t = at(2026, 3, 10, 17, 30);
    ASSERT_TRUE(AdvanceHourly(t, 30, 1, NoLimit, NineAm, FivePm, at(2026, 3, 10, 17, 45)));
    EXPECT_EQ(t, at(2026, 3, 11, 9, 30));

    // The current hour's occurrence is accepted before any window check.
    ASSERT_TRUE(AdvanceHourly(t, 30, 1, NoLimit, NineAm, FivePm, at(2026, 3, 10, 20, 10)));
    EXPECT_EQ(t, at(2026, 3, 10, 20, 30));
    ASSERT_TRUE(AdvanceHourly(t, 30, 1, NoLimit, NineAm, FivePm, at(2026, 3, 10, 20, 30)));
    EXPECT_EQ(t, at(2026, 3, 11, 9, 30));

    // A window opening at 09:45 makes 10:30 the first moment of a day.
    const DateTime quarterToTen = DateTime::TimeOfDay(9, 45);
    ASSERT_TRUE(AdvanceHourly(t, 30, 1, NoLimit, quarterToTen, FivePm, at(2026, 3, 10, 8, 40)));
    EXPECT_EQ(t, at(2026, 3, 10, 10, 30));
    ASSERT_TRUE(AdvanceHourly(t, 30, 1, NoLimit, quarterToTen, FivePm, at(2026, 3, 10, 20, 40)));
    EXPECT_EQ(t, at(2026, 3, 11, 10, 30));
}

TEST(AdvanceHourly, DateRange)
{
    const DateLimit range {1, at(2026, 3, 1), at(2026, 3, 10)};
    DateTime t = at(2026, 3, 10, 23, 30);
    // The next hour falls past the last day: the task stays on that day.
    ASSERT_TRUE(AdvanceHourly(t, 30, 0, range, NineAm, FivePm, at(2026, 3, 10, 23, 40, 12)));
    EXPECT_EQ(t, at(2026, 3, 10, 0, 30));

    // Before the first day it starts at midnight of that day.
    const DateLimit later {1, at(2026, 3, 15), at(2026, 3, 20)};
    ASSERT_TRUE(AdvanceHourly(t, 30, 0, later, NineAm, FivePm, at(2026, 3, 10, 12, 40)));
    EXPECT_EQ(t, at(2026, 3, 15, 0, 30));

    // Past the window's end on the range's last day, it stays on that day.
    t = at(2026, 3, 20, 16, 30);
    ASSERT_TRUE(AdvanceHourly(t, 30, 1, later, NineAm, FivePm, at(2026, 3, 20, 16, 50)));
    EXPECT_EQ(t, at(2026, 3, 20, 9, 30));
}

TEST(AdvanceHourly, ARangeStartingLaterTheSameDayDoesNotHang)
{
    // The start date carries a time of day, as a range set in the editor can.
    const DateLimit range {1, at(2026, 3, 10, 14, 0), at(2026, 3, 20)};
    DateTime t = at(2026, 3, 10, 9, 30);
    ASSERT_TRUE(AdvanceHourly(t, 30, 0, range, NineAm, FivePm, at(2026, 3, 10, 9, 40)));
    EXPECT_EQ(t, at(2026, 3, 10, 10, 30));
}

TEST(AdvanceHourly, FailsOnAnInvalidMoment)
{
    DateTime t = DateTime::Invalid();
    EXPECT_FALSE(AdvanceHourly(t, 30, 0, NoLimit, NineAm, FivePm, at(2026, 3, 10)));
    t = at(2026, 3, 10);
    EXPECT_FALSE(AdvanceHourly(t, 60, 0, NoLimit, NineAm, FivePm, at(2026, 3, 10)));
    t = at(9999, 12, 31, 23, 30);
    EXPECT_FALSE(AdvanceHourly(t, 30, 0, NoLimit, NineAm, FivePm, at(9999, 12, 31, 23, 40)));
}

TEST(AdvanceEveryNDays, StepsWholeIntervals)
{
    const DateTime now = at(2026, 3, 10, 12, 0);
    DateTime t = at(2026, 3, 7, 8, 0);
    ASSERT_TRUE(AdvanceEveryNDays(t, 2, NoLimit, now));
    EXPECT_EQ(t, at(2026, 3, 11, 8, 0));
    // A future moment is left alone.
    ASSERT_TRUE(AdvanceEveryNDays(t, 5, NoLimit, now));
    EXPECT_EQ(t, at(2026, 3, 11, 8, 0));
    // The range's end stops it on the last day.
    t = at(2026, 3, 7, 8, 0);
    ASSERT_TRUE(AdvanceEveryNDays(t, 2, {1, at(2026, 3, 1), at(2026, 3, 10)}, now));
    EXPECT_EQ(t, at(2026, 3, 10, 8, 0));
    // Before the range's start it jumps to the first day and goes on from there.
    t = at(2026, 3, 1, 8, 0);
    ASSERT_TRUE(AdvanceEveryNDays(t, 2, {1, at(2026, 3, 20), at(2026, 3, 30)}, now));
    EXPECT_EQ(t, at(2026, 3, 20, 8, 0));
}

TEST(AdvanceWeekend, FallsOnSundaysOneStepOnly)
{
    const DateTime now = at(2026, 3, 10, 12, 0);
    DateTime t = at(2026, 3, 14, 9, 0); // a future Saturday
    ASSERT_TRUE(AdvanceWeekend(t, NoLimit, now));
    EXPECT_EQ(t, at(2026, 3, 15, 9, 0));
    ASSERT_TRUE(AdvanceWeekend(t, NoLimit, now)); // a future Sunday stays
    EXPECT_EQ(t, at(2026, 3, 15, 9, 0));
    t = at(2026, 3, 1, 9, 0); // a past Sunday: a week on, still past
    ASSERT_TRUE(AdvanceWeekend(t, NoLimit, now));
    EXPECT_EQ(t, at(2026, 3, 8, 9, 0));
}

TEST(AdvanceWeekly, SingleStepCases)
{
    WeekdaySet mondays;
    mondays.set(Monday);
    DateTime t = at(2026, 3, 9, 8, 0);
    ASSERT_TRUE(AdvanceWeekly(t, 1, mondays, NoLimit, at(2026, 3, 9, 9, 0)));
    EXPECT_EQ(t, at(2026, 3, 16, 8, 0));

    WeekdaySet mondayWednesday = mondays;
    mondayWednesday.set(Wednesday);
    t = at(2026, 3, 9, 8, 0);
    ASSERT_TRUE(AdvanceWeekly(t, 1, mondayWednesday, NoLimit, at(2026, 3, 10, 12, 0)));
    EXPECT_EQ(t, at(2026, 3, 11, 8, 0));
    // From that Wednesday, every second week comes back to a Monday.
    ASSERT_TRUE(AdvanceWeekly(t, 2, mondayWednesday, NoLimit, at(2026, 3, 11, 8, 0)));
    EXPECT_EQ(t, at(2026, 3, 23, 8, 0));
}

// Whatever the enabled days and the starting weekday, a task several weeks
// behind lands on an enabled weekday after now, within one cycle.
TEST(AdvanceWeekly, CatchUpAlwaysLandsOnAnEnabledDay)
{
    const DateTime now = at(2026, 3, 10, 12, 0, 0);
    for (unsigned pattern = 1; pattern < 128; ++pattern) {
        const WeekdaySet days(pattern);
        for (int weeks = 1; weeks <= 3; ++weeks) {
            for (int start = 0; start < 7; ++start) {
                DateTime t = at(2026, 1, 5, 7, 15).AddDays(start); // 2026-01-05 is a Monday
                ASSERT_TRUE(AdvanceWeekly(t, weeks, days, NoLimit, now));
                ASSERT_TRUE(days.test(size_t(t.WeekdayBit())))
                    << "pattern " << pattern << " start " << start << " -> " << t.ToDateTimeString().toStdString();
                ASSERT_GT(t, now);
                ASSERT_LE(t.Seconds() - now.Seconds(), 7 * weeks * DateTime::SecondsPerDay);
            }
        }
    }
}

TEST(AdvanceMonthlyByDay, ShortMonthsLowerTheDayWithinOneCall)
{
    DateTime t = at(2026, 1, 31, 9, 0);
    ASSERT_TRUE(AdvanceMonthlyByDay(t, 1, 31, NoLimit, at(2026, 2, 1)));
    EXPECT_EQ(t, at(2026, 2, 28, 9, 0));
    ASSERT_TRUE(AdvanceMonthlyByDay(t, 1, 31, NoLimit, at(2026, 2, 28, 10, 0)));
    EXPECT_EQ(t, at(2026, 3, 28, 9, 0));
    ASSERT_TRUE(AdvanceMonthlyByDay(t, 1, 31, NoLimit, at(2026, 3, 28, 10, 0)));
    EXPECT_EQ(t, at(2026, 3, 31, 9, 0));

    // February has 28 days even in a leap year, and a future t is moved
    // onto the rule's day as well.
    t = at(2028, 2, 10, 9, 0);
    ASSERT_TRUE(AdvanceMonthlyByDay(t, 3, 29, NoLimit, at(2026, 1, 1)));
    EXPECT_EQ(t, at(2028, 2, 28, 9, 0));
    // Every third month, crossing a year.
    t = at(2026, 11, 15, 9, 0);
    ASSERT_TRUE(AdvanceMonthlyByDay(t, 3, 15, NoLimit, at(2026, 12, 1)));
    EXPECT_EQ(t, at(2027, 2, 15, 9, 0));
}

TEST(AdvanceMonthlyByWeekOrder, FindsTheNthAndTheLastWeekday)
{
    // Last Monday of a February whose 29th is a Monday: the table's 28 days
    // make it the 22nd.
    DateTime t = at(2016, 2, 1, 8, 0);
    ASSERT_TRUE(AdvanceMonthlyByWeekOrder(t, 5, 1, 1, NoLimit, at(2016, 2, 1)));
    EXPECT_EQ(t, at(2016, 2, 22, 8, 0));

    // Second Tuesday; March 2026 opens on a Sunday.
    t = at(2026, 3, 1, 8, 0);
    ASSERT_TRUE(AdvanceMonthlyByWeekOrder(t, 2, 2, 1, NoLimit, at(2026, 3, 1)));
    EXPECT_EQ(t, at(2026, 3, 10, 8, 0));
    // Once passed, the next month's: April 2026 opens on a Wednesday.
    ASSERT_TRUE(AdvanceMonthlyByWeekOrder(t, 2, 2, 1, NoLimit, at(2026, 3, 10, 8, 0)));
    EXPECT_EQ(t, at(2026, 4, 14, 8, 0));
    // First Sunday when the 1st is a Sunday.
    t = at(2026, 3, 20, 8, 0);
    ASSERT_TRUE(AdvanceMonthlyByWeekOrder(t, 1, 7, 1, NoLimit, at(2026, 2, 1)));
    EXPECT_EQ(t, at(2026, 3, 1, 8, 0));
    // The range's end clamps the result to its last day.
    t = at(2026, 3, 1, 8, 0);
    ASSERT_TRUE(AdvanceMonthlyByWeekOrder(t, 4, 5, 1, {1, at(2026, 3, 1), at(2026, 3, 20)}, at(2026, 3, 2)));
    EXPECT_EQ(t, at(2026, 3, 20, 8, 0));
}

TEST(AdvanceYearlyByDay, FebruaryTwentyNinthAndCatchUp)
{
    DateTime t = at(2026, 1, 1, 7, 0);
    ASSERT_TRUE(AdvanceYearlyByDay(t, 2, 29, at(2026, 1, 1)));
    EXPECT_EQ(t, at(2026, 2, 28, 7, 0));
    // One step when a year behind...
    t = at(2025, 6, 1, 7, 0);
    ASSERT_TRUE(AdvanceYearlyByDay(t, 5, 1, at(2026, 3, 1)));
    EXPECT_EQ(t, at(2026, 5, 1, 7, 0));
    // ...and a year at a time until ahead when further behind.
    t = at(2021, 6, 1, 7, 0);
    ASSERT_TRUE(AdvanceYearlyByDay(t, 5, 1, at(2026, 5, 1, 7, 0)));
    EXPECT_EQ(t, at(2027, 5, 1, 7, 0));
    EXPECT_FALSE(AdvanceYearlyByDay(t, 13, 1, at(2026, 1, 1)));
}

TEST(AdvanceYearlyByWeekOrder, LastWeekdayOfDecemberStaysInDecember)
{
    DateTime t = at(2026, 12, 1, 9, 0);
    ASSERT_TRUE(AdvanceYearlyByWeekOrder(t, 5, 3, at(2026, 11, 1)));
    EXPECT_EQ(t, at(2026, 12, 30, 9, 0)); // the 31st is a Thursday
    // Once passed, the same rule a year later.
    ASSERT_TRUE(AdvanceYearlyByWeekOrder(t, 5, 3, at(2026, 12, 30, 9, 0)));
    EXPECT_EQ(t, at(2027, 12, 29, 9, 0));
    // The true last day of February counts here.
    t = at(2016, 2, 1, 9, 0);
    ASSERT_TRUE(AdvanceYearlyByWeekOrder(t, 5, 1, at(2016, 1, 1)));
    EXPECT_EQ(t, at(2016, 2, 29, 9, 0));
}

TEST(Recurrence, BadIntervalsAndBoundsFailInsteadOfLooping)
{
    const DateTime now = at(2026, 3, 10);
    DateTime t = at(2026, 3, 1);
    EXPECT_FALSE(AdvanceEveryNDays(t, 0, NoLimit, now));
    EXPECT_FALSE(AdvanceWeekly(t, 0, WeekdaySet(1), NoLimit, now));
    EXPECT_FALSE(AdvanceMonthlyByDay(t, 0, 1, NoLimit, now));
    EXPECT_FALSE(AdvanceMonthlyByWeekOrder(t, 1, 1, 0, NoLimit, now));
    EXPECT_FALSE(AdvanceMonthlyByWeekOrder(t, 7, 1, 1, NoLimit, now));
    EXPECT_FALSE(AdvanceMonthlyByWeekOrder(t, 1, 9, 1, NoLimit, now));
    EXPECT_FALSE(AdvanceMonthlyByWeekOrder(t, 1, 1, 101, NoLimit, now));
    // Order 0 lands in the previous month; a one-month step would return to
    // the same date for ever.
    EXPECT_FALSE(AdvanceMonthlyByWeekOrder(t, 0, 1, 1, NoLimit, now));
    EXPECT_FALSE(AdvanceYearlyByWeekOrder(t, -1, 1, now));
    EXPECT_FALSE(AdvanceMonthlyByDay(t, 1, 0, NoLimit, now));
    // Stepping past 9999-12-31 fails.
    t = at(9999, 12, 20);
    EXPECT_FALSE(AdvanceEveryNDays(t, 30, NoLimit, at(9999, 12, 25)));
    t = at(9999, 12, 20);
    EXPECT_FALSE(AdvanceYearlyByDay(t, 12, 1, at(9999, 12, 25)));
    DateTime invalid = DateTime::Invalid();
    EXPECT_FALSE(AdvanceEveryNDays(invalid, 1, NoLimit, now));
    EXPECT_FALSE(AdvanceWeekend(invalid, NoLimit, now));
    EXPECT_FALSE(AdvanceWeekly(invalid, 1, WeekdaySet(1), NoLimit, now));
    EXPECT_FALSE(AdvanceMonthlyByDay(invalid, 1, 1, NoLimit, now));
    EXPECT_FALSE(AdvanceYearlyByWeekOrder(invalid, 1, 1, now));
}

TEST(AdvanceTask, DispatchesBySchedule)
{
    const DateTime now = at(2026, 3, 10, 12, 0);
    AlarmTask task = InitAlarmTask(at(2026, 3, 1, 8, 0));
    ASSERT_TRUE(AdvanceTask(task, now)); // once: unchanged
    EXPECT_EQ(task.DateTime, at(2026, 3, 1, 8, 0));
    task.Schedule = 9;
    ASSERT_TRUE(AdvanceTask(task, now));
    EXPECT_EQ(task.DateTime, at(2026, 3, 1, 8, 0));

    task.Schedule = AlarmTask::Daily;
    task.DiaryDays = 1;
    ASSERT_TRUE(AdvanceTask(task, now));
    EXPECT_EQ(task.DateTime, at(2026, 3, 11, 8, 0));
    task.DiaryReportMode = 1;
    ASSERT_TRUE(AdvanceTask(task, now));
    EXPECT_EQ(task.DateTime, at(2026, 3, 15, 8, 0));

    task.Schedule = AlarmTask::Hourly;
    task.DateTime = at(2026, 3, 1, 8, 20);
    ASSERT_TRUE(AdvanceTask(task, now));
    EXPECT_EQ(task.DateTime, at(2026, 3, 10, 12, 20));

    task.Schedule = AlarmTask::Yearly;
    task.AnnuallyReportMode = 1;
    task.AnnuallyWeekOrder = 1;
    task.AnnuallyWeekly = 1;
    task.DateTime = at(2026, 3, 1, 8, 0);
    ASSERT_TRUE(AdvanceTask(task, now));
    EXPECT_EQ(task.DateTime, at(2027, 3, 1, 8, 0)); // first Monday of March 2027
}

TEST(RecomputeAllTasks, StopsAtTheFirstFailure)
{
    const FakeClock clock(at(2026, 3, 10, 12, 0));
    AlarmList list;
    AlarmTask daily = InitAlarmTask(at(2026, 3, 1, 8, 0));
    daily.Schedule = AlarmTask::Daily;
    daily.DiaryDays = 1;
    AlarmTask broken = daily;
    broken.DiaryDays = 0;
    const EntryHandle first = list.AddTail(daily);
    const EntryHandle second = list.AddTail(broken);
    const EntryHandle third = list.AddTail(daily);

    EXPECT_FALSE(RecomputeAllTasks(list, clock));
    EXPECT_EQ(list.At(first).DateTime, at(2026, 3, 11, 8, 0));
    EXPECT_EQ(list.At(second).DateTime, at(2026, 3, 1, 8, 0));
    EXPECT_EQ(list.At(third).DateTime, at(2026, 3, 1, 8, 0));

    list.RemoveAt(second);
    EXPECT_TRUE(RecomputeAllTasks(list, clock));
    EXPECT_EQ(list.At(third).DateTime, at(2026, 3, 11, 8, 0));
}

// Rule fields straight from a hand-edited file: the extremes of int either
// fail the rule or give a real date, without overflowing on the way.
TEST(Recurrence, ExtremeFieldsFailOrGiveADate)
{
    constexpr int Max = INT_MAX, Min = INT_MIN;
    const DateTime now = at(2026, 3, 10, 12, 0);
    const DateTime december = at(2025, 12, 15, 8, 0); // months and weeks wrap from here
    const struct
    {
        const char *rule;
        std::function<bool(DateTime &)> advance;
        std::optional<DateTime> expected; // none: the rule fails
    } cases[] = {
        {"every max days", [&](DateTime &t) { return AdvanceEveryNDays(t, Max, NoLimit, now); }, {}},
        {"every max weeks", [&](DateTime &t) { return AdvanceWeekly(t, Max, WeekdaySet(1), NoLimit, now); }, {}},
        {"every min weeks", [&](DateTime &t) { return AdvanceWeekly(t, Min, WeekdaySet(1), NoLimit, now); }, {}},
        {"every max months", [&](DateTime &t) { return AdvanceMonthlyByDay(t, Max, 15, NoLimit, now); }, {}},
        {"monthly day max", [&](DateTime &t) { return AdvanceMonthlyByDay(t, 1, Max, NoLimit, now); },
         at(2026, 3, 28, 8, 0)},
        {"monthly day min", [&](DateTime &t) { return AdvanceMonthlyByDay(t, 1, Min, NoLimit, now); }, {}},
        {"week order max", [&](DateTime &t) { return AdvanceMonthlyByWeekOrder(t, Max, 1, 1, NoLimit, now); }, {}},
        {"weekday min", [&](DateTime &t) { return AdvanceMonthlyByWeekOrder(t, 1, Min, 1, NoLimit, now); }, {}},
        {"week order months max",
         [&](DateTime &t) { return AdvanceMonthlyByWeekOrder(t, 1, 1, Max, NoLimit, now); },
         {}},
        {"yearly month max", [&](DateTime &t) { return AdvanceYearlyByDay(t, Max, 1, now); }, {}},
        {"yearly day max", [&](DateTime &t) { return AdvanceYearlyByDay(t, 12, Max, now); }, at(2026, 12, 31, 8, 0)},
        {"yearly day min", [&](DateTime &t) { return AdvanceYearlyByDay(t, 12, Min, now); }, {}},
        {"yearly order min", [&](DateTime &t) { return AdvanceYearlyByWeekOrder(t, Min, 1, now); }, {}},
        {"minutes max", [](DateTime &t) { return AddMinutes(t, std::numeric_limits<qint64>::max(), true); }, {}},
        {"minutes min back", [](DateTime &t) { return AddMinutes(t, std::numeric_limits<qint64>::min(), false); }, {}},
    };
    for (const auto &c : cases) {
        DateTime t = december;
        const bool advanced = c.advance(t);
        EXPECT_EQ(advanced, c.expected.has_value()) << c.rule;
        if (advanced && c.expected) {
            EXPECT_EQ(t, *c.expected) << c.rule;
        }
    }
    EXPECT_FALSE(december.AddDays(std::numeric_limits<qint64>::max()).IsValid());
    EXPECT_FALSE(december.AddSeconds(std::numeric_limits<qint64>::min()).IsValid());
}
