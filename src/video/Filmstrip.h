#pragma once
// Small upright pictures of a clip for the timeline's video lane, still
// frames at chosen source times for the colour and thumbnail actions, and
// the lookup of the picture nearest a time. Blocking: call from background
// work. Never throws: a file or frame that cannot be read is left out.

#include "model/Project.h"

#include <QImage>

#include <filesystem>
#include <map>
#include <vector>

namespace vt::Filmstrip {

struct Frame {
    double time = 0;  // seconds the picture was asked for (not the decoded frame's own time)
    QImage image;
};

// n = ⌈upper − lower⌉ pictures (at least 8, at most maxCount) at the middles
// of n equal slots of [lower, upper] in the file's own time, each within
// 180 × 180 pixels, taken within half a slot (at most 0.5 s) of the time.
// Nothing for an empty or inverted range (the file is not opened).
std::vector<Frame> frames(const std::filesystem::path& file, double lower, double upper, int maxCount);

// The frame nearest to `time` in a list sorted by time (a tie goes to the
// earlier one); nullptr for an empty list.
const Frame* nearest(const std::vector<Frame>& frames, double time);

// Pictures at joined-source times, each within maxSize × maxSize pixels and
// taken within 0.1 s of its time: a time goes to the clip it falls in (one
// on a border to the later clip, one past the end to the last clip; one
// before the first clip is dropped) and is kept 0.05 s inside the clip's
// end. Each picture carries its asked time on the joined source (rounded to
// 1/600 s); sorted by time.
std::vector<Frame> framesAtSource(const std::vector<ClipSpan>& spans, const std::vector<double>& times, int maxSize);

// Every clip's frames moved onto the joined source timeline, in clip order.
std::vector<Frame> join(const std::vector<ClipSpan>& spans, const std::map<Uuid, std::vector<Frame>>& clipFrames);

}  // namespace vt::Filmstrip
