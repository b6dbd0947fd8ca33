// SPDX-License-Identifier: MIT
#include "editor/ReminderEditor.h"

#include "EditorFixture.h"
#include "editor/NumberBox.h"
#include "editor/RangeDialog.h"
#include "model/AlarmFile.h"
#include "model/ProfileFile.h"
#include "schedule/Recurrence.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

class ReminderEditorTest : public EditorFixture
{
protected:
    std::unique_ptr<ReminderEditor> open(EntryHandle entry = {})
    {
        auto editor = std::make_unique<ReminderEditor>(data, services, entry, -1);
        editor->show();
        QApplication::setActiveWindow(editor.get());
        return editor;
    }

    static void describe(ReminderEditor &e, const QString &text)
    {
        auto *edit = child<QLineEdit>(&e, "descriptionEdit");
        edit->clear();
        typeText(edit, text);
    }
    static void pickSchedule(ReminderEditor &e, int kind)
    {
        child<QComboBox>(&e, "scheduleCombo")->setCurrentIndex(kind);
    }
    static NumberBox *box(const ReminderEditor &e, const char *page, const char *name)
    {
        return child<NumberBox>(child<QWidget>(&e, page), name);
    }
    static void type(NumberBox *numberBox, const QString &text)
    {
        numberBox->clear();
        QTest::keyClicks(numberBox, text);
    }
    static void click(const QObject *parent, const char *name)
    {
        QTest::mouseClick(child<QAbstractButton>(parent, name), Qt::LeftButton);
    }
    static void setTime(ReminderEditor &e, int h, int m) { child<QTimeEdit>(&e, "timeEdit")->setTime(QTime(h, m, 0)); }

    const AlarmTask &only()
    {
        EXPECT_EQ(data.Alarms.GetCount(), 1);
        return data.Alarms.At(data.Alarms.GetHeadPosition());
    }

    // A task stored the way a load leaves it: advanced, with its handle.
    EntryHandle store(AlarmTask task)
    {
        EXPECT_TRUE(AdvanceTask(task, fakes.clock));
        const EntryHandle h = data.Alarms.AddTail(task);
        task.SelfPosition = h;
        data.Alarms.SetAt(h, task);
        return h;
    }

    AlarmTask weeklyTask()
    {
        AlarmTask t = InitAlarmTask(fakes.clock);
        t.Description = u"周会"_s;
        t.Category = 19;
        t.Schedule = AlarmTask::Weekly;
        t.WeeklyWeek = 2;
        t.WeeklyEnable = WeekdaySet(0b0010001); // Monday, Friday
        t.DateTime = at(2026, 3, 13, 9, 30);
        t.Message = u"带上周报\r\n别迟到"_s;
        t.SoundFile = dir.filePath(u"ring.wav"_s);
        t.ActionMode = AlarmTask::Standby;
        t.ActionOption = 1;
        t.Countdownsec = 45;
        t.FilePath = dir.path();
        return t;
    }
};

} // namespace

TEST_F(ReminderEditorTest, NewOneOffTaskAtTheNextMinuteSaves)
{
    auto e = open();
    EXPECT_EQ(e->windowTitle(), u"闹铃提醒"_s);
    EXPECT_EQ(child<QTimeEdit>(e.get(), "timeEdit")->time(), QTime(12, 1, 0));
    EXPECT_EQ(child<QDateEdit>(e.get(), "dateEdit")->date(), QDate(2026, 3, 10));
    describe(*e, u"交电费"_s);
    click(e.get(), "saveButton");

    EXPECT_EQ(e->result(), QDialog::Accepted);
    EXPECT_FALSE(e->isVisible());
    const AlarmTask &t = only();
    EXPECT_EQ(t.Description, u"交电费"_s);
    EXPECT_EQ(t.Schedule, AlarmTask::Once);
    EXPECT_EQ(t.DateTime, at(2026, 3, 10, 12, 1, 0));
    EXPECT_EQ(t.SelfPosition, data.Alarms.GetHeadPosition());
    EXPECT_EQ(e->savedEntry(), t.SelfPosition);
    // The message page's starting format: 宋体 12 pt, black, plain.
    EXPECT_EQ(t.MessageFont.FontMask, 0xE0000007u);
    EXPECT_EQ(t.MessageFont.FontHeight, 240);
    EXPECT_EQ(t.MessageFont.FontEffect, 0u);
    EXPECT_EQ(t.MessageFont.FontFaceName, u"宋体"_s);
    EXPECT_EQ(t.BackgroundColor, 0xFFFFFFu);
}

