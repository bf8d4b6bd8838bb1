#pragma once
// A shortest edit script of removals and insertions that turns one list of
// word keys into another (Myers' O(ND) difference algorithm, in its
// linear-space form: the middle snake splits the problem in two).
//
// Where several scripts are equally short, one is picked the same way every
// time: equal keys at the start and at the end of a stretch are matched
// first (so of a run of repeated words, the first ones are kept and the last
// ones removed or added), and inside a stretch the search takes a removal
// before an insertion when both reach equally far.
//
// Pure; any thread. Memory is linear in the two lengths; time is
// O((old + new) × edit length).

#include <string>
#include <vector>

namespace vt {

struct TranscriptDiff {
    std::vector<bool> removed;   // per old position
    std::vector<bool> inserted;  // per new position

    bool empty() const;
    static TranscriptDiff between(const std::vector<std::string>& from, const std::vector<std::string>& to);
};

}  // namespace vt
