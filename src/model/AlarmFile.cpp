// SPDX-License-Identifier: MIT
#include "model/AlarmFile.h"

#include "model/LoadDamage.h"
#include "model/ProfileFile.h"
#include "model/RecordSection.h"
#include "platform/Clock.h"
#include "schedule/Recurrence.h"

#include <new>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

const QString CountKey = u"NumofAlarms"_s;

// Reads the rule fields of the task's recurrence kind, then advances it.
// Fields of other kinds keep their defaults.
void readRecurrence(RecordReader &in, AlarmTask &task, const DateTime &now)
{
    switch (task.Schedule) {
    case AlarmTask::Daily:
        task.DiaryReportMode = in.decimal(u"DiaryReportMode"_s);
        if (!task.DiaryReportMode)
            task.DiaryDays = in.decimal(u"DiaryDays"_s);
        break;
    case AlarmTask::Weekly:
        task.WeeklyEnable = WeekdaySet(unsigned(in.decimal(u"WeeklyEnable"_s)) & 0x7F);
        task.WeeklyWeek = in.decimal(u"WeeklyWeek"_s);
        break;
    case AlarmTask::Monthly:
        task.MonthlyReportMode = in.decimal(u"MonthlyReportMode"_s);
        if (task.MonthlyReportMode) {
            task.MonthlyMonth2 = in.decimal(u"MonthlyMonth2"_s);
            task.MonthlyWeekly = in.decimal(u"MonthlyWeekly"_s);
            task.MonthlyWeekOrder = in.decimal(u"MonthlyWeekOrder"_s);
        } else {
            task.MonthlyDay = in.decimal(u"MonthlyDay"_s);
            task.MonthlyMonth = in.decimal(u"MonthlyMonth"_s);
        }
        break;
    case AlarmTask::Yearly:
        task.AnnuallyReportMode = in.decimal(u"AnnuallyReportMode"_s);
        if (task.AnnuallyReportMode) {
            task.AnnuallyMonth2 = in.decimal(u"AnnuallyMonth2"_s);
            task.AnnuallyWeekly = in.decimal(u"AnnuallyWeekly"_s);
            task.AnnuallyWeekOrder = in.decimal(u"AnnuallyWeekOrder"_s);
        } else {
            task.AnnuallyDay = in.decimal(u"AnnuallyDay"_s);
            task.AnnuallyMonth = in.decimal(u"AnnuallyMonth"_s);
        }
        break;
    default:
        return; // once, hourly and unknown kinds read nothing more
    }
    if (in.ok())
        in.require(AdvanceTask(task, now));
}

std::optional<AlarmTask> readTask(const ProfileFile &file, const QString &section, const DateTime &now,
                                  DateTime &stored)
{
    RecordReader in(file, section);
    AlarmTask task = InitAlarmTask(now);
    // Each step stops at the first missing value, as the section is then
    // dropped whatever follows.
    task.ReportMode = in.decimal(u"ReportMode"_s);
    if (in.ok())
        task.DateTime = in.dateTime(u"DateTime"_s);
    if (!in.ok())
        return std::nullopt;
    stored = task.DateTime;
    task.Schedule = in.decimal(u"Schedule"_s);
    task.HourlyDateLimit = in.decimal(u"HourlyDateLimit"_s);
    task.HourlyTimeLimit = in.decimal(u"HourlyTimeLimit"_s);
    task.HourlyEndDate = in.date(u"HourlyEndDate"_s);
    task.HourlyEndTime = in.time(u"HourlyEndTime"_s);
    task.HourlyStartDate = in.date(u"HourlyStartDate"_s);
    task.HourlyStartTime = in.time(u"HourlyStartTime"_s);
    if (!in.ok())
        return std::nullopt;
    if (task.Schedule == AlarmTask::Hourly)
        in.require(AdvanceTask(task, now));
    else
        readRecurrence(in, task, now);
    if (!in.ok())
        return std::nullopt;

    task.Category = in.decimal(u"Category"_s);
    task.Description = in.text(u"Description"_s);
    const QString message = in.optionalText(u"Message"_s, MessageBuffer);
    task.Message = message.isEmpty() ? QString() : DecodeLineBreaks(message);
    task.BackgroundColor = Color(in.decimal(u"Background Color"_s));
    task.MessageFont.FontColor = Color(in.decimal(u"FontColor"_s));
    task.MessageFont.FontHeight = in.decimal(u"FontHeight"_s);
    task.MessageFont.SetFaceName(in.text(u"FontFaceName"_s));
    task.MessageFont.FontMask = quint32(in.decimal(u"FontMask"_s));
    task.MessageFont.FontEffect = quint32(in.decimal(u"FontEffect"_s));
    task.SoundFile = in.existingPath(u"SoundFile"_s);
    task.RepeatPlay = in.decimal(u"RepeatPlay"_s);
    task.ActionMode = in.decimal(u"ActionMode"_s);
    task.ActionOption = in.decimal(u"ActionOption"_s);
    task.Countdownsec = in.decimal(u"Countdownsec"_s);
    task.FilePath = in.existingPath(u"FilePath"_s);
    if (!in.ok())
        return std::nullopt;
    return task;
}

