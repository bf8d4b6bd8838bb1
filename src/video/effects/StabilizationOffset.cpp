#include "video/effects/StabilizationOffset.h"

#include "video/Kernels.h"

#include <algorithm>
#include <cmath>

namespace vt {

Point stabilizationOffset(const StabilizationCorrection& c, double time)
{
    const std::size_t n = std::min({c.t.size(), c.dx.size(), c.dy.size()});
    if (n == 0) return {};
    if (!(time > c.t[0])) return {c.dx[0], c.dy[0]};
    if (time >= c.t[n - 1]) return {c.dx[n - 1], c.dy[n - 1]};
    const auto upper = std::upper_bound(c.t.begin(), c.t.begin() + static_cast<std::ptrdiff_t>(n), time);
    const std::size_t i = static_cast<std::size_t>(upper - c.t.begin());
    const double span = std::max(c.t[i] - c.t[i - 1], 1e-6);
    const double f = std::clamp((time - c.t[i - 1]) / span, 0.0, 1.0);
    return {c.dx[i - 1] + (c.dx[i] - c.dx[i - 1]) * f, c.dy[i - 1] + (c.dy[i] - c.dy[i - 1]) * f};
}

QImage stabilized(const QImage& image, const StabilizationCorrection& correction, double time)
{
    const Point offset = stabilizationOffset(correction, time);
    const double w = image.width(), h = image.height(), z = correction.zoom;
    const QTransform t = QTransform::fromTranslate(offset.x * w, offset.y * h) *
                         QTransform::fromTranslate(-w / 2, -h / 2) * QTransform::fromScale(z, z) *
                         QTransform::fromTranslate(w / 2, h / 2);
    return Kernels::warp(image, t, image.size(), Kernels::Edges::clamp);
}

Point stabilizedPoint(Point p, const StabilizationCorrection& correction, double time)
{
    const Point offset = stabilizationOffset(correction, time);
    return {(p.x + offset.x - 0.5) * correction.zoom + 0.5, (p.y + offset.y - 0.5) * correction.zoom + 0.5};
}

}  // namespace vt
