// SPDX-License-Identifier: MIT
#pragma once

#include "model/DateTime.h"
#include "model/ScreenRect.h"

#include <QString>

class ProfileFile;

// The preferences of CONFIG.INI, one group per section, one member per key.

inline const QString ConfigFileName = QStringLiteral("CONFIG.INI");
// The names that always stand for the built-in skins.
inline const QString BuiltInDialogBitmap = QStringLiteral("DEFULT.BMP");
inline const QString BuiltInNumberBitmap = QStringLiteral("BLACKGREEN.BMP");

struct GeneralSettings
{
    int ShowTooltip = 0; // calendar text while the mouse rests on the clock
    int DbClick = 0; // double-click action on the clock window
    int DbClick2 = 0; // double-click action on the tray icon
};

struct ClockSettings
{
    QString DialogBitmap; // clock face; the owner sets the built-in default
    QString NumberBitmap; // digit strip
    int AutoSmall = 0; // start hidden
    int AlwaysOntop = 1;
    ScreenRect MainWindowSize {800, 600, 0, 0};
};

struct SpeakSettings
{
    qint16 Announcer = 0;
    int Volume = 100;
    int TimeCyc = 0;
    int TimeFormat = 0;
    int TimePreTIMEPRE = 0;
    int DateTimePre = 0;
    int BeteenFromHour = 0;
    int BeteenFromMin = 0;
    int BeteenToHour = 0;
    int BeteenToMin = 0;
    int EnableAutoNotifyTime = 1;
    int EnableTimePreface = 1;
    int EnableIfChime = 1;
    int EnableLimitTime = 0;
};

struct SyncSettings
{
    int AutoSyn = 0;
    int SynMinute = 1; // interval of automatic synchronisation, in hours
    int StartSyn = 0;
    int Fail = 1;
    int Succeed = 1;
    int Error = 1;
    int LimitSyn = 0;
    int Server = 0;
};

struct InterfaceSettings
{
    QString BitmapFilePath; // skin folder; the owner sets the default
    int RandomSkin = 0;
    int RandomTime = 0;
    int Transparence = 255;
};

// Settings of our own, in a section the Windows program never reads.
struct ExtraSettings
{
    // The last moment the program was known to run: written with every save
    // and about once a minute. Invalid when unknown.
    ::DateTime LastRunning = ::DateTime::Invalid();
    int ShowMissed = 1; // list the reminders that fell due unseen
};

struct AppSettings
{
    GeneralSettings General;
    ClockSettings Clock;
    SpeakSettings Speak;
    SyncSettings Synchronization;
    InterfaceSettings Interface;
    ExtraSettings Extra;
};

// What the clock settings saver reads off the clock window: its rectangle
// and the check marks of "always on top" and "start minimised".
class ClockWindowState
{
public:
    virtual ~ClockWindowState() = default;
    virtual ScreenRect WindowRect() const = 0;
    virtual bool AlwaysOnTopChecked() const = 0;
    virtual bool AutoSmallChecked() const = 0;
};

// Loaders, in the order start-up runs them. `now` gives the announcement
// window's defaults; `desktop` brings a stored window position back on screen.
void LoadSpeakSettings(const ProfileFile &config, SpeakSettings &speak, const DateTime &now);
void LoadSyncSettings(const ProfileFile &config, SyncSettings &sync);
void LoadClockSettings(const ProfileFile &config, ClockSettings &clock, const ScreenRect &desktop);
void LoadInterfaceSettings(const ProfileFile &config, InterfaceSettings &interface);
void LoadGeneralSettings(const ProfileFile &config, GeneralSettings &general);
void LoadExtraSettings(const ProfileFile &config, ExtraSettings &extra);

// Savers write into config; the caller saves the file once.
void SaveGeneralSettings(ProfileFile &config, const GeneralSettings &general, int autoSmall, int alwaysOntop);
void SaveSpeakSettings(ProfileFile &config, const SpeakSettings &speak);
void SaveSyncSettings(ProfileFile &config, const SyncSettings &sync);
void SaveInterfaceSettings(ProfileFile &config, const InterfaceSettings &interface);
void SaveExtraSettings(ProfileFile &config, const ExtraSettings &extra);
// Takes the flags from the window's check marks and its current rectangle,
// and stores them into clock as well.
void SaveClockSettings(ProfileFile &config, ClockSettings &clock, const ClockWindowState &window);
// The two halves of that: the window's state into clock, and clock into config.
void TakeWindowState(ClockSettings &clock, const ClockWindowState &window);
void WriteClockSettings(ProfileFile &config, const ClockSettings &clock);
