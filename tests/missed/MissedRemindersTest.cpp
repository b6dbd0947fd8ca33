// SPDX-License-Identifier: MIT
// The "错过的提醒" window: one window that gathers what was missed, the
// popup a row opens, and the switch that turns it all off.
#include "missed/MissedReminders.h"

#include "../editor/EditorFixture.h"
#include "missed/MissedRemindersWindow.h"

#include <QCheckBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

class MissedRemindersTest : public EditorFixture
{
protected:
    void TearDown() override
    {
        // Deleting one popup can take other windows with it.
        QList<QPointer<ReminderPopup>> popups;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *popup = qobject_cast<ReminderPopup *>(w))
                popups.append(popup);
        }
        qDeleteAll(popups);
        EditorFixture::TearDown();
    }

    MissedReminder missed(const QString &name, const DateTime &due, int action = AlarmTask::OpenFile)
    {
        AlarmTask t = InitAlarmTask(due);
        t.Description = name;
        t.Message = name + u"的内容"_s;
        t.ActionMode = action;
        t.SelfPosition = data.Alarms.AddTail(t);
        return {t.SelfPosition, t};
    }
    QStringList rows() const
    {
        QStringList texts;
        QTreeWidget *list = child<QTreeWidget>(notifier.Window(), "missedList");
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            texts << list->topLevelItem(i)->text(0) + u' ' + list->topLevelItem(i)->text(1);
        return texts;
    }

    QStringList balloons;
    int settingsSaved = 0;
    MissedReminders notifier {data,
                              services,
                              {[this](const QString &, const QString &text) { balloons << text; },
                               {},
                               [this] {
                                   ++settingsSaved;
                               }}};
};

} // namespace

TEST_F(MissedRemindersTest, OneWindowGathersEachMissedMomentOnceInOrder)
{
    const MissedReminder early = missed(u"早会"_s, at(2026, 3, 10, 9));
    const MissedReminder late = missed(u"午饭"_s, at(2026, 3, 10, 11, 30));
    notifier.Report({late, early});
    ASSERT_TRUE(notifier.Window() && notifier.Window()->isVisible());
    EXPECT_EQ(notifier.Window()->windowTitle(), u"错过的提醒"_s);
    EXPECT_EQ(rows(), (QStringList {u"早会 2026-03-10 09:00:00"_s, u"午饭 2026-03-10 11:30:00"_s}));
    EXPECT_EQ(balloons, QStringList {u"有 2 个提醒到期时没能按时显示。"_s});

    // More while it is open: the same window, the same moment only once.
    notifier.Window()->hide();
    notifier.Report({early, missed(u"十点"_s, at(2026, 3, 10, 10))});
    EXPECT_TRUE(notifier.Window()->isVisible());
    EXPECT_EQ(rows().size(), 3);
    EXPECT_EQ(rows()[1], u"十点 2026-03-10 10:00:00"_s);
    EXPECT_EQ(balloons.last(), u"有 1 个提醒到期时没能按时显示。"_s);
    notifier.Report({late});
    EXPECT_EQ(balloons.size(), 2);

    QTest::mouseClick(child<QPushButton>(notifier.Window(), "dismissAllButton"), Qt::LeftButton);
    EXPECT_FALSE(notifier.Window()->isVisible());
    EXPECT_TRUE(rows().isEmpty());
}

TEST_F(MissedRemindersTest, ARowShowsItsPopupButNeverRunsTheAction)
{
    notifier.Report({missed(u"关机"_s, at(2026, 3, 10, 8), AlarmTask::ShutDown)});
    QTreeWidget *list = child<QTreeWidget>(notifier.Window(), "missedList");
    EXPECT_EQ(list->topLevelItem(0)->text(2), u"4 小时前"_s);
    EXPECT_EQ(list->topLevelItem(0)->text(3), u"关机（未执行）"_s);
    Q_EMIT list->itemActivated(list->topLevelItem(0), 0);
    QStringList popups;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (qobject_cast<ReminderPopup *>(w) && w->isVisible())
            popups << w->windowTitle();
    }
    EXPECT_EQ(popups, QStringList {u"提醒 - 2026-03-10 08:00:00"_s});
    EXPECT_TRUE(fakes.power.actions.isEmpty());
}

TEST_F(MissedRemindersTest, SwitchedOffNothingShows)
{
    notifier.Report({missed(u"一"_s, at(2026, 3, 10, 9))});
    child<QCheckBox>(notifier.Window(), "showMissedCheck")->setChecked(false);
    EXPECT_EQ(data.Settings.Extra.ShowMissed, 0);
    EXPECT_EQ(settingsSaved, 1);
    notifier.Window()->close();
    notifier.Report({missed(u"二"_s, at(2026, 3, 10, 10))});
    EXPECT_FALSE(notifier.Window()->isVisible());
    EXPECT_EQ(rows().size(), 1);
    EXPECT_EQ(balloons.size(), 1);
}

TEST(MissedRemindersWindow, HowLongAgo)
{
    const DateTime now = DateTime::FromParts(2026, 3, 10, 12, 0, 0);
    const QList<QPair<qint64, QString>> cases {
        {0, u"刚刚"_s},        {59, u"刚刚"_s},
        {60, u"1 分钟前"_s},   {3599, u"59 分钟前"_s},
        {3600, u"1 小时前"_s}, {3600 + 600, u"1 小时 10 分钟前"_s},
        {86400, u"1 天前"_s},  {3 * 86400 + 4 * 3600 + 59, u"3 天 4 小时前"_s},
    };
    for (const auto &[seconds, text] : cases)
        EXPECT_EQ(MissedRemindersWindow::AgoText(now.AddSeconds(-seconds), now), text) << seconds;
}
