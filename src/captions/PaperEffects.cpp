// Torn paper strips, ransom-note letters and die-cut sticker outlines.
#include "captions/CaptionDrawing.h"

#include "captions/CaptionHash.h"
#include "captions/FontBook.h"
#include "platform/TextRules.h"

#include <QPainterPath>
#include <QTextBoundaryFinder>

#include <array>
#include <cmath>

namespace vt::caption {
namespace {

constexpr std::array<const char*, 18> kRansomFonts{
    "Anton",          "ArchivoBlack",          "PlayfairDisplay-Black",     "Oswald-Bold",
    "LuckiestGuy",    "Fredoka-Bold",          "Didot-Bold",                "Impact",
    "Georgia-Bold",   "AmericanTypewriter-Bold", "Futura-CondensedExtraBold", "Copperplate-Bold",
    "Courier-Bold",   "BodoniSvtyTwoITCTT-Bold", "Superclarendon-Black",    "MarkerFelt-Wide",
    "PlayfairDisplay-BoldItalic", "GillSans-UltraBold",
};

struct PaperPair {
    RGBA paper;
    RGBA ink;
};

const std::array<PaperPair, 10>& ransomPapers()
{
    static const std::array<PaperPair, 10> papers = [] {
        constexpr std::array<std::pair<const char*, const char*>, 10> hex{{
            {"F4F1EA", "111111"}, {"111111", "F4F1EA"}, {"D7263D", "FFFFFF"}, {"FFD23F", "111111"},
            {"1B4DD7", "FFFFFF"}, {"F7A1C4", "111111"}, {"E8E2D0", "C1121F"}, {"FFFFFF", "1B4DD7"},
            {"2E8B57", "FFFFFF"}, {"111111", "FFD23F"},
        }};
        std::array<PaperPair, 10> out{};
        for (std::size_t i = 0; i < hex.size(); ++i) out[i] = {RGBA::fromHex(hex[i].first), RGBA::fromHex(hex[i].second)};
        return out;
    }();
    return papers;
}

std::vector<std::string> graphemes(const std::string& text)
{
    const QString s = QString::fromStdString(text);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, s);
    std::vector<std::string> out;
    qsizetype start = 0;
    for (qsizetype next = finder.toNextBoundary(); next != -1; next = finder.toNextBoundary()) {
        if (next > start) out.push_back(s.mid(start, next - start).toStdString());
        start = next;
    }
    return out;
}

}  // namespace

std::int64_t ransomSeed(const TimedWord& word)
{
    return static_cast<std::int64_t>(text::characterCount(word.text)) + wholePart(word.start * 1000) * 31;
}

std::vector<RansomGlyph> ransomGlyphs(const std::string& text, double size, bool uppercase, std::int64_t seed,
                                      std::int64_t tick)
{
    std::vector<RansomGlyph> glyphs;
    const std::int64_t b = seed + 7919 * tick;
    double x = 0;
    std::int64_t i = 0;
    for (const std::string& character : graphemes(text)) {
        auto R = [&](std::int64_t k) { return seededUnit(13 * i + k, b); };
        const bool upper = uppercase || R(5) < 0.5;
        const std::string shown = upper ? text::uppercased(character) : text::lowercased(character);
        const char* fontName = kRansomFonts[static_cast<std::size_t>(wholePart(R(1) * 18)) % kRansomFonts.size()];
        const PaperPair& colours = ransomPapers()[static_cast<std::size_t>(wholePart(R(3) * 10)) % 10];
        RansomGlyph g;
        g.line = TextLine(shown, FontBook::font(fontName, (0.84 + 0.32 * R(2)) * size, false));
        g.width = g.line.width();
        g.ascent = g.line.ascent();
        g.descent = g.line.descent();
        g.x = x;
        g.cell = g.width + 0.18 * size;
        g.paper = colours.paper;
        g.ink = colours.ink;
        g.angle = (R(4) - 0.5) * 0.34;
        g.lift = (R(6) - 0.5) * 0.12 * size;
        x += g.cell + 0.03 * size;
        glyphs.push_back(std::move(g));
        ++i;
    }
    return glyphs;
}

