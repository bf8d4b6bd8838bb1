#include "app/MediaFiles.h"

#include "app/AppModel.h"
#include "platform/media/AudioFileReader.h"
#include "platform/media/MediaError.h"
#include "platform/media/VideoFile.h"

#include <algorithm>
#include <cmath>

namespace vt {

AffineTransform MediaFiles::transform(double width, double height, int rotation)
{
    switch (rotation) {
    case 90: return {0, 1, -1, 0, height, 0};
    case 180: return {-1, 0, 0, -1, width, height};
    case 270: return {0, -1, 1, 0, 0, width};
    default: return {};
    }
}

std::optional<SourceVideoInfo> MediaFiles::probeVideo(const std::string& path)
{
    try {
        media::VideoFile file(path);
        if (!file.hasVideo()) return std::nullopt;
        const media::VideoFacts facts = file.facts();
        SourceVideoInfo info;
        info.naturalWidth = facts.width;
        info.naturalHeight = facts.height;
        info.transform = transform(facts.width, facts.height, facts.rotation);
        info.fps = facts.fps;
        info.duration = facts.duration;
        info.isHDR = facts.isHDR;
        return info;
    } catch (const media::MediaError&) {
        return std::nullopt;
    }
}

std::optional<QImage> MediaFiles::frame(const std::string& path, double seconds) { return AppModel::frame(path, seconds); }

std::optional<double> MediaFiles::duration(const std::string& path)
{
    try {
        const double seconds = media::VideoFile(path).facts().duration;
        if (seconds > 0) return seconds;
    } catch (const media::MediaError&) {
    }
    return std::nullopt;
}

std::vector<float> MediaFiles::peaks(const std::string& path)
{
    try {
        media::AudioFileReader reader(path);
        const int window = std::max(1, reader.processingFormat().sampleRate / peaksPerSecond);
        std::vector<float> peaks;
        float peak = 0;
        int filled = 0;
        for (media::AudioBuffer buffer = reader.read(window * 64); buffer.frameLength() > 0; buffer = reader.read(window * 64)) {
            for (std::int64_t i = 0; i < buffer.frameLength(); ++i) {
                for (const auto& plane : buffer.planes) peak = std::max(peak, std::abs(plane[static_cast<std::size_t>(i)]));
                if (++filled == window) {
                    peaks.push_back(std::min(peak, 1.0f));
                    peak = 0;
                    filled = 0;
                }
            }
        }
        if (filled > 0) peaks.push_back(std::min(peak, 1.0f));
        return peaks;
    } catch (const media::MediaError&) {
        return {};
    }
}

std::optional<QImage> MediaFiles::thumbnail(const BRoll& item)
{
    QImage image(QString::fromStdString(item.path));
    if (image.isNull()) {
        const auto still = AppModel::frame(item.path, item.sourceOffset);
        if (!still) return std::nullopt;
        image = *still;
    }
    return image.scaled(thumbnailSide, thumbnailSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

std::vector<Filmstrip::Frame> MediaFiles::filmstrip(const std::string& path, double lower, double upper, int maxCount)
{
    return Filmstrip::frames(path, lower, upper, maxCount);
}

std::vector<Filmstrip::Frame> MediaFiles::framesAtSource(const std::vector<ClipSpan>& spans,
                                                         const std::vector<double>& times, int maxSize)
{
    return Filmstrip::framesAtSource(spans, times, maxSize);
}

}  // namespace vt
