#pragma once
// Per-track picture decoding at composition time: the stored picture of a
// picture track at an output time, found through the track's edit list and
// decoded frame-exactly. What the frame compositor asks for a clip or B-roll
// track. Not thread-safe: one per rendering thread.

#include "video/Composition.h"

#include <QImage>

#include <map>
#include <memory>
#include <optional>
#include <utility>

namespace vt {

namespace media {
class VideoFrameReader;
}

class CompositionFrames {
public:
    // Pictures are scaled down within maxWidth × maxHeight (0 × 0: stored size).
    explicit CompositionFrames(std::shared_ptr<const Composition> composition, int maxWidth = 0, int maxHeight = 0);
    ~CompositionFrames();
    CompositionFrames(const CompositionFrames&) = delete;
    CompositionFrames& operator=(const CompositionFrames&) = delete;

    // The picture (as stored, not turned upright) of a track at an output
    // time; nothing in a gap of the track, past its media, or for a file
    // that cannot be read.
    std::optional<QImage> frame(std::int32_t trackID, double outputTime);

private:
    media::VideoFrameReader* reader(std::int32_t trackID, const std::filesystem::path& file);

    std::shared_ptr<const Composition> composition_;
    int maxWidth_ = 0;
    int maxHeight_ = 0;
    std::map<std::pair<std::int32_t, std::filesystem::path>, std::unique_ptr<media::VideoFrameReader>> readers_;
};

}  // namespace vt
