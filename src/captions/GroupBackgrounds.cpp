// What is drawn behind the words of a group: the rounded bar, the wipe
// strips, the neon frame and the line boxes.
#include "captions/CaptionDrawing.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace vt::caption {

void fillRounded(QPainter& painter, const QRectF& rect, double radius, const QColor& colour)
{
    const double r = std::max(radius, 0.0);
    QPainterPath path;
    path.addRoundedRect(rect, r, r);
    fillPathBlended(painter, path, colour);
}

void drawImageUpright(QPainter& painter, const QRectF& target, const QImage& image)
{
    painter.save();
    painter.translate(target.left(), yMax(target));
    painter.scale(1, -1);
    painter.drawImage(QRectF(0, 0, target.width(), target.height()), image);
    painter.restore();
}

void drawBar(CaptionContext& context, const GroupLayout& layout, double alpha)
{
    const double u = layout.unit;
    const QRectF box = layout.textBox().adjusted(-30 * u, -18 * u, 30 * u, 18 * u);
    QPainter& p = context.painter();
    p.save();
    p.setOpacity(alpha);
    fillRounded(p, box, std::min(box.height() / 2, layout.style.cornerRadius * u), toQColor(*layout.style.barColor));
    p.restore();
}

void drawWipeStrips(CaptionContext& context, const GroupLayout& layout, double time, double exitProgress, double alpha)
{
    const double u = layout.unit;
    std::vector<const std::vector<int>*> used;
    for (const auto& line : layout.lines)
        if (std::any_of(line.begin(), line.end(), [&](int j) { return layout.words[j].emphasized; }))
            used.push_back(&line);
    if (used.empty())
        for (const auto& line : layout.lines) used.push_back(&line);

    QPainter& p = context.painter();
    p.save();
    // The strip does not fade out; it leaves by wiping.
    p.setOpacity(alpha > 0 ? 1 : 0);
    for (const auto* line : used) {
        if (line->empty()) continue;
        const QRectF box = layout.unionOf(*line).adjusted(-22 * u, -10 * u, 22 * u, 10 * u);
        double t0 = layout.words[line->front()].word.start;
        for (int j : *line) t0 = std::min(t0, layout.words[j].word.start);
        const double q = time - t0 + 0.04;
        const double w = q >= 0 ? std::min(q / 0.3, 1.0) : 0;
        const double right = box.left() + cubicOut(w) * box.width();
        const double left = box.left() + exitProgress * exitProgress * box.width();
        if (left < right)
            p.fillRect(QRectF(left, yMin(box), right - left, box.height()), toQColor(*layout.style.wipeColor));  // opacity is 1
    }
    p.restore();
}

void drawNeonFrame(CaptionContext& context, const GroupLayout& layout, double elapsed, double alpha)
{
    const double u = layout.unit, W = layout.width, H = layout.height;
    std::vector<int> keys;
    for (int j = 0; j < static_cast<int>(layout.words.size()); ++j)
        if (layout.words[j].emphasized) keys.push_back(j);
    const QRectF box = (keys.empty() ? layout.textBox() : layout.unionOf(keys)).adjusted(-30 * u, -16 * u, 30 * u, 16 * u);
    const double d = cubicOut(std::min(std::max(elapsed, 0.0) / 0.45, 1.0));
    const QColor neon = toQColor(*layout.style.neonFrame);

    QPainter& p = context.painter();
    p.save();
    p.setOpacity(alpha);
    if (layout.style.barColor) {
        QPainterPath square;
        square.addRect(box);
        fillPathBlended(p, square, toQColor(*layout.style.barColor));
    }
    QColor halo = neon;
    halo.setAlphaF(0.9f);
    const ShadowStyle glow{0, 0, 16 * u, halo};

    const QRectF grown = box.adjusted((1 - d) * box.width() / 2, (1 - d) * box.height() / 2,
                                      -(1 - d) * box.width() / 2, -(1 - d) * box.height() / 2);
    QPen frame(neon, 3 * u);
    frame.setJoinStyle(Qt::RoundJoin);
    QPainterPath outline;
    outline.addRect(grown);
    context.drawWithShadow(glow, grown.adjusted(-3 * u, -3 * u, 3 * u, 3 * u),
                           [&](QPainter& q) { strokePathBlended(q, outline, frame); });

    QColor faint = neon;
    faint.setAlphaF(0.7f);
    QPen rays(faint, 1.6 * u);
    const double l = box.left(), r = box.right(), b = yMin(box), t = yMax(box);
    QPainterPath lines;
    for (double y : {b, t}) {
        lines.moveTo(l - 1.5 * W * d, y), lines.lineTo(l, y);
        lines.moveTo(r, y), lines.lineTo(r + 1.5 * W * d, y);
    }
    for (double x : {l, r}) {
        lines.moveTo(x, b - 1.5 * H * d), lines.lineTo(x, b);
        lines.moveTo(x, t), lines.lineTo(x, t + 1.5 * H * d);
    }
    context.drawWithShadow(glow, lines.boundingRect().adjusted(-2 * u, -2 * u, 2 * u, 2 * u),
                           [&](QPainter& q) { strokePathBlended(q, lines, rays); });
    p.restore();
}

void drawLineBoxes(CaptionContext& context, const GroupLayout& layout, double alpha)
{
    const double u = layout.unit;
    QPainter& p = context.painter();
    p.save();
    p.setOpacity(alpha);
    for (const auto& line : layout.lines) {
        if (line.empty()) continue;
        const QRectF box = layout.unionOf(line).adjusted(-18 * u, -7 * u, 18 * u, 7 * u);
        fillRounded(p, box, std::min(box.height() / 2, layout.style.cornerRadius * u), toQColor(*layout.style.lineBoxColor));
    }
    p.restore();
}

}  // namespace vt::caption
