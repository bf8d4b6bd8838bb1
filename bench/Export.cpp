// Export of a generated 30 s 1080×1920 30 fps project through the program's
// export composer (its own composition, every frame composed by the frame
// compositor with animated caption lines, the sound mixed) and the exporter
// (H.264 High 10 Mb/s, AAC 192 kb/s), side by side with the ffmpeg command
// re-encoding the same source with the same encoder and settings (the floor:
// no captions, no compositing). Both run libx264 as it comes (preset medium,
// a 40-frame lookahead, 1.5 threads a core), so the encoder's own frames,
// most of either side's memory, weigh the same on both.
//
// On the export line, `ratio_to_floor` is its wall time over the floor's
// (the floor runs first) and `cpu_ratio_to_floor` the same for the CPU time
// both took; pin both to the same cores with `taskset` to compare like with
// like. `peak_MB` is how far the process's resident size rose during the
// export (the floor's is ffmpeg's own peak), `mem_ratio_to_floor` the one
// over the other, and `left_MB` what stayed resident after the export
// (mostly libraries and fonts loaded once). Run with --benchmark_filter and
// a shorter `BENCH_EXPORT_SECONDS` to see memory stay flat with the length.

#include "OffscreenApplication.h"
#include "export/CompositionExportComposer.h"
#include "export/Exporter.h"
#include "platform/media/MediaWriter.h"
#include "video/CompositionVideo.h"
#include "video/Filmstrip.h"
#include "video/effects/ThumbnailGenerator.h"
#include "BenchCaptions.h"
#include "support/TestSupport.h"
#include "support/TestVideos.h"

#include <QThreadPool>
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>

using namespace vt;

namespace {

constexpr int kWidth = 1080, kHeight = 1920, kFps = 30;

double seconds()
{
    const char* given = std::getenv("BENCH_EXPORT_SECONDS");
    return given ? std::atof(given) : 30.0;
}

const std::filesystem::path& source()
{
    static const std::filesystem::path file = test::cachedMedia(
        "vellumtide-bench-export-source-" + std::to_string(int(seconds())) + ".mp4",
        "-f lavfi -i testsrc2=size=1080x1920:rate=30 -f lavfi -i sine=frequency=330:sample_rate=48000 -t " +
            std::to_string(seconds()) + " -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac -ac 2");
    return file;
}

ExportRequest request()
{
    ExportRequest r;
    r.clips = {{Uuid::random(), source(), 0, seconds(), SourceVideoInfo{kWidth, kHeight, {}, kFps, seconds(), false}, std::nullopt, 1}};
    RenderSnapshot& snap = r.snapshot;
    snap.plan = test::keptPlan({{0, seconds()}});
    snap.renderSize = {kWidth, kHeight};
    bench::addCaptions(snap, seconds());
    snap.style.animation = EntranceAnimation::pop;
    r.speechSpans = ExportRequest::speechSpansOf(snap.groups);
    return r;
}

// A field of /proc/self/status ("VmRSS", "VmHWM") in megabytes.
double statusMegabytes(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field + ":", 0) == 0) return std::stod(line.substr(field.size() + 1)) / 1024.0;
    return 0;
}

// How far the process's resident size rises above where it stood when the
// watch began: the peak is reset to the present size first, so what the
// benchmark set up before does not count.
class PeakRise {
public:
    PeakRise()
    {
        std::ofstream("/proc/self/clear_refs") << "5";
        start_ = statusMegabytes("VmRSS");
    }
    double megabytes() const { return statusMegabytes("VmHWM") - start_; }
    // What is still resident above the start.
    double leftMegabytes() const { return statusMegabytes("VmRSS") - start_; }

private:
    double start_ = 0;
};

