#pragma once
// Writes an MPEG-4 video (H.264 High, or HEVC Main / Main 10 with HLG for
// HDR) with an AAC track, or an audio-only MPEG-4 audio (.m4a) file.
//
// Nothing appears at the target until the file is complete: everything is
// written to a hidden temporary file beside it, which finish() renames over
// the target. A writer destroyed without a successful finish() (an error, a
// cancelled export) removes its temporary file, so a failed write leaves no
// partial file and an earlier file of the target's name untouched.
//
// Threads: writeVideo() is called from one thread and writeAudio() from one
// (possibly other) thread, so the two streams encode in parallel; packets
// meet under a lock only to be muxed. finish() runs after both have stopped.
// Pictures may be converted to the encoder's format on further threads
// (PictureConverter) and handed to writeVideo() ready to encode.
// Every failure throws MediaError.

#include "platform/media/AudioBuffer.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

namespace vt::media {

enum class WriterContainer { mp4, m4a };

enum class WriterCodec { h264, hevc };

struct VideoEncoding {
    int width = 0;   // even
    int height = 0;  // even
    int fps = 30;    // whole frames per second
    std::int64_t bitsPerSecond = 10'000'000;
    WriterCodec codec = WriterCodec::h264;
    // HEVC Main 10 tagged BT.2020 / HLG from 16-bit frames; otherwise 8-bit
    // 4:2:0 tagged BT.709. Forces HEVC.
    bool hdr = false;
};

// One picture handed to the encoder; the pixels stay the caller's.
struct FrameView {
    enum class Layout {
        bgra8,   // 8 bits a channel, B G R A in memory (QImage's ARGB32 formats)
        rgba16,  // 16 bits a channel, little-endian R G B A (QImage's RGBA64 formats)
    };
    const std::uint8_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int bytesPerLine = 0;
    Layout layout = Layout::bgra8;
};

// One frame already in a writer's own pixel format, ready to encode.
class EncoderPicture {
public:
    EncoderPicture(EncoderPicture&&) noexcept;
    EncoderPicture& operator=(EncoderPicture&&) noexcept;
    ~EncoderPicture();

private:
    friend class MediaWriter;
    friend class PictureConverter;
    struct Frame;
    explicit EncoderPicture(std::unique_ptr<Frame> frame);
    std::unique_ptr<Frame> frame_;
};

// Turns pictures into a writer's pixel format (scaled to its size, with its
// colour matrix), so that the conversion can run on other threads than the
// encoding. Not thread-safe: one converter per thread; converters and the
// writer may work at the same time.
class PictureConverter {
public:
    PictureConverter(PictureConverter&&) noexcept;
    ~PictureConverter();
    EncoderPicture convert(const FrameView& frame);

private:
    friend class MediaWriter;
    struct Impl;
    explicit PictureConverter(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

class MediaWriter {
public:
    // The audio every writer takes: 48 kHz stereo, encoded as AAC at 192 kb/s.
    static AudioFormat audioFormat();

    // Opens the temporary file and both encoders. `video` absent: no video
    // track (an .m4a); `withAudio` false: no audio track.
    MediaWriter(std::filesystem::path target, WriterContainer container, std::optional<VideoEncoding> video,
                bool withAudio);
    ~MediaWriter();
    MediaWriter(const MediaWriter&) = delete;
    MediaWriter& operator=(const MediaWriter&) = delete;

    // The next frame, one frame duration after the previous one. A frame of
    // another size is scaled to the encoding's size.
    void writeVideo(const FrameView& frame);
    // The next frame, converted beforehand by one of this writer's converters.
    void writeVideo(EncoderPicture picture);
    // A converter for this writer's video track; throws when it has none.
    PictureConverter pictureConverter() const;
    // The next stretch of audio, in audioFormat().
    void writeAudio(const AudioBuffer& audio);

    // Drains the encoders, completes the file and moves it into place.
    void finish();

    std::int64_t videoFramesWritten() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace vt::media
