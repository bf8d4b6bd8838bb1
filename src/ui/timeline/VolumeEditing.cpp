#include "ui/timeline/VolumeEditing.h"

#include <algorithm>
#include <cmath>

namespace vt {

double VolumeGeometry::y(double db) const
{
    if (db < -40) return height - 5;
    return 5 + (height - 10) * (6 - std::min(db, 6.0)) / 46;
}

double VolumeGeometry::db(double at) const
{
    return std::clamp((at - 5) / std::max(height - 10, 1.0) * -46 + 6, -40.0, 6.0);
}

namespace VolumeEditing {

double shownDB(const VolumeEnvelope& env, double time, double length)
{
    const double gain = env.gain(time, length);
    if (!(gain > 0.00001)) return -40;
    return std::clamp(20 * std::log10(gain), -40.0, 6.0);
}

std::optional<VolumeGrab> grab(QPointF at, const VolumeEnvelope& env, double length, double pps,
                               const VolumeGeometry& geo)
{
    using K = VolumeGrab::Kind;
    if (at.y() <= 15 && std::abs(at.x() - env.fadeIn * pps) < 8) return VolumeGrab{K::fadeIn, {}};
    if (at.y() <= 15 && std::abs(at.x() - (length * pps - env.fadeOut * pps)) < 8) return VolumeGrab{K::fadeOut, {}};
    const VolumeEnvelope::Point* nearest = nullptr;
    double best = 0;
    for (const auto& p : env.points) {
        const double d = std::hypot(at.x() - p.time * pps, at.y() - geo.y(p.db));
        if (!nearest || d < best) {
            nearest = &p;
            best = d;
        }
    }
    if (nearest && best < 8) return VolumeGrab{K::point, nearest->id};
    if (std::abs(at.y() - geo.y(shownDB(env, at.x() / pps, length))) < 7) return VolumeGrab{K::line, {}};
    return std::nullopt;
}

VolumeEnvelope toggle(QPointF at, const VolumeEnvelope& env, double length, double pps, const VolumeGeometry& geo)
{
    VolumeEnvelope out = env;
    const auto grabbed = grab(at, env, length, pps, geo);
    if (grabbed && grabbed->kind == VolumeGrab::Kind::point) {
        std::erase_if(out.points, [&](const auto& p) { return p.id == grabbed->point; });
        if (out.points.empty()) out.db = env.level(at.x() / pps);
        return out;
    }
    VolumeEnvelope::Point p;
    p.time = std::clamp(at.x() / pps, 0.0, std::max(length, 0.0));
    p.db = env.level(p.time);
    out.points.push_back(p);
    std::stable_sort(out.points.begin(), out.points.end(), [](const auto& a, const auto& b) { return a.time < b.time; });
    return out;
}

VolumeEnvelope drag(const VolumeGrab& grabbed, const VolumeEnvelope& start, double time, double y, double dy,
                    double length, const VolumeGeometry& geo)
{
    using K = VolumeGrab::Kind;
    VolumeEnvelope e = start;
    switch (grabbed.kind) {
    case K::fadeIn: e.fadeIn = std::min(std::max(time, 0.0), std::max(length - start.fadeOut, 0.0)); break;
    case K::fadeOut: e.fadeOut = std::min(std::max(length - time, 0.0), std::max(length - start.fadeIn, 0.0)); break;
    case K::line: {
        const double d = dy / std::max(geo.height - 10, 1.0) * -46;
        e.db = std::clamp(start.db + d, -40.0, 6.0);
        for (auto& p : e.points) p.db = std::clamp(p.db + d, -40.0, 6.0);
        break;
    }
    case K::point: {
        for (std::size_t i = 0; i < e.points.size(); ++i) {
            if (e.points[i].id != grabbed.point) continue;
            const double lo = i == 0 ? 0 : start.points[i - 1].time + 0.01;
            const double hi = i + 1 == e.points.size() ? length : start.points[i + 1].time - 0.01;
            e.points[i].time = std::min(std::max(time, lo), std::max(lo, hi));
            e.points[i].db = geo.db(y);
        }
        break;
    }
    }
    return e;
}

Qt::CursorShape cursor(const std::optional<VolumeGrab>& grabbed)
{
    if (!grabbed) return Qt::ArrowCursor;
    switch (grabbed->kind) {
    case VolumeGrab::Kind::point: return Qt::CrossCursor;
    case VolumeGrab::Kind::line: return Qt::SizeVerCursor;
    default: return Qt::SizeHorCursor;
    }
}

VolumeEnvelope toSource(const VolumeEnvelope& edited, const VolumeEnvelope& placed, const VolumeEnvelope& stored,
                        const EditPlan& plan)
{
    VolumeEnvelope out = edited;
    for (auto& p : out.points) {
        const auto was = std::find_if(placed.points.begin(), placed.points.end(), [&](const auto& q) { return q.id == p.id; });
        const auto kept = std::find_if(stored.points.begin(), stored.points.end(), [&](const auto& q) { return q.id == p.id; });
        if (was != placed.points.end() && kept != stored.points.end() && was->time == p.time)
            p.time = kept->time;
        else
            p.time = plan.sourceTime(p.time);
    }
    std::stable_sort(out.points.begin(), out.points.end(), [](const auto& a, const auto& b) { return a.time < b.time; });
    return out;
}

}  // namespace VolumeEditing

}  // namespace vt
