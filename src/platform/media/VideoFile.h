#pragma once
// A media file seen for its picture: the facts of its first video track and
// upright still frames at chosen times, for posters and face tracking.
// Not thread-safe; one object per thread.

#include "platform/Cancellation.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace vt::media {

// 32-bit pixels in B, G, R, A byte order, rows top first, tightly packed.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bgra;  // width × height × 4
};

struct VideoFacts {
    int width = 0;            // coded picture size, before rotation
    int height = 0;
    int rotation = 0;         // clockwise degrees the picture is turned for display: 0, 90, 180 or 270
    double fps = 30;
    double duration = 0;      // seconds
    bool isHDR = false;       // PQ or HLG transfer
};

class VideoFile {
public:
    // Opens the file and reads its stream information. Throws MediaError when
    // it is not a readable media file; a readable file without a video track
    // opens, and hasVideo() says so.
    explicit VideoFile(const std::filesystem::path& file);
    ~VideoFile();
    VideoFile(const VideoFile&) = delete;
    VideoFile& operator=(const VideoFile&) = delete;

    bool hasVideo() const;
    // Meaningful only with a video track, except the duration, which is the
    // file's (0 when it states none).
    VideoFacts facts() const;

    // One result per requested time, in the order of `times` (which must
    // ascend), each the frame shown nearest that time within ± tolerance;
    // none when no frame is that near and for frames that fail to decode. Frames are turned upright and scaled
    // to fit within maxSide × maxSide (never enlarged). Throws
    // CancellationError when `cancel` fires between frames.
    using Delivery = std::function<void(std::size_t index, std::optional<Picture> picture)>;
    void frames(const std::vector<double>& times, int maxSide, double tolerance, const Delivery& deliver,
                const CancelToken& cancel = CancelToken());

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace vt::media
