#pragma once
// Caption lines made of plain words for tests and benchmarks.

#include "model/CaptionGroup.h"

#include <string>
#include <vector>

namespace vt::test {

// One line of `words` from `start`, 0.3 s a word, shown until 0.5 s after
// its last word.
CaptionGroup captionLine(const std::vector<std::string>& words, double start = 1.0, int index = 0);

}  // namespace vt::test
