#pragma once
// Helpers shared by the generated look lists; not for use outside this folder.

#include "captions/look/CaptionStyle.h"

#include <string>
#include <vector>

namespace vt {

// A look with the given identity and size whose every other required field
// holds the value most built-in looks share, and every optional field absent.
// Each built-in look starts from it and sets only what differs.
CaptionStyle commonLook(std::string id, std::string name, StyleCategory category, std::string font,
                        double fontSize);

// The colours with red, green and blue each multiplied by 0.8, alpha 1
// whatever the source alpha.
std::vector<RGBA> darkened(const std::vector<RGBA>& colours);

}  // namespace vt
