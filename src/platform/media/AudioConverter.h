#pragma once
// Converts float audio between rates and channel counts (down-mixing to fewer
// channels). Input and output are one plane per channel. A converter keeps a
// little audio inside (the resampling filter's delay and whatever did not fit
// the last output): after the last input, flush() until it comes back empty.
// Not thread-safe.

#include "platform/media/AudioBuffer.h"

#include <cstdint>
#include <memory>
#include <string>

namespace vt::media {

// "2 ch, 44100 Hz, Float32, deinterleaved": a format as the user may read it.
std::string describe(const AudioFormat& format);

class AudioConverter {
public:
    // Throws MediaError when no conversion between the two formats exists.
    AudioConverter(const AudioFormat& from, const AudioFormat& to);
    ~AudioConverter();
    AudioConverter(const AudioConverter&) = delete;
    AudioConverter& operator=(const AudioConverter&) = delete;

    const AudioFormat& inputFormat() const;
    const AudioFormat& outputFormat() const;

    // The most frames the next convert() of `inputFrames` frames can produce,
    // counting what the converter already holds.
    std::int64_t maxOutputFrames(std::int64_t inputFrames) const;

    // Converts `input` (in the input format); returns at most `capacity`
    // frames and keeps the rest for later calls. Throws MediaError.
    AudioBuffer convert(const AudioBuffer& input, std::int64_t capacity);
    // Returns up to `capacity` of the frames still held; empty when drained.
    AudioBuffer flush(std::int64_t capacity);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace vt::media
