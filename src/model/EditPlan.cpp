#include "model/EditPlan.h"

#include "platform/Hasher.h"
#include "platform/TextRules.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace vt {

namespace {

constexpr double kCutMargin = 0.06;      // kept after the last and before the next kept word of a cut
constexpr double kShortestKept = 0.04;   // kept stretches this short or shorter count as cut
constexpr double kFallbackLength = 0.5;  // what is kept when everything is cut
constexpr double kShortestWord = 0.05;   // shortest timed word

struct Removal {
    double start;
    double end;
};

// Everything outside the ranges to keep. Ranges are walked by lower bound, so
// overlapping ranges keep their union.
void addOutsideKept(std::vector<ClosedRange<double>> keep, double duration, std::vector<Removal>& out)
{
    std::erase_if(keep, [](const auto& r) { return std::isnan(r.lower) || std::isnan(r.upper); });
    std::stable_sort(keep.begin(), keep.end(), [](const auto& a, const auto& b) { return a.lower < b.lower; });
    double cursor = 0;
    for (const auto& r : keep) {
        if (cursor < r.lower) out.push_back({cursor, r.lower});
        cursor = std::max(cursor, r.upper);
    }
    if (cursor < duration) out.push_back({cursor, duration});
}

// Each run of deleted words, leaving a margin after the kept word before it and
// before the kept word after it. A run whose margins meet is not cut at all.
void addDeletedRuns(const std::vector<Word>& words, double duration, std::vector<Removal>& out)
{
    const std::size_t n = words.size();
    for (std::size_t i = 0; i < n;) {
        if (!words[i].deleted) {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j + 1 < n && words[j + 1].deleted) ++j;
        double from = i == 0 ? 0 : words[i - 1].end + kCutMargin;
        double to = j + 1 == n ? duration : words[j + 1].start - kCutMargin;
        if (from < to) out.push_back({from, to});
        i = j + 1;
    }
}

// Silences longer than maxPause between kept words, leaving half of maxPause on
// each side. Deleted words in between do not count.
void addLongPauses(const std::vector<Word>& words, double duration, double maxPause, std::vector<Removal>& out)
{
    const Word* previous = nullptr;
    const double half = maxPause / 2;
    for (const Word& w : words) {
        if (w.deleted) continue;
        if (!previous) {
            if (w.start > maxPause) out.push_back({0, w.start - half});
        } else if (w.start - previous->end > maxPause) {
            out.push_back({previous->end + half, w.start - half});
        }
        previous = &w;
    }
    if (previous && duration - previous->end > maxPause) out.push_back({previous->end + half, duration});
}

std::vector<Removal> clampAndMerge(std::vector<Removal> removals, double duration)
{
    // A start that is not a number counts from 0; an end that is not a number
    // cuts nothing. Settled before sorting so that the order is well defined.
    std::erase_if(removals, [](const Removal& r) { return std::isnan(r.end); });
    for (Removal& r : removals)
        if (std::isnan(r.start)) r.start = 0;
    std::stable_sort(removals.begin(), removals.end(),
                     [](const Removal& a, const Removal& b) { return a.start < b.start; });

    std::vector<Removal> merged;
    for (Removal r : removals) {
        r.start = std::max(r.start, 0.0);
        r.end = std::min(r.end, duration);
        if (!(r.start < r.end)) continue;
        if (!merged.empty() && r.start <= merged.back().end)
            merged.back().end = std::max(merged.back().end, r.end);
        else
            merged.push_back(r);
    }
    return merged;
}

double zeroIfNaN(double t) { return std::isnan(t) ? 0 : t; }

}  // namespace

EditPlan EditPlan::make(const std::vector<Word>& words, double sourceDuration, bool trimPauses,
                        double maxPause, std::optional<ClosedRange<double>> range,
                        const std::optional<std::vector<ClosedRange<double>>>& keep)
{
    // An unknown, infinite or negative length keeps nothing but the fallback.
    const double duration = std::isfinite(sourceDuration) && sourceDuration > 0 ? sourceDuration : 0;

    std::vector<Removal> removals;
    if (keep)
        addOutsideKept(*keep, duration, removals);
    else if (range)
        addOutsideKept({*range}, duration, removals);
    addDeletedRuns(words, duration, removals);
    // A negative pause limit would cut into the words themselves; a limit that
    // is not a number trims nothing.
    if (trimPauses && !std::isnan(maxPause)) addLongPauses(words, duration, std::max(maxPause, 0.0), removals);

    std::vector<Removal> merged = clampAndMerge(std::move(removals), duration);
    merged.push_back({duration, duration});

    EditPlan plan;
    double source = 0;
    double output = 0;
    for (const Removal& r : merged) {
        if (r.start - source > kShortestKept) {
            plan.segments.push_back({source, r.start, output});
            output += r.start - source;
        }
        source = std::max(source, r.end);
    }
    if (plan.segments.empty()) plan.segments.push_back({0, std::min(duration, kFallbackLength), 0});
    return plan;
}

