#pragma once
// The built-in recognizer as a streaming analyzer: audio buffers go in through
// an input stream while results come out of the transcriber's result
// sequence, one final result per utterance, each a run of timed text. Runs
// are the recognised words; every run after a result's first starts with a
// space (" world"), as a transcript reads.
//
// The analyzer takes in the whole stream before it decodes, so that it can
// decode the recording in pieces on every core; results still come out in
// time order, as each piece and all before it are done.
//
// Threads: one thread feeds the input stream, one calls analyzeSequence and
// finalizeAndFinish (or cancelAndFinishNow), and one reads the results; they
// meet only in the stream and the result sequence, which are thread-safe.

#include "platform/Cancellation.h"
#include "platform/media/AudioBuffer.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vt::recognizer {

class PieceRecognizer;
struct SpeechModel;

struct AudioTimeRange {
    double start = 0;     // seconds from the start of the audio
    double duration = 0;  // seconds
};

struct TextRun {
    std::string text;
    std::optional<AudioTimeRange> audioTimeRange;
};

struct TranscriptionResult {
    std::vector<TextRun> text;
    AudioTimeRange range;  // the audio the result covers
};

// An unbounded stream of converted audio buffers with one producer.
class AnalyzerInputStream {
public:
    void yield(media::AudioBuffer buffer);
    void finish();
    // Blocks for the next buffer; none once the stream is finished and empty.
    std::optional<media::AudioBuffer> next();

private:
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<media::AudioBuffer> buffers_;
    bool finished_ = false;
};

// The final results of one transcriber, in order.
class ResultSequence {
public:
    // Blocks for the next result; none when the sequence has ended. Throws the
    // error the analysis ended with, if any.
    std::optional<TranscriptionResult> next();

private:
    friend class SpeechAnalyzer;
    void push(TranscriptionResult result);
    void end(std::exception_ptr failure = nullptr);

    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<TranscriptionResult> results_;
    bool ended_ = false;
    std::exception_ptr failure_;
};

class SpeechTranscriber {
public:
    // Whether the recognizer can transcribe at all here (a complete model exists).
    static bool isAvailable();
    // Locales with a complete model, in folder order.
    static std::vector<std::string> supportedLocales();
    // The supported locale equivalent to the identifier, or none.
    static std::optional<std::string> supportedLocale(std::string_view equivalentTo);

    explicit SpeechTranscriber(std::string locale) : locale_(std::move(locale)) {}
    const std::string& locale() const { return locale_; }
    ResultSequence& results() { return results_; }

private:
    std::string locale_;
    ResultSequence results_;
};

class SpeechAnalyzer {
public:
    // Loads the transcriber's model; throws RecognizerError(unavailable).
    explicit SpeechAnalyzer(SpeechTranscriber& transcriber);
    ~SpeechAnalyzer();
    SpeechAnalyzer(const SpeechAnalyzer&) = delete;
    SpeechAnalyzer& operator=(const SpeechAnalyzer&) = delete;

    // The format the analyzer takes: 16 kHz mono, whatever the source.
    static media::AudioFormat bestAvailableAudioFormat(const media::AudioFormat& considering);

    // Consumes the whole stream (buffers must be in the best format) and
    // delivers its results. Returns the time in seconds of the last sample
    // analysed, or none when the stream held no audio. Throws
    // CancellationError when `cancel` fires, also in the middle of a phrase.
    std::optional<double> analyzeSequence(AnalyzerInputStream& input, const CancelToken& cancel = CancelToken());
    // Delivers every result up to `through` seconds and ends the results.
    void finalizeAndFinish(double through);
    // Stops at once and ends the results. Cannot fail.
    void cancelAndFinishNow();

private:
    SpeechTranscriber& transcriber_;
    std::unique_ptr<PieceRecognizer> engine_;

    void deliver(const std::vector<struct Utterance>& utterances);
};

}  // namespace vt::recognizer
