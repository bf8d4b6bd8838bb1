#include "editor/WordLookEdits.h"

#include <algorithm>
#include <cmath>

namespace vt::WordLookEdits {

namespace {

double hundredths(double value) { return std::round(value * 100) / 100; }

}  // namespace

void smaller(WordLook& look) { look.scale = std::max(hundredths(look.scale / 1.15), 0.4); }

void larger(WordLook& look) { look.scale = std::min(hundredths(look.scale * 1.15), 4.0); }

std::function<void(WordLook&)> color(RGBA picked)
{
    return [picked](WordLook& look) { look.color = picked; };
}

void clearColor(WordLook& look) { look.color.reset(); }

void reset(WordLook& look) { look = WordLook::defaultLook(); }

std::function<void(WordLook&)> dragged(const WordLook& atStart, double dx, double dy)
{
    return [x = atStart.dx + dx, y = atStart.dy + dy](WordLook& look) {
        look.dx = x;
        look.dy = y;
    };
}

}  // namespace vt::WordLookEdits
