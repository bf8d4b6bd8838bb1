// The render snapshot: one value holding everything a frame and the audio
// mix need, assembled from the project and the derived state.

#include "editor/EditorModel.h"

namespace vt {

namespace {

// What the picture is graded with: nothing while the user compares with the
// original, the previewed colour look on top of the project's grade while
// the pointer rests on one, else the project's own grade.
std::optional<VideoGrade> shownGrade(const Project& project, bool showOriginal,
                                     const std::optional<std::string>& previewLook)
{
    if (showOriginal) return std::nullopt;
    if (!previewLook) return project.grade;
    VideoGrade grade = project.grade.value_or(VideoGrade{});
    grade.look = *previewLook;
    return grade;
}

}  // namespace

RenderSnapshot EditorModel::snapshot() const
{
    const Project& p = project_;
    const TrackSettings lanes = p.tracks.value_or(TrackSettings{});
    RenderSnapshot s;
    s.style = p.style;
    s.groups = groups_;
    s.captionsVisible = p.captionsVisible;
    s.hook = p.hookOverlay;
    s.plan = plan_;
    s.reframe = p.reframe;
    const Size size = renderSize(p.aspect);
    s.renderSize = {size.width, size.height};
    s.faceTrack = p.faceTrack;
    s.grade = shownGrade(p, showOriginal_, previewLook_);
    if (p.stabilization && p.stabilization->enabled) s.stabilization = stabCorrection_;
    s.transition = p.cutTransition.value_or(CutTransition::none);
    if (!lanes.overlaysHidden) {
        s.broll = brollPlacements_;
        // The last player rebuild knows the composition track of each video
        // B-roll; placements it has not seen keep what they were resolved with.
        for (BRollPlacement& placement : s.broll) {
            auto it = brollRuntime_.find(placement.item.id);
            if (it == brollRuntime_.end()) continue;
            placement.trackID = it->second.trackID;
            placement.source = it->second.source;
        }
    }
    for (const auto& [index, pick] : emojiPicks_) s.emojis[index] = pick.emoji;
    s.progressBar = p.progressBar;
    if (!lanes.matchCutsHidden) s.matchCuts = placedMatchCuts_;
    if (!lanes.effectsHidden) s.motions = placedMotions_;
    if (!lanes.soundsMuted) s.sounds = placedSounds_;
    // −40 dB is below the silence floor, so a muted video mixes as silence.
    s.videoVolume = lanes.videoMuted ? VolumeEnvelope{-40, 0, 0, {}} : placedVideoVolume();
    if (p.styleOverrides) s.styles = *p.styleOverrides;
    if (p.clips)
        for (const VideoClip& clip : *p.clips)
            if (clip.adjust) s.clipAdjust.emplace(clip.id, *clip.adjust);  // the first of equal ids wins
    if (!effectsEvents_.empty()) s.effectsAudio = effectsAudioURL_;
    s.effectsVolume = p.soundEffects ? p.soundEffects->volume : -8.0;
    return s;
}

// Built outside the lock; the render state holds its lock only for the swap.
void EditorModel::publishSnapshot() { renderState_->store(snapshot()); }

}  // namespace vt
