#include "audio/PeakLimiter.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace vt {

PeakLimiter::PeakLimiter(double sampleRate, float ceiling)
    : ceiling_(ceiling), release_(static_cast<float>(std::exp(-1 / (sampleRate * 0.08))))
{
    const auto lookahead = static_cast<std::int64_t>(sampleRate * 0.005);
    if (lookahead < 1) throw std::invalid_argument("The peak limiter needs a sample rate of at least 200 Hz.");
    delay_.assign(static_cast<std::size_t>(lookahead), 0.0f);
}

void PeakLimiter::process(float* samples, std::size_t count)
{
    const auto length = static_cast<std::int64_t>(delay_.size());
    for (std::size_t i = 0; i < count; ++i) {
        const float x = samples[i];
        const float magnitude = std::fabs(x);
        delay_[position_] = x;
        position_ = position_ + 1 == delay_.size() ? 0 : position_ + 1;
        while (!window_.empty() && !(window_.back().second > magnitude)) window_.pop_back();
        window_.emplace_back(index_, magnitude);
        while (window_.front().first <= index_ - length) window_.pop_front();
        ++index_;
        const float peak = window_.front().second;
        const float target = peak > ceiling_ ? ceiling_ / peak : 1.0f;
        gain_ = target < gain_ ? target : gain_ * release_ + target * (1 - release_);
        samples[i] = std::clamp(delay_[position_] * gain_, -ceiling_, ceiling_);
    }
}

}  // namespace vt
