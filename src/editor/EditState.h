#pragma once
// One undo step: copies of every part of the project that undoable commands
// change. Nothing else is captured, so the caption look, framing, grade,
// audio settings (the voiceover's mix included) and all editor-only state
// survive undo and redo untouched: a look the user picked is never taken
// back by undoing an edit made before it. The music's settings and the
// lanes' switches are captured only by the steps of their own edits; every
// other step leaves them absent, and undoing such a step leaves them as
// they are.

#include "model/BRoll.h"
#include "model/BackgroundMusic.h"
#include "model/CaptionTranslation.h"
#include "model/FaceTrack.h"
#include "model/MatchCut.h"
#include "model/MotionEffect.h"
#include "model/SoundClip.h"
#include "model/TrackSettings.h"
#include "model/VideoClip.h"
#include "model/VolumeEnvelope.h"
#include "model/Voiceover.h"
#include "model/Word.h"
#include "platform/JsonCoding.h"
#include "platform/SharedList.h"

#include <optional>
#include <string>
#include <vector>

namespace vt {

struct EditState {
    // The list the editor shows (voiceover, translation or project words) and
    // the project's own recognised words; usually the same list, held once.
    SharedList<Word> words;
    SharedList<Word> speech;
    std::optional<std::vector<MatchCut>> matchCuts;
    std::optional<std::vector<MotionEffect>> motions;
    std::optional<std::vector<VideoClip>> clips;
    std::optional<std::vector<BRoll>> brolls;
    std::optional<std::vector<SoundClip>> sounds;
    std::optional<VolumeEnvelope> videoVolume;
    double sourceDuration = 0;
    std::optional<ClosedRange<double>> sourceRange;
    std::string videoPath;
    std::optional<Bytes> videoBookmark;
    std::optional<FaceTrack> faceTrack;
    std::optional<CaptionTranslation> translation;
    std::optional<Voiceover> voiceover;  // brought back only when its take differs (a removal)
    std::optional<BackgroundMusic> music;  // the music's settings, for music-edit steps only
    std::optional<TrackSettings> tracks;   // the lanes' switches, for lane steps only
};

}  // namespace vt
