#include "audio/WaveformBars.h"

#include <algorithm>
#include <cmath>

namespace vt::Waveform {

namespace {

constexpr float silentBar = 0.06f;
constexpr float unknownBar = 0.08f;  // the video's peaks are not there (yet)
constexpr int maxSamplesPerBar = 12;

// A peak index for a time; times outside an int's range give -1.
long long peakIndex(double seconds)
{
    const double i = std::floor(seconds * peaksPerSecond);
    return i >= 0 && i < 9.0e18 ? static_cast<long long>(i) : -1;
}

}  // namespace

std::vector<float> bars(const std::vector<float>& peaks, int count, const EditPlan& plan)
{
    if (count <= 0) return {};
    const double length = plan.outputLength();
    if (peaks.empty() || plan.segments.empty() || !(length > 0)) return std::vector<float>(static_cast<std::size_t>(count), unknownBar);
    const double barLength = length / count;
    const int samples = std::clamp(static_cast<int>(barLength * peaksPerSecond), 1, maxSamplesPerBar);
    std::vector<float> out(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        float height = 0;
        for (int j = 0; j < samples; ++j) {
            const double t = barLength * (i + (j + 0.5) / samples);
            const long long index = peakIndex(plan.sourceTime(t));
            if (index >= 0 && index < static_cast<long long>(peaks.size())) height = std::max(height, peaks[static_cast<std::size_t>(index)]);
        }
        out[static_cast<std::size_t>(i)] = std::max(height, silentBar);
    }
    return out;
}

std::vector<float> voiceBars(const std::vector<float>& takePeaks, int count, double outputLength, double takeStart, double takeDuration)
{
    if (count <= 0) return {};
    std::vector<float> out(static_cast<std::size_t>(count), silentBar);
    const double barLength = outputLength / count;
    const auto peakCount = static_cast<long long>(takePeaks.size());
    for (int i = 0; i < count; ++i) {
        const double a = barLength * i - takeStart;  // the bar's start in take time
        if (!(a + barLength > 0 && a < takeDuration) || takePeaks.empty()) continue;
        // Cut toward zero, as the bar's edges may lie before the take.
        const long long lo = std::max(static_cast<long long>(std::trunc(a * peaksPerSecond)), 0LL);
        const long long hi = std::min(static_cast<long long>(std::trunc((a + barLength) * peaksPerSecond)) + 1, peakCount);
        if (lo >= hi) continue;
        const float loudest = *std::max_element(takePeaks.begin() + lo, takePeaks.begin() + hi);
        out[static_cast<std::size_t>(i)] = std::max(loudest, silentBar);
    }
    return out;
}

}  // namespace vt::Waveform
