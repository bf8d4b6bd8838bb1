#pragma once
// The filler words the editor counts, highlights and removes in one step.

#include <string>
#include <string_view>
#include <unordered_set>

namespace vt::Fillers {

// The 14 lower-case fillers ("um", "uh", "hmm", ...). Built once, on first
// use, safely from any thread; never changed.
const std::unordered_set<std::string>& words();

// True when the text, lower-cased and with punctuation, spaces and tabs
// trimmed from both ends, is one of `words()`. Line breaks are not trimmed.
bool isFiller(std::string_view text);

}  // namespace vt::Fillers
