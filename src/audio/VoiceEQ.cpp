#include "audio/VoiceEQ.h"

#include <cmath>
#include <numbers>

namespace vt {

namespace {

// The cookbook's high-pass alpha with Q = 1.414 and the peaking alpha with Q = 1.
constexpr double highPassQ = 1.414;
constexpr double peakingQ = 1;

}  // namespace

Biquad Biquad::highPass(double frequency, double sampleRate)
{
    const double w0 = 2 * std::numbers::pi * frequency / sampleRate;
    const double cs = std::cos(w0);
    const double alpha = std::sin(w0) / highPassQ;
    const double a0 = 1 + alpha;
    Biquad f;
    f.b0 = static_cast<float>((1 + cs) / 2 / a0);
    f.b1 = static_cast<float>(-(1 + cs) / a0);
    f.b2 = f.b0;
    f.a1 = static_cast<float>(-2 * cs / a0);
    f.a2 = static_cast<float>((1 - alpha) / a0);
    return f;
}

Biquad Biquad::peaking(double frequency, double gainDB, double sampleRate)
{
    const double w0 = 2 * std::numbers::pi * frequency / sampleRate;
    const double cs = std::cos(w0);
    const double alpha = std::sin(w0) / (2 * peakingQ);
    const double a = std::pow(10.0, gainDB / 40);
    const double a0 = 1 + alpha / a;
    Biquad f;
    f.b0 = static_cast<float>((1 + alpha * a) / a0);
    f.b1 = static_cast<float>(-2 * cs / a0);
    f.b2 = static_cast<float>((1 - alpha * a) / a0);
    f.a1 = f.b1;
    f.a2 = static_cast<float>((1 - alpha / a) / a0);
    return f;
}

void Biquad::process(float* samples, std::size_t count)
{
    float s1 = z1, s2 = z2;
    for (std::size_t i = 0; i < count; ++i) {
        const float x = samples[i];
        const float y = b0 * x + s1;
        s1 = s2 + b1 * x - a1 * y;
        s2 = b2 * x - a2 * y;
        samples[i] = y;
    }
    z1 = s1;
    z2 = s2;
}

VoiceEQ::VoiceEQ(double sampleRate, bool enabled)
{
    if (!enabled) return;
    filters = {Biquad::highPass(80, sampleRate), Biquad::highPass(80, sampleRate), Biquad::peaking(300, -2, sampleRate),
               Biquad::peaking(4000, 2.5, sampleRate)};
}

void VoiceEQ::process(float* samples, std::size_t count)
{
    for (Biquad& f : filters) f.process(samples, count);
}

}  // namespace vt
