// SPDX-License-Identifier: MIT
#include "model/AlarmFile.h"

#include "TestFiles.h"
#include "fakes/FakeClock.h"
#include "model/LoadDamage.h"
#include "model/ProfileFile.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

DateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return DateTime::FromParts(y, mo, d, h, mi, s);
}

class AlarmFileTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("alarms.lst"));
    FakeClock clock {at(2026, 3, 10, 12, 0, 0)};

    AlarmTask task(const QString &description)
    {
        AlarmTask t = InitAlarmTask(clock);
        t.Description = description;
        t.DateTime = at(2026, 4, 1, 8, 30);
        return t;
    }

    void save(const AlarmList &list)
    {
        ProfileFile file(path);
        file.DeleteAllSections();
        SaveAlarmFile(file, list);
        ASSERT_TRUE(file.Save());
    }

    void load(AlarmList &list) { LoadAlarmFile(ProfileFile(path), list, clock); }

    QString text()
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    void writeRaw(const QByteArray &bytes) { ASSERT_TRUE(WriteTestFile(path, bytes)); }
};

} // namespace

TEST(LineBreaks, EncodeAndDecode)
{
    EXPECT_EQ(EncodeLineBreaks(QStringLiteral("a\r\nb\nc\rd")), QStringLiteral("a##b\nc\rd"));
    EXPECT_EQ(DecodeLineBreaks(QStringLiteral("a##b##")), QStringLiteral("a\r\nb\r\n"));
    EXPECT_EQ(DecodeLineBreaks(QStringLiteral("C## rocks")), QStringLiteral("C\r\n rocks"));
    EXPECT_EQ(EncodeLineBreaks(QString()), QString());
}

TEST_F(AlarmFileTest, WritesKeysInOrderWithTheKindsOwnRuleFields)
{
    AlarmList list;
    AlarmTask weekly = task(QStringLiteral(u"周一例会"));
    weekly.Schedule = AlarmTask::Weekly;
    weekly.WeeklyWeek = 1;
    weekly.WeeklyEnable.set(0).set(6);
    weekly.Message = QStringLiteral("first\r\nsecond");
    weekly.BackgroundColor = 0xFFFFFF;
    weekly.MessageFont.FontMask = 0xE000000F;
    weekly.MessageFont.FontColor = 0x0000FF;
    list.AddTail(weekly);
    save(list);
    EXPECT_EQ(text(),
              QStringLiteral(u"[Alarm00000]\r\nReportMode=0\r\nDateTime=2026-04-01 08:30:00\r\nSchedule=3\r\n"
                             "WeeklyEnable=65\r\nWeeklyWeek=1\r\nHourlyDateLimit=0\r\nHourlyTimeLimit=0\r\n"
                             "HourlyEndDate=2026-03-17\r\nHourlyEndTime=23:59:00\r\n"
                             "HourlyStartDate=2026-03-10\r\nHourlyStartTime=00:00:00\r\nCategory=0\r\n"
                             "Description=周一例会\r\nMessage=first##second\r\nBackground Color=16777215\r\n"
                             "FontColor=255\r\nFontHeight=12\r\nFontFaceName=宋体\r\n"
                             "FontMask=-536870897\r\nFontEffect=0\r\nSoundFile=\r\nRepeatPlay=0\r\n"
                             "ActionMode=0\r\nActionOption=0\r\nCountdownsec=30\r\nFilePath=\r\n"
                             "[Common]\r\nNumofAlarms=1\r\n"));
}

