#include "editor/CropShape.h"

#include <algorithm>
#include <cmath>

namespace vt {

std::optional<double> shapeRatio(std::string_view shape)
{
    if (shape == "9:16") return 0.5625;
    if (shape == "1:1") return 1.0;
    if (shape == "4:5") return 0.8;
    if (shape == "16:9") return 16.0 / 9.0;
    return std::nullopt;
}

void cropToShape(ItemAdjust& adjust, std::string_view shape, double pictureAspect)
{
    adjust.cropLeft = adjust.cropRight = adjust.cropTop = adjust.cropBottom = 0;
    const auto target = shapeRatio(shape);
    if (!target || !std::isfinite(pictureAspect) || pictureAspect <= 0) return;
    const bool quarterTurned = ((adjust.turns % 4) + 4) % 4 % 2 == 1;
    const double source = quarterTurned ? 1 / pictureAspect : pictureAspect;
    if (*target < source)
        adjust.cropLeft = adjust.cropRight = std::min((1 - *target / source) / 2, 0.45);
    else
        adjust.cropTop = adjust.cropBottom = std::min((1 - source / *target) / 2, 0.45);
}

}  // namespace vt
