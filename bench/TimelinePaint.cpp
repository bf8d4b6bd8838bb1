// What one paint of the timeline tracks costs for an hour-long cut with 300
// timeline items (camera moves, match cuts, overlays and sounds), with the
// video's filmstrip and waveform loaded, at three zoom levels: the whole
// hour fitted into the viewport, a middle zoom and the closest zoom, each
// scrolled to the middle of the hour.

#include "OffscreenApplication.h"
#include "StillClock.h"
#include "editor/EditorModel.h"
#include "ui/timeline/TimelinePanel.h"
#include "ui/timeline/TimelineTracks.h"

#include <QApplication>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>

#include <benchmark/benchmark.h>

using namespace vt;

namespace {

QApplication& application() { return bench::widgetApplication(); }

constexpr double hour = 3600;

// An hour of video read from memory: a picture a second and 50 peaks a second.
class HourMedia final : public EditorMedia {
public:
    std::optional<SourceVideoInfo> probeVideo(const std::string&) override
    {
        SourceVideoInfo info;
        info.naturalWidth = 1920;
        info.naturalHeight = 1080;
        info.duration = hour;
        return info;
    }
    std::optional<QImage> frame(const std::string&, double) override { return std::nullopt; }
    std::optional<double> duration(const std::string&) override { return 20; }
    std::vector<float> peaks(const std::string&) override
    {
        std::vector<float> out(std::size_t(hour * 50));
        for (std::size_t i = 0; i < out.size(); ++i) out[i] = float((i * 7919) % 100) / 100.f;
        return out;
    }
    std::optional<QImage> thumbnail(const BRoll&) override { return std::nullopt; }
    std::vector<Filmstrip::Frame> filmstrip(const std::string&, double lower, double upper, int maxCount) override
    {
        std::vector<Filmstrip::Frame> out;
        const int n = std::min(maxCount, int(upper - lower));
        for (int i = 0; i < n; ++i) {
            QImage image(68, 38, QImage::Format_RGB32);
            image.fill(QColor::fromHsv(i % 360, 120, 200));
            out.push_back({lower + (upper - lower) * (i + 0.5) / n, image});
        }
        return out;
    }
    std::vector<Filmstrip::Frame> framesAtSource(const std::vector<ClipSpan>&, const std::vector<double>&, int) override
    {
        return {};
    }
};

Project hourWithItems()
{
    Project p;
    p.videoPath = "/media/hour.mov";
    p.sourceDuration = hour;
    double t = 0.2;
    for (int i = 0; t < hour - 1; ++i) {
        Word w;
        w.id = Uuid::random();
        w.text = i % 9 == 8 ? "studio." : "word";
        w.start = t;
        w.end = t + 0.3;
        t = w.end + (i % 60 == 59 ? 1.0 : 0.06);
        p.words.push_back(std::move(w));
    }
    p.motions.emplace();
    p.matchCuts.emplace();
    p.brolls.emplace();
    p.sounds.emplace();
    for (int i = 0; i < 300; ++i) {
        const double at = 5 + i * 11.9;
        switch (i % 4) {
        case 0: {
            MotionEffect m;
            m.kind = MotionEffect::Kind(i % 11);
            m.start = at;
            m.duration = 2;
            p.motions->push_back(m);
            break;
        }
        case 1: {
            MatchCut c;
            c.id = Uuid::random();
            c.word = "moment";
            c.start = at;
            c.duration = 1.5;
            c.cutsPerSecond = 8;
            p.matchCuts->push_back(c);
            break;
        }
        case 2: {
            BRoll b;
            b.path = "/media/over.mov";
            b.name = "over";
            b.start = at;
            b.length = 4;
            p.brolls->push_back(b);
            break;
        }
        default: {
            SoundClip s;
            s.path = "/media/sound.m4a";
            s.name = "whoosh";
            s.start = at;
            s.duration = 3;
            s.fileDuration = 20;
            p.sounds->push_back(s);
        }
        }
    }
    return p;
}

struct TimelineBench {
    EditorModel model;
    TimelinePanel panel;
    explicit TimelineBench(double zoom)
        : model(hourWithItems(), nullptr,
                EditorServices{nullptr, std::make_shared<HourMedia>(), nullptr, nullptr,
                               std::make_shared<bench::StillClock>()}),
          panel(model, [] {})
    {
        panel.resize(1400, 700);
        panel.show();
        while (model.isLoading() || model.filmstrip().empty() || model.waveformPeaks().empty())
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        model.setTimelineZoom(zoom);
        QApplication::processEvents();
        QScrollBar* bar = panel.horizontalScroll()->horizontalScrollBar();
        bar->setValue(bar->maximum() / 2);
        QApplication::processEvents();
    }
};

void BM_PaintTracks(benchmark::State& state)
{
    application();
    TimelineBench b(double(state.range(0)));
    TimelineTracks& tracks = *b.panel.tracks();
    // What the scroll area shows: one viewport of the tracks.
    const QRect visible(b.panel.horizontalScroll()->horizontalScrollBar()->value(), 0,
                        b.panel.horizontalScroll()->viewport()->width(), tracks.height());
    QImage target(visible.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        target.fill(Qt::transparent);
        tracks.render(&target, QPoint(), QRegion(visible));
        benchmark::DoNotOptimize(target.bits());
    }
    state.counters["pps"] = b.panel.scale().pps;
    state.counters["items"] = double(b.model.placedMotions().size() + b.model.placedMatchCuts().size() +
                                     b.model.brollPlacements().size() + b.model.placedSounds().size());
}
BENCHMARK(BM_PaintTracks)->Arg(1)->Arg(8)->Arg(40)->Unit(benchmark::kMillisecond);

}  // namespace
