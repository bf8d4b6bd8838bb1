#pragma once
// The editor's media reading on the real engines: probing, frame grabs,
// lengths, waveform peaks, filmstrips and B-roll thumbnails. Every call blocks; the
// editor model makes them from worker threads, and they share nothing.

#include "editor/EditorServices.h"

namespace vt {

class ClipMediaService final : public EditorMedia {
public:
    std::optional<SourceVideoInfo> probeVideo(const std::string& path) override;
    std::optional<QImage> frame(const std::string& path, double seconds) override;
    std::optional<double> duration(const std::string& path) override;
    std::vector<float> peaks(const std::string& path) override;
    // A photo's own picture, or a video's frame 0.5 s after its source offset,
    // within 320 × 320 pixels.
    std::optional<QImage> thumbnail(const BRoll& item) override;
    std::vector<Filmstrip::Frame> filmstrip(const std::string& path, double lower, double upper,
                                            int maxCount) override;
    std::vector<Filmstrip::Frame> framesAtSource(const std::vector<ClipSpan>& spans, const std::vector<double>& times,
                                                 int maxSize) override;
};

}  // namespace vt
