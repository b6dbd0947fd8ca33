// SPDX-License-Identifier: MIT
#pragma once
// A task file the way a user with years of reminders has it: every kind of
// recurrence, messages up to two lines, some sounds and documents (that
// exist), every key the saver writes present (a task without a sound has an
// empty SoundFile). About 530 bytes per section.
// Generated deterministically, so that runs compare.

#include "model/AlarmFile.h"
#include "model/ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QString>

namespace RealisticTasks {

constexpr int Sounds = 4;
constexpr int Documents = 8;

// The sound and document files the tasks name, made in folder: a path that
// does not exist would be dropped on loading, which a real file does not do.
inline void makeAttachments(const QString &folder)
{
    QDir(folder).mkpath(QStringLiteral("sounds"));
    QDir(folder).mkpath(QStringLiteral("docs"));
    for (int i = 0; i < Sounds; ++i) {
        QFile sound(QStringLiteral("%1/sounds/%2.wav").arg(folder).arg(i));
        sound.open(QIODevice::WriteOnly);
    }
    for (int i = 0; i < Documents; ++i) {
        QFile document(QStringLiteral("%1/docs/%2.txt").arg(folder).arg(i));
        document.open(QIODevice::WriteOnly);
    }
}

inline AlarmTask task(int i, const DateTime &now, const QString &folder)
{
    static const QString faces[] = {QStringLiteral(u"微软雅黑"), QStringLiteral(u"宋体"),
                                    QStringLiteral("Noto Sans CJK SC")};
    AlarmTask task = InitAlarmTask(now.AddDays(1 + i % 300).AddMinutes(i * 7 % 1440));
    // All due at their moment: a task that fires at start would open its
    // popup, which is not what a start is about.
    task.Schedule = i % 6;
    task.DiaryReportMode = i % 5 == 0;
    task.DiaryDays = 1 + i % 3;
    task.WeeklyWeek = 1 + i % 2;
    task.WeeklyEnable = WeekdaySet(1u + unsigned(i) % 127);
    task.MonthlyReportMode = i % 2;
    task.MonthlyDay = 1 + i % 28;
    task.MonthlyMonth = 1 + i % 3;
    task.MonthlyWeekOrder = 1 + i % 5;
    task.MonthlyWeekly = 1 + i % 7;
    task.MonthlyMonth2 = 1 + i % 2;
    task.AnnuallyReportMode = i % 3 == 0;
    task.AnnuallyDay = 1 + i % 28;
    task.AnnuallyMonth = 1 + i % 12;
    task.AnnuallyWeekOrder = 1 + i % 4;
    task.AnnuallyWeekly = 1 + i % 7;
    task.AnnuallyMonth2 = 1 + i % 12;
    task.HourlyDateLimit = i % 4 == 0;
    if (task.Schedule == AlarmTask::Hourly) {
        // Hourly reminders start on their first day: thousands of them
        // ringing every hour from today on would be no idle clock.
        task.HourlyDateLimit = 1;
        task.HourlyStartDate = task.DateTime.Day0();
    }
    task.HourlyTimeLimit = i % 8 == 0;
    task.HourlyEndDate = now.AddDays(400 + i % 365).Day0();
    task.HourlyStartTime = DateTime::TimeOfDay(8, i % 60, 0);
    task.HourlyEndTime = DateTime::TimeOfDay(18, 30, i % 60);
    task.Category = i % 33;
    task.Description = QStringLiteral(u"例会%1").arg(i);
    // Messages of 2 to 24 characters, the longer ones on two lines.
    static const QString text =
        QStringLiteral(u"请准时参加项目例会带上本周进度和下周计划地点在三楼东侧会议室会后发纪要");
    const int length = 2 + i * 7919 % 23;
    task.Message = length > 12
        ? text.left(length / 2) + QStringLiteral("\r\n") + text.mid(length / 2, length - length / 2)
        : text.left(length);
    task.BackgroundColor = Color(0xE0F0FFu - unsigned(i % 64) * 0x010101u);
    task.MessageFont.FontColor = Color(unsigned(i % 256) << 8);
    task.MessageFont.FontHeight = 200 + 20 * (i % 10);
    task.MessageFont.FontFaceName = faces[i % 3];
    task.MessageFont.FontMask = 0xE000000Fu;
    task.MessageFont.FontEffect = unsigned(i % 4);
    if (i % 4 == 0)
        task.SoundFile = QStringLiteral("%1/sounds/%2.wav").arg(folder).arg(i / 4 % Sounds);
    task.RepeatPlay = i % 2;
    task.ActionMode = AlarmTask::OpenFile;
    task.ActionOption = i % 3;
    task.Countdownsec = 30 + i % 90;
    if (i % 8 == 1)
        task.FilePath = QStringLiteral("%1/docs/%2.txt").arg(folder).arg(i / 8 % Documents);
    return task;
}

// Adds count tasks due after now, naming attachments in folder (made there).
inline void fill(AlarmList &tasks, int count, const DateTime &now, const QString &folder)
{
    makeAttachments(folder);
    for (int i = 0; i < count; ++i)
        tasks.AddTail(task(i, now, folder));
}

// Writes alarms.lst with count tasks into folder, as the program saves it.
inline void writeFile(const QString &folder, int count, const DateTime &now)
{
    AlarmList tasks;
    fill(tasks, count, now, folder);
    ProfileFile file(QDir(folder).filePath(QStringLiteral("alarms.lst")));
    SaveAlarmFile(file, tasks);
    file.Save();
}

} // namespace RealisticTasks
