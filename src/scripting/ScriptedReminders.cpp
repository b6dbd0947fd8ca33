// SPDX-License-Identifier: MIT
#include "scripting/ScriptedReminders.h"

#include "firing/Snooze.h"
#include "scripting/ClockBus.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <algorithm>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ScriptedReminders", text);
}

// A text quoted back to the user, cut short when it is long.
QString quoted(const QString &text)
{
    constexpr int Shown = 40;
    return text.size() > Shown ? text.left(Shown) + QStringLiteral("…") : text;
}

// Stored messages break their lines Windows-style.
QString withStoredLineBreaks(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    text.replace(u'\n', QStringLiteral("\r\n"));
    return text;
}

// Year, month, day, hour, minute and second of a moment written
// "2026-12-24 18:00[:00]" (or with a "T"), whether or not it exists.
std::optional<QList<int>> momentParts(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})(?:T|\\s+)(\\d{1,2}):(\\d{2})(?::(\\d{2}))?$"));
    const QRegularExpressionMatch m = pattern.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    QList<int> parts;
    for (int n = 1; n <= 6; ++n)
        parts.append(m.captured(n).isEmpty() ? 0 : m.captured(n).toInt());
    return parts;
}

} // namespace

DateTime ParseScriptMoment(const QString &text)
{
    const std::optional<QList<int>> parts = momentParts(text);
    return parts ? DateTime::FromParts((*parts)[0], (*parts)[1], (*parts)[2], (*parts)[3], (*parts)[4], (*parts)[5])
                 : DateTime::Invalid();
}

std::variant<AlarmTask, ScriptError> NewScriptedReminder(const QString &when, const QString &description,
                                                         const QString &message, const DateTime &now)
{
    const DateTime due = ParseScriptMoment(when);
    if (!due.IsValid()) {
        // A well-formed moment that does not exist: 30 February, 25:00.
        if (momentParts(when))
            return ScriptError {ScriptErrors::BadDate, tr("时间“%1”不存在。").arg(quoted(when.trimmed()))};
        return ScriptError {
            ScriptErrors::BadDate,
            tr("无法识别时间“%1”：请写成“年-月-日 时:分”，例如 2026-12-24 18:00。").arg(quoted(when.trimmed()))};
    }
    if (due <= now)
        return ScriptError {
            ScriptErrors::DateInPast,
            tr("提醒时间 %1 已经过去（现在是 %2）。").arg(due.ToDateTimeString(), now.ToDateTimeString())};

    const QString title = description.trimmed();
    if (title.isEmpty())
        return ScriptError {ScriptErrors::EmptyDescription, tr("提醒的描述不能为空。")};
    if (title.contains(u'\n') || title.contains(u'\r'))
        return ScriptError {ScriptErrors::BadText, tr("提醒的描述不能包含换行。")};
    if (title.size() > ScriptDescriptionLimit)
        return ScriptError {
            ScriptErrors::TooLong,
            tr("提醒的描述有 %1 个字符，最多只能有 %2 个。").arg(title.size()).arg(ScriptDescriptionLimit)};
    const QString text = withStoredLineBreaks(message.trimmed().isEmpty() ? title : message);
    if (text.size() > ScriptMessageLimit)
        return ScriptError {ScriptErrors::TooLong,
                            tr("提醒的内容有 %1 个字符，最多只能有 %2 个。").arg(text.size()).arg(ScriptMessageLimit)};

    AlarmTask task = InitAlarmTask(now);
    task.DateTime = due;
    task.Schedule = AlarmTask::Once;
    task.ReportMode = AlarmTask::AtDateTime;
    task.Description = title;
    task.Message = text;
    return task;
}

std::variant<EntryHandle, ScriptError> FindScripted(const QString &id, const AlarmList &alarms)
{
    const std::optional<EntryHandle> entry = ParseReminderId(id);
    if (entry && alarms.Contains(*entry))
        return *entry;
    return ScriptError {ScriptErrors::UnknownReminder, tr("没有标识为“%1”的提醒。").arg(quoted(id))};
}

std::optional<ScriptError> SnoozeScripted(const QString &id, uint minutes, const AlarmList &alarms, SnoozeList &snoozed,
                                          const DateTime &now)
{
    const std::variant<EntryHandle, ScriptError> found = FindScripted(id, alarms);
    if (const ScriptError *error = std::get_if<ScriptError>(&found))
        return *error;
    if (minutes < 1 || minutes > uint(ScriptSnoozeLimit))
        return ScriptError {ScriptErrors::BadMinutes, tr("推迟的分钟数必须在 1 到 %1 之间。").arg(ScriptSnoozeLimit)};
    // Snoozing counts from now here, as there is no popup whose due time
    // it could keep; a start-up reminder snoozed this way fires too.
    AlarmTask copy = alarms.At(std::get<EntryHandle>(found));
    copy.SelfPosition = std::get<EntryHandle>(found);
    copy.DateTime = now;
    copy.ReportMode = AlarmTask::AtDateTime;
    if (!SnoozeTask(copy, int(minutes), alarms, snoozed))
        return ScriptError {ScriptErrors::BadMinutes, tr("推迟后的时间超出了能表示的范围。")};
    return std::nullopt;
}
