// SPDX-License-Identifier: MIT
// voicegen CLIPS.txt RAWDIR OUTDIR
//
// Turns the recordings espeak-ng made of the voice pack's words into the
// clips the pack holds, and writes the resource scripts that package them:
//   - RAWDIR/<id>.wav, one per row of CLIPS.txt, is cut to the word itself
//     (the synthesiser leaves silence before and after it), faded at both
//     ends so no clip clicks, and brought to one loudness so the words of a
//     sentence sound even;
//   - OUTDIR/<id>.wav are those clips, 16-bit mono PCM;
//   - OUTDIR/Sona.rc lists them as resources of type WAVE;
//   - OUTDIR/seed.rc with seed-*.wav is a tiny pack of the same make, the
//     fuzzer's starting point for the pack reader.
// It prints each clip's length and levels and fails on a clip that is
// missing, silent, clipped or of an implausible length.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <numbers>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Loudness is judged on 5 ms windows; a window is speech when it is within
// 35 dB of the loudest one.
constexpr double WindowSeconds = 0.005;
constexpr double SpeechBelowPeakDb = 35.0;
// Kept around the speech: the soft onset of a consonant before it, the
// ringing out of the vowel after it.
constexpr double LeadSeconds = 0.020;
constexpr double TailSeconds = 0.050;
constexpr double FadeInSeconds = 0.005;
constexpr double FadeOutSeconds = 0.020;
// Every clip's speech is brought to this RMS level, unless its peak would
// then pass the ceiling.
constexpr double TargetRmsDbfs = -17.0;
constexpr double PeakCeilingDbfs = -1.0;
constexpr double MinSeconds = 0.15;
constexpr double MaxSeconds = 2.5;
// The seed pack's clips: the first few milliseconds of two real clips.
constexpr int SeedFrames = 32;

struct Clip
{
    std::string id;
    std::string pinyin;
};

struct Pcm
{
    int sampleRate = 0;
    std::vector<double> samples; // -1..1
};

std::optional<std::string> readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

uint32_t le(const std::string &bytes, size_t at, int width)
{
    uint32_t v = 0;
    for (int i = width - 1; i >= 0; --i)
        v = (v << 8) | uint8_t(bytes[at + size_t(i)]);
    return v;
}

// A 16-bit mono PCM RIFF WAVE, as espeak-ng writes it.
std::optional<Pcm> readWave(const std::string &path)
{
    const auto bytes = readFile(path);
    if (!bytes || bytes->size() < 12 || bytes->compare(0, 4, "RIFF") != 0 || bytes->compare(8, 4, "WAVE") != 0)
        return std::nullopt;
    Pcm pcm;
    bool formatOk = false;
    for (size_t at = 12; at + 8 <= bytes->size();) {
        const std::string id = bytes->substr(at, 4);
        const size_t size = std::min<size_t>(le(*bytes, at + 4, 4), bytes->size() - at - 8);
        const size_t body = at + 8;
        if (id == "fmt " && size >= 16) {
            formatOk = le(*bytes, body, 2) == 1 && le(*bytes, body + 2, 2) == 1 && le(*bytes, body + 14, 2) == 16;
            pcm.sampleRate = int(le(*bytes, body + 4, 4));
        } else if (id == "data" && formatOk) {
            for (size_t i = 0; i + 1 < size; i += 2)
                pcm.samples.push_back(int16_t(le(*bytes, body + i, 2)) / 32768.0);
            return pcm;
        }
        at = body + size + (size & 1);
    }
    return std::nullopt;
}

void put(std::string &out, uint32_t v, int width)
{
    for (int i = 0; i < width; ++i)
        out.push_back(char((v >> (8 * i)) & 0xFF));
}

