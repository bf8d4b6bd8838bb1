#include "platform/recognizer/FileRecognizer.h"
#include "platform/recognizer/RecognizerError.h"
#include "platform/recognizer/SpeechAnalyzer.h"
#include "platform/recognizer/SpeechModels.h"
#include "platform/media/AudioConverter.h"
#include "platform/media/AudioFileReader.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <future>
#include <mutex>
#include <thread>

using namespace vt;
using namespace vt::recognizer;
using vt::test::TempDir;

namespace {

// Runs a recognition task to its last handler call.
struct Outcome {
    std::vector<RecognitionResult> partials;
    std::optional<RecognitionResult> final;
    std::optional<int> errorCode;
};

Outcome recognize(const FileRecognizer& recognizer, const std::filesystem::path& file, bool cancelAtOnce = false)
{
    Outcome outcome;
    std::promise<void> done;
    auto task = recognizer.recognitionTask(file, [&](const RecognitionResult* result, const RecognizerError* error) {
        if (result && !result->isFinal) outcome.partials.push_back(*result);
        if (result && result->isFinal) outcome.final = *result;
        if (error) outcome.errorCode = error->code;
        if (error || (result && result->isFinal)) done.set_value();
    });
    if (cancelAtOnce) task->cancel();
    done.get_future().wait();
    return outcome;
}

}  // namespace

TEST(SpeechModels, LocalesAreTheInstalledModelFolders)
{
    EXPECT_EQ(canonicalLocaleID("en_us"), "en-US");
    ASSERT_TRUE(findModel("en-US"));
    EXPECT_TRUE(findModel("en-US")->isComplete());
    EXPECT_EQ(findModel("en_US")->localeID, "en-US");
    EXPECT_EQ(findModel("en")->localeID, "en-US");
    EXPECT_FALSE(findModel("fr-FR"));
    EXPECT_FALSE(findModel(""));
    EXPECT_EQ(SpeechTranscriber::supportedLocales(), std::vector<std::string>{"en-US"});
    EXPECT_EQ(displayName("en-US"), "English (United States)");

    // A folder missing its language model names a locale that cannot run.
    TempDir root;
    std::filesystem::create_directories(root / "de-de/de-de");
    vt::test::writeFile(root / "de-de/de-de/mdef", "");
    vt::test::writeFile(root / "de-de/de.dict", "");
    setModelRoot(root.path());
    auto german = FileRecognizer::make("de-DE");
    ASSERT_TRUE(german);
    EXPECT_FALSE(german->supportsOnDeviceRecognition());
    EXPECT_FALSE(german->isAvailable());
    EXPECT_FALSE(SpeechTranscriber::supportedLocale("de-DE"));
    EXPECT_FALSE(SpeechTranscriber::isAvailable());
    setModelRoot(std::nullopt);
}

TEST(FileRecognizer, HearsRealSpeechWithTimes)
{
    auto recognizer = FileRecognizer::make("en-US");
    ASSERT_TRUE(recognizer && recognizer->supportsOnDeviceRecognition() && recognizer->isAvailable());
    Outcome outcome = recognize(*recognizer, vt::test::sharedFixture("speech-en-11s.wav"));
    ASSERT_TRUE(outcome.final) << outcome.errorCode.value_or(0);
    const auto& segments = outcome.final->segments;
    bool country = false;
    double previous = 0;
    for (const auto& s : segments) {
        country |= s.substring == "country";
        EXPECT_GE(s.timestamp, previous);
        EXPECT_GT(s.duration, 0);
        previous = s.timestamp;
    }
    EXPECT_TRUE(country);
    EXPECT_LE(previous, 11.1);
    EXPECT_GT(previous, 8.0);  // the last words are near the end
}

TEST(FileRecognizer, SilenceCancellationAndUnreadableAudioAreErrors)
{
    TempDir dir;
    auto silence = dir / "silence.wav";
    ASSERT_EQ(vt::test::run("ffmpeg -v error -f lavfi -i anullsrc=r=16000:cl=mono -t 2 " + vt::test::shellQuote(silence.string())), 0);
    auto recognizer = FileRecognizer::make("en-US");
    EXPECT_EQ(recognize(*recognizer, silence).errorCode, RecognizerError::noSpeech);
    EXPECT_EQ(recognize(*recognizer, vt::test::sharedFixture("speech-en-11s.wav"), true).errorCode, RecognizerError::cancelled);
    EXPECT_EQ(recognize(*recognizer, dir / "missing.wav").errorCode, RecognizerError::unreadable);
}

