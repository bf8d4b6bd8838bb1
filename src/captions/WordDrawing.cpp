// Each word drawn on its own: its colour, the highlight of the spoken word,
// boxes, outline, glow and shadow, gradient fills and the passing shine,
// dimmed or hollow while unspoken, moved by the per-word entrances and the
// scatter exit; and the one sliding highlight box that follows the speech.
#include "captions/CaptionDrawing.h"

#include <QPainterPath>

#include <array>
#include <cmath>
#include <numbers>

namespace vt::caption {
namespace {

struct WordMotion {
    double scale = 1;
    QPointF offset;  // pixels, y up
    double angle = 0;  // radians
    double alpha = 1;
    double trail = 0;
};

struct FillStops {
    std::vector<RGBA> colors;
    std::vector<double> locations;
    double angle = 0;  // degrees
};

struct Sweep {
    QPointF center;
    double width = 0;
    RGBA color;
};

enum class WordPass { stickerShadow, stickerRim, stickerPaper, text };

// Everything one word needs to be drawn on this frame.
struct WordDraw {
    const PlacedWord* placed = nullptr;
    bool visible = true;
    bool active = false;
    WordMotion motion;
    RGBA color;
    std::optional<FillStops> fill;
    bool hollow = false;
    double alpha = 1;
};

bool isPerWordEntrance(EntranceAnimation a)
{
    return a == EntranceAnimation::bounce || a == EntranceAnimation::typewriter || a == EntranceAnimation::slam
           || a == EntranceAnimation::slideIn || a == EntranceAnimation::flyIn;
}

WordMotion wordMotion(EntranceAnimation kind, double d, int line, int index, std::int64_t seed, double u)
{
    WordMotion m;
    switch (kind) {
    case EntranceAnimation::bounce: m.scale = 0.5 + 0.5 * backOut(std::min(d / 0.16, 1.0) - 1); break;
    case EntranceAnimation::slam:
        if (d < 0.16) {
            const double q = std::max(d / 0.16, 0.0);
            m.scale = 1 + 1.5 * (1 - q * q);
            m.alpha = std::min(3 * q, 1.0);
            m.trail = 1 - q;
        } else {
            m.scale = 1 - 0.07 * std::sin(std::numbers::pi * std::min((d - 0.16) / 0.12, 1.0));
        }
        break;
    case EntranceAnimation::slideIn: {
        static constexpr std::array<QPointF, 4> kSides{QPointF(-1, 0), QPointF(1, 0), QPointF(0, -1), QPointF(0, 1)};
        const std::int64_t pick = ((line + seed / 97) % 4 + 4) % 4;
        const QPointF dir = kSides[static_cast<std::size_t>(pick)];
        const double b = d >= 0 ? std::min(d / 0.24, 1.0) : 0;
        const double k = cubicOut(b);
        const double distance = dir.y() != 0 ? 80 : 160;
        m.offset = dir * u * distance * (1 - k);
        m.alpha = std::min(1.6 * k, 1.0);
        break;
    }
    case EntranceAnimation::flyIn: {
        const double c = std::min(std::max(d, 0.0) / 0.3, 1.0);
        const double k = backOut(c - 1);
        const double heading = 2 * std::numbers::pi * seededUnit(index, seed);
        m.offset = QPointF(std::cos(heading), std::sin(heading)) * 240 * u * (1 - k);
        m.angle = (seededUnit(index, seed + 3) - 0.5) * 0.9 * (1 - k);
        m.scale = 0.6 + 0.4 * k;
        m.alpha = std::min(3 * c, 1.0);
        m.trail = c < 0.5 ? 0.5 - c : 0;
        break;
    }
    default: break;  // none, typewriter and the group-level kinds
    }
    return m;
}

RGBA towardWhite(const RGBA& c, double k) { return {c.r + (1 - c.r) * k, c.g + (1 - c.g) * k, c.b + (1 - c.b) * k, c.a}; }

std::optional<FillStops> fillStops(const CaptionStyle& style, const RGBA& c, bool emphasized)
{
    const bool heroOnly = style.fillHeroOnly.value_or(false);
    if (heroOnly && !emphasized) return std::nullopt;
    const bool h = c == style.textColor ? true : heroOnly;
    const TextFill fill = style.fill.value_or(TextFill::gradient);
    FillStops stops;
    switch (fill) {
    case TextFill::solid: return std::nullopt;
    case TextFill::gradient:
        if (!h || !style.gradientColor) return std::nullopt;
        stops = {{c, *style.gradientColor}, {0, 1}, 0};
        break;
    case TextFill::peak: {
        const RGBA edge = h && style.gradientColor ? *style.gradientColor : RGBA{0.45 * c.r, 0.45 * c.g, 0.45 * c.b, c.a};
        const RGBA mid{(c.r + edge.r) / 2, (c.g + edge.g) / 2, (c.b + edge.b) / 2, c.a};
        stops = {{edge, mid, towardWhite(c, 0.25), mid, edge}, {0, 0.3, 0.5, 0.7, 1}, 0};
        break;
    }
    case TextFill::shine: {
        const RGBA l = towardWhite(c, 0.78);
        stops = {{c, c, l, c, c, l, c}, {0, 0.3, 0.38, 0.46, 0.58, 0.64, 1}, 28};
        break;
    }
    case TextFill::chrome:
        for (double k : {1.0, 0.86, 0.5, 0.97, 0.62, 0.9})
            stops.colors.push_back({0.18 * c.r + 0.82 * k, 0.18 * c.g + 0.82 * k, 0.18 * c.b + 0.82 * k, 1});
        stops.locations = {0, 0.3, 0.49, 0.52, 0.8, 1};
        break;
    }
    stops.angle = style.fillAngle.value_or(stops.angle);
    return stops;
}

QLinearGradient gradientOver(const QRectF& r, double degrees)
{
    const double phi = degrees * std::numbers::pi / 180;
    const double l = (std::abs(std::sin(phi)) * r.width() + std::abs(std::cos(phi)) * r.height()) / 2;
    const QPointF c = r.center();
    return QLinearGradient(QPointF(c.x() - std::sin(phi) * l, c.y() + std::cos(phi) * l),
                           QPointF(c.x() + std::sin(phi) * l, c.y() - std::cos(phi) * l));
}

std::optional<Sweep> sweepOf(const GroupLayout& layout, double elapsed)
{
    if (!layout.style.shineSweep || layout.words.empty()) return std::nullopt;
    const QRectF g = layout.textBox();
    double f = std::fmod((elapsed - 0.15) / 2.2, 1.0);
    if (f < 0) f += 1;
    const double q = f / 0.45;
    if (q > 1) return std::nullopt;
    const double bw = std::max(0.9 * g.height(), 60 * layout.unit);
    return Sweep{QPointF(g.left() - bw + q * (2 * bw + g.width()), g.center().y()), bw, *layout.style.shineSweep};
}

RGBA baseColor(const GroupLayout& layout, int i, std::int64_t paletteOffset)
{
    const auto& style = layout.style;
    const PlacedWord& w = layout.words[i];
    if (w.word.look && w.word.look->color) return *w.word.look->color;
    if (w.emphasized && style.emphasisColor) return *style.emphasisColor;
    if (style.palette && !style.palette->empty()) {
        const auto n = static_cast<std::int64_t>(style.palette->size());
        return (*style.palette)[static_cast<std::size_t>(((i + paletteOffset) % n + n) % n)];
    }
    return style.textColor;
}

QColor withAlpha(const RGBA& c, double alpha)
{
    RGBA out = c;
    out.a = alpha;
    return toQColor(out);
}

class WordPainter {
public:
    WordPainter(CaptionContext& context, const GroupLayout& layout, double time, std::optional<Sweep> sweep)
        : context_(context), style_(layout.style), u_(layout.unit), time_(time), sweep_(sweep)
    {
    }

