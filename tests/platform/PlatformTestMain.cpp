// SPDX-License-Identifier: MIT
// The platform tests need a QGuiApplication (QDesktopServices) on the
// offscreen platform, and must never make a sound on the machine they run
// on: PulseAudio is pointed at a socket that does not exist before Qt
// looks for audio devices. Tests that play for real start a private sound
// server and run tests/platform/SoundProbe.cpp against it.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    qputenv("PULSE_SERVER",
            QFile::encodeName(QDir::tempPath() + QStringLiteral("/tockly-no-sound-server/native")).prepend("unix:"));
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
