// The built-in recognizer end to end: a real video through both paths.

#include "platform/recognizer/SpeechModels.h"
#include "speech/Transcriber.h"
#include "SpeechFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>

using namespace vt;
using vt::test::ScopedEnv;
using vt::test::TempDir;

namespace {

using vt::test::Reports;

class OnDeviceTranscription : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        videos = new TempDir;
        speechVideo = test::makeSpeechVideo(*videos / "speech.mp4");
    }
    static void TearDownTestSuite() { delete videos; }

    static inline TempDir* videos = nullptr;
    static inline std::filesystem::path speechVideo;
    TempDir tmp;  // the system temporary folder while a test runs
    ScopedEnv tmpdir{"TMPDIR", tmp.path().string()};

    void expectHeardSpeech(const std::vector<Word>& words, Reports& reports)
    {
        ASSERT_GE(words.size(), 5u);
        EXPECT_TRUE(std::is_sorted(words.begin(), words.end(), [](const Word& a, const Word& b) { return a.start < b.start; }));
        EXPECT_TRUE(std::any_of(words.begin(), words.end(), [](const Word& w) { return w.text == "country"; }));
        for (const auto& w : words) {
            EXPECT_LE(w.end - w.start, 1.4 + 1e-9);  // tightened
            EXPECT_GE(w.start, 0);
            EXPECT_LE(w.end, 11.1);
            EXPECT_FALSE(w.deleted || w.emphasized || w.breakAfter || w.native || w.look || w.styleID);
        }
        ASSERT_GE(reports.items.size(), 3u);
        EXPECT_EQ(reports.items[0], (std::pair<std::string, double>{"Extracting audio", 0}));
        EXPECT_EQ(reports.items[1], (std::pair<std::string, double>{"Transcribing on-device", 0}));
        EXPECT_GT(reports.items.back().second, 0.7);
        // The recording is decoded in pieces at once, yet progress only grows.
        for (std::size_t i = 2; i < reports.items.size(); ++i) EXPECT_GE(reports.items[i].second, reports.items[i - 1].second);
        EXPECT_LE(reports.items.back().second, 1.0);
        EXPECT_EQ(test::entryCount(tmp.path()), 0u);  // the temporary audio is gone
    }
};

}  // namespace

TEST_F(OnDeviceTranscription, AnalyzerPathHearsTheSpeech)
{
    ScopedEnv legacy(std::string(Transcriber::legacySpeechVariable), std::nullopt);
    Reports reports;
    expectHeardSpeech(Transcriber::transcribe(speechVideo, "en-US", 11, reports.handler()), reports);
}

TEST_F(OnDeviceTranscription, LegacyPathRunsWhenTheVariableIsSetEvenEmpty)
{
    ScopedEnv legacy(std::string(Transcriber::legacySpeechVariable), "");
    Reports reports;
    expectHeardSpeech(Transcriber::transcribe(speechVideo, "en_US", 11, reports.handler()), reports);
}

TEST_F(OnDeviceTranscription, FailuresGiveTheFixedMessages)
{
    auto silent = test::makeVideo(tmp / "silent.mp4", std::nullopt);
    for (std::optional<std::string> legacy : {std::optional<std::string>{}, std::optional<std::string>{"1"}}) {
        ScopedEnv variable(std::string(Transcriber::legacySpeechVariable), legacy);
        const auto message = [&](const std::filesystem::path& video, const std::string& locale) -> std::string {
            try {
                Transcriber::transcribe(video, locale, 2, nullptr);
            } catch (const CaptionError& e) {
                return e.message();
            }
            return "no error";
        };
        EXPECT_EQ(message(speechVideo, "fr-FR"), "On-device transcription doesn't support fr-FR yet.");
        EXPECT_EQ(message(silent, "en-US"), "This file has no audio to transcribe.");
        EXPECT_EQ(message(tmp / "missing.mp4", "en-US").rfind("The on-device speech engine couldn't transcribe this audio (Couldn't open", 0), 0u);
    }
    std::filesystem::remove(silent);
    EXPECT_EQ(test::entryCount(tmp.path()), 0u);
}

