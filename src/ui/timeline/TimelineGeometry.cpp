#include "ui/timeline/TimelineGeometry.h"

#include "ui/inspector/TimeFormat.h"
#include "ui/timeline/TimelineMetrics.h"

#include <algorithm>
#include <cmath>

namespace vt::TimelineGeometry {

Scale scale(double width, double length, double zoom)
{
    Scale s;
    s.duration = std::max(length, 0.5);
    s.viewport = std::max(width - TimelineMetrics::headerWidth, 120.0);
    s.fit = std::max((s.viewport - 48) / s.duration, 1.0);
    s.pps = std::max(s.fit, std::min(s.fit * zoom, 400.0));
    s.contentWidth = s.duration * s.pps + 48;
    s.markerSpacing = std::max(s.contentWidth / 400, 40.0);
    s.markerCount = static_cast<int>(s.contentWidth / s.markerSpacing) + 1;
    return s;
}

std::vector<TimelineLane> lanes(const LaneInputs& in)
{
    using K = TimelineLane::Kind;
    const auto rowCount = [](const std::vector<std::pair<double, double>>& spans) {
        const std::vector<int> rows = Timeline::rows(spans);
        const int n = rows.empty() ? 0 : *std::max_element(rows.begin(), rows.end()) + 1;
        return std::max(n, 1);
    };
    std::vector<TimelineLane> out{TimelineLane::of(K::video)};
    for (int r = 0, n = rowCount(in.overlays); r < n; ++r) out.push_back(TimelineLane::of(K::overlay, r));
    out.push_back(TimelineLane::of(K::captions));
    if (in.hook) out.push_back(TimelineLane::of(K::hook));
    out.push_back(TimelineLane::of(K::matchCut));
    for (int r = 0, n = rowCount(in.motions); r < n; ++r) out.push_back(TimelineLane::of(K::effects, r));
    out.push_back(TimelineLane::of(K::audio));
    for (int r = 0, n = std::max(in.lastSoundRow + 1, 1); r < n; ++r) out.push_back(TimelineLane::of(K::sounds, r));
    if (in.voice) out.push_back(TimelineLane::of(K::voice));
    if (in.music) out.push_back(TimelineLane::of(K::music));
    return out;
}

double laneTop(const std::vector<TimelineLane>& lanes, const TimelineLane& lane)
{
    double y = TimelineMetrics::rulerBand + TimelineMetrics::spacing;
    for (const TimelineLane& l : lanes) {
        if (l == lane) return y;
        y += TimelineMetrics::laneHeight(l) + TimelineMetrics::spacing;
    }
    return y;
}

std::optional<TimelineLane> laneAt(const std::vector<TimelineLane>& lanes, double y)
{
    double top = TimelineMetrics::rulerBand + TimelineMetrics::spacing;
    for (const TimelineLane& l : lanes) {
        const double h = TimelineMetrics::laneHeight(l);
        if (y >= top && y <= top + h) return l;
        top += h + TimelineMetrics::spacing;
    }
    return std::nullopt;
}

double seekTime(double x, double pps, double length)
{
    const double t = std::min(std::max(x / pps, 0.0), length - 0.02);
    // A timeline shorter than 0.02 s would give a time before the start.
    return std::isfinite(t) ? std::max(t, 0.0) : 0.0;
}

std::pair<double, double> canvasWindow(double contentWidth, double viewport, double scrollX)
{
    const double x0 = std::max(0.0, std::min(contentWidth - 2 * viewport, scrollX - 0.5 * viewport));
    return {x0, std::min(2 * viewport, contentWidth - x0)};
}

RulerStep rulerStep(double pps)
{
    static constexpr double steps[] = {0.5, 1, 2, 5, 10, 15, 30, 60, 120, 300};
    RulerStep s{600, 5};
    for (double step : steps)
        if (step * pps >= 64) {
            s.major = step;
            break;
        }
    s.subdivisions = s.major == 15 ? 3 : 5;
    return s;
}

QString rulerLabel(double time, const RulerStep& step)
{
    if (step.major >= 1) return ui::formatTime(time);
    const long n = static_cast<long>(std::floor(std::max(time, 0.0) * 10));
    return ui::formatTime(double(n / 10)) + QStringLiteral(".") + QString::number(n % 10);
}

double blockWidth(double start, double end, double length, double pps)
{
    return std::max(std::min(end, length) - start, 0.05) * pps;
}

double handleWidth(double width) { return std::min(std::max(width * 0.25, 3.0), 8.0); }

std::vector<double> matchCutMarks(double duration, double cutsPerSecond, double pps)
{
    const double product = duration * cutsPerSecond;
    int n = std::isfinite(product) ? static_cast<int>(std::lround(std::clamp(product, -1e6, 1e6))) : 4;
    n = std::max(n, 4);
    const int m = std::min(n, 80);
    std::vector<double> marks;
    for (int i = 1; i < m; ++i) marks.push_back(i * (duration / n) * pps);
    return marks;
}

std::optional<int> followMarker(double x, double scrollX, double viewport, double markerSpacing)
{
    if (x >= scrollX + 2 && x <= scrollX + viewport - 30) return std::nullopt;
    return static_cast<int>(std::max(x - 0.15 * viewport, 0.0) / markerSpacing);
}

int centreMarker(double x, double viewport, double markerSpacing)
{
    return static_cast<int>(std::max(x - 0.5 * viewport, 0.0) / markerSpacing);
}

std::pair<double, double> clipTrim(bool leading, double trimStart, double trimEnd, double seconds, double duration)
{
    constexpr double kept = 0.5;
    const auto clamp = [](double v, double limit) { return std::max(std::min(std::max(v, 0.0), limit), 0.0); };
    double start = leading ? trimStart + seconds : trimStart;
    double end = leading ? trimEnd : trimEnd - seconds;
    start = clamp(start, duration - kept);
    end = clamp(end, duration - start - kept);
    return {start, end};
}

int clipMoveTarget(const std::vector<std::pair<double, double>>& spans, std::size_t moved, double dx, double pps)
{
    if (moved >= spans.size()) return 0;
    const double m = (spans[moved].first + spans[moved].second) / 2 * pps + dx;
    int target = 0;
    for (std::size_t i = 0; i < spans.size(); ++i)
        if (i != moved && (spans[i].first + spans[i].second) / 2 * pps < m) ++target;
    return target;
}

double dropTime(double x, double pps, double duration)
{
    return std::min(std::max(duration - 0.1, 0.0), std::max(x / pps, 0.0));
}

int dropClipIndex(const std::vector<std::pair<double, double>>& spans, double time)
{
    return static_cast<int>(std::count_if(spans.begin(), spans.end(),
                                          [&](const auto& s) { return (s.first + s.second) / 2 < time; }));
}

}  // namespace vt::TimelineGeometry
