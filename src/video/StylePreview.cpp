#include "video/StylePreview.h"

#include "captions/CaptionGrouper.h"
#include "captions/CaptionRenderer.h"
#include "video/Compositor.h"
#include "video/Kernels.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vt {

namespace {

std::vector<std::string> splitAtSpaces(const std::string& text)
{
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at <= text.size()) {
        const std::size_t end = std::min(text.find(' ', at), text.size());
        if (end > at) words.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return words;
}

CaptionGroup groupOf(std::vector<TimedWord> words, double end)
{
    CaptionGroup group;
    group.words = std::move(words);
    group.start = 0;
    group.end = end;
    group.index = 0;
    return group;
}

std::optional<QRectF> unionOf(const std::vector<std::pair<TimedWord, QRectF>>& frames)
{
    std::optional<QRectF> all;
    for (const auto& [word, rect] : frames) all = all ? all->united(rect) : rect;
    return all;
}

long roundHalfAway(double v) { return std::lround(v); }

// The average BT.709 luma (0…1) of the band of `image` centred `p` of the
// height from the top, 0.14 of the height tall, read as one 8-bit pixel.
double bandLuma(const QImage& image, double p)
{
    const double h = image.height();
    const double centre = h * (1 - p);  // y-up
    const int top = std::clamp(static_cast<int>(std::floor(h - (centre + 0.07 * h))), 0, image.height());
    const int bottom = std::clamp(static_cast<int>(std::ceil(h - (centre - 0.07 * h))), 0, image.height());
    double sum[3] = {0, 0, 0};
    long count = 0;
    for (int y = top; y < bottom; ++y) {
        const auto* row = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x, ++count)
            for (int c = 0; c < 3; ++c) sum[c] += row[4 * x + c];
    }
    if (count == 0) return 0;
    const auto channel = [&](int c) { return std::round(sum[c] / count); };
    return (0.2126 * channel(2) + 0.7152 * channel(1) + 0.0722 * channel(0)) / 255;
}

}  // namespace

CaptionGroup StylePreview::sampleGroup(const CaptionStyle& style)
{
    std::vector<TimedWord> words;
    if (style.sampleText) {
        const auto pieces = splitAtSpaces(*style.sampleText);
        const double step = 0.5 / static_cast<double>(std::max<std::size_t>(pieces.size(), 1));
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            TimedWord w;
            w.text = pieces[i];
            if (w.text.size() >= 3 && w.text.front() == '*' && w.text.back() == '*') {
                w.text = w.text.substr(1, w.text.size() - 2);
                w.emphasized = true;
            }
            w.start = step * static_cast<double>(i);
            words.push_back(std::move(w));
        }
    } else {
        const auto n = static_cast<std::size_t>(std::clamp<std::int64_t>(style.maxWordsPerGroup, 1, 4));
        constexpr double starts[] = {0, 0.3, 0.55, 0.8};
        for (std::size_t i = 0; i < n; ++i) {
            TimedWord w;
            w.text = std::string(sample[sample.size() - n + i]);
            w.start = starts[i];
            words.push_back(std::move(w));
        }
    }
    for (TimedWord& w : words) w.end = w.start + 0.25;
    if (!words.empty()) words.back().endsSentence = true;
    return groupOf(std::move(words), 2);
}

