#pragma once
// One synthesized sound effect on the output timeline. The timeline's match
// cuts and camera moves produce them (Timeline::soundEvents), so do the
// captions, cuts and hook when sound effects are on; the effects track is
// rendered from the whole list.

#include <cstddef>
#include <functional>

namespace vt {

struct SoundEvent {
    enum class Kind { pop, whoosh, hit, tick };

    double time = 0;  // output seconds
    Kind kind = Kind::pop;

    friend bool operator==(const SoundEvent&, const SoundEvent&) = default;
};

}  // namespace vt
