#pragma once
// The four built-in background-music moods, synthesized on this computer the
// first time one is chosen: an eight-bar stereo loop at 44.1 kHz (the chord
// progression twice), AAC-encoded into "<data root>/Music/<id>-v1.m4a" and
// reused from then on. The synthesis is small and additive: wavetable
// oscillators (a band-limited sawtooth, a sine), linear attacks with
// exponential releases, one-pole low-passes, a pitch-swept sine kick,
// filtered-noise snares and hats from a fixed seed, a ping-pong echo, the last
// three seconds folded onto the start so the loop repeats without a seam, and
// peak normalisation with soft saturation. Oscillator phases are random, so
// two renders differ slightly in level, never in notes, timing or drums.

#include "platform/Cancellation.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace vt::MusicGenerator {

enum class Style { lofi, upbeat, cinematic, ambient };

struct Mood {
    std::string id;      // names the cache file; stored as the music's builtInID
    std::string name;    // display name
    std::string detail;  // one line shown beside the name
    double bpm = 0;
    Style style = Style::lofi;
    std::vector<std::vector<int>> chords;  // MIDI notes (69 = A4 = 440 Hz)

    friend bool operator==(const Mood&, const Mood&) = default;
};

inline constexpr int sampleRate = 44'100;

// lofi, upbeat, cinematic, ambient, in that order.
const std::vector<Mood>& moods();

// A fraction from 0 to 1, called on the working thread.
using Progress = std::function<void(double fraction)>;

// The file of the mood, rendered and encoded first when it does not exist (a
// file that exists is returned whatever it holds). Blocking: call it from
// background work; callers must not render one mood twice at once. Throws
// when the folder cannot be made or the file cannot be written (no file is
// left under the mood's name) and CancellationError when cancelled.
std::filesystem::path ensure(const Mood& mood, const Progress& progress = nullptr, const CancelToken& cancel = CancelToken());

// ---- internal, exposed for tests ---------------------------------------

struct Loop {
    std::vector<float> left;
    std::vector<float> right;
};
// Loop length in samples: eight bars (two passes of four chords).
std::int64_t loopLength(const Mood& mood);
// The loop with oscillator phases drawn from a generator seeded by `seed`.
Loop render(const Mood& mood, std::uint64_t seed, const Progress& progress = nullptr, const CancelToken& cancel = CancelToken());

}  // namespace vt::MusicGenerator
