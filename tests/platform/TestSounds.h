// SPDX-License-Identifier: MIT
#pragma once

#include <QFile>
#include <QString>
#include <cmath>
#include <numbers>
#include <sndfile.h>
#include <vector>

// Sounds written by libsndfile itself, so every flavour a user may pick
// can be made on the spot.

// Interleaved 16-bit samples of a sine, each channel a little out of phase
// so that swapped or mixed-up channels show.
inline std::vector<short> MakeTone(int frames, int channels, int sampleRate, double hertz = 440.0,
                                   double amplitude = 12000.0)
{
    std::vector<short> samples(static_cast<size_t>(frames * channels));
    for (int f = 0; f < frames; ++f) {
        for (int c = 0; c < channels; ++c) {
            const double phase = 2.0 * std::numbers::pi * hertz * f / sampleRate + c * 0.7;
            samples[static_cast<size_t>(f * channels + c)] =
                static_cast<short>(std::lround(amplitude * std::sin(phase)));
        }
    }
    return samples;
}

// False when libsndfile cannot write this format (an encoder it lacks).
inline bool WriteSound(const QString &path, int format, int sampleRate, int channels, const std::vector<short> &samples)
{
    SF_INFO info {};
    info.samplerate = sampleRate;
    info.channels = channels;
    info.format = format;
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!file)
        return false;
    const sf_count_t frames = static_cast<sf_count_t>(samples.size()) / channels;
    bool written = false;
    const int subtype = format & SF_FORMAT_SUBMASK;
    if (subtype == SF_FORMAT_FLOAT || subtype == SF_FORMAT_DOUBLE || subtype == SF_FORMAT_VORBIS ||
        subtype == SF_FORMAT_MPEG_LAYER_III) {
        // Float files hold [-1, 1); and libsndfile 1.2.0's MP3 encoder mangles
        // 16-bit input, while its float path is sound.
        std::vector<float> values(samples.begin(), samples.end());
        for (float &value : values)
            value /= 32768.0f;
        written = sf_writef_float(file, values.data(), frames) == frames;
    } else {
        written = sf_writef_short(file, samples.data(), frames) == frames;
    }
    return sf_close(file) == 0 && written;
}

// A sound of the given length: 16-bit stereo WAVE at 44.1 kHz.
inline bool WriteToneFile(const QString &path, int milliseconds)
{
    const int frames = 44100 * milliseconds / 1000;
    return WriteSound(path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 2, MakeTone(frames, 2, 44100, 440.0, 6000.0));
}
