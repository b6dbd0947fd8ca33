// SPDX-License-Identifier: MIT
// soundgen OUTPUT.wav
//
// Writes the chime the slide-in notice plays: two soft bell strokes a major
// third apart (A5, then C#6), 16-bit mono PCM at 44.1 kHz. Each stroke is a
// few partials with a short raised-cosine attack and exponential decays, the
// upper partials dying faster, so the sound is round rather than piercing.
// The tool measures the samples before writing them and fails the build when
// they are clipped, too loud or too quiet, off-centre, or click at either end.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int SampleRate = 44100;
constexpr double Duration = 0.70; // seconds
constexpr double PeakDbfs = -6.0;

struct Partial
{
    double ratio; // to the stroke's fundamental
    double gain;
    double decay; // time constant in seconds
};

// A soft, slightly glassy bell: near-harmonic partials plus one stretched one.
constexpr Partial BellPartials[] = {
    {1.0, 1.00, 0.220},
    {2.0, 0.30, 0.110},
    {3.01, 0.10, 0.070},
    {4.17, 0.05, 0.045},
};

struct Stroke
{
    double start; // seconds
    double frequency;
    double gain;
};

constexpr Stroke Strokes[] = {
    {0.000, 880.00, 0.85}, // A5
    {0.130, 1108.73, 1.00}, // C#6, a major third above
};

constexpr double AttackSeconds = 0.006;
constexpr double FadeOutSeconds = 0.060;

std::vector<double> synthesise()
{
    const int frames = static_cast<int>(std::lround(Duration * SampleRate));
    std::vector<double> out(static_cast<size_t>(frames), 0.0);
    for (const Stroke &stroke : Strokes) {
        const int first = static_cast<int>(std::lround(stroke.start * SampleRate));
        for (int i = first; i < frames; ++i) {
            const double t = double(i - first) / SampleRate;
            // Raised-cosine attack: no step at the onset.
            const double attack = t < AttackSeconds ? 0.5 - 0.5 * std::cos(std::numbers::pi * t / AttackSeconds) : 1.0;
            double v = 0.0;
            for (const Partial &p : BellPartials)
                v +=
                    p.gain * std::exp(-t / p.decay) * std::sin(2.0 * std::numbers::pi * stroke.frequency * p.ratio * t);
            out[size_t(i)] += stroke.gain * attack * v;
        }
    }
    // Fade the tail to silence so the last sample is zero.
    const int fadeFrames = static_cast<int>(FadeOutSeconds * SampleRate);
    for (int i = std::max(0, frames - fadeFrames); i < frames; ++i) {
        const int left = frames - 1 - i;
        out[size_t(i)] *= 0.5 - 0.5 * std::cos(std::numbers::pi * double(left) / fadeFrames);
    }
    // Normalise the peak.
    double peak = 0.0;
    for (double v : out)
        peak = std::max(peak, std::abs(v));
    const double scale = std::pow(10.0, PeakDbfs / 20.0) / peak;
    for (double &v : out)
        v *= scale;
    return out;
}

std::vector<int16_t> quantise(const std::vector<double> &signal)
{
    std::vector<int16_t> pcm;
    pcm.reserve(signal.size());
    for (double v : signal)
        pcm.push_back(static_cast<int16_t>(std::clamp(std::lround(v * 32767.0), -32768L, 32767L)));
    return pcm;
}

void put16(std::string &out, uint16_t v)
{
    out.push_back(char(v & 0xFF));
    out.push_back(char(v >> 8));
}

void put32(std::string &out, uint32_t v)
{
    put16(out, uint16_t(v & 0xFFFF));
    put16(out, uint16_t(v >> 16));
}

// A canonical 44-byte RIFF header followed by the samples, little-endian.
std::string wavImage(const std::vector<int16_t> &pcm)
{
    const uint32_t dataBytes = uint32_t(pcm.size() * 2);
    std::string out;
    out.reserve(44 + dataBytes);
    out += "RIFF";
    put32(out, 36 + dataBytes);
    out += "WAVE";
    out += "fmt ";
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, SampleRate);
    put32(out, SampleRate * 2); // byte rate
    put16(out, 2); // block align
    put16(out, 16); // bits per sample
    out += "data";
    put32(out, dataBytes);
    for (int16_t s : pcm)
        put16(out, uint16_t(s));
    return out;
}

// Measures the samples as written and reports whether they are fit to ship.
bool check(const std::vector<int16_t> &pcm)
{
    int peak = 0;
    double sum = 0.0;
    int clipped = 0;
    for (int16_t s : pcm) {
        peak = std::max(peak, std::abs(int(s)));
        sum += s;
        if (s == 32767 || s == -32768)
            ++clipped;
    }
    const double peakDbfs = 20.0 * std::log10(peak / 32768.0);
    const double dc = sum / double(pcm.size()) / 32768.0;
    const double seconds = double(pcm.size()) / SampleRate;
    // The largest jump between neighbouring samples at the very start and end.
    auto edgeStep = [&](size_t from, size_t to) {
        int step = std::abs(int(pcm[from]));
        for (size_t i = from + 1; i < to; ++i)
            step = std::max(step, std::abs(int(pcm[i]) - int(pcm[i - 1])));
        return step;
    };
    const int headStep = edgeStep(0, 8);
    const int tail = std::abs(int(pcm.back()));

    std::printf("soundgen: %.3f s, peak %.2f dBFS, DC offset %.2e of full scale, %d clipped samples, "
                "first sample %d, largest step in the first 8 samples %d, last sample %d\n",
                seconds, peakDbfs, dc, clipped, int(pcm.front()), headStep, tail);

    bool ok = true;
    auto fail = [&](const char *what) {
        std::fprintf(stderr, "soundgen: %s\n", what);
        ok = false;
    };
    if (seconds < 0.4 || seconds > 0.8)
        fail("duration outside 0.4..0.8 s");
    if (clipped > 0)
        fail("clipped samples");
    if (peakDbfs > -5.5 || peakDbfs < -6.5)
        fail("peak level not about -6 dBFS");
    if (std::abs(dc) > 1e-3)
        fail("DC offset");
    if (pcm.front() != 0 || headStep > 2000)
        fail("click at the start");
    if (tail > 2)
        fail("click at the end");
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: soundgen OUTPUT.wav\n");
        return 2;
    }
    const std::vector<int16_t> pcm = quantise(synthesise());
    if (!check(pcm))
        return 1;
    std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
    const std::string image = wavImage(pcm);
    file.write(image.data(), std::streamsize(image.size()));
    file.close();
    if (!file) {
        std::fprintf(stderr, "soundgen: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
