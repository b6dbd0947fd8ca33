// SPDX-License-Identifier: MIT
#pragma once

#include "model/Color.h"
#include "model/DateTime.h"
#include "model/StableList.h"

#include <QString>
#include <QStringList>
#include <bitset>

class Clock;

// Character format of a reminder message. The members and their bit values
// are those of the rich-edit character format that reminder files written on
// Windows carry, so a stored format reads back unchanged.
struct MessageFont
{
    // FontMask bits: which members are in force.
    static constexpr quint32 MaskBold = 0x00000001;
    static constexpr quint32 MaskItalic = 0x00000002;
    static constexpr quint32 MaskUnderline = 0x00000004;
    static constexpr quint32 MaskStrikeOut = 0x00000008;
    static constexpr quint32 MaskFace = 0x20000000;
    static constexpr quint32 MaskColor = 0x40000000;
    static constexpr quint32 MaskSize = 0x80000000;
    // FontEffect bits.
    static constexpr quint32 EffectBold = 0x00000001;
    static constexpr quint32 EffectItalic = 0x00000002;
    static constexpr quint32 EffectUnderline = 0x00000004;
    static constexpr quint32 EffectStrikeOut = 0x00000008;
    static constexpr quint32 EffectAutoColor = 0x40000000;
    // Characters a face name keeps (32 with the terminator on Windows).
    static constexpr int FaceNameMax = 31;

    quint32 Size = 0;
    quint32 FontMask = 0;
    quint32 FontEffect = 0;
    qint32 FontHeight = 12; // twips once a format has been chosen in the editor
    qint32 YOffset = 0;
    Color FontColor = 0;
    quint8 CharSet = 0;
    quint8 PitchAndFamily = 0;
    QString FontFaceName = QStringLiteral(u"宋体");

    // Stores a face name, cut to the length the format can hold.
    void SetFaceName(const QString &face) { FontFaceName = face.left(FaceNameMax); }

    friend bool operator==(const MessageFont &, const MessageFont &) = default;
};

// Weekday bits: bit 0 = Monday ... bit 6 = Sunday. Setting a bit above 6
// throws std::out_of_range.
using WeekdaySet = std::bitset<7>;

// One reminder: when it is due, how it recurs and what it does.
struct AlarmTask
{
    enum ScheduleKind
    {
        Once = 0,
        Hourly = 1,
        Daily = 2,
        Weekly = 3,
        Monthly = 4,
        Yearly = 5
    };
    enum TriggerMode
    {
        AtDateTime = 0,
        AtFirstStart = 1,
        AtEveryStart = 2
    };
    enum Action
    {
        OpenFile = 0,
        LogOff = 1,
        Restart = 2,
        ShutDown = 3,
        Standby = 4
    };

    int ReportMode = AtDateTime;
    ::DateTime DateTime;
    int DiaryReportMode = 0;
    int DiaryDays = 0;
    int WeeklyWeek = 0;
    WeekdaySet WeeklyEnable;
    int MonthlyReportMode = 0;
    int MonthlyDay = 0;
    int MonthlyMonth = 0;
    int MonthlyWeekOrder = 0;
    int MonthlyWeekly = 0;
    int MonthlyMonth2 = 0;
    int AnnuallyReportMode = 0;
    int AnnuallyDay = 0;
    int AnnuallyMonth = 0;
    int AnnuallyWeekOrder = 0;
    int AnnuallyWeekly = 0;
    int AnnuallyMonth2 = 0;
    int HourlyTimeLimit = 0;
    int HourlyDateLimit = 0;
    ::DateTime HourlyStartDate;
    ::DateTime HourlyEndDate;
    ::DateTime HourlyStartTime = ::DateTime::TimeOfDay(0, 0, 0);
    ::DateTime HourlyEndTime = ::DateTime::TimeOfDay(23, 59, 0);
    int Schedule = Once;
    int Category = 0;
    QString Description;
    QString Message;
    Color BackgroundColor = 0xFFFFFF;
    ::MessageFont MessageFont;
    QString SoundFile;
    int RepeatPlay = 0;
    int ActionMode = OpenFile;
    int ActionOption = 0;
    int Countdownsec = 30;
    QString FilePath;
    EntryHandle SelfPosition;

    friend bool operator==(const AlarmTask &, const AlarmTask &) = default;
};

// A task with every default, due now, with the date range running from
// today to a week from today.
AlarmTask InitAlarmTask(::DateTime now);
AlarmTask InitAlarmTask(const Clock &clock);

using AlarmList = StableList<AlarmTask>;
// Snoozed copies of fired tasks; never saved.
using SnoozeList = StableList<AlarmTask>;

// Display names of Schedule 0..5.
const QStringList &ScheduleNames();
// Display names of ActionMode 0..4, as the editor lists them.
const QStringList &ActionModeNames();
// The short forms the countdown dialog uses.
const QStringList &ActionModeShortNames();
