#include "video/ProgressBarRenderer.h"

#include "video/Kernels.h"

#include <algorithm>
#include <cmath>

namespace vt::ProgressBarRenderer {

int thickness(const ProgressBar& bar, QSize size)
{
    const double scaled = std::min(size.width(), size.height()) / 1080.0 * bar.thickness;
    return std::max(static_cast<int>(std::lround(scaled)), 2);
}

QImage image(const ProgressBar& bar, double progress, const RGBA& accent, QSize size)
{
    const int th = thickness(bar, size);
    const double y = bar.position == ProgressBar::Position::top ? size.height() - th : 0;
    const RGBA fill = bar.color.value_or(accent);
    QImage out = Kernels::canvas(size);
    Kernels::fillOver(out, QRectF(0, y, size.width(), th), QColor::fromRgbF(0, 0, 0, 0.3));
    Kernels::fillOver(out, QRectF(0, y, std::clamp(progress, 0.0, 1.0) * size.width(), th),
                      Kernels::toColor(fill));
    return out;
}

}  // namespace vt::ProgressBarRenderer

