#pragma once
// The sound side of a build: the level of the clips' shared track (clip
// gains, 15 ms declicks at every cut, the video's volume envelope, the
// voiceover's level under the voice) and the tracks and levels of the
// voiceover, the sound effects, placed sounds and the ducked music. Each
// adding function returns nothing when its file has no sound or nothing fits
// the output; a track it already added may stay empty.

#include "model/BackgroundMusic.h"
#include "model/Placements.h"
#include "model/Voiceover.h"
#include "model/VolumeEnvelope.h"
#include "video/Composition.h"

#include <filesystem>
#include <optional>
#include <vector>

namespace vt::CompositionAudio {

// One laid stretch of the cut on the output timeline, with its clip's gain.
struct Piece {
    double start = 0;
    double end = 0;
    double gain = 1;
};

// Fades of 15 ms at the inner ends of every piece longer than 30 ms; 1
// elsewhere and with fewer than two pieces.
double declick(const std::vector<Piece>& pieces, double time);
// The gain of the last piece begun by `time` (the first piece's before it; 1
// without pieces).
double clipGain(const std::vector<Piece>& pieces, double time);

// The shared track's input, or nothing when it would play at full level
// throughout. `originalLevel` is the level under a voiceover (1 without one).
std::optional<AudioMixInput> clipsInput(std::int32_t trackID, const std::vector<Piece>& pieces, double length, double originalLevel,
                                        const std::optional<VolumeEnvelope>& videoVolume);

std::optional<AudioMixInput> addVoiceover(const Voiceover& voice, Composition& composition, double length);
std::optional<AudioMixInput> addEffects(const std::filesystem::path& file, double volumeDB, Composition& composition, double length);
std::optional<AudioMixInput> addSound(const PlacedSound& sound, Composition& composition, double length);
std::optional<AudioMixInput> addMusic(const BackgroundMusic& music, Composition& composition, double length,
                                      const std::vector<ClosedRange<double>>& speech);

}  // namespace vt::CompositionAudio
