#include "captions/GroupLayout.h"

#include "captions/CaptionHash.h"
#include "captions/FontBook.h"
#include "platform/TextRules.h"

#include <QTransform>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace vt::caption {
namespace {

// The automatic hero word: with no emphasized word in a group of two or
// more and a look that asks for one, the word with the most characters.
std::optional<std::size_t> automaticHero(const CaptionGroup& group, const CaptionStyle& style)
{
    if (group.words.size() < 2) return std::nullopt;
    for (const auto& w : group.words)
        if (w.emphasized) return std::nullopt;
    if (!(style.heroWord || style.lockup.value_or(false) || style.freeform)) return std::nullopt;
    std::size_t best = 0, bestCount = 0;
    for (std::size_t i = 0; i < group.words.size(); ++i) {
        const std::size_t count = text::characterCount(group.words[i].text);
        if (i == 0 || count > bestCount) best = i, bestCount = count;
    }
    return best;
}

double maxLineWidth(const CaptionStyle& style, double W, double H, double unit, double& cardWidth)
{
    cardWidth = std::min(1000 * unit, 0.92 * W);
    if (!style.container) return H < W ? 0.70 * W : 0.86 * W;
    if (*style.container == CaptionContainer::notification) return cardWidth - 168 * unit;
    return H < W ? 0.45 * W : 0.66 * W;
}

// Cuts the group round the first emphasized word of a lockup.
std::vector<std::vector<int>> segmentsOf(const GroupLayout& layout)
{
    const int n = static_cast<int>(layout.words.size());
    std::vector<int> all(n);
    std::iota(all.begin(), all.end(), 0);
    if (!layout.style.lockup.value_or(false) || n < 2) return {all};
    const auto hero = std::find_if(layout.words.begin(), layout.words.end(),
                                   [](const PlacedWord& w) { return w.emphasized; });
    if (hero == layout.words.end()) return {all};
    const int r = static_cast<int>(hero - layout.words.begin());
    std::vector<std::vector<int>> segments;
    if (r > 0) segments.emplace_back(all.begin(), all.begin() + r);
    segments.push_back({r});
    if (r + 1 < n) segments.emplace_back(all.begin() + r + 1, all.end());
    return segments;
}

std::vector<std::vector<int>> breakLines(const GroupLayout& layout)
{
    std::vector<std::vector<int>> lines;
    const auto maxWords = layout.style.maxWordsPerLine;
    for (const auto& segment : segmentsOf(layout)) {
        lines.emplace_back();
        double running = 0;
        for (int j : segment) {
            const double w = layout.words[j].width;
            const auto n = static_cast<std::int64_t>(lines.back().size());
            if (n > 0 && (n >= maxWords || layout.maxLineWidth < layout.gap + running + w)) {
                lines.emplace_back();
                running = 0;
            }
            const bool hadWords = !lines.back().empty();
            lines.back().push_back(j);
            running += w + (hadWords ? layout.gap : 0);
        }
    }
    return lines;
}

std::vector<double> applyLineScales(GroupLayout& layout, const WordMeasurer& measurer)
{
    std::vector<double> scales(layout.lines.size(), 1.0);
    const auto& list = layout.style.lineScales;
    if (!list || list->empty()) return scales;
    for (std::size_t i = 0; i < layout.lines.size(); ++i) {
        scales[i] = (*list)[i % list->size()];
        for (int j : layout.lines[i]) measurer.remeasure(layout.words[j], scales[i]);
    }
    return scales;
}

void placeLines(GroupLayout& layout, const std::vector<double>& scales)
{
    const auto& style = layout.style;
    const double W = layout.width, H = layout.height;
    std::vector<double> ascents, descents, widths;
    double total = 0;
    for (const auto& line : layout.lines) {
        double a = 0, d = 0;
        for (int j : line) a = std::max(a, layout.words[j].ascent), d = std::max(d, layout.words[j].descent);
        ascents.push_back(a);
        descents.push_back(d);
        total += a + d;
    }
    const double half = 0.5 * style.lineSpacing * total;
    const double margin = 0.05 * H;
    const double target = (1 - style.verticalPosition) * H;
    layout.centerY = std::min(H - margin - half, std::max(target, margin + half));

    double widest = 0;
    for (std::size_t i = 0; i < layout.lines.size(); ++i) {
        double sum = 0;
        for (int j : layout.lines[i]) sum += layout.words[j].width;
        const auto count = static_cast<double>(layout.lines[i].size());
        widths.push_back(sum + layout.gap * scales[i] * std::max(count - 1, 0.0));
        widest = std::max(widest, widths.back());
    }

    const TextAlign align = style.textAlign.value_or(TextAlign::center);
    double top = layout.centerY + half;
    for (std::size_t i = 0; i < layout.lines.size(); ++i) {
        double x;
        if (style.container || align == TextAlign::left) x = (W - widest) / 2;
        else if (align == TextAlign::right) x = (W + widest) / 2 - widths[i];
        else x = (W - widths[i]) / 2;
        const double baseline = top - ascents[i] * style.lineSpacing;
        for (int j : layout.lines[i]) {
            layout.words[j].x = x;
            layout.words[j].baseline = baseline;
            x += layout.words[j].width + layout.gap * scales[i];
        }
        top -= (ascents[i] + descents[i]) * style.lineSpacing;
    }
    layout.fit = widest >= 1 ? std::min(layout.maxLineWidth / widest, 1.0) : std::min(layout.maxLineWidth, 1.0);
}

void placeContainer(GroupLayout& layout)
{
    const auto& style = layout.style;
    const double W = layout.width, u = layout.unit;
    const QRectF q = layout.textBox();
    double shift = 0;
    switch (*style.container) {
    case CaptionContainer::chatLeft: shift = 0.06 * W + 34 * u - q.left(); break;
    case CaptionContainer::chatRight: shift = 0.94 * W - 34 * u - q.right(); break;
    case CaptionContainer::notification: shift = (W - layout.cardWidth) / 2 + 30 * u + 84 * u + 24 * u - q.left(); break;
    }
    for (auto& w : layout.words) w.x += shift;
    const QRectF moved = q.translated(shift, 0);
    if (*style.container == CaptionContainer::notification) {
        const Font title = FontBook::font("system-bold", u * style.fontSize * 0.92, false);
        const double y = yMin(moved) - 27 * u;
        const double h = 22.5 * u + yMax(moved) + 6 * u + title.ascent() + title.descent() - y;
        layout.container = QRectF((W - layout.cardWidth) / 2, y, layout.cardWidth, h);
    } else {
        layout.container = moved.adjusted(-34 * u, -20 * u, 34 * u, 20 * u);
    }
}

}  // namespace

