#pragma once
// Spectral noise reduction of the voice cleanup: the noise profile learned in
// the pauses between words, and the reducer that turns the noise power into
// smoothed power-subtraction gains, one per frequency bin. Both belong to one
// cleanup run on its worker thread.

#include <cstdint>
#include <functional>
#include <vector>

namespace vt {

// What pass 1 gathers per bin (double precision): the summed power of the
// pause frames, and the minimum of the smoothed power of all frames, the
// fallback when there are too few pauses.
struct NoiseProfile {
    explicit NoiseProfile(std::size_t bins);

    std::vector<double> pauseSum;
    std::int64_t pauseFrames = 0;
    std::vector<double> smoothed;
    std::vector<double> minimum;

    // One analysed frame; `pause` when its centre lies outside the speech.
    void add(const std::vector<float>& power, bool pause);

    // The noise power per bin: the mean power of the pauses when there were
    // at least 20 pause frames, else 1.6 times the minimum statistics (0 for
    // a bin never seen).
    std::vector<float> estimate() const;
};

class NoiseReducer {
public:
    // `strength` is the cleanup's noiseReduction setting (0…1): the noise is
    // subtracted 1 + 2.5 strength times, and no bin drops below
    // −(6 + 18 strength) dB.
    NoiseReducer(std::vector<float> noise, double strength);

    // Gains for a frame's power (at least 2 bins, no more than the noise
    // has); smoothed against the previous frame (opening fast, closing
    // slowly) and across neighbouring bins. The result stays valid until the
    // next call.
    const std::vector<float>& gains(const std::vector<float>& power);

    float overSubtract() const { return overSubtract_; }
    float floor() const { return floor_; }

private:
    std::vector<float> noise_;
    float overSubtract_;
    float floor_;
    std::vector<float> previous_;
    std::vector<float> raw_;
};

}  // namespace vt
