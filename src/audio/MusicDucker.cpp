#include "audio/MusicDucker.h"

#include <algorithm>
#include <cmath>

namespace vt::MusicDucker {

namespace {

constexpr double phraseGap = 1.0;
constexpr double attackLead = 0.3;
constexpr double duckedLead = 0.05;
constexpr double hold = 0.1;
constexpr double release = 0.5;
constexpr double fadeSampling = 0.1;

std::vector<Point> shape(double duration, const std::vector<ClosedRange<double>>& speech, double full, double low)
{
    std::vector<Point> points{{0, full}};
    for (const auto& phrase : phrases(speech)) {
        const double a = std::max(points.back().time, phrase.lower - attackLead);
        const double b = std::max(a, phrase.lower - duckedLead);
        const double c = std::max(b, phrase.upper + hold);
        points.insert(points.end(), {{a, full}, {b, low}, {c, low}, {c + release, full}});
    }
    points.push_back({std::max(duration, points.back().time), points.back().gain});
    return points;
}

void addSeries(std::vector<double>& times, double from, double to)
{
    for (int k = 0;; ++k) {
        const double t = from + k * fadeSampling;
        if (t > to + 1e-9) break;
        times.push_back(t);
    }
}

}  // namespace

std::vector<ClosedRange<double>> phrases(std::vector<ClosedRange<double>> speech)
{
    std::stable_sort(speech.begin(), speech.end(), [](const auto& a, const auto& b) { return a.lower < b.lower; });
    std::vector<ClosedRange<double>> out;
    for (const auto& range : speech) {
        if (!out.empty() && range.lower - out.back().upper < phraseGap)
            out.back().upper = std::max(out.back().upper, range.upper);
        else
            out.push_back(range);
    }
    return out;
}

double value(const std::vector<Point>& points, double time)
{
    if (points.empty()) return 1;
    if (time <= points.front().time) return points.front().gain;
    for (std::size_t i = 1; i < points.size(); ++i) {
        if (points[i].time < time) continue;
        const Point& p = points[i - 1];
        const Point& q = points[i];
        if (q.time > p.time) return p.gain + (q.gain - p.gain) * (time - p.time) / (q.time - p.time);
        return q.gain;
    }
    return points.back().gain;
}

std::vector<Point> curve(double duration, const std::vector<ClosedRange<double>>& speech, const BackgroundMusic& music)
{
    if (!(duration > 0)) return {};
    const double full = std::pow(10.0, music.volume / 20);
    const double low = full * std::pow(10.0, -music.ducking / 20);
    const std::vector<Point> points = shape(duration, speech, full, low);

    std::vector<double> times;
    for (const Point& p : points)
        if (p.time <= duration) times.push_back(p.time);
    if (music.fadeIn > 0)
        addSeries(times, 0, music.fadeIn);
    else
        times.push_back(0);
    addSeries(times, std::max(duration - music.fadeOut, 0.0), duration);
    times.push_back(duration);
    std::sort(times.begin(), times.end());
    times.erase(std::unique(times.begin(), times.end()), times.end());

    std::vector<Point> out;
    for (double t : times) {
        double fade = 1;
        if (music.fadeIn > 0 && t < music.fadeIn) fade *= t / music.fadeIn;
        if (music.fadeOut > 0 && t > duration - music.fadeOut) fade *= std::max(duration - t, 0.0) / music.fadeOut;
        out.push_back({t, value(points, t) * fade});
    }
    return out;
}

}  // namespace vt::MusicDucker
