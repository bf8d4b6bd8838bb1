#include "ui/timeline/LaneDrawing.h"

#include "ui/theme/Theme.h"
#include "ui/timeline/TimelineGeometry.h"
#include "ui/timeline/TimelineMetrics.h"
#include "ui/timeline/VolumeEditing.h"

#include <QPainterPath>

#include <algorithm>
#include <functional>
#include <cmath>

namespace vt::LaneDrawing {

namespace {

QColor alpha(QColor c, double a)
{
    c.setAlphaF(float(c.alphaF() * a));
    return c;
}

using TimelineMetrics::font;

QPainterPath rounded(QRectF r, double radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

// Text with its leading centre at `at`.
void label(QPainter& p, const QString& text, QPointF at, const QFont& f, const QColor& c)
{
    p.setFont(f);
    p.setPen(c);
    const QFontMetricsF m(f);
    p.drawText(QPointF(at.x(), at.y() + (m.ascent() - m.descent()) / 2), text);
}

void ruler(QPainter& p, const Canvas& c)
{
    const TimelineGeometry::RulerStep step = TimelineGeometry::rulerStep(c.pps);
    const double minor = step.minor();
    const long lo = static_cast<long>(std::floor(c.originX / c.pps / minor));
    const long hi = std::max(0L, static_cast<long>(std::ceil(std::min((c.width + c.originX) / c.pps, c.duration) / minor)));
    const QColor text = Theme::secondaryText;
    const QFont f = font(9.5, QFont::Medium);
    for (long j = std::max(lo, 0L); j <= hi; ++j) {
        const bool major = j % step.subdivisions == 0;
        const double t = major ? double(j / step.subdivisions) * step.major : j * minor;
        const double x = t * c.pps - c.originX;
        const double h = major ? 7 : 4;
        p.fillRect(QRectF(x, 18 - h, 1, h), alpha(text, major ? 0.8 : 0.4));
        if (major) label(p, TimelineGeometry::rulerLabel(t, step), QPointF(x + 3, 7), f, text);
    }
}

// The label is made only when the bar is wide enough to show it.
void labelledBar(QPainter& p, QRectF bar, const QColor& tint, const std::function<QString()>& text)
{
    // One fill-and-stroke call; on a bar too narrow to show its corners the
    // rounding is left out, which is what makes an hour at fit cheap.
    const QRectF inner = bar.adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(alpha(tint, 0.75), 1));
    p.setBrush(alpha(tint, 0.3));
    if (inner.width() < 9)
        p.drawRect(inner);
    else
        p.drawRoundedRect(inner, 4, 4);
    if (bar.width() <= 22) return;
    p.save();
    p.setClipRect(bar.adjusted(4, 0, -4, 0), Qt::IntersectClip);
    label(p, text(), QPointF(bar.left() + 5, bar.center().y()), font(10, QFont::Medium), Theme::ink);
    p.restore();
}

void labelledBar(QPainter& p, QRectF bar, const QColor& tint, const QString& text)
{
    labelledBar(p, bar, tint, [&] { return text; });
}

void hint(QPainter& p, QRectF box, const Canvas& c, const QString& text)
{
    const double x = std::max(box.left(), c.visibleX - c.originX) + 8;
    label(p, text, QPointF(x, box.center().y()), font(10.5, QFont::Normal), alpha(Theme::secondaryText, 0.85));
}

void captions(QPainter& p, const LaneContent& content, QRectF box, const Canvas& c)
{
    for (const CaptionGroup& g : content.groups) {
        const double x0 = g.start * c.pps - c.originX, x1 = g.end * c.pps - c.originX;
        if (x1 < 0 || x0 > c.width) continue;
        const QColor tint = g.styleID ? TimelineTint::motion() : TimelineTint::caption();
        const QRectF bar(x0 + 0.5, box.top(), std::max((g.end - g.start) * c.pps - 1, 2.0), 22);
        labelledBar(p, bar, tint, [&] {
            QString words;
            for (const TimedWord& w : g.words) words += (words.isEmpty() ? "" : " ") + QString::fromStdString(w.text);
            return words;
        });
        const bool picked = std::any_of(g.words.begin(), g.words.end(),
                                        [&](const TimedWord& w) { return w.id && content.pickedWords.count(*w.id); });
        if (picked) {
            p.setPen(QPen(QColor(Theme::ink), 2));
            p.setBrush(Qt::NoBrush);
            p.drawPath(rounded(bar.adjusted(1, 1, -1, -1), 4));
        }
    }
}

void waveform(QPainter& p, const LaneContent& content, QRectF box, const Canvas& c)
{
    const std::vector<float>& peaks = *content.peaks;
    if (peaks.empty()) return;
    const QColor fill = alpha(Theme::ink, 0.32);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    for (double x = std::max(0.0, box.left()); x < std::min(c.width, box.right()); x += 3) {
        float value = 0;
        for (int k = 0; k < 4; ++k) {
            const double t = std::min((x + c.originX + 3 * (k + 0.5) / 4) / c.pps, c.duration);
            const double index = std::floor(content.plan.sourceTime(t) * 50);
            if (index >= 0 && index < double(peaks.size())) value = std::max(value, peaks[std::size_t(index)]);
        }
        const double h = std::max((box.height() - 6) * value, 1.5);
        p.drawRoundedRect(QRectF(x, box.center().y() - h / 2, 2, h), 0.75, 0.75);
    }
}

void lane(QPainter& p, const LaneContent& content, const TimelineLane& l, QRectF box, const Canvas& c)
{
    using K = TimelineLane::Kind;
    switch (l.kind) {
    case K::overlay:
        if (l.row == 0 && content.emptyOverlay)
            hint(p, box, c, QStringLiteral("Put a video or photo on top: \uFF0B, or drop a file here"));
        break;
    case K::effects:
        if (l.row == 0 && content.emptyEffects) hint(p, box, c, QStringLiteral("Drop Zoom, Fade, Flash, Blur and more here"));
        break;
    case K::matchCut:
        if (content.emptyMatchCut)
            hint(p, box, c, QStringLiteral("Drop a match cut here, or pick a style in the Hook tab"));
        break;
    case K::sounds:
        if (l.row == 0 && content.emptySounds)
            hint(p, box, c, QStringLiteral("Add music or a sound effect: \uFF0B, or drop a sound file here"));
        for (const auto& s : content.sounds) {
            if (s.row != l.row) continue;
            const QRectF r(s.start * c.pps - c.originX, box.top(), s.sound.duration * c.pps, 36);
            if (r.right() >= 0 && r.left() <= c.width) drawSound(p, s, r, c.pps, c.width);
        }
        break;
    case K::captions: captions(p, content, box, c); break;
    case K::hook:
        if (content.hook)
            labelledBar(p, QRectF(-c.originX, box.top(), content.hook->second * c.pps, 20), TimelineTint::hook(),
                        content.hook->first);
        break;
    case K::voice:
        if (content.voice)
            labelledBar(p, QRectF(content.voice->start * c.pps - c.originX, box.top(),
                                  (content.voice->end - content.voice->start) * c.pps, 22),
                        TimelineTint::voice(), QStringLiteral("Voiceover"));
        break;
    case K::music:
        if (content.music) labelledBar(p, QRectF(box.left(), box.top(), box.width(), 22), TimelineTint::music(), *content.music);
        break;
    case K::audio:
        waveform(p, content, box, c);
        drawVolume(p, content.videoVolume, box, c.duration, c.pps, 0, c.width);
        break;
    case K::video: drawClips(p, content, box, c); break;
    }
}

}  // namespace

void draw(QPainter& p, const LaneContent& content, const std::vector<TimelineLane>& lanes, const Canvas& c)
{
    p.setRenderHint(QPainter::Antialiasing);
    ruler(p, c);
    double y = TimelineMetrics::rulerBand + TimelineMetrics::spacing;
    for (const TimelineLane& l : lanes) {
        const double h = TimelineMetrics::laneHeight(l);
        const QRectF box(-c.originX, y, std::max(0.0, c.duration * c.pps), h);
        y += h + TimelineMetrics::spacing;
        // Lanes wholly outside the painted region cost nothing.
        if (!p.clipBoundingRect().isEmpty() && !p.clipBoundingRect().intersects(box.adjusted(0, -1, 0, 1))) continue;
        if (l.kind != TimelineLane::Kind::video) p.fillPath(rounded(box, 5), alpha(Theme::ink, 0.045));
        p.save();
        // The rounded clip matters only where a corner is in the window; a
        // plain rectangle clips the same elsewhere and much faster.
        const QRectF clip = box.adjusted(0, -1, 0, 1);
        if (clip.left() > -5 || clip.right() < c.width + 5)
            p.setClipPath(rounded(clip, 5), Qt::IntersectClip);
        else
            p.setClipRect(clip, Qt::IntersectClip);
        if (content.isDimmed(l)) p.setOpacity(0.35);
        lane(p, content, l, box, c);
        p.restore();
    }
}

void drawVolume(QPainter& p, const VolumeEnvelope& env, QRectF r, double length, double pps, double lo, double hi)
{
    const VolumeGeometry geo{r.height()};
    const auto y = [&](double db) { return r.top() + geo.y(db); };
    const double a = std::max(lo, r.left()), b = std::min(hi, r.left() + length * pps);
    if (env.fadeIn > 0) p.fillRect(QRectF(r.left(), r.top(), env.fadeIn * pps, r.height()), QColor(0, 0, 0, 46));
    if (env.fadeOut > 0)
        p.fillRect(QRectF(r.left() + (length - env.fadeOut) * pps, r.top(), env.fadeOut * pps, r.height()),
                   QColor(0, 0, 0, 46));
    if (a < b) {
        QPolygonF line;
        for (double x = a;; x = std::min(x + 3, b)) {
            line << QPointF(x, y(VolumeEditing::shownDB(env, (x - r.left()) / pps, length)));
            if (x >= b) break;
        }
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0, 0, 0, 115), 3));
        p.drawPolyline(line);
        p.setPen(QPen(TimelineTint::volume(), 1.5));
        p.drawPolyline(line);
    }
    p.setPen(QPen(QColor(0, 0, 0, 153), 1));
    p.setBrush(TimelineTint::volume());
    for (const auto& point : env.points) {
        const double x = r.left() + point.time * pps;
        if (x >= lo - 6 && x <= hi + 6) p.drawEllipse(QPointF(x, y(point.db)), 3.5, 3.5);
    }
    p.setPen(QPen(QColor(0, 0, 0, 128), 1));
    p.setBrush(QColor(255, 255, 255, 230));
    for (double x : {r.left() + env.fadeIn * pps, r.left() + (length - env.fadeOut) * pps})
        if (x + 4 >= lo && x - 4 <= hi) p.drawRoundedRect(QRectF(x - 4, r.top() + 1, 8, 8), 2, 2);
}

