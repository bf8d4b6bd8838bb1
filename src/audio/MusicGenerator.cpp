#include "audio/MusicGenerator.h"

#include "audio/CacheFile.h"
#include "model/DataRoot.h"
#include "platform/media/AudioFileWriter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <random>
#include <stdexcept>

namespace vt::MusicGenerator {

namespace {

constexpr double rate = sampleRate;
constexpr std::size_t tableSize = 4096;
// Room for notes that ring past the loop's end; folded onto its start.
constexpr std::int64_t tailSamples = 132'300;
constexpr std::int64_t writeChunk = 32'768;
constexpr double twoPi = 2 * std::numbers::pi;

using Table = std::array<float, tableSize>;

const Table& sineTable()
{
    static const Table table = [] {
        Table t{};
        for (std::size_t i = 0; i < tableSize; ++i) t[i] = static_cast<float>(std::sin(twoPi * double(i) / tableSize));
        return t;
    }();
    return table;
}

// A sawtooth of twelve harmonics, so the table holds nothing to alias.
const Table& sawTable()
{
    static const Table table = [] {
        Table t{};
        for (std::size_t i = 0; i < tableSize; ++i) {
            const double theta = twoPi * double(i) / tableSize;
            double sum = 0;
            for (int k = 1; k <= 12; ++k) sum += std::sin(k * theta) / k;
            t[i] = static_cast<float>(0.55 * sum);
        }
        return t;
    }();
    return table;
}

std::int64_t samples(double seconds) { return static_cast<std::int64_t>(seconds * rate); }
double frequency(double midi) { return 440 * std::pow(2.0, (midi - 69) / 12); }
float lowPass(double cutoff) { return static_cast<float>(1 - std::exp(-twoPi * cutoff / rate)); }
constexpr float noFilter = 1;

struct Pan {
    float left, right;
    static Pan at(double pan, double level)
    {
        return {static_cast<float>(std::min(1 - pan, 1.0) * level), static_cast<float>(std::min(1 + pan, 1.0) * level)};
    }
    static Pan both(double level) { return {static_cast<float>(level), static_cast<float>(level)}; }
};

// exp(−t / τ) sample by sample, one multiplication per step instead of an
// exponential per sample (the rounding drift stays far below a 16-bit step).
struct Decay {
    explicit Decay(double tau) : step(std::exp(-1 / (tau * rate))) {}
    double value = 1;
    double step;
    double next() { return value *= step; }
};

struct Voice {
    const Table* table;
    double frequency;
    double start;   // seconds
    std::int64_t length;
    Pan pan;
    double attack, hold, release;  // seconds; the release begins at `hold`
    float filter = noFilter;       // one-pole coefficient; 1 is none
    bool tremolo = false;          // 4.5 Hz, 25 % deep
};

class Synth {
public:
    Synth(std::int64_t length, std::uint64_t seed) : left(std::size_t(length), 0.0f), right(std::size_t(length), 0.0f), random_(seed) {}

    std::vector<float> left, right;

    void play(const Voice& v)
    {
        double phase = std::uniform_real_distribution<double>(0, tableSize)(random_);
        const double step = v.frequency / rate * tableSize;
        const std::int64_t s = samples(v.start);
        const std::int64_t end = std::min<std::int64_t>(v.length, size() - s);
        float y = 0;
        Decay release(v.release);
        bool releasing = false;
        for (std::int64_t j = 0; j < end; ++j) {
            const double t = double(j) / rate;
            double envelope = 1;
            if (t < v.attack) {
                envelope = t / v.attack;
            } else if (t >= v.hold) {
                if (!releasing) release.value = std::exp(-(t - v.hold) / v.release);
                envelope = releasing ? release.next() : release.value;
                releasing = true;
            }
            if (v.tremolo) envelope *= 1 - 0.25 * (0.5 + 0.5 * std::sin(twoPi * 4.5 * t));
            const float x = (*v.table)[static_cast<std::size_t>(phase) % tableSize];
            y += v.filter * (x - y);
            const float out = static_cast<float>(y * envelope);
            left[std::size_t(s + j)] += v.pan.left * out;
            right[std::size_t(s + j)] += v.pan.right * out;
            phase += step;
            if (phase >= tableSize) phase -= tableSize;
        }
    }

