#pragma once
// Every output frame of a project, from one upright source frame and one
// render snapshot: the speaker's picture is stabilised, shaped, reframed,
// placed and graded; B-roll, the cut transition, camera moves and picture
// looks act on it; captions (adaptive colour, knockout, behind the speaker),
// emoji, the hook, match-cut cards, the progress bar and the overlay looks
// are drawn on top, in that order.
//
// Geometry is the image geometry of the whole compositor: output pixels,
// origin bottom-left, y up; normalised points (face, focus, anchors) likewise
// from 0 to 1. Pictures are premultiplied ARGB32.
//
// Threads: render() is a pure function of its arguments; it touches no
// shared mutable data but the thread-safe still, emoji and person-mask
// caches, so any number of render threads may call it at once and the same
// arguments always give the same pixels. Callers copy the snapshot once per
// frame (RenderState::load) and render without holding any lock.

#include "model/Geometry.h"
#include "model/ReframeMode.h"
#include "platform/Uuid.h"
#include "video/RenderSnapshot.h"

#include <QImage>
#include <QSize>

#include <map>
#include <optional>

namespace vt::Compositor {

// The frames of the video B-rolls at this moment, by B-roll item id.
using BRollFrames = std::map<Uuid, QImage>;

// The size in whole pixels of a snapshot's render size, each side 1 to
// 16384 (a size that is not a number counts as 1).
QSize frameSize(const RenderSnapshot& snap);

// The composed frame at output time `time`, exactly frameSize(snap). A null
// `source` stands for a black frame of the render size. `clipID` names the
// clip the frame came from, for its adjustment. A source handed over
// (moved in) and shared with nobody may be drawn on in place, which saves
// copying the frame.
QImage render(QImage source, double time, const RenderSnapshot& snap, const BRollFrames& brollFrames = {},
              const std::optional<Uuid>& clipID = std::nullopt);

// `image` framed into `size`: smart and center fill the frame and crop
// around `focus` (as far as the picture allows); fit shows all of it over a
// blurred, darkened copy that fills the frame.
QImage reframe(const QImage& image, QSize size, ReframeMode mode, Point focus);

// The caption image with its colour switched to `dark` wherever the picture
// behind it is bright (luma above about 0.26), blending softly over about
// five units (`unit` = pixels per 1080-pixel short side).
QImage adaptiveBlend(const QImage& caption, const QImage& picture, const RGBA& dark, double unit);

}  // namespace vt::Compositor
