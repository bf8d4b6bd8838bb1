#include "audio/AudioRamps.h"

#include <algorithm>
#include <cmath>

namespace vt::AudioRamps {

namespace {

constexpr double inside = 0.000001;   // how far inside a stretch its ends are sampled
constexpr double shortest = 0.00001;  // stretches this short give no ramp
constexpr double straightness = 0.001;

bool isFlat(double a, double b) { return std::abs(a - b) < shortest; }

void append(std::vector<VolumeRamp>& out, VolumeRamp ramp)
{
    if (!out.empty()) {
        VolumeRamp& last = out.back();
        if (isFlat(last.from, last.to) && isFlat(ramp.from, ramp.to) && isFlat(last.to, ramp.from) &&
            std::abs(last.end - ramp.start) < 1e-9) {
            last.end = ramp.end;
            return;
        }
    }
    out.push_back(ramp);
}

}  // namespace

std::vector<VolumeRamp> ramps(const std::function<double(double)>& gain, std::vector<double> knots, double lower, double upper,
                              double step)
{
    std::vector<double> times{lower, upper};
    for (double t : knots)
        if (t >= lower && t <= upper) times.push_back(t);
    std::sort(times.begin(), times.end());
    times.erase(std::unique(times.begin(), times.end()), times.end());

    std::vector<VolumeRamp> out;
    for (std::size_t i = 0; i + 1 < times.size(); ++i) {
        const double a = times[i], b = times[i + 1];
        if (b - a <= shortest) continue;
        const double f0 = gain(a + inside), f1 = gain(b - inside), fm = gain((a + b) / 2);
        if (std::abs(fm - (f0 + f1) / 2) < straightness) {
            append(out, {a, b, f0, f1});
            continue;
        }
        const int n = std::max(2, int(std::ceil((b - a) / step)));
        for (int k = 0; k < n; ++k) {
            const double s = a + (b - a) * k / n, e = a + (b - a) * (k + 1) / n;
            append(out, {s, e, k == 0 ? f0 : gain(s), k == n - 1 ? f1 : gain(e)});
        }
    }
    return out;
}

}  // namespace vt::AudioRamps
