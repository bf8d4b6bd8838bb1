#include "video/Transitions.h"

#include "video/Kernels.h"

#include <QTransform>

#include <algorithm>
#include <cmath>

namespace vt::Transitions {

std::optional<double> nearestCut(double t, const EditPlan& plan)
{
    if (plan.segments.size() < 2) return std::nullopt;
    double d = t - plan.segments[1].outputStart;
    for (std::size_t i = 2; i < plan.segments.size(); ++i) {
        const double candidate = t - plan.segments[i].outputStart;
        if (std::abs(candidate) < std::abs(d)) d = candidate;
    }
    return d;
}

QImage zoom(const QImage& image, double scale)
{
    const double px = image.width() / 2.0, py = 0.62 * image.height();
    const QTransform t = QTransform::fromTranslate(-px, -py) * QTransform::fromScale(scale, scale) *
                         QTransform::fromTranslate(px, py);
    return Kernels::warp(image, t, image.size(), Kernels::Edges::clamp);
}

QImage apply(CutTransition transition, const QImage& frame, double t, const EditPlan& plan, QSize size)
{
    if (transition == CutTransition::none || transition == CutTransition::zoomPunch) return frame;
    const auto cut = nearestCut(t, plan);
    if (!cut) return frame;
    const double d = *cut;
    const double unit = std::min(size.width(), size.height()) / 1080.0;
    switch (transition) {
    case CutTransition::zoomIn:
        if (d >= 0 && d < 0.35) return zoom(frame, 1 + 0.16 * std::pow(1 - d / 0.35, 3));
        return frame;
    case CutTransition::flash:
    case CutTransition::dipBlack: {
        const double k = d < 0 ? 1 + d / 0.1 : 1 - d / 0.22;
        if (k <= 0) return frame;
        QImage out = frame.copy();
        Kernels::fillOver(out, transition == CutTransition::flash ? QColor::fromRgbF(1, 1, 1, 0.85 * k)
                                                                  : QColor::fromRgbF(0, 0, 0, std::min(k, 1.0)));
        return out;
    }
    case CutTransition::whip: {
        if (std::abs(d) >= 0.12) return frame;
        const double k = std::pow(1 - std::abs(d) / 0.12, 2);
        const double dx = (d < 0 ? -1 : 1) * k * 0.45 * frame.width();
        const QImage moved =
            Kernels::warp(frame, QTransform::fromTranslate(dx, 0), frame.size(), Kernels::Edges::clamp);
        return Kernels::motionBlurX(moved, unit * 70 * k);
    }
    case CutTransition::glitch:
        if (std::abs(d) >= 0.1) return frame;
        return Kernels::rgbSplit(frame, unit * 16 * (1 - std::abs(d) / 0.1));
    default: return frame;
    }
}

}  // namespace vt::Transitions
