#include "platform/media/AudioFileReader.h"
#include "platform/media/MediaError.h"
#include "platform/recognizer/RecognizerError.h"
#include "speech/AnalyzerPath.h"
#include "speech/CaptionError.h"
#include "speech/LegacyPath.h"
#include "speech/Transcriber.h"
#include "SpeechFixtures.h"

#include <gtest/gtest.h>

#include <regex>

using namespace vt;
using recognizer::AudioTimeRange;
using recognizer::TextRun;
using recognizer::TranscriptionResult;
using vt::test::TempDir;

namespace {

Word word(std::string text, double start, double end)
{
    Word w;
    w.text = std::move(text);
    w.start = start;
    w.end = end;
    return w;
}

TextRun timed(std::string text, double start, double duration) { return {std::move(text), AudioTimeRange{start, duration}}; }
TextRun untimed(std::string text) { return {std::move(text), std::nullopt}; }

std::vector<Word> wordsOf(const std::vector<std::vector<TextRun>>& results)
{
    std::vector<Word> words;
    for (const auto& runs : results) speech::appendResult(TranscriptionResult{runs, {0, 1}}, words);
    return words;
}

std::vector<std::string> texts(const std::vector<Word>& words)
{
    std::vector<std::string> out;
    for (const auto& w : words) out.push_back(w.text);
    return out;
}

}  // namespace

TEST(CaptionError, UserFacingTexts)
{
    EXPECT_STREQ(CaptionError::localeUnsupported("fr-FR").what(), "On-device transcription doesn't support fr-FR yet.");
    EXPECT_EQ(CaptionError::exportFailed("Couldn't read the audio track.").message(), "Export failed: Couldn't read the audio track.");
    EXPECT_EQ(CaptionError::transcriptionFailed("no details from the system").message(),
              "The on-device speech engine couldn't transcribe this audio (no details from the system).");
    EXPECT_EQ(CaptionError::onDeviceModelMissing("German (Germany)").message(),
              "This computer hasn't installed its on-device speech model for German (Germany). Install the speech model for "
              "that language, or switch to the Whisper engine.");
    EXPECT_EQ(CaptionError::noVideoTrack().message(), "This file has no video track.");
    EXPECT_EQ(CaptionError::noAudioTrack().message(), "This file has no audio to transcribe.");
    EXPECT_EQ(CaptionError::speechUnavailable().message(), "On-device speech transcription isn't available on this computer.");
    EXPECT_EQ(CaptionError::noAudioTrack(), CaptionError::noAudioTrack());
    EXPECT_FALSE(CaptionError::exportFailed("a") == CaptionError::transcriptionFailed("a"));
}

TEST(Transcriber, TightenTimingsCapsLongWords)
{
    struct Case {
        Word in;
        double start, end;
    } cases[] = {
        {word("hello", 0, 3), 2.275, 3},                  // limit 5 x 0.085 + 0.3: the end stays
        {word("done.", 0, 3), 0, 0.64},                   // a sentence end keeps its start
        {word("why? \t", 1, 4), 1, 1.555},                // trailing blanks do not hide the "?"
        {word("abcdefghijklmnopqrst", 0, 3), 1.6, 3},     // capped at 1.4 s
        {word("...", 0, 1), 0, 0.385},                    // no letters counts as one
        {word("hi", 0, 0.4), 0, 0.4},                     // within the limit: untouched
        {word("\u0928\u092E\u0938\u094D\u0924\u0947", 0, 3), 2.445, 3},  // three characters in Devanagari
    };
    for (auto& c : cases) {
        std::vector<Word> words{c.in};
        Transcriber::tightenTimings(words);
        EXPECT_NEAR(words[0].start, c.start, 1e-9) << c.in.text;
        EXPECT_NEAR(words[0].end, c.end, 1e-9) << c.in.text;
    }
}

