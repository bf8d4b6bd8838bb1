#include "video/MotionRenderer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vt::MotionRenderer {

namespace {

using Kind = MotionEffect::Kind;

QTransform scaleAbout(double s, QPointF pivot)
{
    return QTransform::fromTranslate(-pivot.x(), -pivot.y()) * QTransform::fromScale(s, s) *
           QTransform::fromTranslate(pivot.x(), pivot.y());
}

// The scale of a zoom-like move `tau` seconds in, at curve length `d`.
double zoomScale(Kind kind, double tau, double d, double k)
{
    switch (kind) {
    case Kind::zoomIn: return 1 + 0.22 * k * smoothstep(tau / d);
    case Kind::zoomOut: return 1 + 0.22 * k * (1 - smoothstep(tau / d));
    case Kind::punchIn: return 1 + 0.28 * k * smoothstep(tau / 0.1);
    case Kind::pop: {
        const double rise = std::min(0.3 * d, 0.12);
        const double settle = d - rise < 0.01 ? 0.01 : d - rise;
        const double a = tau < rise ? std::pow(1 - tau / rise, 2) : smoothstep((tau - rise) / settle);
        return 1 + 0.14 * k * (1 - a);
    }
    default: return 1;
    }
}

}  // namespace

double smoothstep(double x)
{
    const double c = std::clamp(x, 0.0, 1.0);
    return c * c * (3 - 2 * c);
}

bool isGeometric(MotionEffect::Kind kind)
{
    return kind == Kind::zoomIn || kind == Kind::zoomOut || kind == Kind::punchIn || kind == Kind::pop ||
           kind == Kind::shake;
}

std::optional<QTransform> transform(const std::vector<PlacedMotion>& motions, double t, QPointF anchor, QSizeF size)
{
    if (motions.empty()) return std::nullopt;
    const double w = size.width(), h = size.height();
    const QPointF pivot(std::min(std::max(anchor.x(), 0.15 * w), 0.85 * w),
                        std::min(std::max(anchor.y(), 0.15 * h), 0.85 * h));
    const double phi = 2 * std::numbers::pi * t;
    const double unit = std::min(w, h) / 1080 * 16;
    const double sx = 0.6 * std::sin(13.3 * phi) + 0.4 * std::sin(7.7 * phi + 1.3);
    const double sy = 0.6 * std::sin(11.1 * phi + 0.7) + 0.4 * std::sin(5.3 * phi + 2.1);
    const double r = std::sin(9.2 * phi + 0.4);

    QTransform total;
    bool any = false;
    for (const PlacedMotion& placed : motions) {
        const MotionEffect& move = placed.effect;
        if (!isGeometric(move.kind) || !(placed.start <= t && t < placed.start + move.duration)) continue;
        const double d = std::max(move.duration, 0.05);
        const double tau = t - placed.start;
        const double k = move.strength;
        QTransform m;
        if (move.kind == Kind::shake) {
            const double e = std::clamp(std::min(tau / 0.05, (d - tau) / 0.15), 0.0, 1.0);
            const double amplitude = unit * k * e;
            const double s = 1 + 0.06 * k * e;
            m = QTransform::fromTranslate(-w / 2, -h / 2) *
                QTransform().rotateRadians(r * 0.008 * k * e) * QTransform::fromScale(s, s) *
                QTransform::fromTranslate(w / 2 + sx * amplitude, h / 2 + sy * amplitude);
        } else {
            m = scaleAbout(zoomScale(move.kind, tau, d, k), pivot);
        }
        total = total * m;
        any = true;
    }
    if (!any) return std::nullopt;
    return total;
}

}  // namespace vt::MotionRenderer
