// SPDX-License-Identifier: MIT
// The reminder popup: what it shows, and what snooze, edit and delete do to
// the real task behind its copy.
#include "firing/ReminderPopup.h"

#include "fakes/FakeServices.h"
#include "firing/Snooze.h"
#include "model/AppData.h"
#include "model/CategoryTable.h"
#include "widgets/MessageBoxes.h"
#include "widgets/MessageFormat.h"

#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const DateTime Due = DateTime::FromParts(2008, 3, 1, 7, 30, 0);

// The snooze menu as users know it: label and minutes, in order.
const QList<QPair<QString, int>> ExpectedSpans {
    {u"5 分钟..."_s, 5},   {u"10 分钟.."_s, 10},  {u"15 分钟..."_s, 15}, {u"30 分钟..."_s, 30}, {u"1 小时..."_s, 60},
    {u"2 小时..."_s, 120}, {u"4 小时..."_s, 240}, {u"8 小时..."_s, 480}, {u"明天..."_s, 1440},  {u"2 天..."_s, 2880},
    {u"3 天..."_s, 4320},  {u"4 天..."_s, 5760},  {u"1 周..."_s, 10080},
};

class ReminderPopupTest : public ::testing::Test
{
protected:
    ReminderPopupTest()
        : data(dir.path())
    {
        // The user picks from the menu long after the reminder came.
        fake.clock.Set(DateTime::FromParts(2026, 5, 6, 21, 15, 42));
        AlarmTask other = InitAlarmTask(Due);
        other.Description = u"另一个"_s;
        otherHandle = data.Alarms.AddTail(other);

        task = InitAlarmTask(Due);
        task.Description = u"晨练 100% & %1"_s;
        task.Message = u"该出门了"_s;
        task.Category = 2;
        task.SoundFile = u"/tmp/ring.wav"_s;
        task.ActionMode = AlarmTask::ShutDown;
        task.SelfPosition = data.Alarms.AddTail(task);
        data.Alarms.SetAt(task.SelfPosition, task);
    }
    ~ReminderPopupTest() override
    {
        MessageBoxes::SetAnswerer({});
        delete popup;
    }

    ReminderPopup *open(const AlarmTask &shown)
    {
        delete popup;
        popup = new ReminderPopup(data, fake.services(), shown, [this](EntryHandle h) { edited.push_back(h); });
        popup->show();
        return popup;
    }
    ReminderPopup *open() { return open(task); }

    template<class T> T *child(const char16_t *name) { return popup->findChild<T *>(QString::fromUtf16(name)); }
    QList<QAction *> snoozeItems() { return child<QMenu>(u"snoozeMenu")->actions(); }
    void click(const char16_t *button) { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }
    bool popupClosed()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return popup.isNull();
    }
    void answer(QMessageBox::StandardButton button)
    {
        MessageBoxes::SetAnswerer([this, button](const MessageBoxes::Request &r) {
            questions.push_back(r);
            return button;
        });
    }

    QTemporaryDir dir;
    FakeServices fake;
    AppData data;
    AlarmTask task;
    EntryHandle otherHandle;
    QPointer<ReminderPopup> popup;
    std::vector<EntryHandle> edited;
    std::vector<MessageBoxes::Request> questions;
};

} // namespace

TEST_F(ReminderPopupTest, ShowsTheDueTimeDescriptionIconAndButtons)
{
    open();
    EXPECT_EQ(popup->windowTitle(), u"提醒 - 2008-03-01 07:30:00"_s);
    EXPECT_EQ(child<QGroupBox>(u"descriptionGroup")->title(), u"晨练 100% && %1"_s);
    EXPECT_FALSE(child<QLabel>(u"categoryIcon")->pixmap().isNull());
    EXPECT_EQ(child<QPushButton>(u"laterButton")->text(), u"稍后(&S)"_s);
    EXPECT_EQ(child<QPushButton>(u"editButton")->text(), u"编辑(&E)"_s);
    EXPECT_EQ(child<QPushButton>(u"deleteButton")->text(), u"删除(&D)"_s);
    EXPECT_EQ(child<QPushButton>(u"okButton")->text(), u"确定(&O)"_s);
    EXPECT_EQ(child<QPushButton>(u"laterButton")->menu(), child<QMenu>(u"snoozeMenu"));

    click(u"okButton");
    EXPECT_TRUE(popupClosed());
    EXPECT_EQ(data.Alarms.GetCount(), 2);
    EXPECT_TRUE(data.Snoozed.IsEmpty());
}