TEST(AnalyzerWords, TimedRunsSplitByCharacterWeight)
{
    auto words = wordsOf({{timed("Hello world.", 1.0, 1.1)}});
    ASSERT_EQ(texts(words), (std::vector<std::string>{"Hello", "world."}));
    EXPECT_NEAR(words[0].start, 1.0, 1e-9);
    EXPECT_NEAR(words[0].end, 1.5, 1e-9);
    EXPECT_NEAR(words[1].start, 1.5, 1e-9);
    EXPECT_NEAR(words[1].end, 2.1, 1e-9);
    EXPECT_FALSE(words[0].id == words[1].id);

    // A run without a leading space continues the previous word.
    words = wordsOf({{timed(" Hel", 0, 0.3), timed("lo", 0.3, 0.4)}});
    ASSERT_EQ(texts(words), std::vector<std::string>{"Hello"});
    EXPECT_NEAR(words[0].end, 0.7, 1e-9);
    // ... but not across a space, nor at the start of the next result.
    EXPECT_EQ(texts(wordsOf({{timed("big ", 0, 1), timed("deal", 1, 1)}})), (std::vector<std::string>{"big", "deal"}));
    EXPECT_EQ(texts(wordsOf({{timed("big", 0, 1)}, {timed("deal", 1, 1)}})), (std::vector<std::string>{"big", "deal"}));
    // A line break is white space too, inside a run and at its end.
    EXPECT_EQ(texts(wordsOf({{timed("big\ndeal", 0, 1)}})), (std::vector<std::string>{"big", "deal"}));
    EXPECT_EQ(texts(wordsOf({{timed("big\n", 0, 1), timed("deal", 1, 1)}})), (std::vector<std::string>{"big", "deal"}));
}

TEST(AnalyzerWords, PunctuationTokensJoinTheWordBefore)
{
    EXPECT_EQ(texts(wordsOf({{timed("yes , !", 0, 1)}})), std::vector<std::string>{"yes,"});
    EXPECT_EQ(texts(wordsOf({{timed("so ...", 0, 1)}})), std::vector<std::string>{"so."});
    EXPECT_EQ(texts(wordsOf({{timed("! hi", 0, 1)}})), std::vector<std::string>{"hi"});  // nothing to attach to
    // Weights count the punctuation token too: "yes" gets 3 of 4 parts.
    auto words = wordsOf({{timed("yes ,", 0, 1)}});
    EXPECT_NEAR(words[0].end, 0.75, 1e-9);
}

TEST(AnalyzerWords, UntimedRunsGetFifthOfASecondEach)
{
    auto words = wordsOf({{untimed("one two three")}});
    ASSERT_EQ(words.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(words[i].start, 0.2 * i, 1e-9);
        EXPECT_NEAR(words[i].end, 0.2 * (i + 1), 1e-9);
    }
    // An untimed run starting a new word after earlier words joins the last
    // word with a space; its later tokens start where the last word ended.
    words = wordsOf({{timed("alpha", 1, 0.5), untimed(" beta gamma")}});
    ASSERT_EQ(texts(words), (std::vector<std::string>{"alpha beta", "gamma"}));
    EXPECT_NEAR(words[1].start, 1.5, 1e-9);
    EXPECT_NEAR(words[1].end, 1.7, 1e-9);
    // A non-finite time counts as no time.
    words = wordsOf({{timed("x", std::nan(""), 1)}});
    EXPECT_NEAR(words[0].end, 0.2, 1e-9);
}

TEST(Transcriber, FailuresBecomeCaptionErrorsWithOneRetryForPermission)
{
    using recognizer::AuthorizationStatus;
    int requests = 0, runs = 0;
    AuthorizationStatus status = AuthorizationStatus::notDetermined;
    const Transcriber::Authorization auth{[&] { return status; }, [&] { ++requests; }};

    // A CaptionError passes unchanged, with no permission request.
    try {
        Transcriber::runWithRetry([&]() -> std::vector<Word> { ++runs; throw CaptionError::localeUnsupported("xx-YY"); }, auth);
        FAIL();
    } catch (const CaptionError& e) {
        EXPECT_EQ(e, CaptionError::localeUnsupported("xx-YY"));
    }
    EXPECT_EQ(requests, 0);

    // A platform error while undetermined: one request, one more run; the
    // second error is the one described.
    runs = 0;
    try {
        Transcriber::runWithRetry([&]() -> std::vector<Word> { throw std::runtime_error(++runs == 1 ? "first" : "second"); }, auth);
        FAIL();
    } catch (const CaptionError& e) {
        EXPECT_EQ(e, CaptionError::transcriptionFailed("second"));
    }
    EXPECT_EQ(requests, 1);
    EXPECT_EQ(runs, 2);

    // The second run can succeed.
    runs = 0;
    auto words = Transcriber::runWithRetry(
        [&]() -> std::vector<Word> {
            if (++runs == 1) throw std::runtime_error("first");
            return {word("ok", 0, 1)};
        },
        auth);
    EXPECT_EQ(words.size(), 1u);

    // Once determined there is no retry; an error without text has no details.
    status = AuthorizationStatus::authorized;
    runs = 0;
    try {
        Transcriber::runWithRetry([&]() -> std::vector<Word> { ++runs; throw std::runtime_error(""); }, auth);
        FAIL();
    } catch (const CaptionError& e) {
        EXPECT_EQ(e.message(), "The on-device speech engine couldn't transcribe this audio (no details from the system).");
    }
    EXPECT_EQ(runs, 1);
    // Cancellation stays a cancellation.
    EXPECT_THROW(Transcriber::runWithRetry([]() -> std::vector<Word> { throw CancellationError(); }, auth), CancellationError);
}

