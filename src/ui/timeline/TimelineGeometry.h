#pragma once
// The timeline's geometry as pure functions: the scale from the zoom, the
// lane list and where each lane sits, the ruler's steps, the visible window,
// block sizes, the playhead follower's scroll target, clip trims and moves,
// and drop times. The views call these and tests call them directly.
// Positions are in points, times in output seconds; x = t × pps.

#include "model/Timeline.h"

#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace vt {

namespace TimelineGeometry {

struct Scale {
    double duration = 0.5;  // output length, at least 0.5 s
    double viewport = 120;  // visible width of the tracks
    double fit = 1;         // the scale at which the cut fills the viewport
    double pps = 1;         // points per second
    double contentWidth = 48;
    double markerSpacing = 40;
    int markerCount = 1;
};
// For a lanes area `width` points wide, an output `length` seconds long and
// a zoom factor.
Scale scale(double width, double length, double zoom);

// What the lane list is made of: the overlay and camera-move spans (output
// seconds) in the editor's order, the highest sound row, and the optional
// lanes.
struct LaneInputs {
    std::vector<std::pair<double, double>> overlays;
    std::vector<std::pair<double, double>> motions;
    int lastSoundRow = -1;  // -1: no sounds
    bool hook = false;
    bool voice = false;
    bool music = false;
};
std::vector<TimelineLane> lanes(const LaneInputs& in);

// Top of a lane's content (ruler band included); a lane not in the list
// sits below all of them.
double laneTop(const std::vector<TimelineLane>& lanes, const TimelineLane& lane);
// The lane whose content (not the spacing under it) holds y, ends included.
std::optional<TimelineLane> laneAt(const std::vector<TimelineLane>& lanes, double y);

// The playhead time for a content x: never below 0, and 0.02 s before the
// end at most (0 for a timeline shorter than that).
double seekTime(double x, double pps, double length);

// The painted window of the lanes (start, width): at most two viewports,
// from half a viewport before the visible edge, never past the content.
std::pair<double, double> canvasWindow(double contentWidth, double viewport, double scrollX);

struct RulerStep {
    double major = 1;
    int subdivisions = 5;
    double minor() const { return major / subdivisions; }
};
RulerStep rulerStep(double pps);
// A major tick's label: tenths when the step is below a second.
QString rulerLabel(double time, const RulerStep& step);

// Block width for an item from start to end on a timeline `length` long,
// cut off at the end and at least 0.05 s wide (before any drawn minimum).
double blockWidth(double start, double end, double length, double pps);
// Width of the edge handles of a box `width` wide.
double handleWidth(double width);
// Tick x positions inside a match-cut block.
std::vector<double> matchCutMarks(double duration, double cutsPerSecond, double pps);

// The marker to scroll to when the playhead at content x is out of view;
// none while it is in view.
std::optional<int> followMarker(double x, double scrollX, double viewport, double markerSpacing);
// The marker that centres content x after a change of scale.
int centreMarker(double x, double viewport, double markerSpacing);

// A clip's trims (start, end) during an edge drag: from the trims at the
// drag's start moved by `seconds`, each clamped so at least 0.5 s of a
// `duration`-long clip stays and neither goes below 0.
std::pair<double, double> clipTrim(bool leading, double trimStart, double trimEnd, double seconds, double duration);
// Where a clip dragged by dx lands: the number of the other clips whose
// centre lies strictly left of its moved centre. Spans in output seconds.
int clipMoveTarget(const std::vector<std::pair<double, double>>& spans, std::size_t moved, double dx, double pps);

// The output time of a drop at content x.
double dropTime(double x, double pps, double duration);
// The clip index a video dropped at `time` on the video lane goes to.
int dropClipIndex(const std::vector<std::pair<double, double>>& spans, double time);

}  // namespace TimelineGeometry

}  // namespace vt
