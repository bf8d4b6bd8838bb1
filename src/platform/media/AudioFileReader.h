#pragma once
// Reads the first audio track of a file as float samples, chunk by chunk, in
// its processing format (the file's own rate and channel count, one plane per
// channel). Not thread-safe: one thread reads at a time.
//
// A read never returns part of the audio as if it were all of it: a read or
// decoding error, or audio that stops well before the length the file states
// (a truncated file), throws MediaError.

#include "platform/media/AudioBuffer.h"

#include <cstdint>
#include <filesystem>
#include <memory>

namespace vt::media {

class AudioFileReader {
public:
    // Throws MediaError when the file cannot be opened, has no audio track or
    // its audio cannot be decoded.
    explicit AudioFileReader(const std::filesystem::path& file);
    ~AudioFileReader();
    AudioFileReader(const AudioFileReader&) = delete;
    AudioFileReader& operator=(const AudioFileReader&) = delete;

    AudioFormat processingFormat() const;
    // Length in frames as the file states it; once the end has been reached,
    // the number of frames actually read. 0 when the file states none.
    std::int64_t length() const;
    std::int64_t framePosition() const;
    bool atEnd() const;

    // Up to maxFrames frames from the current position, which advances. An
    // empty buffer only at the end of the audio.
    AudioBuffer read(std::int64_t maxFrames);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace vt::media
