#pragma once
// Speech of a media file to timed words with the built-in on-device
// recognizer, and the audio extraction every speech path uses.
//
// The recognizer has two paths: the streaming analyzer (the normal one) and
// the file recognizer (the legacy one, forced by the environment variable
// VELLUMTIDE_LEGACY_SPEECH, whatever its value). Both return words in
// ascending start time with tightened timings. Everything here blocks the
// calling thread; call it from a background task.
//
// Failures: transcribe throws CaptionError for every failure, and
// CancellationError when `cancel` fired (a silent stop for callers).

#include "model/Word.h"
#include "platform/Cancellation.h"
#include "platform/recognizer/SpeechAuthorization.h"
#include "speech/CaptionError.h"

#include <exception>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

// A stage text and a fraction from 0 to 1. Called from background threads,
// possibly concurrently with the caller; callers that update the user
// interface hand each report to the main thread themselves.
using ProgressHandler = std::function<void(const std::string& stage, double fraction)>;

struct Transcriber {
    // Stage texts; the processing screen recognises the first word.
    static constexpr std::string_view extractingStage = "Extracting audio";
    static constexpr std::string_view transcribingStage = "Transcribing on-device";
    static constexpr std::string_view legacySpeechVariable = "VELLUMTIDE_LEGACY_SPEECH";

    // `duration` (seconds) only turns recognised times into progress.
    static std::vector<Word> transcribe(const std::filesystem::path& url, const std::string& localeID, double duration,
                                        const ProgressHandler& progress, const CancelToken& cancel = CancelToken());

    // The file's first audio track in a new temporary ".m4a" file named by a
    // fresh UUID, in the system's temporary folder; the caller deletes it.
    // Throws CaptionError::noAudioTrack when there is none, exportFailed when
    // it cannot be decoded, MediaError when the file cannot be opened,
    // readFailure when the track cannot be copied whole (a file cut short
    // included; no file is left behind), CancellationError when cancelled.
    static std::filesystem::path extractAudio(const std::filesystem::path& from, const CancelToken& cancel = CancelToken());

    // The failure of audio that could not be read to its end: a transcript
    // of part of it must not pass for all of it.
    static CaptionError readFailure(const std::string& detail);

    // The recognizer's locales, sorted by display name (code-point order,
    // stable). Never fails.
    static std::vector<std::string> supportedLocales();

    // Caps each word's duration at min(letters and numbers x 0.085 + 0.3,
    // 1.4) s: a word ending a sentence keeps its start, any other its end.
    static void tightenTimings(std::vector<Word>& words);

    // ---- internal, exposed for tests --------------------------------------

    // Runs a path; when it fails with anything but a CaptionError (or a
    // cancellation) while the permission is not determined, asks for it and
    // runs once more. Every failure leaves as a CaptionError.
    struct Authorization {
        std::function<recognizer::AuthorizationStatus()> status;
        std::function<void()> request;
    };
    static std::vector<Word> runWithRetry(const std::function<std::vector<Word>()>& runPath, const Authorization& authorization);
    // Any error as a CaptionError: a CaptionError unchanged, an error without
    // a description as "no details from the system", any other with its text.
    static CaptionError describe(std::exception_ptr error);
    // Progress fraction of a recognised end time (seconds).
    static double fraction(double end, double duration);
};

}  // namespace vt
