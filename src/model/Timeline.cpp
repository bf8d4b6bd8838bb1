#include "model/Timeline.h"

#include "platform/Hasher.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace vt {

namespace {

struct LaneRow {
    std::string_view title;
    std::string_view icon;
    bool numbered;  // has rows; only row 0 shows the title
};

constexpr std::array<LaneRow, 10> kLanes{{
    {"Video", "film", false},
    {"Overlay", "rectangle.on.rectangle", true},
    {"Captions", "captions.bubble", false},
    {"Hook", "bolt.fill", false},
    {"Match cut", "textformat", false},
    {"Effects", "sparkles", true},
    {"Audio", "waveform", false},
    {"Sounds", "music.note.list", true},
    {"Voice", "mic.fill", false},
    {"Music", "music.note", false},
}};

const LaneRow& laneRow(TimelineLane::Kind kind) { return kLanes[static_cast<std::size_t>(kind)]; }


// First fit in the given order: the lowest row whose end is at most `start`
// (within 1e-6) takes the span.
int takeRow(std::vector<double>& rowEnds, double start, double end)
{
    for (std::size_t r = 0; r < rowEnds.size(); ++r) {
        if (rowEnds[r] <= start + 1e-6) {
            rowEnds[r] = end;
            return static_cast<int>(r);
        }
    }
    rowEnds.push_back(end);
    return static_cast<int>(rowEnds.size()) - 1;
}

template <class T>
void sortByStart(std::vector<T>& items)
{
    std::stable_sort(items.begin(), items.end(), [](const T& a, const T& b) { return a.start < b.start; });
}

}  // namespace

std::optional<SoundEvent::Kind> motionSound(MotionEffect::Kind kind)
{
    using K = MotionEffect::Kind;
    using S = SoundEvent::Kind;
    switch (kind) {
    case K::zoomIn:
    case K::zoomOut:
    case K::blurIn: return S::whoosh;
    case K::punchIn:
    case K::shake: return S::hit;
    case K::pop:
    case K::flash: return S::pop;
    case K::glitch: return S::tick;
    case K::fadeIn:
    case K::fadeOut:
    case K::blackWhite: return std::nullopt;
    }
    return std::nullopt;
}

TimelineLane TimelineLane::of(Kind kind, int row) { return {kind, laneRow(kind).numbered ? row : 0}; }

std::string_view TimelineLane::title() const
{
    const LaneRow& lane = laneRow(kind);
    return lane.numbered && row != 0 ? std::string_view() : lane.title;
}

std::string_view TimelineLane::icon() const { return laneRow(kind).icon; }

namespace Timeline {

PlacedItems place(const std::vector<MatchCut>& matchCuts, const std::vector<MotionEffect>& motions,
                  const EditPlan& plan)
{
    const double length = plan.outputLength();
    PlacedItems out;
    out.cuts.reserve(matchCuts.size());
    for (const MatchCut& cut : matchCuts) {
        const double t = cut.start ? plan.outputTime(*cut.start) : 0.0;
        out.cuts.push_back({cut, std::max(std::min(t, std::max(length - 0.2, 0.0)), 0.0)});
    }
    out.motions.reserve(motions.size());
    for (const MotionEffect& effect : motions) {
        const double t = plan.outputTime(effect.start);
        out.motions.push_back({effect, std::max(std::min(t, std::max(length - 0.1, 0.0)), 0.0)});
    }
    sortByStart(out.cuts);
    sortByStart(out.motions);
    return out;
}

std::vector<PlacedSound> place(const std::vector<SoundClip>& sounds, const EditPlan& plan)
{
    const double limit = plan.segments.empty() ? 0.0 : std::max(plan.outputLength() - 0.1, 0.0);
    std::vector<PlacedSound> out;
    out.reserve(sounds.size());
    for (const SoundClip& sound : sounds)
        out.push_back({sound, std::max(std::min(plan.outputTime(sound.start), limit), 0.0), 0});
    sortByStart(out);
    std::vector<double> rowEnds;
    for (PlacedSound& placed : out) placed.row = takeRow(rowEnds, placed.start, placed.start + placed.sound.duration);
    return out;
}

std::vector<int> rows(const std::vector<std::pair<double, double>>& spans)
{
    std::vector<std::size_t> order(spans.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return spans[a].first < spans[b].first; });
    std::vector<int> out(spans.size(), 0);
    std::vector<double> rowEnds;
    for (std::size_t i : order) out[i] = takeRow(rowEnds, spans[i].first, spans[i].second);
    return out;
}