    void draw(const WordDraw& w, WordPass pass)
    {
        if (!w.visible) return;
        if (pass == WordPass::text && w.motion.trail > 0)
            for (int k = 3; k >= 1; --k)
                drawOne(w, pass, 0.22 * w.alpha / k, (w.motion.trail * k * 0.16 + 1) * w.motion.scale);
        drawOne(w, pass, w.alpha, w.motion.scale);
    }

private:
    void drawOne(const WordDraw& w, WordPass pass, double alpha, double scale)
    {
        const PlacedWord& placed = *w.placed;
        const QRectF rect = placed.rect();
        QPainter& p = context_.painter();
        p.save();
        p.translate(rect.center() + w.motion.offset);
        p.rotate((w.motion.angle + placed.rotation) * 180 / std::numbers::pi);
        p.scale(scale, scale);
        p.translate(-rect.center());
        p.setOpacity(alpha);
        if (pass != WordPass::text) sticker(placed, pass);
        else if (placed.glyphs) drawRansom(context_, placed, style_, time_);
        else text(w, rect);
        p.restore();
    }

    void sticker(const PlacedWord& placed, WordPass pass)
    {
        if (!style_.sticker) return;
        const QColor rim = toQColor(style_.stickerRim.value_or(RGBA::fromHex("1F1F1F")));
        const double h = placed.ascent + placed.descent;
        QPointF at(placed.x, placed.baseline);
        QColor colour = rim;
        double width = 9 * u_ + 0.36 * h;
        if (pass == WordPass::stickerShadow) at += QPointF(6 * u_, -9 * u_);
        if (pass == WordPass::stickerPaper) colour = toQColor(*style_.sticker), width = 0.36 * h;
        QPen pen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        placed.line.stroke(context_.painter(), at, pen);
        placed.line.fill(context_.painter(), at, colour);
    }