TEST_F(ReminderEditorTest, OneOffTimeThatHasPassedIsRefusedUnlessItFiresAtStart)
{
    auto e = open();
    describe(*e, u"交电费"_s);
    fakes.clock.Advance(60); // 12:01:30, past the picker's 12:01:00
    click(e.get(), "saveButton");
    expectTip(e.get(), child<QWidget>(e.get(), "timeEdit"),
              u"执行一次报时的设定日期/时间必须大于当前日期/时间,请检查你的日期/时间设置是否符合要求!"_s);
    EXPECT_TRUE(e->isVisible());
    EXPECT_EQ(data.Alarms.GetCount(), 0);

    click(e.get(), "firstStartRadio");
    EXPECT_FALSE(child<QWidget>(e.get(), "timeEdit")->isEnabled());
    click(e.get(), "saveButton");
    EXPECT_EQ(only().ReportMode, AlarmTask::AtFirstStart);
    EXPECT_EQ(only().DateTime, at(2026, 3, 10, 12, 1, 0));
}

TEST_F(ReminderEditorTest, EachBadValueShowsItsTipUnderItsControlAndSavesNothing)
{
    const QString interval = u"请输入1 - 99 范围内的数字!"_s;
    const QString day = u"请输入1 - 31 范围内的数字!"_s;
    struct Case
    {
        int kind;
        std::function<void(ReminderEditor &)> spoil;
        const char *page;
        const char *control;
        QString text;
    };
    const std::vector<Case> cases {
        {AlarmTask::Once, [](ReminderEditor &e) { describe(e, {}); }, nullptr, "descriptionEdit",
         u"闹铃描述信息为必填项，请重新输入！"_s},
        {AlarmTask::Hourly, [](ReminderEditor &e) { type(box(e, "hourlyPage", "minuteBox"), u"75"_s); }, "hourlyPage",
         "minuteBox", u"请输入0 - 59 范围内的数字!"_s},
        {AlarmTask::Daily, [](ReminderEditor &e) { type(box(e, "dailyPage", "daysBox"), u"0"_s); }, "dailyPage",
         "daysBox", interval},
        {AlarmTask::Weekly, [](ReminderEditor &e) { type(box(e, "weeklyPage", "weeksBox"), u"0"_s); }, "weeklyPage",
         "weeksBox", interval},
        {AlarmTask::Monthly, [](ReminderEditor &e) { type(box(e, "monthlyPage", "monthsBox"), u"0"_s); }, "monthlyPage",
         "monthsBox", interval},
        {AlarmTask::Monthly, [](ReminderEditor &e) { type(box(e, "monthlyPage", "dayBox"), u"32"_s); }, "monthlyPage",
         "dayBox", day},
        {AlarmTask::Monthly,
         [](ReminderEditor &e) {
             click(child<QWidget>(&e, "monthlyPage"), "byWeekOrderRadio");
             type(box(e, "monthlyPage", "months2Box"), u"0"_s);
         },
         "monthlyPage", "months2Box", interval},
        {AlarmTask::Yearly, [](ReminderEditor &e) { type(box(e, "yearlyPage", "dayBox"), u"45"_s); }, "yearlyPage",
         "dayBox", day},
        {AlarmTask::Weekly,
         [](ReminderEditor &e) {
             auto *tabs = child<QTabWidget>(&e, "tabWidget");
             tabs->setCurrentIndex(2);
             click(&e, "countdownRadio");
             type(box(e, "actionPage", "countdownBox"), u"0"_s);
             tabs->setCurrentIndex(0);
         },
         "actionPage", "countdownBox", interval},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.control);
        auto e = open();
        describe(*e, u"检查"_s);
        pickSchedule(*e, c.kind);
        c.spoil(*e);
        click(e.get(), "saveButton");
        const QObject *parent = c.page ? child<QWidget>(e.get(), c.page) : static_cast<QObject *>(e.get());
        auto *control = child<QWidget>(parent, c.control);
        expectTip(e.get(), control, c.text);
        EXPECT_TRUE(control->isVisible()); // a control on a hidden tab is brought forward
        EXPECT_TRUE(e->isVisible());
        EXPECT_EQ(data.Alarms.GetCount(), 0);
    }
}

