#pragma once
// The coloured blocks of overlays, match cuts and camera moves: what each
// shows, where it sits, its length limits, and how it is painted. Built
// from the editor's placed lists on every change; plain values.

#include "model/Timeline.h"

#include <QColor>
#include <QRectF>
#include <QString>

#include <optional>
#include <vector>

class QPainter;

namespace vt {

class EditorModel;

struct TimelineBlock {
    enum class Edge { leading, trailing };
    struct Limits {
        double lo = 0;  // seconds
        double hi = 0;
    };

    TimelineItem item;
    TimelineLane lane;
    double start = 0;  // output seconds, unclipped
    double end = 0;
    QString title;
    QString help;
    QString icon;
    QColor tint;
    QRectF rect;  // content coordinates, before the 6-point drawn minimum
    bool selected = false;
    std::vector<double> marks;                 // x from the block's left edge
    std::optional<std::vector<double>> curve;  // 0…1 samples across the width
    Limits limits;

    // The drawn frame: at least 6 points wide.
    QRectF frame() const;
    // The edge whose handle holds content x, if any.
    std::optional<Edge> edgeAt(double x) const;
    void paint(QPainter& p) const;
};

namespace TimelineBlocks {
// Every block, overlays first, then match cuts, then camera moves.
std::vector<TimelineBlock> build(const EditorModel& editor, const std::vector<TimelineLane>& lanes, double pps);
// Intensity samples drawn inside a camera-move block.
std::vector<double> curve(const MotionEffect& effect);
}  // namespace TimelineBlocks

}  // namespace vt
