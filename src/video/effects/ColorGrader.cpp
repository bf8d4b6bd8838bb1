#include "video/effects/ColorGrader.h"

namespace vt::ColorGrader {

QImage apply(const VideoGrade&, const QImage& picture, double) { return picture; }

}  // namespace vt::ColorGrader
