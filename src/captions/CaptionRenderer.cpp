#include "captions/CaptionRenderer.h"

#include "captions/CaptionDrawing.h"
#include "captions/CaptionGrouper.h"

#include <QTransform>

namespace vt {

using namespace caption;

std::unique_ptr<CaptionContext> CaptionRenderer::makeContext(QSizeF size)
{
    return CaptionContext::make(size.width(), size.height());
}

std::optional<QRectF> CaptionRenderer::draw(const CaptionGroup& group, const CaptionStyle& style, double time,
                                            QSizeF size, CaptionContext& context, bool measureOnly, double opacity,
                                            const WordFrameCallback& wordFrames)
{
    if (group.words.empty()) return std::nullopt;
    const GroupLayout layout = layOutGroup(group, style.laidOut(group.index), size);
    const CaptionStyle& look = layout.style;
    const double u = layout.unit;
    const GroupMotion motion = groupMotion(group, look, time, opacity, u);
    const QTransform transform = groupTransform(layout, motion);

    QRectF groupRect;
    if (layout.container) groupRect = *layout.container;
    else
        for (const auto& w : layout.words) groupRect = groupRect.isNull() ? w.bounds() : groupRect.united(w.bounds());
    const QRectF result = transform.mapRect(groupRect);

    if (measureOnly) {
        if (wordFrames)
            for (const auto& w : layout.words) {
                QRectF frame = w.bounds();
                if (w.word.look) frame.translate(w.word.look->dx * u, -w.word.look->dy * u);
                wordFrames(w.word, transform.mapRect(frame));
            }
        return result;
    }

    const double alpha = motion.alpha;
    QPainter& p = context.painter();
    p.save();
    p.setTransform(transform, true);
    if (!look.container) {
        if (look.barColor && !look.neonFrame) drawBar(context, layout, alpha);
    } else {
        p.save();
        p.setOpacity(alpha);
        if (*look.container == CaptionContainer::notification) drawNotificationCard(context, layout, *layout.container);
        else drawBubble(context, *layout.container, *look.container == CaptionContainer::chatRight, look, u);
        p.restore();
    }
    if (look.tornPaper) {
        p.save();
        p.setOpacity(alpha);
        const std::int64_t seed = groupSeed(group.start);
        for (std::size_t i = 0; i < layout.lines.size(); ++i) {
            if (layout.lines[i].empty()) continue;
            const QRectF strip = layout.unionOf(layout.lines[i]).adjusted(-26 * u, -14 * u, 26 * u, 14 * u);
            drawTornStrip(context, strip, toQColor(*look.tornPaper), i % 2 == 0 ? -0.022 : 0.018,
                          static_cast<std::int64_t>(i) + seed, u);
        }
        p.restore();
    }
    if (look.wipeColor) drawWipeStrips(context, layout, time, motion.exitProgress, alpha);
    if (look.neonFrame) drawNeonFrame(context, layout, time - group.start, alpha);
    drawSlidingBox(context, layout, time, alpha);
    if (look.lineBoxColor) drawLineBoxes(context, layout, alpha);
    drawWords(context, layout, group, time, alpha, motion.exitProgress);
    p.restore();
    return result;
}

std::vector<std::pair<TimedWord, QRectF>> CaptionRenderer::wordFrames(const std::vector<CaptionGroup>& groups,
                                                                      const CaptionStyle& style, double time,
                                                                      QSizeF size)
{
    std::vector<std::pair<TimedWord, QRectF>> frames;
    const CaptionGroup* group = CaptionGrouper::groupAt(time, groups);
    if (!group) return frames;
    auto context = makeContext(QSizeF(1, 1));
    if (!context) return frames;
    draw(*group, style, time, size, *context, true, 1,
         [&](const TimedWord& word, const QRectF& frame) { frames.emplace_back(word, frame); });
    return frames;
}

bool CaptionRenderer::continuesThread(const CaptionGroup& group, const CaptionGroup& earlier)
{
    if (group.words.empty() || earlier.words.empty()) return false;
    return group.words.front().start - earlier.words.back().end < 2.5;
}

}  // namespace vt
