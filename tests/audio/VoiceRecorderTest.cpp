#include "audio/VoiceRecorder.h"

#include "audio/SoundFixtures.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QAudioDevice>
#include <QMediaDevices>

#include <chrono>
#include <cmath>
#include <regex>

namespace vt {
namespace {

// Sound made in the test, handed over by the test as if it had arrived.
class GeneratedSource : public SoundSource {
public:
    struct Shared {
        Sink sink;
        bool opens = true;
        bool stopped = false;
    };
    explicit GeneratedSource(std::shared_ptr<Shared> shared) : shared_(std::move(shared)) {}
    bool start(Sink sink) override
    {
        if (!shared_->opens) return false;
        shared_->sink = std::move(sink);
        return true;
    }
    void stop() override
    {
        shared_->sink = nullptr;
        shared_->stopped = true;
    }

private:
    std::shared_ptr<Shared> shared_;
};

// `seconds` of a 440 Hz tone of the given amplitude, in blocks of 10 ms.
void play(GeneratedSource::Shared& source, media::AudioFormat format, double seconds, float amplitude)
{
    const auto total = std::int64_t(seconds * format.sampleRate);
    const std::int64_t block = format.sampleRate / 100;
    for (std::int64_t at = 0; at < total; at += block) {
        media::AudioBuffer b(format, std::min(block, total - at));
        for (std::int64_t i = 0; i < b.frameLength(); ++i)
            for (auto& plane : b.planes) plane[std::size_t(i)] = amplitude * std::sin(2 * 3.14159265f * 440 * float(at + i) / float(format.sampleRate));
        source.sink(b);
    }
}

struct Recorder {
    test::TempDir data;
    test::ScopedEnv env{"XDG_DATA_HOME", data.path().string()};
    std::shared_ptr<GeneratedSource::Shared> source = std::make_shared<GeneratedSource::Shared>();
    VoiceRecorder recorder{[s = source] { return std::make_unique<GeneratedSource>(s); }};
    Uuid project = Uuid::parse("12345678-9ABC-4DEF-8123-456789ABCDEF").value();
};

TEST(VoiceRecorder, RecordsATakeNamedByTheProjectAndTheTimeAndMetersIt)
{
    Recorder r;
    EXPECT_EQ(r.recorder.stop(), std::nullopt);  // nothing started yet
    const auto before = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
    ASSERT_TRUE(r.recorder.start(r.project));
    ASSERT_TRUE(r.recorder.url());
    const auto name = r.recorder.url()->filename().string();
    std::smatch m;
    ASSERT_TRUE(std::regex_match(name, m, std::regex("12345678-9ABC-4DEF-8123-456789ABCDEF-([0-9]+)\\.m4a")));
    EXPECT_LE(std::abs(std::stoll(m[1]) - before), 1);
    EXPECT_EQ(r.recorder.url()->parent_path(), r.data / "Vellumtide/Voiceovers");

    play(*r.source, {48000, 1}, 1.0, 0.5f);
    r.recorder.updateMeters();
    EXPECT_NEAR(r.recorder.averagePower(), 20 * std::log10(0.5 / std::sqrt(2.0)), 0.2);
    r.recorder.updateMeters();
    EXPECT_EQ(r.recorder.averagePower(), -160);  // nothing new arrived
    play(*r.source, {48000, 1}, 0.5, 0.5f);
    EXPECT_NEAR(r.recorder.currentTime(), 1.5, 1e-9);

    const auto file = r.recorder.stop();
    EXPECT_TRUE(r.source->stopped);
    ASSERT_EQ(file, r.recorder.url());
    const test::Mono take = test::readMono(*file);
    EXPECT_EQ(take.rate, 48000);
    EXPECT_NEAR(double(take.samples.size()), 72000, 1024);  // AAC decodes whole frames of 1,024
    EXPECT_NEAR(test::decibels(test::rms(take.samples.data() + 4800, 48000)), 20 * std::log10(0.5 / std::sqrt(2.0)), 0.5);
    EXPECT_EQ(r.recorder.stop(), file);  // again: the last take's file, unchanged
    r.recorder.discard();                // after stop the file stays
    EXPECT_TRUE(std::filesystem::exists(*file));
    EXPECT_EQ(r.recorder.url(), std::nullopt);
}

TEST(VoiceRecorder, SoundInAnotherFormatIsConvertedToTheTakesFormat)
{
    Recorder r;
    ASSERT_TRUE(r.recorder.start(r.project));
    play(*r.source, {44100, 2}, 1.0, 0.25f);
    const test::Mono take = test::readMono(r.recorder.stop().value());
    EXPECT_EQ(take.rate, 48000);
    EXPECT_NEAR(double(take.samples.size()), 48000, 1024);
}

TEST(VoiceRecorder, DiscardDuringATakeLeavesNoFileAndAFailedStartChangesNothing)
{
    Recorder r;
    ASSERT_TRUE(r.recorder.start(r.project));
    const auto file = *r.recorder.url();
    play(*r.source, {48000, 1}, 0.3, 0.5f);
    r.recorder.discard();
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_FALSE(r.recorder.isRecording());

    r.source->opens = false;
    EXPECT_FALSE(r.recorder.start(r.project));
    EXPECT_EQ(r.recorder.url(), std::nullopt);
    EXPECT_TRUE(std::filesystem::is_empty(VoiceRecorder::directory()));
}

TEST(VoiceRecorder, TheMicrophoneFailsToStartWhereThereIsNone)
{
    if (!QMediaDevices::audioInputs().isEmpty()) GTEST_SKIP() << "this machine has a sound input";
    test::TempDir data;
    test::ScopedEnv env("XDG_DATA_HOME", data.path().string());
    VoiceRecorder recorder;
    EXPECT_FALSE(recorder.start(Uuid::random()));
    EXPECT_TRUE(std::filesystem::is_empty(VoiceRecorder::directory()));
}

}  // namespace
}  // namespace vt