TEST_F(OnDeviceTranscription, AVideoCutShortFailsInsteadOfGivingPartOfTheTranscript)
{
    // Spoken words in a video whose index is in front, as cameras write it:
    // a cut (an interrupted copy) loses only the end of its data. The picture
    // takes most of the bytes, so most cuts fall between sound packets; it
    // is shorter than the sound, so every cut loses some of the sound.
    TempDir dir;
    const auto voice = dir / "voice.wav";
    const auto whole = dir / "whole.mp4";
    ASSERT_EQ(test::run("espeak-ng -w " + test::shellQuote(voice.string()) + " 'the country road runs north along the river'"), 0);
    ASSERT_EQ(test::run("ffmpeg -v error -y -f lavfi -i testsrc=size=320x240:rate=10:duration=1.5 -i " + test::shellQuote(voice.string()) +
                        " -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac -movflags +faststart " +
                        test::shellQuote(whole.string())),
              0);
    const auto size = std::filesystem::file_size(whole);
    for (std::optional<std::string> legacy : {std::optional<std::string>{}, std::optional<std::string>{"1"}}) {
        ScopedEnv variable(std::string(Transcriber::legacySpeechVariable), legacy);
        const std::string path = legacy ? "legacy path" : "analyzer path";
        EXPECT_FALSE(Transcriber::transcribe(whole, "en-US", 3, nullptr).empty()) << path;
        // Cuts at fractions of the bytes, and one within the last sound packet.
        std::vector<std::uintmax_t> lengths{size - 2};
        for (int percent : {30, 45, 55, 65, 85, 95}) lengths.push_back(size * percent / 100);
        for (const auto length : lengths) {
            const auto cut = dir / "cut.mp4";
            std::filesystem::copy_file(whole, cut, std::filesystem::copy_options::overwrite_existing);
            std::filesystem::resize_file(cut, length);
            try {
                Transcriber::transcribe(cut, "en-US", 3, nullptr);
                ADD_FAILURE() << path << ": a cut at byte " << length << " of " << size << " gave a transcript";
            } catch (const CaptionError& e) {
                EXPECT_EQ(e.message().rfind("The on-device speech engine couldn't transcribe this audio (the audio could not be read to its end: ", 0), 0u)
                    << path << ", cut at byte " << length << " of " << size << ": " << e.message();
            }
        }
    }
    for (const auto& e : std::filesystem::directory_iterator(tmp.path())) EXPECT_NE(e.path().extension(), ".m4a");  // nothing left behind
}

TEST_F(OnDeviceTranscription, AnIncompleteModelIsMissingForTheLegacyPathAndUnsupportedForTheAnalyzer)
{
    TempDir models;
    std::filesystem::create_directories(models / "de-de/de-de");
    test::writeFile(models / "de-de/de-de/mdef", "");
    test::writeFile(models / "de-de/de.dict", "");
    std::filesystem::create_directory_symlink(recognizer::modelRoot() / "en-us", models / "en-us");
    recognizer::setModelRoot(models.path());
    const auto message = [&](std::optional<std::string> legacy) -> std::string {
        ScopedEnv variable(std::string(Transcriber::legacySpeechVariable), legacy);
        try {
            Transcriber::transcribe(speechVideo, "de-DE", 11, nullptr);
        } catch (const CaptionError& e) {
            return e.message();
        }
        return "no error";
    };
    EXPECT_EQ(message(""), "This computer hasn't installed its on-device speech model for German (Germany). Install the speech "
                              "model for that language, or switch to the Whisper engine.");
    EXPECT_EQ(message(std::nullopt), "On-device transcription doesn't support de-DE yet.");
    EXPECT_EQ(Transcriber::supportedLocales(), std::vector<std::string>{"en-US"});
    recognizer::setModelRoot(std::nullopt);
}

TEST_F(OnDeviceTranscription, CancellingStopsSilentlyAndLeavesNoFile)
{
    for (std::optional<std::string> legacy : {std::optional<std::string>{}, std::optional<std::string>{""}}) {
        ScopedEnv variable(std::string(Transcriber::legacySpeechVariable), legacy);
        CancelToken cancel;
        // Cancel as soon as the recognition starts.
        auto progress = [&](const std::string& stage, double) {
            if (stage == "Transcribing on-device") cancel.cancel();
        };
        EXPECT_THROW(Transcriber::transcribe(speechVideo, "en-US", 11, progress, cancel), CancellationError);
        EXPECT_EQ(test::entryCount(tmp.path()), 0u);
    }
}