TEST_F(ReminderPopupTest, NeitherResizesNorHidesAnotherPopupOfTheSameSecond)
{
    open();
    EXPECT_EQ(popup->minimumSize(), popup->maximumSize());
    EXPECT_FALSE(popup->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    ReminderPopup second(data, fake.services(), task, {});
    second.show();
    ReminderPopup third(data, fake.services(), task, {});
    third.show();
    EXPECT_NE(second.pos(), popup->pos());
    EXPECT_NE(third.pos(), popup->pos());
    EXPECT_NE(third.pos(), second.pos());
}

TEST_F(ReminderPopupTest, RendersTheMessageInItsStoredFormatAndColours)
{
    task.Message = u"第一行\r\n第二行，加粗红字"_s;
    task.BackgroundColor = MakeColor(0xFF, 0xF4, 0xC0);
    task.MessageFont.FontMask = MessageFont::MaskBold | MessageFont::MaskItalic | MessageFont::MaskColor |
        MessageFont::MaskSize | MessageFont::MaskFace;
    task.MessageFont.FontEffect = MessageFont::EffectBold;
    task.MessageFont.FontColor = MakeColor(0xC0, 0x10, 0x20);
    task.MessageFont.FontHeight = 280; // 14 points
    task.MessageFont.SetFaceName(u"DejaVu Sans"_s);
    open();

    const QTextEdit *edit = child<QTextEdit>(u"messageEdit");
    EXPECT_TRUE(edit->isReadOnly());
    EXPECT_EQ(edit->toPlainText(), u"第一行\n第二行，加粗红字"_s);
    int fragments = 0;
    for (QTextBlock block = edit->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it, ++fragments) {
            const QTextCharFormat format = it.fragment().charFormat();
            EXPECT_EQ(format.fontWeight(), QFont::Bold);
            EXPECT_FALSE(format.fontItalic());
            EXPECT_EQ(format.foreground().color(), QColor(0xC0, 0x10, 0x20));
            EXPECT_EQ(format.fontPointSize(), 14.0);
            EXPECT_EQ(format.fontFamilies().toStringList(), QStringList {u"DejaVu Sans"_s});
        }
    }
    EXPECT_EQ(fragments, 2);

    // The box and the window around it take the task's background colour.
    const QImage shot = popup->grab().toImage();
    const QColor background(0xFF, 0xF4, 0xC0);
    const QWidget *viewport = edit->viewport();
    const QPoint insideBox = viewport->mapTo(popup.data(), QPoint(viewport->width() - 4, viewport->height() - 4));
    EXPECT_EQ(QColor(shot.pixel(insideBox * shot.devicePixelRatio())), background);
    EXPECT_EQ(QColor(shot.pixel(2, 2)), background);
}

TEST_F(ReminderPopupTest, EverySnoozeSpanIsCountedFromTheDueTime)
{
    open();
    QList<QPair<QString, int>> shown;
    for (QAction *item : snoozeItems())
        shown.append({item->text(), item->data().toInt()});
    ASSERT_EQ(shown, ExpectedSpans);

    for (int i = 0; i < ExpectedSpans.size(); ++i) {
        SCOPED_TRACE(ExpectedSpans[i].first.toStdString());
        data.Snoozed.RemoveAll();
        open();
        snoozeItems().at(i)->trigger();
        ASSERT_EQ(data.Snoozed.GetCount(), 1);
        const AlarmTask &copy = data.Snoozed.At(data.Snoozed.GetHeadPosition());
        EXPECT_EQ(copy.DateTime, Due.AddMinutes(ExpectedSpans[i].second));
        EXPECT_TRUE(popupClosed());
    }
}

TEST_F(ReminderPopupTest, TenMinutesMakesAnEntryAt0740KeepingEveryOtherFieldAndTheReportMode)
{
    open();
    snoozeItems().at(1)->trigger();
    ASSERT_EQ(data.Snoozed.GetCount(), 1);
    AlarmTask copy = data.Snoozed.At(data.Snoozed.GetHeadPosition());
    EXPECT_EQ(copy.DateTime, DateTime::FromParts(2008, 3, 1, 7, 40, 0));
    EXPECT_EQ(copy.SelfPosition, task.SelfPosition);
    copy.DateTime = task.DateTime;
    EXPECT_EQ(copy, task);
    // The task itself is untouched.
    EXPECT_EQ(data.Alarms.At(task.SelfPosition).DateTime, Due);
    EXPECT_TRUE(popupClosed());

    // A start-up task's copy stays one, so the tick never fires it.
    task.ReportMode = AlarmTask::AtEveryStart;
    open();
    snoozeItems().at(0)->trigger();
    ASSERT_EQ(data.Snoozed.GetCount(), 2);
    EXPECT_EQ(data.Snoozed.At(data.Snoozed.GetTailPosition()).ReportMode, AlarmTask::AtEveryStart);
}

