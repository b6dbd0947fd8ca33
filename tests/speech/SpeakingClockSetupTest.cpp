// SPDX-License-Identifier: MIT
#include "speech/SpeakingClockSetup.h"

#include "fakes/FakeServices.h"
#include "model/AppData.h"
#include "shell/ClockMenu.h"
#include "shell/MenuIds.h"
#include "widgets/MessageBoxes.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(SpeakingClockSetup, MenuCommandIsTheBusyFlag)
{
    QTemporaryDir dir;
    AppData data(dir.path());
    FakeServices fake;
    ClockMenu menu;
    const std::unique_ptr<SpeakingClock> speaker = CreateSpeakingClock(data, fake.services(), menu);
    QStringList told;
    MessageBoxes::SetAnswerer([&told](const MessageBoxes::Request &request) {
        told << request.text;
        return QMessageBox::Ok;
    });
    const QAction *command = menu.Action(MenuId::SpeakTime);

    // No pack anywhere: the user is told once, and the command stays off.
    menu.SetEnabled(MenuId::SpeakTime, true);
    speaker->AnnounceTimeThread();
    speaker->AnnounceTimeThread();
    QCoreApplication::processEvents();
    EXPECT_EQ(told, QStringList {QStringLiteral(u"找不到语音文件 Sona.tvp,请检查该文件是否存在!")});
    EXPECT_FALSE(command->isEnabled());

    // With the pack in the program directory: off while it plays, the
    // program's own chime first, on again at the end.
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Voice")));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TOCKLY_VOICE_PACK), data.FilePath(SpeakingClock::PackRelativePath)));
    menu.SetEnabled(MenuId::SpeakTime, true);
    speaker->AnnounceTimeThread();
    EXPECT_FALSE(command->isEnabled());
    ASSERT_EQ(fake.sound.waves.size(), 1);
    EXPECT_EQ(fake.sound.waves[0], SpeakingClock::BuiltInChime(6000));
    EXPECT_FALSE(fake.sound.waves[0].isEmpty());
    while (!fake.sound.pending.empty())
        fake.sound.FinishAll();
    EXPECT_EQ(fake.sound.waves.size(), 2); // the chime, then preface and words as one
    EXPECT_TRUE(command->isEnabled());
    EXPECT_EQ(told.size(), 1);
    MessageBoxes::SetAnswerer({});
}
