// SPDX-License-Identifier: MIT
#include "firing/ReminderFirer.h"

#include "fakes/FakeServices.h"
#include "firing/CountdownDialog.h"
#include "firing/ReminderPopup.h"
#include "model/AppData.h"

#include <QApplication>
#include <QPointer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

template<class Window> QList<Window *> openWindows()
{
    QList<Window *> found;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *window = qobject_cast<Window *>(widget); window && !widget->isHidden())
            found << window;
    }
    return found;
}

void closeAll()
{
    // Deleting a window deletes its own top-level children (menus) too, so
    // pick the windows first.
    QList<QPointer<QWidget>> windows;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<ReminderPopup *>(widget) || qobject_cast<CountdownDialog *>(widget))
            windows << widget;
    }
    for (const QPointer<QWidget> &window : windows)
        delete window.data();
}

class ReminderFirerTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    AppData data {dir.path()};
    FakeServices fakes;
    QList<AlarmTask> ringing;
    int announcements = 0;
    ReminderFirer firer {data, fakes.services(), hooks()};

    ReminderFirer::Hooks hooks()
    {
        ReminderFirer::Hooks h;
        h.announceTime = [this] {
            ++announcements;
        };
        h.fired = [this](const AlarmTask &task) {
            ringing << task;
        };
        return h;
    }

    AlarmTask task()
    {
        AlarmTask t = InitAlarmTask(fakes.clock);
        t.Description = QStringLiteral(u"开会");
        return t;
    }

    void TearDown() override { closeAll(); }
};

} // namespace

TEST_F(ReminderFirerTest, ABareTaskOnlyAnnouncesAndRings)
{
    firer.FireTask(task());
    EXPECT_EQ(announcements, 1);
    ASSERT_EQ(ringing.size(), 1);
    EXPECT_TRUE(openWindows<ReminderPopup>().isEmpty());
    EXPECT_TRUE(fakes.sound.played.isEmpty());
    EXPECT_TRUE(fakes.shell.opened.isEmpty());
}

TEST_F(ReminderFirerTest, TheActionWaitsForTheSoundToEnd)
{
    AlarmTask t = task();
    t.Message = QStringLiteral("message");
    t.SoundFile = QStringLiteral("/sounds/ring.wav");
    t.ActionMode = AlarmTask::OpenFile;
    t.FilePath = dir.path();
    firer.FireTask(t);
    EXPECT_EQ(openWindows<ReminderPopup>().size(), 1);
    EXPECT_EQ(fakes.sound.played, QStringList {QStringLiteral("/sounds/ring.wav")});
    EXPECT_TRUE(fakes.shell.opened.isEmpty());
    EXPECT_EQ(ringing.size(), 1); // the tray rings while the sound plays
    fakes.sound.FinishAll(true);
    EXPECT_EQ(fakes.shell.opened, QStringList {dir.path()});
}

TEST_F(ReminderFirerTest, CountdownActionsOpenOneDialogPerTask)
{
    AlarmTask t = task();
    t.ActionMode = AlarmTask::ShutDown;
    t.ActionOption = 1;
    firer.FireTask(t);
    firer.FireTask(t);
    EXPECT_EQ(openWindows<CountdownDialog>().size(), 2);
    EXPECT_TRUE(fakes.power.actions.isEmpty());

    t.ActionOption = 0;
    firer.FireTask(t);
    EXPECT_EQ(fakes.power.actions, QStringList {QStringLiteral("poweroff")});
}
