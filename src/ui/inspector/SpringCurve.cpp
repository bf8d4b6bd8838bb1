#include "ui/inspector/SpringCurve.h"

#include <cmath>
#include <numbers>

namespace vt::ui {

namespace {

constexpr double damping = 0.85;
constexpr double responses = 1.2;  // the animation's length in spring periods

}  // namespace

// An underdamped spring released at 0 towards 1: x = 1 − e^(−ζωs)(cos ω_d s + ζω/ω_d sin ω_d s),
// with s in periods of the undamped spring (ω = 2π).
double SpringCurve::at(double t)
{
    if (t >= 1) return 1;
    if (t <= 0) return 0;
    const double omega = 2 * std::numbers::pi;
    const double damped = omega * std::sqrt(1 - damping * damping);
    const double s = t * responses;
    const double decay = std::exp(-damping * omega * s);
    return 1 - decay * (std::cos(damped * s) + damping * omega / damped * std::sin(damped * s));
}

QEasingCurve SpringCurve::curve()
{
    QEasingCurve c;
    c.setCustomType([](qreal t) { return static_cast<qreal>(at(t)); });
    return c;
}

int SpringCurve::durationMs(double response) { return static_cast<int>(std::lround(response * responses * 1000)); }

}  // namespace vt::ui