// User and system seconds.
double cpuSecondsOf(const rusage& usage)
{
    const auto seconds = [](timeval t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct ChildRun {
    int status = -1;
    double seconds = 0;     // wall
    double cpuSeconds = 0;  // user and system
    double peakMB = 0;      // its largest resident size
};

// Runs a shell command as a child of its own, so that its peak memory and
// CPU are its alone (not those of earlier children, as RUSAGE_CHILDREN
// would have them). The kernel reports the larger of the command's peak and
// what the child was forked with (at most this process's resident size), so
// a figure clearly above that size is the command's own; `peakMB` is zero
// otherwise.
ChildRun runChild(const std::string& command)
{
    // Made before the fork: the child of a process with threads may only
    // exec, not allocate.
    const std::string line = "exec " + command + " >/dev/null 2>&1";
    const double forkedWith = statusMegabytes("VmRSS");
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execl("/bin/sh", "sh", "-c", line.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    ChildRun run;
    rusage usage{};
    if (pid < 0 || wait4(pid, &run.status, 0, &usage) != pid) return run;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.cpuSeconds = cpuSecondsOf(usage);
    run.peakMB = usage.ru_maxrss / 1024.0 > 1.1 * forkedWith ? usage.ru_maxrss / 1024.0 : 0;
    return run;
}

// CPU seconds (user and system) spent so far by this process: on a machine
// shared with other work, the CPU an export takes varies much less from run
// to run than its wall time.
double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return cpuSecondsOf(usage);
}

double floorSeconds = 0;
double floorCpuSeconds = 0;
double floorPeakMB = 0;

void BM_FfmpegFloor(benchmark::State& state)
{
    const std::string cmd = "ffmpeg -v error -y -i " + test::shellQuote(source().string()) +
                            " -c:v libx264 -profile:v high -b:v 10M -g 60 -pix_fmt yuv420p -c:a aac -b:a 192k -ar 48000 -ac 2 " +
                            test::shellQuote((std::filesystem::temp_directory_path() / "vellumtide-bench-floor.mp4").string());
    for (auto _ : state) {
        const ChildRun run = runChild(cmd);
        if (!WIFEXITED(run.status) || WEXITSTATUS(run.status) != 0) state.SkipWithError("ffmpeg failed");
        floorSeconds = run.seconds;
        floorCpuSeconds = run.cpuSeconds;
        floorPeakMB = run.peakMB;
    }
    state.counters["cpu_s"] = floorCpuSeconds;
    state.counters["peak_MB"] = floorPeakMB;
}

void exportOnce(const ExportRequest& r, const std::filesystem::path& to)
{
    const ExportSettings::Resolved settings{{kWidth, kHeight}, kFps, 10, VideoCodec::h264, false, "1080p"};
    CompositionExportComposer composer;
    auto video = composer.video(r);
    auto audio = composer.audio(r, true);
    Exporter::exportVideo(*video, audio.get(), settings, to, {}, CancelToken());
}

void BM_Export(benchmark::State& state)
{
    const ExportRequest r = request();
    test::TempDir dir;
    double took = 0, cpu = 0, peak = 0, left = 0;
    for (auto _ : state) {
        const PeakRise rise;
        const auto start = std::chrono::steady_clock::now();
        const double cpuBefore = cpuSeconds();
        exportOnce(r, dir / "export.mp4");
        took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        cpu = cpuSeconds() - cpuBefore;
        peak = rise.megabytes();
        left = rise.leftMegabytes();
    }
    state.counters["cpu_s"] = cpu;
    if (floorSeconds > 0) state.counters["ratio_to_floor"] = took / floorSeconds;
    if (floorCpuSeconds > 0) state.counters["cpu_ratio_to_floor"] = cpu / floorCpuSeconds;
    state.counters["peak_MB"] = peak;
    state.counters["left_MB"] = left;
    if (floorPeakMB > 0) state.counters["mem_ratio_to_floor"] = peak / floorPeakMB;
}

// The editor's thumbnail search (18 frames read at up to 1920 pixels and
// scored on a pool thread, three kept) and then an export, as a user who
// picks a cover first does: `peak_MB` is how far the process rises above
// where it stood before the search, `kept_MB` what the search left resident.
void BM_ExportAfterThumbnails(benchmark::State& state)
{
    const ExportRequest r = request();
    VideoClip clip;
    clip.path = source().string();
    clip.duration = seconds();
    const std::vector<ClipSpan> spans{{clip, 0}};
    test::TempDir dir;
    double peak = 0, kept = 0;
    for (auto _ : state) {
        const PeakRise rise;
        std::vector<ThumbnailCandidate> found;
        QThreadPool::globalInstance()->start([&] {
            found = ThumbnailGenerator::candidates(r.snapshot.plan, 3, [&](const std::vector<double>& times) {
                std::vector<std::pair<double, QImage>> read;
                for (auto& frame : Filmstrip::framesAtSource(spans, times, 1920)) read.emplace_back(frame.time, std::move(frame.image));
                return read;
            });
        });
        QThreadPool::globalInstance()->waitForDone();
        kept = rise.leftMegabytes();
        exportOnce(r, dir / "export.mp4");
        peak = rise.megabytes();
        benchmark::DoNotOptimize(found);
    }
    state.counters["peak_MB"] = peak;
    state.counters["kept_MB"] = kept;
    if (floorPeakMB > 0) state.counters["mem_ratio_to_floor"] = peak / floorPeakMB;
}

// Where one frame's time goes, on one thread, stage by stage (milliseconds
// a frame): reading the sources (decoding and converting to RGB), composing
// (framing, captions), converting to the encoder's pixel format.
void BM_ExportStages(benchmark::State& state)
{
    const ExportRequest r = request();
    const BuildResult built = CompositionBuilder::build(CompositionExportComposer::buildRequest(r, true));
    RenderSnapshot snap = r.snapshot;
    snap.broll = built.broll;
    CompositionVideo video(built.composition, built.clipTracks, std::make_shared<RenderState>(snap));
    test::TempDir dir;
    media::MediaWriter writer(dir / "stages.mp4", media::WriterContainer::mp4,
                              media::VideoEncoding{kWidth, kHeight, kFps, 10'000'000}, false);
    media::PictureConverter converter = writer.pictureConverter();
    using Clock = std::chrono::steady_clock;
    Clock::duration reading{}, composing{}, converting{};
    int frames = 0;
    for (auto _ : state) {
        for (int k = 0; k < 3 * kFps; ++k, ++frames) {
            const auto t0 = Clock::now();
            CompositionVideo::Sources sources = video.read(double(k) / kFps);
            const auto t1 = Clock::now();
            const QImage picture = CompositionVideo::compose(std::move(sources), {kWidth, kHeight});
            const auto t2 = Clock::now();
            benchmark::DoNotOptimize(converter.convert({picture.constBits(), picture.width(), picture.height(),
                                                        int(picture.bytesPerLine())}));
            reading += t1 - t0;
            composing += t2 - t1;
            converting += Clock::now() - t2;
        }
    }
    const auto perFrame = [&](Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count() / frames; };
    state.counters["read_ms"] = perFrame(reading);
    state.counters["compose_ms"] = perFrame(composing);
    state.counters["convert_ms"] = perFrame(converting);
}

BENCHMARK(BM_FfmpegFloor)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_Export)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_ExportAfterThumbnails)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_ExportStages)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    return vt::bench::runOffscreen(argc, argv);
}
