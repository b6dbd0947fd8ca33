// SPDX-License-Identifier: MIT
#include "shell/SingleInstance.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QUuid>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

QString uniqueKey()
{
    return QStringLiteral("tockly-test-") + QUuid::createUuid().toString(QUuid::Id128);
}

std::unique_ptr<QProcess> start(const QString &key)
{
    auto process = std::make_unique<QProcess>();
    process->start(QStringLiteral(TOCKLY_SINGLE_INSTANCE_PROBE), {key});
    return process;
}

} // namespace

TEST(SingleInstance, ASecondStartShowsTheFirstAndEnds)
{
    const QString key = uniqueKey();
    auto first = start(key);
    ASSERT_TRUE(first->waitForReadyRead(5000));
    EXPECT_EQ(first->readLine().trimmed(), "first");

    QElapsedTimer elapsed;
    elapsed.start();
    auto second = start(key);
    ASSERT_TRUE(second->waitForFinished(5000));
    EXPECT_LT(elapsed.elapsed(), 2000);
    EXPECT_EQ(second->readAllStandardOutput().trimmed(), "second");
    EXPECT_EQ(second->exitCode(), 0);

    ASSERT_TRUE(first->waitForFinished(5000));
    EXPECT_EQ(first->readAllStandardOutput().trimmed().split('\n').front(), "shown");
    EXPECT_EQ(first->exitCode(), 0);
}

TEST(SingleInstance, StartsAtOnceLeaveExactlyOneRunning)
{
    const QString key = uniqueKey();
    std::vector<std::unique_ptr<QProcess>> processes;
    for (int i = 0; i < 5; ++i)
        processes.push_back(start(key));
    int firsts = 0;
    int seconds = 0;
    for (auto &process : processes) {
        ASSERT_TRUE(process->waitForFinished(10000));
        const QByteArray out = process->readAllStandardOutput();
        firsts += out.startsWith("first");
        seconds += out.startsWith("second");
    }
    EXPECT_EQ(firsts, 1);
    EXPECT_EQ(seconds, 4);
}

TEST(SingleInstance, KeysDifferPerProgramDirectory)
{
    EXPECT_NE(SingleInstance::KeyFor(QStringLiteral("/tmp/a")), SingleInstance::KeyFor(QStringLiteral("/tmp/b")));
    EXPECT_EQ(SingleInstance::KeyFor(QStringLiteral("/tmp/a")), SingleInstance::KeyFor(QStringLiteral("/tmp/a")));
}
