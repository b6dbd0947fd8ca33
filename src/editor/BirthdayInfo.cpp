// SPDX-License-Identifier: MIT
#include "editor/BirthdayInfo.h"

#include "calendar/CalendarInfo.h"

#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <tuple>

using namespace Qt::StringLiterals;

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("BirthdayNotice", text);
}

// The zodiac site's page of each animal, Rat first.
constexpr std::array<int, 12> AnimalPages {4, 5, 9, 6, 7, 10, 8, 2, 3, 1, 12, 11};

} // namespace

bool IsAcceptableBirthDate(const DateTime &date, const DateTime &now)
{
    return date.IsValid() && now.IsValid() && date.Day0() <= now.Day0() &&
        date >= DateTime::FromParts(EarliestBirthYear, 1, 1);
}

int AgeOn(const DateTime &born, const DateTime &today)
{
    if (!born.IsValid() || !today.IsValid())
        return 0;
    int age = today.Year() - born.Year();
    // Compared as (month, day), 29 February is reached only once February
    // is over in a common year.
    if (std::tuple(today.Month(), today.Day()) < std::tuple(born.Month(), born.Day()))
        --age;
    return std::max(age, 0);
}

DateTime BirthdayIn(const DateTime &born, int year)
{
    if (!born.IsValid())
        return DateTime::Invalid();
    const int day = std::min(born.Day(), DateTime::DaysInMonth(year, born.Month()));
    return DateTime::FromParts(year, born.Month(), day);
}

qint64 BornDateOf(const DateTime &birthDate)
{
    return birthDate.Day0().ToUnixTime();
}

DateTime BirthDateOf(qint64 bornDate)
{
    const DateTime local = DateTime::FromUnixTime(bornDate);
    return local.IsValid() ? local.Day0() : local;
}

BirthInfo DescribeBirth(const DateTime &birthDate, const DateTime &now)
{
    BirthInfo info;
    info.age = AgeOn(birthDate, now);
    info.signIndex = SignIndex(birthDate.Month(), birthDate.Day());
    info.animalIndex = AnimalIndex(birthDate.Year());
    return info;
}

int StarNumber(int signIndex)
{
    return (signIndex + 9) % 12 + 1;
}

int AnimalPageNumber(int animalIndex)
{
    return animalIndex >= 0 && animalIndex < int(AnimalPages.size()) ? AnimalPages[size_t(animalIndex)] : 1;
}

QString BirthdayWebAddress(BirthdayWebLink link, const BirthdayWebHosts &hosts, int signIndex, int animalIndex,
                           int year)
{
    const auto fortune = [&](const QString &func) {
        return u"https://%1/8866/yuncheng/index.html?func=%2&star=%3"_s.arg(
            hosts.horoscope, func, u"%1"_s.arg(StarNumber(signIndex), 2, 10, QLatin1Char('0')));
    };
    switch (link) {
    case BirthdayWebLink::TodayFortune:
        return fortune(u"today"_s);
    case BirthdayWebLink::WeekFortune:
        return fortune(u"week"_s);
    case BirthdayWebLink::MonthFortune:
        return fortune(u"month"_s);
    case BirthdayWebLink::YearFortune:
        return fortune(u"year%1"_s.arg(year));
    case BirthdayWebLink::AnimalFortune:
        return u"https://%1/sxwh/sxwh_s/sxml-ys/%2.htm"_s.arg(hosts.zodiac).arg(AnimalPageNumber(animalIndex));
    case BirthdayWebLink::AnimalProfile:
        return u"https://%1/sxwh/sxwh_s/sxml-sxda/%2.htm"_s.arg(hosts.zodiac).arg(AnimalPageNumber(animalIndex));
    case BirthdayWebLink::BloodGroups:
        return u"https://%1/sxwh/sxwh_s/sxml-xxsc.html"_s.arg(hosts.zodiac);
    }
    return {};
}

std::optional<BirthdayNoticeText> ComposeBirthdayNotice(const BirthdayEntry &entry, bool nextYear, const DateTime &now)
{
    const DateTime today = now.Day0();
    const DateTime target = BirthdayIn(BirthDateOf(entry.BornDate), now.Year() + (nextYear ? 1 : 0));
    if (!today.IsValid() || !target.IsValid() || !(target > today))
        return std::nullopt;
    const qint64 days = (target.Seconds() - today.Seconds()) / DateTime::SecondsPerDay;
    const QString remark = entry.Note.isEmpty() ? tr("无") : entry.Note;
    // One pass over the pattern: a name or remark holding "%1" stays as typed.
    const QString message =
        tr("%1-%2-%3 是您的朋友 %4 的生日(%5 天后).\n\n备注:%6\n\n如果您想为他/她送去您的祝福\n可以使用如下服务.")
            .arg(QString::number(target.Year()), QString::number(target.Month()), QString::number(target.Day()),
                 entry.FriendName, QString::number(days), remark);
    return BirthdayNoticeText {tr("你朋友%1的生日").arg(entry.FriendName), message};
}
