#pragma once
// Moves everything a project times in source seconds from one clip layout to
// another, when clips are removed, added or reordered, so that each timed
// thing keeps its place inside its own clip. Things whose clip is gone are
// dropped.
//
// Moved: words (start, and end keeping the length), the translation's words,
// match cuts with a start, camera moves, sound clips, the video-volume
// envelope's points, B-rolls placed at a time (B-rolls anchored to words stay
// while both anchor words survive), and face-track samples. Nothing else:
// the voiceover take's words are output seconds and stay; lengths, offsets,
// styles and every other field are untouched. Clip trims play no part: a time
// moves with its clip's start only. Main thread.

#include "model/Project.h"

#include <optional>
#include <vector>

namespace vt {

struct SourceRemap {
    std::vector<ClipSpan> oldSpans;  // the layout before the change, ascending start
    std::vector<ClipSpan> newSpans;  // the layout after it; clips matched by id

    // The new source time of an old one; absent when its clip is not in
    // newSpans. A time before the first span belongs to the first clip, one
    // past the end of the last to the last; a time on a clip boundary (within
    // 1e-9 s) to the later clip. Without old spans every time stays.
    std::optional<double> operator()(double t) const;

    // Moves every source-timed field of the project in place.
    void apply(Project& project) const;
};

}  // namespace vt