    void text(const WordDraw& w, const QRectF& rect)
    {
        const PlacedWord& placed = *w.placed;
        QPainter& p = context_.painter();
        const QRectF box = rect.adjusted(-16 * u_, -8 * u_, 16 * u_, 8 * u_);
        const double radius = std::max(0.0, std::min(box.height() / 2, style_.cornerRadius * u_));
        if (w.active && style_.highlight == HighlightMode::box && style_.highlightColor) {
            fillRounded(p, box, radius, toQColor(*style_.highlightColor));
        } else if (auto colour = placed.emphasized && style_.emphasisBoxColor ? style_.emphasisBoxColor : style_.wordBoxColor) {
            fillRounded(p, box, radius, toQColor(*colour));
        }
        if (w.active && style_.highlight == HighlightMode::underline && style_.highlightColor)
            fillRounded(p, QRectF(placed.x, yMin(rect) - 6 * u_, placed.width, 12 * u_), 6 * u_,
                        toQColor(*style_.highlightColor));

        const QPointF origin(placed.x, placed.baseline);
        const bool stroked = style_.strokeWidth > 0 && style_.strokeColor.has_value();
        if (w.hollow) {
            const RGBA c = stroked ? *style_.strokeColor : w.color;
            QPen pen(withAlpha(c, std::max(c.a, 0.6)), std::max(0.6 * style_.strokeWidth, 2.5) * u_);
            pen.setJoinStyle(Qt::RoundJoin);
            placed.line.stroke(p, origin, pen);
            return;
        }

        const QColor fill = toQColor(w.color);
        QPen pen(stroked ? toQColor(*style_.strokeColor) : QColor(), 2 * style_.strokeWidth * u_);
        pen.setJoinStyle(Qt::RoundJoin);
        const double reach = stroked ? style_.strokeWidth * u_ : 0;
        const QRectF inked = placed.line.outline().boundingRect().translated(origin).united(rect).adjusted(
            -reach, -reach, reach, reach);

        if (style_.glowColor && style_.glowRadius > 0) {
            const ShadowStyle glow{0, 0, style_.glowRadius * u_, toQColor(*style_.glowColor)};
            // The text filled twice, each time with the glow under it.
            context_.drawWithShadow(glow, inked, [&](QPainter& q) { placed.line.fill(q, origin, fill); }, true, 2);
        }
        if (style_.shadowColor) {
            const ShadowStyle shadow{0, -style_.shadowOffset * u_, style_.shadowRadius * u_,
                                     toQColor(*style_.shadowColor)};
            context_.drawWithShadow(shadow, inked, [&](QPainter& q) {
                placed.line.fill(q, origin, fill);
                if (stroked) placed.line.stroke(q, origin, pen);
            });
        }
        if (stroked) placed.line.stroke(p, origin, pen);

        if (w.fill) {
            QLinearGradient gradient = gradientOver(rect, w.fill->angle);
            gradient.setSpread(QGradient::PadSpread);
            for (std::size_t k = 0; k < w.fill->colors.size(); ++k)
                gradient.setColorAt(w.fill->locations[k], toQColor(w.fill->colors[k]));
            placed.line.fill(p, origin, gradient);
        } else {
            placed.line.fill(p, origin, fill);
        }

        // The band reaches about half its width either side of its centre,
        // so a word is left out only when the band is at least its whole
        // width away; narrow words still catch its edge.
        if (sweep_ && sweep_->center.x() >= rect.left() - sweep_->width
            && sweep_->center.x() <= rect.right() + sweep_->width) {
            const QPointF half = QPointF(sweep_->width * std::cos(0.35), sweep_->width * std::sin(0.35)) / 2;
            QLinearGradient band(sweep_->center - half, sweep_->center + half);
            band.setColorAt(0, withAlpha(sweep_->color, 0));
            band.setColorAt(0.5, toQColor(sweep_->color));
            band.setColorAt(1, withAlpha(sweep_->color, 0));
            fillPathBlended(p, placed.line.outlineAt(origin), band);
        }
    }