void migrate(Project& project)
{
    if (project.matchCut) {
        std::vector<MatchCut> cuts{*project.matchCut};
        if (project.matchCuts) cuts.insert(cuts.end(), project.matchCuts->begin(), project.matchCuts->end());
        project.matchCuts = std::move(cuts);
        project.matchCut.reset();
    }
    if (!project.matchCuts) return;
    for (MatchCut& cut : *project.matchCuts)
        if (!cut.id) cut.id = Uuid::random();
}

std::vector<SoundEvent> soundEvents(const std::vector<PlacedMatchCut>& cuts, const std::vector<PlacedMotion>& motions)
{
    std::vector<SoundEvent> out;
    for (const PlacedMatchCut& placed : cuts) {
        if (!placed.cut.ticks) continue;
        const auto n = placed.cut.frameCount();
        const double step = placed.cut.duration / static_cast<double>(n);
        for (std::int64_t i = 0; i < n; ++i)
            out.push_back({placed.start + static_cast<double>(i) * step, SoundEvent::Kind::tick});
        out.push_back({placed.start + placed.cut.duration, SoundEvent::Kind::hit});
    }
    for (const PlacedMotion& placed : motions) {
        if (!placed.effect.sound) continue;
        if (auto kind = motionSound(placed.effect.kind)) out.push_back({placed.start, *kind});
    }
    std::stable_sort(out.begin(), out.end(), [](const SoundEvent& a, const SoundEvent& b) { return a.time < b.time; });
    return out;
}

namespace {

std::vector<double> motionCandidates(const std::vector<CaptionGroup>& groups)
{
    std::vector<double> times;
    for (const CaptionGroup& group : groups)
        for (const TimedWord& word : group.words)
            if (word.emphasized) times.push_back(word.start);
    if (times.size() >= 2) return times;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const bool sentenceStart =
            g == 0 || (!groups[g - 1].words.empty() && groups[g - 1].words.back().endsSentence);
        if (sentenceStart) times.push_back(groups[g].start);
    }
    return times;
}

}  // namespace

std::vector<ProposedMotion> autoMotion(const std::vector<CaptionGroup>& groups, const EditPlan& plan,
                                       const std::vector<PlacedMotion>& existing,
                                       const std::vector<ClosedRange<double>>& avoid, double spacing)
{
    std::vector<double> candidates = motionCandidates(groups);
    std::vector<ClosedRange<double>> blocked;
    for (const PlacedMotion& m : existing) blocked.push_back({m.start - 0.5, m.start + m.effect.duration + 0.5});
    blocked.insert(blocked.end(), avoid.begin(), avoid.end());
    std::sort(candidates.begin(), candidates.end());

    const double length = plan.outputLength();
    std::vector<ProposedMotion> out;
    double last = -spacing;
    for (double t : candidates) {
        const bool inBlocked = std::any_of(blocked.begin(), blocked.end(),
                                           [t](const ClosedRange<double>& r) { return r.lower <= t && t <= r.upper; });
        if (t < 0.6 || plan.segments.empty() || t >= length - 1 || t - last < spacing || inBlocked) continue;
        const bool punch = out.size() % 2 == 0;
        const double longest = punch ? 1.6 : 2.4;
        const auto line = std::find_if(groups.begin(), groups.end(), [t](const CaptionGroup& g) { return g.end > t; });
        const double lineEnd = line != groups.end() ? line->end : t + 1.2;
        out.push_back({punch ? MotionEffect::Kind::punchIn : MotionEffect::Kind::zoomIn, t,
                       std::min(std::max(lineEnd - t + 0.2, 0.8), longest)});
        last = t;
    }
    return out;
}

}  // namespace Timeline
}  // namespace vt

std::size_t std::hash<vt::TimelineItem>::operator()(const vt::TimelineItem& item) const noexcept
{
    return vt::Hasher().add(static_cast<int>(item.kind)).add(item.id).value();
}

std::size_t std::hash<vt::TimelineLane>::operator()(const vt::TimelineLane& lane) const noexcept
{
    return vt::Hasher().add(static_cast<int>(lane.kind)).add(lane.row).value();
}
