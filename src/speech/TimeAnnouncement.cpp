// SPDX-License-Identifier: MIT
#include "speech/TimeAnnouncement.h"

#include <iterator>

QList<int> NumberWords(int n)
{
    if (n < 0 || n > 59)
        return {};
    if (n <= 12)
        return {SpeechClips::Zero + n};
    const int tens = n / 10;
    const int units = n % 10;
    switch (units) {
    case 0:
        return {SpeechClips::Zero + n};
    case 1:
        return {SpeechClips::Zero + 10 * tens, SpeechClips::LastOne};
    case 2:
        return {SpeechClips::Zero + 10 * tens, SpeechClips::LastTwo};
    default:
        return {SpeechClips::Zero + 10 * tens, SpeechClips::Zero + units};
    }
}

QList<int> MinuteWords(int minute)
{
    if (minute == 0)
        return {SpeechClips::Zero, SpeechClips::Zero};
    if (minute >= 1 && minute <= 12)
        return {SpeechClips::Zero, SpeechClips::Zero + minute};
    return NumberWords(minute);
}

QList<int> TimeSentence(int hour, int minute, int timeFormat)
{
    QList<int> words;
    switch (TimeFormat(timeFormat)) {
    case TimeFormat::TwelveHour:
        if (hour < 0 || hour > 23)
            return {};
        words << (hour <= 5        ? SpeechClips::SmallHours
                      : hour <= 11 ? SpeechClips::Morning
                      : hour <= 17 ? SpeechClips::Afternoon
                                   : SpeechClips::Evening);
        words << SpeechClips::Zero + (hour <= 12 ? hour : hour - 12) << SpeechClips::Hour;
        words << MinuteWords(minute) << SpeechClips::Minute;
        return words;
    case TimeFormat::TwentyFourHour:
        return NumberWords(hour) << SpeechClips::Hour << MinuteWords(minute) << SpeechClips::Minute;
    case TimeFormat::Military:
        return NumberWords(hour) << MinuteWords(minute) << SpeechClips::Hour;
    }
    return {};
}

bool InSilentPeriod(const SpeakSettings &speak, int hour, int minute)
{
    // Minutes of the day; hours and minutes out of range count on into the
    // next day, as a calendar conversion of the three moments would.
    const qint64 now = qint64(hour) * 60 + minute;
    const qint64 start = qint64(speak.BeteenFromHour) * 60 + speak.BeteenFromMin;
    const qint64 end = qint64(speak.BeteenToHour) * 60 + speak.BeteenToMin;
    return now >= start && now <= end;
}

int AnnouncementIntervalMinutes(int timeCyc)
{
    constexpr int Intervals[] = {5, 10, 15, 30, 60};
    return timeCyc >= 0 && timeCyc < int(std::size(Intervals)) ? Intervals[timeCyc] : 0;
}

bool IsAnnouncementDue(const SpeakSettings &speak, const DateTime &now)
{
    const int interval = AnnouncementIntervalMinutes(speak.TimeCyc);
    return speak.EnableAutoNotifyTime != 0 && interval > 0 && now.IsValid() && now.SecondOfDay() % (interval * 60) == 0;
}

AnnouncementPlan PlanAnnouncement(const SpeakSettings &speak, const DateTime &t)
{
    AnnouncementPlan plan;
    if (speak.EnableLimitTime && InSilentPeriod(speak, t.Hour(), t.Minute())) {
        plan.silent = true;
        return plan;
    }
    if (speak.EnableIfChime)
        plan.clips.append({AnnouncementClip::Chime, SpeechClips::FirstChime + speak.DateTimePre});
    if (speak.EnableTimePreface)
        plan.clips.append({AnnouncementClip::Pack, SpeechClips::Preface});
    // Only exactly 1 speaks the time: other non-zero values switch the
    // periodic announcements on but leave just the chime and preface.
    if (speak.EnableAutoNotifyTime == 1) {
        for (const int id : TimeSentence(t.Hour(), t.Minute(), speak.TimeFormat))
            plan.clips.append({AnnouncementClip::Pack, id});
    }
    return plan;
}
