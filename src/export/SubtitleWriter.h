#pragma once
// The captions as text: SubRip (.srt), WebVTT (.vtt) and the plain
// transcript (.txt). Stateless and pure; any thread may call it.

#include "model/CaptionGroup.h"
#include "model/TimedWord.h"
#include "model/Word.h"

#include <string>
#include <string_view>
#include <vector>

namespace vt::SubtitleWriter {

// Numbered cues "00:00:01,235 --> 00:00:02,000", one line of text each,
// separated by an empty line; empty for no groups.
std::string srt(const std::vector<CaptionGroup>& groups);
// "WEBVTT", an empty line, then unnumbered cues with "." before the
// milliseconds. Cue text is escaped ("&", "<" and ">" as character
// references) so a word can never end or break a cue.
std::string vtt(const std::vector<CaptionGroup>& groups);
// The words that are not deleted, joined by spaces, with a line break after
// each word that ends a sentence (".", "?", "!" or "…").
std::string plain(const std::vector<Word>& words);

// The text for a file extension: "srt" and "vtt" (exact, lower case) give
// subtitles of the timed words grouped by the first built-in look at seven
// words a caption, whatever the project's own look; anything else the plain
// transcript of `transcript`.
std::string text(std::string_view extension, const std::vector<TimedWord>& timedWords,
                 const std::vector<Word>& transcript);

// Subtitle lines cut by the fixed subtitle rule above.
std::vector<CaptionGroup> subtitleGroups(const std::vector<TimedWord>& timedWords);

}  // namespace vt::SubtitleWriter