namespace {

// Streams the real speech through an analyzer in chunks of `frames`.
std::vector<TranscriptionResult> analyse(std::int64_t frames)
{
    auto locale = SpeechTranscriber::supportedLocale("en_US");
    EXPECT_TRUE(locale);
    // Everything that can throw comes before the collector thread starts.
    media::AudioFileReader reader(vt::test::sharedFixture("speech-en-11s.wav"));
    const auto format = SpeechAnalyzer::bestAvailableAudioFormat(reader.processingFormat());
    media::AudioConverter converter(reader.processingFormat(), format);
    SpeechTranscriber transcriber(*locale);
    SpeechAnalyzer analyzer(transcriber);
    std::vector<TranscriptionResult> results;
    std::thread collector([&] {
        try {
            while (auto r = transcriber.results().next()) results.push_back(*r);
        } catch (const std::exception& e) {
            ADD_FAILURE() << e.what();
        }
    });
    AnalyzerInputStream stream;
    for (auto chunk = reader.read(frames); chunk.frameLength() > 0; chunk = reader.read(frames))
        stream.yield(converter.convert(chunk, converter.maxOutputFrames(chunk.frameLength())));
    stream.yield(converter.flush(converter.maxOutputFrames(0)));
    stream.finish();
    auto last = analyzer.analyzeSequence(stream);
    EXPECT_TRUE(last);
    EXPECT_NEAR(last.value_or(0), 11.0, 0.1);
    analyzer.finalizeAndFinish(last.value_or(0));
    collector.join();
    return results;
}

}  // namespace

TEST(SpeechAnalyzer, StreamsAudioInAndTimedRunsOut)
{
    const auto results = analyse(32768);
    ASSERT_GE(results.size(), 2u);  // the speaker pauses between phrases
    bool country = false;
    double previousEnd = 0;
    for (const auto& result : results) {
        EXPECT_GE(result.range.start, previousEnd - 1e-9);  // results come in order, apart (stretches without words give none)
        previousEnd = result.range.start + result.range.duration;
        const auto& runs = result.text;
        ASSERT_FALSE(runs.empty());
        EXPECT_NE(runs[0].text.front(), ' ');
        for (std::size_t i = 0; i < runs.size(); ++i) {
            if (i > 0) {
                EXPECT_EQ(runs[i].text.front(), ' ');
            }
            ASSERT_TRUE(runs[i].audioTimeRange);
            EXPECT_GE(runs[i].audioTimeRange->start, result.range.start - 1e-9);
            EXPECT_LE(runs[i].audioTimeRange->start + runs[i].audioTimeRange->duration, previousEnd + 1e-9);
            country |= runs[i].text == " country";
        }
    }
    EXPECT_TRUE(country);

    // Where the audio is cut into phrases depends on the audio only, not on
    // how it arrives.
    const auto small = analyse(1000);
    ASSERT_EQ(small.size(), results.size());
    for (std::size_t i = 0; i < small.size(); ++i) EXPECT_NEAR(small[i].range.start, results[i].range.start, 1e-9);
}

TEST(SpeechAnalyzer, EmptyStreamAnalysesNothingAndCancelEndsResults)
{
    SpeechTranscriber transcriber("en-US");
    SpeechAnalyzer analyzer(transcriber);
    AnalyzerInputStream stream;
    stream.finish();
    EXPECT_FALSE(analyzer.analyzeSequence(stream));
    analyzer.cancelAndFinishNow();
    EXPECT_FALSE(transcriber.results().next());

    SpeechTranscriber second("en-US");
    SpeechAnalyzer cancelled(second);
    AnalyzerInputStream input;
    input.yield(media::AudioBuffer({16000, 1}, 1600));
    input.finish();
    CancelToken cancel;
    cancel.cancel();
    EXPECT_THROW(cancelled.analyzeSequence(input, cancel), CancellationError);
    EXPECT_THROW(second.results().next(), CancellationError);
}
