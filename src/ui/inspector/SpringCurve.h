#pragma once
// The springy motion of the inspector's animations (damping fraction 0.85,
// the settle of a spring a little under critical damping) as an easing curve
// for Qt's animation classes. A spring has no fixed end, so an animation of
// a given response runs 1.2 responses, by which the spring is within 0.2 %
// of its target; the curve then lands on it exactly.

#include <QEasingCurve>

namespace vt::ui {

struct SpringCurve {
    // Progress of the spring at `t`, 0 to 1 of the animation's duration.
    static double at(double t);
    static QEasingCurve curve();
    // The duration in milliseconds for a spring of `response` seconds.
    static int durationMs(double response);
};

}  // namespace vt::ui
