#pragma once
// The look-ahead peak limiter of the cleanup's output: keeps every sample at
// or below the ceiling, turning the gain down 5 ms before a peak arrives and
// letting it recover with an 80 ms release. The output lags the input by
// lookahead − 1 samples. Processes mono float blocks in place; state carries
// over between blocks. One per pass, one thread.

#include <cstdint>
#include <deque>
#include <vector>

namespace vt {

class PeakLimiter {
public:
    // The sample rate must be at least 200 Hz (a look-ahead of one sample).
    PeakLimiter(double sampleRate, float ceiling);

    void process(float* samples, std::size_t count);
    void process(std::vector<float>& samples) { process(samples.data(), samples.size()); }

    int lookahead() const { return static_cast<int>(delay_.size()); }
    float ceiling() const { return ceiling_; }

private:
    float ceiling_;
    float release_;
    std::vector<float> delay_;
    std::size_t position_ = 0;
    float gain_ = 1;
    // The largest magnitude of the last `lookahead` inputs, kept as a
    // decreasing run of (input index, magnitude) so each sample costs O(1)
    // instead of a scan of the whole window; the maximum is the same.
    std::deque<std::pair<std::int64_t, float>> window_;
    std::int64_t index_ = 0;
};

}  // namespace vt
