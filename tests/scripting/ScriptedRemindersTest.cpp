// SPDX-License-Identifier: MIT
// What the scripting interface accepts, how it names reminders and clocks,
// and what it lists.
#include "schedule/UpcomingList.h"
#include "scripting/ScriptedReminders.h"

#include "scripting/ClockBus.h"

#include <QCryptographicHash>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const DateTime Now = DateTime::FromParts(2026, 3, 10, 12, 0, 0);

} // namespace

TEST(ScriptedReminders, ANewReminderIsCheckedBeforeAnythingIsBuilt)
{
    struct Case
    {
        QString when;
        QString description;
        QString message;
        QString error; // empty: accepted
    };
    const QString longMessage(ScriptMessageLimit + 1, u'字');
    const QList<Case> cases {
        {u"2026-12-24 18:00"_s, u"订餐厅"_s, u"七点前"_s, {}},
        {u" 2026-3-10T12:00:01 "_s, u"  一秒后  "_s, {}, {}},
        {u"2026-12-24"_s, u"订餐厅"_s, {}, ScriptErrors::BadDate},
        {u"tomorrow 18:00"_s, u"订餐厅"_s, {}, ScriptErrors::BadDate},
        {u"2026-02-30 18:00"_s, u"订餐厅"_s, {}, ScriptErrors::BadDate},
        {u"2026-03-10 24:00"_s, u"订餐厅"_s, {}, ScriptErrors::BadDate},
        {u"2026-03-10 12:00"_s, u"订餐厅"_s, {}, ScriptErrors::DateInPast},
        {u"2025-12-24 18:00"_s, u"订餐厅"_s, {}, ScriptErrors::DateInPast},
        {u"2026-12-24 18:00"_s, u"   "_s, {}, ScriptErrors::EmptyDescription},
        {u"2026-12-24 18:00"_s, u"两\n行"_s, {}, ScriptErrors::BadText},
        {u"2026-12-24 18:00"_s, QString(ScriptDescriptionLimit + 1, u'字'), {}, ScriptErrors::TooLong},
        {u"2026-12-24 18:00"_s, u"订餐厅"_s, longMessage, ScriptErrors::TooLong},
    };
    for (const Case &c : cases) {
        const auto made = NewScriptedReminder(c.when, c.description, c.message, Now);
        const ScriptError *error = std::get_if<ScriptError>(&made);
        EXPECT_EQ(error ? error->name : QString(), c.error) << c.when.toStdString();
        if (error) {
            EXPECT_FALSE(error->message.isEmpty());
        }
    }

    const AlarmTask task =
        std::get<AlarmTask>(NewScriptedReminder(u"2026-12-24 18:00"_s, u" 订餐厅 "_s, u"第一行\n第二行"_s, Now));
    EXPECT_EQ(task.DateTime, DateTime::FromParts(2026, 12, 24, 18, 0, 0));
    EXPECT_EQ(task.Schedule, AlarmTask::Once);
    EXPECT_EQ(task.ReportMode, AlarmTask::AtDateTime);
    EXPECT_EQ(task.Description, u"订餐厅"_s);
    EXPECT_EQ(task.Message, u"第一行\r\n第二行"_s);
    // Without a message the description shows in the popup.
    EXPECT_EQ(std::get<AlarmTask>(NewScriptedReminder(u"2026-12-24 18:00"_s, u"订餐厅"_s, {}, Now)).Message,
              u"订餐厅"_s);
}

TEST(ScriptedReminders, IdentitiesNameLiveEntriesOnly)
{
    for (const EntryHandle h : {EntryHandle {0, 1}, EntryHandle {42, 7}, EntryHandle {UINT32_MAX, UINT32_MAX}})
        EXPECT_EQ(ParseReminderId(ReminderId(h)), h);
    for (const QString &bad : {u""_s, u"3"_s, u"3.0"_s, u"-1.1"_s, u"3.1.1"_s, u"a.b"_s, u"99999999999.1"_s})
        EXPECT_FALSE(ParseReminderId(bad)) << bad.toStdString();

    AlarmList alarms;
    const EntryHandle gone = alarms.AddTail(InitAlarmTask(Now));
    alarms.RemoveAt(gone);
    const EntryHandle reused = alarms.AddTail(InitAlarmTask(Now)); // the same slot
    ASSERT_EQ(reused.index, gone.index);
    EXPECT_TRUE(std::holds_alternative<ScriptError>(FindScripted(ReminderId(gone), alarms)));
    EXPECT_EQ(std::get<EntryHandle>(FindScripted(ReminderId(reused), alarms)), reused);
}