TEST(LegacyResultHandler, ProgressWordsAndOneResume)
{
    using recognizer::RecognitionResult;
    using recognizer::RecognizerError;
    std::vector<std::pair<std::string, double>> reports;
    std::vector<speech::LegacyOutcome> outcomes;
    speech::LegacyResultHandler handler(
        10, [&](const std::string& stage, double f) { reports.emplace_back(stage, f); }, [&](speech::LegacyOutcome o) { outcomes.push_back(std::move(o)); });

    RecognitionResult partial{{{"hello", 4.0, 0.5}}, false};
    handler(&partial, nullptr);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].first, "Transcribing on-device");
    EXPECT_NEAR(reports[0].second, 0.45, 1e-9);
    EXPECT_TRUE(outcomes.empty());  // partial results add no words

    RecognitionResult final{{{"Hello", 0, 0.5}, {" ", 0.5, 0.1}, {"world", 0.6, 0.5}}, true};
    handler(&final, nullptr);
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(texts(outcomes[0].words), (std::vector<std::string>{"Hello", "world"}));
    EXPECT_NEAR(outcomes[0].words[1].end, 1.1, 1e-9);

    const RecognizerError late(RecognizerError::cancelled, "late");
    handler(nullptr, &late);
    EXPECT_EQ(outcomes.size(), 1u);  // after the resume nothing changes

    // Short media report the end itself, capped at 1; "no speech" is an empty list.
    std::vector<speech::LegacyOutcome> second;
    double fraction = -1;
    speech::LegacyResultHandler shortMedia(
        0.8, [&](const std::string&, double f) { fraction = f; }, [&](speech::LegacyOutcome o) { second.push_back(std::move(o)); });
    handler(nullptr, nullptr);
    shortMedia(&partial, nullptr);
    EXPECT_EQ(fraction, 1);
    const RecognizerError none(RecognizerError::noSpeech, "No speech detected.");
    shortMedia(nullptr, &none);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_TRUE(second[0].words.empty());
    EXPECT_FALSE(second[0].error);
}

TEST(Transcriber, ExtractAudioMakesANewTemporaryFileEachTime)
{
    TempDir dir, tmp;
    test::ScopedEnv tmpdir("TMPDIR", tmp.path().string());
    auto video = test::makeVideo(dir / "clip.mp4", test::sharedFixture("speech-en-11s.wav"));
    auto a = Transcriber::extractAudio(video);
    auto b = Transcriber::extractAudio(video);
    EXPECT_NE(a, b);
    EXPECT_EQ(a.parent_path(), tmp.path());
    EXPECT_TRUE(std::regex_match(a.filename().string(), std::regex("[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}\\.m4a")));
    EXPECT_GT(std::filesystem::file_size(a), 1000u);

    auto silent = test::makeVideo(dir / "silent.mp4", std::nullopt);
    try {
        Transcriber::extractAudio(silent);
        FAIL();
    } catch (const CaptionError& e) {
        EXPECT_EQ(e.message(), "This file has no audio to transcribe.");
    }
    test::writeFile(dir / "fake.mp4", "not a video");
    EXPECT_THROW(Transcriber::extractAudio(dir / "fake.mp4"), media::MediaError);
    EXPECT_EQ(test::entryCount(tmp.path()), 2u);  // only the two good extractions
}

TEST(AudioFeeder, AudioCutShortFailsInsteadOfEndingEarly)
{
    TempDir dir;
    auto wav = dir / "tone.wav";
    ASSERT_EQ(test::run("ffmpeg -v error -f lavfi -i sine=frequency=200:sample_rate=22050:duration=3 " + test::shellQuote(wav.string())), 0);
    const auto feed = [&](bool truncate) {
        if (truncate) std::filesystem::resize_file(wav, std::filesystem::file_size(wav) / 2);
        media::AudioFileReader reader(wav);
        recognizer::AnalyzerInputStream stream;
        speech::AudioFeeder feeder(reader, {16000, 1}, stream);
        feeder.finish();
        std::int64_t frames = 0;
        while (auto b = stream.next()) frames += b->frameLength();
        return frames;
    };
    EXPECT_NEAR(double(feed(false)), 48'000, 64);  // all of it, the converter drained
    try {
        feed(true);
        FAIL();
    } catch (const CaptionError& e) {
        EXPECT_EQ(e.kind(), CaptionError::Case::transcriptionFailed);
    }
}
