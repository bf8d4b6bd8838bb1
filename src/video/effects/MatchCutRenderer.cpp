#include "video/effects/MatchCutRenderer.h"

#include "captions/CaptionRenderer.h"
#include "captions/FontBook.h"
#include "video/effects/EditorialMatchCut.h"
#include "video/effects/MatchCutLooks.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <deque>
#include <mutex>
#include <thread>
#include <unordered_map>

namespace vt {

std::int64_t hashStable(std::string_view text)
{
    std::uint64_t h = 0xCBF29CE484222325ULL;
    for (const char c : text) {
        h ^= static_cast<unsigned char>(c);
        h *= 0x100000001B3ULL;
    }
    return static_cast<std::int64_t>(h & 0x7FFFFFFF);
}

namespace MatchCutRenderer {

namespace {

std::string styleName(MatchCut::Style style)
{
    for (const auto& [s, name] : enumCases(style))
        if (s == style) return std::string(name);
    return {};
}

std::string cased(const std::string& text, int mode)  // 1 upper, 2 capitalized, 3 lower
{
    const QString s = QString::fromStdString(text);
    if (mode == 1) return s.toUpper().toStdString();
    if (mode == 3) return s.toLower().toStdString();
    QString out = s.toLower();
    bool start = true;
    for (QChar& ch : out) {
        if (ch.isSpace()) {
            start = true;
        } else if (start) {
            ch = ch.toUpper();
            start = false;
        }
    }
    return out.toStdString();
}

std::string trimmed(const std::string& text) { return QString::fromStdString(text).trimmed().toStdString(); }

// The domain the renderer stays safe in: at most a million frames (an absurd
// card does not make ticks or warm-up run for ever), a seed of 0 or more.
std::int64_t frameCountOf(const MatchCut& cut) { return std::min<std::int64_t>(cut.frameCount(), 1'000'000); }

std::uint64_t safeSeed(const MatchCut& cut) { return static_cast<std::uint64_t>(std::max<std::int64_t>(cut.seed, 0)); }

// The frame cache: JPEG data by key, the order of first insertion, and the
// last frame produced or decoded.
struct Cache {
    std::mutex lock;
    std::unordered_map<std::string, QByteArray> data;
    std::deque<std::string> order;
    std::optional<std::pair<std::string, QImage>> decoded;
};

Cache& cache()
{
    // Never destroyed: a warm-up thread may still be using it at exit.
    static Cache* c = new Cache;
    return *c;
}

constexpr std::size_t kCacheFrames = 120;

QImage enlarged(const QImage& image, QSize size)
{
    if (image.width() == size.width() && image.height() == size.height()) return image;
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace

Font capFitted(const std::string& name, double capHeight)
{
    const Font probe = FontBook::font(name, 100, false);
    const double c = QFontMetricsF(probe.qfont(), &pointPerPixelDevice()).capHeight();
    return FontBook::font(name, capHeight / std::max(c / 100, 0.3), false);
}

Layout Layout::make(const std::string& word, const std::vector<std::string>& fontList, QSizeF size,
                    MatchCut::Style style, const std::optional<std::string>& measuring)
{
    const double w = size.width(), h = size.height();
    const double r = w >= 1 ? h / w : h;
    const double shortSide = std::min(w, h);
    const bool editorial = style == MatchCut::Style::editorial;
    const double f = editorial ? (r > 1.2 ? 0.13 : r < 0.85 ? 0.105 : 0.115) : (w < h ? 0.24 : 0.2);
    const double h0 = shortSide * f;
    double p = 0.82;
    if (editorial) p = r > 1.2 ? 0.7 : 0.6;
    else if (style == MatchCut::Style::signs || style == MatchCut::Style::notes) p = 0.7;
    double widest = 1;
    const std::string& measured = measuring ? *measuring : word;
    for (const std::string& font : fontList) widest = std::max(widest, TextLine(measured, capFitted(font, h0)).width());
    return {word, h0 * std::min(p * w / widest, 1.0), QPointF(w / 2, h / 2)};
}

TextLine Layout::line(const std::string& font) const { return TextLine(word, capFitted(font, capHeight)); }

QPointF Layout::origin(const TextLine& l) const
{
    return {center.x() - l.width() / 2, center.y() - capHeight / 2};
}

QRectF Layout::box(const std::string& font) const
{
    const double wl = line(font).width();
    return {center.x() - wl / 2, center.y() - capHeight / 2, wl, capHeight};
}

QPainterPath Layout::path(const std::string& font) const
{
    const TextLine l = line(font);
    return l.outlineAt(origin(l));
}

const std::vector<std::string>& fonts(MatchCut::Style style)
{
    using S = MatchCut::Style;
    static const std::vector<std::string> editorial{
        "AvenirNext-Heavy", "Didot-Bold", "Futura-Bold", "Georgia-Bold", "AvenirNext-BoldItalic", "DINCondensed-Bold",
        "HelveticaNeue-CondensedBlack", "PlayfairDisplay-Black", "Montserrat-Bold", "BodoniSvtyTwoITCTT-Bold",
        "Oswald-Bold", "Superclarendon-Black", "system-bold", "Futura-MediumItalic", "HoeflerText-Black", "GillSans-Bold"};
    static const std::vector<std::string> typefaces{
        "Didot-Bold", "Futura-Bold", "AvenirNext-Heavy", "Georgia-Bold", "Impact", "Copperplate-Bold", "Menlo-Bold",
        "SnellRoundhand-Black", "BodoniSvtyTwoITCTT-Bold", "Rockwell-Bold", "Phosphate-Solid", "GillSans-UltraBold",
        "Optima-ExtraBlack", "AmericanTypewriter-Bold", "Anton", "PlayfairDisplay-Black", "LuckiestGuy", "Trattatello",
        "Herculanum", "Silom", "system-black", "DINCondensed-Bold", "HoeflerText-Black", "Superclarendon-Black",
        "BigCaslon-Medium", "Futura-CondensedExtraBold", "MarkerFelt-Wide", "GreatVibes", "Chalkduster", "Papyrus"};
    static const std::vector<std::string> newspaper{
        "Didot-Bold", "BodoniSvtyTwoITCTT-Bold", "HoeflerText-Black", "Georgia-Bold", "BigCaslon-Medium",
        "TimesNewRomanPS-BoldMT", "PlayfairDisplay-Black", "Baskerville-Bold", "Superclarendon-Black", "Impact",
        "Futura-CondensedExtraBold", "Copperplate-Bold", "Cochin-Bold", "Palatino-Bold"};
    static const std::vector<std::string> neon{
        "SnellRoundhand-Black", "AvenirNext-Heavy", "Futura-Bold", "MarkerFelt-Wide", "SignPainter-HouseScript",
        "rounded-bold", "DINCondensed-Bold", "Silom", "Phosphate-Solid", "GreatVibes", "DancingScript-Bold", "Fredoka-Bold"};
    static const std::vector<std::string> signs{"DINCondensed-Bold", "HelveticaNeue-Bold", "Arial-Black", "Futura-Bold",
                                                "Impact", "Avenir-Black", "GillSans-UltraBold", "system-black",
                                                "Verdana-Bold", "Oswald-Bold"};
    static const std::vector<std::string> notes{"MarkerFelt-Wide", "Noteworthy-Bold", "ChalkboardSE-Bold", "Chalkduster",
                                                "BradleyHandITCTT-Bold", "SignPainter-HouseScript",
                                                "AmericanTypewriter-Bold", "Courier-Bold", "DancingScript-Bold",
                                                "Fredoka-Bold"};
    static const std::vector<std::string> retro{"Futura-CondensedExtraBold", "Phosphate-Solid", "Silom", "Menlo-Bold",
                                                "LuckiestGuy", "Herculanum", "Avenir-Black", "Fredoka-Bold",
                                                "AmericanTypewriter-Bold", "Monaco", "Anton", "Superclarendon-Black"};
    switch (style) {
    case S::editorial: return editorial;
    case S::fonts: return typefaces;
    case S::newspaper: return newspaper;
    case S::neon: return neon;
    case S::signs: return signs;
    case S::notes: return notes;
    case S::retro: return retro;
    }
    return typefaces;
}

const std::string& frameFont(const MatchCut& cut, std::int64_t index)
{
    const auto& list = fonts(cut.style);
    return list[(static_cast<std::uint64_t>(std::max<std::int64_t>(index, 0)) + 3 * safeSeed(cut)) % list.size()];
}

SeededRandom frameRandom(const MatchCut& cut, std::int64_t index)
{
    return SeededRandom(static_cast<std::uint64_t>(hashStable(styleName(cut.style))) + safeSeed(cut) * 7919 +
                        static_cast<std::uint64_t>(index) * 104729 + 0x9E3779B97F4A7C15ULL);
}

std::string displayWord(const MatchCut& cut, std::int64_t index)
{
    const std::string t = trimmed(cut.word);
    switch (cut.style) {
    case MatchCut::Style::editorial: {
        if (t == cased(t, 1) && QString::fromStdString(t).size() < 5) return t;
        const int mode = static_cast<int>(index % 4);
        return mode == 0 ? t : cased(t, mode);
    }
    case MatchCut::Style::newspaper:
    case MatchCut::Style::signs: return cased(t, 1);
    default: return t;
    }
}

std::string frameKey(const MatchCut& cut, std::int64_t index, QSize renderSize)
{
    auto text = [](std::string& key, const std::string& s) { key += std::to_string(s.size()) + ":" + s; };
    auto list = [&](std::string& key, const std::optional<std::vector<std::string>>& items) {
        key += "[" + std::to_string(items ? items->size() : 0);
        if (items)
            for (const std::string& s : *items) text(key += ",", s);
        key += "]";
    };
    std::string key;
    text(key, cut.word);
    key += "|" + styleName(cut.style) + "|" + std::to_string(safeSeed(cut)) + "|" + std::to_string(frameCountOf(cut)) +
           "|" + std::to_string(index) + "|";
    list(key, cut.keywords);
    list(key, cut.lines);
    key += "|" + std::to_string(renderSize.width()) + "x" + std::to_string(renderSize.height());
    return key;
}

std::optional<QImage> frame(const MatchCut& cut, std::int64_t index, QSize size)
{
    if (index < 0 || size.width() < 1 || size.height() < 1) return std::nullopt;
    auto context = CaptionRenderer::makeContext(QSizeF(size));
    if (!context) return std::nullopt;
    SeededRandom rng = frameRandom(cut, index);
    const auto& list = fonts(cut.style);
    const std::string& font = frameFont(cut, index);
    const bool editorial = cut.style == MatchCut::Style::editorial;
    const std::optional<std::string> measuring =
        editorial ? std::optional(cased(cut.word, 2)) : std::nullopt;
    const Layout layout = Layout::make(displayWord(cut, index), list, QSizeF(size), cut.style, measuring);
    if (editorial) return EditorialMatchCut::frame(cut, index, font, layout, size, rng);
    const double unit = std::min(size.width(), size.height()) / 1080.0;
    MatchCutLooks::draw(*context, cut.style, layout, font, index, rng, QSizeF(size), unit);
    return context->takeImage();
}

std::optional<QImage> cachedFrame(const MatchCut& cut, std::int64_t index, QSize size)
{
    if (size.width() < 1 || size.height() < 1) return std::nullopt;
    const double q = std::min(1080.0 / std::min(size.width(), size.height()), 1.0);
    const QSize render(std::max(1, static_cast<int>(std::lround(q * size.width()))),
                       std::max(1, static_cast<int>(std::lround(q * size.height()))));
    const std::string key = frameKey(cut, index, render);
    Cache& c = cache();
    {
        const std::lock_guard guard(c.lock);
        if (c.decoded && c.decoded->first == key) return enlarged(c.decoded->second, size);
        if (const auto hit = c.data.find(key); hit != c.data.end()) {
            QImage image;
            if (image.loadFromData(hit->second, "JPG")) {
                image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
                c.decoded = {key, image};
                return enlarged(image, size);
            }
        }
    }
    const auto drawn = frame(cut, index, render);
    if (!drawn) return std::nullopt;
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    drawn->save(&buffer, "JPG", 92);
    {
        const std::lock_guard guard(c.lock);
        if (!c.data.contains(key)) c.order.push_back(key);
        c.data[key] = jpeg;
        c.decoded = {key, *drawn};
        if (c.order.size() > kCacheFrames) {
            c.data.erase(c.order.front());
            c.order.pop_front();
        }
    }
    return enlarged(*drawn, size);
}

bool cacheHolds(const std::string& key)
{
    Cache& c = cache();
    const std::lock_guard guard(c.lock);
    return c.data.contains(key);
}

std::optional<QImage> image(const PlacedMatchCut& placed, double t, QSize size)
{
    const MatchCut& cut = placed.cut;
    if (!(t >= 0) || !(t < cut.duration)) return std::nullopt;
    const std::int64_t n = frameCountOf(cut);
    const double slot = cut.duration / static_cast<double>(n);
    const std::int64_t i = std::min<std::int64_t>(n - 1, static_cast<std::int64_t>(t / slot));
    auto picture = cachedFrame(cut, i, size);
    if (!picture) return std::nullopt;
    const double fade = (cut.duration - t) / 0.12;
    const bool push = cut.style == MatchCut::Style::editorial;
    if (!push && fade >= 1) return picture;
    QImage out(size, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter painter(&out);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setOpacity(std::clamp(fade, 0.0, 1.0));
    if (push) {
        const double z = 1 + 0.035 * (t - static_cast<double>(i) * slot) / slot;
        painter.translate(size.width() / 2.0, size.height() / 2.0);
        painter.scale(z, z);
        painter.translate(-size.width() / 2.0, -size.height() / 2.0);
    }
    painter.drawImage(0, 0, *picture);
    painter.end();
    return out;
}

void prewarm(const MatchCut& cut, QSize size)
{
    std::thread([cut, size] {
        for (std::int64_t i = 0; i < frameCountOf(cut); ++i) cachedFrame(cut, i, size);
    }).detach();
}

std::vector<QImage> previewFrames(const MatchCut& cut, QSize size)
{
    std::vector<QImage> out;
    for (std::int64_t i = 0; i < 10; ++i)
        if (auto f = frame(cut, i, size)) out.push_back(std::move(*f));
    return out;
}

std::string suggestionText(const std::vector<Word>& words)
{
    std::string text;
    for (const Word& w : words)
        if (!w.deleted) text += (text.empty() ? "" : " ") + w.text;
    return text;
}

std::vector<std::string> suggestionsFromHashtags(const std::vector<std::string>& hashtags, int count)
{
    std::vector<std::string> out;
    for (const std::string& tag : hashtags) {
        if (static_cast<int>(out.size()) >= count) break;
        out.push_back(tag.starts_with('#') ? tag.substr(1) : tag);
    }
    return out;
}

std::vector<std::string> contextLines(const std::vector<std::string>& sentences)
{
    // End marks, and white space within a line: every space character
    // (the no-break one included) and tabs, never a line break.
    auto trimmable = [](const QChar c) {
        return c == '.' || c == '!' || c == '?' || c == ',' || c == QChar(0x2026) || c == '\t' ||
               c.category() == QChar::Separator_Space;
    };
    std::vector<std::string> out;
    for (const std::string& sentence : sentences) {
        if (out.size() >= 14) break;
        QString s = QString::fromStdString(sentence);
        qsizetype from = 0, to = s.size();
        while (from < to && trimmable(s[from])) ++from;
        while (to > from && trimmable(s[to - 1])) --to;
        s = s.mid(from, to - from);
        const auto pieces = s.split(' ', Qt::SkipEmptyParts).size();
        if (pieces >= 3 && pieces <= 9) out.push_back(s.toStdString());
    }
    return out;
}

std::vector<Tick> ticks(const MatchCut& cut)
{
    std::vector<Tick> out;
    if (!cut.ticks) return out;
    const std::int64_t n = frameCountOf(cut);
    for (std::int64_t i = 0; i < n; ++i)
        out.push_back({static_cast<double>(i) * cut.duration / static_cast<double>(n), Tick::Kind::tick});
    out.push_back({cut.duration, Tick::Kind::hit});
    return out;
}

}  // namespace MatchCutRenderer
}  // namespace vt
