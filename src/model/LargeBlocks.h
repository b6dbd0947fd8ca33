// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <memory_resource>

// Memory for the large, short-lived structures of a file being read or
// written: a document of several megabytes is built in a few blocks and
// given back all at once. Requests of a megabyte or more get memory of their
// own, asked to be backed by huge pages where the system offers them: filling
// a block then costs a handful of page faults instead of one per 4 KiB page,
// and those faults were most of the time it took to load a large task file.
// Smaller requests come from the ordinary heap. Stateless, so one shared
// instance serves every document; it throws std::bad_alloc like new.
std::pmr::memory_resource &LargeBlocks();

// An uninitialised buffer of that memory, for a file's bytes on their way
// in or out.
class LargeBuffer
{
public:
    explicit LargeBuffer(size_t capacity);
    ~LargeBuffer();
    LargeBuffer(const LargeBuffer &) = delete;
    LargeBuffer &operator=(const LargeBuffer &) = delete;

    char *data() { return m_data; }
    size_t capacity() const { return m_capacity; }
    // The first `size` bytes, without a copy: valid while the buffer lives.
    QByteArray view(qsizetype size) const { return QByteArray::fromRawData(m_data, size); }

private:
    size_t m_capacity;
    char *m_data;
};