bool writeWave(const std::string &path, int sampleRate, const std::vector<int16_t> &samples)
{
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    std::string out = "RIFF";
    put(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    put(out, 16, 4);
    put(out, 1, 2); // PCM
    put(out, 1, 2); // mono
    put(out, uint32_t(sampleRate), 4);
    put(out, uint32_t(sampleRate * 2), 4);
    put(out, 2, 2);
    put(out, 16, 2);
    out += "data";
    put(out, dataBytes, 4);
    for (int16_t s : samples)
        put(out, uint16_t(s), 2);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(out.data(), std::streamsize(out.size()));
    file.close();
    return bool(file);
}

bool writeText(const std::string &path, const std::string &text)
{
    std::ofstream file(path, std::ios::trunc);
    file << text;
    file.close();
    return bool(file);
}

double dbfs(double level)
{
    return 20.0 * std::log10(std::max(level, 1e-9));
}

struct Shaped
{
    std::vector<int16_t> samples;
    double seconds = 0;
    double peakDbfs = 0;
    double rmsDbfs = 0;
};

// Cuts the clip to its speech, fades its ends and sets its level.
std::optional<Shaped> shape(const Pcm &in)
{
    const size_t window = std::max<size_t>(1, size_t(WindowSeconds * in.sampleRate));
    const size_t windows = in.samples.size() / window;
    if (windows == 0)
        return std::nullopt;
    std::vector<double> rms(windows);
    for (size_t w = 0; w < windows; ++w) {
        double sum = 0;
        for (size_t i = w * window; i < (w + 1) * window; ++i)
            sum += in.samples[i] * in.samples[i];
        rms[w] = std::sqrt(sum / double(window));
    }
    const double loudest = *std::max_element(rms.begin(), rms.end());
    if (dbfs(loudest) < -60.0)
        return std::nullopt; // nothing but silence
    const double threshold = loudest * std::pow(10.0, -SpeechBelowPeakDb / 20.0);
    size_t first = windows, last = 0;
    double speechSum = 0;
    size_t speechWindows = 0;
    for (size_t w = 0; w < windows; ++w) {
        if (rms[w] < threshold)
            continue;
        first = std::min(first, w);
        last = w;
        speechSum += rms[w] * rms[w];
        ++speechWindows;
    }
    const auto lead = size_t(LeadSeconds * in.sampleRate);
    const auto tail = size_t(TailSeconds * in.sampleRate);
    const size_t begin = first * window > lead ? first * window - lead : 0;
    const size_t end = std::min(in.samples.size(), (last + 1) * window + tail);
    std::vector<double> cut(in.samples.begin() + std::ptrdiff_t(begin), in.samples.begin() + std::ptrdiff_t(end));

    const auto fadeIn = size_t(FadeInSeconds * in.sampleRate);
    const auto fadeOut = size_t(FadeOutSeconds * in.sampleRate);
    for (size_t i = 0; i < std::min(fadeIn, cut.size()); ++i)
        cut[i] *= 0.5 - 0.5 * std::cos(std::numbers::pi * double(i) / double(fadeIn));
    for (size_t i = 0; i < std::min(fadeOut, cut.size()); ++i)
        cut[cut.size() - 1 - i] *= 0.5 - 0.5 * std::cos(std::numbers::pi * double(i) / double(fadeOut));

    double peak = 0;
    for (double v : cut)
        peak = std::max(peak, std::abs(v));
    const double speechRms = std::sqrt(speechSum / double(speechWindows));
    double gain = std::pow(10.0, TargetRmsDbfs / 20.0) / speechRms;
    gain = std::min(gain, std::pow(10.0, PeakCeilingDbfs / 20.0) / peak);

    Shaped out;
    for (double v : cut)
        out.samples.push_back(int16_t(std::clamp(std::lround(v * gain * 32767.0), -32767L, 32767L)));
    out.seconds = double(out.samples.size()) / in.sampleRate;
    out.peakDbfs = dbfs(peak * gain);
    out.rmsDbfs = dbfs(speechRms * gain);
    return out;
}

std::vector<Clip> readTable(const std::string &text)
{
    std::vector<Clip> clips;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        Clip clip;
        std::getline(fields, clip.id, '\t');
        std::getline(fields, clip.pinyin, '\t');
        if (!clip.id.empty() && !clip.pinyin.empty())
            clips.push_back(clip);
    }
    return clips;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: voicegen CLIPS.txt RAWDIR OUTDIR\n");
        return 2;
    }
    const std::string rawDir = argv[2];
    const std::string outDir = argv[3];
    const auto table = readFile(argv[1]);
    const std::vector<Clip> clips = table ? readTable(*table) : std::vector<Clip> {};
    if (clips.empty()) {
        std::fprintf(stderr, "voicegen: no clips in %s\n", argv[1]);
        return 1;
    }

    // Chinese (Simplified, PRC): the language a Windows resource compiler
    // would give a Mandarin pack.
    std::string script = "// The voice pack Sona, written by voicegen.\nLANGUAGE 4, 2\n";
    std::string seed = "// The fuzzer's seed pack, written by voicegen.\nLANGUAGE 4, 2\n";
    double total = 0;
    bool ok = true;
    for (size_t n = 0; n < clips.size(); ++n) {
        const Clip &clip = clips[n];
        const auto pcm = readWave(rawDir + "/" + clip.id + ".wav");
        const auto shaped = pcm ? shape(*pcm) : std::nullopt;
        if (!shaped) {
            std::fprintf(stderr, "voicegen: clip %s (%s): no usable recording\n", clip.id.c_str(), clip.pinyin.c_str());
            ok = false;
            continue;
        }
        std::printf("voicegen: %s %-26s %.3f s, peak %.1f dBFS, speech RMS %.1f dBFS\n", clip.id.c_str(),
                    clip.pinyin.c_str(), shaped->seconds, shaped->peakDbfs, shaped->rmsDbfs);
        total += shaped->seconds;
        if (shaped->seconds < MinSeconds || shaped->seconds > MaxSeconds) {
            std::fprintf(stderr, "voicegen: clip %s: implausible length\n", clip.id.c_str());
            ok = false;
        }
        const std::string name = clip.id + ".wav";
        ok = writeWave(outDir + "/" + name, pcm->sampleRate, shaped->samples) && ok;
        script += clip.id + " WAVE \"" + name + "\"\n";
        if (n < 2) {
            const std::vector<int16_t> head(shaped->samples.begin(), shaped->samples.begin() + SeedFrames);
            ok = writeWave(outDir + "/seed-" + name, pcm->sampleRate, head) && ok;
            seed += clip.id + " WAVE \"seed-" + name + "\"\n";
        }
    }
    // A second language of the first clip: the reader takes the first.
    seed += "LANGUAGE 9, 1\n" + clips[0].id + " WAVE \"seed-" + clips[1].id + ".wav\"\n";
    std::printf("voicegen: %zu clips, %.2f s in all\n", clips.size(), total);
    ok = writeText(outDir + "/Sona.rc", script) && writeText(outDir + "/seed.rc", seed) && ok;
    return ok ? 0 : 1;
}