TEST_F(AlarmFileTest, RuleKeysPerScheduleAndSubMode)
{
    const auto keysOf = [&](const AlarmTask &t) {
        AlarmList list;
        list.AddTail(t);
        save(list);
        QStringList keys;
        for (const QString &line : text().split(QStringLiteral("\r\n"))) {
            const QString key = line.section(QLatin1Char('='), 0, 0);
            if (line.contains(QLatin1Char('=')) &&
                key.contains(QRegularExpression(QStringLiteral("^(Diary|Weekly|Monthly|Annually)"))))
                keys << key;
        }
        return keys.join(QLatin1Char(' '));
    };
    AlarmTask t = task(QStringLiteral("x"));
    t.Schedule = AlarmTask::Daily;
    EXPECT_EQ(keysOf(t), QStringLiteral("DiaryDays DiaryReportMode"));
    t.DiaryReportMode = 1;
    EXPECT_EQ(keysOf(t), QStringLiteral("DiaryReportMode"));
    t.Schedule = AlarmTask::Monthly;
    EXPECT_EQ(keysOf(t), QStringLiteral("MonthlyDay MonthlyMonth MonthlyReportMode"));
    t.MonthlyReportMode = 1;
    EXPECT_EQ(keysOf(t), QStringLiteral("MonthlyMonth2 MonthlyWeekly MonthlyWeekOrder MonthlyReportMode"));
    t.Schedule = AlarmTask::Yearly;
    EXPECT_EQ(keysOf(t), QStringLiteral("AnnuallyDay AnnuallyMonth AnnuallyReportMode"));
    t.AnnuallyReportMode = 1;
    EXPECT_EQ(keysOf(t), QStringLiteral("AnnuallyMonth2 AnnuallyWeekly AnnuallyWeekOrder AnnuallyReportMode"));
    t.Schedule = AlarmTask::Hourly;
    EXPECT_EQ(keysOf(t), QString());
}

TEST_F(AlarmFileTest, EveryFieldRoundTrips)
{
    AlarmTask t = task(QStringLiteral(u"每月报表"));
    t.Schedule = AlarmTask::Monthly;
    t.MonthlyReportMode = 1;
    t.MonthlyWeekOrder = 5;
    t.MonthlyWeekly = 5;
    t.MonthlyMonth2 = 2;
    t.ReportMode = 0;
    t.HourlyDateLimit = 1;
    t.HourlyStartDate = at(2026, 1, 1);
    t.HourlyEndDate = at(2027, 12, 31);
    t.HourlyStartTime = DateTime::TimeOfDay(9, 15, 0);
    t.HourlyEndTime = DateTime::TimeOfDay(18, 45, 30);
    t.Category = 31;
    t.Message = QStringLiteral(u"第一行\r\n第二行");
    t.BackgroundColor = 0x99FFFF;
    t.MessageFont = {0, 0xE0000007, 0x3, 240, 0, 0x123456, 0, 0, QStringLiteral("Noto Sans CJK SC")};
    t.SoundFile = path; // exists
    t.RepeatPlay = 1;
    t.ActionMode = AlarmTask::ShutDown;
    t.ActionOption = 1;
    t.Countdownsec = 45;
    t.FilePath = dir.path();
    AlarmList list;
    list.AddTail(t);
    save(list);

    AlarmList loaded;
    load(loaded);
    ASSERT_EQ(loaded.GetCount(), 1);
    AlarmTask back = loaded.At(loaded.GetHeadPosition());
    EXPECT_EQ(back.SelfPosition, loaded.GetHeadPosition());
    EXPECT_EQ(back.DateTime, at(2026, 4, 24, 8, 30)); // last Friday of April
    back.SelfPosition = {};
    t.DateTime = back.DateTime;
    EXPECT_EQ(back, t);
}

// The edge cases of a damaged or older file.
TEST_F(AlarmFileTest, DropsWhatCannotBeStoredOrRead)
{
    AlarmList list;
    list.AddTail(task(QStringLiteral("first")));
    AlarmTask invalid = task(QStringLiteral("second"));
    invalid.DateTime = DateTime::Invalid();
    list.AddTail(invalid);
    list.AddTail(task(QStringLiteral("third")));
    list.AddTail(task(QString())); // written, but not loaded again
    AlarmTask lostSound = task(QStringLiteral("sound"));
    lostSound.SoundFile = dir.filePath(QStringLiteral("deleted.wav"));
    list.AddTail(lostSound);
    save(list);
    EXPECT_TRUE(text().contains(QStringLiteral("[Alarm00003]\r\nReportMode=0")));
    EXPECT_FALSE(text().contains(QStringLiteral("[Alarm00004]")));
    EXPECT_TRUE(text().contains(QStringLiteral("NumofAlarms=5")));

    AlarmList loaded;
    load(loaded);
    ASSERT_EQ(loaded.GetCount(), 3);
    EntryHandle h = loaded.GetHeadPosition();
    EXPECT_EQ(loaded.At(h).Description, QStringLiteral("first"));
    h = loaded.GetNextPosition(h);
    EXPECT_EQ(loaded.At(h).Description, QStringLiteral("third"));
    h = loaded.GetNextPosition(h);
    EXPECT_EQ(loaded.At(h).Description, QStringLiteral("sound"));
    EXPECT_TRUE(loaded.At(h).SoundFile.isEmpty());
}

