#pragma once
// The cleanup's leveler: a hard-knee downward compressor on the smoothed
// power of the voice (10 ms attack, 200 ms release). Above the threshold
// T = −20 − 10 strength dB the output level follows T + (level − T) / R with
// R = 1 + 4 strength. Processes mono float blocks in place; its envelope
// carries over between blocks. One per pass, one thread.

#include <vector>

namespace vt {

class Leveler {
public:
    Leveler(double strength, double sampleRate);

    void process(float* samples, std::size_t count);
    void process(std::vector<float>& samples) { process(samples.data(), samples.size()); }

    float threshold() const { return threshold_; }
    float slope() const { return slope_; }

private:
    float threshold_;  // dB relative to a full-scale power of 1
    float slope_;      // 1 − 1 / ratio
    float attack_;
    float release_;
    float envelope_ = 0;
};

}  // namespace vt
