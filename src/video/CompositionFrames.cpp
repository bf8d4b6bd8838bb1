#include "video/CompositionFrames.h"

#include "platform/media/MediaError.h"
#include "platform/media/VideoFrameReader.h"

namespace vt {

CompositionFrames::CompositionFrames(std::shared_ptr<const Composition> composition, int maxWidth, int maxHeight)
    : composition_(std::move(composition)), maxWidth_(maxWidth), maxHeight_(maxHeight)
{
}

CompositionFrames::~CompositionFrames() = default;

std::optional<QImage> CompositionFrames::frame(std::int32_t trackID, double outputTime)
{
    const CompositionTrack* track = composition_->track(trackID);
    if (!track || track->kind != TrackKind::video) return std::nullopt;
    const CompositionSegment* segment = track->segmentAt(outputTime);
    if (!segment) return std::nullopt;
    media::VideoFrameReader* source = reader(trackID, segment->file);
    if (!source) return std::nullopt;
    auto picture = source->frameAt(segment->sourceStart.seconds() + (outputTime - segment->outputStart.seconds()));
    if (!picture) return std::nullopt;
    // The image takes the decoded pixels over instead of copying them. An
    // opaque picture is the same bytes premultiplied, which is the form the
    // compositor works in, so it is not converted again there.
    auto* pixels = new media::PictureBytes(std::move(picture->pixels));
    const auto format = picture->opaque ? QImage::Format_ARGB32_Premultiplied : QImage::Format_ARGB32;
    return QImage(pixels->data(), picture->width, picture->height, picture->bytesPerLine, format,
                  [](void* owned) { delete static_cast<media::PictureBytes*>(owned); }, pixels);
}

media::VideoFrameReader* CompositionFrames::reader(std::int32_t trackID, const std::filesystem::path& file)
{
    const auto key = std::make_pair(trackID, file);
    if (auto found = readers_.find(key); found != readers_.end()) return found->second.get();
    std::unique_ptr<media::VideoFrameReader> opened;
    try {
        opened = std::make_unique<media::VideoFrameReader>(file, maxWidth_, maxHeight_);
    } catch (const media::MediaError&) {
    }
    return (readers_[key] = std::move(opened)).get();
}

}  // namespace vt
