#include "ui/theme/LookColor.h"

#include <algorithm>
#include <cmath>

namespace vt::ui {

namespace {

// Damaged looks may hold components outside 0…1 or not-a-number; the toolkit
// would reject them, so they are clamped, and not-a-number reads as 0.
double unit(double v)
{
    return std::isfinite(v) ? std::clamp(v, 0.0, 1.0) : (std::isnan(v) ? 0.0 : (v > 0 ? 1.0 : 0.0));
}

}  // namespace

QColor toQColor(const RGBA& color)
{
    return QColor::fromRgbF(float(unit(color.r)), float(unit(color.g)), float(unit(color.b)), float(unit(color.a)));
}

RGBA toRGBA(const QColor& color)
{
    if (!color.isValid()) return {1, 1, 1, 1};  // nothing to convert: white
    const QColor rgb = color.toRgb();
    return {rgb.redF(), rgb.greenF(), rgb.blueF(), rgb.alphaF()};
}

}  // namespace vt::ui
