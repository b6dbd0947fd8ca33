// SPDX-License-Identifier: MIT
#pragma once

// Command identifiers of the clock's menu. They are the numbers the
// program has always used; skin file items take 1..n.
namespace MenuId {

constexpr int HideWindow = 32771;
constexpr int ShowWindow = 32789;
constexpr int Settings = 32772;
constexpr int NewAlarm = 32780;
constexpr int NewBirthday = 32966;
constexpr int NewNote = 32967;
constexpr int TaskList = 32774;
constexpr int DefaultFace = 32821;
constexpr int DefaultDigits = 32776;
constexpr int SkinOptions = 32775;
constexpr int QuickCustom = 32812;
constexpr int SpeakTime = 32945;
constexpr int CountdownCustom = 33008;
constexpr int CountdownStop = 33009;
constexpr int ShowCalendar = 32781;
constexpr int SyncTimeServer = 32782;
constexpr int SyncControlPanel = 32783;
constexpr int SyncOptions = 32878;
constexpr int AlwaysOnTop = 32784;
constexpr int RunAtStartup = 32785;
constexpr int StartMinimised = 32786;
constexpr int HelpFile = 32818;
constexpr int HomePage = 32819;
constexpr int Support = 29;
constexpr int About = 32820;
constexpr int Exit = 32788;

// Quick reminder presets.
constexpr int QuickMinutesFirst = 32796; // .. 32811
constexpr int QuickMinutesLast = 32811;
constexpr int QuickHourFirst = 32834; // 00:00 .. 23:00 = 32857
constexpr int QuickHourLast = 32857;
constexpr int QuickDaysFirst = 32858; // .. 32869, not in menu order
constexpr int QuickDaysLast = 32869;
constexpr int QuickWeekdayFirst = 32870; // Monday .. Sunday = 32876
constexpr int QuickWeekdayLast = 32876;

// Countdown presets.
constexpr int CountdownUntilFirst = 32968; // until 00:00 .. 23:00 = 32991
constexpr int CountdownUntilLast = 32991;
constexpr int CountdownForFirst = 32992; // for 2 minutes .. 24 hours = 33007
constexpr int CountdownForLast = 33007;

// Skin file items count up from here.
constexpr int FirstSkinItem = 1;

} // namespace MenuId
