// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>
#include <algorithm>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <vector>

// Identifies one entry of a StableList. A handle stays valid while other
// entries come and go; once its own entry is removed the handle goes stale,
// and every list operation recognises it as such (the slot's generation no
// longer matches), so a window holding a handle to a deleted entry can tell.
struct EntryHandle
{
    quint32 index = 0;
    quint32 generation = 0; // 0 = null handle; live slots start at 1

    bool IsNull() const { return generation == 0; }
    explicit operator bool() const { return !IsNull(); }
    friend bool operator==(const EntryHandle &, const EntryHandle &) = default;
};

// Told about every change of a list it is attached to.
class ListObserver
{
public:
    virtual ~ListObserver() = default;
    virtual void EntryAdded(EntryHandle) { }
    virtual void EntryChanged(EntryHandle) { }
    // Called before the entry goes, while it can still be read.
    virtual void EntryRemoving(EntryHandle) { }
    virtual void ListReset() { }
};

// An ordered collection with append at the tail, removal anywhere and
// verifiable entry handles. Entries live in recycled slots; each slot carries
// a generation that is bumped on removal, which is what makes stale handles
// detectable without ever touching freed memory.
template<class T> class StableList
{
public:
    StableList() = default;
    StableList(const StableList &) = delete;
    StableList &operator=(const StableList &) = delete;

    int GetCount() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }
    // Makes room for count entries in all, so that filling a list does not
    // move its entries again and again.
    void Reserve(int count) { m_slots.reserve(size_t(std::max(count, 0))); }
    // Counts the changes: a different value means entries were added,
    // replaced or removed since it was last read. Cheaper than an observer
    // for a reader that only needs to know whether what it derived is stale.
    quint64 Revision() const { return m_revision; }

    EntryHandle GetHeadPosition() const { return handleOf(m_head); }
    EntryHandle GetTailPosition() const { return handleOf(m_tail); }
    // The entry after h; null at the tail or when h is stale.
    EntryHandle GetNextPosition(EntryHandle h) const
    {
        return Contains(h) ? handleOf(m_slots[h.index].next) : EntryHandle {};
    }
    EntryHandle GetPrevPosition(EntryHandle h) const
    {
        return Contains(h) ? handleOf(m_slots[h.index].prev) : EntryHandle {};
    }

    bool Contains(EntryHandle h) const
    {
        return !h.IsNull() && h.index < m_slots.size() && m_slots[h.index].generation == h.generation &&
            m_slots[h.index].value.has_value();
    }

    // The entry's value, or nullptr when the handle is null or stale.
    const T *Find(EntryHandle h) const { return Contains(h) ? &*m_slots[h.index].value : nullptr; }

    // The entry's value; throws std::out_of_range for a null or stale handle.
    const T &At(EntryHandle h) const
    {
        if (!Contains(h))
            throw std::out_of_range("stale list handle");
        return *m_slots[h.index].value;
    }

    // Appends at the tail and returns the new entry's handle.
    EntryHandle AddTail(const T &value)
    {
        const quint32 index = takeFreeSlot();
        Slot &slot = m_slots[index];
        slot.value = value;
        slot.prev = m_tail;
        slot.next = NoSlot;
        if (m_tail != NoSlot)
            m_slots[m_tail].next = index;
        else
            m_head = index;
        m_tail = index;
        ++m_count;
        ++m_revision;
        const EntryHandle h {index, slot.generation};
        for (ListObserver *o : m_observers)
            o->EntryAdded(h);
        return h;
    }

    // Replaces the value at h; false when h is stale.
    bool SetAt(EntryHandle h, const T &value)
    {
        if (!Contains(h))
            return false;
        m_slots[h.index].value = value;
        ++m_revision;
        for (ListObserver *o : m_observers)
            o->EntryChanged(h);
        return true;
    }

    // Removes the entry at h; false when h is stale.
    bool RemoveAt(EntryHandle h)
    {
        if (!Contains(h))
            return false;
        for (ListObserver *o : m_observers)
            o->EntryRemoving(h);
        Slot &slot = m_slots[h.index];
        if (slot.prev != NoSlot)
            m_slots[slot.prev].next = slot.next;
        else
            m_head = slot.next;
        if (slot.next != NoSlot)
            m_slots[slot.next].prev = slot.prev;
        else
            m_tail = slot.prev;
        release(h.index);
        --m_count;
        ++m_revision;
        return true;
    }

    void RemoveAll()
    {
        for (quint32 i = m_head; i != NoSlot;) {
            const quint32 next = m_slots[i].next;
            release(i);
            i = next;
        }
        m_head = m_tail = NoSlot;
        m_count = 0;
        ++m_revision;
        for (ListObserver *o : m_observers)
            o->ListReset();
    }

    // Calls f(handle, value) for each entry from head to tail. f must not
    // change the list; walk with GetNextPosition for that.
    template<class F> void ForEach(F &&f) const
    {
        for (quint32 i = m_head; i != NoSlot; i = m_slots[i].next)
            f(EntryHandle {i, m_slots[i].generation}, *m_slots[i].value);
    }

    void AddObserver(ListObserver *observer) { m_observers.push_back(observer); }
    void RemoveObserver(ListObserver *observer) { std::erase(m_observers, observer); }

private:
    static constexpr quint32 NoSlot = UINT32_MAX;

    struct Slot
    {
        std::optional<T> value;
        quint32 generation = 1;
        quint32 prev = NoSlot;
        quint32 next = NoSlot; // doubles as the free chain's link
    };

    EntryHandle handleOf(quint32 index) const
    {
        return index == NoSlot ? EntryHandle {} : EntryHandle {index, m_slots[index].generation};
    }

    quint32 takeFreeSlot()
    {
        if (m_free == NoSlot) {
            m_slots.emplace_back();
            return quint32(m_slots.size() - 1);
        }
        const quint32 index = m_free;
        m_free = m_slots[index].next;
        return index;
    }

    void release(quint32 index)
    {
        Slot &slot = m_slots[index];
        slot.value.reset();
        if (++slot.generation == 0) // keep 0 for the null handle
            slot.generation = 1;
        slot.prev = NoSlot;
        slot.next = m_free;
        m_free = index;
    }

    std::vector<Slot> m_slots;
    std::vector<ListObserver *> m_observers;
    quint32 m_head = NoSlot;
    quint32 m_tail = NoSlot;
    quint32 m_free = NoSlot;
    int m_count = 0;
    quint64 m_revision = 0;
};
