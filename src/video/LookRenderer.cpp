#include "video/LookRenderer.h"

#include "video/Kernels.h"
#include "video/MotionRenderer.h"
#include "video/Transitions.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vt::LookRenderer {

namespace {

using Kind = MotionEffect::Kind;
using MotionRenderer::smoothstep;

// One active move: its kind, curve length D, time into it τ and strength.
struct Active {
    Kind kind;
    double length;
    double elapsed;
    double strength;
};

template <typename Visit>
void forEachActive(const std::vector<PlacedMotion>& motions, double t, Visit visit)
{
    for (const PlacedMotion& placed : motions) {
        const MotionEffect& move = placed.effect;
        if (!(placed.start <= t && t < placed.start + move.duration)) continue;
        visit(Active{move.kind, std::max(move.duration, 0.05), t - placed.start, move.strength});
    }
}

QImage glitch(const QImage& image, double t, double unit, double strength, QSize size)
{
    const double phi = 2 * std::numbers::pi * t;
    if (!(std::sin(9.3 * phi) > -0.35)) return image;
    const double amplitude = unit * 18 * strength * (0.55 + 0.45 * std::abs(std::sin(23.7 * phi)));
    QImage split = Kernels::rgbSplit(image, amplitude);
    const double h = size.height();
    const QRectF band(0, (std::sin(61.3 * t) + 1) / 2 * h, size.width(), 0.08 * h);
    // The band, cut out of the split picture and moved right.
    const QRect rows(0, static_cast<int>(std::floor(h - band.bottom())), size.width(),
                     static_cast<int>(std::ceil(band.height())));
    const QImage strip = split.copy(rows);
    Kernels::drawOver(split, strip, QPointF(2.5 * amplitude, h - rows.y() - strip.height()));
    return split;
}

}  // namespace

QImage picture(const QImage& image, const std::vector<PlacedMotion>& motions, double t, QSize size)
{
    QImage out = image;
    const double unit = std::min(size.width(), size.height()) / 1080.0;
    forEachActive(motions, t, [&](const Active& a) {
        switch (a.kind) {
        case Kind::blurIn: {
            const double sigma = (1 - smoothstep(a.elapsed / a.length)) * unit * 36 * a.strength;
            if (sigma > 0.3) out = Kernels::gaussianBlur(out, sigma, Kernels::Edges::clamp);
            break;
        }
        case Kind::blackWhite: {
            const double c = std::clamp(std::min(a.elapsed / 0.15, (a.length - a.elapsed) / 0.15), 0.0, 1.0);
            out = out.copy();
            Kernels::colorControls(out, 1 - std::min(a.strength, 1.0) * c, 0);
            break;
        }
        case Kind::glitch: out = glitch(out, t, unit, a.strength, size); break;
        default: break;
        }
    });
    return out;
}

QImage overlay(const QImage& frame, const std::vector<PlacedMotion>& motions, double t, QSize)
{
    QImage out = frame;
    forEachActive(motions, t, [&](const Active& a) {
        const double p = a.elapsed / a.length;
        double alpha = 0;
        QColor color = Qt::black;
        switch (a.kind) {
        case Kind::flash:
            color = Qt::white;
            alpha = (p < 0.12 ? p / 0.12 : std::pow(1 - (p - 0.12) / 0.88, 2)) * std::min(a.strength * 0.9, 1.0);
            break;
        case Kind::fadeOut: alpha = smoothstep(p); break;
        case Kind::fadeIn: alpha = 1 - smoothstep(p); break;
        default: return;
        }
        if (alpha <= 0.001) return;
        color.setAlphaF(static_cast<float>(std::min(alpha, 1.0)));
        out = out.copy();
        Kernels::fillOver(out, color);
    });
    return out;
}

}  // namespace vt::LookRenderer
