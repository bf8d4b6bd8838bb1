#include "audio/Leveler.h"

#include <algorithm>
#include <cmath>

namespace vt {

Leveler::Leveler(double strength, double sampleRate)
    : threshold_(static_cast<float>(-20 - 10 * strength)),
      slope_(static_cast<float>(1 - 1 / (1 + 4 * strength))),
      attack_(static_cast<float>(std::exp(-1 / (sampleRate * 0.01)))),
      release_(static_cast<float>(std::exp(-1 / (sampleRate * 0.2))))
{
}

void Leveler::process(float* samples, std::size_t count)
{
    float e = envelope_;
    for (std::size_t i = 0; i < count; ++i) {
        const float x = samples[i];
        const float p = x * x;
        const float c = e < p ? attack_ : release_;
        e = e * c + p * (1 - c);
        const float level = 10 * std::log10(std::max(e, 1e-10f));
        if (level > threshold_) samples[i] = x * std::pow(10.0f, slope_ * (level - threshold_) / -20);
    }
    envelope_ = e;
}

}  // namespace vt