TEST_F(ReminderEditorTest, EachScheduleKindSavesWhatItsPageShows)
{
    struct Case
    {
        int kind;
        std::function<void(ReminderEditor &)> fill;
        std::function<void(const AlarmTask &)> check;
        DateTime due;
    };
    auto combo = [](ReminderEditor &e, const char *page, const char *name, int index) {
        child<QComboBox>(child<QWidget>(&e, page), name)->setCurrentIndex(index);
    };
    const std::vector<Case> cases {
        {AlarmTask::Hourly, [](ReminderEditor &e) { type(box(e, "hourlyPage", "minuteBox"), u"45"_s); },
         [](const AlarmTask &) {}, at(2026, 3, 10, 12, 45)},
        {AlarmTask::Daily, [](ReminderEditor &e) { type(box(e, "dailyPage", "daysBox"), u"3"_s); },
         [](const AlarmTask &t) {
             EXPECT_EQ(t.DiaryReportMode, 0);
             EXPECT_EQ(t.DiaryDays, 3);
         },
         at(2026, 3, 13, 8, 0)},
        {AlarmTask::Daily, [](ReminderEditor &e) { click(child<QWidget>(&e, "dailyPage"), "weekendRadio"); },
         [](const AlarmTask &t) {
             EXPECT_EQ(t.DiaryReportMode, 1);
             EXPECT_EQ(t.DiaryDays, 1);
         },
         at(2026, 3, 15, 8, 0)},
        {AlarmTask::Weekly,
         [](ReminderEditor &e) {
             click(child<QWidget>(&e, "weeklyPage"), "mondayCheck");
             click(child<QWidget>(&e, "weeklyPage"), "sundayCheck");
         },
         [](const AlarmTask &t) {
             EXPECT_EQ(t.WeeklyEnable.to_ulong(), 65u);
             EXPECT_EQ(t.WeeklyWeek, 1);
         },
         at(2026, 3, 15, 8, 0)},
        {AlarmTask::Monthly, [](ReminderEditor &e) { type(box(e, "monthlyPage", "dayBox"), u"5"_s); },
         [](const AlarmTask &t) {
             EXPECT_EQ(t.MonthlyReportMode, 0);
             EXPECT_EQ(t.MonthlyDay, 5);
             EXPECT_EQ(t.MonthlyMonth, 1);
         },
         at(2026, 4, 5, 8, 0)},
        {AlarmTask::Monthly,
         [&](ReminderEditor &e) {
             click(child<QWidget>(&e, "monthlyPage"), "byWeekOrderRadio");
             combo(e, "monthlyPage", "weekOrderCombo", 4); // last
             combo(e, "monthlyPage", "weekdayCombo", 4); // Friday
         },
         [](const AlarmTask &t) {
             EXPECT_EQ(t.MonthlyReportMode, 1);
             EXPECT_EQ(t.MonthlyWeekOrder, 5);
             EXPECT_EQ(t.MonthlyWeekly, 5);
             EXPECT_EQ(t.MonthlyMonth2, 1);
         },
         at(2026, 3, 27, 8, 0)},
        {AlarmTask::Yearly,
         [&](ReminderEditor &e) {
             combo(e, "yearlyPage", "monthCombo", 0);
             type(box(e, "yearlyPage", "dayBox"), u"20"_s);
         },
         [](const AlarmTask &t) {
             EXPECT_EQ(t.AnnuallyReportMode, 0);
             EXPECT_EQ(t.AnnuallyMonth, 1);
             EXPECT_EQ(t.AnnuallyDay, 20);
         },
         at(2027, 1, 20, 8, 0)},
        {AlarmTask::Yearly,
         [&](ReminderEditor &e) {
             click(child<QWidget>(&e, "yearlyPage"), "byWeekOrderRadio");
             combo(e, "yearlyPage", "month2Combo", 4); // May
             combo(e, "yearlyPage", "weekOrderCombo", 1); // second
             combo(e, "yearlyPage", "weekdayCombo", 6); // Sunday
         },
         [](const AlarmTask &t) {
             EXPECT_EQ(t.AnnuallyReportMode, 1);
             EXPECT_EQ(t.AnnuallyMonth2, 5);
             EXPECT_EQ(t.AnnuallyWeekOrder, 2);
             EXPECT_EQ(t.AnnuallyWeekly, 7);
         },
         at(2026, 5, 10, 8, 0)},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        data.Alarms.RemoveAll();
        auto e = open();
        describe(*e, u"例行"_s);
        pickSchedule(*e, cases[i].kind);
        setTime(*e, 8, 0);
        cases[i].fill(*e);
        click(e.get(), "saveButton");
        ASSERT_EQ(e->result(), QDialog::Accepted);
        EXPECT_EQ(only().Schedule, cases[i].kind);
        EXPECT_EQ(only().DateTime, cases[i].due);
        cases[i].check(only());
    }
}

