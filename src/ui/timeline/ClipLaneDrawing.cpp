// The video lane of the lane drawing: clip boxes with their filmstrip tiles,
// cut marks, name and job pills, and the slot marker of a clip being moved.

#include "ui/theme/Theme.h"
#include "ui/timeline/LaneDrawing.h"
#include "ui/timeline/TimelineMetrics.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace vt::LaneDrawing {

namespace {

QFont pillFont() { return TimelineMetrics::font(9.5, QFont::DemiBold); }

void pill(QPainter& p, QRectF r, const QColor& fill, const QString& text)
{
    QPainterPath path;
    path.addRoundedRect(r, 3, 3);
    p.fillPath(path, fill);
    p.save();
    p.setClipRect(r.adjusted(3, 0, -3, 0), Qt::IntersectClip);
    p.setFont(pillFont());
    p.setPen(Qt::white);
    const QFontMetricsF m(p.font());
    p.drawText(QPointF(r.left() + 5, r.center().y() + (m.ascent() - m.descent()) / 2), text);
    p.restore();
}

void box(QPainter& p, const LaneContent& content, const LaneContent::ClipBox& clip, QRectF lane, const Canvas& c)
{
    const bool dragged = content.clipMove && content.clipMove->id == clip.id;
    const double d = dragged ? content.clipMove->dx : 0;
    const double x = clip.start * c.pps - c.originX + d;
    const QRectF r(x, lane.top(), (clip.end - clip.start) * c.pps, lane.height());
    if (r.right() < 0 || r.left() > c.width || r.width() <= 0.5) return;
    p.save();
    if (dragged) p.setOpacity(p.opacity() * 0.7);
    QPainterPath path;
    path.addRoundedRect(r.adjusted(content.joined ? 1 : 0, 0, content.joined ? -1 : 0, 0), 5, 5);
    p.setClipPath(path, Qt::IntersectClip);

    // Tiles on a fixed grid of the content, so they do not swim while scrolling.
    const double w = std::min(std::max(lane.height() * content.sourceAspect, 18.0), 90.0);
    const double s = c.originX - d;
    const auto& frames = *content.filmstrip;
    for (double tx = std::max(r.left(), w * std::floor(s / w) - s); tx < std::min(r.right(), c.width); tx += w) {
        const double t = std::clamp((s + tx + w / 2) / c.pps, 0.0, c.duration);
        const Filmstrip::Frame* frame = Filmstrip::nearest(frames, content.plan.sourceTime(t));
        if (frame && !frame->image.isNull())
            p.drawImage(QRectF(tx, lane.top(), w, lane.height()), frame->image, frame->image.rect(),
                        Qt::NoFormatConversion);
        else
            p.fillRect(QRectF(tx + 1, lane.top(), w - 2, lane.height()), [] {
                QColor ink = Theme::ink;
                ink.setAlphaF(0.06f);
                return ink;
            }());
    }
    const auto& segments = content.plan.segments;
    for (std::size_t i = 1; i < segments.size(); ++i) {
        const double mx = segments[i].outputStart * c.pps - s;
        if (mx <= r.left() + 2 || mx >= r.right() - 2) continue;
        p.fillRect(QRectF(mx - 1.5, lane.top(), 3, lane.height()), QColor(0, 0, 0, 140));
        p.fillRect(QRectF(mx - 0.5, lane.top(), 1, lane.height()), QColor(255, 255, 255, 242));
    }
    if (content.joined) {
        const double width = std::min(QFontMetricsF(pillFont()).horizontalAdvance(clip.name) + 10, r.width() - 6);
        if (width > 16) pill(p, QRectF(r.left() + 3, r.top() + 3, width, 14), QColor(0, 0, 0, 153), clip.name);
    }
    if (clip.job) {
        QColor tint = TimelineTint::clip();
        tint.setAlphaF(0.9f);
        pill(p, QRectF(r.left() + 3, r.bottom() - 17, std::min(r.width() - 6, 170.0), 14), tint, *clip.job);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(clip.selected ? QPen(QColor(Theme::accent), 2.5) : QPen(QColor(0, 0, 0, 89), 1));
    p.drawPath(path);
    p.restore();
}

}  // namespace

void drawClips(QPainter& p, const LaneContent& content, QRectF lane, const Canvas& c)
{
    for (const auto& clip : content.clips) box(p, content, clip, lane, c);
    if (!content.clipMove) return;
    const auto& move = *content.clipMove;
    const double m = move.dx + (move.start + move.end) / 2 * c.pps;
    std::vector<const LaneContent::ClipBox*> others;
    for (const auto& clip : content.clips)
        if (clip.id != move.id) others.push_back(&clip);
    const auto count = std::count_if(others.begin(), others.end(),
                                     [&](const auto* o) { return (o->start + o->end) / 2 * c.pps < m; });
    const double slot = count == 0 ? (others.empty() ? 0 : others.front()->start) : others[std::size_t(count) - 1]->end;
    QPainterPath marker;
    marker.addRoundedRect(QRectF(slot * c.pps - c.originX - 1.5, lane.top() - 2, 3, lane.height() + 4), 1.5, 1.5);
    p.fillPath(marker, QColor(Theme::accent));
}

}  // namespace vt::LaneDrawing
