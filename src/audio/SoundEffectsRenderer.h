#pragma once
// Short synthesized sound effects laid under the edit: a pop when a caption
// line with an emoji starts or an emphasized word is spoken, a whoosh into
// each cut that removed a pause, a hit under the opening hook, and the ticks,
// hits, pops and whooshes of timeline items. events() turns the settings and
// the derived captions into timed events; render() synthesizes a list into
// one mono 16-bit CAF file at 44.1 kHz in the data root's cache, named by a
// hash of the list and reused when it exists. Nothing is read from sample
// files; the noise in the sounds is random, so a file rendered again differs
// slightly from the one before.

#include "model/CaptionGroup.h"
#include "model/EditPlan.h"
#include "model/SoundEffects.h"
#include "model/SoundEvent.h"
#include "platform/Cancellation.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace vt::SoundEffectsRenderer {

// One timed sound of the effects track (output seconds).
using Event = SoundEvent;
using Kind = SoundEvent::Kind;
// "pop", "whoosh", "hit", "tick".
std::string_view rawValue(Kind kind);

inline constexpr int sampleRate = 44'100;

// The events of the settings over the caption lines (output time), the
// indices of the lines that carry an emoji, the plan, and whether the
// opening hook is shown; sorted by time, equal times in the order hook hit,
// pops, whooshes.
std::vector<Event> events(const SoundEffects& settings, const std::vector<CaptionGroup>& groups, const std::set<int>& emojiLines,
                          const EditPlan& plan, bool hook);

// The file of the events over an output of `duration` seconds (plus half a
// second), rendered when it does not exist yet: "<data root>/Cache/sfx-v1-
// <hash>.caf". Blocking: call it from background work; callers must not
// render one list twice at once. Throws when the folder cannot be made or
// the file cannot be written (no file is left under the name), and
// CancellationError when cancelled.
std::filesystem::path render(const std::vector<Event>& events, double duration, const CancelToken& cancel = CancelToken());

// ---- internal, exposed for tests ---------------------------------------

// "hit@50,pop@1500|30200": kinds and times in milliseconds (rounded), then
// the duration in milliseconds (truncated).
std::string keyText(const std::vector<Event>& events, double duration);
// 64-bit FNV-1a of the text in lower-case hexadecimal.
std::string keyHash(std::string_view text);

struct Sound {
    std::vector<float> samples;
    double lead = 0;  // seconds the sound starts before its event time
};
Sound synth(Kind kind);

}  // namespace vt::SoundEffectsRenderer
