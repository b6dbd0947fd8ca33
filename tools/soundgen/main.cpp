// SPDX-License-Identifier: MIT
// soundgen SOUND OUTPUT.wav
//
// Writes one of the program's own sounds as 16-bit PCM at 44.1 kHz:
//   notice       the chime the slide-in notice plays: two soft bell strokes a
//                major third apart (A5, then C#6), mono, 0.7 s.
//   ting         chime 6000 of the speaking clock: one bright little bell.
//   westminster  chime 6001: the Westminster quarter, four church-bell
//                strokes G#4 F#4 E4 B3, the last left to ring.
//   ticktock     chime 6002: a clock's tick and tock, twice.
//   flash        the attention sound built into libtktime32: a quick rising C
//                major arpeggio of four bell strokes (C6 E6 G6 C7) sweeping
//                from left to right, stereo, exactly 43,008 frames (172,032
//                bytes of samples, 172,076 bytes with the header: the size
//                callers of that library know it by).
// Each stroke is a few partials with a short raised-cosine attack and
// exponential decays, the upper partials dying faster, so the sounds are round
// rather than piercing. The tool measures the samples before writing them and
// fails the build when they are clipped, too loud or too quiet, off-centre,
// too short or too long, or click at either end.

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

struct Partial
{
    double ratio; // to the stroke's fundamental
    double gain;
    double decay; // time constant in seconds
};

struct Stroke
{
    double start; // seconds
    double frequency;
    double gain;
    double pan; // -1 left .. +1 right; ignored for mono
};

struct Design
{
    const char *name;
    int channels;
    int frames;
    std::span<const Partial> partials;
    std::span<const Stroke> strokes;
    double attackSeconds;
    double fadeOutSeconds;
    double peakDbfs;
    double minSeconds;
    double maxSeconds;
};

// A soft, slightly glassy bell: near-harmonic partials plus one stretched one.
constexpr Partial BellPartials[] = {
    {1.0, 1.00, 0.220},
    {2.0, 0.30, 0.110},
    {3.01, 0.10, 0.070},
    {4.17, 0.05, 0.045},
};

constexpr Stroke NoticeStrokes[] = {
    {0.000, 880.00, 0.85, 0.0}, // A5
    {0.130, 1108.73, 1.00, 0.0}, // C#6, a major third above
};

// The attention sound rings a little longer and a little darker, so four
// strokes in quick succession blend into one sparkle instead of four beeps.
constexpr Partial FlashPartials[] = {
    {1.0, 1.00, 0.300},
    {2.0, 0.22, 0.140},
    {3.01, 0.07, 0.080},
    {4.17, 0.03, 0.050},
};

constexpr Stroke FlashStrokes[] = {
    {0.000, 1046.50, 0.70, -0.60}, // C6
    {0.070, 1318.51, 0.75, -0.20}, // E6
    {0.140, 1567.98, 0.80, 0.20}, // G6
    {0.210, 2093.00, 1.00, 0.60}, // C7
};

// A small hand bell: a long fundamental and the bright inharmonic partials
// of a struck cup.
constexpr Partial HandBell[] = {
    {1.0, 1.00, 0.450},
    {2.76, 0.35, 0.180},
    {5.40, 0.12, 0.080},
    {8.93, 0.04, 0.040},
};

constexpr Stroke TingStrokes[] = {
    {0.000, 1318.51, 1.00, 0.0}, // E6
};

// A tuned church bell: hum an octave below, prime, minor-third tierce, quint
// and nominal, the hum ringing longest.
constexpr Partial ChurchBell[] = {
    {0.5, 0.55, 1.100},  {1.0, 1.00, 0.700}, {1.19, 0.45, 0.450},
    {1.50, 0.20, 0.300}, {2.0, 0.35, 0.220}, {2.98, 0.08, 0.090},
};

constexpr Stroke WestminsterStrokes[] = {
    {0.000, 415.30, 1.00, 0.0}, // G#4
    {0.650, 369.99, 0.95, 0.0}, // F#4
    {1.300, 329.63, 0.95, 0.0}, // E4
    {1.950, 246.94, 1.00, 0.0}, // B3
};

// A wood block: a short, dull knock with a couple of inharmonic modes.
constexpr Partial WoodBlock[] = {
    {1.0, 1.00, 0.018},
    {1.58, 0.45, 0.012},
    {2.31, 0.20, 0.008},
};

constexpr Stroke TickTockStrokes[] = {
    {0.000, 2100.0, 0.80, 0.0},
    {0.450, 1400.0, 1.00, 0.0},
    {0.900, 2100.0, 0.80, 0.0},
    {1.350, 1400.0, 1.00, 0.0},
};

constexpr Design Designs[] = {
    {"notice", 1, 30870, BellPartials, NoticeStrokes, 0.006, 0.060, -6.0, 0.4, 0.8},
    {"ting", 1, 52920, HandBell, TingStrokes, 0.003, 0.060, -6.0, 0.8, 1.5},
    {"westminster", 1, 158760, ChurchBell, WestminsterStrokes, 0.008, 0.060, -6.0, 3.0, 4.0},
    {"ticktock", 1, 70560, WoodBlock, TickTockStrokes, 0.001, 0.060, -6.0, 1.2, 2.0},
    {"flash", 2, 43008, FlashPartials, FlashStrokes, 0.004, 0.120, -6.0, 0.4, 1.0},
};

