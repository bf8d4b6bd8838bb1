#include "video/effects/EditorialMatchCut.h"

#include "captions/CaptionRenderer.h"
#include "video/Kernels.h"

#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace vt::EditorialMatchCut {

const std::array<std::string, 12> genericKeywords{"TOGETHER", "FOREVER", "MODERN", "UNIQUE", "INSPIRED", "NOTICE",
                                                  "CREATE",   "SIMPLE",  "BOLD",   "FUTURE", "TRENDING", "STORY"};
const std::array<std::string, 12> genericLines{
    "Designed to help you do more", "We are with you",         "Made for the way you work",
    "Small ideas make big moves",   "From today to the next",  "This is how it starts",
    "Simple things done well",      "Built to be remembered",  "The way it should feel",
    "Your story looks good",        "Show your best side",     "Nothing lasts forever"};
const std::string defaultBody =
    "Every story starts with one small idea. You write it down, you try it, you share it with the people who care. "
    "Some days it works and some days it does not, but the habit stays and the work gets better. Keep it simple, "
    "keep it honest, and keep going until it feels like yours.";

namespace {

std::int64_t cyclic(std::int64_t k, std::size_t count)
{
    const auto n = static_cast<std::int64_t>(count);
    return ((k % n) + n) % n;
}

}  // namespace

std::vector<std::string> keywordPool(const MatchCut& cut)
{
    std::vector<std::string> pool;
    for (const std::string& k : cut.keywords.value_or(std::vector<std::string>{})) {
        const QString upper = QString::fromStdString(k).toUpper();
        if (upper.size() >= 2) pool.push_back(upper.toStdString());
    }
    const std::vector<std::string> own = pool;
    for (const std::string& g : genericKeywords)
        if (std::find(own.begin(), own.end(), g) == own.end()) pool.push_back(g);
    return pool;
}

std::vector<std::string> headlinePool(const MatchCut& cut)
{
    std::vector<std::string> pool = cut.lines.value_or(std::vector<std::string>{});
    pool.insert(pool.end(), genericLines.begin(), genericLines.end());
    return pool;
}

std::string bodyText(const MatchCut& cut)
{
    if (!cut.lines || cut.lines->size() < 3) return defaultBody;
    std::string body;
    for (const std::string& line : *cut.lines) body += line + ". ";
    return body + defaultBody;
}

int templateIndex(std::int64_t index, std::int64_t seed)
{
    return static_cast<int>(cyclic(5 * index + 3 * std::max<std::int64_t>(seed, 0), 16));
}

const std::string& Ed::K(std::int64_t n) const { return keywords[static_cast<std::size_t>(cyclic(shift + n, keywords.size()))]; }
const std::string& Ed::H(std::int64_t n) const { return lines[static_cast<std::size_t>(cyclic(shift + n, lines.size()))]; }

std::vector<std::string> Ed::words(const std::string& text, std::int64_t count)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    while (static_cast<std::int64_t>(out.size()) < count && start <= text.size()) {
        const std::size_t end = std::min(text.find(' ', start), text.size());
        if (end > start) out.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

void Ed::paper()
{
    const double w = size.width(), h = size.height();
    QRadialGradient gradient(c, 0.75 * std::max(w, h));
    gradient.setColorAt(0, QColor::fromRgbF(0.97f, 0.965f, 0.955f));
    gradient.setColorAt(1, QColor::fromRgbF(0.90f, 0.895f, 0.885f));
    gradient.setSpread(QGradient::PadSpread);
    painter->fillRect(QRectF(0, 0, w, h), gradient);
    const std::uint64_t W = static_cast<std::uint64_t>(std::max(w, 1.0)), H = static_cast<std::uint64_t>(std::max(h, 1.0));
    const QColor white(255, 255, 255, 89), black(0, 0, 0, 9);
    for (int i = 0; i < 5000; ++i) {
        const double x = static_cast<double>(rng.next() % W), y = static_cast<double>(rng.next() % H);
        painter->fillRect(QRectF(x, y, 1.4, 1.4), i % 3 == 0 ? white : black);
    }
    QPainterPath hairs;
    for (int i = 0; i < 60; ++i) {
        const double x = static_cast<double>(rng.next() % W), y = static_cast<double>(rng.next() % H);
        const double dx = static_cast<double>(rng.next() % 60), dy = static_cast<double>(rng.next() & 15);
        hairs.moveTo(x, y);
        hairs.lineTo(x + dx - 30, y + dy - 8);
    }
    painter->strokePath(hairs, QPen(QColor(0, 0, 0, 6), 1));
}

void Ed::circle(const QRectF& rect)
{
    if (!(rect.width() > 0)) return;
    painter->save();
    painter->translate(rect.center().x(), rect.center().y() + 0.1 * cap);
    painter->rotate(-0.06 * 180 / M_PI);
    QPainterPath ring;
    ring.addEllipse(QRectF(-rect.width() / 2 - 0.35 * cap, -0.75 * cap, rect.width() + 0.7 * cap, 1.5 * cap));
    painter->strokePath(ring, QPen(ink, std::max(0.045 * cap, 1.5)));
    painter->restore();
}

QImage finish(const QImage& image, QPointF center)
{
    const double w = image.width(), h = image.height(), m = std::min(w, h), M = std::max(w, h);
    const double r0 = 0.22 * m, r1 = 0.6 * M;
    QImage mask(image.size(), QImage::Format_Grayscale8);
    for (int row = 0; row < image.height(); ++row) {
        std::uint8_t* out = mask.scanLine(row);
        for (int x = 0; x < image.width(); ++x) {
            const double d = std::hypot(x + 0.5 - center.x(), h - row - 0.5 - center.y());
            out[x] = static_cast<std::uint8_t>(std::lround(std::clamp((d - r0) / std::max(r1 - r0, 1e-6), 0.0, 1.0) * 255));
        }
    }
    const QImage blurred = Kernels::gaussianBlur(image, 9 * m / 1080, Kernels::Edges::clamp);
    QImage out = Kernels::blendWithMask(blurred, image, mask);
    Kernels::vignette(out, center, 0.62 * M, 0.7, 0.6);
    return out;
}

std::optional<QImage> frame(const MatchCut& cut, std::int64_t index, const std::string& font,
                            const MatchCutRenderer::Layout& layout, QSize size, SeededRandom& rng)
{
    auto context = CaptionRenderer::makeContext(QSizeF(size));
    if (!context) return std::nullopt;
    const double cap = layout.capHeight;
    const QRectF box = layout.box(font);
    Ed ed;
    ed.painter = &context->painter();
    ed.size = QSizeF(size);
    ed.cap = cap;
    ed.c = layout.center;
    ed.stripe = QRectF(box.left() - 0.3 * cap, box.top() - 0.42 * cap, box.width() + 0.6 * cap, 1.72 * cap);
    ed.keywords = keywordPool(cut);
    ed.lines = headlinePool(cut);
    ed.body = bodyText(cut);
    const std::int64_t seed = std::max<std::int64_t>(cut.seed, 0);
    ed.shift = 3 * index + 7 * seed;
    ed.rng = rng;
    QPainter& painter = context->painter();
    painter.setRenderHint(QPainter::Antialiasing);
    ed.paper();
    templates()[static_cast<std::size_t>(templateIndex(index, seed))](ed);
    rng = ed.rng;
    painter.fillRect(ed.stripe, highlighter);
    painter.fillPath(layout.path(font), ink);
    return finish(context->takeImage(), layout.center);
}

}  // namespace vt::EditorialMatchCut
