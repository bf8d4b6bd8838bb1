#include "video/CompositionVideo.h"

#include "video/Compositor.h"

#include <QTransform>

#include <algorithm>
#include <cmath>

namespace vt {

namespace CompositionPicture {

namespace {

// Clockwise degrees that the preferred transform turns a picture by.
int quarterTurns(const AffineTransform& t)
{
    if (t.a == 0 && t.b == 1 && t.c == -1 && t.d == 0) return 90;
    if (t.a == 0 && t.b == -1 && t.c == 1 && t.d == 0) return 270;
    if (t.a == -1 && t.d == -1) return 180;
    return 0;
}

}  // namespace

QSize uprightSize(const SourceVideoInfo& info)
{
    const AffineTransform& t = info.transform;
    const double w = std::abs(t.a * info.naturalWidth + t.c * info.naturalHeight);
    const double h = std::abs(t.b * info.naturalWidth + t.d * info.naturalHeight);
    return {int(std::lround(w)), int(std::lround(h))};
}

QImage orient(const QImage& frame, const SourceVideoInfo& info)
{
    if (frame.isNull()) return frame;
    // The readers give pictures as stored, so the tagged turn is always made:
    // the shape cannot tell whether it is needed, as a half turn or a square
    // picture keeps its shape.
    const int turns = quarterTurns(info.transform);
    return turns == 0 ? frame : frame.transformed(QTransform().rotate(turns));
}

}  // namespace CompositionPicture

namespace {

constexpr double beginTolerance = 0.0001;
constexpr double brollLead = 0.1;
constexpr double brollTail = 0.4;

}  // namespace

CompositionVideo::CompositionVideo(std::shared_ptr<const Composition> composition, std::vector<ClipTrack> clips,
                                   std::shared_ptr<RenderState> state, int decodeEdge)
    : state_(std::move(state)), clips_(std::move(clips)), frames_(std::move(composition), decodeEdge, decodeEdge)
{
    std::stable_sort(clips_.begin(), clips_.end(), [](const ClipTrack& a, const ClipTrack& b) { return a.start < b.start; });
}

std::optional<CompositionVideo::Picked> CompositionVideo::pick(double outputTime, const EditPlan& plan)
{
    if (clips_.empty()) return std::nullopt;
    const double source = plan.sourceTime(outputTime);
    const ClipTrack* chosen = &clips_.front();
    for (auto it = clips_.rbegin(); it != clips_.rend(); ++it)
        if (it->start <= source + beginTolerance) {
            chosen = &*it;
            break;
        }
    if (auto image = frames_.frame(chosen->trackID, outputTime)) return Picked{std::move(*image), chosen};
    for (const ClipTrack& clip : clips_) {
        if (clip.trackID == chosen->trackID) continue;
        if (auto image = frames_.frame(clip.trackID, outputTime)) return Picked{std::move(*image), &clip};
    }
    return std::nullopt;
}

QImage CompositionVideo::frame(double outputTime, QSize size) { return compose(read(outputTime), size); }

CompositionVideo::Sources CompositionVideo::read(double outputTime)
{
    Sources sources;
    sources.outputTime = outputTime;
    sources.snapshot = state_->load();
    const RenderSnapshot& snap = *sources.snapshot;
    const auto picked = pick(outputTime, snap.plan);
    const ClipTrack* clip = picked ? picked->clip : (clips_.empty() ? nullptr : &clips_.front());
    if (clip) sources.clipID = clip->id;

    if (picked) {
        sources.upright = CompositionPicture::orient(picked->frame, clip->info);
    } else {
        // No picture at this time: black of the clip's upright size, so the
        // frame is still framed as usual and captions are still drawn.
        const QSize black = clip ? CompositionPicture::uprightSize(clip->info) : Compositor::frameSize(snap);
        sources.upright = QImage(black.isEmpty() ? Compositor::frameSize(snap) : black, QImage::Format_ARGB32_Premultiplied);
        sources.upright.fill(Qt::black);
    }

    for (const BRollPlacement& p : snap.broll) {
        if (!p.trackID || !p.source || outputTime < p.start - brollLead || outputTime > p.end + brollTail) continue;
        if (auto image = frames_.frame(*p.trackID, outputTime))
            sources.broll[p.item.id] = CompositionPicture::orient(*image, *p.source);
    }
    return sources;
}

QImage CompositionVideo::compose(Sources sources, QSize size)
{
    QImage image = Compositor::render(std::move(sources.upright), sources.outputTime, *sources.snapshot, sources.broll,
                                      sources.clipID);
    if (size.isEmpty() || size == image.size()) return image;
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace vt
