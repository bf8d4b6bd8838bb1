// Free-form arrangements round one big hero word: rows above and below it
// (spotlight), the same with one word turned on its side (sideLeft,
// sideRight), or a zig-zag column (stagger).
#include "captions/GroupLayout.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vt::caption {
namespace {

void stagger(GroupLayout& layout, const QRectF& hero, int heroIndex)
{
    const double q = 0.04 * layout.style.fontSize * layout.unit;
    const auto n = static_cast<double>(layout.words.size());
    double column = 0;
    for (const auto& w : layout.words) column += w.ascent + w.descent;
    double y = (column + q * (n - 1)) / 2;
    const double offset = std::min(0.3 * hero.width(), 0.12 * layout.width);
    for (int j = 0; j < static_cast<int>(layout.words.size()); ++j) {
        auto& w = layout.words[j];
        const double side = j % 2 == 1 ? 1 : -1;
        const bool isHero = j == heroIndex;
        w.x = (isHero ? 0 : side * offset) - w.width / 2;
        w.baseline = y - w.ascent;
        w.rotation = isHero ? 0 : side * 0.06;
        y -= q + w.ascent + w.descent;
    }
}

double rowWidth(const GroupLayout& layout, const std::vector<int>& row)
{
    double sum = 0;
    for (int j : row) sum += layout.words[j].width;
    return sum + layout.gap * std::max(static_cast<double>(row.size()) - 1, 0.0);
}

void fitRow(GroupLayout& layout, const WordMeasurer& measurer, const std::vector<int>& row, const QRectF& hero)
{
    if (row.empty()) return;
    const double s = hero.width() * 1.05 / std::max(rowWidth(layout, row), 1.0);
    if (s < 1)
        for (int j : row) measurer.remeasure(layout.words[j], s);
}

void rowsAndSide(GroupLayout& layout, const WordMeasurer& measurer, const QRectF& hero, int heroIndex)
{
    const FreeformLayout kind = *layout.style.freeform;
    const double q = 0.14 * layout.style.fontSize * layout.unit;
    std::vector<int> upper, lower;
    for (int j = 0; j < static_cast<int>(layout.words.size()); ++j) {
        if (j < heroIndex) upper.push_back(j);
        if (j > heroIndex) lower.push_back(j);
    }
    std::optional<int> side;
    auto take = [&](std::vector<int>& row, bool first) {
        side = first ? row.front() : row.back();
        row.erase(first ? row.begin() : row.end() - 1);
    };
    if (kind == FreeformLayout::sideLeft) {
        if (!upper.empty()) take(upper, true);
        else if (!lower.empty()) take(lower, false);
    } else if (kind == FreeformLayout::sideRight) {
        if (!lower.empty()) take(lower, false);
        else if (!upper.empty()) take(upper, false);
    }

    fitRow(layout, measurer, upper, hero);
    fitRow(layout, measurer, lower, hero);
    if (!upper.empty()) {
        double descent = 0;
        for (int j : upper) descent = std::max(descent, layout.words[j].descent);
        double x = hero.left();
        for (int j : upper) {
            layout.words[j].x = x;
            layout.words[j].baseline = yMax(hero) + q + descent;
            x += layout.words[j].width + layout.gap;
        }
    }
    if (!lower.empty()) {
        double ascent = 0;
        for (int j : lower) ascent = std::max(ascent, layout.words[j].ascent);
        double x = hero.right() - rowWidth(layout, lower);
        for (int j : lower) {
            layout.words[j].x = x;
            layout.words[j].baseline = yMin(hero) - q - ascent;
            x += layout.words[j].width + layout.gap;
        }
    }
    if (side) {
        auto& w = layout.words[*side];
        const double s = hero.height() * 1.15 / std::max(w.width, 1.0);
        if (s < 1) measurer.remeasure(w, s);
        const double half = (w.ascent + w.descent) / 2;
        const bool left = kind == FreeformLayout::sideLeft;
        const double centreX = left ? hero.left() - q - half : hero.right() + q + half;
        w.rotation = left ? std::numbers::pi / 2 : -std::numbers::pi / 2;
        w.x = centreX - w.width / 2;
        w.baseline = hero.center().y() - (w.ascent - w.descent) / 2;
    }
}

}  // namespace

void arrangeFreeform(GroupLayout& layout, const WordMeasurer& measurer)
{
    int heroIndex = 0;
    for (int j = 0; j < static_cast<int>(layout.words.size()); ++j)
        if (layout.words[j].emphasized) {
            heroIndex = j;
            break;
        }
    auto& hero = layout.words[heroIndex];
    hero.x = -hero.width / 2;
    hero.baseline = -(hero.ascent - hero.descent) / 2;
    hero.rotation = 0;
    const QRectF heroRect = hero.rect();

    if (*layout.style.freeform == FreeformLayout::stagger) stagger(layout, heroRect, heroIndex);
    else rowsAndSide(layout, measurer, heroRect, heroIndex);

    QRectF all;
    for (const auto& w : layout.words) all = all.isNull() ? w.bounds() : all.united(w.bounds());
    const double W = layout.width, H = layout.height;
    layout.centerY = std::min(0.95 * H - all.height() / 2,
                              std::max((1 - layout.style.verticalPosition) * H, 0.05 * H + all.height() / 2));
    const double dx = W / 2 - all.center().x(), dy = layout.centerY - all.center().y();
    for (auto& w : layout.words) w.x += dx, w.baseline += dy;
    layout.lines.clear();
    for (int j = 0; j < static_cast<int>(layout.words.size()); ++j) layout.lines.push_back({j});
    layout.fit = std::min({layout.maxLineWidth / std::max(all.width(), 1.0), 1.0, 0.8 * H / std::max(all.height(), 1.0)});
}

}  // namespace vt::caption
