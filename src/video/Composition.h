#pragma once
// Our own composition model: tracks of media laid onto the output timeline by
// edit lists, and the audio mix that sets each audio track's level over time.
// A segment says "play this file from sourceStart for duration at
// outputStart"; times are media times in whole ticks of a timescale (600 for
// picture, 48000 for sound and volume ramps, 44100 for music), so the
// builder's rounding is the same everywhere. Plain values: a built
// composition is shared read-only by the player, the mixer and export.

#include "audio/AudioRamps.h"
#include "model/Placements.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace vt {

struct MediaTime {
    std::int64_t value = 0;
    std::int32_t timescale = 600;

    // Seconds rounded to the nearest tick of `timescale`.
    static MediaTime make(double seconds, std::int32_t timescale);
    double seconds() const { return double(value) / timescale; }
    friend bool operator==(const MediaTime&, const MediaTime&) = default;
};

enum class TrackKind { video, audio };

struct CompositionSegment {
    std::filesystem::path file;
    MediaTime sourceStart;  // in the file's own time
    MediaTime duration;
    MediaTime outputStart;  // on the composition's timeline

    // Exact on a shared timescale, so the end is the very time the next
    // piece laid there starts (a sum of seconds can overshoot it).
    double outputEnd() const
    {
        if (outputStart.timescale == duration.timescale) return MediaTime{outputStart.value + duration.value, duration.timescale}.seconds();
        return outputStart.seconds() + duration.seconds();
    }
};

struct CompositionTrack {
    std::int32_t trackID = 0;
    TrackKind kind = TrackKind::video;
    AffineTransform preferredTransform;      // picture tracks: how the source shows upright
    std::vector<CompositionSegment> segments;  // in the order inserted; they never overlap

    // The segment playing at an output time, or nullptr in a gap.
    const CompositionSegment* segmentAt(double seconds) const;
};

class Composition {
public:
    // A new empty track; the composition numbers tracks from 1.
    std::int32_t addTrack(TrackKind kind);
    void removeTrack(std::int32_t trackID);
    CompositionTrack* track(std::int32_t trackID);
    const CompositionTrack* track(std::int32_t trackID) const;
    const std::vector<CompositionTrack>& tracks() const { return tracks_; }

    // Places `duration` of `file` from `sourceStart` at `at` on a track. A
    // duration of zero or less places nothing.
    void insert(std::int32_t trackID, const std::filesystem::path& file, MediaTime sourceStart, MediaTime duration, MediaTime at);

    // The end of the last segment of any track, seconds.
    double duration() const;

private:
    std::vector<CompositionTrack> tracks_;
    std::int32_t nextID_ = 1;
};

// The level of one audio track: a volume set from time zero, then volume
// ramps. Between and after ramps the last level holds; before the first one
// the set volume (1 when none) plays.
struct AudioMixInput {
    std::int32_t trackID = 0;
    double initialVolume = 1;
    std::vector<VolumeRamp> ramps;  // seconds, on tick boundaries, in time order

    // Adds a ramp with both ends rounded to `timescale` ticks.
    void addRamp(const VolumeRamp& ramp, std::int32_t timescale);
    double volume(double seconds) const;
    // `count` volumes at start, start + 1/rate, … (one walk over the ramps).
    std::vector<float> volumes(double start, int rate, std::size_t count) const;
};

struct AudioMix {
    std::vector<AudioMixInput> inputs;

    const AudioMixInput* input(std::int32_t trackID) const;
};

}  // namespace vt