    // A sine whose pitch falls from 120 Hz towards 45 Hz, 0.35 s long.
    void kick(double time, float gain)
    {
        const std::int64_t s = samples(time);
        double phase = 0;
        Decay pitch(0.03), level(0.12);
        for (std::int64_t i = 0; i < 15'434 && s + i < size(); ++i) {
            phase += (45 + 75 * pitch.value) / rate;
            const float v = static_cast<float>(std::sin(twoPi * phase) * level.value) * gain;
            pitch.next();
            level.next();
            left[std::size_t(s + i)] += v;
            right[std::size_t(s + i)] += v;
        }
    }

    // Filtered noise; `differentiation` 1 gives hats, less keeps more of the
    // white noise (snares, claps). The generator is shared and seeded once,
    // so the drums are the same in every render.
    void burst(double time, std::int64_t length, double decay, float differentiation, float level)
    {
        const std::int64_t s = samples(time);
        float previous = 0, y = 0;
        Decay fade(decay);
        for (std::int64_t j = 0; j < length && s + j < size(); ++j, fade.next()) {
            noiseState_ = noiseState_ * 1'664'525u + 1'013'904'223u;
            const float x = static_cast<float>(static_cast<std::int32_t>(noiseState_) / 2147483648.0);
            y += ((1 - differentiation) * x + differentiation * (x - previous) - y) * 0.35f;
            previous = x;
            const float v = y * static_cast<float>(fade.value) * level;
            left[std::size_t(s + j)] += 0.9f * v;
            right[std::size_t(s + j)] += v;
        }
    }

