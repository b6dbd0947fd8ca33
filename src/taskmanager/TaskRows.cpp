// SPDX-License-Identifier: MIT
#include "taskmanager/TaskRows.h"

#include "calendar/BirthdayDates.h"
#include "calendar/LunarCalendar.h"
#include "schedule/NextRunText.h"

#include <QCoreApplication>
#include <algorithm>
#include <numeric>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("TaskRows", text);
}

// Reads an unsigned number of 1..maxDigits digits at `pos`; -1 when there is none.
int readNumber(QStringView text, qsizetype &pos, int maxDigits)
{
    int value = 0;
    int digits = 0;
    while (pos < text.size() && digits < maxDigits && text[pos].isDigit() && text[pos].unicode() < 128) {
        value = value * 10 + (text[pos].unicode() - u'0');
        ++pos;
        ++digits;
    }
    return digits == 0 ? -1 : value;
}

bool readChar(QStringView text, qsizetype &pos, char16_t c)
{
    if (pos >= text.size() || text[pos] != c)
        return false;
    ++pos;
    return true;
}

std::vector<int> identityOrder(qsizetype count)
{
    std::vector<int> order(static_cast<size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    return order;
}

std::vector<int> textOrder(const QStringList &texts, bool ascending)
{
    // Fold once rather than in each of the n log n comparisons.
    std::vector<QString> keys;
    keys.reserve(size_t(texts.size()));
    for (const QString &text : texts)
        keys.push_back(text.toCaseFolded());
    std::vector<int> order = identityOrder(texts.size());
    std::stable_sort(order.begin(), order.end(), [&keys, ascending](int a, int b) {
        const int c = QString::compare(keys[size_t(a)], keys[size_t(b)], Qt::CaseSensitive);
        return ascending ? c < 0 : c > 0;
    });
    return order;
}

// An unparsable text compares equal to everything, which is no ordering a
// sort can work with. Keeping such rows in place and sorting the dated rows
// among the places they hold gives the same picture: the dated rows in
// order, the others where they were relative to each other.
std::vector<int> dateOrder(const QStringList &texts, bool ascending)
{
    std::vector<int> order = identityOrder(texts.size());
    std::vector<int> places;
    std::vector<std::pair<qint64, int>> dated;
    for (int row = 0; row < int(texts.size()); ++row) {
        if (const std::optional<DateTime> when = ParseListDateTime(texts[row])) {
            places.push_back(row);
            dated.emplace_back(when->Seconds(), row);
        }
    }
    std::stable_sort(dated.begin(), dated.end(), [ascending](const auto &a, const auto &b) {
        return ascending ? a.first < b.first : a.first > b.first;
    });
    for (size_t i = 0; i < places.size(); ++i)
        order[size_t(places[i])] = dated[i].second;
    return order;
}

} // namespace

bool HasAlarmRow(const AlarmTask &task)
{
    return task.DateTime.IsValid();
}

RowTexts AlarmRowTexts(const AlarmTask &task, const DateTime &now)
{
    // A schedule value from a damaged file names no frequency.
    return {task.Description, ScheduleNames().value(task.Schedule), NextRunText(task, now)};
}

RowTexts BirthdayRowTexts(const BirthdayEntry &entry, const DateTime &now)
{
    const Birth birth = BirthOf(entry);
    const DateTime &born = birth.date;
    QString date =
        born.IsValid() ? QStringLiteral("%1-%2-%3").arg(born.Year()).arg(born.Month()).arg(born.Day()) : QString();
    if (birth.lunar) {
        // The Gregorian birth date does not say when a lunar birthday comes.
        date += tr(" 农历%1").arg(LunarCalendar::MonthDayText(born));
        if (const DateTime next = NextBirthday(birth, now).date; next.IsValid())
            date += QStringLiteral(" (%1-%2-%3)").arg(next.Year()).arg(next.Month()).arg(next.Day());
    }
    return {entry.FriendName, date,
            tr("年龄:%1 星座:%2 生肖:%3").arg(QString::number(entry.Age), entry.Sign, entry.Year)};
}

RowTexts NoteRowTexts(const NoteEntry &entry)
{
    return {NoteListText(entry.Message), entry.OnTop == 1 ? tr("是") : tr("否"),
            DateTime::FromUnixTime(entry.UpdateTime).ToDateTimeString()};
}

QString NoteListText(const QString &message)
{
    QString line = message;
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    line.replace(u'\n', u' ').replace(u'\r', u' ');
    return line;
}

QString AlarmDeleteQuestion(const AlarmTask &task)
{
    return tr("您确定删除该提醒任务'%1'吗? ").arg(task.Description);
}

QString BirthdayDeleteQuestion(const BirthdayEntry &entry)
{
    return tr("你确定删除您朋友'%1'的生日提醒吗?").arg(entry.FriendName);
}

QString NoteDeleteQuestion(const NoteEntry &entry)
{
    return tr("您确定删除便签'%1'吗?").arg(entry.Message);
}

std::optional<DateTime> ParseListDateTime(const QString &text)
{
    const QStringView s(text);
    qsizetype pos = 0;
    const int year = readNumber(s, pos, 4);
    if (year < 0 || !readChar(s, pos, u'-'))
        return std::nullopt;
    const int month = readNumber(s, pos, 2);
    if (month < 0 || !readChar(s, pos, u'-'))
        return std::nullopt;
    const int day = readNumber(s, pos, 2);
    if (day < 0 || !readChar(s, pos, u' '))
        return std::nullopt;
    const int hour = readNumber(s, pos, 2);
    if (hour < 0 || !readChar(s, pos, u':'))
        return std::nullopt;
    const int minute = readNumber(s, pos, 2);
    if (minute < 0 || !readChar(s, pos, u':'))
        return std::nullopt;
    const int second = readNumber(s, pos, 2);
    if (second < 0 || pos != s.size())
        return std::nullopt;
    const DateTime value = DateTime::FromParts(year, month, day, hour, minute, second);
    return value.IsValid() ? std::optional<DateTime>(value) : std::nullopt;
}

void SortState::Click(int clicked)
{
    if (clicked == column) {
        ascending = !ascending;
        return;
    }
    column = clicked;
    ascending = true;
}

std::vector<int> SortedRowOrder(const QStringList &texts, const SortState &sort)
{
    if (sort.column == SortState::DateColumn)
        return dateOrder(texts, sort.ascending);
    return textOrder(texts, sort.ascending);
}
