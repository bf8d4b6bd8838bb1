#pragma once
// Reads the first audio track of a file from any point, converted to the
// rate and channel count the caller asks for (libswresample does rate and
// layout), as float planes. Seeking is sample-exact: the first frame after a
// seek is the one at that time in the file. Not thread-safe.

#include "platform/media/AudioBuffer.h"

#include <cstdint>
#include <filesystem>
#include <memory>

namespace vt::media {

class AudioTrackReader {
public:
    // Throws MediaError when the file cannot be opened, has no audio track or
    // its audio cannot be decoded.
    AudioTrackReader(const std::filesystem::path& file, AudioFormat output);
    ~AudioTrackReader();
    AudioTrackReader(const AudioTrackReader&) = delete;
    AudioTrackReader& operator=(const AudioTrackReader&) = delete;

    const AudioFormat& format() const;
    // Frames from the start of the file (its time 0) in the output rate.
    std::int64_t position() const;
    // Moves to a frame (output rate) from the file's time 0; time before the
    // track starts reads as silence.
    void seek(std::int64_t frame);
    // Up to maxFrames frames from the current position, which advances. Fewer
    // only at the end of the track; an empty buffer after it. A damaged
    // packet is skipped; any other failure throws MediaError.
    AudioBuffer read(std::int64_t maxFrames);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace vt::media
