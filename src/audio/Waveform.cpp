#include "audio/Waveform.h"

#include "platform/media/AudioTrackReader.h"
#include "platform/media/MediaError.h"

#include <algorithm>
#include <cmath>

namespace vt::Waveform {

namespace {

constexpr int rate = 8000;
constexpr int window = 160;  // 20 ms

// The 16-bit sample the float stands for, as a magnitude (−32768 counts 32768).
int magnitude(float sample)
{
    const long v = std::lround(double(sample) * 32768.0);
    return int(std::min(std::abs(std::clamp(v, -32768L, 32767L)), 32768L));
}

std::vector<float> rawPeaks(const std::filesystem::path& file)
{
    media::AudioTrackReader reader(file, {rate, 1});
    std::vector<float> out;
    int largest = 0, held = 0;
    for (;;) {
        media::AudioBuffer chunk = reader.read(rate * 4);
        if (chunk.frameLength() == 0) break;
        for (float s : chunk.planes[0]) {
            largest = std::max(largest, magnitude(s));
            if (++held == window) {
                out.push_back(float(largest) / 32768.0f);
                largest = held = 0;
            }
        }
    }
    if (held > 0) out.push_back(float(largest) / 32768.0f);
    return out;
}

}  // namespace

std::vector<float> peaks(const std::filesystem::path& file)
{
    std::vector<float> values;
    try {
        values = rawPeaks(file);
    } catch (const media::MediaError&) {
        return {};
    }
    if (values.empty()) return {};
    std::vector<float> sorted = values;
    const auto at = static_cast<std::ptrdiff_t>(double(sorted.size() - 1) * 0.98);
    std::nth_element(sorted.begin(), sorted.begin() + at, sorted.end());
    const float reference = std::max(sorted[std::size_t(at)], 0.05f);
    for (float& p : values) p = std::sqrt(std::min(p / reference, 1.0f));
    return values;
}

}  // namespace vt::Waveform
