#include "video/effects/MatchCutLooks.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

namespace vt::MatchCutLooks {

namespace {

using Layout = MatchCutRenderer::Layout;

QColor hex(unsigned rgb, double alpha = 1)
{
    QColor c((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    c.setAlphaF(static_cast<float>(alpha));
    return c;
}

// What every recipe draws with.
struct Page {
    CaptionContext& context;
    QPainter& p;
    const Layout& layout;
    const std::string& font;
    std::int64_t i;
    SeededRandom& rng;
    double w, h, u;

    std::uint64_t next() { return rng.next(); }
    std::uint64_t W() const { return static_cast<std::uint64_t>(std::max(w, 1.0)); }
    std::uint64_t H() const { return static_cast<std::uint64_t>(std::max(h, 1.0)); }

    void fill(const QColor& color) { p.fillRect(QRectF(0, 0, w, h), color); }
    void vertical(const std::vector<QColor>& colors)
    {
        QLinearGradient g(0, h, 0, 0);
        for (std::size_t k = 0; k < colors.size(); ++k)
            g.setColorAt(colors.size() == 1 ? 0 : static_cast<double>(k) / static_cast<double>(colors.size() - 1), colors[k]);
        p.fillRect(QRectF(0, 0, w, h), g);
    }
    void specks(int count, const QColor& color)
    {
        for (int k = 0; k < count; ++k) {
            const double x = static_cast<double>(next() % W()), y = static_cast<double>(next() % H());
            const double side = static_cast<double>(next() % 3 + 1);
            p.fillRect(QRectF(x, y, side, side), color);
        }
    }
    void fillWord(const QColor& color) { p.fillPath(layout.path(font), color); }
    void strokeWord(const QColor& color, double width, Qt::PenJoinStyle join = Qt::MiterJoin)
    {
        p.strokePath(layout.path(font), QPen(color, width, Qt::SolidLine, Qt::FlatCap, join));
    }
};

void typefaces(Page& g)
{
    static const std::array<std::pair<unsigned, unsigned>, 8> pairs{{{0xFFFFFF, 0x111111}, {0x111111, 0xFFFFFF},
                                                                     {0xF4EFE6, 0x1D1D1D}, {0xFF3B30, 0xFFFFFF},
                                                                     {0x1F3FFF, 0xFFFFFF}, {0xFFD60A, 0x111111},
                                                                     {0x0B0B0D, 0xFF9F0A}, {0xE9E1FF, 0x4B1FFF}}};
    const std::uint64_t k = g.next() % 3;
    const auto& [background, text] = pairs[(3 * static_cast<std::uint64_t>(g.i) + k) % 8];
    g.fill(hex(background));
    g.fillWord(hex(text));
}

void newspaper(Page& g)
{
    static const std::array<unsigned, 5> papers{0xF2EBDD, 0xEDE6D6, 0xF7D7C4, 0xE8E8E3, 0xF5F0E1};
    const double u = g.u;
    g.fill(hex(papers[g.next() % 5]));
    g.specks(2600, hex(0x000000, 0.06));
    const QRectF t = g.layout.box(g.font);
    const double iw = g.w - 120 * u, cw = (iw - 48 * u) / 3;
    if (40 * u < g.h - 40 * u) {
        for (int k = 0; k < 3; ++k) {
            const double x = 60 * u + k * (cw + 24 * u);
            for (double y = 40 * u; y < g.h - 40 * u; y += 17 * u) {
                if (!(y < t.top() - 60 * u || y > t.bottom() + 60 * u)) continue;
                const double length = cw * (0.7 + static_cast<double>(g.next() % 30) / 100);
                g.p.fillRect(QRectF(x, y, length, 7 * u), hex(0x3A3A3A, 0.28));
            }
        }
    }
    // QRectF's top() is its lowest y here (y-up), bottom() its highest.
    g.p.fillRect(QRectF(60 * u, t.bottom() + 40 * u, iw, 4 * u), hex(0x111111));
    g.p.fillRect(QRectF(60 * u, t.top() - 44 * u, iw, 2 * u), hex(0x111111));
    g.fillWord(hex(0x111111));
}

void neon(Page& g)
{
    static const std::array<std::pair<unsigned, unsigned>, 4> walls{
        {{0x0B0B1A, 0x1B1033}, {0x07141A, 0x0E2A33}, {0x120A0A, 0x2A1414}, {0x0A0A0A, 0x1E1E2A}}};
    static const std::array<unsigned, 7> tubes{0xFF2D95, 0x00E5FF, 0xFFE600, 0x39FF14, 0xFF3B30, 0xB14DFF, 0xFF9F0A};
    const double u = g.u;
    const auto& wall = walls[g.next() & 3];
    g.vertical({hex(wall.first), hex(wall.second)});
    const QPen brick(hex(0xFFFFFF, 0.035), 2 * u);
    if (g.h > 0) {
        for (int r = 0; 40 * u * r < g.h; ++r) {
            const double y = 40 * u * r;
            g.p.strokePath([&] { QPainterPath q; q.addRect(QRectF(-1, y, g.w + 2, 0.5)); return q; }(), brick);
            for (double x = r % 2 == 1 ? 60 * u : 0; x < g.w; x += 120 * u) {
                QPainterPath q;
                q.addRect(QRectF(x, y, 0.5, 40 * u));
                g.p.strokePath(q, brick);
            }
            if (u <= 0) break;
        }
    }
    const QColor tube = hex(tubes[g.next() % 7]);
    const QPainterPath word = g.layout.path(g.font);
    const QRectF bounds = word.boundingRect().adjusted(-160 * u, -160 * u, 160 * u, 160 * u);
    const QPen pen(tube, 10 * u, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
    for (const double blur : {46 * u, 18 * u})
        g.context.drawWithShadow({0, 0, blur, tube}, bounds, [&](QPainter& p) { p.strokePath(word, pen); });
    g.strokeWord(hex(0xFFFFFF, 0.9), 3 * u);
}

void sign(Page& g)
{
    static const std::array<std::pair<unsigned, unsigned>, 4> skies{
        {{0x8EC5FF, 0xDCEBFF}, {0xFFB38A, 0xFFE3C2}, {0x5B6B7F, 0xA9B4C2}, {0x2A3F6B, 0x7F9BC4}}};
    static const std::array<std::array<unsigned, 3>, 7> colours{{{0x0E7A3E, 0xFFFFFF, 0xFFFFFF},
                                                                 {0x1F4FBF, 0xFFFFFF, 0xFFFFFF},
                                                                 {0xFFC20E, 0x111111, 0x111111},
                                                                 {0xC8102E, 0xFFFFFF, 0xFFFFFF},
                                                                 {0x7A4B2A, 0xFFFFFF, 0xF4E3C9},
                                                                 {0xFFFFFF, 0x111111, 0x111111},
                                                                 {0xFF7A00, 0x111111, 0x111111}}};
    const double u = g.u;
    const auto& sky = skies[g.next() & 3];
    g.vertical({hex(sky.first), hex(sky.second)});
    g.p.fillRect(QRectF(0, 0, g.w, 0.28 * g.h), hex(0x3A3D42, 0.9));
    const auto& c = colours[(static_cast<std::uint64_t>(g.i) + g.next() % 3) % 7];
    const QRectF panel = g.layout.box(g.font).adjusted(-70 * u, -60 * u, 70 * u, 60 * u);
    g.p.fillRect(QRectF(g.w / 2 - 12 * u, 0, 24 * u, panel.top()), hex(0x9AA0A6));
    QPainterPath rounded;
    rounded.addRoundedRect(panel, 26 * u, 26 * u);
    g.context.drawWithShadow({0, -10 * u, 30 * u, hex(0x000000, 0.35)}, panel.adjusted(-120 * u, -120 * u, 120 * u, 120 * u),
                             [&](QPainter& p) { p.fillPath(rounded, hex(c[0])); });
    QPainterPath border;
    border.addRoundedRect(panel.adjusted(16 * u, 16 * u, -16 * u, -16 * u), 16 * u, 16 * u);
    g.p.strokePath(border, QPen(hex(c[2]), 8 * u));
    g.fillWord(hex(c[1]));
}

void note(Page& g)
{
    static const std::array<unsigned, 5> notes{0xFFF07A, 0xFF9EC7, 0x9FE7FF, 0xB8F28B, 0xFFC27A};
    static const std::array<unsigned, 4> inks{0xC8102E, 0x1F4FBF, 0x0E7A3E, 0x111111};
    const double u = g.u;
    const QRectF t = g.layout.box(g.font);
    const std::uint64_t v = (static_cast<std::uint64_t>(g.i) + g.next() % 5) % 5;
    QColor text;
    if (v <= 1) {
        g.fill(hex(0xD9C6A5));
        g.specks(1800, hex(0x000000, 0.05));
        const double side = std::max(t.width(), t.height()) + 220 * u;
        const double degrees = static_cast<double>(g.next() % 9) - 4;
        const QColor paper = hex(notes[g.next() % 5]);
        const QPointF c = g.layout.center;
        QPainterPath square;
        square.addRect(QRectF(-side / 2, -side / 2, side, side));
        QTransform turn;
        turn.translate(c.x(), c.y());
        turn.rotate(degrees);
        const QPainterPath placed = turn.map(square);
        g.context.drawWithShadow({0, -12 * u, 26 * u, hex(0x000000, 0.3)},
                                 placed.boundingRect().adjusted(-100 * u, -100 * u, 100 * u, 100 * u),
                                 [&](QPainter& p) { p.fillPath(placed, paper); });
        text = hex(0x1B1B1B);
    } else if (v == 2) {
        g.fill(hex(0x1F3A2E));
        g.specks(4000, hex(0xFFFFFF, 0.05));
        text = hex(0xF4F1E8);
    } else if (v == 3) {
        g.fill(hex(0xFBFAF6));
        for (double y = 30 * u; y < g.h && u > 0; y += 54 * u) g.p.fillRect(QRectF(0, y, g.w, 2 * u), hex(0x8FB3E0, 0.6));
        g.p.fillRect(QRectF(120 * u, 0, 3 * u, g.h), hex(0xE0475A, 0.7));
        text = hex(0x1F3FA8);
    } else {
        g.fill(hex(0xF3F5F6));
        g.p.fillRect(QRectF(0, 0.62 * g.h, g.w, 0.05 * g.h), hex(0x000000, 0.04));
        text = hex(inks[g.next() & 3]);
    }
    g.fillWord(text);
}

void retro(Page& g)
{
    static const std::array<std::array<unsigned, 3>, 5> sunsets{{{0x2B0B3F, 0xC2185B, 0xFF9800},
                                                                 {0x0D0221, 0x261447, 0xFF3864},
                                                                 {0x3D1C02, 0xC1440E, 0xF7B32B},
                                                                 {0x003049, 0xD62828, 0xF77F00},
                                                                 {0x10002B, 0x5A189A, 0xE0AAFF}}};
    const double u = g.u;
    const auto& s = sunsets[g.next() % 5];
    g.vertical({hex(s[0]), hex(s[1]), hex(s[2])});
    if (g.h > 0 && u > 0)
        for (double y = 0; y < g.h; y += 6 * u) g.p.fillRect(QRectF(0, y, g.w, 2 * u), hex(0x000000, 0.12));
    const QPainterPath word = g.layout.path(g.font);
    const QPen outline(hex(0x1A0A2A), 10 * u, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
    g.context.drawWithShadow({0, -8 * u, 0, hex(0x000000, 0.45)}, word.boundingRect().adjusted(-40 * u, -40 * u, 40 * u, 40 * u),
                             [&](QPainter& p) { p.strokePath(word, outline); });
    const QRectF t = g.layout.box(g.font);
    QLinearGradient chrome(0, t.bottom() + 4 * u, 0, t.top() - 4 * u);
    chrome.setColorAt(0, Qt::white);
    chrome.setColorAt(0.45, hex(0x9FD8FF));
    chrome.setColorAt(0.5, hex(0x2B4C7E));
    chrome.setColorAt(0.75, hex(0xFFE29A));
    chrome.setColorAt(1, Qt::white);
    g.p.fillPath(word, chrome);
}

}  // namespace

void draw(CaptionContext& context, MatchCut::Style style, const Layout& layout, const std::string& font,
          std::int64_t index, SeededRandom& rng, QSizeF size, double unit)
{
    QPainter& painter = context.painter();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    Page page{context, painter, layout, font, index, rng, size.width(), size.height(), unit};
    switch (style) {
    case MatchCut::Style::fonts: typefaces(page); break;
    case MatchCut::Style::newspaper: newspaper(page); break;
    case MatchCut::Style::neon: neon(page); break;
    case MatchCut::Style::signs: sign(page); break;
    case MatchCut::Style::notes: note(page); break;
    case MatchCut::Style::retro: retro(page); break;
    case MatchCut::Style::editorial: break;
    }
    painter.restore();
}

}  // namespace vt::MatchCutLooks
