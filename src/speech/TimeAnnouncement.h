// SPDX-License-Identifier: MIT
#pragma once

#include "model/AppSettings.h"
#include "model/DateTime.h"

#include <QList>

// What the speaking clock says, as clip identifiers: the number words of
// the voice pack are 7000 + n for 0..12 and the tens 7020..7050, 7801 and
// 7802 are one and two as the last digit after a tens word, 7400..7403 the
// parts of the day, 7404 the hour word, 7500 the preface ("现在时间是") and
// 7600 the minute word. The chimes 6000..6002 are the program's own.
namespace SpeechClips {
constexpr int Zero = 7000;
constexpr int LastOne = 7801;
constexpr int LastTwo = 7802;
constexpr int SmallHours = 7400; // 0..5
constexpr int Morning = 7401; // 6..11
constexpr int Afternoon = 7402; // 12..17
constexpr int Evening = 7403; // 18..23
constexpr int Hour = 7404;
constexpr int Preface = 7500;
constexpr int Minute = 7600;
constexpr int FirstChime = 6000;
} // namespace SpeechClips

enum class TimeFormat
{
    TwelveHour = 0,
    TwentyFourHour = 1,
    Military = 2,
};

// The words of a number 0..59; nothing outside that range.
QList<int> NumberWords(int n);
// The words of a minute 0..59: always two digits' worth ("零零", "零五").
QList<int> MinuteWords(int minute);
// The time sentence in one of the formats; nothing for an unknown format.
QList<int> TimeSentence(int hour, int minute, int timeFormat);

// Whether hour:minute lies in the silent period from BeteenFromHour:
// BeteenFromMin to BeteenToHour:BeteenToMin, both ends included. A period
// whose start lies after its end silences nothing.
bool InSilentPeriod(const SpeakSettings &speak, int hour, int minute);

// The announcement interval chosen by TimeCyc: 5, 10, 15, 30 or 60
// minutes; 0 for any other index.
int AnnouncementIntervalMinutes(int timeCyc);
// Whether the periodic announcement is due in this second: it is switched
// on and the seconds since midnight are a multiple of the interval.
bool IsAnnouncementDue(const SpeakSettings &speak, const DateTime &now);

struct AnnouncementClip
{
    enum Source
    {
        Chime, // the program's own chimes
        Pack, // the voice pack
    };
    Source source;
    int id;
    friend bool operator==(const AnnouncementClip &, const AnnouncementClip &) = default;
};

struct AnnouncementPlan
{
    // In the silent period: nothing is played and the voice pack is not
    // even needed.
    bool silent = false;
    QList<AnnouncementClip> clips;
};

// The clips announcing the time t (its hour and minute), by the settings:
// the chime, the preface and the time sentence, each when switched on.
AnnouncementPlan PlanAnnouncement(const SpeakSettings &speak, const DateTime &t);