    CaptionContext& context_;
    const CaptionStyle& style_;
    double u_;
    double time_;
    std::optional<Sweep> sweep_;
};

}  // namespace

void drawSlidingBox(CaptionContext& context, const GroupLayout& layout, double time, double alpha)
{
    const auto& style = layout.style;
    if (style.highlight != HighlightMode::slide || !style.highlightColor) return;
    int i = -1;
    for (int j = 0; j < static_cast<int>(layout.words.size()); ++j)
        if (layout.words[j].word.start <= time) i = j;
    if (i < 0) return;
    const double q = cubicOut(std::min((time - layout.words[i].word.start) / 0.16, 1.0));
    const QRectF from = layout.words[i > 0 ? i - 1 : 0].rect(), to = layout.words[i].rect();
    auto lerp = [q](double a, double b) { return a + q * (b - a); };
    const double u = layout.unit;
    const QRectF box = QRectF(lerp(from.x(), to.x()), lerp(from.y(), to.y()), lerp(from.width(), to.width()),
                              lerp(from.height(), to.height()))
                           .adjusted(-14 * u, -6 * u, 14 * u, 6 * u);
    QPainter& p = context.painter();
    p.save();
    p.setOpacity(alpha);
    fillRounded(p, box, std::min(box.height() / 2, style.cornerRadius * u), toQColor(*style.highlightColor));
    p.restore();
}

void drawWords(CaptionContext& context, const GroupLayout& layout, const CaptionGroup& group, double time,
               double alpha, double exitProgress)
{
    const auto& style = layout.style;
    const double u = layout.unit;
    const std::int64_t seed = groupSeed(group.start);
    const int n = static_cast<int>(layout.words.size());

    std::vector<int> lineOf(n, 0);
    std::vector<double> lineStart(layout.lines.size(), 0);
    for (std::size_t l = 0; l < layout.lines.size(); ++l) {
        double earliest = INFINITY;
        for (int j : layout.lines[l]) lineOf[j] = static_cast<int>(l), earliest = std::min(earliest, layout.words[j].word.start);
        lineStart[l] = earliest;
    }
    const QRectF textBox = layout.textBox();
    const std::int64_t paletteOffset = wholePart(group.start * 3);
    const double p = exitProgress;

    std::vector<WordDraw> draws(n);
    for (int i = 0; i < n; ++i) {
        const PlacedWord& placed = layout.words[i];
        WordDraw& w = draws[i];
        w.placed = &placed;
        const double start = placed.word.start;
        w.active = start <= time && time < placed.activeUntil;
        const double reference = style.animation == EntranceAnimation::slideIn ? lineStart[lineOf[i]] : start;
        if (isPerWordEntrance(style.animation) && time < reference - 0.02) {
            w.visible = false;
            continue;
        }
        w.motion = wordMotion(style.animation, time - reference, lineOf[i], i, seed, u);
        if (w.active && style.highlight == HighlightMode::scale) w.motion.scale *= 1.14;
        if (style.exitAnimation == ExitAnimation::scatter && p > 0) {
            const QPointF away = placed.rect().center() - textBox.center();
            const double distance = std::hypot(away.x(), away.y());
            QPointF dir;
            if (distance < 4 * u) {
                const double angle = 2 * std::numbers::pi * seededUnit(i, seed + 7);
                dir = QPointF(std::cos(angle), std::sin(angle));
            } else {
                dir = away / distance;
            }
            w.motion.offset += dir * 220 * u * p * p;
            w.motion.angle += p * (seededUnit(i, seed + 11) - 0.5) * 0.8;
        }
        w.color = baseColor(layout, i, paletteOffset);
        if (placed.word.look) w.motion.offset += QPointF(placed.word.look->dx * u, -placed.word.look->dy * u);
        if (w.active && usesActiveColor(style.highlight) && style.activeColor) w.color = *style.activeColor;
        w.fill = fillStops(style, w.color, placed.emphasized);
        w.hollow = style.hollowUnspoken.value_or(false) && time < start - 0.02;
        const double dim = style.dimUnspoken && time < start - 0.02 ? 0.5 : 1;
        w.alpha = alpha * w.motion.alpha * dim;
    }

    WordPainter painter(context, layout, time, sweepOf(layout, time - group.start));
    std::vector<WordPass> passes{WordPass::text};
    if (style.sticker) passes = {WordPass::stickerShadow, WordPass::stickerRim, WordPass::stickerPaper, WordPass::text};
    for (WordPass pass : passes)
        for (const auto& w : draws) painter.draw(w, pass);
}

}  // namespace vt::caption
