#include "editor/ClipMediaService.h"

#include "audio/Waveform.h"
#include "platform/media/MediaError.h"
#include "platform/media/VideoFrameReader.h"
#include "platform/media/VideoProbe.h"
#include "video/CompositionVideo.h"
#include "video/MediaLoading.h"

namespace vt {

namespace {

constexpr int thumbnailEdge = 320;

std::optional<QImage> uprightFrame(const std::string& path, double seconds, int edge)
{
    try {
        const SourceVideoInfo info = MediaLoading::loadSourceVideoInfo(path);
        media::VideoFrameReader reader(path, edge, edge);
        auto picture = reader.frameAt(seconds);
        if (!picture) return std::nullopt;
        const QImage stored(picture->pixels.data(), picture->width, picture->height, picture->bytesPerLine, QImage::Format_ARGB32);
        return CompositionPicture::orient(stored.copy(), info);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

}  // namespace

std::optional<SourceVideoInfo> ClipMediaService::probeVideo(const std::string& path)
{
    try {
        return MediaLoading::loadSourceVideoInfo(path);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<QImage> ClipMediaService::frame(const std::string& path, double seconds) { return uprightFrame(path, seconds, 0); }

std::optional<double> ClipMediaService::duration(const std::string& path)
{
    try {
        if (const auto facts = media::probeVideo(path)) return facts->fileDuration;
    } catch (const media::MediaError&) {
        return std::nullopt;
    }
    return media::audioTrackEnd(path);
}

std::vector<float> ClipMediaService::peaks(const std::string& path) { return Waveform::peaks(path); }

std::optional<QImage> ClipMediaService::thumbnail(const BRoll& item)
{
    if (item.isImage) {
        QImage image(QString::fromStdString(item.path));
        if (image.isNull()) return std::nullopt;
        return image;
    }
    return uprightFrame(item.path, item.sourceOffset + 0.5, thumbnailEdge);
}

std::vector<Filmstrip::Frame> ClipMediaService::filmstrip(const std::string& path, double lower, double upper,
                                                        int maxCount)
{
    return Filmstrip::frames(path, lower, upper, maxCount);
}

std::vector<Filmstrip::Frame> ClipMediaService::framesAtSource(const std::vector<ClipSpan>& spans,
                                                               const std::vector<double>& times, int maxSize)
{
    return Filmstrip::framesAtSource(spans, times, maxSize);
}

}  // namespace vt