QRectF PlacedWord::bounds() const
{
    const QRectF r = rect();
    if (rotation == 0) return r;
    QTransform t;
    t.translate(r.center().x(), r.center().y());
    t.rotateRadians(rotation);
    t.translate(-r.center().x(), -r.center().y());
    return t.mapRect(r);
}

QRectF GroupLayout::textBox() const
{
    QRectF box;
    for (const auto& w : words) box = box.isNull() ? w.rect() : box.united(w.rect());
    return box;
}

QRectF GroupLayout::unionOf(const std::vector<int>& indices) const
{
    QRectF box;
    for (int j : indices) box = box.isNull() ? words[j].rect() : box.united(words[j].rect());
    return box;
}

void WordMeasurer::measure(PlacedWord& placed, bool emphasized, double scale) const
{
    const auto& s = style_;
    const TimedWord& word = placed.word;
    const bool emphasisFont = emphasized && s.emphasisFont.has_value();
    const std::string& name = emphasisFont ? *s.emphasisFont : s.font;
    const double lookScale = word.look ? word.look->scale : 1.0;
    const double size = s.fontSize * unit_ * scale * (emphasized ? s.emphasisScale : 1.0) * lookScale;
    std::string textToDraw = s.uppercase && !emphasisFont ? text::uppercased(word.text) : word.text;
    if (emphasized && s.emphasisUppercase) textToDraw = *s.emphasisUppercase ? text::uppercased(word.text) : word.text;
    placed.line = TextLine(textToDraw, FontBook::font(name, size, s.italic && !emphasisFont),
                           s.letterSpacing * unit_ * scale);
    placed.width = placed.line.width();
    placed.ascent = placed.line.ascent();
    placed.descent = placed.line.descent();
    placed.emphasized = emphasized;
}

