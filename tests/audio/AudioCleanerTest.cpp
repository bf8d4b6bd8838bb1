#include "audio/AudioCleaner.h"

#include "audio/SoundFixtures.h"
#include "platform/media/MediaError.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <random>

namespace vt {
namespace {

using test::Mono;

struct NoisySpeech {
    Mono clean;
    Mono noisy;
    std::vector<ClosedRange<double>> speech;
    std::filesystem::path file;
};

// Speech after 0.6 s of room tone, with hum and hiss under all of it.
NoisySpeech makeNoisySpeech(const test::TempDir& dir)
{
    NoisySpeech s;
    const Mono spoken = test::spokenSentence(dir.path(), "The quick brown fox jumps over the lazy dog.");
    s.clean.rate = spoken.rate;
    s.clean.samples.assign(std::size_t(spoken.rate * 0.6), 0.0f);
    s.clean.samples.insert(s.clean.samples.end(), spoken.samples.begin(), spoken.samples.end());
    s.clean.samples.resize(s.clean.samples.size() + std::size_t(spoken.rate * 0.4), 0.0f);
    s.noisy = s.clean;
    std::mt19937 random(3);
    std::normal_distribution<float> hiss(0.0f, 0.02f);
    for (std::size_t i = 0; i < s.noisy.samples.size(); ++i)
        s.noisy.samples[i] += hiss(random) + 0.01f * std::sin(2 * 3.14159265f * 50 * float(i) / float(s.noisy.rate));
    s.speech = test::speechRanges(s.clean);
    s.file = dir / "noisy.caf";
    test::writeMono(s.file, s.noisy.samples, s.noisy.rate);
    s.noisy = test::readMono(s.file);  // as the cleanup will read it, 16-bit
    return s;
}

Mono cleanToMemory(const std::filesystem::path& input, const std::vector<ClosedRange<double>>& speech, const AudioCleanup& settings,
                   std::vector<double>* progress = nullptr)
{
    Mono out;
    const auto outcome = AudioCleaner::clean(
        input, speech, settings, [&](const float* s, std::size_t n) { out.samples.insert(out.samples.end(), s, s + n); },
        [&](double f) {
            if (progress) progress->push_back(f);
        });
    out.rate = outcome.sampleRate;
    EXPECT_EQ(outcome.frames, std::int64_t(out.samples.size()));
    return out;
}

TEST(AudioCleaner, NoisySpeechComesOutCleanerAtTheTargetLevelBelowTheCeiling)
{
    test::TempDir dir;
    const NoisySpeech s = makeNoisySpeech(dir);
    ASSERT_FALSE(s.speech.empty());
    std::vector<double> progress;
    const Mono out = cleanToMemory(s.file, s.speech, AudioCleanup{}, &progress);

    ASSERT_EQ(out.samples.size(), s.noisy.samples.size());
    const double snrBefore = test::rmsOver(s.noisy, s.speech, true) / test::rmsOver(s.noisy, s.speech, false);
    const double snrAfter = test::rmsOver(out, s.speech, true) / test::rmsOver(out, s.speech, false);
    // The leveler evens the speech out and so takes back part of the distance.
    EXPECT_GT(test::decibels(snrAfter) - test::decibels(snrBefore), 5) << "noise floor not pulled down";
    EXPECT_NEAR(test::decibels(test::rmsOver(out, s.speech, true)), -17, 1.5);
    for (float v : out.samples) ASSERT_LE(std::fabs(v), AudioCleaner::limiterCeiling);

    ASSERT_FALSE(progress.empty());
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_EQ(progress.back(), 1.0);
}

TEST(AudioCleaner, NoiseReductionPullsThePausesDownAndLeavesTheSpeech)
{
    test::TempDir dir;
    const NoisySpeech s = makeNoisySpeech(dir);
    const Mono out = cleanToMemory(s.file, s.speech, AudioCleanup{0.6, false, 0, false});
    const double pauseDrop = test::decibels(test::rmsOver(s.noisy, s.speech, false)) - test::decibels(test::rmsOver(out, s.speech, false));
    const double speechDrop = test::decibels(test::rmsOver(s.noisy, s.speech, true)) - test::decibels(test::rmsOver(out, s.speech, true));
    EXPECT_GT(pauseDrop, 10);
    EXPECT_LT(speechDrop, 1.5);
}

TEST(AudioCleaner, WithEveryStageOffTheSoundComesOutSampleForSample)
{
    test::TempDir dir;
    std::vector<float> tone(30011);
    for (std::size_t i = 0; i < tone.size(); ++i) tone[i] = 0.4f * std::sin(float(i) * 0.031f) + 0.2f * std::sin(float(i) * 0.7f);
    test::writeMono(dir / "tone.caf", tone, 44100);
    const Mono in = test::readMono(dir / "tone.caf");
    const Mono out = cleanToMemory(dir / "tone.caf", {}, AudioCleanup{0, false, 0, false});
    ASSERT_EQ(out.samples.size(), in.samples.size());
    for (std::size_t i = 0; i < in.samples.size(); ++i) ASSERT_NEAR(out.samples[i], in.samples[i], 1e-4) << i;
}

TEST(AudioCleaner, WithoutSpeechNothingIsMeasuredAndTheGainIsFixed)
{
    test::TempDir dir;
    std::vector<float> hum(20000);
    for (std::size_t i = 0; i < hum.size(); ++i) hum[i] = 0.01f * std::sin(float(i) * 0.05f);
    test::writeMono(dir / "hum.caf", hum, 48000);
    const auto outcome = AudioCleaner::clean(dir / "hum.caf", {}, AudioCleanup{}, [](const float*, std::size_t) {}, nullptr);
    EXPECT_FLOAT_EQ(outcome.gain, float(AudioCleaner::targetSpeechRMS / 0.05));
    EXPECT_EQ(outcome.frames, 20000);
}

TEST(AudioCleaner, RunWritesTheWholeTrackUnderItsCacheName)
{
    test::TempDir dir;
    const NoisySpeech s = makeNoisySpeech(dir);
    const auto out = dir / "clip-key.m4a";
    std::ofstream(out) << "an older, broken file";
    AudioCleaner::run(s.file, s.speech, AudioCleanup{}, out, nullptr);
    const Mono decoded = test::readMono(out);
    EXPECT_EQ(decoded.rate, 48000);
    EXPECT_NEAR(double(decoded.samples.size()), double(s.noisy.samples.size()), 48000 * 0.03);
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++entries;
    EXPECT_EQ(entries, 4u) << "a temporary file was left behind";  // espeak, 48 kHz speech, noisy input, output
}

TEST(AudioCleaner, AVoiceThatCannotBeReadToItsEndFailsAndCachesNothing)
{
    test::TempDir dir;
    std::vector<float> tone(96000, 0.1f);
    test::writeMono(dir / "whole.caf", tone, 48000);
    // The header still states two seconds; the data stops after half of it.
    const auto whole = test::readFile(dir / "whole.caf");
    test::writeFile(dir / "cut.caf", whole.substr(0, whole.size() / 2));
    const auto out = dir / "clean.m4a";
    EXPECT_THROW(AudioCleaner::run(dir / "cut.caf", {}, AudioCleanup{}, out, nullptr), media::MediaError);
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(AudioCleaner, ACancelledRunLeavesNeitherTheTrackNorItsTemporaryFile)
{
    test::TempDir dir;
    std::vector<float> tone(200000, 0.1f);
    test::writeMono(dir / "in.caf", tone, 48000);
    CancelToken cancel;
    const auto out = dir / "clean.m4a";
    EXPECT_THROW(AudioCleaner::run(dir / "in.caf", {}, AudioCleanup{}, out,
                                   [&](double f) {
                                       if (f > 0.85) cancel.cancel();
                                   },
                                   cancel),
                 CancellationError);
    EXPECT_FALSE(std::filesystem::exists(out));
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++entries;
    EXPECT_EQ(entries, 1u);
}

TEST(AudioCleaner, CacheURLNamesTheClipAndTheSettings)
{
    test::TempDir data;
    test::ScopedEnv env("XDG_DATA_HOME", data.path().string());
    const auto id = Uuid::parse("0A1B2C3D-0000-4000-8000-00000000ABCD").value();
    const auto url = AudioCleaner::cacheURL(id, AudioCleanup{});
    EXPECT_EQ(url, data / "Vellumtide/Cache/0A1B2C3D-0000-4000-8000-00000000ABCD-3n9y98i7e8vhi.m4a");
    EXPECT_TRUE(std::filesystem::is_directory(url.parent_path()));
}

}  // namespace
}  // namespace vt
