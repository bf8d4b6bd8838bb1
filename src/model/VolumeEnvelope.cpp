#include "model/VolumeEnvelope.h"

#include "platform/Hasher.h"

#include <algorithm>
#include <cmath>

namespace vt {

double VolumeEnvelope::level(double time) const
{
    if (points.empty()) return db;
    if (time <= points.front().time) return points.front().db;
    if (time >= points.back().time) return points.back().db;
    // From the end, so that of several points sharing a time the last one counts.
    std::size_t i = points.size() - 1;
    while (i > 0 && points[i].time > time) --i;
    const Point& a = points[i];
    const Point& b = points[std::min(i + 1, points.size() - 1)];
    return a.db + (b.db - a.db) * (time - a.time) / std::max(b.time - a.time, 0.000001);
}

double VolumeEnvelope::gain(double time, double length) const
{
    double l = level(time);
    double g = l <= silenceDB ? 0.0 : std::pow(10.0, l / 20.0);
    if (fadeIn > 0 && time < fadeIn) {
        double r = std::min(std::max(time, 0.0) / fadeIn, 1.0);
        g *= r * r;
    }
    if (fadeOut > 0 && time > length - fadeOut) {
        double r = std::min(std::max(length - time, 0.0) / fadeOut, 1.0);
        g *= r * r;
    }
    return g;
}

std::vector<double> VolumeEnvelope::knots(double length) const
{
    std::vector<double> out{0.0, length, fadeIn, length - fadeOut};
    for (const Point& p : points) out.push_back(p.time);
    return out;
}

json::Value VolumeEnvelope::Point::toJson() const
{
    return json::Writer().required("id", id).required("time", time).required("db", db).unknown(unknown).done();
}

VolumeEnvelope::Point VolumeEnvelope::Point::fromJson(const json::Value& v)
{
    json::Reader in(v);
    return in.withUnknown(Point{in.required<Uuid>("id"), in.required<double>("time"), in.required<double>("db")});
}

json::Value VolumeEnvelope::toJson() const
{
    return json::Writer()
        .required("db", db)
        .required("fadeIn", fadeIn)
        .required("fadeOut", fadeOut)
        .required("points", points)
        .unknown(unknown).done();
}

VolumeEnvelope VolumeEnvelope::fromJson(const json::Value& v)
{
    json::Reader in(v);
    return in.withUnknown(VolumeEnvelope{in.required<double>("db"), in.required<double>("fadeIn"),
                                         in.required<double>("fadeOut"), in.required<std::vector<Point>>("points")});
}

}  // namespace vt

std::size_t std::hash<vt::VolumeEnvelope::Point>::operator()(const vt::VolumeEnvelope::Point& p) const noexcept
{
    return vt::Hasher().add(p.id).add(p.time).add(p.db).value();
}

std::size_t std::hash<vt::VolumeEnvelope>::operator()(const vt::VolumeEnvelope& e) const noexcept
{
    return vt::Hasher().add(e.db).add(e.fadeIn).add(e.fadeOut).add(e.points).value();
}
