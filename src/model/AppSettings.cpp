// SPDX-License-Identifier: MIT
#include "model/AppSettings.h"

#include "model/ProfileFile.h"
#include "model/TextScan.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

const QString GeneralSection = u"General Settings"_s;
const QString ClockSection = u"Clock Settings"_s;
const QString SpeakSection = u"Speak Settings"_s;
const QString SyncSection = u"Synchronization Settings"_s;
const QString InterfaceSection = u"Interface Settings"_s;
const QString ExtraSection = u"Extra Settings"_s;

// One section's keys, read with their defaults or written as "%d".
class Group
{
public:
    Group(const ProfileFile &config, QString section)
        : m_in(&config)
        , m_section(std::move(section))
    { }
    Group(ProfileFile &config, QString section)
        : m_in(&config)
        , m_out(&config)
        , m_section(std::move(section))
    { }

    template<class T> void read(const QString &key, T &member, int defaultValue) const
    {
        member = T(m_in->ReadDecimal(m_section, key, QString::number(defaultValue)));
    }

    QString text(const QString &key, const QString &defaultValue) const
    {
        return m_in->ReadString(m_section, key, defaultValue);
    }

    void write(const QString &key, int value) const { m_out->WriteValue(m_section, key, qint64(value)); }
    void write(const QString &key, const QString &value) const { m_out->WriteValue(m_section, key, value); }

private:
    const ProfileFile *m_in;
    ProfileFile *m_out = nullptr;
    QString m_section;
};

// A path setting replaces the current one only when it names something
// that exists.
void takeExistingPath(const QString &stored, QString &current)
{
    if (!stored.isEmpty() && QFileInfo::exists(stored))
        current = stored;
}

} // namespace

void LoadSpeakSettings(const ProfileFile &config, SpeakSettings &speak, const DateTime &now)
{
    const Group g(config, SpeakSection);
    const DateTime inAnHour = now.AddMinutes(60);
    g.read(u"Announcer"_s, speak.Announcer, 0);
    g.read(u"Volume"_s, speak.Volume, 100);
    g.read(u"TimeCyc"_s, speak.TimeCyc, 0);
    g.read(u"TimeFormat"_s, speak.TimeFormat, 0);
    g.read(u"TimePreTIMEPRE"_s, speak.TimePreTIMEPRE, 0);
    g.read(u"DateTimePre"_s, speak.DateTimePre, 0);
    g.read(u"BeteenFromHour"_s, speak.BeteenFromHour, now.Hour());
    g.read(u"BeteenFromMin"_s, speak.BeteenFromMin, now.Minute());
    g.read(u"BeteenToHour"_s, speak.BeteenToHour, inAnHour.Hour());
    g.read(u"BeteenToMin"_s, speak.BeteenToMin, inAnHour.Minute());
    g.read(u"EnableAutoNotifyTime"_s, speak.EnableAutoNotifyTime, 1);
    g.read(u"EnableTimePreface"_s, speak.EnableTimePreface, 1);
    g.read(u"EnableIfChime"_s, speak.EnableIfChime, 1);
    g.read(u"EnableLimitTime"_s, speak.EnableLimitTime, 0);
}

void LoadSyncSettings(const ProfileFile &config, SyncSettings &sync)
{
    const Group g(config, SyncSection);
    g.read(u"AutoSyn"_s, sync.AutoSyn, 0);
    g.read(u"SynMinute"_s, sync.SynMinute, 1);
    g.read(u"StartSyn"_s, sync.StartSyn, 0);
    g.read(u"Fail"_s, sync.Fail, 1);
    g.read(u"Succeed"_s, sync.Succeed, 1);
    g.read(u"Error"_s, sync.Error, 1);
    g.read(u"LimitSyn"_s, sync.LimitSyn, 0);
    g.read(u"Server"_s, sync.Server, 0);
}

void LoadClockSettings(const ProfileFile &config, ClockSettings &clock, const ScreenRect &desktop)
{
    const Group g(config, ClockSection);
    takeExistingPath(g.text(u"Dialog Bitmap"_s, BuiltInDialogBitmap), clock.DialogBitmap);
    takeExistingPath(g.text(u"Number Bitmap"_s, BuiltInNumberBitmap), clock.NumberBitmap);
    g.read(u"AutoSmall"_s, clock.AutoSmall, 0);
    g.read(u"AlwaysOntop"_s, clock.AlwaysOntop, 1);

    // Stored as left, top, bottom, right; numbers missing from a damaged
    // value keep the defaults.
    const QList<int> n = ScanIntegers(g.text(u"MainWindow Size"_s, u"800,600,0,0"_s), "%d,%d,%d,%d");
    ScreenRect rect {800, 600, 0, 0};
    int *const fields[] = {&rect.left, &rect.top, &rect.bottom, &rect.right};
    for (qsizetype i = 0; i < n.size(); ++i)
        *fields[i] = n[i];
    clock.MainWindowSize = KeepOnDesktop(rect, desktop);
}

void LoadInterfaceSettings(const ProfileFile &config, InterfaceSettings &interface)
{
    const Group g(config, InterfaceSection);
    takeExistingPath(g.text(u"BitmapFile Path"_s, interface.BitmapFilePath), interface.BitmapFilePath);
    g.read(u"RandomSkin"_s, interface.RandomSkin, 0);
    g.read(u"RandomTime"_s, interface.RandomTime, 0);
    g.read(u"Transparence"_s, interface.Transparence, 255);
}

