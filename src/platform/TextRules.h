#pragma once
// The text rules every part of the program shares, so that "whitespace",
// "punctuation", "a character" and "the same text" mean one thing everywhere:
// - whitespace is spaces (every Unicode space separator) and tabs; line breaks
//   are not whitespace and are kept;
// - punctuation is any Unicode punctuation category (Pc Pd Ps Pe Pi Pf Po);
// - a character is a user-perceived character (an extended grapheme cluster);
// - two texts are equal when they are canonically equivalent (same NFC form).
// All strings are UTF-8. Every function is thread-safe.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vt::text {

// Removes leading and trailing spaces and tabs; nothing else.
std::string trimWhitespace(std::string_view s);
bool isWhitespace(char32_t c);  // a Unicode space separator or a tab

bool isPunctuation(char32_t c);
// Removes leading and trailing punctuation code points.
std::string trimPunctuation(std::string_view s);
// Removes punctuation code points wherever they stand.
std::string removePunctuation(std::string_view s);
// True when the text is non-empty and every code point is punctuation.
bool isAllPunctuation(std::string_view s);

// Number of user-perceived characters.
std::size_t characterCount(std::string_view s);
// The user-perceived characters, in order.
std::vector<std::string> characters(std::string_view s);

// The canonical (NFC) form: use it as the key of every text table.
std::string canonical(std::string_view s);
bool canonicallyEqual(std::string_view a, std::string_view b);

// Locale-independent full case mapping of the canonical form.
std::string lowercased(std::string_view s);
std::string uppercased(std::string_view s);

// UTF-8 <-> UTF-32 helpers; invalid UTF-8 sequences become U+FFFD.
std::u32string toUtf32(std::string_view s);
std::string toUtf8(std::u32string_view s);

}  // namespace vt::text
