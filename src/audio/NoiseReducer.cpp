#include "audio/NoiseReducer.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vt {

namespace {

// Below this many pause frames the pauses say too little about the noise.
constexpr std::int64_t enoughPauseFrames = 20;

}  // namespace

NoiseProfile::NoiseProfile(std::size_t bins)
    : pauseSum(bins, 0.0), smoothed(bins, 0.0), minimum(bins, std::numeric_limits<double>::max())
{
}

void NoiseProfile::add(const std::vector<float>& power, bool pause)
{
    const std::size_t bins = std::min(power.size(), smoothed.size());
    for (std::size_t k = 0; k < bins; ++k) {
        const double p = power[k];
        smoothed[k] = smoothed[k] == 0 ? p : 0.1 * p + 0.9 * smoothed[k];
        minimum[k] = std::min(minimum[k], smoothed[k]);
        if (pause) pauseSum[k] += p;
    }
    if (pause) ++pauseFrames;
}

std::vector<float> NoiseProfile::estimate() const
{
    std::vector<float> noise(smoothed.size());
    for (std::size_t k = 0; k < noise.size(); ++k) {
        if (pauseFrames >= enoughPauseFrames)
            noise[k] = static_cast<float>(pauseSum[k] / static_cast<double>(pauseFrames));
        else
            noise[k] = minimum[k] == std::numeric_limits<double>::max() ? 0.0f : static_cast<float>(1.6 * minimum[k]);
    }
    return noise;
}

NoiseReducer::NoiseReducer(std::vector<float> noise, double strength)
    : noise_(std::move(noise)),
      overSubtract_(static_cast<float>(1 + 2.5 * strength)),
      floor_(static_cast<float>(std::pow(10.0, -(6 + 18 * strength) / 20))),
      previous_(noise_.size(), 1.0f),
      raw_(noise_.size())
{
}

const std::vector<float>& NoiseReducer::gains(const std::vector<float>& power)
{
    const std::size_t m = std::min(power.size(), noise_.size());
    float* h = raw_.data();
    for (std::size_t k = 0; k < m; ++k) {
        const float d = std::max(overSubtract_ * noise_[k], 1e-12f);
        const float ratio = std::max(power[k] / d, 1e-6f);
        const float g = std::max(1.0f - 1.0f / ratio, floor_);
        const float p = previous_[k];
        h[k] = g > p ? 0.7f * g + 0.3f * p : 0.25f * g + 0.75f * p;
    }
    if (m < 2) {
        std::copy_n(h, m, previous_.data());
        return previous_;
    }
    previous_[0] = h[0];
    for (std::size_t k = 1; k + 1 < m; ++k) previous_[k] = 0.25f * h[k - 1] + 0.5f * h[k] + 0.25f * h[k + 1];
    previous_[m - 1] = h[m - 1];
    return previous_;
}

}  // namespace vt