double EditPlan::outputLength() const
{
    return segments.empty() ? 0 : segments.back().outputEnd();
}

double EditPlan::outputTime(double sourceSeconds) const
{
    // Segments ascend and never overlap, so the first one ending after t is
    // found by bisection: timedWords maps every word, and a linear scan would
    // make that quadratic in the length of the transcript.
    std::size_t from = segments.size() / 2;
    return outputTime(sourceSeconds, from);
}

double EditPlan::sourceTime(double outputSeconds) const
{
    const double t = zeroIfNaN(outputSeconds);
    auto s = std::partition_point(segments.begin(), segments.end(),
                                  [t](const Segment& seg) { return !(seg.outputEnd() > t); });
    if (s != segments.end()) return s->sourceStart + std::max(t - s->outputStart, 0.0);
    return segments.empty() ? 0 : segments.back().sourceEnd;
}

std::size_t EditPlan::segmentAfter(double sourceSeconds, std::size_t& hint) const
{
    const double t = zeroIfNaN(sourceSeconds);
    const auto endsAfter = [t](const Segment& seg) { return seg.sourceEnd > t; };
    const std::size_t n = segments.size();
    std::size_t i = std::min(hint, n);
    // Segment ends ascend, so the answer is where endsAfter turns true.
    if (i > 0 && endsAfter(segments[i - 1])) {
        i = static_cast<std::size_t>(
            std::partition_point(segments.begin(), segments.begin() + static_cast<std::ptrdiff_t>(i),
                                 [&](const Segment& seg) { return !endsAfter(seg); }) - segments.begin());
    } else {
        for (int step = 0; step < 4 && i < n && !endsAfter(segments[i]); ++step) ++i;
        if (i < n && !endsAfter(segments[i]))
            i = static_cast<std::size_t>(
                std::partition_point(segments.begin() + static_cast<std::ptrdiff_t>(i), segments.end(),
                                     [&](const Segment& seg) { return !endsAfter(seg); }) - segments.begin());
    }
    hint = i;
    return i;
}

double EditPlan::outputTime(double sourceSeconds, std::size_t& hint) const
{
    const double t = zeroIfNaN(sourceSeconds);
    const std::size_t i = segmentAfter(t, hint);
    if (i == segments.size()) return outputLength();
    const Segment& s = segments[i];
    return t < s.sourceStart ? s.outputStart : s.outputStart + (t - s.sourceStart);
}

std::vector<TimedWord> EditPlan::timedWords(const std::vector<Word>& words) const
{
    std::vector<TimedWord> out;
    out.reserve(words.size());
    std::size_t hint = 0;
    for (const Word& w : words)
        if (!w.deleted) out.push_back(timedWord(w, endsSentence(w.text), hint));
    return out;
}

TimedWord EditPlan::timedWord(const Word& w, bool endsSentence, std::size_t& hint) const
{
    const double start = outputTime(w.start, hint);
    // The end lies at or after the start, so its search starts where the
    // start's ended; the next word's start is searched from the end's.
    const double end = std::max(outputTime(w.end, hint), start + kShortestWord);
    std::optional<WordLook> look;
    if (w.look && !w.look->isDefault()) look = w.look;
    return {w.text, start, end, w.emphasized, w.breakAfter, endsSentence, w.id, std::move(look), w.styleID};
}

}  // namespace vt

std::size_t std::hash<vt::EditPlan::Segment>::operator()(const vt::EditPlan::Segment& s) const noexcept
{
    return vt::Hasher().add(s.sourceStart).add(s.sourceEnd).add(s.outputStart).value();
}

std::size_t std::hash<vt::EditPlan>::operator()(const vt::EditPlan& p) const noexcept
{
    return vt::Hasher().add(p.segments).value();
}