// A count that is no count reads every section there is, like a huge one:
// read as 0, it would lose every task at the next save.
TEST_F(AlarmFileTest, CountsBeyondTheSectionsAndHugeCountsLoadWhatIsThere)
{
    AlarmList list;
    for (int i = 0; i < 3; ++i)
        list.AddTail(task(QString::number(i)));
    save(list);
    const QString saved = text();
    const struct
    {
        const char *countLine;
        int loaded;
        bool badCount;
        QStringList dropped;
    } cases[] = {
        {"NumofAlarms=5", 3, false, {}},
        {"NumofAlarms=2147483647", 3, false, {}},
        {"NumofAlarms=2", 2, false, {QStringLiteral("Alarm00002")}},
        {"NumofAlarms=0",
         0,
         false,
         {QStringLiteral("Alarm00000"), QStringLiteral("Alarm00001"), QStringLiteral("Alarm00002")}},
        {"NumofAlarms=-4", 3, true, {}},
        {"NumofAlarms=junk", 3, true, {}},
        {"NumofAlarms=", 3, true, {}},
        {"Missing=1", 3, false, {}},
    };
    for (const auto &c : cases) {
        QString damaged = saved;
        damaged.replace(QStringLiteral("NumofAlarms=3"), QString::fromLatin1(c.countLine));
        writeRaw(damaged.toUtf8());
        AlarmList loaded;
        LoadDamage damage;
        LoadAlarmFile(ProfileFile(path), loaded, clock, &damage);
        EXPECT_EQ(loaded.GetCount(), c.loaded) << c.countLine;
        EXPECT_EQ(damage.badCount, c.badCount) << c.countLine;
        EXPECT_EQ(damage.droppedSections, c.dropped) << c.countLine;
    }
}

TEST_F(AlarmFileTest, OnceTasksStayAndRecurringTasksMoveOnAtLoad)
{
    AlarmList list;
    AlarmTask once = task(QStringLiteral("once"));
    once.DateTime = at(2026, 3, 1, 8, 0);
    AlarmTask daily = once;
    daily.Description = QStringLiteral("daily");
    daily.Schedule = AlarmTask::Daily;
    daily.DiaryDays = 1;
    AlarmTask broken = daily;
    broken.Description = QStringLiteral("broken");
    broken.DiaryDays = 0;
    list.AddTail(once);
    list.AddTail(daily);
    list.AddTail(broken);
    save(list);
    AlarmList loaded;
    load(loaded);
    ASSERT_EQ(loaded.GetCount(), 2);
    EXPECT_EQ(loaded.At(loaded.GetHeadPosition()).DateTime, at(2026, 3, 1, 8, 0));
    EXPECT_EQ(loaded.At(loaded.GetTailPosition()).DateTime, at(2026, 3, 11, 8, 0));
}