TEST_F(ReminderPopupTest, ACategoryOutsideTheTableShowsNoIcon)
{
    task.Category = CategoryTable::Count;
    open();
    EXPECT_TRUE(child<QLabel>(u"categoryIcon")->isHidden());
}

TEST_F(ReminderPopupTest, ASnoozedCopyOpensAPopupThatStillReachesTheTask)
{
    open();
    snoozeItems().at(0)->trigger();
    const AlarmTask copy = data.Snoozed.At(data.Snoozed.GetHeadPosition());
    open(copy);
    EXPECT_EQ(popup->windowTitle(), u"提醒 - 2008-03-01 07:35:00"_s);
    answer(QMessageBox::Yes);
    click(u"deleteButton");
    EXPECT_FALSE(data.Alarms.Contains(task.SelfPosition));
    EXPECT_TRUE(data.Alarms.Contains(otherHandle));
}

TEST_F(ReminderPopupTest, DeleteAsksAndRemovesOnlyOnYes)
{
    open();
    answer(QMessageBox::No);
    click(u"deleteButton");
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].text, u"您确定删除该提醒任务吗？ '晨练 100% & %1'"_s);
    EXPECT_EQ(questions[0].icon, QMessageBox::Warning);
    EXPECT_EQ(questions[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(data.Alarms.GetCount(), 2);
    EXPECT_FALSE(popupClosed());

    answer(QMessageBox::Yes);
    click(u"deleteButton");
    EXPECT_FALSE(data.Alarms.Contains(task.SelfPosition));
    EXPECT_EQ(data.Alarms.GetCount(), 1);
    EXPECT_TRUE(data.Alarms.Contains(otherHandle));
    EXPECT_TRUE(popupClosed());
}

TEST_F(ReminderPopupTest, EditOpensTheEditorOnTheTaskAndCloses)
{
    open();
    click(u"editButton");
    EXPECT_EQ(edited, std::vector<EntryHandle> {task.SelfPosition});
    EXPECT_TRUE(popupClosed());

    delete popup;
    popup = new ReminderPopup(data, fake.services(), task, {});
    EXPECT_FALSE(child<QPushButton>(u"editButton")->isEnabled());
}

TEST_F(ReminderPopupTest, AVanishedOrMissingEntryMakesEditDeleteAndSnoozeHarmless)
{
    AlarmTask unlisted = task;
    unlisted.SelfPosition = {};
    const EntryHandle gone = task.SelfPosition;
    ASSERT_TRUE(data.Alarms.RemoveAt(gone));
    // A new task may take over the freed slot; the stale handle must not reach it.
    const EntryHandle newcomer = data.Alarms.AddTail(InitAlarmTask(Due));

    for (const AlarmTask &shown : {task, unlisted}) {
        open(shown);
        answer(QMessageBox::Yes);
        snoozeItems().at(0)->trigger();
        click(u"editButton");
        click(u"deleteButton");
        EXPECT_TRUE(data.Snoozed.IsEmpty());
        EXPECT_TRUE(edited.empty());
        EXPECT_TRUE(questions.empty());
        EXPECT_TRUE(data.Alarms.Contains(newcomer));
        EXPECT_TRUE(data.Alarms.Contains(otherHandle));
        EXPECT_FALSE(popupClosed());
    }
}

TEST(SnoozeTask, RefusesADueMomentBeyondTheSupportedRange)
{
    AlarmList alarms;
    SnoozeList snoozed;
    AlarmTask task = InitAlarmTask(DateTime::FromParts(9999, 12, 31, 23, 58, 0));
    task.SelfPosition = alarms.AddTail(task);
    EXPECT_FALSE(SnoozeTask(task, 5, alarms, snoozed));
    EXPECT_TRUE(snoozed.IsEmpty());
    EXPECT_TRUE(SnoozeTask(task, 1, alarms, snoozed));
    EXPECT_EQ(snoozed.At(snoozed.GetHeadPosition()).DateTime, DateTime::FromParts(9999, 12, 31, 23, 59, 0));
}