std::optional<QImage> StylePreview::render(const CaptionStyle& styleIn, const QImage& poster, QSize size,
                                           ReframeMode reframe, Point focus)
{
    if (poster.isNull() || size.isEmpty()) return std::nullopt;
    const std::vector<CaptionGroup> groups{sampleGroup(styleIn)};

    // Zoom so that a narrow caption fills most of the card.
    const auto words = unionOf(CaptionRenderer::wordFrames(groups, styleIn, kMoment, QSizeF(size)));
    const double wordsWidth = words ? words->width() : 0;
    double scale = 1.5;
    if (wordsWidth > 0) {
        const double r = 0.9 * size.width() / wordsWidth;
        scale = r < 1 ? 1 : std::min(r, 1.5);
    }
    const QSize renderSize(static_cast<int>(roundHalfAway(scale * size.width())),
                           static_cast<int>(roundHalfAway(scale * size.height())));
    const ReframeMode mode = reframe == ReframeMode::fit ? ReframeMode::fit : ReframeMode::smart;
    const QImage framed = Compositor::reframe(poster, renderSize, mode, focus);

    // The caption goes where the poster is darkest, when that is clearly darker.
    constexpr double probes[] = {0.7, 0.5, 0.3};
    double lumas[3];
    for (int i = 0; i < 3; ++i) lumas[i] = bandLuma(framed, probes[i]);
    const int darkest = static_cast<int>(std::min_element(lumas, lumas + 3) - lumas);
    CaptionStyle style = styleIn;
    if (lumas[0] - lumas[darkest] > 0.12) style.verticalPosition = probes[darkest];

    RenderSnapshot snap;
    snap.style = style;
    snap.groups = groups;
    snap.captionsVisible = true;
    snap.plan.segments = {EditPlan::Segment{0, 2, 0}};
    snap.reframe = mode;
    snap.renderSize = {static_cast<double>(renderSize.width()), static_cast<double>(renderSize.height())};
    snap.faceTrack = FaceTrack{{FaceTrack::Sample{0, focus.x, focus.y}}};

    const double h = renderSize.height();
    const double captionY = h * (1 - style.verticalPosition);  // y-up centre of the caption
    QImage frame;
    if (lumas[darkest] > 0.62) {
        // Bright everywhere: a soft dark band behind the caption.
        const double k = 0.12 * h;
        QImage scrim = Kernels::canvas(renderSize);
        Kernels::fillOver(scrim, QRectF(-renderSize.width(), captionY - k, 3.0 * renderSize.width(), 2 * k),
                          QColor::fromRgbF(0, 0, 0, 0.32));
        scrim = Kernels::gaussianBlur(scrim, 0.45 * k, Kernels::Edges::transparent);
        frame = framed.copy();
        Kernels::drawOver(frame, scrim, QPointF(0, 0));
        Kernels::drawOver(frame, Compositor::render(Kernels::canvas(renderSize), kMoment, snap), QPointF(0, 0));
    } else {
        frame = Compositor::render(poster, kMoment, snap);
    }

    const double x = (renderSize.width() - size.width()) / 2.0;
    const double y = std::clamp(captionY - size.height() / 2.0, 0.0, h - size.height());
    const QRect rows(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(h - y - size.height())),
                     size.width(), size.height());
    const QImage out = frame.copy(rows);
    if (out.isNull()) return std::nullopt;
    return out;
}

std::optional<QImage> CaptionStylePreview::render(const CaptionStyle& styleIn, const std::string& text)
{
    const auto pieces = splitAtSpaces(text);
    std::vector<TimedWord> words;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        TimedWord w;
        w.text = pieces[i];
        w.start = 0.3 * static_cast<double>(i);
        w.end = w.start + 0.28;
        words.push_back(std::move(w));
    }
    const double n = static_cast<double>(words.size());
    const std::vector<CaptionGroup> groups{groupOf(std::move(words), n * 0.3 + 1)};
    CaptionStyle style = styleIn;
    style.verticalPosition = 0.5;
    const double t = (n - 1) * 0.3 + 0.2;
    const CaptionGroup* group = CaptionGrouper::groupAt(t, groups);
    if (!group || group->words.empty()) return std::nullopt;

    constexpr double kW = 1080, kH = 1920;
    const auto words_ = unionOf(CaptionRenderer::wordFrames(groups, style, t, QSizeF(kW, kH)));
    if (!words_) return std::nullopt;
    const auto context = CaptionRenderer::makeContext(QSizeF(kW, kH));
    if (!context) return std::nullopt;
    CaptionRenderer::draw(*group, style, t, QSizeF(kW, kH), *context, false, 1);

    const double grow = style.glowRadius + 60 + style.shadowRadius + 2 * style.strokeWidth;
    const QRectF crop = words_->adjusted(-grow, -grow, grow, grow) & QRectF(0, 0, kW, kH);
    if (crop.isEmpty()) return std::nullopt;
    const QRectF topLeft(crop.x(), kH - (crop.y() + crop.height()), crop.width(), crop.height());
    const QImage image = context->takeImage().copy(topLeft.toAlignedRect());
    if (image.isNull()) return std::nullopt;
    return image;
}

}  // namespace vt