// Interleaved samples, channels() values per frame.
std::vector<double> synthesise(const Design &design)
{
    const int channels = design.channels;
    const int frames = design.frames;
    std::vector<double> out(size_t(frames) * size_t(channels), 0.0);
    for (const Stroke &stroke : design.strokes) {
        // Constant-power panning keeps each stroke equally loud wherever it sits.
        const double angle = (stroke.pan + 1.0) * std::numbers::pi / 4.0;
        const double channelGain[2] = {channels == 1 ? 1.0 : std::cos(angle), std::sin(angle)};
        const int first = static_cast<int>(std::lround(stroke.start * SampleRate));
        for (int i = first; i < frames; ++i) {
            const double t = double(i - first) / SampleRate;
            // Raised-cosine attack: no step at the onset.
            const double attack =
                t < design.attackSeconds ? 0.5 - 0.5 * std::cos(std::numbers::pi * t / design.attackSeconds) : 1.0;
            double v = 0.0;
            for (const Partial &p : design.partials)
                v +=
                    p.gain * std::exp(-t / p.decay) * std::sin(2.0 * std::numbers::pi * stroke.frequency * p.ratio * t);
            for (int c = 0; c < channels; ++c)
                out[size_t(i) * size_t(channels) + size_t(c)] += channelGain[c] * stroke.gain * attack * v;
        }
    }
    // Fade the tail to silence so the last frame is zero.
    const int fadeFrames = static_cast<int>(design.fadeOutSeconds * SampleRate);
    for (int i = std::max(0, frames - fadeFrames); i < frames; ++i) {
        const int left = frames - 1 - i;
        const double gain = 0.5 - 0.5 * std::cos(std::numbers::pi * double(left) / fadeFrames);
        for (int c = 0; c < channels; ++c)
            out[size_t(i) * size_t(channels) + size_t(c)] *= gain;
    }
    // Normalise the peak.
    double peak = 0.0;
    for (double v : out)
        peak = std::max(peak, std::abs(v));
    const double scale = std::pow(10.0, design.peakDbfs / 20.0) / peak;
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
std::string wavImage(const std::vector<int16_t> &pcm, int channels)
{
    const uint32_t dataBytes = uint32_t(pcm.size() * 2);
    const uint16_t blockAlign = uint16_t(channels * 2);
    std::string out;
    out.reserve(44 + dataBytes);
    out += "RIFF";
    put32(out, 36 + dataBytes);
    out += "WAVE";
    out += "fmt ";
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, uint16_t(channels));
    put32(out, SampleRate);
    put32(out, SampleRate * blockAlign); // byte rate
    put16(out, blockAlign);
    put16(out, 16); // bits per sample
    out += "data";
    put32(out, dataBytes);
    for (int16_t s : pcm)
        put16(out, uint16_t(s));
    return out;
}

// Measures the samples as written and reports whether they are fit to ship.
bool check(const Design &design, const std::vector<int16_t> &pcm)
{
    const size_t channels = size_t(design.channels);
    const size_t frames = pcm.size() / channels;
    int peak = 0;
    int clipped = 0;
    for (int16_t s : pcm) {
        peak = std::max(peak, std::abs(int(s)));
        if (s == 32767 || s == -32768)
            ++clipped;
    }
    const double peakDbfs = 20.0 * std::log10(peak / 32768.0);
    double worstDc = 0.0;
    int headStep = 0; // the largest jump between neighbouring frames at the very start
    int first = 0;
    int last = 0;
    for (size_t c = 0; c < channels; ++c) {
        auto at = [&](size_t frame) {
            return int(pcm[frame * channels + c]);
        };
        double sum = 0.0;
        for (size_t i = 0; i < frames; ++i)
            sum += at(i);
        const double dc = sum / double(frames) / 32768.0;
        if (std::abs(dc) > std::abs(worstDc))
            worstDc = dc;
        headStep = std::max(headStep, std::abs(at(0)));
        for (size_t i = 1; i < 8; ++i)
            headStep = std::max(headStep, std::abs(at(i) - at(i - 1)));
        first = std::max(first, std::abs(at(0)));
        last = std::max(last, std::abs(at(frames - 1)));
    }
    const double seconds = double(frames) / SampleRate;

    std::printf("soundgen %s: %.3f s, %zu channel(s), peak %.2f dBFS, DC offset %.2e of full scale, "
                "%d clipped samples, first sample %d, largest step in the first 8 frames %d, last sample %d\n",
                design.name, seconds, channels, peakDbfs, worstDc, clipped, first, headStep, last);

    bool ok = true;
    auto fail = [&](const char *what) {
        std::fprintf(stderr, "soundgen %s: %s\n", design.name, what);
        ok = false;
    };
    if (seconds < design.minSeconds || seconds > design.maxSeconds)
        fail("duration out of range");
    if (clipped > 0)
        fail("clipped samples");
    if (peakDbfs > design.peakDbfs + 0.5 || peakDbfs < design.peakDbfs - 0.5)
        fail("peak level off its target");
    if (std::abs(worstDc) > 1e-3)
        fail("DC offset");
    if (first != 0 || headStep > 2000)
        fail("click at the start");
    if (last > 2)
        fail("click at the end");
    return ok;
}

const Design *findDesign(const char *name)
{
    for (const Design &design : Designs) {
        if (std::strcmp(design.name, name) == 0)
            return &design;
    }
    return nullptr;
}

} // namespace

int main(int argc, char **argv)
{
    const Design *design = argc == 3 ? findDesign(argv[1]) : nullptr;
    if (!design) {
        std::fprintf(stderr, "usage: soundgen notice|ting|westminster|ticktock|flash OUTPUT.wav\n");
        return 2;
    }
    const std::vector<int16_t> pcm = quantise(synthesise(*design));
    if (!check(*design, pcm))
        return 1;
    std::ofstream file(argv[2], std::ios::binary | std::ios::trunc);
    const std::string image = wavImage(pcm, design->channels);
    file.write(image.data(), std::streamsize(image.size()));
    file.close();
    if (!file) {
        std::fprintf(stderr, "soundgen: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