void WordMeasurer::ransomize(PlacedWord& placed, double scale) const
{
    if (!style_.ransom.value_or(false)) return;
    const double lookScale = placed.word.look ? placed.word.look->scale : 1.0;
    const double s = lookScale * (placed.emphasized ? style_.emphasisScale : 1.0) * style_.fontSize * unit_ * scale;
    auto glyphs = ransomGlyphs(placed.word.text, s, style_.uppercase, ransomSeed(placed.word), 0);
    double ascent = 0, descent = 0;
    for (const auto& g : glyphs) ascent = std::max(ascent, g.ascent), descent = std::max(descent, g.descent);
    placed.width = glyphs.empty() ? 0 : glyphs.back().x + glyphs.back().cell;
    placed.ascent = ascent + 0.08 * s;
    placed.descent = descent + 0.08 * s;
    placed.glyphs = std::move(glyphs);
}

void drawRansom(CaptionContext& context, const PlacedWord& placed, const CaptionStyle& style, double time)
{
    const auto& g = *placed.glyphs;
    if (g.empty()) return;
    double ascent = 0, descent = 0;
    for (const auto& glyph : g) ascent = std::max(ascent, glyph.ascent), descent = std::max(descent, glyph.descent);
    const double hL = ascent + descent;
    std::vector<RansomGlyph> live;
    if (style.ransomLive.value_or(false))
        live = ransomGlyphs(placed.word.text, 0.8 * hL, style.uppercase, ransomSeed(placed.word),
                            std::max<std::int64_t>(wholePart(time / 0.16), 0));
    const auto& c = style.ransomLive.value_or(false) ? live : g;
    QPainter& p = context.painter();
    for (std::size_t i = 0; i < g.size() && i < c.size(); ++i) {
        const double d = (time - placed.word.start - 0.035 * static_cast<double>(i)) / 0.12;
        if (d <= 0) continue;  // letters pop in one after another
        const double k = 0.4 + 0.6 * backOut(std::min(d, 1.0) - 1);
        p.save();
        p.translate(placed.x + g[i].x + g[i].cell / 2, placed.baseline + c[i].lift + (c[i].ascent - c[i].descent) / 2);
        p.rotate(c[i].angle * 180 / M_PI);
        const double fitCell = c[i].cell < 1 ? std::min(g[i].cell, 1.0) : std::min(g[i].cell / c[i].cell, 1.0);
        p.scale(k * fitCell, k * fitCell);
        const double pad = (g[i].cell - g[i].width) / 2;
        const double h = c[i].ascent + c[i].descent;
        const QRectF paper(-c[i].cell / 2, -h / 2 - 0.8 * pad, c[i].cell, h + 1.6 * pad);
        const ShadowStyle shadow{0.02 * hL, -0.03 * hL, 0.05 * hL, QColor(0, 0, 0, 102)};
        QPainterPath scrap;
        scrap.addRect(paper);
        context.drawWithShadow(shadow, paper, [&](QPainter& q) { fillPathBlended(q, scrap, toQColor(c[i].paper)); });
        const RGBA ink = placed.word.look && placed.word.look->color ? *placed.word.look->color : c[i].ink;
        c[i].line.fill(p, QPointF(-c[i].width / 2, -(c[i].ascent - c[i].descent) / 2), toQColor(ink));
        p.restore();
    }
}

void drawTornStrip(CaptionContext& context, const QRectF& strip, const QColor& colour, double tilt, std::int64_t seed,
                   double unit)
{
    const double step = 16 * unit, a = 7 * unit;
    if (!(step > 0)) return;
    const double left = strip.left(), right = strip.right(), bottom = yMin(strip), top = yMax(strip);
    QPolygonF outline;
    std::int64_t k = 1;
    auto jitter = [&] { return 2 * seededUnit(k++, seed) - 1; };
    for (double x = left; x < right; x += step) outline << QPointF(x, top + a * jitter());
    for (double y = top; y > bottom; y -= step) outline << QPointF(right + 0.6 * a * jitter(), y);
    for (double x = right; x > left; x -= step) outline << QPointF(x, bottom + a * jitter());
    for (double y = bottom; y < top; y += step) outline << QPointF(left + 0.6 * a * jitter(), y);
    QPainterPath path;
    path.addPolygon(outline);
    path.closeSubpath();

    QPainter& p = context.painter();
    p.save();
    p.translate(strip.center());
    p.rotate(tilt * 180 / M_PI);
    p.translate(-strip.center());
    const ShadowStyle shadow{0, -8 * unit, 22 * unit, QColor(0, 0, 0, 82)};
    context.drawWithShadow(shadow, path.boundingRect(), [&](QPainter& q) { fillPathBlended(q, path, colour); });
    p.restore();
}

}  // namespace vt::caption
