// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>

namespace tktime32 {

// The format and sample bytes of a RIFF/WAVE file held in memory. constexpr,
// so a WAVE built into the program is checked while it compiles.
struct WaveImage
{
    bool valid = false;
    uint16_t formatTag = 0; // 1: integer PCM
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint16_t bitsPerSample = 0;
    size_t dataOffset = 0;
    size_t dataBytes = 0;
};

constexpr uint32_t readLe(const unsigned char *p, int bytes)
{
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}

constexpr bool hasTag(const unsigned char *p, const char (&tag)[5])
{
    return p[0] == tag[0] && p[1] == tag[1] && p[2] == tag[2] && p[3] == tag[3];
}

// Walks the chunks after the RIFF header; the first "fmt " and "data" chunks
// count, others (LIST, fact...) are skipped, each padded to an even size.
constexpr WaveImage parseWave(const unsigned char *bytes, size_t size)
{
    WaveImage wave;
    if (size < 12 || !hasTag(bytes, "RIFF") || !hasTag(bytes + 8, "WAVE"))
        return wave;
    bool haveFormat = false;
    size_t at = 12;
    while (at + 8 <= size) {
        const unsigned char *chunk = bytes + at;
        const size_t length = readLe(chunk + 4, 4);
        const size_t body = at + 8;
        if (length > size - body)
            return wave;
        if (hasTag(chunk, "fmt ") && !haveFormat) {
            if (length < 16)
                return wave;
            wave.formatTag = uint16_t(readLe(bytes + body, 2));
            wave.channels = uint16_t(readLe(bytes + body + 2, 2));
            wave.sampleRate = readLe(bytes + body + 4, 4);
            wave.bitsPerSample = uint16_t(readLe(bytes + body + 14, 2));
            haveFormat = true;
        } else if (hasTag(chunk, "data")) {
            wave.dataOffset = body;
            wave.dataBytes = length;
            wave.valid = haveFormat;
            return wave;
        }
        at = body + length + (length & 1);
    }
    return wave;
}

} // namespace tktime32
