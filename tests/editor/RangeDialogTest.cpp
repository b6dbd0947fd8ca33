// SPDX-License-Identifier: MIT
#include "editor/RangeDialog.h"

#include "EditorFixture.h"

#include <QDateEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

class RangeDialogTest : public EditorFixture
{
protected:
    std::unique_ptr<RangeDialog> open(int schedule, EntryHandle entry = {})
    {
        auto dialog = std::make_unique<RangeDialog>(working, data.Alarms, entry, schedule, fakes.clock);
        dialog->show();
        return dialog;
    }
    static bool checked(const RangeDialog &d, const char *radio) { return child<QRadioButton>(&d, radio)->isChecked(); }
    static bool okEnabled(const RangeDialog &d) { return child<QPushButton>(&d, "okButton")->isEnabled(); }

    AlarmTask working = InitAlarmTask(fakes.clock);
};

} // namespace

TEST_F(RangeDialogTest, OpensWithoutLimitsOverTheComingWeek)
{
    auto d = open(AlarmTask::Daily);
    EXPECT_EQ(d->windowTitle(), u"高级设置"_s);
    EXPECT_EQ(child<QDateEdit>(d.get(), "startDateEdit")->date(), QDate(2026, 3, 10));
    EXPECT_EQ(child<QDateEdit>(d.get(), "endDateEdit")->date(), QDate(2026, 3, 17));
    EXPECT_EQ(child<QTimeEdit>(d.get(), "startTimeEdit")->time(), QTime(0, 0));
    EXPECT_EQ(child<QTimeEdit>(d.get(), "endTimeEdit")->time(), QTime(23, 59));
    EXPECT_TRUE(checked(*d, "noDateLimitRadio"));
    EXPECT_TRUE(checked(*d, "noTimeLimitRadio"));
    EXPECT_FALSE(okEnabled(*d));
}

TEST_F(RangeDialogTest, TimeWindowOnlyForHourlyTasks)
{
    const char *timeControls[] = {"startTimeEdit", "noTimeLimitRadio", "endTimeRadio", "endTimeEdit"};
    for (int kind : {2, 3, 4}) {
        auto d = open(kind);
        for (const char *name : timeControls)
            EXPECT_FALSE(child<QWidget>(d.get(), name)->isEnabled()) << name << kind;
    }
    auto hourly = open(AlarmTask::Hourly);
    for (const char *name : timeControls)
        EXPECT_TRUE(child<QWidget>(hourly.get(), name)->isEnabled()) << name;
}

TEST_F(RangeDialogTest, AChangeEnablesOkAndAnEndPickerChecksItsRadio)
{
    auto d = open(AlarmTask::Hourly);
    QTest::mouseClick(child<QRadioButton>(d.get(), "noDateLimitRadio"), Qt::LeftButton);
    EXPECT_TRUE(okEnabled(*d));

    auto dates = open(AlarmTask::Hourly);
    child<QDateEdit>(dates.get(), "endDateEdit")->setDate(QDate(2026, 4, 1));
    EXPECT_TRUE(checked(*dates, "endDateRadio"));
    EXPECT_FALSE(checked(*dates, "noDateLimitRadio"));
    EXPECT_TRUE(okEnabled(*dates));
    child<QTimeEdit>(dates.get(), "endTimeEdit")->setTime(QTime(18, 0));
    EXPECT_TRUE(checked(*dates, "endTimeRadio"));
    child<QTimeEdit>(dates.get(), "startTimeEdit")->setTime(QTime(9, 0));
    QTest::mouseClick(child<QPushButton>(dates.get(), "okButton"), Qt::LeftButton);
    EXPECT_EQ(dates->result(), QDialog::Accepted);
    EXPECT_EQ(working.HourlyDateLimit, 1);
    EXPECT_EQ(working.HourlyTimeLimit, 1);
    EXPECT_EQ(working.HourlyStartDate, at(2026, 3, 10)); // a plain date, as the file keeps it
    EXPECT_EQ(working.HourlyEndDate, at(2026, 4, 1));
    EXPECT_EQ(working.HourlyStartTime, DateTime::TimeOfDay(9, 0));
    EXPECT_EQ(working.HourlyEndTime, DateTime::TimeOfDay(18, 0));
}

TEST_F(RangeDialogTest, StartAfterEndSwitchesThatLimitOff)
{
    auto d = open(AlarmTask::Hourly);
    child<QDateEdit>(d.get(), "endDateEdit")->setDate(QDate(2026, 3, 1));
    child<QTimeEdit>(d.get(), "endTimeEdit")->setTime(QTime(8, 0));
    child<QTimeEdit>(d.get(), "startTimeEdit")->setTime(QTime(9, 0));
    d->accept();
    EXPECT_EQ(working.HourlyDateLimit, 0);
    EXPECT_EQ(working.HourlyTimeLimit, 0);
    EXPECT_EQ(working.HourlyEndDate, at(2026, 3, 1));
}

TEST_F(RangeDialogTest, CancelLeavesTheTaskAlone)
{
    const AlarmTask before = working;
    auto d = open(AlarmTask::Hourly);
    child<QDateEdit>(d.get(), "endDateEdit")->setDate(QDate(2026, 4, 1));
    QTest::mouseClick(child<QPushButton>(d.get(), "cancelButton"), Qt::LeftButton);
    EXPECT_EQ(working, before);
}

// Editing shows the range stored in the list, not the working copy.
TEST_F(RangeDialogTest, EditingShowsTheStoredRange)
{
    AlarmTask stored = working;
    stored.HourlyDateLimit = 1;
    stored.HourlyTimeLimit = 1;
    stored.HourlyStartDate = at(2026, 1, 1);
    stored.HourlyEndDate = at(2026, 6, 30);
    stored.HourlyStartTime = DateTime::TimeOfDay(8, 30, 0);
    stored.HourlyEndTime = DateTime::TimeOfDay(20, 0, 0);
    const EntryHandle h = data.Alarms.AddTail(stored);
    working.HourlyDateLimit = 0;
    auto d = open(AlarmTask::Hourly, h);
    EXPECT_TRUE(checked(*d, "endDateRadio"));
    EXPECT_TRUE(checked(*d, "endTimeRadio"));
    EXPECT_EQ(child<QDateEdit>(d.get(), "startDateEdit")->date(), QDate(2026, 1, 1));
    EXPECT_EQ(child<QDateEdit>(d.get(), "endDateEdit")->date(), QDate(2026, 6, 30));
    EXPECT_EQ(child<QTimeEdit>(d.get(), "startTimeEdit")->time(), QTime(8, 30));
    EXPECT_FALSE(okEnabled(*d));
    EXPECT_TRUE(boxes.empty());

    // An entry deleted meanwhile: say so and start from the defaults.
    data.Alarms.RemoveAt(h);
    auto gone = open(AlarmTask::Hourly, h);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"数据加载错误，正在尝试初始化!"_s);
    EXPECT_TRUE(checked(*gone, "noDateLimitRadio"));
    EXPECT_EQ(child<QDateEdit>(gone.get(), "endDateEdit")->date(), QDate(2026, 3, 17));
}
