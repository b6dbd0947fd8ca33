// SPDX-License-Identifier: MIT
#include "schedule/Recurrence.h"

#include "platform/Clock.h"

#include <algorithm>
#include <limits>

namespace {

// Month lengths as the monthly and yearly by-day rules count them: February
// has 28 days here in every year, so a "29th of February" reminder falls on
// the 28th, every year alike.
int tableMonthLength(int month)
{
    static constexpr int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month >= 1 && month <= 12 ? lengths[month - 1] : 0; // 0: no day fits
}

struct YearMonth
{
    int year;
    int month;

    friend auto operator<=>(const YearMonth &, const YearMonth &) = default;
};

// `months` months after year/month. The interval comes from the file and
// may be anything: the sum is worked out in 64 bits, and a year outside the
// supported range comes back as 0 or 10000, which no date takes.
YearMonth monthsAfter(int year, int month, int months)
{
    const qint64 zeroBased = qint64(month) - 1 + months;
    const qint64 years = zeroBased >= 0 ? zeroBased / 12 : (zeroBased - 11) / 12;
    return {int(std::clamp<qint64>(year + years, 0, 10000)), int(zeroBased - years * 12) + 1};
}

DateTime atDay(int year, int month, int day, const DateTime &timeOf)
{
    return DateTime::FromParts(year, month, day, timeOf.Hour(), timeOf.Minute(), timeOf.Second());
}

enum class RangeResult
{
    Continue,
    Ended,
    Failed
};

// Clamps x into the task's date range. Past the end, x lands on the last day
// and the rule ends; before the start, x moves to the first day and the rule
// goes on. The hourly rule drops the seconds and, before the start, begins
// at midnight.
RangeResult applyDateLimit(DateTime &x, const DateLimit &range, bool hourly = false)
{
    if (!range.Enabled)
        return RangeResult::Continue;
    // The range is made of whole days. Comparing with the first day's
    // midnight matters: a start that carries a time of day (the editor can
    // hand one over) would otherwise pull an hourly step back to midnight of
    // that same day again and again.
    if (x.Day0() > range.End.Day0()) {
        x = range.End.WithTime(x.Hour(), x.Minute(), hourly ? 0 : x.Second());
        return x.IsValid() ? RangeResult::Ended : RangeResult::Failed;
    }
    if (x.Day0() < range.Start.Day0()) {
        x = hourly ? range.Start.WithTime(0, x.Minute(), 0) : range.Start.WithTime(x.Hour(), x.Minute(), x.Second());
        return x.IsValid() ? RangeResult::Continue : RangeResult::Failed;
    }
    return RangeResult::Continue;
}

// Moves x back to the nearest day (x itself included) that is `weekday`
// (Monday = 1 .. Sunday = 7).
DateTime backToWeekday(const DateTime &x, int weekday)
{
    const int d = x.MondayBasedWeekday();
    if (d == weekday)
        return x;
    return x.AddDays(-(d > weekday ? d - weekday : d - weekday + 7));
}

// The order-th (1..4) `weekday` of the month that `firstOfMonth` opens,
// counted from the month's first Sunday.
DateTime nthWeekdayOfMonth(const DateTime &firstOfMonth, int order, int weekday)
{
    const int dow = firstOfMonth.DayOfWeek();
    const int firstSunday = dow == 1 ? 1 : 9 - dow;
    const int day = firstSunday + weekday >= 8 ? firstSunday + weekday - 7 : firstSunday + weekday;
    return atDay(firstOfMonth.Year(), firstOfMonth.Month(), day, firstOfMonth).AddDays(7 * qint64(order - 1));
}

// Days from t to the next enabled weekday of its cycle: the next one later
// in t's week, or else the first one of the week `weeks` weeks on (in 64
// bits: `weeks` comes from the file).
qint64 weeklyStep(const DateTime &t, int weeks, WeekdaySet enabled)
{
    const int b = t.WeekdayBit();
    for (int j = b + 1; j <= 6; ++j) {
        if (enabled.test(size_t(j)))
            return j - b;
    }
    int first = 7;
    for (int i = 0; i <= 6; ++i) {
        if (enabled.test(size_t(i))) {
            first = i;
            break;
        }
    }
    return 7 * qint64(weeks) + first - b;
}

bool weekOrderInBounds(int order, int weekday)
{
    return order >= 0 && order <= 6 && weekday >= 0 && weekday <= 8;
}

} // namespace

