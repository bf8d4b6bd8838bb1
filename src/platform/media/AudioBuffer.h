#pragma once
// Uncompressed audio as the media layer hands it over: 32-bit float samples,
// one plane per channel (non-interleaved), at a given rate.

#include <cstdint>
#include <vector>

namespace vt::media {

struct AudioFormat {
    int sampleRate = 0;  // frames per second
    int channels = 0;

    friend bool operator==(const AudioFormat&, const AudioFormat&) = default;
};

struct AudioBuffer {
    AudioFormat format;
    std::vector<std::vector<float>> planes;  // one per channel, each frameLength() long

    AudioBuffer() = default;
    AudioBuffer(AudioFormat f, std::int64_t frames)
        : format(f), planes(static_cast<std::size_t>(f.channels), std::vector<float>(static_cast<std::size_t>(frames)))
    {
    }
    std::int64_t frameLength() const { return planes.empty() ? 0 : static_cast<std::int64_t>(planes[0].size()); }
};

}  // namespace vt::media