void drawSound(QPainter& p, const LaneContent::SoundBox& box, QRectF rect, double pps, double visibleHi)
{
    const QColor tint = TimelineTint::sound();
    const QPainterPath path = rounded(rect.adjusted(0.5, 0.5, -0.5, -0.5), 5);
    p.fillPath(path, alpha(tint, box.selected ? 0.42 : 0.28));
    p.save();
    p.setClipPath(path, Qt::IntersectClip);
    const std::vector<float>& peaks = *box.peaks;
    if (!peaks.empty()) {
        for (double x = std::max(0.0, rect.left()); x < std::min(rect.right(), visibleHi); x += 3) {
            const double index = std::floor((box.sound.offset + (x - rect.left()) / pps) * 50);
            const float v = index >= 0 && index < double(peaks.size()) ? peaks[std::size_t(index)] : 0.f;
            const double h = std::max(v * 28.0, 1.0);
            p.fillRect(QRectF(x, rect.center().y() - h / 2, 2, h), alpha(tint, 0.8));
        }
    }
    if (rect.width() > 30)
        label(p, QString::fromStdString(box.sound.name), QPointF(rect.left() + 6, rect.bottom() - 8),
              font(9.5, QFont::DemiBold), Theme::ink);
    p.restore();
    p.save();
    p.translate(rect.topLeft());
    drawVolume(p, box.sound.volume, QRectF(0, 0, rect.width(), 36), box.sound.duration, pps, -rect.left(),
               visibleHi - rect.left());
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(box.selected ? QPen(QColor(Theme::accent), 2.5) : QPen(alpha(tint, 0.9), 1));
    p.drawPath(path);
}

}  // namespace vt::LaneDrawing
