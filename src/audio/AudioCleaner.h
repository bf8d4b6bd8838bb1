#pragma once
// The voice cleanup of one source clip into a cleaner, evenly loud mono track
// (AAC in an .m4a file in the data root's cache). The clip's sound streams
// three times through a fixed chain:
//   1. analysis: voice EQ, then the short-time spectra; frames in the pauses
//      between words build the noise profile;
//   2. cleaning: voice EQ, spectral noise reduction, leveler, and a
//      measurement of the speech level, into a temporary file;
//   3. output: one make-up gain towards −17 dBFS RMS of speech, the
//      look-ahead limiter at −1 dBFS, and the AAC encoding.
// The output has exactly as many frames as the clip's sound and lines up with
// it. Everything blocks: call it from background work. Memory stays bounded
// whatever the clip's length (chunks of 65,536 frames).
//
// Failures throw and leave no file at the destination: a read or decoding
// error anywhere in the sound (MediaError; a truncated voice is never taken
// as the whole), a file that cannot be written, or CancellationError when
// `cancel` fires. A finished track is moved into place whole, so the cache
// never holds a track cut short.

#include "model/AudioCleanup.h"
#include "platform/Cancellation.h"
#include "platform/JsonCoding.h"
#include "platform/Uuid.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <vector>

namespace vt::AudioCleaner {

// A fraction from 0 to 1, called on the worker thread after every chunk:
// up to 0.3 in the analysis, 0.3 to 0.8 in the cleaning, 0.8 to 1 in the
// output, and exactly 1 at the end.
using Progress = std::function<void(double fraction)>;

// The speech level the make-up gain aims at: −17 dBFS, a plain RMS.
inline constexpr double targetSpeechRMS = 0.14125375446227545;
// The limiter's ceiling, −1 dBFS.
inline const float limiterCeiling = static_cast<float>(0.8912509381337456);

// "<data root>/Cache/<clip UUID>-<settings.cacheKey()>.m4a"; the folder is
// created on every call (errors ignored).
std::filesystem::path cacheURL(const Uuid& clipID, const AudioCleanup& settings);

// Extracts the sound of a media file and cleans it into `destination`.
// `speech`: the clip's spoken ranges in seconds from the file's start,
// sorted by lower bound. Extraction errors propagate unchanged
// (CaptionError, MediaError); the extracted file is deleted on every exit.
void process(const std::filesystem::path& videoURL, const std::vector<ClosedRange<double>>& speech, const AudioCleanup& settings,
             const std::filesystem::path& destination, const Progress& progress, const CancelToken& cancel = CancelToken());

// The three passes over an audio file, encoding into `output`.
void run(const std::filesystem::path& input, const std::vector<ClosedRange<double>>& speech, const AudioCleanup& settings,
         const std::filesystem::path& output, const Progress& progress, const CancelToken& cancel = CancelToken());

// ---- internal, exposed for tests ---------------------------------------

// The final samples in order, block by block, as they go to the encoder.
using Sink = std::function<void(const float* samples, std::size_t count)>;
struct Outcome {
    int sampleRate = 0;
    std::int64_t frames = 0;  // samples handed to the sink
    float gain = 1;           // the make-up gain applied before the limiter
};
// run() with the final samples handed to `sink` instead of the encoder.
Outcome clean(const std::filesystem::path& input, const std::vector<ClosedRange<double>>& speech, const AudioCleanup& settings,
              const Sink& sink, const Progress& progress, const CancelToken& cancel = CancelToken());

// The make-up gain for the measured speech (a sum of squares over a count of
// samples): 1 without `normalize`; else the target over the speech's RMS
// (0.05 when nothing was measured, the target over 0.00001 when quieter),
// 0.25 when that is 0.25 or less, at most 10.
float makeUpGain(double sumOfSquares, std::int64_t count, bool normalize);

}  // namespace vt::AudioCleaner