TEST_F(ReminderEditorTest, WeeklyWithNoDaySetSavesAnEmptyDaySet)
{
    auto e = open();
    describe(*e, u"例行"_s);
    pickSchedule(*e, AlarmTask::Weekly);
    click(e.get(), "saveButton");
    EXPECT_TRUE(only().WeeklyEnable.none());
    EXPECT_EQ(only().WeeklyWeek, 1);
}

TEST_F(ReminderEditorTest, ScheduleKindsShowTheirOwnControls)
{
    auto e = open();
    const char *pages[] = {"hourlyPage", "dailyPage", "weeklyPage", "monthlyPage", "yearlyPage"};
    for (int kind : {1, 2, 3, 4, 5, 0}) {
        SCOPED_TRACE(kind);
        pickSchedule(*e, kind);
        EXPECT_EQ(child<QWidget>(e.get(), "dateEdit")->isVisibleTo(e.get()), kind == 0);
        EXPECT_EQ(child<QWidget>(e.get(), "dateLabel")->isVisibleTo(e.get()), kind == 0);
        EXPECT_EQ(child<QWidget>(e.get(), "advancedButton")->isVisibleTo(e.get()), kind >= 1 && kind <= 4);
        for (int page = 1; page <= 5; ++page)
            EXPECT_EQ(child<QWidget>(e.get(), pages[page - 1])->isVisibleTo(e.get()), page == kind);
        for (const char *name : {"atTimeRadio", "firstStartRadio", "everyStartRadio", "timeEdit"})
            EXPECT_EQ(child<QWidget>(e.get(), name)->isEnabled(), kind != 1) << name;
    }
}

TEST_F(ReminderEditorTest, DescriptionTakesTwentyTypedCharacters)
{
    auto e = open();
    describe(*e, QString(21, u'字'));
    EXPECT_EQ(child<QLineEdit>(e.get(), "descriptionEdit")->text(), QString(20, u'字'));

    // A longer description stored elsewhere shows whole.
    AlarmTask t = weeklyTask();
    t.Description = QString(30, u'长');
    auto edited = open(store(t));
    EXPECT_EQ(child<QLineEdit>(edited.get(), "descriptionEdit")->text(), t.Description);
}

TEST_F(ReminderEditorTest, CategoryListShowsTheIconOfTheChoice)
{
    auto e = open();
    auto *combo = child<QComboBox>(e.get(), "categoryCombo");
    auto *icon = child<QLabel>(e.get(), "categoryIcon");
    EXPECT_EQ(combo->count(), 33);
    EXPECT_EQ(combo->itemText(0), u"周年纪念"_s);
    EXPECT_EQ(combo->itemText(32), u"其它"_s);
    const QImage first = icon->pixmap().toImage();
    ASSERT_FALSE(first.isNull());
    combo->setCurrentIndex(7);
    EXPECT_NE(icon->pixmap().toImage(), first);
}