DateLimit DateLimitOf(const AlarmTask &task)
{
    return {task.HourlyDateLimit, task.HourlyStartDate, task.HourlyEndDate};
}

bool AddMinutes(DateTime &x, qint64 n, bool forward)
{
    // -n does not exist for the most negative n; no date is that far back.
    x = forward ? x.AddMinutes(n) : n == std::numeric_limits<qint64>::min() ? DateTime::Invalid() : x.AddMinutes(-n);
    return x.IsValid();
}

bool AdvanceHourly(DateTime &t, int minute, int timeLimit, const DateLimit &range, const DateTime &startTime,
                   const DateTime &endTime, const DateTime &now)
{
    if (!t.IsValid())
        return false;
    // The stored date plays no part: start from this hour's occurrence.
    t = now.WithTime(now.Hour(), minute, 0);
    if (!t.IsValid())
        return false;
    if (t > now)
        return true;

    for (;;) {
        if (!AddMinutes(t, 60, true))
            return false;
        if (const RangeResult r = applyDateLimit(t, range, true); r != RangeResult::Continue)
            return r == RangeResult::Ended;
        if (timeLimit) {
            const DateTime timeOfDay = DateTime::TimeOfDay(t.Hour(), t.Minute(), 0);
            // The first occurrence of a day is at `minute` of the window's
            // first hour, or of the hour after when that comes too early.
            const auto firstOfDay = [&](DateTime &x) {
                x = x.WithTime(startTime.Hour(), minute, 0);
                if (!x.IsValid())
                    return false;
                if (x < x.WithTime(startTime.Hour(), startTime.Minute(), 0))
                    return AddMinutes(x, 60, true);
                return true;
            };
            if (timeOfDay > endTime) {
                if (!firstOfDay(t) || !AddMinutes(t, 1440, true))
                    return false;
                if (range.Enabled && t.Day0() > range.End)
                    t = range.End.WithTime(t.Hour(), t.Minute(), 0);
                return t.IsValid();
            }
            if (timeOfDay < startTime && !firstOfDay(t))
                return false;
        }
        if (t > now)
            return true;
    }
}

bool AdvanceEveryNDays(DateTime &t, int n, const DateLimit &range, const DateTime &now)
{
    if (!t.IsValid() || n < 1)
        return false;
    if (t > now)
        return true;
    do {
        if (!AddMinutes(t, qint64(n) * 1440, true))
            return false;
        if (const RangeResult r = applyDateLimit(t, range); r != RangeResult::Continue)
            return r == RangeResult::Ended;
    } while (t <= now);
    return true;
}

bool AdvanceWeekend(DateTime &t, const DateLimit &range, const DateTime &now)
{
    if (!t.IsValid())
        return false;
    constexpr int Sunday = 1;
    if (t > now && t.DayOfWeek() == Sunday)
        return true;
    // To the next Sunday after t's date; a week on when t is a Sunday.
    if (!AddMinutes(t, qint64(8 - t.DayOfWeek()) * 1440, true))
        return false;
    return applyDateLimit(t, range) != RangeResult::Failed;
}

bool AdvanceWeekly(DateTime &t, int weeks, WeekdaySet enabled, const DateLimit &range, const DateTime &now)
{
    if (!t.IsValid() || weeks < 1)
        return false;
    if (t > now)
        return true;
    // The step is worked out afresh from each moment reached, so catching up
    // over several weeks keeps landing on enabled weekdays.
    do {
        if (!AddMinutes(t, weeklyStep(t, weeks, enabled) * 1440, true))
            return false;
        if (const RangeResult r = applyDateLimit(t, range); r != RangeResult::Continue)
            return r == RangeResult::Ended;
    } while (t <= now);
    return true;
}

bool AdvanceMonthlyByDay(DateTime &t, int months, int day, const DateLimit &range, const DateTime &now)
{
    if (!t.IsValid() || months < 1)
        return false;
    // Even a future t is moved onto the rule's day of its month.
    day = std::min(day, tableMonthLength(t.Month()));
    t = atDay(t.Year(), t.Month(), day, t);
    if (!t.IsValid())
        return false;
    if (t > now)
        return true;
    do {
        const YearMonth next = monthsAfter(t.Year(), t.Month(), months);
        // A day lowered for a short month stays lowered for the rest of
        // this call.
        day = std::min(day, tableMonthLength(next.month));
        t = atDay(next.year, next.month, day, t);
        if (!t.IsValid())
            return false;
        if (const RangeResult r = applyDateLimit(t, range); r != RangeResult::Continue)
            return r == RangeResult::Ended;
    } while (t <= now);
    return true;
}

