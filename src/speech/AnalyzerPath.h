#pragma once
// Internal to the speech folder: the streaming analyzer path of
// Transcriber::transcribe, and the rules that turn its timed text runs into
// words (exposed so tests can feed results as plain data).

#include "model/Word.h"
#include "platform/Cancellation.h"
#include "platform/recognizer/SpeechAnalyzer.h"
#include "speech/Transcriber.h"

#include <filesystem>
#include <string>
#include <vector>

namespace vt::media {
class AudioFileReader;
}

namespace vt::speech {

// Checks the locale, extracts the audio, streams it through the analyzer and
// returns the words sorted by start, tightened. Throws CaptionError,
// CancellationError or the platform's error (which the entry describes). A
// read or conversion failure part-way fails the whole run: words of a
// cut-short stream never pass for a complete transcript.
std::vector<Word> runAnalyzer(const std::filesystem::path& url, const std::string& localeID, double duration,
                              const ProgressHandler& progress, const CancelToken& cancel);

// Appends the words of one final result to `words`.
void appendResult(const recognizer::TranscriptionResult& result, std::vector<Word>& words);

// Reads `reader` to its end on a thread of its own, converting each chunk of
// 32768 frames to `target` and handing it to `stream`, which it finishes in
// every case. Destroying the feeder stops it and waits for its thread.
class AudioFeeder {
public:
    // Throws CaptionError::transcriptionFailed when no converter exists.
    AudioFeeder(media::AudioFileReader& reader, const media::AudioFormat& target, recognizer::AnalyzerInputStream& stream);
    ~AudioFeeder();
    AudioFeeder(const AudioFeeder&) = delete;
    AudioFeeder& operator=(const AudioFeeder&) = delete;

    // Waits for the end of the feeding; throws CaptionError when reading or
    // converting failed before the end of the audio.
    void finish();

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace vt::speech
