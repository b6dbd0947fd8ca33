// SPDX-License-Identifier: MIT
// soundgen NAME OUTPUT.wav
//
// Writes one of the program's own sounds, 16-bit mono PCM at 44.1 kHz:
//   notice       the slide-in notice: two soft bell strokes a major third
//                apart (A5, then C#6)
//   ting         chime 6000: one bright little bell
//   westminster  chime 6001: the Westminster quarter, four church-bell
//                strokes G#4 F#4 E4 B3, the last left to ring
//   ticktock     chime 6002: a clock's tick and tock, twice
// Each stroke is a few partials with a short raised-cosine attack and
// exponential decays, the upper partials dying faster, so the sounds are
// round rather than piercing. The tool measures the samples before writing
// them and fails the build when they are clipped, too loud or too quiet,
// off-centre, too short or too long, or click at either end.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <numbers>
#include <span>
#include <string>
#include <vector>

namespace {

constexpr int SampleRate = 44100;
constexpr double PeakDbfs = -6.0;
constexpr double FadeOutSeconds = 0.060;

struct Partial
{
    double ratio; // to the stroke's fundamental
    double gain;
    double decay; // time constant in seconds
};

// A soft, slightly glassy bell: near-harmonic partials plus one stretched one.
constexpr Partial SoftBell[] = {
    {1.0, 1.00, 0.220},
    {2.0, 0.30, 0.110},
    {3.01, 0.10, 0.070},
    {4.17, 0.05, 0.045},
};

// A small hand bell: a long fundamental and the bright inharmonic partials
// of a struck cup.
constexpr Partial HandBell[] = {
    {1.0, 1.00, 0.450},
    {2.76, 0.35, 0.180},
    {5.40, 0.12, 0.080},
    {8.93, 0.04, 0.040},
};

// A tuned church bell: hum an octave below, prime, minor-third tierce, quint
// and nominal, the hum ringing longest.
constexpr Partial ChurchBell[] = {
    {0.5, 0.55, 1.100},  {1.0, 1.00, 0.700}, {1.19, 0.45, 0.450},
    {1.50, 0.20, 0.300}, {2.0, 0.35, 0.220}, {2.98, 0.08, 0.090},
};

// A wood block: a short, dull knock with a couple of inharmonic modes.
constexpr Partial WoodBlock[] = {
    {1.0, 1.00, 0.018},
    {1.58, 0.45, 0.012},
    {2.31, 0.20, 0.008},
};

struct Stroke
{
    double start; // seconds
    double frequency;
    double gain;
};

struct Sound
{
    const char *name;
    std::span<const Partial> partials;
    std::vector<Stroke> strokes;
    double duration; // seconds
    double attack; // seconds of the raised-cosine onset
    double minSeconds;
    double maxSeconds;
};

const std::vector<Sound> &sounds()
{
    static const std::vector<Sound> all = {
        {"notice", SoftBell, {{0.000, 880.00, 0.85}, {0.130, 1108.73, 1.00}}, 0.70, 0.006, 0.4, 0.8},
        {"ting", HandBell, {{0.000, 1318.51, 1.00}}, 1.20, 0.003, 0.8, 1.5},
        {"westminster",
         ChurchBell,
         {{0.000, 415.30, 1.00}, {0.650, 369.99, 0.95}, {1.300, 329.63, 0.95}, {1.950, 246.94, 1.00}},
         3.60,
         0.008,
         3.0,
         4.0},
        {"ticktock",
         WoodBlock,
         {{0.000, 2100.0, 0.80}, {0.450, 1400.0, 1.00}, {0.900, 2100.0, 0.80}, {1.350, 1400.0, 1.00}},
         1.60,
         0.001,
         1.2,
         2.0},
    };
    return all;
}

std::vector<double> synthesise(const Sound &sound)
{
    const int frames = static_cast<int>(std::lround(sound.duration * SampleRate));
    std::vector<double> out(static_cast<size_t>(frames), 0.0);
    for (const Stroke &stroke : sound.strokes) {
        const int first = static_cast<int>(std::lround(stroke.start * SampleRate));
        for (int i = first; i < frames; ++i) {
            const double t = double(i - first) / SampleRate;
            // Raised-cosine attack: no step at the onset.
            const double attack = t < sound.attack ? 0.5 - 0.5 * std::cos(std::numbers::pi * t / sound.attack) : 1.0;
            double v = 0.0;
            for (const Partial &p : sound.partials)
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
bool check(const Sound &sound, const std::vector<int16_t> &pcm)
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

    std::printf("soundgen %s: %.3f s, peak %.2f dBFS, DC offset %.2e of full scale, %d clipped samples, "
                "first sample %d, largest step in the first 8 samples %d, last sample %d\n",
                sound.name, seconds, peakDbfs, dc, clipped, int(pcm.front()), headStep, tail);

    bool ok = true;
    auto fail = [&](const char *what) {
        std::fprintf(stderr, "soundgen %s: %s\n", sound.name, what);
        ok = false;
    };
    if (seconds < sound.minSeconds || seconds > sound.maxSeconds)
        fail("duration out of range");
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

const Sound *findSound(const char *name)
{
    for (const Sound &sound : sounds()) {
        if (std::strcmp(sound.name, name) == 0)
            return &sound;
    }
    return nullptr;
}

} // namespace

int main(int argc, char **argv)
{
    const Sound *sound = argc == 3 ? findSound(argv[1]) : nullptr;
    if (!sound) {
        std::fprintf(stderr, "usage: soundgen notice|ting|westminster|ticktock OUTPUT.wav\n");
        return 2;
    }
    const std::vector<int16_t> pcm = quantise(synthesise(*sound));
    if (!check(*sound, pcm))
        return 1;
    std::ofstream file(argv[2], std::ios::binary | std::ios::trunc);
    const std::string image = wavImage(pcm);
    file.write(image.data(), std::streamsize(image.size()));
    file.close();
    if (!file) {
        std::fprintf(stderr, "soundgen: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
