#pragma once
// Timeline items placed on the output timeline: what the compositor, the audio
// mix and the timeline lanes read. Placement itself is pure (see Timeline).

#include "model/BRoll.h"
#include "model/MatchCut.h"
#include "model/MotionEffect.h"
#include "model/SoundClip.h"

#include <cstdint>
#include <optional>

namespace vt {

// A 2-D affine transform, as a video track's preferred transform is stored:
// x' = a·x + c·y + tx, y' = b·x + d·y + ty.
struct AffineTransform {
    double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

    friend bool operator==(const AffineTransform&, const AffineTransform&) = default;
};

// The probed facts of a video's first video track.
struct SourceVideoInfo {
    double naturalWidth = 0;
    double naturalHeight = 0;
    AffineTransform transform;
    double fps = 30;
    double duration = 0;  // seconds
    bool isHDR = false;

    friend bool operator==(const SourceVideoInfo&, const SourceVideoInfo&) = default;
};

struct PlacedMatchCut {
    MatchCut cut;
    double start = 0;  // output seconds

    friend bool operator==(const PlacedMatchCut&, const PlacedMatchCut&) = default;
};

struct PlacedMotion {
    MotionEffect effect;
    double start = 0;  // output seconds

    friend bool operator==(const PlacedMotion&, const PlacedMotion&) = default;
};

struct PlacedSound {
    SoundClip sound;
    double start = 0;  // output seconds
    int row = 0;       // the lane row

    friend bool operator==(const PlacedSound&, const PlacedSound&) = default;
};

struct BRollPlacement {
    BRoll item;
    double start = 0;  // output seconds
    double end = 0;
    std::optional<std::int32_t> trackID;   // composition track of a video B-roll
    std::optional<SourceVideoInfo> source;

    friend bool operator==(const BRollPlacement&, const BRollPlacement&) = default;
};

}  // namespace vt
