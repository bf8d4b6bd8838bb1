#pragma once
// How typed text becomes words: where it splits, what counts as "the same
// word" when an edit is matched against the transcript, and how a time span
// is shared among the words typed into it. Pure; any thread.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vt::WordTokens {

// The pieces of `text` between white space (spaces, tabs and line breaks),
// empty pieces dropped; each keeps its case and punctuation.
std::vector<std::string> split(std::string_view text);

// The form a word is matched by: lower-cased, then trimmed at both ends of
// punctuation and white space. A token of punctuation only has the empty key.
std::string key(std::string_view text);

// Shares [start, start + span] among `texts` in proportion to their
// character counts (each counted as at least one), in order: each piece ends
// at its start + span × weight ÷ total and the next starts there.
std::vector<std::pair<double, double>> spread(double start, double span, const std::vector<std::string>& texts);

}  // namespace vt::WordTokens
