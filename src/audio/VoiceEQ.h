#pragma once
// The voice EQ of the cleanup: two 80 Hz high-pass sections (24 dB per octave
// below the voice), −2 dB at 300 Hz against boxiness and +2.5 dB at 4 kHz for
// presence. Filters mono float blocks in place; the state carries over, so a
// stream may come in blocks of any size. One per pass, one thread.

#include <vector>

namespace vt {

// One second-order section, coefficients divided by a0, transposed direct
// form II.
struct Biquad {
    float b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    float z1 = 0, z2 = 0;

    static Biquad highPass(double frequency, double sampleRate);
    static Biquad peaking(double frequency, double gainDB, double sampleRate);

    void process(float* samples, std::size_t count);
};

struct VoiceEQ {
    std::vector<Biquad> filters;  // empty when the EQ is off

    VoiceEQ(double sampleRate, bool enabled);
    void process(float* samples, std::size_t count);
    void process(std::vector<float>& samples) { process(samples.data(), samples.size()); }
};

}  // namespace vt
