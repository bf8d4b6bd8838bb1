#pragma once
// Decodes the first video track of a file into 8-bit BGRA pictures (the byte
// order of a little-endian ARGB32 image), optionally scaled down. Frames are
// found frame-exactly by time: the frame on screen at a time is the last one
// that starts at or before it. Reading forward decodes on; a time behind the
// last one, or past the next keyframe, seeks to the keyframe before it first.
// Pictures come out as stored, not turned upright. Not thread-safe: one
// reader per thread.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace vt::media {

// Grows without zeroing what it adds: picture bytes are all written by the
// converter right after, and zeroing a frame first costs a pass over it.
template <class T>
struct UninitializedAllocator : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = UninitializedAllocator<U>;
    };
    template <class U>
    void construct(U* p) noexcept
    {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args)
    {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

using PictureBytes = std::vector<std::uint8_t, UninitializedAllocator<std::uint8_t>>;

struct VideoFrame {
    int width = 0;
    int height = 0;
    int bytesPerLine = 0;
    PictureBytes pixels;  // BGRA, height × bytesPerLine bytes
    double time = 0;                   // seconds in the file where the frame starts
    bool opaque = true;                // the track has no alpha: every alpha byte is 255
};

class VideoFrameReader {
public:
    // Frames are scaled down, aspect kept, so that neither side exceeds
    // maxWidth × maxHeight (0 × 0 keeps the encoded size). Throws MediaError
    // when the file cannot be opened or its video cannot be decoded.
    explicit VideoFrameReader(const std::filesystem::path& file, int maxWidth = 0, int maxHeight = 0);
    ~VideoFrameReader();
    VideoFrameReader(const VideoFrameReader&) = delete;
    VideoFrameReader& operator=(const VideoFrameReader&) = delete;

    // The frame on screen at `time` (file seconds); the first frame for a
    // time before it. With a tolerance, the first decoded frame that starts
    // within `tolerance` of the time is taken instead, which saves decoding.
    // Nothing past the end of the last frame or when decoding fails.
    std::optional<VideoFrame> frameAt(double time, double tolerance = 0);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace vt::media
