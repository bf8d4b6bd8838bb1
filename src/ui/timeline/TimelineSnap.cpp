#include "ui/timeline/TimelineSnap.h"

#include "editor/EditorModel.h"

#include <algorithm>
#include <cmath>

namespace vt::TimelineSnap {

std::vector<double> targets(const EditorModel& editor, const TimelineItem& excluding, double start, double length)
{
    using K = TimelineItem::Kind;
    std::vector<double> out{0, editor.currentTime()};
    for (const CaptionGroup& g : editor.groups())
        if (std::abs(g.start - start) < 2 || std::abs(g.start - (start + length)) < 2) out.push_back(g.start);
    const auto& segments = editor.plan().segments;
    for (std::size_t i = 1; i < segments.size(); ++i) out.push_back(segments[i].outputStart);
    const auto other = [&](K kind, const Uuid& id) { return !(excluding.kind == kind && excluding.id == id); };
    for (const PlacedMatchCut& c : editor.placedMatchCuts())
        if (!c.cut.id || other(K::matchCut, *c.cut.id)) {
            out.push_back(c.start);
            out.push_back(c.start + c.cut.duration);
        }
    for (const PlacedMotion& m : editor.placedMotions())
        if (other(K::motion, m.effect.id)) {
            out.push_back(m.start);
            out.push_back(m.start + m.effect.duration);
        }
    for (const PlacedSound& s : editor.placedSounds())
        if (other(K::sound, s.sound.id)) {
            out.push_back(s.start);
            out.push_back(s.start + s.sound.duration);
        }
    for (const BRollPlacement& b : editor.brollPlacements())
        if (other(K::overlay, b.item.id)) {
            out.push_back(b.start);
            out.push_back(b.end);
        }
    return out;
}

double snapped(double start, double length, const std::vector<double>& targets, double pps)
{
    double best = reach / pps;
    double result = start;
    for (double g : targets) {
        const double ds = std::abs(g - start);
        if (ds < best) result = g;
        double m = std::min(ds, best);
        if (length > 0) {
            const double de = std::abs(g - (start + length));
            if (de < m) {
                m = de;
                result = g - length;
            }
        }
        best = m;
    }
    return result;
}

std::pair<double, double> dragSpan(std::optional<Edge> edge, double s0, double e0, double seconds, Limits limits,
                                   double length, const std::function<double(double, double)>& snap)
{
    if (!edge) {
        const double d = std::min(length, e0 - s0);
        double s = snap(s0 + seconds, d);
        s = std::max(std::min(s, length - d), 0.0);
        return {s, d};
    }
    if (*edge == Edge::trailing) {
        double e = snap(e0 + seconds, 0);
        e = std::max(e, s0 + limits.lo);
        e = std::min(e, std::min(s0 + limits.hi, length));
        return {s0, e - s0};
    }
    double s = snap(s0 + seconds, 0);
    s = std::min(s, e0 - limits.lo);
    s = std::max(s, e0 - limits.hi);
    s = std::max(s, 0.0);
    return {s, e0 - s};
}

}  // namespace vt::TimelineSnap
