#pragma once
// Editing a volume line on the timeline: what a press grabs (a point, the
// line, a fade handle), the double-click that adds or removes a point, the
// drag arithmetic, the pointer shape, and writing the video's own envelope
// back to source time. Coordinates are the item's own: x = 0 at its start,
// x = time × pps, y = 0 at the top of the lane. Pure.

#include "model/EditPlan.h"
#include "model/VolumeEnvelope.h"

#include <QPointF>
#include <Qt>

#include <optional>

namespace vt {

struct VolumeGrab {
    enum class Kind { point, line, fadeIn, fadeOut };
    Kind kind = Kind::line;
    Uuid point;  // for a point

    friend bool operator==(const VolumeGrab& a, const VolumeGrab& b)
    {
        return a.kind == b.kind && (a.kind != Kind::point || a.point == b.point);
    }
};

struct VolumeGeometry {
    double height = 36;
    // +6 dB 5 points below the top, −40 dB (and quieter) 5 points above the bottom.
    double y(double db) const;
    // The level at a height, clamped to −40 … +6 dB.
    double db(double y) const;
};

namespace VolumeEditing {

// The level the line shows at `time`: the gain with fades and the silence
// rule, in dB within −40 … +6.
double shownDB(const VolumeEnvelope& env, double time, double length);
// What a press at `at` takes hold of; none when nothing of the line is near.
std::optional<VolumeGrab> grab(QPointF at, const VolumeEnvelope& env, double length, double pps,
                               const VolumeGeometry& geo);
// Double-click: removes the point under the pointer (the base level keeps the
// line's level when none is left), else adds a point on the line there.
VolumeEnvelope toggle(QPointF at, const VolumeEnvelope& env, double length, double pps, const VolumeGeometry& geo);
// The envelope while `grabbed` of `start` is dragged to `at` (time `time`,
// vertical translation `dy`).
VolumeEnvelope drag(const VolumeGrab& grabbed, const VolumeEnvelope& start, double time, double y, double dy,
                    double length, const VolumeGeometry& geo);
Qt::CursorShape cursor(const std::optional<VolumeGrab>& grabbed);

// The video's envelope edited in output time, back in source time. Points
// whose output time did not change keep their stored source time, so a
// point inside a cut stays where it was; moved or new points map through
// the plan.
VolumeEnvelope toSource(const VolumeEnvelope& edited, const VolumeEnvelope& placed, const VolumeEnvelope& stored,
                        const EditPlan& plan);

}  // namespace VolumeEditing

}  // namespace vt
