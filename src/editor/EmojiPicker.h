#pragma once
// Chooses the emoji of caption lines from their words, by a built-in table
// of keywords, under the project's emoji settings (how many lines get one,
// and per-line manual choices). Stateless; the table is built once, on
// first use, safely from any thread.
//
// The drawing of a chosen emoji over its line belongs to the frame
// compositor, which sits below the editor.

#include "editor/EmojiPick.h"
#include "model/CaptionGroup.h"
#include "model/EmojiSettings.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vt::EmojiPicker {

// The emoji a word calls for: its letters and digits, lower-cased, looked up
// in the keyword table, then once more without a final "s". None for fewer
// than two letters and digits or no match.
std::optional<std::string> emoji(std::string_view word);

// The emoji of each line, by line index (CaptionGroup::index). A manual
// choice on any word of a line wins (an empty one leaves the line without);
// otherwise the first word with an emoji gives it, except that with amount
// some a line within 3 lines after the last emoji gets none, and a line right
// after an emoji line never repeats that emoji.
std::map<int, EmojiPick> assign(const std::vector<CaptionGroup>& lines, const EmojiSettings& settings);

}  // namespace vt::EmojiPicker
