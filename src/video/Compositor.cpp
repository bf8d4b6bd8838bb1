#include "video/Compositor.h"

#include "captions/CaptionGrouper.h"
#include "captions/CaptionRenderer.h"
#include "video/BRollRenderer.h"
#include "video/EmojiImage.h"
#include "video/ItemAdjustGeometry.h"
#include "video/Kernels.h"
#include "video/LookRenderer.h"
#include "video/MotionRenderer.h"
#include "video/ProgressBarRenderer.h"
#include "video/SpeakerMask.h"
#include "video/Transitions.h"
#include "video/effects/ColorGrader.h"
#include "video/effects/MatchCutRenderer.h"
#include "video/effects/StabilizationOffset.h"

#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace vt::Compositor {

namespace {

using Kernels::Edges;

// The working values of one render call.
struct Frame {
    const RenderSnapshot& snap;
    double time;                // t, output seconds
    double sourceTime;          // s
    QSize size;                 // W × H
    const ItemAdjust* adjust;   // the clip's, when it has one
    QImage speakerSource;       // the frame after stabilisation and shaping
    Point speakerFocus;
    bool coversSpeaker = false;
};

QImage graded(const QImage& picture, const VideoGrade& grade, double time)
{
    return grade.isNeutral() ? picture : ColorGrader::apply(grade, picture, time);
}

// Stages 4 to 6 at any size: what the B-roll split layout shows below.
QImage speakerAt(const Frame& f, QSize size)
{
    QImage picture = reframe(f.speakerSource, size, f.snap.reframe, f.speakerFocus);
    if (f.adjust) picture = graded(ItemAdjustGeometry::place(*f.adjust, picture, size), f.adjust->grade, f.time);
    if (f.snap.grade) picture = graded(picture, *f.snap.grade, f.time);
    return picture;
}

// Where a normalised point of the speaker source lands in the output frame,
// by the same geometry as reframe().
QPointF anchorInOutput(Point c, const Frame& f)
{
    const double ew = std::max(f.speakerSource.width(), 1), eh = std::max(f.speakerSource.height(), 1);
    const double w = f.size.width(), h = f.size.height();
    if (f.snap.reframe == ReframeMode::fit) {
        const double k = std::min(w / ew, h / eh);
        return {c.x * ew * k + (w - ew * k) / 2, c.y * eh * k + (h - eh * k) / 2};
    }
    const double k = std::max(w / ew, h / eh);
    const double sw = ew * k, sh = eh * k;
    const double ox = std::min(std::max(f.speakerFocus.x * sw - w / 2, 0.0), sw - w);
    const double oy = std::min(std::max(f.speakerFocus.y * sh - h / 2, 0.0), sh - h);
    return {c.x * sw - ox, c.y * sh - oy};
}

QImage zoomPunch(const QImage& image, const Frame& f)
{
    int index = -1;
    const auto& segments = f.snap.plan.segments;
    for (std::size_t i = 0; i < segments.size(); ++i)
        if (segments[i].outputStart <= f.time) index = static_cast<int>(i);
    return index >= 0 && index % 2 == 1 ? Transitions::zoom(image, 1.14) : image;
}

QImage withBRoll(QImage image, Frame& f, const BRollFrames& frames)
{
    const BRollRenderer::Speaker speaker = [&f](QSize size) { return speakerAt(f, size); };
    for (const BRollPlacement& placement : f.snap.broll) {
        if (!(placement.start - 0.02 <= f.time && f.time < placement.end + 0.25)) continue;
        const BRoll& item = placement.item;
        std::optional<QImage> content;
        if (const auto frame = frames.find(item.id); frame != frames.end()) content = frame->second;
        else if (item.isImage) content = BRollRenderer::image(item.path);
        if (!content || content->isNull()) continue;
        if (item.adjust) {
            content = ItemAdjustGeometry::zoomWindow(*item.adjust, ItemAdjustGeometry::shape(*item.adjust, *content));
            content = graded(*content, item.adjust->grade, f.time);
        }
        auto [composed, covers] =
            BRollRenderer::compose(placement, *content, image, speaker, f.time, f.size, f.snap.grade);
        if (item.adjust && item.adjust->opacity < 0.999) {
            image = Kernels::dissolve(image, composed, std::max(item.adjust->opacity, 0.0));
        } else {
            image = std::move(composed);
            f.coversSpeaker = f.coversSpeaker || covers;
        }
    }
    return image;
}

QImage withMoves(QImage image, const Frame& f)
{
    const RenderSnapshot& snap = f.snap;
    QPointF anchor(0.5 * f.size.width(), 0.6 * f.size.height());
    if (snap.faceTrack) {
        Point c = snap.faceTrack->center(f.sourceTime);
        if (snap.stabilization) c = stabilizedPoint(c, *snap.stabilization, f.sourceTime);
        if (f.adjust) c = ItemAdjustGeometry::map(*f.adjust, c);
        anchor = anchorInOutput(c, f);
    }
    if (const auto t = MotionRenderer::transform(snap.motions, f.time, anchor, f.size))
        image = Kernels::warp(image, *t, f.size, Edges::clamp);
    return LookRenderer::picture(image, snap.motions, f.time, f.size);
}

// Stage 12a: the caption over the picture. The picture is drawn on in place
// unless the speaker is to stay in front, which needs the picture as it was.
// Only the layer's own rectangle is laid over the picture: the rest of the
// frame-sized image it stands for is transparent and would leave the picture
// as it is.
void drawLayer(QImage& picture, const std::optional<CaptionRenderer::Layer>& layer, QSize size)
{
    if (!layer || layer->image.isNull()) return;
    const QImage& part = layer->image;
    Kernels::drawOver(picture, part, QPointF(layer->at.x(), size.height() - layer->at.y() - part.height()));
}

QImage withCaption(QImage picture, const Frame& f, const CaptionStyle& style)
{
    const bool behind = style.behindSubject && !f.coversSpeaker;
    if (!style.blendDarkColor && !style.knockout && !behind) {
        drawLayer(picture, CaptionRenderer::captionLayer(f.snap.groups, style, f.time, f.size), f.size);
        return picture;
    }
    const auto drawn = CaptionRenderer::captionImage(f.snap.groups, style, f.time, f.size);
    if (!drawn) return picture;
    QImage caption = *drawn;
    if (style.blendDarkColor)
        caption = adaptiveBlend(caption, picture, *style.blendDarkColor, std::min(f.size.width(), f.size.height()) / 1080.0);
    QImage out;
    if (style.knockout) {
        out = Kernels::blendWithAlphaMask(picture, Kernels::solid(f.size, Kernels::toColor(*style.knockout)), caption);
    } else {
        out = behind ? picture.copy() : std::move(picture);
        Kernels::drawOver(out, caption, QPointF(0, 0));
    }
    if (behind) {
        if (const auto mask = SpeakerMask::mask(picture)) out = Kernels::blendWithMask(picture, out, *mask);
    }
    return out;
}

void drawEmoji(QImage& out, const Frame& f, const CaptionStyle& style)
{
    const auto& snap = f.snap;
    if (snap.emojis.empty()) return;
    const CaptionGroup* group = CaptionGrouper::groupAt(f.time, snap.groups);
    if (!group) return;
    const auto emoji = snap.emojis.find(group->index);
    if (emoji == snap.emojis.end()) return;
    const auto context = CaptionRenderer::makeContext(QSizeF(1, 1));
    if (!context) return;
    const auto line = CaptionRenderer::draw(*group, style, f.time, f.size, *context, true, 1);
    if (!line) return;
    if (const auto placed = EmojiImage::image(emoji->second, *line, f.time - group->start, f.size))
        Kernels::drawOver(out, placed->picture, placed->transform);
}

RGBA accentOf(const CaptionStyle& style)
{
    if (style.highlightColor) return *style.highlightColor;
    if (style.activeColor) return *style.activeColor;
    if (style.emphasisColor) return *style.emphasisColor;
    return RGBA{166 / 255.0, 77 / 255.0, 1, 1};
}

void drawProgressBar(QImage& out, const Frame& f)
{
    const auto& plan = f.snap.plan;
    double total = 0.1;
    if (!plan.segments.empty()) total = std::max(plan.segments.back().outputEnd(), 0.1);
    Kernels::drawOver(out, ProgressBarRenderer::image(*f.snap.progressBar, f.time / total, accentOf(f.snap.style), f.size),
                      QPointF(0, 0));
}

}  // namespace

