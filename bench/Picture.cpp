// The picture engines: a colour grade with a look on one 1080 × 1920 frame,
// the camera-path analysis of 1080p video (reported per minute of video),
// and drawing one match-cut card frame of each style at 1080 × 1920 without
// the cache. Run it pinned to one core (taskset -c 0) for per-core figures.
#include "support/TalkingHead.h"
#include "support/TestSupport.h"
#include "video/Kernels.h"
#include "video/effects/ColorGrader.h"
#include "video/effects/MatchCutRenderer.h"
#include "video/effects/Stabilizer.h"

#include "OffscreenApplication.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

using namespace vt;

using bench::application;

const QImage& portraitFrame()
{
    // In the compositor's working format, as its frames arrive at the grade.
    static const QImage frame = Kernels::working(test::talkingHead(1080, 1920));
    return frame;
}

void gradeWith(benchmark::State& state, const VideoGrade& grade)
{
    const QImage& frame = portraitFrame();
    ColorGrader::apply(grade, frame, 0);  // builds the cube outside the timing
    for (auto _ : state) benchmark::DoNotOptimize(ColorGrader::apply(grade, frame, 0));
}

void BM_GradeLook(benchmark::State& state)
{
    VideoGrade g;
    g.look = "cinematic";
    gradeWith(state, g);
}
BENCHMARK(BM_GradeLook)->Unit(benchmark::kMillisecond);

void BM_GradeLookAndColourControls(benchmark::State& state)
{
    VideoGrade g;
    g.look = "teal-orange";
    g.exposure = 0.2;
    g.contrast = 0.3;
    g.saturation = 0.1;
    gradeWith(state, g);
}
BENCHMARK(BM_GradeLookAndColourControls)->Unit(benchmark::kMillisecond);

// Seconds of analysis per minute of 1080p 30 fps video, from a 4-second clip.
void BM_StabilizationAnalysisPerMinute(benchmark::State& state)
{
    static test::TempDir dir;
    const auto file = dir / "shaky1080.mp4";
    if (!std::filesystem::exists(file))
        test::run("ffmpeg -v error -y -f lavfi -i testsrc2=size=1920x1080:rate=30 -t 4 "
                  "-vf \"crop=1800:1000:'60+40*sin(n*2.1)':'40+30*cos(n*1.3)',scale=1920:1080\" "
                  "-c:v libx264 -preset veryfast -pix_fmt yuv420p " +
                  test::shellQuote(file.string()));
    SourceVideoInfo info;
    info.naturalWidth = 1920;
    info.naturalHeight = 1080;
    info.fps = 30;
    info.duration = 4;
    for (auto _ : state) benchmark::DoNotOptimize(Stabilizer::analyze(file, info, {}));
    state.counters["minuteOfVideo_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) / 15, benchmark::Counter::kIsRate |
                                                                               benchmark::Counter::kInvert);
}
BENCHMARK(BM_StabilizationAnalysisPerMinute)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_MatchCutFrame(benchmark::State& state)
{
    application();
    MatchCut c;
    c.word = "Coffee";
    c.style = static_cast<MatchCut::Style>(state.range(0));
    c.duration = 2;
    c.cutsPerSecond = 7;
    std::int64_t index = 0;
    for (auto _ : state) benchmark::DoNotOptimize(MatchCutRenderer::frame(c, index++ % 14, QSize(1080, 1920)));
    state.SetLabel(std::string(enumCases(MatchCut::Style{})[static_cast<std::size_t>(state.range(0))].second));
}
BENCHMARK(BM_MatchCutFrame)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);

}  // namespace
