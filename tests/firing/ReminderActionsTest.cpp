// SPDX-License-Identifier: MIT
// Carrying out a task's action, at once or after the countdown dialog.
#include "fakes/FakeServices.h"
#include "firing/CountdownDialog.h"
#include "firing/PerformAction.h"

#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

AlarmTask taskWithAction(int mode, int seconds, const QString &filePath = {})
{
    AlarmTask task = InitAlarmTask(DateTime::FromParts(2026, 3, 1, 7, 30, 0));
    task.ActionMode = mode;
    task.ActionOption = 1;
    task.Countdownsec = seconds;
    task.FilePath = filePath;
    return task;
}

// One second of the dialog's count.
void tick(CountdownDialog *dialog)
{
    ASSERT_TRUE(QMetaObject::invokeMethod(dialog, "onTick"));
}

bool deleted(const QPointer<CountdownDialog> &dialog)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return dialog.isNull();
}

} // namespace

TEST(PerformAction, OpensTheFileHonouringTheExistenceTest)
{
    FakeServices fake;
    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("run.sh"));
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString missing = dir.filePath(QStringLiteral("gone.txt"));

    PerformAction(AlarmTask::OpenFile, existing, true, fake.power, fake.shell);
    PerformAction(AlarmTask::OpenFile, missing, true, fake.power, fake.shell);
    PerformAction(AlarmTask::OpenFile, missing, false, fake.power, fake.shell);
    PerformAction(AlarmTask::OpenFile, QString(), false, fake.power, fake.shell);

    EXPECT_EQ(fake.shell.opened, (QStringList {existing, missing}));
    EXPECT_TRUE(fake.power.actions.isEmpty());
}

TEST(PerformAction, PowerModesAskThePowerServiceAndNothingElse)
{
    const QStringList expected {u"logoff"_s, u"reboot"_s, u"poweroff"_s, u"suspend"_s};
    for (int mode = AlarmTask::LogOff; mode <= AlarmTask::Standby; ++mode) {
        SCOPED_TRACE(mode);
        FakeServices fake;
        PerformAction(mode, QStringLiteral("/bin/true"), false, fake.power, fake.shell);
        EXPECT_EQ(fake.power.actions, QStringList {expected.at(mode - 1)});
        EXPECT_TRUE(fake.shell.opened.isEmpty());
    }
    FakeServices fake;
    for (int mode : {-1, 5, 99})
        PerformAction(mode, QStringLiteral("/bin/true"), false, fake.power, fake.shell);
    EXPECT_TRUE(fake.power.actions.isEmpty());
    EXPECT_TRUE(fake.shell.opened.isEmpty());
}

TEST(CountdownDialog, ShowsTheActionTheCountAndTheButtons)
{
    FakeServices fake;
    auto *dialog = new CountdownDialog(taskWithAction(AlarmTask::ShutDown, 30), fake.power, fake.shell);
    dialog->show();

    EXPECT_EQ(dialog->findChild<QLabel *>(u"messageLabel"_s)->text(),
              u"计算机将在30秒后自动关机.如果你想取消该任务的执行，请立刻按下取消按钮！"_s);
    const auto *bar = dialog->findChild<QProgressBar *>(u"countdownProgress"_s);
    EXPECT_EQ(bar->minimum(), 1);
    EXPECT_EQ(bar->maximum(), 30);
    EXPECT_EQ(bar->value(), 1);
    const auto *now = dialog->findChild<QPushButton *>(u"performNowButton"_s);
    EXPECT_EQ(now->text(), u"立刻执行(&T).."_s);
    EXPECT_TRUE(now->isDefault());
    EXPECT_EQ(dialog->findChild<QPushButton *>(u"cancelButton"_s)->text(), u"取消(&C)"_s);
    const auto *timer = dialog->findChild<QTimer *>(u"countdownTimer"_s);
    ASSERT_TRUE(timer);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 1000);
    dialog->close();
}

TEST(CountdownDialog, ActsAtTheLastSecondOfTheCountAndCloses)
{
    FakeServices fake;
    QPointer<CountdownDialog> dialog =
        new CountdownDialog(taskWithAction(AlarmTask::ShutDown, 30), fake.power, fake.shell);
    dialog->show();
    for (int second = 1; second < 30; ++second)
        tick(dialog);
    EXPECT_TRUE(fake.power.actions.isEmpty());
    EXPECT_EQ(dialog->findChild<QProgressBar *>(u"countdownProgress"_s)->value(), 30);

    tick(dialog);
    EXPECT_EQ(fake.power.actions, QStringList {u"poweroff"_s});
    EXPECT_TRUE(deleted(dialog));
}

TEST(CountdownDialog, ACountOfOneOrLessActsAfterOneSecond)
{
    for (int seconds : {1, 0}) {
        SCOPED_TRACE(seconds);
        FakeServices fake;
        QPointer<CountdownDialog> dialog =
            new CountdownDialog(taskWithAction(AlarmTask::Standby, seconds), fake.power, fake.shell);
        EXPECT_EQ(dialog->countdownSeconds(), 1);
        tick(dialog);
        EXPECT_EQ(fake.power.actions, QStringList {u"suspend"_s});
        EXPECT_TRUE(deleted(dialog));
    }
}

TEST(CountdownDialog, PerformNowActsAtOnceWithoutTheExistenceTest)
{
    FakeServices fake;
    const QString missing = QStringLiteral("/nonexistent/tockly/report.txt");
    QPointer<CountdownDialog> dialog =
        new CountdownDialog(taskWithAction(AlarmTask::OpenFile, 30, missing), fake.power, fake.shell);
    dialog->show();
    tick(dialog);
    QTest::mouseClick(dialog->findChild<QPushButton *>(u"performNowButton"_s), Qt::LeftButton);
    EXPECT_EQ(fake.shell.opened, QStringList {missing});
    EXPECT_TRUE(deleted(dialog));
}

TEST(CountdownDialog, CancelPerformsNothing)
{
    FakeServices fake;
    QPointer<CountdownDialog> dialog =
        new CountdownDialog(taskWithAction(AlarmTask::Restart, 2), fake.power, fake.shell);
    dialog->show();
    tick(dialog);
    const QPointer<QTimer> timer = dialog->findChild<QTimer *>(u"countdownTimer"_s);
    ASSERT_TRUE(timer);
    QTest::mouseClick(dialog->findChild<QPushButton *>(u"cancelButton"_s), Qt::LeftButton);
    EXPECT_TRUE(!timer || !timer->isActive());
    EXPECT_TRUE(deleted(dialog));
    QTest::qWait(50);
    EXPECT_TRUE(fake.power.actions.isEmpty());
}

TEST(CountdownDialog, TwoDialogsCountIndependently)
{
    FakeServices fake;
    QPointer<CountdownDialog> logOff =
        new CountdownDialog(taskWithAction(AlarmTask::LogOff, 3), fake.power, fake.shell);
    QPointer<CountdownDialog> reboot =
        new CountdownDialog(taskWithAction(AlarmTask::Restart, 2), fake.power, fake.shell);
    logOff->show();
    reboot->show();
    tick(logOff);
    tick(reboot);
    QTest::mouseClick(logOff->findChild<QPushButton *>(u"cancelButton"_s), Qt::LeftButton);
    EXPECT_TRUE(deleted(logOff));
    ASSERT_FALSE(reboot.isNull());
    EXPECT_TRUE(fake.power.actions.isEmpty());
    tick(reboot);
    EXPECT_EQ(fake.power.actions, QStringList {u"reboot"_s});
    EXPECT_TRUE(deleted(reboot));
}
