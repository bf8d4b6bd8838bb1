// The sixteen page layouts of the editorial look. Positions are pixels, y up;
// every bare number is a multiple of the big word's cap height.
#include "video/effects/EditorialMatchCut.h"

#include "captions/FontBook.h"

#include <QPainter>

#include <cmath>

namespace vt::EditorialMatchCut {

namespace {

enum class Align { left, right, centre };

QColor at85(QColor c)
{
    c.setAlphaF(0.85f);
    return c;
}

std::string joined(const std::vector<std::string>& words, std::size_t from = 0, std::size_t to = std::string::npos)
{
    std::string out;
    for (std::size_t i = from; i < std::min(to, words.size()); ++i) out += (out.empty() ? "" : " ") + words[i];
    return out;
}

std::string upper(const std::string& s) { return QString::fromStdString(s).toUpper().toStdString(); }
std::string lower(const std::string& s) { return QString::fromStdString(s).toLower().toStdString(); }
std::string capitalised(const std::string& s)
{
    QString out = QString::fromStdString(s).toLower();
    bool start = true;
    for (QChar& ch : out) {
        if (ch.isSpace()) start = true;
        else if (start) ch = ch.toUpper(), start = false;
    }
    return out.toStdString();
}

// One line of text cap-fitted to `size` cap, its baseline at `anchor`;
// gives its width (0 when empty, and nothing is drawn).
double text(Ed& e, const std::string& s, const char* font, double size, const QColor& colour, QPointF anchor,
            Align align, double angle = 0, QPointF from = {})
{
    if (s.empty()) return 0;
    const TextLine line(s, MatchCutRenderer::capFitted(font, size * e.cap));
    const double dx = align == Align::left ? 0 : align == Align::right ? -line.width() : -line.width() / 2;
    e.painter->save();
    e.painter->translate(anchor);
    e.painter->rotate(angle * 180 / M_PI);
    e.painter->fillPath(line.outlineAt(from.isNull() ? QPointF(dx, 0) : from), colour);
    e.painter->restore();
    return line.width();
}

// A paragraph set into `rect` (y-up, in pixels) at `points`, lines a quarter
// of the point size apart, cut off where it does not fit; skipped when the
// box is 10 pixels or less either way. Justified lines fill the width, all
// but the paragraph's last.
void bodyBox(Ed& e, const std::string& s, const char* font, double points, const QColor& colour, QRectF rect,
             Qt::Alignment align = Qt::AlignLeft)
{
    if (!(rect.width() > 10 && rect.height() > 10)) return;
    const Font f = FontBook::font(font, points, false);
    const double space = TextLine(" ", f).width(), step = f.ascent() + f.descent() + points / 4;
    QPainterPath text;
    double baseline = rect.top() + rect.height() - f.ascent();
    std::vector<TextLine> line;
    double width = 0;
    auto flush = [&](bool last) {
        double x = align == Qt::AlignHCenter ? rect.center().x() - width / 2 : rect.left(), gap = space;
        if (align == Qt::AlignJustify && !last && line.size() > 1) {
            double inked = 0;
            for (const TextLine& word : line) inked += word.width();
            gap = (rect.width() - inked) / static_cast<double>(line.size() - 1);
        }
        for (const TextLine& word : line) {
            text.addPath(word.outlineAt({x, baseline}));
            x += word.width() + gap;
        }
        baseline -= step;
        line.clear();
        width = 0;
    };
    const auto words = Ed::words(s, 1 << 20);
    std::size_t placed = 0;
    for (; placed < words.size(); ++placed) {
        if (baseline + f.ascent() < rect.top()) break;
        TextLine word(words[placed], f);
        if (!line.empty() && width + space + word.width() > rect.width()) flush(false);
        if (baseline - f.descent() < rect.top() - step) break;
        width += (line.empty() ? 0 : space) + word.width();
        line.push_back(std::move(word));
    }
    if (!line.empty()) flush(placed == words.size());
    e.painter->save();
    e.painter->setClipRect(rect);
    e.painter->fillPath(text, colour);
    e.painter->restore();
}

// The geometry every layout is placed by.
struct Frame {
    double L, R, B, T, cx, cy, Wb, w, cap;
    explicit Frame(const Ed& e)
        : L(e.stripe.left()), R(e.stripe.right()), B(e.stripe.top()), T(e.stripe.bottom()), cx(e.c.x()), cy(e.c.y()),
          Wb(e.c.y() - 0.5 * e.cap), w(e.size.width()), cap(e.cap)
    {
    }
    QPointF at(double x, double dx, double y, double dy) const { return {x + dx * cap, y + dy * cap}; }
    QRectF box(double x, double dx, double y, double dy, double width, double height) const
    {
        return {x + dx * cap, y + dy * cap, width * cap, height * cap};
    }
};

void runIn(Ed& e)
{
    const Frame f(e);
    const auto s = Ed::words(e.H(0), 6);
    const std::string last = s.empty() ? "More" : s.back();
    const std::size_t h = s.empty() ? 0 : s.size() - 1;
    const std::size_t half = h > 1 ? h / 2 : 1;
    const double width = text(e, last, "Georgia", 1.0, ink, f.at(f.L, -0.22, f.Wb, 0), Align::right);
    const double xw = f.L - 0.22 * f.cap - width;
    text(e, joined(s, 0, std::min(h, half)), "Georgia", 1.0, ink, {xw, f.Wb + 3 * f.cap}, Align::left);
    text(e, joined(s, std::min(h, half), h), "Georgia", 1.0, ink, {xw, f.Wb + 1.5 * f.cap}, Align::left);
    bodyBox(e, e.body, "Georgia", 0.36 * f.cap, at85(light), QRectF(xw, f.B - 3.6 * f.cap, 0.86 * f.w, 2.8 * f.cap));
}

void keywordStack(Ed& e)
{
    const Frame f(e);
    text(e, e.K(0), "Anton", 2.4, ink, f.at(f.cx, -4.2, f.T, 0.55), Align::left);
    for (int i = 0; i < 3; ++i)
        text(e, e.K(1 + i), "ArchivoBlack", 0.42, ink, f.at(f.L, -0.25, f.Wb, 0.9 - 0.62 * i), Align::right);
    bodyBox(e, upper(e.body), "AvenirNext-Bold", 0.26 * f.cap, at85(grey), f.box(f.cx, 1.4, f.B, -2.6, 3.4, 2.1));
}

void textWall(Ed& e)
{
    const Frame f(e);
    const auto words = Ed::words(e.body, 400);
    const std::size_t n = std::max<std::size_t>(words.size(), 1);
    std::size_t p = 0;
    auto row = [&](std::size_t m) {
        const std::size_t from = p % n;
        p += m;
        return joined(words, from, from + m);
    };
    const char* font = "Superclarendon-Black";
    text(e, row(3), font, 0.8, ink, f.at(f.L, -0.22, f.Wb, 0), Align::right);
    text(e, row(4), font, 0.8, ink, f.at(f.R, 0.22, f.Wb, 0), Align::left);
    for (double y = f.Wb + 1.65 * f.cap; y < e.size.height() + f.cap; y += 1.65 * f.cap)
        text(e, row(8), font, 0.8, at85(ink), {-0.6 * f.cap, y}, Align::left);
    for (double y = f.Wb - 1.65 * f.cap; y > -2 * f.cap; y -= 1.65 * f.cap)
        text(e, row(8), font, 0.8, at85(ink), {-0.6 * f.cap, y}, Align::left);
}

void constellation(Ed& e)
{
    const Frame f(e);
    text(e, e.K(0), "AvenirNext-Heavy", 1.4, ink, f.at(f.L, -1.6, f.T, 0.75), Align::left);
    text(e, lower(e.K(1)) + "?", "SnellRoundhand-Black", 0.85, grey, f.at(f.R, 0.3, f.T, 0.4), Align::left, 0.12);
    for (int i = 0; i < 3; ++i)
        text(e, e.K(2 + i), "DINCondensed-Bold", 0.55, ink, f.at(f.L, -0.9, f.B, -0.8 - 0.78 * i), Align::left);
    text(e, e.K(5), "AvenirNext-Heavy", 1.25, ink, f.at(f.cx, 0.2, f.B, -1.9), Align::left);
}

void centredStack(Ed& e)
{
    const Frame f(e);
    text(e, capitalised(joined(Ed::words(e.H(1), 3))), "AvenirNext-Heavy", 0.62, ink, f.at(f.cx, 0, f.T, 1.65), Align::centre);
    text(e, capitalised(joined(Ed::words(e.H(2), 3))), "Georgia-Bold", 0.7, blue, f.at(f.cx, 0, f.T, 0.55), Align::centre);
    text(e, capitalised(e.K(1)), "GreatVibes", 1.25, ink, f.at(f.cx, -0.4, f.B, -1.25), Align::centre, -0.08);
    text(e, lower(joined(Ed::words(e.H(3), 3))), "AvenirNext-Heavy", 0.62, ink, f.at(f.cx, 0, f.B, -2.35), Align::centre);
}

void serifCascade(Ed& e)
{
    const Frame f(e);
    const auto q = Ed::words(e.H(4), 4);
    text(e, q.empty() ? "From" : q[0], "Didot", 0.62, ink, f.at(f.L, 0, f.T, 2), Align::left);
    text(e, q.size() < 2 ? "Today" : q[1], "Didot-Italic", 0.62, blue, f.at(f.L, 0.5, f.T, 1.15), Align::left);
    text(e, joined(q, 2), "Didot-Italic", 0.62, ink, f.at(f.L, 1, f.T, 0.3), Align::left);
    bodyBox(e, e.body, "AvenirNext-Regular", 0.34 * f.cap, at85(grey),
            QRectF(f.L, f.B - 4.2 * f.cap, std::max(e.stripe.width(), 3.2 * f.cap), 3.9 * f.cap), Qt::AlignJustify);
}

void pullQuote(Ed& e)
{
    const Frame f(e);
    const auto q = Ed::words(e.H(5), 7);
    const std::size_t n = q.size(), half = n > 1 ? n / 2 : 1, a = std::min(n, half);
    const std::size_t b = n - a < 2 ? n : a + 2;
    text(e, "\u2018" + joined(q, 0, a), "AvenirNext-Heavy", 0.85, ink, f.at(f.L, -0.1, f.T, 1.5), Align::left);
    text(e, joined(q, a, b), "AvenirNext-Heavy", 0.85, ink, f.at(f.L, -0.1, f.T, 0.45), Align::left);
    const std::string rest = joined(q, b);
    text(e, (rest.empty() ? "of being" : rest) + "\u2019", "AvenirNext-Heavy", 0.85, ink, f.at(f.L, -0.1, f.B, -1.05),
         Align::left);
    text(e, "\u2014 Vellumtide", "Georgia-Italic", 0.28, light, f.at(f.L, 0, f.B, -1.75), Align::left);
}

void sideColumn(Ed& e)
{
    const Frame f(e);
    for (int i = 0; i < 3; ++i)
        text(e, e.K(2 * i), "Impact", 0.62, ink, f.at(f.R, 1.1, f.T, 2.25 - 0.82 * i), Align::right);
    bodyBox(e, e.body, "Georgia", 0.3 * f.cap, at85(light), f.box(f.L, -2.5, f.T, 0.9, 2.6, 1.6));
    text(e, e.K(5), "HelveticaNeue-CondensedBlack", 2.3, ink, f.at(f.cx, -0.4, f.B, -3), Align::centre);
}

void fourCorners(Ed& e)
{
    const Frame f(e);
    std::vector<std::string> s;
    for (const std::string& word : Ed::words(e.H(6), 4)) s.push_back(upper(word));
    for (const char* word : {"THE", "WAY", "MAKES", "EASY"}) s.emplace_back(word);
    text(e, s[0], "Didot", 1.05, ink, f.at(f.L, -0.3, f.T, 1.7), Align::left);
    text(e, s[1], "Didot", 1.05, ink, f.at(f.R, -0.2, f.T, 0.45), Align::right);
    text(e, s[2], "Didot", 1.05, ink, f.at(f.cx, 0, f.B, -1.15), Align::centre);
    text(e, s[3], "Didot", 1.05, ink, f.at(f.R, 0.4, f.B, -2.4), Align::right);
}

void verticalLabel(Ed& e)
{
    const Frame f(e);
    const TextLine label(e.K(1), MatchCutRenderer::capFitted("Futura-Bold", 1.5 * f.cap));
    text(e, e.K(1), "Futura-Bold", 1.5, ink, f.at(f.L, -1.7, f.cy, 0), Align::left, M_PI / 2,
         QPointF(-label.width() / 2, -0.75 * f.cap));
    text(e, joined(Ed::words(e.H(7), 2)), "Georgia", 0.75, ink, f.at(f.R, 0.22, f.Wb, 0), Align::left);
    text(e, joined(Ed::words(e.H(8), 6)), "Georgia", 0.75, ink, f.at(f.L, -0.6, f.T, 0.55), Align::left);
    bodyBox(e, e.body, "Georgia", 0.32 * f.cap, at85(grey), f.box(f.L, -0.6, f.B, -3.4, 4.4, 3));
}

void masthead(Ed& e)
{
    const Frame f(e);
    text(e, capitalised(joined(Ed::words(e.H(9), 4))), "Georgia", 0.3, grey, f.at(f.cx, 0, f.T, 3.05), Align::centre);
    const double rule = std::max(0.05 * f.cap, 1.0);
    e.painter->fillRect(QRectF(f.cx - 3.4 * f.cap, f.T + 2.75 * f.cap, 6.8 * f.cap, rule), ink);
    text(e, "THE", "Georgia-Bold", 0.8, blue, f.at(f.cx, 0, f.T, 1.55), Align::centre);
    text(e, "\u201C" + e.K(2) + "\u201D", "Didot-Bold", 0.95, ink, f.at(f.cx, 0, f.T, 0.4), Align::centre);
    text(e, capitalised(joined(Ed::words(e.H(10), 3))), "AvenirNext-Heavy", 0.65, ink, f.at(f.cx, 0, f.B, -1), Align::centre);
    e.painter->fillRect(QRectF(f.cx - 3.4 * f.cap, f.B - 1.35 * f.cap, 6.8 * f.cap, rule), ink);
    bodyBox(e, e.body, "Georgia", 0.24 * f.cap, at85(light), f.box(f.cx, -3, f.B, -2.3, 6, 0.8), Qt::AlignHCenter);
}

void ampersand(Ed& e)
{
    const Frame f(e);
    text(e, capitalised(e.K(3)), "Didot", 1.9, ink, f.at(f.L, -2.3, f.T, 0.35), Align::left);
    text(e, "&", "Didot-Bold", 2.0, ink, f.at(f.L, -2, f.B, -2.2), Align::left);
    text(e, joined(Ed::words(e.H(11), 3)), "Georgia", 0.36, grey, f.at(f.R, -0.2, f.T, 1.3), Align::left);
    text(e, joined(Ed::words(e.H(12), 4)), "Georgia-Italic", 0.36, grey, f.at(f.R, -0.2, f.T, 0.75), Align::left);
    text(e, joined(Ed::words(e.H(13), 3)), "Georgia", 0.36, grey, f.at(f.L, 0.6, f.B, -0.8), Align::left);
}

void scriptPhrase(Ed& e)
{
    const Frame f(e);
    const auto s = Ed::words(e.H(14), 5);
    text(e, s.empty() ? "I" : s[0], "Didot", 0.95, ink, f.at(f.cx, -0.9, f.T, 1.65), Align::right);
    text(e, s.size() < 2 ? "believe" : s[1], "SnellRoundhand-Black", 0.95, ink, f.at(f.cx, -0.6, f.T, 1.65), Align::left);
    text(e, joined(s, 2), "Didot", 0.95, ink, f.at(f.cx, 0, f.T, 0.45), Align::centre);
    text(e, "We", "SnellRoundhand-Black", 0.95, ink, f.at(f.cx, -1.6, f.B, -1.15), Align::right);
    text(e, lower(e.K(4)), "Didot", 0.95, ink, f.at(f.cx, -1.3, f.B, -1.15), Align::left);
}

void circledWord(Ed& e)
{
    const Frame f(e);
    const auto r = Ed::words(e.H(15), 6);
    const std::size_t a = std::min<std::size_t>(r.size(), 3);
    const std::vector<std::string> rest(r.begin() + static_cast<std::ptrdiff_t>(a), r.end());
    const char* font = "BodoniSvtyTwoITCTT-Bold";
    text(e, joined(r, 0, a), font, 0.95, ink, f.at(f.R, 0.2, f.T, 1.75), Align::right);
    const std::string circled = rest.empty() ? lower(e.K(1)) : rest[0];
    const QPointF anchor = f.at(f.L, -0.3, f.T, 0.45);
    const double width = text(e, circled, font, 0.95, ink, anchor, Align::right);
    e.circle(QRectF(anchor.x() - width, anchor.y(), width, 0.95 * f.cap));
    text(e, joined(rest, 1), font, 0.95, ink, f.at(f.L, 0.1, f.T, 0.45), Align::left);
    text(e, joined(Ed::words(e.H(16), 5)), "Didot-Italic", 0.4, grey, f.at(f.L, 0, f.B, -0.85), Align::left);
    text(e, joined(Ed::words(e.H(17), 5)), "Didot-Italic", 0.4, grey, f.at(f.L, 0, f.B, -1.55), Align::left);
}

void splitKeyword(Ed& e)
{
    const Frame f(e);
    const QString v = QString::fromStdString(e.K(2));
    const qsizetype split = std::max<qsizetype>(1, v.size() / 2);
    const char* font = "HelveticaNeue-CondensedBlack";
    text(e, v.left(split).toStdString(), font, 1.8, ink, f.at(f.L, 0.6, f.T, 0.45), Align::right);
    text(e, v.mid(split).toStdString(), font, 1.8, ink, f.at(f.L, 0.4, f.B, -2.2), Align::left);
    text(e, e.K(3), "ArchivoBlack", 0.45, ink, f.at(f.L, -0.3, f.B, -1), Align::right);
    bodyBox(e, e.body, "Georgia", 0.28 * f.cap, at85(grey), f.box(f.R, -0.4, f.T, 0.6, 2.6, 1.7));
}

void itWasThe(Ed& e)
{
    const Frame f(e);
    text(e, "IT WAS", "Didot", 0.32, grey, f.at(f.cx, -0.9, f.T, 1.75), Align::right);
    text(e, "the", "Didot", 1.3, ink, f.at(f.cx, -0.75, f.T, 1.75), Align::left);
    text(e, lower(e.K(1)), "Didot", 1.3, ink, f.at(f.cx, 0, f.T, 0.42), Align::centre);
    text(e, QString::fromStdString(e.K(4)).left(2).toStdString(), "Didot-Bold", 2.6, ink, f.at(f.w, 0.2, f.B, -3.1),
         Align::right);
    bodyBox(e, e.body, "Georgia", 0.27 * f.cap, at85(light), f.box(f.L, -1.2, f.B, -2.4, 3, 1.9));
}

}  // namespace

const std::array<std::function<void(Ed&)>, 16>& templates()
{
    static const std::array<std::function<void(Ed&)>, 16> all{
        runIn,         keywordStack, textWall,    constellation, centredStack, serifCascade,
        pullQuote,     sideColumn,   fourCorners, verticalLabel, masthead,     ampersand,
        scriptPhrase,  circledWord,  splitKeyword, itWasThe};
    return all;
}

}  // namespace vt::EditorialMatchCut
