// SPDX-License-Identifier: MIT
#include "speech/WaveImage.h"

#include <QtEndian>

namespace {

constexpr qsizetype RiffHeaderSize = 12;
constexpr qsizetype ChunkHeaderSize = 8;
constexpr quint32 MinFormatSize = 16;

} // namespace

qint64 WaveInfo::DurationMs() const
{
    const quint64 perSecond = byteRate ? byteRate : quint64(blockAlign) * sampleRate;
    return perSecond ? qint64(quint64(dataSize) * 1000 / perSecond) : 0;
}

std::optional<WaveInfo> InspectWave(QByteArrayView image)
{
    const auto *bytes = reinterpret_cast<const uchar *>(image.data());
    const qsizetype size = image.size();
    if (size < RiffHeaderSize || image.first(4) != "RIFF" || image.sliced(8, 4) != "WAVE")
        return std::nullopt;
    WaveInfo info;
    bool haveFormat = false;
    bool haveData = false;
    // Chunks are walked up to the end of the image; a RIFF size that says
    // otherwise is a common writer's slip and is not trusted either way.
    for (qsizetype at = RiffHeaderSize; size - at >= ChunkHeaderSize;) {
        const QByteArrayView id = image.sliced(at, 4);
        const quint32 chunkSize = qFromLittleEndian<quint32>(bytes + at + 4);
        const qsizetype body = at + ChunkHeaderSize;
        const bool complete = quint64(chunkSize) <= quint64(size - body);
        if (id == "fmt ") {
            if (!complete || chunkSize < MinFormatSize)
                return std::nullopt;
            info.formatTag = qFromLittleEndian<quint16>(bytes + body);
            info.channels = qFromLittleEndian<quint16>(bytes + body + 2);
            info.sampleRate = qFromLittleEndian<quint32>(bytes + body + 4);
            info.byteRate = qFromLittleEndian<quint32>(bytes + body + 8);
            info.blockAlign = qFromLittleEndian<quint16>(bytes + body + 12);
            info.bitsPerSample = qFromLittleEndian<quint16>(bytes + body + 14);
            haveFormat = true;
        } else if (id == "data" && !haveData) {
            if (!complete)
                return std::nullopt;
            info.dataOffset = body;
            info.dataSize = chunkSize;
            haveData = true;
        }
        if (!complete)
            break;
        // Chunks are padded to an even length.
        at = body + qsizetype(chunkSize) + (chunkSize & 1);
    }
    if (!haveFormat || !haveData || info.channels == 0 || info.sampleRate == 0 || info.blockAlign == 0)
        return std::nullopt;
    return info;
}

bool SamePcmLayout(const WaveInfo &a, const WaveInfo &b)
{
    return a.formatTag == 1 && b.formatTag == 1 && a.channels == b.channels && a.sampleRate == b.sampleRate &&
        a.bitsPerSample == b.bitsPerSample && a.blockAlign == b.blockAlign;
}

QByteArray JoinPcmWaves(const QList<std::pair<QByteArray, WaveInfo>> &waves)
{
    if (waves.isEmpty())
        return {};
    const WaveInfo &layout = waves.front().second;
    qsizetype dataSize = 0;
    for (const auto &[image, info] : waves)
        dataSize += info.dataSize - info.dataSize % layout.blockAlign;
    QByteArray out(44, '\0');
    auto *header = reinterpret_cast<uchar *>(out.data());
    out.replace(0, 4, "RIFF");
    qToLittleEndian<quint32>(quint32(36 + dataSize + (dataSize & 1)), header + 4);
    out.replace(8, 8, "WAVEfmt ");
    qToLittleEndian<quint32>(16, header + 16);
    qToLittleEndian<quint16>(1, header + 20);
    qToLittleEndian<quint16>(layout.channels, header + 22);
    qToLittleEndian<quint32>(layout.sampleRate, header + 24);
    qToLittleEndian<quint32>(layout.sampleRate * layout.blockAlign, header + 28);
    qToLittleEndian<quint16>(layout.blockAlign, header + 32);
    qToLittleEndian<quint16>(layout.bitsPerSample, header + 34);
    out.replace(36, 4, "data");
    qToLittleEndian<quint32>(quint32(dataSize), header + 40);
    out.reserve(44 + dataSize + 1);
    // Whole frames only, so no clip shifts the channels of the next.
    for (const auto &[image, info] : waves)
        out.append(image.constData() + info.dataOffset, info.dataSize - info.dataSize % layout.blockAlign);
    if (dataSize & 1)
        out.append('\0');
    return out;
}
