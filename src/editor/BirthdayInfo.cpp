// SPDX-License-Identifier: MIT
#include "editor/BirthdayInfo.h"

#include "calendar/CalendarInfo.h"
#include "calendar/LunarCalendar.h"

#include <QCoreApplication>
#include <array>

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

BirthInfo DescribeBirth(const Birth &birth, const DateTime &now)
{
    BirthInfo info;
    info.age = AgeOn(birth, now);
    info.signIndex = SignIndex(birth.date.Month(), birth.date.Day());
    info.animalIndex = BirthAnimalIndex(birth);
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
    const Birth birth = BirthOf(entry);
    const int year = BirthdayYearOf(birth, today);
    const DateTime target = year ? BirthdayIn(birth, year + (nextYear ? 1 : 0)) : DateTime::Invalid();
    if (!today.IsValid() || !target.IsValid() || !(target > today))
        return std::nullopt;
    const qint64 days = (target.Seconds() - today.Seconds()) / DateTime::SecondsPerDay;
    const QString remark = entry.Note.isEmpty() ? tr("无") : entry.Note;
    QString date = u"%1-%2-%3"_s.arg(target.Year()).arg(target.Month()).arg(target.Day());
    // The lunar day comes first: it is the day the friend counts by.
    if (birth.lunar)
        date = tr("农历%1 %2").arg(LunarCalendar::MonthDayText(target), date);
    // One pass over the pattern: a name or remark holding "%1" stays as typed.
    const QString message =
        tr("%1 是您的朋友 %2 的生日(%3 天后).\n\n备注:%4\n\n如果您想为他/她送去您的祝福\n可以使用如下服务.")
            .arg(date, entry.FriendName, QString::number(days), remark);
    return BirthdayNoticeText {tr("你朋友%1的生日").arg(entry.FriendName), message};
}
