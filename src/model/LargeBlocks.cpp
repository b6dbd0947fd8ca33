// SPDX-License-Identifier: MIT
#include "model/LargeBlocks.h"

#include <cstdint>
#include <new>
#include <sys/mman.h>

namespace {

constexpr size_t LargeRequest = size_t(1) << 20;
// Huge pages are 2 MiB on x86-64 and most 64-bit ARM systems; a block laid
// out on that grid can be backed by them entirely.
constexpr size_t HugePage = size_t(2) << 20;

size_t roundedUp(size_t bytes)
{
    return (bytes + HugePage - 1) & ~(HugePage - 1);
}

class LargeBlockResource final : public std::pmr::memory_resource
{
    void *do_allocate(size_t bytes, size_t alignment) override
    {
        if (bytes < LargeRequest || alignment > HugePage)
            return ::operator new(bytes, std::align_val_t(alignment));
        // Mapped with a huge page's worth to spare, then trimmed to the
        // grid: mmap itself only aligns to the base page size.
        const size_t size = roundedUp(bytes);
        if (size < bytes || size + HugePage < size)
            throw std::bad_alloc();
        void *mapped = mmap(nullptr, size + HugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == MAP_FAILED)
            throw std::bad_alloc();
        const auto start = reinterpret_cast<uintptr_t>(mapped);
        const uintptr_t aligned = (start + HugePage - 1) & ~uintptr_t(HugePage - 1);
        if (aligned > start)
            munmap(mapped, aligned - start);
        const uintptr_t tail = aligned + size;
        if (start + size + HugePage > tail)
            munmap(reinterpret_cast<void *>(tail), start + size + HugePage - tail);
#ifdef MADV_HUGEPAGE
        // Only advice: without transparent huge pages the block works as is.
        madvise(reinterpret_cast<void *>(aligned), size, MADV_HUGEPAGE);
#endif
        return reinterpret_cast<void *>(aligned);
    }

    void do_deallocate(void *p, size_t bytes, size_t alignment) override
    {
        if (bytes < LargeRequest || alignment > HugePage)
            ::operator delete(p, std::align_val_t(alignment));
        else
            munmap(p, roundedUp(bytes));
    }

    bool do_is_equal(const std::pmr::memory_resource &other) const noexcept override { return this == &other; }
};

} // namespace

std::pmr::memory_resource &LargeBlocks()
{
    static LargeBlockResource resource;
    return resource;
}

LargeBuffer::LargeBuffer(size_t capacity)
    : m_capacity(capacity)
    , m_data(capacity ? static_cast<char *>(LargeBlocks().allocate(capacity, 1)) : nullptr)
{ }

LargeBuffer::~LargeBuffer()
{
    if (m_data)
        LargeBlocks().deallocate(m_data, m_capacity, 1);
}
