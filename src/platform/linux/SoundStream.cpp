// SPDX-License-Identifier: MIT
#include "platform/linux/SoundStream.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <sndfile.h>

namespace {

// libsndfile hands out this many frames per read; small enough that one
// pull of the sink never waits on much decoding.
constexpr qint64 ChunkFrames = 1024;

// Virtual I/O over a QIODevice, for Qt resources and images in memory.
sf_count_t deviceLength(void *device)
{
    return static_cast<QIODevice *>(device)->size();
}

sf_count_t deviceSeek(sf_count_t offset, int whence, void *device)
{
    auto *io = static_cast<QIODevice *>(device);
    qint64 target = offset;
    if (whence == SEEK_CUR)
        target += io->pos();
    else if (whence == SEEK_END)
        target += io->size();
    // Garbage headers send libsndfile far past the end; nothing is there.
    if (target < 0 || target > io->size() || !io->seek(target))
        return -1;
    return io->pos();
}

sf_count_t deviceRead(void *data, sf_count_t count, void *device)
{
    const qint64 read = static_cast<QIODevice *>(device)->read(static_cast<char *>(data), count);
    return read < 0 ? 0 : read;
}

sf_count_t deviceWrite(const void *, sf_count_t, void *)
{
    return 0;
}

sf_count_t deviceTell(void *device)
{
    return static_cast<QIODevice *>(device)->pos();
}

} // namespace

std::unique_ptr<SoundStream> SoundStream::OpenFile(const QString &path)
{
    if (path.startsWith(QLatin1Char(':')))
        return openVirtual(new QFile(path));

    // Only regular files: libsndfile would happily block on a FIFO.
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        return nullptr;
    SF_INFO sfInfo {};
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &sfInfo);
    if (!file)
        return nullptr;
    std::unique_ptr<SoundStream> stream(new SoundStream);
    if (!stream->adopt(file, sfInfo.samplerate, sfInfo.channels, sfInfo.frames))
        return nullptr;
    return stream;
}

std::unique_ptr<SoundStream> SoundStream::OpenImage(const QByteArray &image)
{
    auto *buffer = new QBuffer;
    buffer->setData(image);
    return openVirtual(buffer);
}

std::unique_ptr<SoundStream> SoundStream::openVirtual(QIODevice *source)
{
    std::unique_ptr<SoundStream> stream(new SoundStream);
    source->setParent(stream.get());
    if (!source->open(QIODevice::ReadOnly))
        return nullptr;
    stream->m_source = source;

    static SF_VIRTUAL_IO io {deviceLength, deviceSeek, deviceRead, deviceWrite, deviceTell};
    SF_INFO sfInfo {};
    SNDFILE *file = sf_open_virtual(&io, SFM_READ, &sfInfo, source);
    if (!file)
        return nullptr;
    if (!stream->adopt(file, sfInfo.samplerate, sfInfo.channels, sfInfo.frames))
        return nullptr;
    return stream;
}

bool SoundStream::adopt(SNDFILE *file, int sampleRate, int channels, qint64 frames)
{
    m_file = file;
    // A header with no frames, or a rate or channel count no output could
    // take, is not a sound worth handing to the sink.
    if (sampleRate <= 0 || sampleRate > 768000 || channels <= 0 || channels > 64 || frames <= 0)
        return false;
    // Integer samples come out as floats in [-1, 1).
    sf_command(m_file, SFC_SET_NORM_FLOAT, nullptr, SF_TRUE);
    m_inRate = sampleRate;
    m_inChannels = channels;
    m_inFrames = frames;
    m_out.setSampleRate(sampleRate);
    m_out.setChannelCount(channels);
    m_out.setSampleFormat(QAudioFormat::Float);
    return true;
}

SoundStream::~SoundStream()
{
    if (m_file)
        sf_close(m_file);
}

void SoundStream::setOutputFormat(const QAudioFormat &format, float gain)
{
    m_out = format;
    m_gain = gain;
}

qint64 SoundStream::expectedOutputFrames() const
{
    if (m_inRate <= 0 || m_out.sampleRate() <= 0)
        return 0;
    // The number of k with k * inRate / outRate < frames.
    return std::max((m_inFrames * m_out.sampleRate() + m_inRate - 1) / m_inRate, m_minimumFrames);
}

qint64 SoundStream::producedUSecs() const
{
    return m_out.sampleRate() > 0 ? m_outIndex * 1000000 / m_out.sampleRate() : 0;
}

bool SoundStream::open(OpenMode mode)
{
    if ((mode & WriteOnly) || !m_file || !m_out.isValid())
        return false;
    if (m_out.sampleFormat() == QAudioFormat::Unknown || m_out.channelCount() <= 0 || m_out.sampleRate() <= 0)
        return false;
    // Opening again starts from the beginning.
    if (m_started && sf_seek(m_file, 0, SEEK_SET) < 0)
        return false;
    m_started = true;

    m_chunk.assign(static_cast<size_t>(ChunkFrames * m_inChannels), 0.0f);
    m_chunkFrames = 0;
    m_chunkPos = 0;
    m_cur.assign(static_cast<size_t>(m_inChannels), 0.0f);
    m_next.assign(static_cast<size_t>(m_inChannels), 0.0f);
    m_outFrame.assign(static_cast<size_t>(m_out.channelCount()), 0.0f);
    m_curIndex = 0;
    m_outIndex = 0;
    m_haveCur = readInputFrame(m_cur);
    m_haveNext = m_haveCur && readInputFrame(m_next);
    m_finished = !m_haveCur;
    return QIODevice::open(mode | Unbuffered);
}

