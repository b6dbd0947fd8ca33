// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <optional>
#include <utility>

// The format of a RIFF WAVE image, as its "fmt " chunk states it.
struct WaveInfo
{
    quint16 formatTag = 0; // 1 PCM, 3 float, 0xFFFE extensible, ...
    quint16 channels = 0;
    quint32 sampleRate = 0;
    quint32 byteRate = 0;
    quint16 blockAlign = 0;
    quint16 bitsPerSample = 0;
    qsizetype dataOffset = 0;
    qsizetype dataSize = 0;

    // Playing time of the data, from the byte rate (or the frame size when
    // a writer left the byte rate out).
    qint64 DurationMs() const;
};

// Checks that bytes are a complete RIFF WAVE image: the RIFF and WAVE tags,
// a format chunk with at least one channel, a sample rate and a frame size,
// and a data chunk that lies wholly inside the image. Chunks may come in
// any order and are walked with bounds checks; what the format tag means
// is left to the decoder. Nothing when the image is not such a wave.
std::optional<WaveInfo> InspectWave(QByteArrayView image);

// Whether two waves hold plain PCM of the same layout, so that their
// samples can follow each other in one stream.
bool SamePcmLayout(const WaveInfo &a, const WaveInfo &b);

// One RIFF WAVE image holding the samples of several PCM waves of one
// layout, one after the other; `waves` are checked images with their
// infos, all of the first one's layout.
QByteArray JoinPcmWaves(const QList<std::pair<QByteArray, WaveInfo>> &waves);
