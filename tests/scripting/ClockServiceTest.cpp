// SPDX-License-Identifier: MIT
// The scripting object in the program, without a bus: changes reach the
// open task manager, refusals change nothing, the popup and quit hooks run.
#include "scripting/ClockService.h"

#include "../editor/EditorFixture.h"
#include "scripting/ClockBus.h"
#include "taskmanager/TaskManagerWindow.h"
#include "taskmanager/TaskTableModel.h"

#include <QPointer>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

class ClockServiceTest : public EditorFixture
{
protected:
    void TearDown() override
    {
        delete TaskManagerWindow::Instance();
        // Deleting one popup can take other windows with it.
        QList<QPointer<ReminderPopup>> popups;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *popup = qobject_cast<ReminderPopup *>(w))
                popups.append(popup);
        }
        qDeleteAll(popups);
        EditorFixture::TearDown();
    }

    int quits = 0;
    int announcements = 0;
    ClockService service {data, services, {[this] { ++announcements; }, [this] { ++quits; }, {}}};
};

} // namespace

TEST_F(ClockServiceTest, AddedRemindersShowInTheOpenTaskManagerAndRefusalsChangeNothing)
{
    TaskManagerWindow *manager = TaskManagerWindow::Open(data, services);
    TaskTableModel *rows = manager->model(TaskManagerWindow::AlarmsTab);
    const QString id = service.AddReminder(u"2026-12-24 18:00"_s, u"订餐厅"_s, {});
    ASSERT_FALSE(id.isEmpty());
    EXPECT_EQ(rows->rowCount(), 1);
    const EntryHandle entry = *ParseReminderId(id);
    EXPECT_EQ(data.Alarms.At(entry).SelfPosition, entry);
    EXPECT_EQ(data.Alarms.At(entry).Description, u"订餐厅"_s);

    for (const auto &[when, description] : {std::pair {u"2026-03-10 12:00"_s, u"过去了"_s},
                                            std::pair {u"明天"_s, u"x"_s}, std::pair {u"2026-12-24 18:00"_s, u""_s}})
        EXPECT_TRUE(service.AddReminder(when, description, {}).isEmpty());
    EXPECT_EQ(data.Alarms.GetCount(), 1);
    EXPECT_EQ(rows->rowCount(), 1);

    const UpcomingEntries upcoming = service.ListUpcoming();
    ASSERT_EQ(upcoming.size(), 1);
    EXPECT_EQ(upcoming.front().id, id);
    EXPECT_EQ(upcoming.front().due, u"2026-12-24 18:00:00"_s);

    service.ShowPopup(u"77.1"_s);
    service.ShowPopup(id);
    QStringList popups;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (qobject_cast<ReminderPopup *>(w) && w->isVisible())
            popups << w->windowTitle();
    }
    EXPECT_EQ(popups, QStringList {u"提醒 - 2026-12-24 18:00:00"_s});

    service.Snooze(id, 10);
    EXPECT_EQ(data.Snoozed.GetCount(), 1);
}

TEST_F(ClockServiceTest, QuitTakesTheExitPathOnceTheAnswerIsOut)
{
    service.SpeakTime();
    EXPECT_EQ(announcements, 1);
    service.Quit();
    EXPECT_EQ(quits, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(quits, 1);
}
