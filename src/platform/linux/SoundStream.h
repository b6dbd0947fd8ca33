// SPDX-License-Identifier: MIT
#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <memory>
#include <vector>

struct sf_private_tag;

// A sound decoded by libsndfile, read out as PCM in whatever format the audio
// output asked for. Decoding happens piece by piece as the sink pulls, so a
// long file costs no more memory or time up front than a short one; only
// opening (which may scan a compressed file) is slow enough to belong on a
// worker thread. Sample rate and channel count are converted on the fly
// (linear interpolation, channels duplicated or averaged) and a fixed gain
// is applied, so the sink always gets exactly the format it accepted.
class SoundStream final : public QIODevice
{
    Q_OBJECT

public:
    // A sound file, or a Qt resource (":/..."). Null when it cannot be read
    // as sound: missing, unreadable, not audio, or holding no frames.
    static std::unique_ptr<SoundStream> OpenFile(const QString &path);
    // A complete sound file image held in memory (a RIFF WAVE, usually).
    static std::unique_ptr<SoundStream> OpenImage(const QByteArray &image);

    ~SoundStream() override;

    // What the source holds.
    int sourceSampleRate() const { return m_inRate; }
    int sourceChannelCount() const { return m_inChannels; }
    qint64 sourceFrameCount() const { return m_inFrames; }

    // The format readData() produces and the gain (1 = unchanged) applied
    // to every sample. Set before open(); the default is the source's own
    // rate and channel count as 32-bit float.
    void setOutputFormat(const QAudioFormat &format, float gain = 1.0f);
    QAudioFormat outputFormat() const { return m_out; }
    // Silence appended to sounds shorter than this many output frames. A
    // sound server holds back playback until its buffer has filled once, so
    // a click shorter than that would otherwise never be heard.
    void setMinimumOutputFrames(qint64 frames) { m_minimumFrames = frames; }
    // Frames the output will hold as far as the source's header tells.
    qint64 expectedOutputFrames() const;
    // Frames handed out so far, and their playing time.
    qint64 producedFrames() const { return m_outIndex; }
    qint64 producedUSecs() const;

    bool open(OpenMode mode) override;
    void close() override;
    bool isSequential() const override { return true; }
    bool atEnd() const override;
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 maxSize) override;

private:
    SoundStream() = default;
    static std::unique_ptr<SoundStream> openVirtual(QIODevice *source);
    bool adopt(sf_private_tag *file, int sampleRate, int channels, qint64 frames);
    bool readInputFrame(std::vector<float> &frame);
    bool nextOutputFrame();
    void encodeFrame(char *out) const;

    sf_private_tag *m_file = nullptr;
    // The device libsndfile reads through for resources and in-memory images;
    // a child, so that it moves between threads with the stream.
    QIODevice *m_source = nullptr;

    int m_inRate = 0;
    int m_inChannels = 0;
    qint64 m_inFrames = 0;

    QAudioFormat m_out;
    float m_gain = 1.0f;
    qint64 m_minimumFrames = 0;

    // Input is read from libsndfile in chunks and consumed a frame at a time.
    std::vector<float> m_chunk;
    qint64 m_chunkFrames = 0;
    qint64 m_chunkPos = 0;

    // Output frame k lies at input position k * inRate / outRate, between
    // input frames m_curIndex (m_cur) and m_curIndex + 1 (m_next).
    std::vector<float> m_cur;
    std::vector<float> m_next;
    bool m_haveCur = false;
    bool m_haveNext = false;
    qint64 m_curIndex = 0;
    qint64 m_outIndex = 0;
    bool m_finished = false;
    bool m_started = false;
    std::vector<float> m_outFrame;
};
