// SPDX-License-Identifier: MIT
#include "model/AppSettings.h"

#include "TestFiles.h"
#include "model/ProfileFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const ScreenRect Desktop {0, 0, 1920, 1080};

class AppSettingsTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("CONFIG.INI"));

    void writeRaw(const QByteArray &bytes) { ASSERT_TRUE(WriteTestFile(path, bytes)); }
};

struct FakeWindow : ClockWindowState
{
    ScreenRect rect;
    bool onTop = false;
    bool small = false;
    ScreenRect WindowRect() const override { return rect; }
    bool AlwaysOnTopChecked() const override { return onTop; }
    bool AutoSmallChecked() const override { return small; }
};

} // namespace

TEST_F(AppSettingsTest, AnEmptyFileGivesTheDefaults)
{
    writeRaw("");
    const ProfileFile config(path);
    AppSettings s;
    s.Clock.DialogBitmap = QStringLiteral("/skins/DEFULT.BMP");
    LoadSpeakSettings(config, s.Speak, DateTime::FromParts(2026, 3, 10, 23, 30, 0));
    LoadSyncSettings(config, s.Synchronization);
    LoadClockSettings(config, s.Clock, Desktop);
    LoadInterfaceSettings(config, s.Interface);
    LoadGeneralSettings(config, s.General);
    EXPECT_EQ(s.Clock.AlwaysOntop, 1);
    EXPECT_EQ(s.Clock.AutoSmall, 0);
    EXPECT_EQ(s.Clock.DialogBitmap, QStringLiteral("/skins/DEFULT.BMP")); // "DEFULT.BMP" is no file here
    EXPECT_EQ(s.Interface.Transparence, 255);
    EXPECT_EQ(s.Speak.Volume, 100);
    EXPECT_EQ(s.Synchronization.SynMinute, 1);
    EXPECT_EQ(s.Synchronization.Fail, 1);
    EXPECT_EQ(s.Synchronization.Succeed, 1);
    EXPECT_EQ(s.Synchronization.Error, 1);
    EXPECT_EQ(s.Clock.MainWindowSize.left, 800);
    EXPECT_EQ(s.Clock.MainWindowSize.top, 600);
    // The announcement window defaults to the coming hour, across midnight.
    EXPECT_EQ(s.Speak.BeteenFromHour, 23);
    EXPECT_EQ(s.Speak.BeteenFromMin, 30);
    EXPECT_EQ(s.Speak.BeteenToHour, 0);
    EXPECT_EQ(s.Speak.BeteenToMin, 30);

    ClockSettings small;
    LoadClockSettings(config, small, ScreenRect {0, 0, 640, 480});
    EXPECT_EQ(small.MainWindowSize.left, 400);
    EXPECT_EQ(small.MainWindowSize.top, 600);
}

TEST_F(AppSettingsTest, WindowRectangleIsStoredLeftTopBottomRight)
{
    writeRaw("[Clock Settings]\r\nMainWindow Size=-20,50,300,400\r\n");
    ClockSettings clock;
    LoadClockSettings(ProfileFile(path), clock, Desktop);
    EXPECT_EQ(clock.MainWindowSize, (ScreenRect {400, 50, 400, 300}));

    FakeWindow window;
    window.rect = {100, 200, 400, 300};
    window.onTop = true;
    ProfileFile config(path);
    SaveClockSettings(config, clock, window);
    ASSERT_TRUE(config.Save());
    const ProfileFile reread(path);
    EXPECT_EQ(reread.ReadString(QStringLiteral("Clock Settings"), QStringLiteral("MainWindow Size"), {}),
              QStringLiteral("100,200,300,400"));
    EXPECT_EQ(reread.ReadString(QStringLiteral("Clock Settings"), QStringLiteral("AlwaysOntop"), {}),
              QStringLiteral("1"));
    EXPECT_EQ(reread.ReadString(QStringLiteral("Clock Settings"), QStringLiteral("AutoSmall"), {}),
              QStringLiteral("0"));
}

TEST_F(AppSettingsTest, SaversWriteTheStoredSpellingsAndLoadersReadThemBack)
{
    AppSettings s;
    s.Speak = {3, 70, 2, 1, 1, 2, 8, 15, 22, 45, 0, 0, 1, 1};
    s.Synchronization = {1, 6, 1, 0, 0, 0, 1, 4};
    s.Interface = {dir.path(), 1, 1, 180};
    s.General = {1, 2, 3};
    {
        ProfileFile config(path);
        SaveSpeakSettings(config, s.Speak);
        SaveSyncSettings(config, s.Synchronization);
        SaveInterfaceSettings(config, s.Interface);
        SaveGeneralSettings(config, s.General, 1, 0);
        ASSERT_TRUE(config.Save());
    }
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    for (const char *key :
         {"TimePreTIMEPRE=1", "BeteenFromHour=8", "BeteenToMin=45", "[Synchronization Settings]", "SynMinute=6",
          "BitmapFile Path=", "Transparence=180", "DbClick2=3", "AutoSmall=1", "AlwaysOntop=0"})
        EXPECT_TRUE(text.contains(key)) << key;

    AppSettings back;
    const ProfileFile config(path);
    LoadSpeakSettings(config, back.Speak, DateTime::FromParts(2026, 1, 1));
    LoadSyncSettings(config, back.Synchronization);
    LoadInterfaceSettings(config, back.Interface);
    LoadGeneralSettings(config, back.General);
    EXPECT_EQ(back.Speak.TimePreTIMEPRE, 1);
    EXPECT_EQ(back.Speak.BeteenToHour, 22);
    EXPECT_EQ(back.Speak.EnableLimitTime, 1);
    EXPECT_EQ(back.Synchronization.Server, 4);
    EXPECT_EQ(back.Synchronization.LimitSyn, 1);
    EXPECT_EQ(back.Interface.BitmapFilePath, dir.path());
    EXPECT_EQ(back.Interface.Transparence, 180);
    EXPECT_EQ(back.General.DbClick2, 3);
}
