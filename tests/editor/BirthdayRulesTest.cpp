// SPDX-License-Identifier: MIT
#include "calendar/CalendarInfo.h"
#include "editor/BirthdayInfo.h"

#include <QUrl>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

DateTime day(int y, int m, int d)
{
    return DateTime::FromParts(y, m, d);
}

} // namespace

TEST(BirthdayRules, AgeCountsCalendarYearsOnEitherSideOfTheBirthday)
{
    struct Case
    {
        DateTime born, today;
        int age;
    };
    const Case cases[] = {
        // Not a year short in the week before the birthday, as 365-day years
        // would make it (eight leap days lie between).
        {day(1978, 3, 1), day(2008, 2, 22), 29},
        {day(1978, 3, 1), day(2008, 2, 29), 29},
        {day(1978, 3, 1), day(2008, 3, 1), 30},
        // 29 February: reached on 1 March in common years, on the day in leap years.
        {day(2000, 2, 29), day(2021, 2, 28), 20},
        {day(2000, 2, 29), day(2021, 3, 1), 21},
        {day(2000, 2, 29), day(2024, 2, 28), 23},
        {day(2000, 2, 29), day(2024, 2, 29), 24},
        // Before 1970.
        {day(1950, 6, 15), day(2026, 6, 14), 75},
        {day(1950, 6, 15), day(2026, 6, 15), 76},
        {day(1900, 1, 1), day(2026, 3, 10), 126},
        {day(2026, 3, 10), day(2026, 3, 10), 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(AgeOn(Birth(c.born), c.today), c.age)
            << c.born.ToDateString().toStdString() << " on " << c.today.ToDateString().toStdString();
}

TEST(BirthdayRules, BirthDatesFrom1900ToTodayAreTakenAndStoredAsSignedSeconds)
{
    const DateTime now = DateTime::FromParts(2026, 3, 10, 12, 0, 30);
    EXPECT_FALSE(IsAcceptableBirthDate(day(1899, 12, 31), now));
    EXPECT_TRUE(IsAcceptableBirthDate(day(1900, 1, 1), now));
    EXPECT_TRUE(IsAcceptableBirthDate(day(2026, 3, 10), now));
    EXPECT_FALSE(IsAcceptableBirthDate(day(2026, 3, 11), now));

    EXPECT_LT(BornDateOf(day(1969, 12, 31)), 0);
    // Beyond what 32 bits hold.
    EXPECT_LT(BornDateOf(day(1900, 1, 1)), qint64(INT_MIN));
    for (const DateTime &date : {day(1900, 1, 1), day(1901, 12, 13), day(1950, 6, 15), day(1969, 12, 31),
                                 day(1970, 1, 1), day(2000, 2, 29), day(2026, 3, 10)})
        EXPECT_EQ(BirthDateOf(BornDateOf(date)), date) << date.ToDateString().toStdString();
}

TEST(BirthdayRules, SignAndAnimalOfTheBirthDate)
{
    const DateTime now = day(2026, 3, 10);
    struct Case
    {
        DateTime born;
        const char16_t *sign, *animal;
    };
    for (const Case &c : {Case {day(1978, 3, 1), u"双鱼", u"马"}, Case {day(1950, 6, 15), u"双子", u"虎"},
                          Case {day(2000, 1, 21), u"摩羯", u"龙"}, Case {day(2000, 1, 22), u"水瓶", u"龙"}}) {
        const BirthInfo info = DescribeBirth(Birth(c.born), now);
        EXPECT_EQ(SignNames().value(info.signIndex), QString::fromUtf16(c.sign));
        EXPECT_EQ(AnimalNames().value(info.animalIndex), QString::fromUtf16(c.animal));
    }
}

TEST(BirthdayRules, WebLinksForASignAnAnimalAndAYear)
{
    const int stars[] = {10, 11, 12, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    const int animalPages[] = {4, 5, 9, 6, 7, 10, 8, 2, 3, 1, 12, 11};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(StarNumber(i), stars[i]);
        EXPECT_EQ(AnimalPageNumber(i), animalPages[i]);
    }
    const BirthdayWebHosts hosts {u"astro.example.cn"_s, u"sx.example.cn"_s};
    const auto address = [&](BirthdayWebLink link) {
        return BirthdayWebAddress(link, hosts, 3 /* Aries */, 6 /* Horse */, 2008);
    };
    const QString fortune = u"https://astro.example.cn/8866/yuncheng/index.html?func=%1&star=01"_s;
    EXPECT_EQ(address(BirthdayWebLink::TodayFortune), fortune.arg(u"today"_s));
    EXPECT_EQ(address(BirthdayWebLink::WeekFortune), fortune.arg(u"week"_s));
    EXPECT_EQ(address(BirthdayWebLink::MonthFortune), fortune.arg(u"month"_s));
    EXPECT_EQ(address(BirthdayWebLink::YearFortune), fortune.arg(u"year2008"_s));
    EXPECT_EQ(address(BirthdayWebLink::AnimalFortune), u"https://sx.example.cn/sxwh/sxwh_s/sxml-ys/8.htm"_s);
    EXPECT_EQ(address(BirthdayWebLink::AnimalProfile), u"https://sx.example.cn/sxwh/sxwh_s/sxml-sxda/8.htm"_s);
    EXPECT_EQ(address(BirthdayWebLink::BloodGroups), u"https://sx.example.cn/sxwh/sxwh_s/sxml-xxsc.html"_s);
    EXPECT_EQ(QUrl(BirthdayWebAddress(BirthdayWebLink::TodayFortune, hosts, 2, 0, 2008)).query(),
              u"func=today&star=12"_s);
}

TEST(BirthdayRules, NoticeTextCountsTheDaysAcrossTheNewYear)
{
    BirthdayEntry friendEntry;
    friendEntry.FriendName = u"小明"_s;
    friendEntry.BornDate = BornDateOf(day(1990, 1, 3));
    const std::optional<BirthdayNoticeText> notice =
        ComposeBirthdayNotice(friendEntry, true, DateTime::FromParts(2025, 12, 25, 23, 59, 59));
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->caption, u"你朋友小明的生日"_s);
    EXPECT_EQ(notice->message,
              u"2026-1-3 是您的朋友 小明 的生日(9 天后).\n\n备注:无\n\n"
              u"如果您想为他/她送去您的祝福\n可以使用如下服务."_s);

    // A remark shows as written, "%1" and all; a birthday not ahead gives no notice.
    friendEntry.Note = u"送 %1 本书"_s;
    friendEntry.BornDate = BornDateOf(day(1960, 3, 20));
    const auto spring = ComposeBirthdayNotice(friendEntry, false, day(2026, 3, 10));
    ASSERT_TRUE(spring);
    EXPECT_TRUE(spring->message.startsWith(u"2026-3-20 是您的朋友 小明 的生日(10 天后).\n\n备注:送 %1 本书\n"_s));
    EXPECT_FALSE(ComposeBirthdayNotice(friendEntry, false, day(2026, 3, 20)));

    // Born on 29 February: in a common year the day counted to is the 28th.
    friendEntry.BornDate = BornDateOf(day(1996, 2, 29));
    const auto leap = ComposeBirthdayNotice(friendEntry, false, day(2027, 2, 21));
    ASSERT_TRUE(leap);
    EXPECT_TRUE(leap->message.startsWith(u"2027-2-28 是您的朋友 小明 的生日(7 天后)."_s));
}

TEST(BirthdayRules, ALunarNoticeCountsToTheLunarBirthday)
{
    BirthdayEntry friendEntry;
    friendEntry.FriendName = u"小明"_s;
    friendEntry.BornDate = BornDateOf(day(1990, 1, 27));
    friendEntry.Lunar = 1;
    // 2027-01-30 is in lunar 2026: the birthday comes in the lunar year after.
    const auto notice = ComposeBirthdayNotice(friendEntry, true, DateTime::FromParts(2027, 1, 30, 9, 0, 0));
    ASSERT_TRUE(notice);
    EXPECT_TRUE(notice->message.startsWith(u"农历正月初一 2027-2-6 是您的朋友 小明 的生日(7 天后).\n"_s))
        << notice->message.toStdString();
    // Seen from that birthday, the next one.
    const auto later = ComposeBirthdayNotice(friendEntry, true, DateTime::FromParts(2027, 2, 6, 9, 0, 0));
    ASSERT_TRUE(later);
    EXPECT_TRUE(later->message.startsWith(u"农历正月初一 2028-1-26 是您的朋友 小明 的生日(354 天后)."_s))
        << later->message.toStdString();
}
