#pragma once
// Names of things on the timeline and the pure rules that put the project's
// source-anchored items on the output timeline. Items are stored in source
// seconds so that they stay with the speech when the cut changes; every
// function here maps them through the current plan and is recomputed after
// each change. Stateless; any thread.

#include "model/CaptionGroup.h"
#include "model/EditPlan.h"
#include "model/MatchCut.h"
#include "model/MotionEffect.h"
#include "model/Placements.h"
#include "model/Project.h"
#include "model/SoundClip.h"
#include "model/SoundEvent.h"
#include "platform/JsonCoding.h"
#include "platform/Uuid.h"

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

namespace vt {

// The sound effect that marks the start of a camera move of each kind; none
// for the pure looks that change the picture quietly.
std::optional<SoundEvent::Kind> motionSound(MotionEffect::Kind kind);

// One selectable item of the timeline, named by its record's id.
struct TimelineItem {
    enum class Kind { matchCut, motion, overlay, sound, clip };

    Kind kind = Kind::matchCut;
    Uuid id;

    friend bool operator==(const TimelineItem&, const TimelineItem&) = default;
};

// One row of the timeline panel; overlay, effects and sounds rows are numbered
// from 0 (only row 0 carries the lane's title).
struct TimelineLane {
    enum class Kind { video, overlay, captions, hook, matchCut, effects, audio, sounds, voice, music };

    Kind kind = Kind::video;
    int row = 0;  // meaningful for overlay, effects and sounds only; 0 otherwise

    static TimelineLane of(Kind kind, int row = 0);
    std::string_view title() const;
    std::string_view icon() const;  // symbol name

    friend bool operator==(const TimelineLane&, const TimelineLane&) = default;
};

namespace Timeline {

struct PlacedItems {
    std::vector<PlacedMatchCut> cuts;
    std::vector<PlacedMotion> motions;
};

// Each start mapped through the plan (a match cut without a start at 0); a
// match cut starts at most 0.2 s and a camera move at most 0.1 s before the
// output's end, never below 0. Both lists ascend by start, ties in the given
// order.
PlacedItems place(const std::vector<MatchCut>& matchCuts, const std::vector<MotionEffect>& motions,
                  const EditPlan& plan);

// Sounds mapped like camera moves, ascending by start (ties in the given
// order), each in the lowest lane row that is free at its start.
std::vector<PlacedSound> place(const std::vector<SoundClip>& sounds, const EditPlan& plan);

// First-fit rows for spans (start, end), in input order: a span reuses the
// lowest row whose last span ended by its start (within 1e-6).
std::vector<int> rows(const std::vector<std::pair<double, double>>& spans);

// Brings an older project up to date when it is opened: its single legacy
// match cut moves to the front of `matchCuts`, and every match cut gets an id.
void migrate(Project& project);

// The sounds the timeline adds to the effects track: a tick per frame of
// every match cut with ticks on and a hit at its end; one sound at the start
// of each camera move with its sound on (none for fades and black & white).
// Ascending by time; at equal times match-cut sounds come first.
std::vector<SoundEvent> soundEvents(const std::vector<PlacedMatchCut>& cuts,
                                    const std::vector<PlacedMotion>& motions);

// A camera move proposed by autoMotion; start in output seconds.
struct ProposedMotion {
    MotionEffect::Kind kind = MotionEffect::Kind::punchIn;
    double start = 0;
    double duration = 0;

    friend bool operator==(const ProposedMotion&, const ProposedMotion&) = default;
};

// Alternating punch-ins and zoom-ins on emphasized words (or on sentence
// starts when fewer than two words are emphasized), at least `spacing`
// seconds apart, clear of the existing moves (±0.5 s) and of `avoid`, each
// lasting until just after its caption line. In time order.
std::vector<ProposedMotion> autoMotion(const std::vector<CaptionGroup>& groups, const EditPlan& plan,
                                       const std::vector<PlacedMotion>& existing,
                                       const std::vector<ClosedRange<double>>& avoid, double spacing);

}  // namespace Timeline
}  // namespace vt

template <>
struct std::hash<vt::TimelineItem> {
    std::size_t operator()(const vt::TimelineItem& item) const noexcept;
};
template <>
struct std::hash<vt::TimelineLane> {
    std::size_t operator()(const vt::TimelineLane& lane) const noexcept;
};
