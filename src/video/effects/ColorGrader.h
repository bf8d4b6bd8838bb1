#pragma once
// The colour grade of a picture. The frame compositor calls it for a clip's
// own grade, the project grade and B-roll, only with grades that are not
// neutral. The grading engine itself is not written yet: until it is, a
// picture comes back unchanged, so every caller already runs in its final
// order and reads its final inputs.
//
// Thread-safe; any number of render threads at once.

#include "model/VideoGrade.h"

#include <QImage>

namespace vt::ColorGrader {

// `picture` graded by `grade` at output `time` (the grain varies with it);
// the same size.
QImage apply(const VideoGrade& grade, const QImage& picture, double time);

}  // namespace vt::ColorGrader