QSize frameSize(const RenderSnapshot& snap)
{
    // No frame is larger than this many pixels a side; nonsense sizes never
    // reach an allocation.
    static constexpr double kLargest = 16384;
    const auto whole = [](double v) {
        return std::isfinite(v) ? static_cast<int>(std::lround(std::clamp(v, 1.0, kLargest))) : 1;
    };
    return {whole(snap.renderSize.width), whole(snap.renderSize.height)};
}

QImage reframe(const QImage& image, QSize size, ReframeMode mode, Point focus)
{
    const double w = std::max(image.width(), 1), h = std::max(image.height(), 1);
    const double tw = size.width(), th = size.height();
    const double fill = std::max(tw / w, th / h);
    if (mode != ReframeMode::fit) {
        const double ox = std::min(w * fill - tw, std::max(w * fill * focus.x - tw / 2, 0.0));
        const double oy = std::min(h * fill - th, std::max(h * fill * focus.y - th / 2, 0.0));
        return Kernels::warp(image, QTransform::fromScale(fill, fill) * QTransform::fromTranslate(-ox, -oy), size,
                             Edges::clamp);
    }
    // The backdrop is a wide blur (sigma 36), so it is made at a ninth of the
    // size from an area-reduced copy and scaled up: the same picture for a
    // fraction of the work.
    constexpr double kSigma = 36, kReduction = 9;
    const QSize small(static_cast<int>(std::ceil(tw / kReduction)), static_cast<int>(std::ceil(th / kReduction)));
    const double k = fill / kReduction;  // source pixels to backdrop pixels
    QImage reduced = image;
    if (k < 0.5)
        reduced = Kernels::resized(image, QSize(std::max(1, static_cast<int>(std::lround(w * k))),
                                                std::max(1, static_cast<int>(std::lround(h * k)))));
    const QTransform toSmall = QTransform::fromScale(k * w / reduced.width(), k * h / reduced.height()) *
                               QTransform::fromTranslate((tw - w * fill) / 2 / kReduction, (th - h * fill) / 2 / kReduction);
    QImage backdrop = Kernels::gaussianBlur(Kernels::warp(reduced, toSmall, small, Edges::clamp), kSigma / kReduction,
                                            Edges::clamp);
    Kernels::colorControls(backdrop, 1, -0.12);
    QImage background = Kernels::warp(backdrop, QTransform::fromScale(kReduction, kReduction), size, Edges::clamp);
    const double fit = std::min(tw / w, th / h);
    const QImage foreground = Kernels::warp(
        image, QTransform::fromScale(fit, fit) * QTransform::fromTranslate((tw - w * fit) / 2, (th - h * fit) / 2),
        size, Edges::transparent);
    Kernels::drawOver(background, foreground, QPointF(0, 0));
    return background;
}

