// The face detector on frames made from the real portrait of the shared
// fixtures, as the face tracker reads them (640 × 360): the space suit below
// the face draws a frontal-cascade box larger than the face itself, which
// must not be taken for a face.
#include "platform/vision/FaceDetector.h"

#include "support/TestSupport.h"

#include <QImage>
#include <gtest/gtest.h>

namespace vt {
namespace {

// The portrait at 360 × 360, 40 pixels from the left of a black 640 × 360
// frame; `extra` is more of the ffmpeg filter chain.
QImage portraitFrame(const test::TempDir& dir, const std::string& extra = "")
{
    const auto png = dir / "frame.png";
    EXPECT_EQ(test::run("ffmpeg -v error -y -i " + test::shellQuote(test::sharedFixture("face-portrait.png").string()) +
                        " -vf " + test::shellQuote("scale=360:360,pad=640:360:40:0:black" + extra) + " " +
                        test::shellQuote(png.string())),
              0);
    return QImage(QString::fromStdString(png.string())).convertToFormat(QImage::Format_ARGB32);
}

FrameView viewOf(const QImage& image)
{
    return {image.constBits(), image.width(), image.height(), static_cast<int>(image.bytesPerLine())};
}

// Where the face is in that frame, in fractions (y up): forehead to chin.
constexpr double kLeft = 166.0 / 640, kRight = 230.0 / 640, kTop = 1 - 55.0 / 360, kBottom = 1 - 124.0 / 360;

TEST(FaceDetector, FindsTheFaceAndNotTheSuit)
{
    test::TempDir dir;
    const QImage frame = portraitFrame(dir);
    const auto faces = FaceDetector::faces(viewOf(frame));
    ASSERT_FALSE(faces.empty());
    for (const FaceBox& f : faces) {
        const double cx = f.x + f.width / 2, cy = f.y + f.height / 2;
        EXPECT_TRUE(cx > kLeft && cx < kRight && cy > kBottom && cy < kTop) << cx << ", " << cy;
        EXPECT_GT(FaceDetector::captureQuality(viewOf(frame), f), 0.3);
    }
    // A box reaching out of the frame is measured on what lies inside; one
    // wholly outside has no quality.
    EXPECT_GT(FaceDetector::captureQuality(viewOf(frame), {-0.1, 0.5, 0.5, 0.7}), 0);
    EXPECT_EQ(FaceDetector::captureQuality(viewOf(frame), {1.2, 0.5, 0.2, 0.2}), 0);
}

TEST(FaceDetector, TheSuitAloneIsNoFace)
{
    test::TempDir dir;
    // The face covered by a grey patch: only the suit, the flag and the rocket remain.
    const QImage frame = portraitFrame(dir, ",drawbox=x=160:y=40:w=80:h=95:color=gray:t=fill");
    EXPECT_TRUE(FaceDetector::faces(viewOf(frame)).empty());
    EXPECT_TRUE(FaceDetector::faces({}).empty());
}

}  // namespace
}  // namespace vt
