// The frame-sized overlay images the compositor lays over each frame: the
// caption line shown at a moment (with a chat thread's earlier bubbles) and
// the opening hook title.
#include "captions/CaptionRenderer.h"

#include "captions/CaptionDrawing.h"
#include "captions/FontBook.h"
#include "platform/TextRules.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <mutex>

namespace vt {
namespace {

const CaptionGroup* activeGroup(const std::vector<CaptionGroup>& groups, double time)
{
    std::ptrdiff_t low = 0, high = static_cast<std::ptrdiff_t>(groups.size()) - 1;
    while (low <= high) {
        const std::ptrdiff_t mid = (low + high) / 2;
        const CaptionGroup& g = groups[static_cast<std::size_t>(mid)];
        if (g.start > time) high = mid - 1;
        else if (time >= g.end) low = mid + 1;
        else return &g;
    }
    return nullptr;
}

// The earlier bubbles of a thread are drawn settled: no highlight, entrance,
// dimming, hollow letters, sweep or exit.
CaptionStyle earlierBubbleLook(CaptionStyle look)
{
    look.highlight = HighlightMode::none;
    look.animation = EntranceAnimation::none;
    look.dimUnspoken = false;
    look.hollowUnspoken.reset();
    look.shineSweep.reset();
    look.exitAnimation.reset();
    return look;
}

// The caption `active` (a copy of the group shown at `time`) drawn into
// `context`, with the earlier bubbles of its chat thread when `thread`.
void drawCaption(const std::vector<CaptionGroup>& groups, const CaptionGroup& active, bool thread,
                 const CaptionStyle& style, double time, QSizeF size, CaptionContext& context)
{
    const auto drawn = CaptionRenderer::draw(active, style, time, size, context, false, 1);
    if (!thread || !drawn) return;
    const auto index = static_cast<std::size_t>(active.index);
    const double unit = std::min(size.width(), size.height()) / 1080.0;
    const double gap = 16 * unit;
    const double slide = std::pow(1 - std::clamp(4 * (time - active.start), 0.0, 1.0), 3);
    double top = caption::yMax(*drawn);
    const double h = drawn->height();
    const CaptionStyle earlierLook = earlierBubbleLook(style);
    const CaptionGroup* later = &groups[index];
    for (std::size_t k = 1; k <= 3 && k <= index; ++k) {
        CaptionGroup earlier = groups[index - k];
        if (!CaptionRenderer::continuesThread(*later, earlier)) break;
        later = &groups[index - k];
        earlier.start = time - 10;
        earlier.end = time + 10;
        const auto measured = CaptionRenderer::draw(earlier, earlierLook, time, size, context, true, 1);
        if (!measured) break;
        const double dy = gap + top - caption::yMin(*measured) - slide * (gap + h);
        QPainter& p = context.painter();
        p.save();
        p.translate(0, dy);
        CaptionRenderer::draw(earlier, earlierLook, time, size, context, false, 1 - 0.12 * static_cast<double>(k));
        p.restore();
        top = dy + caption::yMax(*measured);
        if (top > size.height()) break;
    }
}

// The smallest rectangle outside which every pixel is zero.
QRect inkedRect(const QImage& image)
{
    const int width = image.width(), height = image.height();
    int left = width, right = -1, top = -1, bottom = -1;
    for (int y = 0; y < height; ++y) {
        const auto* p = reinterpret_cast<const quint32*>(image.constScanLine(y));
        int first = 0;
        while (first < width && p[first] == 0) ++first;
        if (first == width) continue;
        int last = width - 1;
        while (p[last] == 0) --last;
        left = std::min(left, first);
        right = std::max(right, last);
        if (top < 0) top = y;
        bottom = y;
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

CaptionRenderer::Layer layerOf(const QImage& frame)
{
    const QRect inked = inkedRect(frame);
    if (inked.isEmpty()) return {};
    if (inked == frame.rect()) return {frame, QPoint(0, 0)};
    return {frame.copy(inked), inked.topLeft()};
}

// The last few caption layers drawn, each under the record of its drawing,
// shared by every thread. Most frames of a caption draw exactly what the
// frame before drew; they take its layer instead of drawing it again.
class DrawnCaptions {
public:
    static DrawnCaptions& shared()
    {
        static DrawnCaptions cache;
        return cache;
    }

    std::optional<CaptionRenderer::Layer> find(const QByteArray& record)
    {
        std::lock_guard lock(mutex_);
        const auto found = std::find_if(entries_.begin(), entries_.end(), [&](const auto& e) { return e.first == record; });
        if (found == entries_.end()) return std::nullopt;
        std::rotate(entries_.begin(), found, found + 1);  // most recently used first
        return entries_.front().second;
    }

    void clear()
    {
        std::lock_guard lock(mutex_);
        entries_.clear();
    }

    void store(const QByteArray& record, const CaptionRenderer::Layer& layer)
    {
        std::lock_guard lock(mutex_);
        if (std::any_of(entries_.begin(), entries_.end(), [&](const auto& e) { return e.first == record; })) return;
        entries_.insert(entries_.begin(), {record, layer});
        if (entries_.size() > kCapacity) entries_.pop_back();
    }

private:
    // A few frames are composed at once on different threads; a few entries
    // keep a caption that holds still from being pushed out by them. A layer
    // is the caption's own size, far less than a frame.
    static constexpr std::size_t kCapacity = 8;
    std::mutex mutex_;
    std::vector<std::pair<QByteArray, CaptionRenderer::Layer>> entries_;
};

// What `paint` draws on a transparent surface of `size`, as a layer; with
// `reuse`, a recent layer whose drawing recorded the same is taken instead.
std::optional<CaptionRenderer::Layer> drawnLayer(QSizeF size, bool reuse,
                                                 const std::function<void(CaptionContext&)>& paint)
{
    QByteArray record;
    if (reuse) {
        auto recording = CaptionContext::makeRecording(size.width(), size.height());
        if (!recording) return std::nullopt;
        paint(*recording);
        record = recording->takeRecord();
        if (!record.isEmpty())
            if (auto layer = DrawnCaptions::shared().find(record)) return layer;
    }
    auto context = CaptionRenderer::makeContext(size);
    if (!context) return std::nullopt;
    paint(*context);
    const QImage image = context->takeImage();
    if (image.isNull()) return std::nullopt;
    CaptionRenderer::Layer layer = layerOf(image);
    if (!record.isEmpty()) DrawnCaptions::shared().store(record, layer);
    return layer;
}

// The layer put back on a transparent frame-sized image.
std::optional<QImage> frameOf(std::optional<CaptionRenderer::Layer> layer, QSizeF size)
{
    if (!layer) return std::nullopt;
    const QSize frame(static_cast<int>(size.width()), static_cast<int>(size.height()));
    if (layer->image.size() == frame) return std::move(layer->image);
    QImage image(frame, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return std::nullopt;
    image.fill(0);
    const QImage& part = layer->image;
    const auto rowBytes = static_cast<std::size_t>(part.width()) * 4;
    for (int y = 0; y < part.height(); ++y)
        std::memcpy(image.scanLine(layer->at.y() + y) + layer->at.x() * 4, part.constScanLine(y), rowBytes);
    return image;
}

}  // namespace

std::optional<CaptionRenderer::Layer> CaptionRenderer::captionLayer(const std::vector<CaptionGroup>& groups,
                                                                   const CaptionStyle& style, double time, QSizeF size,
                                                                   bool reuseDrawn)
{
    const CaptionGroup* found = activeGroup(groups, time);
    if (!found) return std::nullopt;
    CaptionGroup active = *found;

    const bool chat = style.container == CaptionContainer::chatRight || style.container == CaptionContainer::chatLeft;
    const auto index = static_cast<std::size_t>(active.index);
    const bool thread = style.chatThread.value_or(false) && chat && active.index >= 0 && index < groups.size()
                        && groups[index] == active;
    if (thread && index + 1 < groups.size() && continuesThread(groups[index + 1], active)) active.end = time + 10;

    return drawnLayer(size, reuseDrawn, [&](CaptionContext& context) {
        drawCaption(groups, active, thread, style, time, size, context);
    });
}

std::optional<QImage> CaptionRenderer::captionImage(const std::vector<CaptionGroup>& groups, const CaptionStyle& style,
                                                    double time, QSizeF size, bool reuseDrawn)
{
    return frameOf(captionLayer(groups, style, time, size, reuseDrawn), size);
}

void CaptionRenderer::forgetDrawn() { DrawnCaptions::shared().clear(); }

std::optional<CaptionRenderer::Layer> CaptionRenderer::hookLayer(const HookOverlay& hook, double time, QSizeF size,
                                                                bool reuseDrawn)
{
    const std::string& text = hook.text;
    const double duration = hook.duration;
    if (!(time >= 0 && time < duration)) return std::nullopt;
    if (text::trimWhitespace(text).empty()) return std::nullopt;  // line breaks count as text
    return drawnLayer(size, reuseDrawn, [&](CaptionContext& context) {
        const double W = size.width(), H = size.height();
        const double unit = std::min(W, H) / 1080.0;
        QPainter& p = context.painter();
        p.setOpacity(std::min(time / 0.15, 1.0) * std::min((duration - time) * 4, 1.0));
        const double pop = std::min(time / 0.3, 1.0);
        const double scale = 0.85 + 0.15 * caption::backOut(pop - 1);
        p.translate(0.5 * W, 0.83 * H);
        p.scale(scale, scale);
        p.translate(-0.5 * W, -0.83 * H);

        const TextLine block = TextLine::paragraph(text, FontBook::font("AvenirNext-Heavy", 62 * unit, false), 0.78 * W);
        const double w = block.width(), h = std::ceil(block.descent());
        const QRectF textRect(0.5 * W - w / 2 - 1, 0.83 * H - h / 2, w + 2, h + 1);
        const QRectF pill = textRect.adjusted(-26 * unit, -18.2 * unit, 26 * unit, 18.2 * unit);
        caption::fillRounded(p, pill, std::max(22 * unit, 0.0), Qt::white);
        block.fill(p, QPointF(textRect.left() + 1, caption::yMax(textRect)), Qt::black);
    });
}

std::optional<QImage> CaptionRenderer::hookImage(const HookOverlay& hook, double time, QSizeF size, bool reuseDrawn)
{
    return frameOf(hookLayer(hook, time, size, reuseDrawn), size);
}

}  // namespace vt
