#pragma once
// Lays the kept stretches of the source clips onto the output timeline: one
// picture track per source clip, one shared sound track for the clips' own
// sound, the audio mix of everything that sounds (see CompositionAudio), and
// the picture tracks of video B-rolls. Stateless: every build starts from an
// empty composition and the result owns everything built.

#include "model/BackgroundMusic.h"
#include "model/EditPlan.h"
#include "model/Placements.h"
#include "model/Voiceover.h"
#include "model/VolumeEnvelope.h"
#include "video/Composition.h"
#include "video/MediaLoading.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

namespace vt {

// A source clip's picture track in a built composition.
struct ClipTrack {
    Uuid id;                  // the clip's ClipMedia id
    std::int32_t trackID = 0;
    SourceVideoInfo info;
    double start = 0;         // on the joined source timeline
    double end = 0;           // start + the clip's full duration

    friend bool operator==(const ClipTrack&, const ClipTrack&) = default;
};

struct BuildRequest {
    std::vector<ClipMedia> clips;                       // any order
    EditPlan plan;                                      // only source starts and ends are read
    std::optional<BackgroundMusic> music;
    std::vector<ClosedRange<double>> speech;            // output seconds, for ducking the music
    std::vector<BRollPlacement> broll;
    std::optional<Voiceover> voiceover;
    std::optional<std::filesystem::path> effects;       // the rendered sound-effects track
    double effectsVolume = 0;                           // dB
    std::vector<PlacedSound> sounds;
    std::optional<VolumeEnvelope> videoVolume;          // output seconds
};

struct BuildResult {
    std::shared_ptr<const Composition> composition;
    std::optional<AudioMix> audioMix;       // absent when no track needs a level
    std::vector<ClipTrack> clipTracks;      // in the order of the clips sorted by start
    std::vector<BRollPlacement> broll;      // what remains, video B-rolls with track and facts
    double outputLength = 0;                // seconds: the sum of the laid pieces
};

namespace CompositionBuilder {

// Throws CaptionError::noVideoTrack for an empty clip list or a clip reached
// by the plan without a picture track, and media::MediaError for a clip that
// cannot be read. Optional sound (voiceover, effects, placed sounds, music)
// and B-rolls that cannot be read are left out, never an error. Blocking.
BuildResult build(const BuildRequest& request);

}  // namespace CompositionBuilder

}  // namespace vt
