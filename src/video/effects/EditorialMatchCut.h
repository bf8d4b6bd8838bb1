#pragma once
// The editorial match-cut look: every frame a printed page, warm paper with
// grain, a highlighter stripe behind the big word, and one of sixteen page
// layouts setting headlines, keywords and body text around it, finished with
// a soft focus towards the edges and a vignette.

#include "video/effects/MatchCutRenderer.h"

#include <QColor>
#include <QRectF>

#include <array>
#include <functional>

namespace vt::EditorialMatchCut {

// What one frame's layout draws with. Lengths are multiples of `cap`, the
// big word's cap height in pixels.
struct Ed {
    QPainter* painter = nullptr;
    QSizeF size;
    double cap = 0;
    QPointF c;                          // the big word's centre
    QRectF stripe;                      // the highlighter stripe, y-up
    std::vector<std::string> keywords;  // keyword pool
    std::vector<std::string> lines;     // headline pool
    std::string body;
    std::int64_t shift = 0;             // per-frame offset into the pools
    SeededRandom rng;

    // Paper and grain over the whole canvas; advances rng by 10,240 draws.
    void paper();
    // The first `count` non-empty pieces of `text` split at spaces.
    static std::vector<std::string> words(const std::string& text, std::int64_t count);
    // The hand-drawn ring around a word's box.
    void circle(const QRectF& rect);
    // Keyword and headline `n` after the shift, cyclic.
    const std::string& K(std::int64_t n) const;
    const std::string& H(std::int64_t n) const;
};

inline const QColor ink = QColor::fromRgbF(0.08f, 0.08f, 0.08f);
inline const QColor grey = QColor::fromRgbF(0.45f, 0.45f, 0.45f);
inline const QColor light = QColor::fromRgbF(0.62f, 0.62f, 0.62f);
inline const QColor blue = QColor::fromRgbF(0.33f, 0.55f, 0.82f);
inline const QColor highlighter = QColor::fromRgbF(1.0f, 0.95f, 0.31f);

extern const std::array<std::string, 12> genericKeywords;
extern const std::array<std::string, 12> genericLines;
extern const std::string defaultBody;

// The pools a card gives its frames.
std::vector<std::string> keywordPool(const MatchCut& cut);
std::vector<std::string> headlinePool(const MatchCut& cut);
std::string bodyText(const MatchCut& cut);

// The number of the layout frame `index` of a card with `seed` gets.
int templateIndex(std::int64_t index, std::int64_t seed);

// The sixteen layouts, in order.
const std::array<std::function<void(Ed&)>, 16>& templates();

// Frame `index` of `cut` at `size`: opaque; none for a size without pixels.
// On return `rng` has advanced past the paper grain.
std::optional<QImage> frame(const MatchCut& cut, std::int64_t index, const std::string& font,
                            const MatchCutRenderer::Layout& layout, QSize size, SeededRandom& rng);

// The photographic finish: blur growing away from `center`, and a vignette.
QImage finish(const QImage& image, QPointF center);

}  // namespace vt::EditorialMatchCut