void LoadGeneralSettings(const ProfileFile &config, GeneralSettings &general)
{
    const Group g(config, GeneralSection);
    g.read(u"ShowTooltip"_s, general.ShowTooltip, 0);
    g.read(u"DbClick"_s, general.DbClick, 0);
    g.read(u"DbClick2"_s, general.DbClick2, 0);
}

void LoadExtraSettings(const ProfileFile &config, ExtraSettings &extra)
{
    const Group g(config, ExtraSection);
    const QList<int> n = ScanExactly(g.text(u"LastRunning"_s, {}), "%d-%d-%d %d:%d:%d", 6);
    extra.LastRunning = n.isEmpty() ? DateTime::Invalid() : DateTime::FromParts(n[0], n[1], n[2], n[3], n[4], n[5]);
    g.read(u"ShowMissed"_s, extra.ShowMissed, 1);
}

void SaveGeneralSettings(ProfileFile &config, const GeneralSettings &general, int autoSmall, int alwaysOntop)
{
    const Group g(config, GeneralSection);
    g.write(u"ShowTooltip"_s, general.ShowTooltip);
    g.write(u"DbClick"_s, general.DbClick);
    g.write(u"DbClick2"_s, general.DbClick2);
    const Group clock(config, ClockSection);
    clock.write(u"AutoSmall"_s, autoSmall ? 1 : 0);
    clock.write(u"AlwaysOntop"_s, alwaysOntop ? 1 : 0);
}

void SaveSpeakSettings(ProfileFile &config, const SpeakSettings &speak)
{
    const Group g(config, SpeakSection);
    g.write(u"Announcer"_s, speak.Announcer);
    g.write(u"Volume"_s, speak.Volume);
    g.write(u"TimeCyc"_s, speak.TimeCyc);
    g.write(u"TimeFormat"_s, speak.TimeFormat);
    g.write(u"TimePreTIMEPRE"_s, speak.TimePreTIMEPRE);
    g.write(u"DateTimePre"_s, speak.DateTimePre);
    g.write(u"BeteenFromHour"_s, speak.BeteenFromHour);
    g.write(u"BeteenFromMin"_s, speak.BeteenFromMin);
    g.write(u"BeteenToHour"_s, speak.BeteenToHour);
    g.write(u"BeteenToMin"_s, speak.BeteenToMin);
    g.write(u"EnableAutoNotifyTime"_s, speak.EnableAutoNotifyTime);
    g.write(u"EnableTimePreface"_s, speak.EnableTimePreface);
    g.write(u"EnableIfChime"_s, speak.EnableIfChime);
    g.write(u"EnableLimitTime"_s, speak.EnableLimitTime);
}

void SaveSyncSettings(ProfileFile &config, const SyncSettings &sync)
{
    const Group g(config, SyncSection);
    g.write(u"AutoSyn"_s, sync.AutoSyn);
    g.write(u"SynMinute"_s, sync.SynMinute);
    g.write(u"StartSyn"_s, sync.StartSyn);
    g.write(u"Fail"_s, sync.Fail);
    g.write(u"Succeed"_s, sync.Succeed);
    g.write(u"Error"_s, sync.Error);
    g.write(u"LimitSyn"_s, sync.LimitSyn);
    g.write(u"Server"_s, sync.Server);
}

void SaveInterfaceSettings(ProfileFile &config, const InterfaceSettings &interface)
{
    const Group g(config, InterfaceSection);
    g.write(u"BitmapFile Path"_s, interface.BitmapFilePath);
    g.write(u"RandomSkin"_s, interface.RandomSkin);
    g.write(u"RandomTime"_s, interface.RandomTime);
    g.write(u"Transparence"_s, interface.Transparence);
}

void SaveExtraSettings(ProfileFile &config, const ExtraSettings &extra)
{
    const Group g(config, ExtraSection);
    if (extra.LastRunning.IsValid())
        g.write(u"LastRunning"_s, extra.LastRunning.ToDateTimeString());
    g.write(u"ShowMissed"_s, extra.ShowMissed ? 1 : 0);
}

void SaveClockSettings(ProfileFile &config, ClockSettings &clock, const ClockWindowState &window)
{
    TakeWindowState(clock, window);
    WriteClockSettings(config, clock);
}

void TakeWindowState(ClockSettings &clock, const ClockWindowState &window)
{
    clock.AlwaysOntop = window.AlwaysOnTopChecked() ? 1 : 0;
    clock.AutoSmall = window.AutoSmallChecked() ? 1 : 0;
    clock.MainWindowSize = window.WindowRect();
}

void WriteClockSettings(ProfileFile &config, const ClockSettings &clock)
{
    const ScreenRect &r = clock.MainWindowSize;
    const Group g(config, ClockSection);
    g.write(u"Dialog Bitmap"_s, clock.DialogBitmap);
    g.write(u"Number Bitmap"_s, clock.NumberBitmap);
    g.write(u"AutoSmall"_s, clock.AutoSmall);
    g.write(u"AlwaysOntop"_s, clock.AlwaysOntop);
    g.write(u"MainWindow Size"_s, u"%1,%2,%3,%4"_s.arg(r.left).arg(r.top).arg(r.bottom).arg(r.right));
}
