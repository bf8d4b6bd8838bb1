#pragma once
// Fitting an item's crop to a named shape ("9:16", "1:1", "4:5", "16:9"):
// equal crops on two opposite edges, at most 0.45 each, so the kept part
// has that width-to-height ratio and stays centred. Any other name (the
// inspector's "Original") only clears the crops.

#include "model/ItemAdjust.h"

#include <optional>
#include <string_view>

namespace vt {

// The shape's width over height; none for a name that is not a shape.
std::optional<double> shapeRatio(std::string_view shape);

// `pictureAspect` is the picture's width over height upright as recorded,
// before the item's own quarter turns. Only the four crops change; a
// ratio that is not a positive finite number leaves them cleared.
void cropToShape(ItemAdjust& adjust, std::string_view shape, double pictureAspect);

}  // namespace vt
