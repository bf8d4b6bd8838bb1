#include "audio/SoundEffectsRenderer.h"

#include "audio/CacheFile.h"
#include "model/DataRoot.h"
#include "platform/media/AudioFileWriter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>
#include <random>
#include <stdexcept>

namespace vt::SoundEffectsRenderer {

namespace {

constexpr double rate = sampleRate;
constexpr double twoPi = 2 * std::numbers::pi;
// Pops closer than this to the last kept pop are dropped.
constexpr double popSpacing = 0.25;
// A cut whooshes when it removed at least this much source ...
constexpr double whooshGap = 0.35;
// ... lands after this much output ...
constexpr double whooshAfter = 0.5;
// ... and this long after the last whoosh.
constexpr double whooshSpacing = 1.2;
constexpr double hookHitTime = 0.05;
constexpr std::int64_t writeChunk = 32'768;

// Uniform in [−1, 1], fresh for every use: each rendering of a sound differs.
double noise()
{
    thread_local std::mt19937_64 random{std::random_device{}()};
    return std::uniform_real_distribution<double>(-1, 1)(random);
}

using Sample = double (*)(double t, double& phase, double& y1, double& y2);

double pop(double t, double& phase, double&, double&)
{
    phase += (900 * std::exp(-22 * t) + 380) * twoPi / rate;
    const double tone = std::exp(-36 * t) * (1 - std::exp(-2000 * t)) * std::sin(phase);
    const double click = t < 0.003 ? (1 - t / 0.003) * noise() * 0.25 : 0;
    return (tone + click) * 0.55;
}

// Noise through a resonator that sweeps up to 3 kHz at 0.32 s and back;
// the loudness peaks there too.
double whoosh(double t, double&, double& y1, double& y2)
{
    const double sweep = std::sin(std::min(t / 0.64, 1.0) * std::numbers::pi);
    const double omega = twoPi * (400 + 2600 * sweep) / rate;
    const double alpha = std::sin(omega) / 2.4;
    const double y = (alpha * noise() + 2 * std::cos(omega) * y1 - (1 - alpha) * y2) / (1 + alpha);
    y2 = y1;
    y1 = y;
    const double envelope = t < 0.32 ? (t / 0.32) * (t / 0.32) : std::exp(-14 * (t - 0.32));
    return y * envelope * 0.9;
}

double hit(double t, double& phase, double&, double&)
{
    phase += (40 * std::exp(-9 * t) + 45) * twoPi / rate;
    const double body = (1 - std::exp(-600 * t)) * std::exp(-6 * t) * std::sin(phase) * 0.8;
    const double transient = t < 0.025 ? (1 - t / 0.025) * noise() * 0.35 : 0;
    return (body + transient) * 0.7;
}

double tick(double t, double&, double&, double&)
{
    const double tone = std::sin(twoPi * 2600 * t) * std::exp(-260 * t) * 0.5;
    const double transient = t < 0.004 ? (1 - t / 0.004) * noise() * 0.35 : 0;
    return (tone + transient) * 0.7;
}

struct Recipe {
    std::size_t samples;
    double lead;
    Sample sample;
};

Recipe recipe(Kind kind)
{
    switch (kind) {
    case Kind::pop: return {4'851, 0, pop};
    case Kind::whoosh: return {22'050, 0.32, whoosh};
    case Kind::hit: return {26'460, 0, hit};
    case Kind::tick: return {1'323, 0, tick};
    }
    return {0, 0, tick};
}

std::vector<double> popTimes(const SoundEffects& settings, const std::vector<CaptionGroup>& groups, const std::set<int>& emojiLines)
{
    std::vector<double> times;
    for (const CaptionGroup& g : groups) {
        if (settings.emojiPops && emojiLines.contains(g.index)) times.push_back(g.start);
        if (settings.emphasisPops)
            for (const TimedWord& w : g.words)
                if (w.emphasized) times.push_back(w.start);
    }
    std::sort(times.begin(), times.end());
    std::vector<double> kept;
    double last = -10;
    for (double t : times) {
        if (t - last < popSpacing) continue;  // measured from the last kept pop
        kept.push_back(t);
        last = t;
    }
    return kept;
}

void write(const std::vector<float>& samples, const std::filesystem::path& destination, const CancelToken& cancel)
{
    CacheFile file(destination);
    media::AudioFileWriter writer(file.temporary(), media::AudioFileWriter::Kind::pcm16CAF, {sampleRate, 1});
    const auto frames = static_cast<std::int64_t>(samples.size());
    for (std::int64_t at = 0; at < frames; at += writeChunk) {
        cancel.throwIfCancelled();
        writer.writeMono(samples.data() + at, std::min(writeChunk, frames - at));
    }
    writer.finish();
    file.commit();
}

}  // namespace

std::string_view rawValue(Kind kind)
{
    switch (kind) {
    case Kind::pop: return "pop";
    case Kind::whoosh: return "whoosh";
    case Kind::hit: return "hit";
    case Kind::tick: return "tick";
    }
    return "pop";
}

std::vector<Event> events(const SoundEffects& settings, const std::vector<CaptionGroup>& groups, const std::set<int>& emojiLines,
                          const EditPlan& plan, bool hook)
{
    std::vector<Event> out;
    if (settings.hookHit && hook) out.push_back({hookHitTime, Kind::hit});
    for (double t : popTimes(settings, groups, emojiLines)) out.push_back({t, Kind::pop});
    if (settings.cutWhooshes) {
        double last = -10;
        for (std::size_t i = 1; i < plan.segments.size(); ++i) {
            const auto& a = plan.segments[i - 1];
            const auto& b = plan.segments[i];
            const double landing = b.outputStart;
            if (b.sourceStart - a.sourceEnd >= whooshGap && landing > whooshAfter && landing - last >= whooshSpacing) {
                out.push_back({landing, Kind::whoosh});
                last = landing;
            }
        }
    }
    // The order of equal times enters the cache key, so it must be stable.
    std::stable_sort(out.begin(), out.end(), [](const Event& a, const Event& b) { return a.time < b.time; });
    return out;
}

std::string keyText(const std::vector<Event>& events, double duration)
{
    std::string text;
    for (const Event& e : events) {
        if (!text.empty()) text += ",";
        text += std::string(rawValue(e.kind)) + "@" + std::to_string(std::llround(e.time * 1000));
    }
    return text + "|" + std::to_string(static_cast<std::int64_t>(duration * 1000));
}

std::string keyHash(std::string_view text)
{
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (unsigned char byte : text) {
        hash ^= byte;
        hash *= 0x100000001b3ull;
    }
    char digits[17];
    const auto end = std::to_chars(digits, digits + sizeof digits, hash, 16).ptr;
    return std::string(digits, end);
}

Sound synth(Kind kind)
{
    const Recipe r = recipe(kind);
    Sound sound{std::vector<float>(r.samples), r.lead};
    double phase = 0, y1 = 0, y2 = 0;
    for (std::size_t i = 0; i < r.samples; ++i) sound.samples[i] = static_cast<float>(r.sample(double(i) / rate, phase, y1, y2));
    return sound;
}

std::filesystem::path render(const std::vector<Event>& events, double duration, const CancelToken& cancel)
{
    const std::filesystem::path folder = DataRoot::folder(DataRoot::cacheFolder);
    if (!std::filesystem::is_directory(folder)) throw std::runtime_error("Couldn't create the folder " + folder.string() + ".");
    const std::filesystem::path file = folder / ("sfx-v1-" + keyHash(keyText(events, duration)) + ".caf");
    if (std::filesystem::exists(file)) return file;

    const auto n = static_cast<std::int64_t>((duration + 0.5) * rate);
    std::vector<float> buffer(static_cast<std::size_t>(std::max<std::int64_t>(n, 0)), 0.0f);
    for (const Event& e : events) {
        cancel.throwIfCancelled();
        const Sound sound = synth(e.kind);
        const auto start = static_cast<std::int64_t>((e.time - sound.lead) * rate);
        for (std::size_t j = 0; j < sound.samples.size(); ++j) {
            const std::int64_t at = start + static_cast<std::int64_t>(j);
            if (at >= 0 && at < n) buffer[static_cast<std::size_t>(at)] += sound.samples[j];
        }
    }
    // Overlapping sounds saturate softly instead of clipping.
    for (float& x : buffer) x = std::tanh(x);
    write(buffer, file, cancel);
    return file;
}

}  // namespace vt::SoundEffectsRenderer