// A file as the Windows program writes it: GBK text, CR LF line ends.
TEST_F(AlarmFileTest, ReadsAGbkFileFromWindows)
{
    const QString windowsText =
        QStringLiteral(u"[Common]\r\nNumofAlarms=1\r\n[Alarm00000]\r\nReportMode=0\r\n"
                       "DateTime=2026-05-01 7:05:00\r\nSchedule=0\r\nHourlyDateLimit=0\r\n"
                       "HourlyTimeLimit=0\r\nHourlyEndDate=2026-05-08\r\nHourlyEndTime=23:59:00\r\n"
                       "HourlyStartDate=2026-05-01\r\nHourlyStartTime=00:00:00\r\nCategory=3\r\n"
                       "Description=给妈妈打电话\r\nMessage=记得问候##周末回家吃饭\r\n"
                       "Background Color=16777215\r\nFontColor=0\r\nFontHeight=240\r\n"
                       "FontFaceName=宋体\r\nFontMask=-536870897\r\nFontEffect=0\r\n"
                       "SoundFile=C:\\Program Files\\Tockly\\ring.wav\r\nRepeatPlay=0\r\n"
                       "ActionMode=0\r\nActionOption=0\r\nCountdownsec=30\r\nFilePath=\r\n");
    QStringEncoder gbk("GBK");
    writeRaw(gbk(windowsText));
    AlarmList loaded;
    load(loaded);
    ASSERT_EQ(loaded.GetCount(), 1);
    const AlarmTask &t = loaded.At(loaded.GetHeadPosition());
    EXPECT_EQ(t.Description, QStringLiteral(u"给妈妈打电话"));
    EXPECT_EQ(t.Message, QStringLiteral(u"记得问候\r\n周末回家吃饭"));
    EXPECT_EQ(t.MessageFont.FontFaceName, QStringLiteral(u"宋体"));
    EXPECT_EQ(t.MessageFont.FontMask, 0xE000000Fu);
    EXPECT_EQ(t.DateTime, at(2026, 5, 1, 7, 5));
    EXPECT_TRUE(t.SoundFile.isEmpty()); // a Windows path does not exist here
}

TEST_F(AlarmFileTest, MissingMandatoryValuesDropOnlyTheirSection)
{
    writeRaw("[Common]\r\nNumofAlarms=3\r\n"
             "[Alarm00000]\r\nReportMode=0\r\nDateTime=2026-05-01 07:05:00\r\nSchedule=0\r\n"
             "HourlyDateLimit=0\r\nHourlyTimeLimit=0\r\nHourlyEndDate=2026-05-08\r\nHourlyEndTime=23:59:00\r\n"
             "HourlyStartDate=2026-05-01\r\nHourlyStartTime=00:00:00\r\nCategory=3\r\nDescription=ok\r\n"
             "Background Color=1\r\nFontColor=0\r\nFontHeight=240\r\nFontFaceName=f\r\nFontMask=0\r\n"
             "FontEffect=0\r\nRepeatPlay=0\r\nActionMode=0\r\nActionOption=0\r\nCountdownsec=30\r\n"
             "[Alarm00001]\r\nReportMode=0\r\nDateTime=2026-02-30 07:05:00\r\n"
             "[Alarm00002]\r\nReportMode=\r\n");
    AlarmList loaded;
    load(loaded);
    ASSERT_EQ(loaded.GetCount(), 1);
    EXPECT_EQ(loaded.At(loaded.GetHeadPosition()).Message, QString());
}

