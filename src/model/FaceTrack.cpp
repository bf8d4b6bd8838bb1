#include "model/FaceTrack.h"

#include "platform/Hasher.h"

#include <algorithm>

namespace vt {

Point FaceTrack::center(double time) const
{
    if (samples.empty()) return {0.5, 0.5};
    const Sample& first = samples.front();
    const Sample& last = samples.back();
    if (time <= first.t) return {first.x, first.y};
    if (time >= last.t) return {last.x, last.y};
    std::size_t lo = 0;
    std::size_t hi = samples.size() - 1;
    while (hi - lo > 1) {
        std::size_t mid = (lo + hi) / 2;
        (samples[mid].t <= time ? lo : hi) = mid;
    }
    const Sample& a = samples[lo];
    const Sample& b = samples[hi];
    double f = (time - a.t) / std::max(b.t - a.t, 0.0001);
    return {a.x + (b.x - a.x) * f, a.y + (b.y - a.y) * f};
}

json::Value FaceTrack::Sample::toJson() const
{
    return json::Writer().required("t", t).required("x", x).required("y", y).unknown(unknown).done();
}

FaceTrack::Sample FaceTrack::Sample::fromJson(const json::Value& v)
{
    json::Reader in(v);
    return in.withUnknown(Sample{in.required<double>("t"), in.required<double>("x"), in.required<double>("y")});
}

json::Value FaceTrack::toJson() const
{
    return json::Writer().required("samples", samples).unknown(unknown).done();
}

FaceTrack FaceTrack::fromJson(const json::Value& v)
{
    json::Reader in(v);
    return in.withUnknown(FaceTrack{in.required<std::vector<Sample>>("samples")});
}

}  // namespace vt

std::size_t std::hash<vt::FaceTrack::Sample>::operator()(const vt::FaceTrack::Sample& s) const noexcept
{
    return vt::Hasher().add(s.t).add(s.x).add(s.y).value();
}

std::size_t std::hash<vt::FaceTrack>::operator()(const vt::FaceTrack& track) const noexcept
{
    return vt::Hasher().add(track.samples).value();
}
