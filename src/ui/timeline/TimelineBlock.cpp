#include "ui/timeline/TimelineBlock.h"

#include "editor/EditorModel.h"
#include "ui/theme/Theme.h"
#include "ui/timeline/TimelineGeometry.h"
#include "ui/timeline/TimelineIcons.h"
#include "ui/timeline/TimelineMetrics.h"
#include "video/MotionRenderer.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace vt {

QRectF TimelineBlock::frame() const { return QRectF(rect.left(), rect.top(), std::max(rect.width(), 6.0), rect.height()); }

std::optional<TimelineBlock::Edge> TimelineBlock::edgeAt(double x) const
{
    const QRectF f = frame();
    const double handle = TimelineGeometry::handleWidth(rect.width());
    if (x >= f.left() && x < f.left() + handle) return Edge::leading;
    if (x <= f.right() && x > f.right() - handle) return Edge::trailing;
    return std::nullopt;
}

void TimelineBlock::paint(QPainter& p) const
{
    const QRectF f = frame();
    QPainterPath shape;
    shape.addRoundedRect(f, 6, 6);
    p.save();
    p.setClipPath(shape, Qt::IntersectClip);
    QColor fill = tint;
    fill.setAlphaF(selected ? 1.f : 0.8f);
    p.fillPath(shape, fill);
    const double w = rect.width(), h = rect.height();
    for (double x : marks)
        if (x > 1 && x < w - 1) p.fillRect(QRectF(f.left() + x, f.top() + 0.6 * h, 1, 0.4 * h), QColor(0, 0, 0, 51));
    if (curve && curve->size() >= 2) {
        QPolygonF line;
        const double n = double(curve->size() - 1);
        for (std::size_t i = 0; i < curve->size(); ++i)
            line << QPointF(f.left() + i / n * w, f.top() + h - 3 - (h - 8) * (*curve)[i]);
        p.setPen(QPen(QColor(0, 0, 0, 71), 1.2));
        p.drawPolyline(line);
    }
    if (w > 28) {
        QFont titleFont;
        titleFont.setPointSizeF(10.5);
        titleFont.setWeight(QFont::DemiBold);
        p.setFont(titleFont);
        const QColor ink(0, 0, 0, 209);
        p.setPen(ink);
        QRectF text = f.adjusted(8, 0, -6, 0);
        if (TimelineIcons::has(icon)) {
            TimelineIcons::draw(p, icon, QRectF(text.left(), f.center().y() - 5, 10, 10), ink);
            text.setLeft(text.left() + 14);
        }
        p.drawText(text, Qt::AlignVCenter | Qt::AlignLeft, QFontMetricsF(titleFont).elidedText(title, Qt::ElideRight, text.width()));
    }
    p.restore();
    // Inner border: half the pen outside the shape is clipped away by inset.
    const double border = selected ? 2.5 : 1;
    p.setBrush(Qt::NoBrush);
    p.setPen(selected ? QPen(QColor(Theme::accent), border) : QPen(QColor(0, 0, 0, 46), border));
    p.drawRoundedRect(f.adjusted(border / 2, border / 2, -border / 2, -border / 2), 6, 6);
}