// Every number of a task section at the extremes of int (and beyond, which
// reads as those extremes): the task loads, or its section is dropped where
// the value makes its rule fail or its date impossible; nothing overflows.
TEST_F(AlarmFileTest, ExtremeNumbersLoadOrDropTheirSection)
{
    // Both sub-modes' keys are there, so that switching a mode is defined.
    const QString daily = QStringLiteral("Schedule=2\r\nDiaryReportMode=0\r\nDiaryDays=1\r\n");
    const QString weekly = QStringLiteral("Schedule=3\r\nWeeklyEnable=1\r\nWeeklyWeek=1\r\n");
    const QString monthly = QStringLiteral("Schedule=4\r\nMonthlyDay=15\r\nMonthlyMonth=1\r\nMonthlyMonth2=1\r\n"
                                           "MonthlyWeekly=1\r\nMonthlyWeekOrder=1\r\n");
    const QString yearly = QStringLiteral("Schedule=5\r\nAnnuallyDay=15\r\nAnnuallyMonth=12\r\nAnnuallyMonth2=12\r\n"
                                          "AnnuallyWeekly=1\r\nAnnuallyWeekOrder=1\r\n");
    const QString byDay = QStringLiteral("MonthlyReportMode=0\r\nAnnuallyReportMode=0\r\n");
    const QString byOrder = QStringLiteral("MonthlyReportMode=1\r\nAnnuallyReportMode=1\r\n");
    const struct
    {
        const char *key;
        QString rule;
        const char *value; // %1 stands for the number
        bool loadsWhenHuge;
        bool loadsWhenNegative;
    } cases[] = {
        {"ReportMode", daily, "%1", true, true},
        {"Schedule", daily, "%1", true, true}, // no such kind: never advanced
        {"HourlyDateLimit", daily, "%1", true, true},
        {"HourlyTimeLimit", daily, "%1", true, true},
        {"DiaryReportMode", daily, "%1", true, true}, // Sundays
        {"DiaryDays", daily, "%1", false, false},
        {"WeeklyEnable", weekly, "%1", true, true}, // bits above Sunday are ignored
        {"WeeklyWeek", weekly, "%1", false, false},
        {"MonthlyReportMode", monthly + byDay, "%1", true, true},
        {"MonthlyDay", monthly + byDay, "%1", true, false}, // the month's length at most
        {"MonthlyMonth", monthly + byDay, "%1", false, false},
        {"MonthlyMonth2", monthly + byOrder, "%1", false, false},
        {"MonthlyWeekly", monthly + byOrder, "%1", false, false},
        {"MonthlyWeekOrder", monthly + byOrder, "%1", false, false},
        {"AnnuallyReportMode", yearly + byDay, "%1", true, true},
        {"AnnuallyDay", yearly + byDay, "%1", true, false},
        {"AnnuallyMonth", yearly + byDay, "%1", false, false},
        {"AnnuallyMonth2", yearly + byOrder, "%1", true, true}, // stored only
        {"AnnuallyWeekly", yearly + byOrder, "%1", false, false},
        {"AnnuallyWeekOrder", yearly + byOrder, "%1", false, false},
        {"DateTime", daily, "%1-12-15 08:00:00", false, false},
        {"DateTime", daily, "2025-12-15 08:%1:00", false, false},
        {"HourlyEndDate", daily, "2025-%1-22", false, false},
        {"HourlyStartTime", daily, "00:00:%1", false, false},
        {"Category", daily, "%1", true, true},
        {"Background Color", daily, "%1", true, true},
        {"FontColor", daily, "%1", true, true},
        {"FontHeight", daily, "%1", true, true},
        {"FontMask", daily, "%1", true, true},
        {"FontEffect", daily, "%1", true, true},
        {"RepeatPlay", daily, "%1", true, true},
        {"ActionMode", daily, "%1", true, true},
        {"ActionOption", daily, "%1", true, true},
        {"Countdownsec", daily, "%1", true, true},
    };
    const auto section = [](const QString &rule) {
        return QStringLiteral("[Common]\r\nNumofAlarms=1\r\n[Alarm00000]\r\nReportMode=0\r\n"
                              "DateTime=2025-12-15 08:00:00\r\n") +
            rule +
            QStringLiteral("HourlyDateLimit=0\r\nHourlyTimeLimit=0\r\nHourlyEndDate=2025-12-22\r\n"
                           "HourlyEndTime=23:59:00\r\nHourlyStartDate=2025-12-15\r\nHourlyStartTime=00:00:00\r\n"
                           "Category=3\r\nDescription=d\r\nBackground Color=1\r\nFontColor=0\r\nFontHeight=240\r\n"
                           "FontFaceName=f\r\nFontMask=0\r\nFontEffect=0\r\nRepeatPlay=0\r\nActionMode=0\r\n"
                           "ActionOption=0\r\nCountdownsec=30\r\n");
    };
    for (const auto &c : cases) {
        const QString base = section(c.rule);
        const qsizetype keyAt = base.indexOf(QLatin1Char('\n') + QLatin1String(c.key) + QLatin1Char('=')) + 1;
        ASSERT_GT(keyAt, 0) << c.key;
        const qsizetype valueAt = keyAt + qsizetype(qstrlen(c.key)) + 1;
        for (const char *number : {"2147483647", "99999999999", "-2147483648", "-99999999999"}) {
            QString text = base;
            text.replace(valueAt, text.indexOf(QLatin1Char('\r'), valueAt) - valueAt,
                         QString::fromLatin1(c.value).arg(QLatin1String(number)));
            writeRaw(text.toUtf8());
            AlarmList loaded;
            load(loaded);
            const bool loads = number[0] == '-' ? c.loadsWhenNegative : c.loadsWhenHuge;
            EXPECT_EQ(loaded.GetCount(), loads ? 1 : 0) << c.key << " " << c.value << " " << number;
        }
    }
}