TEST(ScriptedReminders, EachFolderHasItsOwnBusName)
{
    QTemporaryDir dir;
    const QString home = dir.path();
    const QString other = QDir(home).filePath(u"other"_s);
    ASSERT_TRUE(QDir().mkpath(other));
    const QByteArray hash =
        QCryptographicHash::hash(QDir(other).canonicalPath().toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    const QString expected = u"org.tockly.Clock.Home_"_s + QString::fromLatin1(hash);
    EXPECT_EQ(ClockBusName(other), expected);
    EXPECT_EQ(ClockBusName(other + u"/../other/"_s), expected);
    EXPECT_NE(ClockBusName(home), expected);
}

TEST(ScriptedReminders, UpcomingListsTimedRemindersStillAheadInOrder)
{
    AlarmList alarms;
    const auto add = [&alarms](const QString &name, const DateTime &due, int reportMode = AlarmTask::AtDateTime) {
        AlarmTask t = InitAlarmTask(Now);
        t.Description = name;
        t.DateTime = due;
        t.ReportMode = reportMode;
        return alarms.AddTail(t);
    };
    add(u"晚"_s, Now.AddDays(2));
    add(u"过去"_s, Now);
    const EntryHandle first = add(u"同时一"_s, Now.AddDays(1));
    add(u"启动时"_s, Now.AddDays(1), AlarmTask::AtEveryStart);
    add(u"同时二"_s, Now.AddDays(1));
    QStringList names;
    for (const UpcomingTask &task : UpcomingTasks(alarms, Now))
        names << task.description;
    EXPECT_EQ(names, (QStringList {u"同时一"_s, u"同时二"_s, u"晚"_s}));
    EXPECT_EQ(UpcomingTasks(alarms, Now).front().entry, first);
    EXPECT_EQ(UpcomingLineText(u"订餐厅"_s, u"2026-12-24 18:00:00"_s),
              u"订餐厅"_s + QString(17, u' ') + u"2026-12-24 18:00:00"_s);
}

TEST(ScriptedReminders, SnoozingCountsFromNowAndChecksItsSpan)
{
    AlarmList alarms;
    SnoozeList snoozed;
    AlarmTask t = InitAlarmTask(Now.AddDays(-3));
    t.ReportMode = AlarmTask::AtEveryStart;
    const QString id = ReminderId(alarms.AddTail(t));
    const auto refusal = [&](const QString &which, uint minutes) {
        return SnoozeScripted(which, minutes, alarms, snoozed, Now).value_or(ScriptError {}).name;
    };
    EXPECT_EQ(refusal(u"9.9"_s, 5), ScriptErrors::UnknownReminder);
    EXPECT_EQ(refusal(id, 0), ScriptErrors::BadMinutes);
    EXPECT_EQ(refusal(id, ScriptSnoozeLimit + 1), ScriptErrors::BadMinutes);
    EXPECT_TRUE(snoozed.IsEmpty());
    EXPECT_FALSE(SnoozeScripted(id, 15, alarms, snoozed, Now));
    ASSERT_EQ(snoozed.GetCount(), 1);
    const AlarmTask &copy = snoozed.At(snoozed.GetHeadPosition());
    EXPECT_EQ(copy.DateTime, Now.AddMinutes(15));
    EXPECT_EQ(copy.ReportMode, AlarmTask::AtDateTime); // so that the tick fires it
    EXPECT_EQ(ReminderId(copy.SelfPosition), id);
}