namespace TimelineBlocks {

std::vector<double> curve(const MotionEffect& effect)
{
    using K = MotionEffect::Kind;
    std::vector<double> out;
    const auto smooth = [](double c) { return c * c * (3 - 2 * c); };
    switch (effect.kind) {
    case K::shake:
    case K::glitch:
        for (int j = 0; j < 16; ++j) out.push_back(j % 2 == 0 ? 0.25 : 0.75);
        return out;
    case K::fadeIn:
    case K::blurIn:
        for (int j = 0; j < 24; ++j) out.push_back(smooth(std::min(j / 23.0, 1.0)));
        return out;
    case K::fadeOut:
        for (int j = 0; j < 24; ++j) out.push_back(1 - smooth(std::min(j / 23.0, 1.0)));
        return out;
    case K::flash:
        for (int j = 0; j < 24; ++j) {
            const double c = j / 23.0;
            out.push_back(c < 0.12 ? c / 0.12 : std::pow(1 - (c - 0.12) / 0.88, 2));
        }
        return out;
    case K::blackWhite:
        for (int j = 0; j < 24; ++j) out.push_back(j == 0 || j == 23 ? 0 : 0.8);
        return out;
    default: break;
    }
    const double full = effect.kind == K::punchIn ? 0.28 : effect.kind == K::pop ? 0.14 : 0.22;
    MotionEffect unit = effect;
    unit.strength = 1;
    const std::vector<PlacedMotion> one{PlacedMotion{unit, 0}};
    for (int j = 0; j < 24; ++j) {
        const double t = (j + 0.5) / 24 * effect.duration;
        const auto m = MotionRenderer::transform(one, t, QPointF(50, 50), QSizeF(100, 100));
        const double s = m ? std::hypot(m->m11(), m->m12()) : 1;
        out.push_back(std::min(std::max((s - 1) / std::max(full, 0.001), 0.0), 1.0));
    }
    return out;
}

namespace {

QString layoutHelp(BRollLayout layout)
{
    switch (layout) {
    case BRollLayout::full: return QStringLiteral("Full screen overlay");
    case BRollLayout::split: return QStringLiteral("Split overlay");
    case BRollLayout::pip: return QStringLiteral("Picture-in-picture overlay");
    }
    return {};
}

}  // namespace

std::vector<TimelineBlock> build(const EditorModel& editor, const std::vector<TimelineLane>& lanes, double pps)
{
    using LK = TimelineLane::Kind;
    using IK = TimelineItem::Kind;
    const double length = editor.plan().outputLength();
    const auto& selection = editor.timelineSelection();
    std::vector<TimelineBlock> out;
    const auto add = [&](TimelineBlock b) {
        const double top = TimelineGeometry::laneTop(lanes, b.lane);
        b.rect = QRectF(b.start * pps, top, TimelineGeometry::blockWidth(b.start, b.end, length, pps), 26);
        b.selected = selection && *selection == b.item;
        out.push_back(std::move(b));
    };

    const auto& brolls = editor.brollPlacements();
    std::vector<std::pair<double, double>> spans;
    for (const auto& b : brolls) spans.emplace_back(b.start, b.end);
    const std::vector<int> overlayRows = Timeline::rows(spans);
    for (std::size_t i = 0; i < brolls.size(); ++i) {
        const BRoll& item = brolls[i].item;
        add({TimelineItem{IK::overlay, item.id}, TimelineLane::of(LK::overlay, overlayRows[i]), brolls[i].start,
             brolls[i].end, QString::fromStdString(item.name), layoutHelp(item.layout),
             item.isImage ? QStringLiteral("photo") : QStringLiteral("film"), TimelineTint::broll(), {}, false, {},
             std::nullopt, {0.3, 600}});
    }
    for (const PlacedMatchCut& c : editor.placedMatchCuts()) {
        if (!c.cut.id) continue;
        const QString word = QString::fromStdString(c.cut.word);
        TimelineBlock b{TimelineItem{IK::matchCut, *c.cut.id}, TimelineLane::of(LK::matchCut), c.start,
                        c.start + c.cut.duration, word,
                        QStringLiteral("Match cut \u201C") + word + QStringLiteral("\u201D \u00B7 ") +
                            QString::fromUtf8(json::enumText(c.cut.style)),
                        QStringLiteral("textformat"), TimelineTint::matchCut(), {}, false,
                        TimelineGeometry::matchCutMarks(c.cut.duration, c.cut.cutsPerSecond, pps), std::nullopt, {0.5, 6}};
        add(std::move(b));
    }
    const auto& motions = editor.placedMotions();
    spans.clear();
    for (const auto& m : motions) spans.emplace_back(m.start, m.start + m.effect.duration);
    const std::vector<int> effectRows = Timeline::rows(spans);
    for (std::size_t i = 0; i < motions.size(); ++i) {
        const MotionEffect& e = motions[i].effect;
        add({TimelineItem{IK::motion, e.id}, TimelineLane::of(LK::effects, effectRows[i]), motions[i].start,
             motions[i].start + e.duration, QString::fromUtf8(json::enumText(e.kind)),
             QString::fromUtf8(blurb(e.kind)), QString::fromUtf8(icon(e.kind)), TimelineTint::motion(), {}, false, {},
             curve(e), {0.2, 10}});
    }
    return out;
}

}  // namespace TimelineBlocks

}  // namespace vt
