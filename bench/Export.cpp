// Export of a generated 30 s 1080×1920 30 fps video through the exporter
// (H.264 High 10 Mb/s, AAC 192 kb/s), side by side with the ffmpeg command
// re-encoding the same source at the same settings (the floor). Frames reach
// the exporter decoded by an ffmpeg process through a pipe, with a caption
// line painted over each (a moving text, not the caption renderer), so the
// ratio measures the encoding side of the pipeline. Peak memory is the
// process's maximum resident size after the export.

#include "export/Exporter.h"
#include "support/TestSupport.h"

#include <QFont>
#include <QGuiApplication>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

using namespace vt;

namespace {

constexpr double kSeconds = 30;
constexpr int kWidth = 1080, kHeight = 1920, kFps = 30;

struct Setup {
    test::TempDir dir;
    std::filesystem::path source = dir / "source.mp4";
    Setup()
    {
        const std::string cmd = "ffmpeg -v error -y -f lavfi -i testsrc2=size=1080x1920:rate=30 -f lavfi -i "
                                "sine=frequency=330:sample_rate=48000 -t 30 -c:v libx264 -preset ultrafast -c:a aac -ac 2 " +
                                test::shellQuote(source.string());
        if (test::run(cmd) != 0) throw std::runtime_error("ffmpeg failed");
    }
};

Setup& setup()
{
    static Setup instance;
    return instance;
}

using Pipe = std::unique_ptr<FILE, int (*)(FILE*)>;

Pipe decode(const std::string& format)
{
    const std::string cmd = "ffmpeg -v error -i " + test::shellQuote(setup().source.string()) + " " + format + " -";
    return Pipe(popen(cmd.c_str(), "r"), pclose);
}

class PipedVideo : public ComposedVideo {
public:
    double duration() const override { return kSeconds; }
    QImage frame(double t, QSize, bool) override
    {
        QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
        if (std::fread(image.bits(), 1, image.sizeInBytes(), pipe_.get()) != std::size_t(image.sizeInBytes()))
            throw std::runtime_error("short frame");
        QPainter p(&image);
        QFont f("DejaVu Sans", 64, QFont::Black);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QPointF(120 + 200 * std::sin(t * 3), 1400), QString("Caption line %1").arg(int(t * 4)));
        return image;
    }

private:
    Pipe pipe_ = decode("-f rawvideo -pix_fmt bgra");
};

class PipedAudio : public MixedAudio {
public:
    bool hasAudio() const override { return true; }
    double duration() const override { return kSeconds; }
    media::AudioBuffer read(std::int64_t maxFrames) override
    {
        std::vector<float> interleaved(static_cast<std::size_t>(maxFrames * 2));
        const std::size_t got = std::fread(interleaved.data(), sizeof(float) * 2, maxFrames, pipe_.get());
        media::AudioBuffer out({48000, 2}, static_cast<std::int64_t>(got));
        for (std::size_t i = 0; i < got; ++i) {
            out.planes[0][i] = interleaved[2 * i];
            out.planes[1][i] = interleaved[2 * i + 1];
        }
        return out;
    }

private:
    Pipe pipe_ = decode("-f f32le -ac 2 -ar 48000");
};

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

void BM_Export(benchmark::State& state)
{
    setup();
    const ExportSettings::Resolved settings{{kWidth, kHeight}, kFps, 10, VideoCodec::h264, false, "1080p"};
    for (auto _ : state) {
        PipedVideo video;
        PipedAudio audio;
        Exporter::exportVideo(video, &audio, settings, setup().dir / "export.mp4", {}, CancelToken());
    }
    state.counters["peak_MB"] = peakMegabytes();
}

void BM_FfmpegFloor(benchmark::State& state)
{
    setup();
    const std::string cmd = "ffmpeg -v error -y -i " + test::shellQuote(setup().source.string()) +
                            " -c:v libx264 -profile:v high -b:v 10M -g 60 -pix_fmt yuv420p -c:a aac -b:a 192k -ar 48000 -ac 2 " +
                            test::shellQuote((setup().dir / "floor.mp4").string());
    for (auto _ : state)
        if (test::run(cmd) != 0) state.SkipWithError("ffmpeg failed");
}

BENCHMARK(BM_Export)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_FfmpegFloor)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
