// Camera-path analysis of generated shaky videos, and the correction.
#include "video/effects/Stabilizer.h"

#include "speech/CaptionError.h"
#include "video/effects/StabilizationOffset.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <opencv2/imgproc.hpp>
#include <opencv2/videoio.hpp>

#include <cmath>

namespace vt {
namespace {

// The crop offset of frame n of the shaky video: a jitter of a few pixels.
double shakeX(int n) { return 40 + 14 * std::sin(n * 2.1); }
double shakeY(int n) { return 40 + 10 * std::cos(n * 1.3); }

// A 320 × 240 clip of `frames` frames at `fps` whose camera shakes.
std::filesystem::path shakyVideo(const test::TempDir& dir, int fps, int frames)
{
    const auto out = dir / ("shaky" + std::to_string(fps) + ".mp4");
    // One still picture filmed by a shaking camera.
    const std::string filter = "testsrc2=size=400x320:rate=" + std::to_string(fps) +
                               ",trim=end_frame=1,loop=loop=-1:size=1,setpts=N/" + std::to_string(fps) +
                               "/TB,crop=320:240:'40+14*sin(n*2.1)':'40+10*cos(n*1.3)'";
    EXPECT_EQ(test::run("ffmpeg -v error -y -f lavfi -i " + test::shellQuote(filter) +
                        " -frames:v " + std::to_string(frames) + " -r " + std::to_string(fps) +
                        " -c:v libx264 -qp 0 -pix_fmt yuv444p " + test::shellQuote(out.string())),
              0);
    return out;
}

SourceVideoInfo info(int fps, int frames)
{
    SourceVideoInfo s;
    s.naturalWidth = 320;
    s.naturalHeight = 240;
    s.fps = fps;
    s.duration = static_cast<double>(frames) / fps;
    return s;
}

// Mean size of the frame-to-frame motion, in pixels.
double jitter(const std::vector<QImage>& frames)
{
    double sum = 0;
    cv::Mat previous;
    for (const QImage& image : frames) {
        const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
        cv::Mat m(grey.height(), grey.width(), CV_8UC1, const_cast<uchar*>(grey.constBits()),
                  static_cast<size_t>(grey.bytesPerLine()));
        cv::Mat f;
        m.convertTo(f, CV_32F);
        if (!previous.empty()) {
            const cv::Point2d s = cv::phaseCorrelate(previous, f);
            sum += std::hypot(s.x, s.y);
        }
        previous = f;
    }
    return sum / static_cast<double>(frames.size() - 1);
}

std::vector<QImage> decoded(const std::filesystem::path& file)
{
    std::vector<QImage> frames;
    cv::VideoCapture capture(file.string());
    cv::Mat bgr;
    while (capture.read(bgr)) {
        QImage image(bgr.data, bgr.cols, bgr.rows, static_cast<qsizetype>(bgr.step), QImage::Format_BGR888);
        frames.push_back(image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }
    return frames;
}

TEST(Stabilizer, MeasuresTheShakeAndTheCorrectionSteadiesIt)
{
    test::TempDir dir;
    const int frames = 30;
    const auto file = shakyVideo(dir, 30, frames);
    std::vector<double> progress;
    const CameraPath path = Stabilizer::analyze(file, info(30, frames), [&](double p) { progress.push_back(p); });
    ASSERT_EQ(path.t.size(), 30u);
    EXPECT_EQ(path.x[0], 0);
    for (std::size_t i = 1; i < path.t.size(); ++i) EXPECT_NEAR(path.t[i], i / 30.0, 1e-3);
    // The crop window moving right or down moves the content left or up;
    // the path is in fractions of the frame.
    for (int n = 1; n < frames; ++n) {
        EXPECT_NEAR(path.x[static_cast<std::size_t>(n)], -(shakeX(n) - shakeX(0)) / 320, 0.01) << n;
        EXPECT_NEAR(path.y[static_cast<std::size_t>(n)], (shakeY(n) - shakeY(0)) / 240, 0.01) << n;
    }
    ASSERT_EQ(progress.size(), 3u);
    EXPECT_NEAR(progress[0], path.t[14] / 1.0, 1e-9);
    EXPECT_EQ(progress.back(), 1.0);

    const StabilizationCorrection c = Stabilizer::correction(path, 0.6);
    std::vector<QImage> original = decoded(file), steadied;
    ASSERT_EQ(original.size(), 30u);
    for (std::size_t i = 0; i < original.size(); ++i) steadied.push_back(stabilized(original[i], c, path.t[i]));
    const double before = jitter(original), after = jitter(steadied);
    EXPECT_GT(before, 8);
    EXPECT_LT(after, before / 3) << before << " → " << after;
}

TEST(Stabilizer, MeasuresInTheUprightPictureOfATurnedRecording)
{
    // The same shaky recording tagged to be shown turned: the path is that
    // of the upright picture. A quarter turn clockwise makes a move right
    // in the stored picture a move down, and a move up one to the right.
    test::TempDir dir;
    const auto file = shakyVideo(dir, 30, 8);
    const CameraPath plain = Stabilizer::analyze(file, info(30, 8), {});
    struct Case {
        int degrees;
        AffineTransform transform;
        double xx, xy, yx, yy;  // upright x = xx·x + xy·y, y = yx·x + yy·y of the stored path
    };
    const Case cases[] = {{180, {-1, 0, 0, -1, 320, 240}, -1, 0, 0, -1},
                          {90, {0, 1, -1, 0, 240, 0}, 0, 1, -1, 0}};
    for (const Case& c : cases) {
        const auto turned = dir / ("turned" + std::to_string(c.degrees) + ".mp4");
        ASSERT_EQ(test::run("ffmpeg -v error -y -i " + test::shellQuote(file.string()) + " -c copy -metadata:s:v:0 rotate=" +
                            std::to_string(c.degrees) + " " + test::shellQuote(turned.string())),
                  0);
        SourceVideoInfo source = info(30, 8);
        source.transform = c.transform;
        const CameraPath path = Stabilizer::analyze(turned, source, {});
        ASSERT_EQ(path.t.size(), plain.t.size()) << c.degrees;
        for (std::size_t i = 1; i < path.t.size(); ++i) {
            EXPECT_NEAR(path.x[i], c.xx * plain.x[i] + c.xy * plain.y[i], 0.01) << c.degrees << " sample " << i;
            EXPECT_NEAR(path.y[i], c.yx * plain.x[i] + c.yy * plain.y[i], 0.01) << c.degrees << " sample " << i;
        }
    }
}

TEST(Stabilizer, AnalysesEverySecondFrameAboveFortyFramesPerSecond)
{
    test::TempDir dir;
    EXPECT_EQ(Stabilizer::analyze(shakyVideo(dir, 60, 12), info(60, 12), {}).t.size(), 6u);
    const auto forty = shakyVideo(dir, 40, 12);
    EXPECT_EQ(Stabilizer::analyze(forty, info(40, 12), {}).t.size(), 12u);
    CancelToken cancel;
    cancel.cancel();
    EXPECT_THROW(Stabilizer::analyze(forty, info(40, 12), {}, cancel), CancellationError);
}

TEST(Stabilizer, FilesWithoutVideoFail)
{
    test::TempDir dir;
    const auto sound = dir / "tone.m4a";
    ASSERT_EQ(test::run("ffmpeg -v error -y -f lavfi -i sine=duration=0.3 " + test::shellQuote(sound.string())), 0);
    bool reported = false;
    EXPECT_THROW(Stabilizer::analyze(sound, info(30, 1), [&](double) { reported = true; }), CaptionError);
    EXPECT_FALSE(reported);
    EXPECT_ANY_THROW(Stabilizer::analyze(dir / "missing.mp4", info(30, 1), {}));
}

TEST(Stabilizer, CorrectionSmoothsThePath)
{
    // Three samples a second apart at strength 0: σ = 1, r = 3.
    const StabilizationCorrection c = Stabilizer::correction({{0, 1, 2}, {0, 0.03, 0}, {0, 0, 0}}, 0);
    ASSERT_EQ(c.dx.size(), 3u);
    EXPECT_NEAR(c.dx[0], 0.010446, 1e-6);
    EXPECT_NEAR(c.dx[1], -0.016444, 1e-6);
    EXPECT_NEAR(c.dx[2], 0.010446, 1e-6);
    EXPECT_EQ(c.dy, (std::vector<double>{0, 0, 0}));
    EXPECT_NEAR(c.zoom, 1.037889, 1e-6);

    for (const CameraPath& few : {CameraPath{}, CameraPath{{0}, {1}, {1}}, CameraPath{{0, 1}, {0, 0.5}, {0, 0.2}}}) {
        const StabilizationCorrection none = Stabilizer::correction(few, 1);
        EXPECT_EQ(none.zoom, 1);
        EXPECT_EQ(none.dx, std::vector<double>(few.x.size(), 0));
    }
    const StabilizationCorrection still = Stabilizer::correction({{0, 1, 2, 3}, {0.2, 0.2, 0.2, 0.2}, {0, 0, 0, 0}}, 1);
    EXPECT_NEAR(still.zoom, 1.005, 1e-12);
    // Shifts beyond ±0.08 are clamped, so the zoom never passes 1.165.
    const StabilizationCorrection wild = Stabilizer::correction({{0, 0.1, 0.2, 0.3}, {0, 1, 0, 1}, {0, 0, 0, 0}}, 1);
    EXPECT_EQ(*std::max_element(wild.dx.begin(), wild.dx.end()), 0.08);
    EXPECT_NEAR(wild.zoom, 1.165, 1e-12);
}

}  // namespace
}  // namespace vt
