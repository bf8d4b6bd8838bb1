#include "audio/SoundFixtures.h"

#include "support/TestSupport.h"
#include "platform/media/AudioFileReader.h"
#include "platform/media/AudioFileWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace vt::test {

Mono readMono(const std::filesystem::path& file)
{
    media::AudioFileReader reader(file);
    Mono out{reader.processingFormat().sampleRate, {}};
    for (;;) {
        const media::AudioBuffer b = reader.read(65536);
        if (b.frameLength() == 0) break;
        for (std::int64_t i = 0; i < b.frameLength(); ++i) {
            float sum = 0;
            for (const auto& plane : b.planes) sum += plane[static_cast<std::size_t>(i)];
            out.samples.push_back(sum / static_cast<float>(b.planes.size()));
        }
    }
    return out;
}

void writeMono(const std::filesystem::path& file, const std::vector<float>& samples, int rate)
{
    media::AudioFileWriter writer(file, media::AudioFileWriter::Kind::pcm16CAF, {rate, 1});
    writer.writeMono(samples.data(), static_cast<std::int64_t>(samples.size()));
    writer.finish();
}

Mono spokenSentence(const std::filesystem::path& folder, const char* text)
{
    const auto raw = folder / "espeak.wav";
    const auto resampled = folder / "speech48k.wav";
    EXPECT_EQ(run("espeak-ng -s 150 -w " + shellQuote(raw.string()) + " " + shellQuote(text)), 0);
    EXPECT_EQ(run("sox " + shellQuote(raw.string()) + " -r 48000 -c 1 " + shellQuote(resampled.string()) + " gain -n -6"), 0);
    return readMono(resampled);
}

std::vector<ClosedRange<double>> speechRanges(const Mono& clean)
{
    const std::size_t frame = static_cast<std::size_t>(clean.rate / 50);
    std::vector<ClosedRange<double>> out;
    for (std::size_t start = 0; start + frame <= clean.samples.size(); start += frame) {
        if (decibels(rms(clean.samples.data() + start, frame)) < -45) continue;
        const double t0 = static_cast<double>(start) / clean.rate;
        const double t1 = static_cast<double>(start + frame) / clean.rate;
        if (!out.empty() && t0 - out.back().upper < 0.15)
            out.back().upper = t1;
        else
            out.push_back({t0, t1});
    }
    return out;
}

double rms(const float* samples, std::size_t count)
{
    double sum = 0;
    for (std::size_t i = 0; i < count; ++i) sum += double(samples[i]) * samples[i];
    return count ? std::sqrt(sum / double(count)) : 0;
}

double rmsOver(const Mono& sound, const std::vector<ClosedRange<double>>& ranges, bool inside)
{
    double sum = 0;
    std::size_t n = 0;
    for (std::size_t i = 0; i < sound.samples.size(); ++i) {
        const double t = double(i) / sound.rate;
        const bool in = std::any_of(ranges.begin(), ranges.end(), [t](const auto& r) { return t >= r.lower && t <= r.upper; });
        if (in != inside) continue;
        sum += double(sound.samples[i]) * sound.samples[i];
        ++n;
    }
    return n ? std::sqrt(sum / double(n)) : 0;
}

double decibels(double linear) { return 20 * std::log10(std::max(linear, 1e-12)); }

}  // namespace vt::test
