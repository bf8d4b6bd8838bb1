#pragma once
// Internal to the speech folder: the legacy file-recognizer path of
// Transcriber::transcribe, and its result handler (exposed so tests can feed
// results as plain data).

#include "model/Word.h"
#include "platform/Cancellation.h"
#include "platform/recognizer/FileRecognizer.h"
#include "speech/Transcriber.h"

#include <exception>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace vt::speech {

// Checks permission and locale, extracts the audio and recognises it as one
// file. Returns the words sorted by start, tightened. Throws CaptionError,
// CancellationError (when `cancel` fired) or the recognizer's error.
std::vector<Word> runLegacy(const std::filesystem::path& url, const std::string& localeID, double duration,
                            const ProgressHandler& progress, const CancelToken& cancel);

// What the recognizer's handler resumes the path with: words, or an error.
struct LegacyOutcome {
    std::vector<Word> words;
    std::exception_ptr error;
};

// The recognizer's result handler: reports progress for every result, turns
// the final result's segments into words, counts "no speech" as an empty
// list, reports audio it could not read to its end as Transcriber::readFailure,
// and resumes the waiting path exactly once, however often and from whichever
// thread it is called.
class LegacyResultHandler {
public:
    LegacyResultHandler(double duration, ProgressHandler progress, std::function<void(LegacyOutcome)> resume);
    void operator()(const recognizer::RecognitionResult* result, const recognizer::RecognizerError* error);

private:
    double duration_;
    ProgressHandler progress_;
    std::function<void(LegacyOutcome)> resume_;
    std::mutex lock_;
    bool done_ = false;

    void resumeOnce(LegacyOutcome outcome);
};

}  // namespace vt::speech
