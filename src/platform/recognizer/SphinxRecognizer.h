#pragma once
// The recognition engine behind both recognizer facilities: PocketSphinx with
// one installed model, fed 16 kHz mono audio as it arrives. The audio is cut
// into utterances at pauses (and, in speech without pauses, after 10 to 20 s
// at its quietest 0.1 s): the decoder hears phrases best one at a time and
// gives times within one. Each finished utterance yields its words with
// times from the start of the audio. The cuts depend only on the audio, not
// on how it arrives.
//
// The decoder's running cepstral mean starts from the model's own, which is
// far from many microphones: the opening words are misheard until it has
// adapted. normaliseTo starts it from the sound at hand instead.
//
// Not thread-safe: one feeding thread per recognizer.

#include "platform/recognizer/SpeechModels.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vt::recognizer {

inline constexpr int recognizerSampleRate = 16'000;

// Samples (-1 ... 1) as the decoder takes them, 16-bit, added to `to`.
void appendSamples(std::vector<std::int16_t>& to, std::span<const float> samples);

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
    // The same for 16-bit samples.
    std::vector<Utterance> add(std::span<const std::int16_t> samples);
    // Decodes what is left as the last utterance (none when nothing is left).
    std::vector<Utterance> finish();

    std::int64_t samplesAdded() const { return added_; }

    // Drops what is pending and starts a new run whose first sample lies
    // `sample` samples into the recording (its times count from there).
    void restartAt(std::int64_t sample);
    // Sets the decoder's cepstral mean to that of `sound`, from which the
    // decoder goes on adapting.
    void normaliseTo(std::span<const std::int16_t> sound);

    // Where this recognizer would end phrases at pauses in `audio` fed from
    // its start (its cuts without a pause left out), as sample indices: each
    // lies 0.15 s into a pause of at least 0.3 s. A run started at one of
    // them cuts the rest of the audio as a run through the whole would.
    static std::vector<std::size_t> pauseCuts(std::span<const std::int16_t> audio);
    // Asked while an utterance is decoded; when it answers true the decode
    // stops and RecognizerError(cancelled) is thrown.
    void setInterruption(std::function<bool()> interrupted) { interrupted_ = std::move(interrupted); }

private:
    struct Decoder;
    std::unique_ptr<Decoder> decoder_;
    std::vector<std::int16_t> pending_;
    std::int64_t pendingStart_ = 0;  // sample index of pending_[0]
    std::int64_t added_ = 0;
    // Where the current utterance ends, looked for as samples arrive.
    struct PhraseEnd {
        std::size_t scanned = 0;
        double peak = 0;
        std::size_t quietFrames = 0;
        struct Cut {
            std::size_t at = 0;
            bool atPause = false;
        };
        // The end of the phrase that `pending` begins, once it is known.
        std::optional<Cut> find(std::span<const std::int16_t> pending);
    };
    PhraseEnd phraseEnd_;
    std::function<bool()> interrupted_;

    Utterance decode(std::size_t count);
};

}  // namespace vt::recognizer