TEST_F(ReminderEditorTest, EditingAWeeklyTaskShowsItAndKeepsItsEntry)
{
    QFile(dir.filePath(u"ring.wav"_s)).open(QIODevice::WriteOnly);
    const EntryHandle h = store(weeklyTask());
    data.Alarms.AddTail(InitAlarmTask(fakes.clock)); // another entry after it
    auto e = open(h);
    EXPECT_TRUE(e->isEditing());
    EXPECT_EQ(child<QComboBox>(e.get(), "scheduleCombo")->currentIndex(), AlarmTask::Weekly);
    EXPECT_EQ(child<QComboBox>(e.get(), "categoryCombo")->currentText(), u"会议"_s);
    EXPECT_EQ(child<QTimeEdit>(e.get(), "timeEdit")->time(), QTime(9, 30));
    EXPECT_EQ(box(*e, "weeklyPage", "weeksBox")->number(), 2);
    const char *days[] = {"mondayCheck", "tuesdayCheck",  "wednesdayCheck", "thursdayCheck",
                          "fridayCheck", "saturdayCheck", "sundayCheck"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(child<QCheckBox>(e.get(), days[i])->isChecked(), i == 0 || i == 4) << days[i];
    EXPECT_EQ(child<QTextEdit>(e.get(), "messageEdit")->toPlainText(), u"带上周报\n别迟到"_s);
    EXPECT_EQ(child<QComboBox>(e.get(), "soundPathCombo")->currentText(), dir.filePath(u"ring.wav"_s));
    EXPECT_EQ(child<QComboBox>(e.get(), "actionCombo")->currentText(), u"待机"_s);
    EXPECT_TRUE(child<QRadioButton>(e.get(), "countdownRadio")->isChecked());
    EXPECT_TRUE(child<QWidget>(e.get(), "countdownBox")->isEnabled());
    EXPECT_EQ(box(*e, "actionPage", "countdownBox")->number(), 45);

    describe(*e, u"部门周会"_s);
    click(e.get(), "saveButton");
    ASSERT_EQ(data.Alarms.GetCount(), 2);
    const AlarmTask &saved = data.Alarms.At(h);
    EXPECT_EQ(saved.SelfPosition, h);
    EXPECT_EQ(saved.Description, u"部门周会"_s);
    EXPECT_EQ(e->savedEntry(), h);
}

// Opening a stored task of any kind and saving it at once changes nothing.
TEST_F(ReminderEditorTest, LoadingThenSavingLeavesEveryKindUnchanged)
{
    std::vector<AlarmTask> tasks;
    auto add = [&](int kind, DateTime due, const std::function<void(AlarmTask &)> &setUp) {
        AlarmTask t = weeklyTask();
        t.Schedule = kind;
        t.DateTime = due;
        setUp(t);
        tasks.push_back(t);
    };
    add(AlarmTask::Once, at(2026, 4, 1, 9, 30), [](AlarmTask &t) { t.ReportMode = AlarmTask::AtEveryStart; });
    add(AlarmTask::Hourly, at(2026, 3, 10, 12, 20), [](AlarmTask &t) {
        t.HourlyTimeLimit = 1;
        t.HourlyStartTime = DateTime::TimeOfDay(8, 0, 0);
        t.HourlyEndTime = DateTime::TimeOfDay(18, 0, 0);
    });
    add(AlarmTask::Daily, at(2026, 3, 12, 7, 0), [](AlarmTask &t) { t.DiaryDays = 4; });
    add(AlarmTask::Daily, at(2026, 3, 15, 7, 0), [](AlarmTask &t) {
        t.DiaryReportMode = 1;
        t.DiaryDays = 1;
    });
    add(AlarmTask::Weekly, at(2026, 3, 13, 7, 0), [](AlarmTask &) {});
    add(AlarmTask::Monthly, at(2026, 4, 3, 7, 0), [](AlarmTask &t) {
        t.MonthlyMonth = 3;
        t.MonthlyDay = 3;
        t.HourlyDateLimit = 1;
        t.HourlyStartDate = at(2026, 1, 1);
        t.HourlyEndDate = at(2026, 12, 31);
    });
    add(AlarmTask::Monthly, at(2026, 3, 27, 7, 0), [](AlarmTask &t) {
        t.MonthlyReportMode = 1;
        t.MonthlyWeekOrder = 5;
        t.MonthlyWeekly = 5;
        t.MonthlyMonth2 = 1;
    });
    add(AlarmTask::Yearly, at(2027, 1, 20, 7, 0), [](AlarmTask &t) {
        t.AnnuallyMonth = 1;
        t.AnnuallyDay = 20;
    });
    add(AlarmTask::Yearly, at(2026, 5, 10, 7, 0), [](AlarmTask &t) {
        t.AnnuallyReportMode = 1;
        t.AnnuallyWeekOrder = 2;
        t.AnnuallyWeekly = 7;
        t.AnnuallyMonth2 = 5;
    });
    for (const AlarmTask &task : tasks) {
        SCOPED_TRACE(task.Schedule);
        const EntryHandle h = store(task);
        const AlarmTask before = data.Alarms.At(h);
        auto e = open(h);
        click(e.get(), "saveButton");
        ASSERT_EQ(e->result(), QDialog::Accepted);
        EXPECT_EQ(data.Alarms.At(h), before) << qPrintable(data.Alarms.At(h).DateTime.ToDateTimeString());
    }
}

TEST_F(ReminderEditorTest, ATaskDeletedWhileEditedIsNeverWrittenInto)
{
    const EntryHandle h = store(weeklyTask());
    auto e = open(h);
    data.Alarms.RemoveAt(h);
    answer = QMessageBox::No;
    click(e.get(), "saveButton");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(e->result(), QDialog::Rejected);
    EXPECT_EQ(data.Alarms.GetCount(), 0);

    const EntryHandle again = store(weeklyTask());
    auto kept = open(again);
    data.Alarms.RemoveAt(again);
    data.Alarms.AddTail(InitAlarmTask(fakes.clock)); // may reuse the removed slot
    answer = QMessageBox::Yes;
    click(kept.get(), "saveButton");
    ASSERT_EQ(data.Alarms.GetCount(), 2);
    const EntryHandle added = data.Alarms.GetTailPosition();
    EXPECT_NE(added, again);
    EXPECT_EQ(data.Alarms.At(added).Description, u"周会"_s);
    EXPECT_EQ(data.Alarms.At(added).SelfPosition, added);
    EXPECT_EQ(kept->savedEntry(), added);
}

TEST_F(ReminderEditorTest, ModelessEditorGoesAwayWhenClosedAndNeedsALiveEntry)
{
    const EntryHandle h = store(weeklyTask());
    QPointer<ReminderEditor> e = ReminderEditor::OpenModeless(data, services, h);
    ASSERT_TRUE(e);
    EXPECT_FALSE(e->isModal());
    EXPECT_TRUE(e->isVisible());
    EXPECT_EQ(e->taskListRow(), -1);
    click(e, "cancelButton");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(e.isNull());

    data.Alarms.RemoveAt(h);
    EXPECT_EQ(ReminderEditor::OpenModeless(data, services, h), nullptr);
    EXPECT_FALSE(ReminderEditor::OpenModal(data, services, h));
}

TEST_F(ReminderEditorTest, AdvancedSettingsWriteTheRangeIntoTheSavedTask)
{
    auto e = open();
    describe(*e, u"喝水"_s);
    pickSchedule(*e, AlarmTask::Hourly);
    type(box(*e, "hourlyPage", "minuteBox"), u"0"_s);
    QTimer::singleShot(0, [] {
        auto *range = qobject_cast<RangeDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(range, nullptr);
        click(range, "endTimeRadio");
        child<QTimeEdit>(range, "startTimeEdit")->setTime(QTime(13, 0));
        child<QTimeEdit>(range, "endTimeEdit")->setTime(QTime(17, 0));
        click(range, "okButton");
    });
    click(e.get(), "advancedButton");
    click(e.get(), "saveButton");
    const AlarmTask &t = only();
    EXPECT_EQ(t.HourlyTimeLimit, 1);
    EXPECT_EQ(t.HourlyStartTime, DateTime::TimeOfDay(13, 0, 0));
    EXPECT_EQ(t.HourlyEndTime, DateTime::TimeOfDay(17, 0, 0));
    EXPECT_EQ(t.DateTime, at(2026, 3, 10, 13, 0)); // 12:00 lies before the window
}

// A task section as the Windows program writes it opens with its schedule,
// format, colours, sound and action, and a task made here survives the file.
TEST_F(ReminderEditorTest, TasksFromAndThroughTheTaskFile)
{
    const QString sound = dir.filePath(u"ring.wav"_s);
    QFile(sound).open(QIODevice::WriteOnly);
    const QString path = data.FilePath(AlarmFileName);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write((u"[Common]\r\nNumofAlarms=1\r\n[Alarm00000]\r\nReportMode=0\r\nDateTime=2026-03-16 08:00:00\r\n"
                "Schedule=3\r\nWeeklyEnable=1\r\nWeeklyWeek=1\r\nHourlyDateLimit=0\r\nHourlyTimeLimit=0\r\n"
                "HourlyEndDate=2026-03-17\r\nHourlyEndTime=23:59:00\r\nHourlyStartDate=2026-03-10\r\n"
                "HourlyStartTime=00:00:00\r\nCategory=19\r\nDescription=例会\r\nMessage=带笔记本##早到\r\n"
                "Background Color=10092543\r\nFontColor=255\r\nFontHeight=280\r\nFontFaceName=宋体\r\n"
                "FontMask=-536870905\r\nFontEffect=1\r\nSoundFile="_s +
                sound + u"\r\nRepeatPlay=0\r\nActionMode=3\r\nActionOption=1\r\nCountdownsec=20\r\nFilePath=\r\n"_s)
                   .toUtf8());
    file.close();
    LoadAlarmFile(ProfileFile(path), data.Alarms, fakes.clock);
    ASSERT_EQ(data.Alarms.GetCount(), 1);
    const EntryHandle h = data.Alarms.GetHeadPosition();
    const AlarmTask loaded = data.Alarms.At(h);

    auto e = open(h);
    EXPECT_EQ(child<QComboBox>(e.get(), "scheduleCombo")->currentText(), u"每周"_s);
    EXPECT_TRUE(child<QCheckBox>(e.get(), "mondayCheck")->isChecked());
    EXPECT_EQ(child<QComboBox>(e.get(), "faceCombo")->currentText(), u"宋体"_s);
    EXPECT_EQ(child<QComboBox>(e.get(), "sizeCombo")->currentText(), u"14"_s);
    EXPECT_TRUE(child<QAbstractButton>(e.get(), "boldButton")->isChecked());
    EXPECT_EQ(child<QComboBox>(e.get(), "soundPathCombo")->currentText(), sound);
    EXPECT_EQ(child<QComboBox>(e.get(), "actionCombo")->currentText(), u"关闭计算机"_s);
    EXPECT_EQ(box(*e, "actionPage", "countdownBox")->number(), 20);
    const auto *message = child<QTextEdit>(e.get(), "messageEdit");
    EXPECT_EQ(message->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0x99));
    EXPECT_EQ(message->currentCharFormat().foreground().color(), QColor(Qt::red));
    click(e.get(), "saveButton");
    EXPECT_EQ(data.Alarms.At(h), loaded);

    // A new task from the editor, through the file and back.
    auto created = open();
    describe(*created, u"月报"_s);
    pickSchedule(*created, AlarmTask::Monthly);
    type(box(*created, "monthlyPage", "dayBox"), u"28"_s);
    click(created.get(), "saveButton");
    {
        ProfileFile out(path);
        out.DeleteAllSections();
        SaveAlarmFile(out, data.Alarms);
        ASSERT_TRUE(out.Save());
    }
    AlarmList back;
    LoadAlarmFile(ProfileFile(path), back, fakes.clock);
    ASSERT_EQ(back.GetCount(), 2);
    AlarmTask read = back.At(back.GetTailPosition());
    AlarmTask made = data.Alarms.At(data.Alarms.GetTailPosition());
    read.SelfPosition = made.SelfPosition = {};
    // The file keeps dates only and the unstored format members are zero.
    made.HourlyStartDate = made.HourlyStartDate.Day0();
    made.HourlyEndDate = made.HourlyEndDate.Day0();
    EXPECT_EQ(read, made);
}
