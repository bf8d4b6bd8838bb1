#pragma once
// Character questions the speech paths ask of recognised text. A character is
// a user-perceived character (grapheme cluster); it is a letter or number
// when its first code point is in a Unicode letter or number category.
// Thread-safe.

#include <cstddef>
#include <string>
#include <string_view>

namespace vt::speech {

bool hasLetterOrNumber(std::string_view text);
// Characters that are letters or numbers.
std::size_t letterOrNumberCount(std::string_view text);
// The first character (all of its code points); empty for empty text.
std::string firstCharacter(std::string_view text);
// Whether the last code point is Unicode punctuation.
bool endsWithPunctuation(std::string_view text);

}  // namespace vt::speech
