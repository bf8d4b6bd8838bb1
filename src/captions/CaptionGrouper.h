#pragma once
// Breaks the timed words of the edited video into caption lines and decides
// how long each line stays on screen; finds the line shown at a given time.
//
// A line closes after a word when it holds maxWordsPerGroup words (below 1
// counts as 1), when the word ends a sentence or forces a break, when the
// line's text reaches 9 characters per allowed word (user-perceived
// characters of the words, spaces between them not counted), or when the
// silence before the next word is at least the look's pauseBreak (0.7 s when
// absent). A line is shown from its first word's start until 0.5 s after its
// last word ends, cut short at the next line's start, but always for 0.35 s.
//
// Stateless and pure: any thread may call it. Words come in spoken order
// (ascending start); groups go out in the same order, indexed from 0, with
// the input words unchanged. All times are output seconds.

#include "captions/look/CaptionStyle.h"
#include "model/CaptionGroup.h"
#include "model/TimedWord.h"

#include <cstddef>
#include <map>
#include <span>
#include <string>
#include <vector>

namespace vt::CaptionGrouper {

std::vector<CaptionGroup> groups(const std::vector<TimedWord>& words, const CaptionStyle& style);

// Groups with per-line looks: consecutive words whose styleID is a key of
// `styles` form a run grouped with that look (and tagged with the table's key;
// canonically equivalent ids count as the same key); words without such an id
// are grouped with `style`. No line spans two runs.
std::vector<CaptionGroup> groups(const std::vector<TimedWord>& words, const CaptionStyle& style,
                                 const std::map<std::string, CaptionStyle>& styles);
// The same with each word's character count given (characters[i] is
// text::characterCount of words[i].text), for callers that keep the counts
// from one grouping to the next; it must hold one count per word.
std::vector<CaptionGroup> groups(const std::vector<TimedWord>& words, const CaptionStyle& style,
                                 const std::map<std::string, CaptionStyle>& styles,
                                 std::span<const std::size_t> characters);

// The line shown at `time` (start <= time < end), found by binary search over
// groups in ascending start order; nullptr when none. Where lines overlap,
// whichever the search meets first. The pointer is into `groups`.
const CaptionGroup* groupAt(double time, const std::vector<CaptionGroup>& groups);

}  // namespace vt::CaptionGrouper