void writeRecurrence(RecordWriter &out, const AlarmTask &task)
{
    switch (task.Schedule) {
    case AlarmTask::Daily:
        if (!task.DiaryReportMode)
            out(u"DiaryDays"_s, task.DiaryDays);
        out(u"DiaryReportMode"_s, task.DiaryReportMode);
        break;
    case AlarmTask::Weekly:
        out(u"WeeklyEnable"_s, qint64(task.WeeklyEnable.to_ulong()));
        out(u"WeeklyWeek"_s, task.WeeklyWeek);
        break;
    case AlarmTask::Monthly:
        if (task.MonthlyReportMode) {
            out(u"MonthlyMonth2"_s, task.MonthlyMonth2);
            out(u"MonthlyWeekly"_s, task.MonthlyWeekly);
            out(u"MonthlyWeekOrder"_s, task.MonthlyWeekOrder);
        } else {
            out(u"MonthlyDay"_s, task.MonthlyDay);
            out(u"MonthlyMonth"_s, task.MonthlyMonth);
        }
        out(u"MonthlyReportMode"_s, task.MonthlyReportMode);
        break;
    case AlarmTask::Yearly:
        if (task.AnnuallyReportMode) {
            out(u"AnnuallyMonth2"_s, task.AnnuallyMonth2);
            out(u"AnnuallyWeekly"_s, task.AnnuallyWeekly);
            out(u"AnnuallyWeekOrder"_s, task.AnnuallyWeekOrder);
        } else {
            out(u"AnnuallyDay"_s, task.AnnuallyDay);
            out(u"AnnuallyMonth"_s, task.AnnuallyMonth);
        }
        out(u"AnnuallyReportMode"_s, task.AnnuallyReportMode);
        break;
    default:
        break;
    }
}

// Writes one task; false when it cannot be stored (an invalid due moment or
// date range), in which case no section of that name is left.
bool writeTask(ProfileFile &file, const QString &s, const AlarmTask &task)
{
    if (!task.DateTime.IsValid() || !task.HourlyEndDate.IsValid() || !task.HourlyStartDate.IsValid()) {
        file.DeleteSection(s);
        return false;
    }
    RecordWriter out(file, s);
    const MessageFont &font = task.MessageFont;
    out(u"ReportMode"_s, task.ReportMode);
    out(u"DateTime"_s, task.DateTime.ToDateTimeString());
    out(u"Schedule"_s, task.Schedule);
    writeRecurrence(out, task);
    out(u"HourlyDateLimit"_s, task.HourlyDateLimit);
    out(u"HourlyTimeLimit"_s, task.HourlyTimeLimit);
    out(u"HourlyEndDate"_s, task.HourlyEndDate.ToDateString());
    out(u"HourlyEndTime"_s, task.HourlyEndTime.ToTimeString());
    out(u"HourlyStartDate"_s, task.HourlyStartDate.ToDateString());
    out(u"HourlyStartTime"_s, task.HourlyStartTime.ToTimeString());
    out(u"Category"_s, task.Category);
    out(u"Description"_s, task.Description);
    out(u"Message"_s, EncodeLineBreaks(task.Message));
    out(u"Background Color"_s, qint32(task.BackgroundColor));
    out(u"FontColor"_s, qint32(font.FontColor));
    out(u"FontHeight"_s, font.FontHeight);
    out(u"FontFaceName"_s, font.FontFaceName);
    out(u"FontMask"_s, qint32(font.FontMask));
    out(u"FontEffect"_s, qint32(font.FontEffect));
    out(u"SoundFile"_s, task.SoundFile);
    out(u"RepeatPlay"_s, task.RepeatPlay);
    out(u"ActionMode"_s, task.ActionMode);
    out(u"ActionOption"_s, task.ActionOption);
    out(u"Countdownsec"_s, task.Countdownsec);
    out(u"FilePath"_s, task.FilePath);
    return true;
}

} // namespace

QString EncodeLineBreaks(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) {
            out += QLatin1String("##");
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

QString DecodeLineBreaks(const QString &text)
{
    QString out = text;
    out.replace(QLatin1String("##"), QLatin1String("\r\n"));
    return out;
}

LoadResult LoadAlarmFile(const ProfileFile &file, AlarmList &list, const Clock &clock, LoadDamage *damage,
                         QList<StoredDueMoment> *stored)
{
    list.RemoveAll();
    // The list grows task by task, not reserved ahead: running out of memory
    // must stop the load with the tasks read so far.
    const QList<int> numbers = RecordNumbers(file, AlarmPrefix, CountKey, damage);
    // One moment for the whole file: asking the system for local time costs
    // a look at the time zone each time, for every task of thousands.
    const DateTime now = clock.Now();
    for (const int i : numbers) {
        const QString section = ProfileFile::SectionName(AlarmPrefix, i);
        DateTime storedDue;
        std::optional<AlarmTask> task = readTask(file, section, now, storedDue);
        if (!task) {
            if (damage)
                damage->droppedSections.append(section);
            continue;
        }
        try {
            const EntryHandle h = list.AddTail(*task);
            task->SelfPosition = h;
            list.SetAt(h, *task);
            if (stored)
                stored->append({h, storedDue});
        } catch (const std::bad_alloc &) {
            return LoadResult::AppendFailed;
        }
    }
    return LoadResult::Loaded;
}

void SaveAlarmFile(ProfileFile &file, const AlarmList &list)
{
    int n = 0;
    list.ForEach([&](EntryHandle, const AlarmTask &task) {
        if (writeTask(file, ProfileFile::SectionName(AlarmPrefix, n), task))
            ++n;
    });
    file.WriteValue(CommonSection, CountKey, list.GetCount());
}