bool AdvanceMonthlyByWeekOrder(DateTime &t, int order, int weekday, int months, const DateLimit &range,
                               const DateTime &now)
{
    if (!weekOrderInBounds(order, weekday) || months < 1 || months > 100 || !t.IsValid())
        return false;
    YearMonth cursor {t.Year(), t.Month()};
    DateTime x;
    for (;;) {
        if (order == 5) {
            x = backToWeekday(atDay(cursor.year, cursor.month, tableMonthLength(cursor.month), t), weekday);
        } else {
            x = nthWeekdayOfMonth(atDay(cursor.year, cursor.month, 1, t), order, weekday);
        }
        if (!x.IsValid())
            return false;
        if (x > now)
            break;
        const YearMonth next = monthsAfter(x.Year(), x.Month(), months);
        // An order of 0 can land in the month before; with a one-month
        // interval that would come back to the same month for ever.
        if (next <= cursor)
            return false;
        cursor = next;
    }
    if (applyDateLimit(x, range) == RangeResult::Failed)
        return false;
    t = x;
    return true;
}

bool AdvanceYearlyByDay(DateTime &t, int month, int day, const DateTime &now)
{
    if (month < 1 || month > 12 || !t.IsValid())
        return false;
    day = std::min(day, tableMonthLength(month));
    t = atDay(t.Year(), month, day, t);
    // A task several years behind steps a year at a time until it lies
    // ahead; a past date would never be met again.
    while (t.IsValid() && t <= now)
        t = atDay(t.Year() + 1, month, day, t);
    return t.IsValid();
}

bool AdvanceYearlyByWeekOrder(DateTime &t, int order, int weekday, const DateTime &now)
{
    if (!weekOrderInBounds(order, weekday) || !t.IsValid())
        return false;
    DateTime first = atDay(t.Year(), t.Month(), 1, t);
    for (;;) {
        DateTime x;
        if (order == 5) {
            const YearMonth following = monthsAfter(first.Year(), first.Month(), 1);
            x = backToWeekday(atDay(following.year, following.month, 1, t).AddDays(-1), weekday);
        } else {
            x = nthWeekdayOfMonth(first, order, weekday);
        }
        if (!x.IsValid())
            return false;
        if (x > now) {
            t = x;
            return true;
        }
        first = atDay(x.Year() + 1, x.Month(), 1, t);
        if (!first.IsValid())
            return false;
    }
}

bool AdvanceTask(AlarmTask &task, const DateTime &now)
{
    DateTime &t = task.DateTime;
    const DateLimit range = DateLimitOf(task);
    switch (task.Schedule) {
    case AlarmTask::Hourly:
        return AdvanceHourly(t, t.Minute(), task.HourlyTimeLimit, range, task.HourlyStartTime, task.HourlyEndTime, now);
    case AlarmTask::Daily:
        return task.DiaryReportMode ? AdvanceWeekend(t, range, now) : AdvanceEveryNDays(t, task.DiaryDays, range, now);
    case AlarmTask::Weekly:
        return AdvanceWeekly(t, task.WeeklyWeek, task.WeeklyEnable, range, now);
    case AlarmTask::Monthly:
        return task.MonthlyReportMode
            ? AdvanceMonthlyByWeekOrder(t, task.MonthlyWeekOrder, task.MonthlyWeekly, task.MonthlyMonth2, range, now)
            : AdvanceMonthlyByDay(t, task.MonthlyMonth, task.MonthlyDay, range, now);
    case AlarmTask::Yearly:
        return task.AnnuallyReportMode ? AdvanceYearlyByWeekOrder(t, task.AnnuallyWeekOrder, task.AnnuallyWeekly, now)
                                       : AdvanceYearlyByDay(t, task.AnnuallyMonth, task.AnnuallyDay, now);
    default:
        return true;
    }
}

bool AdvanceTask(AlarmTask &task, const Clock &clock)
{
    return AdvanceTask(task, clock.Now());
}

bool RecomputeAllTasks(AlarmList &list, const Clock &clock)
{
    for (EntryHandle h = list.GetHeadPosition(); h; h = list.GetNextPosition(h)) {
        AlarmTask copy = list.At(h);
        if (!AdvanceTask(copy, clock))
            return false;
        list.SetAt(h, copy);
    }
    return true;
}
