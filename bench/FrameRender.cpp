// Composing one 1080 × 1920 output frame from a 1920 × 1080 source: plain,
// with captions, with captions behind the speaker, with a picture-in-picture
// B-roll and a cut transition, with a camera move; and the costliest stages
// on their own. Run it pinned to one core (taskset -c 0) for per-core figures.
#include "support/CaptionLines.h"
#include "support/TalkingHead.h"
#include "video/BRollRenderer.h"
#include "video/Compositor.h"
#include "video/SpeakerMask.h"
#include "video/Transitions.h"

#include "OffscreenApplication.h"

#include <QGuiApplication>
#include <QImage>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace {

using namespace vt;

using bench::application;

const std::vector<QImage>& sources();

// Everything made once, before any timing starts.
void app()
{
    application();
    sources();
}

// Distinct source frames (the face drifts), more than any per-frame cache holds.
const std::vector<QImage>& sources()
{
    static const std::vector<QImage> frames = [] {
        std::vector<QImage> out;
        for (int i = 0; i < 32; ++i)
            out.push_back(test::talkingHead(1920, 1080, true, 0.4, 0.45 + 0.003 * i)
                              .convertToFormat(QImage::Format_ARGB32_Premultiplied));
        return out;
    }();
    return frames;
}

CaptionGroup captionLine()
{
    CaptionGroup group = test::captionLine({"make", "the", "point", "land"}, 0);
    group.end = 100;
    return group;
}

RenderSnapshot baseSnapshot(bool captions)
{
    RenderSnapshot snap;
    snap.renderSize = {1080, 1920};
    snap.reframe = ReframeMode::smart;
    snap.faceTrack = FaceTrack{{{0, 0.5, 0.62}, {100, 0.55, 0.6}}};
    snap.plan.segments = {{0, 50, 0}, {51, 100, 50}};
    snap.style.id = "bench";
    snap.style.font = "Montserrat-Black";
    snap.style.fontSize = 84;
    snap.style.textColor = {1, 1, 1, 1};
    snap.style.uppercase = true;
    snap.style.maxWordsPerGroup = 4;
    snap.style.maxWordsPerLine = 3;
    snap.style.verticalPosition = 0.7;
    snap.style.strokeColor = RGBA{0, 0, 0, 1};
    snap.style.strokeWidth = 6;
    if (captions) snap.groups = {captionLine()};
    return snap;
}

void renderFrames(benchmark::State& state, const RenderSnapshot& snap, double time)
{
    app();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Compositor::render(sources()[i % sources().size()], time, snap));
        ++i;
    }
}

void Plain(benchmark::State& state) { renderFrames(state, baseSnapshot(false), 1.0); }
BENCHMARK(Plain)->Unit(benchmark::kMillisecond);

void WithCaptions(benchmark::State& state) { renderFrames(state, baseSnapshot(true), 1.0); }
BENCHMARK(WithCaptions)->Unit(benchmark::kMillisecond);

void WithCaptionsBehindTheSpeaker(benchmark::State& state)
{
    RenderSnapshot snap = baseSnapshot(true);
    snap.style.behindSubject = true;
    snap.style.verticalPosition = 0.35;
    renderFrames(state, snap, 1.0);
}
BENCHMARK(WithCaptionsBehindTheSpeaker)->Unit(benchmark::kMillisecond);

std::string stillPath()
{
    static const std::string path = [] {
        const auto file = std::filesystem::temp_directory_path() / "vellumtide-bench-still.png";
        test::talkingHead(1600, 1200, false).save(QString::fromStdString(file.string()));
        return file.string();
    }();
    return path;
}

void WithPictureInPictureAndTransition(benchmark::State& state)
{
    RenderSnapshot snap = baseSnapshot(true);
    BRollPlacement pip;
    pip.item.isImage = true;
    pip.item.path = stillPath();
    pip.item.layout = BRollLayout::pip;
    pip.item.kenBurns = true;
    pip.start = 49;
    pip.end = 52;
    snap.broll = {pip};
    snap.transition = CutTransition::whip;
    renderFrames(state, snap, 50.05);
}
BENCHMARK(WithPictureInPictureAndTransition)->Unit(benchmark::kMillisecond);

void WithCameraMove(benchmark::State& state)
{
    RenderSnapshot snap = baseSnapshot(true);
    PlacedMotion move;
    move.effect.kind = MotionEffect::Kind::zoomIn;
    move.effect.duration = 2;
    move.start = 0;
    snap.motions = {move};
    renderFrames(state, snap, 1.0);
}
BENCHMARK(WithCameraMove)->Unit(benchmark::kMillisecond);

// Stages on their own.

void StageReframeFit(benchmark::State& state)
{
    app();
    for (auto _ : state)
        benchmark::DoNotOptimize(Compositor::reframe(sources()[0], {1080, 1920}, ReframeMode::fit, {0.5, 0.5}));
}
BENCHMARK(StageReframeFit)->Unit(benchmark::kMillisecond);

void StageSpeakerMask(benchmark::State& state)
{
    app();
    std::vector<QImage> framed;
    for (const QImage& source : sources())
        framed.push_back(Compositor::reframe(source, {1080, 1920}, ReframeMode::smart, {0.5, 0.6}));
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(SpeakerMask::mask(framed[i++ % framed.size()]));
}
BENCHMARK(StageSpeakerMask)->Unit(benchmark::kMillisecond);

void StageSpeakerMaskSameFrame(benchmark::State& state)
{
    app();
    const QImage framed = Compositor::reframe(sources()[0], {1080, 1920}, ReframeMode::smart, {0.5, 0.6});
    for (auto _ : state) benchmark::DoNotOptimize(SpeakerMask::mask(framed));
}
BENCHMARK(StageSpeakerMaskSameFrame)->Unit(benchmark::kMillisecond);

void StageWhip(benchmark::State& state)
{
    app();
    const QImage frame = Compositor::reframe(sources()[0], {1080, 1920}, ReframeMode::smart, {0.5, 0.6});
    EditPlan plan;
    plan.segments = {{0, 1, 0}, {2, 3, 1}};
    for (auto _ : state)
        benchmark::DoNotOptimize(Transitions::apply(CutTransition::whip, frame, 1.02, plan, {1080, 1920}));
}
BENCHMARK(StageWhip)->Unit(benchmark::kMillisecond);

void StageAdaptiveBlend(benchmark::State& state)
{
    app();
    RenderSnapshot snap = baseSnapshot(true);
    snap.style.blendDarkColor = RGBA{0, 0, 0, 1};
    renderFrames(state, snap, 1.0);
}
BENCHMARK(StageAdaptiveBlend)->Unit(benchmark::kMillisecond);

}  // namespace
