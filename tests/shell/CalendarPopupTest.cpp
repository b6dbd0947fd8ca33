// SPDX-License-Identifier: MIT
#include "shell/CalendarPopup.h"

#include "editor/EditorFixture.h"
#include "editor/ReminderEditor.h"
#include "shell/CalendarPopups.h"

#include <QCalendarWidget>
#include <QCursor>
#include <QListWidget>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

class CalendarPopupTest : public EditorFixture
{
protected:
    EntryHandle add(const QString &description, const DateTime &due)
    {
        AlarmTask task = InitAlarmTask(fakes.clock);
        task.Description = description;
        task.DateTime = due;
        return data.Alarms.AddTail(task);
    }
    static QStringList lines(const CalendarPopup &popup)
    {
        QStringList texts;
        const auto *list = child<QListWidget>(&popup, "upcomingList");
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
        return texts;
    }
    static void doubleClick(CalendarPopup &popup, int row)
    {
        auto *list = child<QListWidget>(&popup, "upcomingList");
        const QPoint at = list->visualItemRect(list->item(row)).center();
        // A double click is a press, a release and then the double click.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }
};

} // namespace

TEST_F(CalendarPopupTest, ListsWhatIsAheadAndOpensItOnDoubleClick)
{
    const EntryHandle later = add(u"开会"_s, at(2026, 3, 12, 9, 0, 0));
    add(u"已过"_s, at(2026, 3, 9, 9, 0, 0));
    add(u"午饭"_s, at(2026, 3, 10, 12, 30, 0));
    CalendarPopup popup(data, services);
    popup.show();
    EXPECT_EQ(popup.windowTitle(), u"日历"_s);
    EXPECT_EQ(popup.palette().color(QPalette::Window), QColor(0xFF, 0xFF, 0xE7));
    const auto *calendar = child<QCalendarWidget>(&popup, "monthCalendar");
    EXPECT_EQ(calendar->firstDayOfWeek(), Qt::Monday);
    EXPECT_EQ(calendar->locale().language(), QLocale::Chinese);
    EXPECT_EQ(calendar->selectedDate(), QDate(2026, 3, 10)); // today by the program's clock
    EXPECT_EQ(lines(popup),
              (QStringList {u"午饭"_s + QString(18, u' ') + u"2026-03-10 12:30:00"_s,
                            u"开会"_s + QString(18, u' ') + u"2026-03-12 09:00:00"_s}));

    EntryHandle opened;
    QTimer::singleShot(0, [&opened] {
        if (auto *editor = qobject_cast<ReminderEditor *>(QApplication::activeModalWidget())) {
            opened = editor->entry();
            editor->reject();
        }
    });
    doubleClick(popup, 1);
    EXPECT_EQ(opened, later);
}

TEST_F(CalendarPopupTest, NothingAheadOpensNothing)
{
    CalendarPopup popup(data, services);
    popup.show();
    EXPECT_EQ(lines(popup), QStringList(u"最近无提醒任务"_s));
    bool opened = false;
    QTimer::singleShot(0, [&opened] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            opened = true;
            modal->close();
        }
    });
    doubleClick(popup, 0);
    QTest::qWait(20);
    EXPECT_FALSE(opened);
}

TEST_F(CalendarPopupTest, OnePopupFromTheMenuOrBesideTheClockUntilTheMouseLeavesBoth)
{
    CalendarPopups popups(data, services);
    QWidget clock;
    clock.setGeometry(600, 500, 160, 60);
    clock.show();

    popups.ShowBeside(clock);
    QPointer<CalendarPopup> hover = popups.Current();
    ASSERT_TRUE(hover);
    EXPECT_TRUE(hover->ShownByHover());
    EXPECT_EQ(hover->frameGeometry().bottom(), clock.frameGeometry().bottom());
    popups.ShowBeside(clock); // resting again opens no second one
    EXPECT_EQ(popups.Current(), hover);

    // On its way from the clock to the popup the mouse may cross nothing.
    QCursor::setPos(hover->frameGeometry().center());
    popups.ClockLeft();
    QTest::qWait(CalendarPopups::LeaveGraceMs + 100);
    ASSERT_TRUE(hover);
    QCursor::setPos(5, 5);
    Q_EMIT hover->MouseLeft();
    ASSERT_TRUE(QTest::qWaitFor([&] { return hover.isNull(); }, 2000));

    // The menu's popup stays, and asking again brings the same one.
    popups.ShowCentred();
    QPointer<CalendarPopup> menu = popups.Current();
    ASSERT_TRUE(menu);
    EXPECT_FALSE(menu->ShownByHover());
    popups.ClockLeft();
    popups.ShowBeside(clock);
    QTest::qWait(CalendarPopups::LeaveGraceMs + 100);
    EXPECT_TRUE(menu);
    popups.ShowCentred();
    EXPECT_EQ(popups.Current(), menu);
}

TEST(CalendarPopupPlacement, BesideTheClockWithBottomsInLine)
{
    const QRect screen(0, 0, 1280, 800);
    const QSize size(300, 360);
    // Room on the left: to the left; else to the right of the clock.
    EXPECT_EQ(CalendarPopups::PlaceBeside(QRect(600, 500, 160, 60), size, screen), QPoint(300, 200));
    EXPECT_EQ(CalendarPopups::PlaceBeside(QRect(100, 500, 160, 60), size, screen), QPoint(260, 200));
    // Kept on the screen near its top.
    EXPECT_EQ(CalendarPopups::PlaceBeside(QRect(600, 0, 160, 60), size, screen), QPoint(300, 0));
}
