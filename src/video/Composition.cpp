#include "video/Composition.h"

#include <algorithm>
#include <cmath>

namespace vt {

MediaTime MediaTime::make(double seconds, std::int32_t timescale)
{
    return {std::isfinite(seconds) ? std::llround(seconds * timescale) : 0, timescale};
}

const CompositionSegment* CompositionTrack::segmentAt(double seconds) const
{
    for (const CompositionSegment& s : segments)
        if (seconds >= s.outputStart.seconds() && seconds < s.outputEnd()) return &s;
    return nullptr;
}

std::int32_t Composition::addTrack(TrackKind kind)
{
    tracks_.push_back({nextID_, kind, {}, {}});
    return nextID_++;
}

void Composition::removeTrack(std::int32_t trackID)
{
    std::erase_if(tracks_, [&](const CompositionTrack& t) { return t.trackID == trackID; });
}

CompositionTrack* Composition::track(std::int32_t trackID)
{
    for (CompositionTrack& t : tracks_)
        if (t.trackID == trackID) return &t;
    return nullptr;
}

const CompositionTrack* Composition::track(std::int32_t trackID) const
{
    return const_cast<Composition*>(this)->track(trackID);
}

void Composition::insert(std::int32_t trackID, const std::filesystem::path& file, MediaTime sourceStart, MediaTime duration, MediaTime at)
{
    CompositionTrack* t = track(trackID);
    if (!t || duration.value <= 0) return;
    t->segments.push_back({file, sourceStart, duration, at});
}

double Composition::duration() const
{
    double end = 0;
    for (const CompositionTrack& t : tracks_)
        for (const CompositionSegment& s : t.segments) end = std::max(end, s.outputEnd());
    return end;
}

void AudioMixInput::addRamp(const VolumeRamp& ramp, std::int32_t timescale)
{
    ramps.push_back({MediaTime::make(ramp.start, timescale).seconds(), MediaTime::make(ramp.end, timescale).seconds(), double(float(ramp.from)),
                     double(float(ramp.to))});
}

double AudioMixInput::volume(double seconds) const
{
    return volumes(seconds, 1, 1).front();
}

std::vector<float> AudioMixInput::volumes(double start, int rate, std::size_t count) const
{
    std::vector<float> out(count);
    // The ramp in force is the last one that has begun; ramps are in time order.
    std::size_t next = std::upper_bound(ramps.begin(), ramps.end(), start, [](double t, const VolumeRamp& r) { return t < r.start; }) -
                       ramps.begin();
    for (std::size_t i = 0; i < count; ++i) {
        const double t = start + double(i) / rate;
        while (next < ramps.size() && ramps[next].start <= t) ++next;
        if (next == 0) {
            out[i] = float(initialVolume);
            continue;
        }
        const VolumeRamp& r = ramps[next - 1];
        out[i] = t < r.end && r.end > r.start ? float(r.from + (r.to - r.from) * (t - r.start) / (r.end - r.start)) : float(r.to);
    }
    return out;
}

const AudioMixInput* AudioMix::input(std::int32_t trackID) const
{
    for (const AudioMixInput& i : inputs)
        if (i.trackID == trackID) return &i;
    return nullptr;
}

}  // namespace vt
