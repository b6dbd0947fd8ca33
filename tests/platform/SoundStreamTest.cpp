// SPDX-License-Identifier: MIT
#include "platform/linux/SoundStream.h"

#include "TestSounds.h"

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>

namespace {

// Everything the stream produces, as floats scaled to 16-bit units.
std::vector<double> decodeAll(SoundStream &stream, const QAudioFormat &format, float gain = 1.0f)
{
    stream.setOutputFormat(format, gain);
    EXPECT_TRUE(stream.open(QIODevice::ReadOnly));
    QByteArray bytes;
    char buffer[4000];
    qint64 read = 0;
    // Odd-sized pulls, as a sink's period rarely matches anything.
    while ((read = stream.read(buffer, 3 * format.bytesPerFrame() * 37)) > 0)
        bytes.append(buffer, read);
    EXPECT_TRUE(stream.atEnd());
    EXPECT_EQ(stream.read(buffer, sizeof buffer), 0);

    std::vector<double> values;
    const int sampleBytes = format.bytesPerSample();
    for (qsizetype offset = 0; offset + sampleBytes <= bytes.size(); offset += sampleBytes) {
        const char *at = bytes.constData() + offset;
        switch (format.sampleFormat()) {
        case QAudioFormat::UInt8:
            values.push_back((static_cast<unsigned char>(*at) - 128) * 256.0);
            break;
        case QAudioFormat::Int16: {
            qint16 v;
            std::memcpy(&v, at, sizeof v);
            values.push_back(v);
            break;
        }
        case QAudioFormat::Int32: {
            qint32 v;
            std::memcpy(&v, at, sizeof v);
            values.push_back(v / 65536.0);
            break;
        }
        default: {
            float v;
            std::memcpy(&v, at, sizeof v);
            values.push_back(static_cast<double>(v) * 32768.0);
            break;
        }
        }
    }
    return values;
}

QAudioFormat makeFormat(int rate, int channels, QAudioFormat::SampleFormat sampleFormat)
{
    QAudioFormat format;
    format.setSampleRate(rate);
    format.setChannelCount(channels);
    format.setSampleFormat(sampleFormat);
    return format;
}

double rmsError(const std::vector<double> &decoded, const std::vector<short> &original)
{
    double sum = 0;
    const size_t n = std::min(decoded.size(), original.size());
    for (size_t i = 0; i < n; ++i)
        sum += (decoded[i] - original[i]) * (decoded[i] - original[i]);
    return std::sqrt(sum / static_cast<double>(n));
}

double rms(const std::vector<double> &values)
{
    double sum = 0;
    for (const double v : values)
        sum += v * v;
    return std::sqrt(sum / static_cast<double>(values.size()));
}

struct Flavour
{
    const char *name;
    int format;
    // Largest error of any one sample, in 16-bit units; -1 for lossy codecs,
    // which are held to a small overall (RMS) error instead.
    double tolerance;
    // Codecs with encoder delay may come back a few frames longer.
    int frameSlack = 0;
};

class SoundStreamTest : public ::testing::Test
{
protected:
    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir m_dir;
};

TEST_F(SoundStreamTest, DecodesEveryFlavourWithTheRightFramesAndSamples)
{
    constexpr int Rate = 22050;
    constexpr int Channels = 2;
    constexpr int Frames = 5000;
    const std::vector<short> tone = MakeTone(Frames, Channels, Rate);
    const Flavour flavours[] = {
        {"pcm8.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 256},
        {"pcm16.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 0},
        {"pcm24.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 0},
        {"pcm32.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_32, 0},
        {"float.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 0},
        {"double.wav", SF_FORMAT_WAV | SF_FORMAT_DOUBLE, 0},
        {"ulaw.wav", SF_FORMAT_WAV | SF_FORMAT_ULAW, 500},
        {"alaw.wav", SF_FORMAT_WAV | SF_FORMAT_ALAW, 500},
        // ADPCM comes in whole blocks: the last one is padded with silence.
        {"ima.wav", SF_FORMAT_WAV | SF_FORMAT_IMA_ADPCM, -1, 2048},
        {"ms.wav", SF_FORMAT_WAV | SF_FORMAT_MS_ADPCM, -1, 2048},
        {"sound.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 0},
        {"sound.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, -1},
        {"sound.mp3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, -1},
    };
    for (const Flavour &flavour : flavours) {
        SCOPED_TRACE(flavour.name);
        ASSERT_TRUE(WriteSound(path(flavour.name), flavour.format, Rate, Channels, tone));
        const auto stream = SoundStream::OpenFile(path(flavour.name));
        ASSERT_TRUE(stream);
        EXPECT_EQ(stream->sourceSampleRate(), Rate);
        EXPECT_EQ(stream->sourceChannelCount(), Channels);
        EXPECT_GE(stream->sourceFrameCount(), Frames);
        EXPECT_LE(stream->sourceFrameCount(), Frames + flavour.frameSlack);

        const std::vector<double> decoded = decodeAll(*stream, makeFormat(Rate, Channels, QAudioFormat::Float));
        EXPECT_EQ(static_cast<qint64>(decoded.size()), stream->sourceFrameCount() * Channels);
        EXPECT_EQ(stream->producedFrames(), stream->sourceFrameCount());
        ASSERT_GE(decoded.size(), tone.size());
        if (flavour.tolerance >= 0) {
            for (size_t i = 0; i < tone.size(); ++i)
                ASSERT_NEAR(decoded[i], tone[i], flavour.tolerance) << "sample " << i;
        } else {
            EXPECT_LT(rmsError(decoded, tone), 12000 * 0.05);
        }
    }
}

TEST_F(SoundStreamTest, ConvertsRateChannelsSampleFormatAndGain)
{
    // A mono ramp at 8 kHz, played by a device that wants 16 kHz stereo.
    std::vector<short> ramp;
    for (int i = 0; i < 400; ++i)
        ramp.push_back(static_cast<short>(i * 80 - 16000));
    ASSERT_TRUE(WriteSound(path("ramp.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 1, ramp));
    auto stream = SoundStream::OpenFile(path("ramp.wav"));
    ASSERT_TRUE(stream);
    stream->setOutputFormat(makeFormat(16000, 2, QAudioFormat::Int16), 0.5f);
    EXPECT_EQ(stream->expectedOutputFrames(), 800);
    const std::vector<double> out = decodeAll(*stream, makeFormat(16000, 2, QAudioFormat::Int16), 0.5f);
    ASSERT_EQ(out.size(), 2u * 800);
    for (size_t k = 0; k < 800; ++k) {
        SCOPED_TRACE(k);
        ASSERT_EQ(out[2 * k], out[2 * k + 1]);
        const double a = ramp[k / 2];
        // Odd frames lie halfway to the next input frame; the last has none.
        const double expected = (k % 2 == 0 || k / 2 + 1 == ramp.size()) ? a : (a + ramp[k / 2 + 1]) / 2;
        ASSERT_NEAR(out[2 * k], expected * 0.5, 1.0);
    }
    EXPECT_EQ(stream->producedUSecs(), 50000);

    // Padded with silence to a minimum length, on request.
    stream = SoundStream::OpenFile(path("ramp.wav"));
    ASSERT_TRUE(stream);
    stream->setMinimumOutputFrames(1000);
    stream->setOutputFormat(makeFormat(8000, 1, QAudioFormat::Int16));
    EXPECT_EQ(stream->expectedOutputFrames(), 1000);
    const std::vector<double> padded = decodeAll(*stream, makeFormat(8000, 1, QAudioFormat::Int16));
    ASSERT_EQ(padded.size(), 1000u);
    EXPECT_EQ(padded[399], ramp[399]);
    EXPECT_EQ(std::count(padded.begin() + 400, padded.end(), 0.0), 600);

    // Stereo into a mono 8-bit device averages the channels; and into a
    // 44.1 kHz 32-bit one keeps the length (1 s of input gives 1 s).
    const std::vector<short> stereo {16000, 16000, 16000, -16000, -32768, -32768};
    ASSERT_TRUE(WriteSound(path("stereo.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 2, stereo));
    stream = SoundStream::OpenFile(path("stereo.wav"));
    ASSERT_TRUE(stream);
    const std::vector<double> mono = decodeAll(*stream, makeFormat(8000, 1, QAudioFormat::UInt8));
    ASSERT_EQ(mono.size(), 3u);
    EXPECT_EQ(mono[0], 63 * 256.0); // 16000 / 32768 * 128 = 62.5, rounded away from zero
    EXPECT_EQ(mono[1], 0.0);
    EXPECT_EQ(mono[2], -128 * 256.0);

    ASSERT_TRUE(WriteSound(path("second.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 1, MakeTone(8000, 1, 8000)));
    stream = SoundStream::OpenFile(path("second.wav"));
    ASSERT_TRUE(stream);
    const std::vector<double> resampled = decodeAll(*stream, makeFormat(44100, 1, QAudioFormat::Int32));
    EXPECT_EQ(resampled.size(), 44100u);
    EXPECT_NEAR(rms(resampled), 12000 / std::sqrt(2.0), 200);
}

TEST_F(SoundStreamTest, OpensImagesInMemoryAndQtResources)
{
    const std::vector<short> tone = MakeTone(1000, 1, 11025);
    ASSERT_TRUE(WriteSound(path("image.wav"), SF_FORMAT_WAV | SF_FORMAT_IMA_ADPCM, 11025, 1, tone));
    QFile file(path("image.wav"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray image = file.readAll();

    auto stream = SoundStream::OpenImage(image);
    ASSERT_TRUE(stream);
    // Whole ADPCM blocks of 505 frames.
    EXPECT_EQ(stream->sourceFrameCount(), 1010);
    EXPECT_EQ(decodeAll(*stream, makeFormat(11025, 1, QAudioFormat::Int16)).size(), 1010u);

    // Built into this test program by make_test_wave.py: 8-bit mono, 8 kHz.
    stream = SoundStream::OpenFile(QStringLiteral(":/platform-test/resource-tone.wav"));
    ASSERT_TRUE(stream);
    EXPECT_EQ(stream->sourceSampleRate(), 8000);
    EXPECT_EQ(stream->sourceFrameCount(), 400);
    EXPECT_EQ(decodeAll(*stream, makeFormat(8000, 1, QAudioFormat::Int16)).size(), 400u);

    EXPECT_FALSE(SoundStream::OpenFile(QStringLiteral(":/platform-test/missing.wav")));
    EXPECT_FALSE(SoundStream::OpenImage(QByteArray()));
    EXPECT_FALSE(SoundStream::OpenImage(image.left(30)));
    EXPECT_FALSE(SoundStream::OpenImage(QByteArray("RIFF\x10\0\0\0WAVEjunkjunkjunkjunk", 28)));
}

TEST_F(SoundStreamTest, RefusesWhatIsNotSoundAndCopesWithTruncation)
{
    EXPECT_FALSE(SoundStream::OpenFile(path("missing.wav")));
    EXPECT_FALSE(SoundStream::OpenFile(m_dir.path()));
    EXPECT_FALSE(SoundStream::OpenFile(QString()));

    QFile text(path("notes.wav"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("闹钟提醒: remember to water the plants\nand feed the cat at noon.\n");
    text.close();
    EXPECT_FALSE(SoundStream::OpenFile(path("notes.wav")));

    const std::vector<short> tone = MakeTone(4000, 1, 8000);
    ASSERT_TRUE(WriteSound(path("whole.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 1, tone));
    QFile whole(path("whole.wav"));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();

    // Cut inside the header: not a sound at all.
    QFile header(path("header-cut.wav"));
    ASSERT_TRUE(header.open(QIODevice::WriteOnly));
    header.write(bytes.left(24));
    header.close();
    EXPECT_FALSE(SoundStream::OpenFile(path("header-cut.wav")));

    // A header and no samples: nothing to play.
    QFile empty(path("empty.wav"));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.write(bytes.left(44));
    empty.close();
    EXPECT_FALSE(SoundStream::OpenFile(path("empty.wav")));

    // Cut inside the samples (a download broken off): what is there plays,
    // and the stream ends cleanly where the data does.
    QFile cut(path("data-cut.wav"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(bytes.left(44 + 2 * 1500 + 1));
    cut.close();
    const auto stream = SoundStream::OpenFile(path("data-cut.wav"));
    ASSERT_TRUE(stream);
    const std::vector<double> decoded = decodeAll(*stream, makeFormat(8000, 1, QAudioFormat::Int16));
    ASSERT_EQ(decoded.size(), 1500u);
    for (size_t i = 0; i < decoded.size(); ++i)
        ASSERT_EQ(decoded[i], tone[i]);
}

} // namespace
