#pragma once
// The cut of the video: which stretches of the source are kept, and the two
// time mappings between source seconds (the joined source clips) and output
// seconds (the edited video). An immutable value; rebuilt, never updated.
//
// Non-finite input never yields a non-finite plan: a duration that is not a
// finite positive number counts as 0, a time that is not a number is taken
// as 0 by the mappings, and a keep range with a bound that is not a number
// keeps nothing.

#include "model/TimedWord.h"
#include "model/Word.h"
#include "platform/JsonCoding.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

namespace vt {

struct EditPlan {
    struct Segment {
        double sourceStart = 0;  // source seconds
        double sourceEnd = 0;    // source seconds
        double outputStart = 0;  // output seconds

        double length() const { return sourceEnd - sourceStart; }
        double outputEnd() const { return outputStart + length(); }
        friend bool operator==(const Segment&, const Segment&) = default;
    };

    // Kept stretches in ascending source order, back to back on the output.
    std::vector<Segment> segments;

    // Cuts deleted words (keeping a margin round each cut), long pauses
    // between kept words when `trimPauses` is on (keeping maxPause/2 on each
    // side), and everything outside `keep`, or outside `range` when `keep` is
    // absent. Kept stretches of 0.04 s or less are dropped. When nothing is
    // left the plan keeps the first half second (or the whole source when
    // shorter). All times in source seconds.
    static EditPlan make(const std::vector<Word>& words, double sourceDuration, bool trimPauses,
                         double maxPause, std::optional<ClosedRange<double>> range = std::nullopt,
                         const std::optional<std::vector<ClosedRange<double>>>& keep = std::nullopt);

    // Output seconds for a source time; a time inside a cut maps to the start
    // of the next kept stretch, a time after the last one to the output length.
    double outputTime(double sourceSeconds) const;
    // Source seconds for an output time; at or past the end, the last kept
    // source moment.
    double sourceTime(double outputSeconds) const;
    // Last segment's output end; 0 without segments.
    double outputLength() const;

    // One timed word per word that is not deleted, in order, even when the
    // word lies inside a cut; each lasts at least 0.05 s.
    std::vector<TimedWord> timedWords(const std::vector<Word>& words) const;
    // The timed word of one word, deleted or not, given whether its text ends
    // a sentence (endsSentence of its text, for callers that measured it
    // already). `hint` is as for segmentAfter.
    TimedWord timedWord(const Word& word, bool endsSentence, std::size_t& hint) const;

    // The index of the first segment that ends after a source time, or the
    // segment count when none does: the segment outputTime maps it with.
    // The search starts at `hint`, the answer for a nearby earlier time, and
    // leaves this answer there, so times taken in ascending order (words in
    // spoken order) cost a step each rather than a search.
    std::size_t segmentAfter(double sourceSeconds, std::size_t& hint) const;
    // outputTime, searched from `hint` as segmentAfter does.
    double outputTime(double sourceSeconds, std::size_t& hint) const;

    friend bool operator==(const EditPlan&, const EditPlan&) = default;
};

}  // namespace vt

template <>
struct std::hash<vt::EditPlan::Segment> {
    std::size_t operator()(const vt::EditPlan::Segment& s) const noexcept;
};
template <>
struct std::hash<vt::EditPlan> {
    std::size_t operator()(const vt::EditPlan& p) const noexcept;
};
