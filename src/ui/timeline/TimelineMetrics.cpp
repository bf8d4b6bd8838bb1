#include "ui/timeline/TimelineMetrics.h"

namespace vt {

namespace TimelineMetrics {

double laneHeight(const TimelineLane& lane)
{
    using K = TimelineLane::Kind;
    switch (lane.kind) {
    case K::video: return 38;
    case K::overlay: return 26;
    case K::captions: return 22;
    case K::hook: return 20;
    case K::matchCut: return 26;
    case K::effects: return 26;
    case K::audio: return 42;
    case K::sounds: return 36;
    case K::voice: return 22;
    case K::music: return 22;
    }
    return 22;
}

double height(const std::vector<TimelineLane>& lanes)
{
    double total = rulerBand + spacing;
    for (const TimelineLane& lane : lanes) total += laneHeight(lane) + spacing;
    return total;
}

QFont font(double points, QFont::Weight weight)
{
    QFont f;
    f.setPointSizeF(points);
    f.setWeight(weight);
    return f;
}

}  // namespace TimelineMetrics

namespace TimelineTint {
namespace {
QColor rgb(double r, double g, double b) { return QColor::fromRgbF(float(r), float(g), float(b)); }
}  // namespace

QColor matchCut() { return rgb(1.0, 0.82, 0.22); }
QColor motion() { return rgb(0.66, 0.5, 1.0); }
QColor caption() { return rgb(0.36, 0.62, 1.0); }
QColor hook() { return rgb(1.0, 0.45, 0.62); }
QColor broll() { return rgb(0.26, 0.8, 0.62); }
QColor sound() { return rgb(0.32, 0.78, 0.45); }
QColor voice() { return rgb(1.0, 0.42, 0.48); }
QColor music() { return rgb(0.98, 0.62, 0.28); }
QColor clip() { return rgb(0.4, 0.6, 1.0); }
QColor volume() { return rgb(1.0, 0.86, 0.3); }
}  // namespace TimelineTint

}  // namespace vt