void SoundStream::close()
{
    QIODevice::close();
    m_finished = true;
}

bool SoundStream::atEnd() const
{
    return !isOpen() || m_finished;
}

qint64 SoundStream::bytesAvailable() const
{
    if (atEnd())
        return 0;
    // The header's count may be off for compressed formats; never claim
    // nothing is left while frames may still come.
    const qint64 left = std::max<qint64>(expectedOutputFrames() - m_outIndex, 1);
    return left * m_out.bytesPerFrame() + QIODevice::bytesAvailable();
}

bool SoundStream::readInputFrame(std::vector<float> &frame)
{
    if (m_chunkPos >= m_chunkFrames) {
        m_chunkFrames = sf_readf_float(m_file, m_chunk.data(), ChunkFrames);
        m_chunkPos = 0;
        if (m_chunkFrames <= 0) {
            m_chunkFrames = 0;
            return false;
        }
    }
    const float *source = m_chunk.data() + m_chunkPos * m_inChannels;
    std::copy(source, source + m_inChannels, frame.begin());
    ++m_chunkPos;
    return true;
}

bool SoundStream::nextOutputFrame()
{
    if (m_finished)
        return false;
    const qint64 outRate = m_out.sampleRate();
    const qint64 position = m_outIndex * m_inRate;
    const qint64 index = position / outRate;
    const qint64 remainder = position % outRate;
    while (m_curIndex < index && m_haveCur) {
        std::swap(m_cur, m_next);
        m_haveCur = m_haveNext;
        m_haveNext = m_haveCur && readInputFrame(m_next);
        ++m_curIndex;
    }
    if (!m_haveCur) {
        if (m_outIndex < m_minimumFrames) {
            std::fill(m_outFrame.begin(), m_outFrame.end(), 0.0f);
            ++m_outIndex;
            return true;
        }
        m_finished = true;
        return false;
    }

    const float t = static_cast<float>(remainder) / static_cast<float>(outRate);
    const bool blend = remainder != 0 && m_haveNext;
    auto sample = [&](int channel) {
        const float a = m_cur[static_cast<size_t>(channel)];
        return blend ? a + (m_next[static_cast<size_t>(channel)] - a) * t : a;
    };

    const int outChannels = m_out.channelCount();
    if (m_inChannels == outChannels) {
        for (int c = 0; c < outChannels; ++c)
            m_outFrame[static_cast<size_t>(c)] = sample(c);
    } else if (m_inChannels == 1) {
        const float mono = sample(0);
        std::fill(m_outFrame.begin(), m_outFrame.end(), mono);
    } else if (outChannels == 1) {
        float sum = 0.0f;
        for (int c = 0; c < m_inChannels; ++c)
            sum += sample(c);
        m_outFrame[0] = sum / static_cast<float>(m_inChannels);
    } else {
        // Front left and right (and whatever else lines up) keep their place;
        // channels the output lacks are dropped, extra ones stay silent.
        for (int c = 0; c < outChannels; ++c)
            m_outFrame[static_cast<size_t>(c)] = c < m_inChannels ? sample(c) : 0.0f;
    }
    if (m_gain != 1.0f) {
        for (float &value : m_outFrame)
            value *= m_gain;
    }
    ++m_outIndex;
    return true;
}

void SoundStream::encodeFrame(char *out) const
{
    for (const float value : m_outFrame) {
        switch (m_out.sampleFormat()) {
        case QAudioFormat::UInt8: {
            const auto sample = static_cast<quint8>(std::clamp(std::lround(value * 128.0f) + 128, 0L, 255L));
            std::memcpy(out, &sample, sizeof sample);
            out += sizeof sample;
            break;
        }
        case QAudioFormat::Int16: {
            const auto sample = static_cast<qint16>(std::clamp(std::lround(value * 32768.0f), -32768L, 32767L));
            std::memcpy(out, &sample, sizeof sample);
            out += sizeof sample;
            break;
        }
        case QAudioFormat::Int32: {
            const auto sample = static_cast<qint32>(
                std::clamp(std::llround(static_cast<double>(value) * 2147483648.0), -2147483648LL, 2147483647LL));
            std::memcpy(out, &sample, sizeof sample);
            out += sizeof sample;
            break;
        }
        case QAudioFormat::Float:
        case QAudioFormat::Unknown:
        case QAudioFormat::NSampleFormats: {
            std::memcpy(out, &value, sizeof value);
            out += sizeof value;
            break;
        }
        }
    }
}

qint64 SoundStream::readData(char *data, qint64 maxSize)
{
    const int frameBytes = m_out.bytesPerFrame();
    if (frameBytes <= 0)
        return -1;
    const qint64 wanted = maxSize / frameBytes;
    qint64 produced = 0;
    while (produced < wanted && nextOutputFrame()) {
        encodeFrame(data + produced * frameBytes);
        ++produced;
    }
    // 0 at the end: the sink takes that as "finished", not as an error.
    return produced * frameBytes;
}

qint64 SoundStream::writeData(const char *, qint64)
{
    return -1;
}