    std::int64_t size() const { return static_cast<std::int64_t>(left.size()); }

private:
    std::mt19937_64 random_;
    std::uint32_t noiseState_ = 12'345;
};

struct Bar {
    const std::vector<int>& chord;
    double t0, beat, bar;
    bool secondPass;
    double tk(int k) const { return t0 + k * beat; }
};

void lofi(Synth& s, const Bar& b)
{
    const auto& c = b.chord;
    for (std::size_t i = 0; i < c.size(); ++i) {
        s.play({&sineTable(), frequency(c[i]), b.t0 + 0.012 * double(i), samples(0.9 * b.bar + 2.4), Pan::at(double(i) / 3 - 0.5, 0.07),
                0.01, 0.9 * b.bar, 0.8, noFilter, true});
        s.play({&sineTable(), frequency(c[i] + 12), b.t0, samples(0.5 * b.bar + 0.9), Pan::both(0.012), 0.01, 0.5 * b.bar, 0.3});
    }
    s.play({&sineTable(), frequency(c[0] - 24), b.t0, samples(1.8 * b.beat + 0.6), Pan::both(0.16), 0.02, 1.8 * b.beat, 0.2});
    s.play({&sineTable(), frequency(c[0] - 24), b.t0 + 2.5 * b.beat, samples(1.2 * b.beat + 0.6), Pan::both(0.12), 0.02, 1.2 * b.beat, 0.2});
    for (int k = 0; k < 4; ++k) {
        if (k % 2 == 0)
            s.kick(b.tk(k), 0.5f);
        else
            s.burst(b.tk(k), 15'435, 0.07, 0.3f, 0.18f);
        s.burst(b.tk(k) + 0.5 * b.beat + 0.02, 4'410, 0.02, 1, 0.05f);  // swung off-beat hat
        s.burst(b.tk(k), 4'410, 0.02, 1, 0.035f);
    }
}

void upbeat(Synth& s, const Bar& b)
{
    const auto& c = b.chord;
    for (int e : {0, 2, 3, 5, 6})
        for (std::size_t i = 0; i < c.size(); ++i)
            s.play({&sawTable(), frequency(c[i]), b.t0 + 0.5 * b.beat * e, 18'081, Pan::at(double(i) - 1, 0.05), 0.003, 0.05, 0.12,
                    lowPass(2800)});
    for (int k = 0; k < 4; ++k) {
        s.kick(b.tk(k), b.secondPass ? 0.6f : 0.45f);
        if (k % 2 == 1) s.burst(b.tk(k), 19'844, 0.09, 0.6f, 0.22f);
        s.burst(b.tk(k) + 0.5 * b.beat, 6'615, 0.03, 1, 0.07f);
        s.play({&sawTable(), frequency(c[0] - 24), b.tk(k) + 0.5 * b.beat, samples(0.35 * b.beat + 0.24), Pan::both(0.14), 0.005,
                0.35 * b.beat, 0.08, lowPass(400)});
    }
}

void cinematic(Synth& s, const Bar& b)
{
    const auto& c = b.chord;
    for (std::size_t i = 0; i < c.size(); ++i)
        for (double detune : {-0.12, 0.12})
            s.play({&sawTable(), frequency(c[i]) * std::pow(2.0, detune / 12), b.t0, samples(b.bar + 3.6),
                    Pan::at(i % 2 == 0 ? 6 * detune : -6 * detune, 0.035), 1.2, b.bar, 1.2, lowPass(1100)});
    s.play({&sineTable(), frequency(c[0] - 24), b.t0, samples(b.bar + 3), Pan::both(0.14), 0.8, b.bar, 1.0});
    if (b.secondPass) {
        s.kick(b.t0, 0.35f);
        s.kick(b.t0 + 2 * b.beat, 0.35f);
    }
}

void ambient(Synth& s, const Bar& b)
{
    const auto& c = b.chord;
    for (std::size_t i = 0; i < c.size(); ++i) {
        const double n = double(i);
        s.play({&sineTable(), frequency(c[i]), b.t0 + 0.25 * n, samples(b.bar + 6), Pan::at(0.5 * n - 0.75, 0.045), 1.5, b.bar, 2.0});
        s.play({&sineTable(), frequency(c[i] + 12), b.t0 + n * b.beat, samples(b.beat + 2.7), Pan::at(0.6 - n / 3, 0.018), 0.02, b.beat,
                0.9});
    }
}

// Each echo bounces between the channels, 0.28 times weaker at each bounce.
void pingPong(Synth& s, double beat)
{
    const std::int64_t delay = samples(beat * 0.75);
    for (std::int64_t i = 0; i + delay < s.size(); ++i) {
        s.left[std::size_t(i + delay)] += s.right[std::size_t(i)] * 0.28f;
        s.right[std::size_t(i + delay)] += s.left[std::size_t(i)] * 0.28f;
    }
}

// Notes ringing past the loop's end continue at its start, so the file
// repeats without a seam.
void foldTail(std::vector<float>& channel, std::int64_t length)
{
    for (std::int64_t k = 0; k < tailSamples; ++k) channel[std::size_t(k)] += channel[std::size_t(length + k)];
    channel.resize(std::size_t(length));
}

void normalize(Loop& loop)
{
    auto peakOf = [](const std::vector<float>& c) {
        float peak = c.empty() ? 1.0f : 0.0f;
        for (float x : c) peak = std::max(peak, std::fabs(x));
        return peak;
    };
    const float peak = std::max({peakOf(loop.left), peakOf(loop.right), 0.000001f});
    const float g = 0.85f / peak;
    const float tanhOfDrive = std::tanh(1.1f);  // the loudest sample ends near 0.9156
    for (auto* channel : {&loop.left, &loop.right})
        for (float& x : *channel) x = std::tanh(g * x * 1.1f) / tanhOfDrive;
}

void write(const Loop& loop, const std::filesystem::path& destination, const Progress& progress, const CancelToken& cancel)
{
    CacheFile file(destination);
    media::AudioFileWriter writer(file.temporary(), media::AudioFileWriter::Kind::aacM4A, {sampleRate, 2});
    const auto frames = static_cast<std::int64_t>(loop.left.size());
    for (std::int64_t at = 0; at < frames; at += writeChunk) {
        cancel.throwIfCancelled();
        const float* planes[] = {loop.left.data() + at, loop.right.data() + at};
        writer.write(planes, std::min(writeChunk, frames - at));
        if (progress) progress(0.8 + 0.2 * double(std::min(at + writeChunk, frames)) / double(frames));
    }
    writer.finish();
    file.commit();
}

}  // namespace

const std::vector<Mood>& moods()
{
    static const std::vector<Mood> table{
        {"lofi", "Lo-fi Chill", "Warm keys, soft beat \u00b7 80 BPM", 80, Style::lofi, {{53, 57, 60, 64}, {52, 55, 59, 62}, {50, 53, 57, 60}, {48, 52, 55, 59}}},
        {"upbeat", "Upbeat Pop", "Bright plucks, four-on-the-floor \u00b7 118 BPM", 118, Style::upbeat, {{60, 64, 67}, {55, 59, 62}, {57, 60, 64}, {53, 57, 60}}},
        {"cinematic", "Cinematic", "Slow pads and sub bass \u00b7 70 BPM", 70, Style::cinematic, {{57, 60, 64}, {53, 57, 60}, {48, 52, 55}, {55, 59, 62}}},
        {"ambient", "Soft Ambient", "Airy, no drums, great under talking \u00b7 72 BPM", 72, Style::ambient,
         {{60, 64, 67, 71}, {57, 60, 64, 67}, {53, 57, 60, 64}, {55, 59, 62, 65}}},
    };
    return table;
}

std::int64_t loopLength(const Mood& mood)
{
    const double bar = 4 * 60 / mood.bpm;
    return samples(bar * double(2 * mood.chords.size()));
}

Loop render(const Mood& mood, std::uint64_t seed, const Progress& progress, const CancelToken& cancel)
{
    const double beat = 60 / mood.bpm;
    const double bar = 4 * beat;
    const std::size_t n = mood.chords.size();
    const std::int64_t length = loopLength(mood);
    Synth synth(length + tailSamples, seed);
    for (std::size_t b = 0; b < 2 * n; ++b) {
        cancel.throwIfCancelled();
        const Bar at{mood.chords[b % n], bar * double(b), beat, bar, b >= n};
        switch (mood.style) {
        case Style::lofi: lofi(synth, at); break;
        case Style::upbeat: upbeat(synth, at); break;
        case Style::cinematic: cinematic(synth, at); break;
        case Style::ambient: ambient(synth, at); break;
        }
        if (progress) progress(0.8 * double(b + 1) / double(2 * n));
    }
    pingPong(synth, beat);
    foldTail(synth.left, length);
    foldTail(synth.right, length);
    Loop loop{std::move(synth.left), std::move(synth.right)};
    normalize(loop);
    return loop;
}

std::filesystem::path ensure(const Mood& mood, const Progress& progress, const CancelToken& cancel)
{
    const std::filesystem::path folder = DataRoot::folder(DataRoot::musicFolder);
    const std::filesystem::path file = folder / (mood.id + "-v1.m4a");
    if (std::filesystem::exists(file)) return file;
    if (!std::filesystem::is_directory(folder)) throw std::runtime_error("Couldn't create the folder " + folder.string() + ".");
    const Loop loop = render(mood, std::random_device{}(), progress, cancel);
    write(loop, file, progress, cancel);
    if (progress) progress(1);
    return file;
}

}  // namespace vt::MusicGenerator