GroupLayout layOutGroup(const CaptionGroup& group, const CaptionStyle& style, QSizeF size)
{
    GroupLayout layout;
    layout.style = style;
    layout.width = size.width();
    layout.height = size.height();
    layout.unit = std::min(layout.width, layout.height) / 1080.0;
    if (group.words.empty()) return layout;
    const double u = layout.unit;
    const WordMeasurer measurer(layout.style, u);

    const auto hero = automaticHero(group, style);
    for (std::size_t i = 0; i < group.words.size(); ++i) {
        PlacedWord placed;
        placed.word = group.words[i];
        placed.activeUntil = i + 1 < group.words.size() ? group.words[i + 1].start : group.end;
        measurer.measure(placed, group.words[i].emphasized || hero == i, 1);
        layout.words.push_back(std::move(placed));
    }
    for (auto& w : layout.words) measurer.ransomize(w, 1);

    layout.maxLineWidth = maxLineWidth(style, layout.width, layout.height, u, layout.cardWidth);
    const double k = style.ransom.value_or(false) ? 0.6 : 0.27;
    layout.gap = k * style.fontSize * u + style.letterSpacing * u;
    layout.lines = breakLines(layout);
    const auto scales = applyLineScales(layout, measurer);

    if (style.freeform && !style.container && layout.words.size() >= 2) arrangeFreeform(layout, measurer);
    else placeLines(layout, scales);
    if (style.container) placeContainer(layout);
    return layout;
}

GroupMotion groupMotion(const CaptionGroup& group, const CaptionStyle& style, double time, double opacity, double unit)
{
    GroupMotion m;
    const ExitAnimation exit = style.exitAnimation.value_or(ExitAnimation::cut);
    const double remaining = group.end - time;
    m.exitProgress = remaining >= 0 ? 1 - std::min(remaining / duration(exit), 1.0) : 1;
    const double p = m.exitProgress;
    m.alpha = (1 - p) * opacity;
    if (exit == ExitAnimation::shrink) m.scale = 1 - 0.4 * p * p;
    if (exit == ExitAnimation::drop) m.dy = -90 * unit * p * p;

    const double e = std::max(time - group.start, 0.0);
    switch (style.animation) {
    case EntranceAnimation::pop: {
        const double b = std::min(e / 0.18, 1.0) - 1;
        m.scale *= 0.72 + 0.28 * backOut(b);
        m.alpha *= std::min(e / 0.06, 1.0);
        break;
    }
    case EntranceAnimation::fade: m.alpha *= std::min(e / 0.2, 1.0); break;
    case EntranceAnimation::slideUp: {
        const double k = cubicOut(std::min(4 * e, 1.0));
        m.alpha *= k;
        m.dy -= 60 * unit * (1 - k);
        break;
    }
    case EntranceAnimation::slideDown: {
        const double c = std::pow(1 - std::min(e / 0.3, 1.0), 3);
        m.alpha *= std::min(1.5 * (1 - c), 1.0);
        m.dy += 140 * unit * c;
        break;
    }
    default: break;  // none, and the per-word kinds
    }
    return m;
}

QTransform groupTransform(const GroupLayout& layout, const GroupMotion& motion)
{
    const double s = layout.fit * motion.scale;
    QTransform t;
    t.translate(layout.width / 2, layout.centerY + motion.dy);
    t.rotate(-layout.style.rotation);
    t.scale(s, s);
    t.translate(-layout.width / 2, -layout.centerY);
    return t;
}

}  // namespace vt::caption
