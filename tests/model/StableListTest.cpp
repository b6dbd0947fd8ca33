// SPDX-License-Identifier: MIT
#include "model/StableList.h"

#include <QString>
#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<int> contents(const StableList<int> &list)
{
    std::vector<int> out;
    for (EntryHandle h = list.GetHeadPosition(); h; h = list.GetNextPosition(h))
        out.push_back(list.At(h));
    return out;
}

} // namespace

TEST(StableList, KeepsOrderAndHandlesWhileOthersComeAndGo)
{
    StableList<int> list;
    const EntryHandle a = list.AddTail(1);
    const EntryHandle b = list.AddTail(2);
    const EntryHandle c = list.AddTail(3);
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(contents(list), (std::vector<int> {1, 2, 3}));

    EXPECT_TRUE(list.RemoveAt(b));
    const EntryHandle d = list.AddTail(4); // reuses b's slot
    for (int i = 0; i < 100; ++i)
        list.AddTail(100 + i); // forces the storage to grow
    EXPECT_EQ(list.At(a), 1);
    EXPECT_EQ(list.At(c), 3);
    EXPECT_EQ(list.At(d), 4);
    EXPECT_EQ(list.GetCount(), 103);
    EXPECT_EQ(list.GetNextPosition(a), c);
    EXPECT_EQ(list.GetPrevPosition(d), c);

    EXPECT_TRUE(list.SetAt(c, 30));
    EXPECT_EQ(list.At(c), 30);
}

TEST(StableList, RemovedEntriesLeaveStaleHandlesThatAreRecognised)
{
    StableList<QString> list;
    const EntryHandle a = list.AddTail(QStringLiteral("a"));
    const EntryHandle b = list.AddTail(QStringLiteral("b"));
    ASSERT_TRUE(list.RemoveAt(a));
    // The slot is recycled for a new entry; the old handle must not see it.
    const EntryHandle reused = list.AddTail(QStringLiteral("new"));
    EXPECT_EQ(reused.index, a.index);
    EXPECT_FALSE(list.Contains(a));
    EXPECT_EQ(list.Find(a), nullptr);
    EXPECT_FALSE(list.SetAt(a, QStringLiteral("overwrite")));
    EXPECT_FALSE(list.RemoveAt(a));
    EXPECT_THROW(list.At(a), std::out_of_range);
    EXPECT_TRUE(list.GetNextPosition(a).IsNull());
    EXPECT_EQ(list.At(reused), QStringLiteral("new"));
    EXPECT_EQ(list.GetHeadPosition(), b);

    EXPECT_FALSE(list.Contains(EntryHandle {}));
    EXPECT_FALSE(list.Contains(EntryHandle {999, 1}));

    list.RemoveAll();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_FALSE(list.Contains(b));
    EXPECT_TRUE(list.GetHeadPosition().IsNull());
}

TEST(StableList, RemovingWhileWalkingWithTheNextHandleTakenFirst)
{
    StableList<int> list;
    for (int i = 0; i < 10; ++i)
        list.AddTail(i);
    for (EntryHandle h = list.GetHeadPosition(); h;) {
        const EntryHandle next = list.GetNextPosition(h);
        if (list.At(h) % 2 == 0)
            list.RemoveAt(h);
        h = next;
    }
    EXPECT_EQ(contents(list), (std::vector<int> {1, 3, 5, 7, 9}));
    EXPECT_EQ(list.GetTailPosition(), list.GetNextPosition(list.GetPrevPosition(list.GetTailPosition())));
}

TEST(StableList, ObserversHearEveryChange)
{
    struct Recorder : ListObserver
    {
        std::vector<QString> events;
        void EntryAdded(EntryHandle) override { events.push_back(QStringLiteral("add")); }
        void EntryChanged(EntryHandle) override { events.push_back(QStringLiteral("change")); }
        void EntryRemoving(EntryHandle) override { events.push_back(QStringLiteral("remove")); }
        void ListReset() override { events.push_back(QStringLiteral("reset")); }
    } recorder;
    StableList<int> list;
    list.AddObserver(&recorder);
    const EntryHandle h = list.AddTail(1);
    list.SetAt(h, 2);
    list.SetAt(EntryHandle {}, 3);
    list.RemoveAt(h);
    list.RemoveAll();
    list.RemoveObserver(&recorder);
    list.AddTail(5);
    EXPECT_EQ(recorder.events,
              (std::vector<QString> {QStringLiteral("add"), QStringLiteral("change"), QStringLiteral("remove"),
                                     QStringLiteral("reset")}));
}
