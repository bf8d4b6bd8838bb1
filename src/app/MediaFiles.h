#pragma once
// The editor model's media reading on this machine's decoders: probing
// videos, still frames, lengths, waveform peaks and B-roll thumbnails.
// Every call blocks and may run on any thread; failures give no value.

#include "editor/EditorServices.h"

namespace vt {

class MediaFiles : public EditorMedia {
public:
    static constexpr int peaksPerSecond = 50;
    static constexpr int thumbnailSide = 240;

    std::optional<SourceVideoInfo> probeVideo(const std::string& path) override;
    std::optional<QImage> frame(const std::string& path, double seconds) override;
    std::optional<double> duration(const std::string& path) override;
    std::vector<float> peaks(const std::string& path) override;
    std::optional<QImage> thumbnail(const BRoll& item) override;
    std::vector<Filmstrip::Frame> filmstrip(const std::string& path, double lower, double upper,
                                            int maxCount) override;
    std::vector<Filmstrip::Frame> framesAtSource(const std::vector<ClipSpan>& spans, const std::vector<double>& times,
                                                 int maxSize) override;

    // The preferred transform of a picture of this size turned clockwise by
    // `rotation` degrees (0, 90, 180 or 270) for display.
    static AffineTransform transform(double width, double height, int rotation);
};

}  // namespace vt
