#pragma once
// The recognition engine behind both recognizer facilities: PocketSphinx with
// one installed model, fed 16 kHz mono audio as it arrives. The audio is cut
// into utterances at pauses (and, in speech without pauses, after 10 to 20 s
// at its quietest 0.1 s): the decoder hears phrases best one at a time and
// gives times within one. Each finished utterance yields its words with
// times from the start of the audio. The cuts depend only on the audio, not
// on how it arrives. Not thread-safe: one feeding thread.

#include "platform/recognizer/SpeechModels.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vt::recognizer {

inline constexpr int recognizerSampleRate = 16'000;

struct RecognizedWord {
    std::string text;  // lower-case dictionary word
    double start = 0;  // seconds from the start of the audio
    double end = 0;
};

struct Utterance {
    double start = 0;  // seconds from the start of the audio
    double end = 0;
    std::vector<RecognizedWord> words;  // may be empty (silence, noise)
};

class SphinxRecognizer {
public:
    // Throws RecognizerError(unavailable) when the model cannot be loaded.
    explicit SphinxRecognizer(const SpeechModel& model);
    ~SphinxRecognizer();
    SphinxRecognizer(const SphinxRecognizer&) = delete;
    SphinxRecognizer& operator=(const SphinxRecognizer&) = delete;

    // Adds samples (-1 ... 1); returns the utterances they completed.
    std::vector<Utterance> add(std::span<const float> samples);
    // Decodes what is left as the last utterance (none when nothing is left).
    std::vector<Utterance> finish();

    std::int64_t samplesAdded() const { return added_; }

private:
    struct Decoder;
    std::unique_ptr<Decoder> decoder_;
    std::vector<std::int16_t> pending_;
    std::int64_t pendingStart_ = 0;  // sample index of pending_[0]
    std::int64_t added_ = 0;
    // Pause search in the current utterance.
    std::size_t scanned_ = 0;
    double peak_ = 0;
    std::size_t quietFrames_ = 0;

    Utterance decode(std::size_t count);
    std::optional<std::size_t> findPause();
    std::size_t quietestSplit() const;
};

}  // namespace vt::recognizer
