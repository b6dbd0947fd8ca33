// SPDX-License-Identifier: MIT
// Loading when memory runs out. This test program replaces the global
// operator new so that it can make the task list fail to grow; it runs on
// its own, apart from the other core tests.
#include "fakes/FakeClock.h"
#include "model/AlarmFile.h"
#include "model/ProfileFile.h"

#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>
#include <new>

namespace {

// Allocations still allowed before operator new throws; negative = no limit.
int allowedAllocations = -1;

} // namespace

void *operator new(std::size_t size)
{
    if (allowedAllocations == 0)
        throw std::bad_alloc();
    if (allowedAllocations > 0)
        --allowedAllocations;
    if (void *p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void *p) noexcept
{
    std::free(p);
}

void operator delete(void *p, std::size_t) noexcept
{
    std::free(p);
}

TEST(AppendFailure, LoadingStopsAndKeepsTheTasksSoFar)
{
    QTemporaryDir dir;
    const FakeClock clock(DateTime::FromParts(2026, 3, 10, 12, 0, 0));
    const QString path = dir.filePath(QStringLiteral("alarms.lst"));
    {
        AlarmList list;
        for (int i = 0; i < 3; ++i) {
            AlarmTask task = InitAlarmTask(clock);
            task.Description = QString::number(i);
            list.AddTail(task);
        }
        ProfileFile file(path);
        SaveAlarmFile(file, list);
        ASSERT_TRUE(file.Save());
    }
    const ProfileFile file(path);

    AlarmList list;
    allowedAllocations = 0;
    const LoadResult nothing = LoadAlarmFile(file, list, clock);
    allowedAllocations = -1;
    EXPECT_EQ(nothing, LoadResult::AppendFailed);
    EXPECT_EQ(list.GetCount(), 0);

    allowedAllocations = 2; // the list grows twice, then fails
    const LoadResult some = LoadAlarmFile(file, list, clock);
    allowedAllocations = -1;
    EXPECT_EQ(some, LoadResult::AppendFailed);
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.At(list.GetTailPosition()).Description, QStringLiteral("1"));

    EXPECT_EQ(LoadAlarmFile(file, list, clock), LoadResult::Loaded);
    EXPECT_EQ(list.GetCount(), 3);
}
