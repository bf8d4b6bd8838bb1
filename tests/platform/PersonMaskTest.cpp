// The person mask stand-in on a generated talking-head frame: a face, hair,
// neck and shirt over a gradient backdrop.
#include "platform/vision/PersonMask.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <gtest/gtest.h>

#include <filesystem>

namespace vt {
namespace {

// `faceHeight` is the face's share of the frame height, `centre` the
// speaker's share of its width.
QImage talkingHead(int W, int H, bool withPerson = true, double faceHeight = 0.3, double centre = 0.5)
{
    QImage img(W, H, QImage::Format_ARGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient backdrop(0, 0, W, H);
    backdrop.setColorAt(0, QColor(70, 110, 140));
    backdrop.setColorAt(1, QColor(150, 170, 120));
    p.fillRect(img.rect(), backdrop);
    if (!withPerson) return img;
    const double cx = W * centre, fy = H * 0.36, fh = H * faceHeight, fw = fh * 0.75;
    QPainterPath shirt;
    shirt.moveTo(cx - fw * 1.6, H);
    shirt.cubicTo(cx - fw * 1.6, fy + fh * 0.9, cx - fw * 0.8, fy + fh * 0.75, cx, fy + fh * 0.75);
    shirt.cubicTo(cx + fw * 0.8, fy + fh * 0.75, cx + fw * 1.6, fy + fh * 0.9, cx + fw * 1.6, H);
    shirt.closeSubpath();
    p.fillPath(shirt, QColor(40, 40, 60));
    p.fillRect(QRectF(cx - fw * 0.22, fy + fh * 0.35, fw * 0.44, fh * 0.45), QColor(200, 150, 120));  // neck
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(50, 35, 25));  // hair
    p.drawEllipse(QPointF(cx, fy - fh * 0.08), fw * 0.56, fh * 0.5);
    QRadialGradient skin(QPointF(cx, fy), fw * 0.6);
    skin.setColorAt(0, QColor(235, 190, 160));
    skin.setColorAt(1, QColor(190, 140, 110));
    p.setBrush(skin);
    p.drawEllipse(QPointF(cx, fy + fh * 0.02), fw * 0.5, fh * 0.5);
    for (int s : {-1, 1}) {
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(cx + s * fw * 0.2, fy - fh * 0.05), fw * 0.1, fh * 0.045);
        p.setBrush(QColor(40, 30, 25));
        p.drawEllipse(QPointF(cx + s * fw * 0.2, fy - fh * 0.05), fw * 0.05, fh * 0.04);
        p.drawRoundedRect(QRectF(cx + s * fw * 0.2 - fw * 0.13, fy - fh * 0.16, fw * 0.26, fh * 0.035), 4, 4);
    }
    p.setBrush(QColor(170, 115, 90));
    p.drawEllipse(QPointF(cx, fy + fh * 0.12), fw * 0.07, fh * 0.05);
    p.setBrush(QColor(150, 60, 60));
    p.drawEllipse(QPointF(cx, fy + fh * 0.27), fw * 0.17, fh * 0.04);
    return img;
}

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
