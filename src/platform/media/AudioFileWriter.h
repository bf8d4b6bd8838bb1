#pragma once
// Writes float audio (one plane per channel) into a sound file: AAC in an
// MPEG-4 audio file (.m4a), or 16-bit integer PCM in a Core Audio Format
// file (.caf). Not thread-safe: one thread writes.
//
// The file is complete only after finish(). A writer that goes away without
// a successful finish() removes what it wrote, so a failed or abandoned
// write never leaves a file that looks whole. Callers that cache files write
// to a temporary name and move it into place after finish().

#include "platform/media/AudioBuffer.h"

#include <cstdint>
#include <filesystem>
#include <memory>

namespace vt::media {

class AudioFileWriter {
public:
    enum class Kind {
        aacM4A,    // MPEG-4 AAC, about 128 kbit/s per channel
        pcm16CAF,  // linear PCM, 16-bit integers
    };

    // Creates (or truncates) the file and starts the encoder. `bitRate`
    // (bits per second, AAC only) 0 takes the default. Throws MediaError when
    // it cannot.
    AudioFileWriter(const std::filesystem::path& file, Kind kind, AudioFormat format, std::int64_t bitRate = 0);
    ~AudioFileWriter();
    AudioFileWriter(const AudioFileWriter&) = delete;
    AudioFileWriter& operator=(const AudioFileWriter&) = delete;

    // Appends `frames` frames; `planes` holds one pointer per channel of the
    // writer's format. Throws MediaError.
    void write(const float* const* planes, std::int64_t frames);
    void writeMono(const float* samples, std::int64_t frames) { write(&samples, frames); }

    // Encodes what is still buffered and closes the file. Throws MediaError.
    void finish();

    // Frames handed to write() so far.
    std::int64_t framesWritten() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace vt::media
