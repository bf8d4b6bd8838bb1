#pragma once
// Everything one composed frame and the audio mix need, as one value. The
// editor model builds a new snapshot after each change and swaps it into its
// RenderState; the compositor takes one copy per frame, so every field of a
// frame comes from the same derivation even when an edit lands mid-frame.

#include "captions/look/CaptionStyle.h"
#include "model/CaptionGroup.h"
#include "model/CutTransition.h"
#include "model/EditPlan.h"
#include "model/FaceTrack.h"
#include "model/HookOverlay.h"
#include "model/ItemAdjust.h"
#include "model/Placements.h"
#include "model/ProgressBar.h"
#include "model/ReframeMode.h"
#include "model/StabilizationCorrection.h"
#include "model/VideoGrade.h"
#include "model/VolumeEnvelope.h"
#include "platform/SharedList.h"
#include "platform/Uuid.h"

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace vt {

struct RenderSize {
    double width = 0;
    double height = 0;

    friend bool operator==(const RenderSize&, const RenderSize&) = default;
};

// The caption lines of a snapshot, shared by its copies and by the editor
// that made them: the editor publishes a snapshot after every edit, and the
// lines of an hour of talk are most of it, so an unchanged list is handed on
// rather than copied.
using SharedGroups = SharedList<CaptionGroup>;

struct RenderSnapshot {
    CaptionStyle style;                     // the look of lines without one of their own
    SharedGroups groups;                    // caption lines on the output timeline
    bool captionsVisible = true;
    std::optional<HookOverlay> hook;
    EditPlan plan;
    ReframeMode reframe = ReframeMode::smart;
    RenderSize renderSize;
    std::optional<FaceTrack> faceTrack;
    std::optional<VideoGrade> grade;
    std::optional<StabilizationCorrection> stabilization;
    CutTransition transition = CutTransition::none;
    std::vector<BRollPlacement> broll;
    std::map<int, std::string> emojis;      // caption-group index → emoji text
    std::optional<ProgressBar> progressBar;
    std::vector<PlacedMatchCut> matchCuts;
    std::vector<PlacedMotion> motions;
    std::vector<PlacedSound> sounds;
    std::optional<VolumeEnvelope> videoVolume;
    std::map<std::string, CaptionStyle> styles;  // per-line looks by style id
    std::map<Uuid, ItemAdjust> clipAdjust;
    std::optional<std::string> effectsAudio;     // path of the rendered effects track
    double effectsVolume = 0;                    // dB
};

// The one place the main thread and the rendering threads meet. The value is
// immutable once stored, so a reader's copy is a reference-count bump and
// nothing but that swap happens under the lock.
class RenderState {
public:
    explicit RenderState(RenderSnapshot initial);
    RenderState(const RenderState&) = delete;
    RenderState& operator=(const RenderState&) = delete;

    std::shared_ptr<const RenderSnapshot> load() const;

    // Build the whole snapshot first, then store it.
    void store(RenderSnapshot snapshot);

private:
    mutable std::mutex lock_;
    std::shared_ptr<const RenderSnapshot> value_;
};

}  // namespace vt