QImage adaptiveBlend(const QImage& caption, const QImage& picture, const RGBA& dark, double unit)
{
    const QRect bounds = Kernels::opaqueBounds(caption);
    if (bounds.isEmpty()) return caption;
    // Only the caption's neighbourhood matters: the map is blurred by at
    // most three sigmas into it.
    const double sigma = 5 * unit;
    const int pad = static_cast<int>(std::ceil(3 * sigma));
    const QRect region = bounds.adjusted(-pad, -pad, pad, pad) & caption.rect() & picture.rect();
    if (region.isEmpty()) return caption;
    const QImage map = Kernels::gaussianBlur(Kernels::lumaMap(picture.copy(region), 8, -1.1), sigma, Edges::clamp);
    const QImage part = caption.copy(region);
    const QImage darkCaption =
        Kernels::blendWithAlphaMask(Kernels::solid(region.size(), Kernels::toColor(dark)), Kernels::canvas(region.size()), part);
    const QImage blended = Kernels::blendWithMask(darkCaption, part, map);
    QImage out = caption.convertToFormat(Kernels::kFormat);
    QPainter painter(&out);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(region.topLeft(), blended);
    return out;
}

QImage render(QImage sourceIn, double t, const RenderSnapshot& snap, const BRollFrames& brollFrames,
              const std::optional<Uuid>& clipID)
{
    const QSize size = frameSize(snap);
    QImage image = sourceIn.isNull() ? Kernels::solid(size, Qt::black) : Kernels::working(sourceIn);
    sourceIn = QImage();  // `image` alone holds the picture now
    const QImage::Format format = image.format();  // a deep source gives a deep frame
    const ItemAdjust* adjust = nullptr;
    if (clipID)
        if (const auto found = snap.clipAdjust.find(*clipID); found != snap.clipAdjust.end()) adjust = &found->second;
    Frame f{snap, t, snap.plan.sourceTime(t), size, adjust, {}, {}};

    // 1–3: focus, stabilisation, shape.
    Point focus{0.5, 0.5};
    if (snap.reframe == ReframeMode::smart && snap.faceTrack) focus = snap.faceTrack->center(f.sourceTime);
    if (snap.stabilization) {
        image = stabilized(image, *snap.stabilization, f.sourceTime);
        focus = stabilizedPoint(focus, *snap.stabilization, f.sourceTime);
    }
    if (adjust) {
        image = ItemAdjustGeometry::shape(*adjust, image);
        if (snap.reframe == ReframeMode::smart) focus = ItemAdjustGeometry::map(*adjust, focus);
    }
    f.speakerSource = image;
    f.speakerFocus = focus;

    // 4–6: reframe, placement and grades.
    image = speakerAt(f, size);
    // 7–9: zoom punch, B-roll, cut transition.
    if (snap.transition == CutTransition::zoomPunch) image = zoomPunch(image, f);
    if (!snap.broll.empty()) image = withBRoll(std::move(image), f, brollFrames);
    image = Transitions::apply(snap.transition, image, t, snap.plan, size);
    // 10: camera moves and picture looks.
    if (!snap.motions.empty()) image = withMoves(std::move(image), f);

    // 11–12: captions and emoji in the line's own look.
    const CaptionGroup* group = CaptionGrouper::groupAt(t, snap.groups);
    const CaptionStyle* style = &snap.style;
    if (group && group->styleID)
        if (const auto own = snap.styles.find(*group->styleID); own != snap.styles.end()) style = &own->second;
    // Only the B-roll split layout and the camera moves read the speaker
    // source; letting go of it leaves the picture unshared, so the caption
    // is drawn on it without a copy.
    f.speakerSource = QImage();
    QImage out = std::move(image);
    if (snap.captionsVisible) {
        out = withCaption(std::move(out), f, *style);
        drawEmoji(out, f, *style);
    }

    // 13–16: hook, match cuts, progress bar, overlay looks.
    if (snap.hook) drawLayer(out, CaptionRenderer::hookLayer(*snap.hook, t, size), size);
    for (const PlacedMatchCut& placed : snap.matchCuts) {
        if (!(placed.start <= t && t < placed.start + placed.cut.duration)) continue;
        if (const auto card = MatchCutRenderer::image(placed, t - placed.start, size))
            Kernels::drawOver(out, *card, QPointF(0, 0));
    }
    if (snap.progressBar) drawProgressBar(out, f);
    if (!snap.motions.empty()) out = LookRenderer::overlay(out, snap.motions, t, size);
    if (out.size() != size) out = out.copy(0, out.height() - size.height(), size.width(), size.height());
    return out.format() == format ? out : out.convertToFormat(format);
}

}  // namespace vt::Compositor
