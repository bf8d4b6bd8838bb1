#pragma once
// B-roll over or beside the speaker: loading stills (cached per path), how
// present an item is at a time, filling a frame with it (with an optional
// Ken Burns drift) and composing it with the speaker in one of three layouts
// with its entrance.
//
// Geometry is the compositor's (origin bottom-left, y up); pictures are
// premultiplied ARGB32. Stateless except for the still cache, which is safe
// to use from any number of threads at once (two threads missing at the same
// moment may both load; the later store wins).

#include "model/Placements.h"
#include "model/VideoGrade.h"

#include <QImage>
#include <QSize>

#include <functional>
#include <optional>
#include <string>
#include <utility>

namespace vt::BRollRenderer {

// The speaker's picture framed for a size, as the pipeline reframes it.
using Speaker = std::function<QImage(QSize)>;

// The still at `path`, upright; none when it cannot be read (nothing is
// cached then, so the next frame tries again).
std::optional<QImage> image(const std::string& path);

// 0…1: a cut entrance is fully on from start to end; every other entrance
// rises over the first 0.25 s (or until the end, when sooner) and falls over
// 0.25 s after the end.
double presence(const BRollPlacement& placement, double time);

// `picture` covering `size`, centred, scaled up by 10 % and drifted left by
// 2 % of the width over Ken Burns progress 0…1.
QImage fill(const QImage& picture, QSize size, double kenBurns);

// The current frame with the item's content composed on it at `time`, and
// whether it now covers the speaker (full or split layout at full presence).
std::pair<QImage, bool> compose(const BRollPlacement& placement, const QImage& content, const QImage& current,
                                const Speaker& speaker, double time, QSize size,
                                const std::optional<VideoGrade>& grade);

}  // namespace vt::BRollRenderer
