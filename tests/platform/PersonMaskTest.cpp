// The person mask stand-in on a generated talking-head frame: a face, hair,
// neck and shirt over a gradient backdrop.
#include "platform/vision/PersonMask.h"

#include "support/TalkingHead.h"
#include "support/TestSupport.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <gtest/gtest.h>

#include <filesystem>

namespace vt {
namespace {

using test::talkingHead;

FrameView viewOf(const QImage& image)
{
    return {image.constBits(), image.width(), image.height(), static_cast<int>(image.bytesPerLine())};
}

TEST(PersonMask, FindsTheSpeakerOfAGeneratedFrame)
{
    const QImage frame = talkingHead(1920, 1080);
    const auto mask = PersonMask::mask(viewOf(frame));
    ASSERT_TRUE(mask);
    ASSERT_EQ(mask->width, 1920);
    ASSERT_EQ(mask->height, 1080);
    auto at = [&](double fx, double fy) {
        return mask->pixels[static_cast<std::size_t>(fy * 1079) * 1920 + static_cast<std::size_t>(fx * 1919)];
    };
    EXPECT_EQ(at(0.5, 0.36), 255);  // face
    EXPECT_EQ(at(0.5, 0.9), 255);   // shirt
    EXPECT_EQ(at(0.5, 0.6), 255);   // neck
    EXPECT_EQ(at(0.05, 0.5), 0);    // backdrop at the sides
    EXPECT_EQ(at(0.95, 0.2), 0);
    EXPECT_EQ(at(0.5, 0.02), 0);    // above the head
    EXPECT_EQ(at(0.3, 0.45), 0);    // beside the head, above the shoulder

    int person = 0;
    for (auto v : mask->pixels) person += v > 127 ? 1 : 0;
    const double share = static_cast<double>(person) / mask->pixels.size();
    EXPECT_GT(share, 0.15);
    EXPECT_LT(share, 0.35);

    // A picture of it, for a person to look at: the frame with the mask in red.
    QImage shown = frame.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (mask->pixels[static_cast<std::size_t>(y) * 1920 + x] > 127) {
                const QColor c = shown.pixelColor(x, y);
                shown.setPixelColor(x, y, QColor((c.red() + 255) / 2, c.green() / 2, c.blue() / 2));
            }
    std::filesystem::create_directories("reference");
    shown.scaled(960, 540).save("reference/person-mask.png");
}

// The real portrait filling the height of a 1280 × 720 frame: the space
// suit and the helmet held below the face draw face-like boxes larger than
// the face, and a mask grown from one of them covers the suit, the helmet and
// the rocket beside the speaker instead of the speaker's head.
TEST(PersonMask, GrowsFromTheFaceNotFromTheSuit)
{
    const QImage portrait(QString::fromStdString(test::sharedFixture("face-portrait.png").string()));
    ASSERT_FALSE(portrait.isNull());
    QImage frame(1280, 720, QImage::Format_ARGB32);
    frame.fill(Qt::black);
    {
        QPainter p(&frame);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(QRect(140, 0, 720, 720), portrait);
    }
    const auto mask = PersonMask::mask(viewOf(frame));
    ASSERT_TRUE(mask);
    auto at = [&](int x, int y) { return mask->pixels[static_cast<std::size_t>(y) * 1280 + x]; };
    EXPECT_EQ(at(456, 179), 255);  // the face
    EXPECT_EQ(at(456, 110), 255);  // the forehead
    EXPECT_EQ(at(400, 450), 255);  // the chest
    EXPECT_EQ(at(700, 250), 0);    // the model rocket
    EXPECT_EQ(at(1000, 360), 0);   // the black beside the picture
}

// Preview and export ask for the same frame's mask separately: the speaker
// must stand in front of the same pixels every time, framed wide or close.
TEST(PersonMask, TheSameFrameGivesTheSameMask)
{
    for (const QImage& frame : {talkingHead(1920, 1080), talkingHead(1920, 1080, true, 0.42, 0.55),
                                talkingHead(1080, 1920, true, 0.22)}) {
        const auto first = PersonMask::mask(viewOf(frame));
        ASSERT_TRUE(first);
        for (int again = 0; again < 2; ++again) {
            const auto next = PersonMask::mask(viewOf(frame));
            ASSERT_TRUE(next);
            std::size_t differing = 0;
            for (std::size_t i = 0; i < first->pixels.size(); ++i) differing += next->pixels[i] != first->pixels[i];
            EXPECT_EQ(differing, 0u) << frame.width() << " x " << frame.height();
        }
    }
}

TEST(PersonMask, NoFaceOrNoFrameGivesNone)
{
    const QImage empty = talkingHead(640, 360, false);
    EXPECT_FALSE(PersonMask::mask(viewOf(empty)));
    EXPECT_FALSE(PersonMask::mask({}));
    const QImage frame = talkingHead(640, 360);
    FrameView bad = viewOf(frame);
    bad.bytesPerLine = 100;  // shorter than a row
    EXPECT_FALSE(PersonMask::mask(bad));
    // A small frame still works, read at its own size.
    EXPECT_TRUE(PersonMask::mask(viewOf(frame)));
}

}  // namespace
}  // namespace vt
