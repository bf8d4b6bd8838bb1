// Thumbnail candidates from generated frames, their rendering and writing.
#include "video/effects/ThumbnailGenerator.h"

#include "support/TalkingHead.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

using ThumbnailGenerator::candidates;

// A 90-second output cut from a 100-second source: 0–40 kept, 50–100 kept.
EditPlan plan90() { return {{{0, 40, 0}, {50, 100, 40}}}; }

// A frame source that gives a face only at the times `faces` says.
ThumbnailGenerator::FrameSource source(std::vector<double>* asked, std::function<bool(double)> face)
{
    return [=](const std::vector<double>& times) {
        if (asked) *asked = times;
        std::vector<std::pair<double, QImage>> out;
        for (double t : times) out.emplace_back(t, test::talkingHead(320, 240, face(t)));
        return out;
    };
}

TEST(ThumbnailGenerator, SamplesTheOutputAndKeepsCandidatesApart)
{
    std::vector<double> asked;
    const auto none = candidates(plan90(), 3, source(&asked, [](double) { return false; }));
    ASSERT_EQ(asked.size(), 18u);
    EXPECT_DOUBLE_EQ(asked[0], 2.5);
    EXPECT_DOUBLE_EQ(asked[7], 37.5);
    EXPECT_DOUBLE_EQ(asked[8], 52.5);  // output 42.5 lies in the second stretch
    // Without faces every score is 0: sample order, each 10 s from the others.
    ASSERT_EQ(none.size(), 3u);
    EXPECT_EQ(none[0].sourceTime, 2.5);
    EXPECT_EQ(none[1].sourceTime, 12.5);
    EXPECT_EQ(none[2].sourceTime, 22.5);
    EXPECT_EQ(none[0].score, 0);
    EXPECT_EQ(none[0].focus, (Point{0.5, 0.5}));
}

TEST(ThumbnailGenerator, FacesRankFirst)
{
    const auto found = candidates(plan90(), 3, source(nullptr, [](double t) { return t > 60 && t < 70; }));
    ASSERT_EQ(found.size(), 3u);
    // Samples at 62.5 and 67.5 both hold faces; the second is too close.
    EXPECT_EQ(found[0].sourceTime, 62.5);
    EXPECT_GT(found[0].score, 0.2);
    EXPECT_LE(found[0].score, 1.2);
    EXPECT_NEAR(found[0].focus.x, 0.5, 0.1);
    EXPECT_GT(found[0].focus.y, 0.5);  // the face is in the upper half
    EXPECT_EQ(found[1].sourceTime, 2.5);
    EXPECT_EQ(found[2].sourceTime, 12.5);
    // Only as many as lie far enough apart.
    EXPECT_EQ(candidates({{{0, 1.5, 0}}}, 20, source(nullptr, [](double) { return false; })).size(), 9u);
    EXPECT_TRUE(candidates(plan90(), 3, [](const std::vector<double>&) {
                    return std::vector<std::pair<double, QImage>>{};
                }).empty());
}

TEST(ThumbnailGenerator, RendersTheTemplatesOverTheGradedFrame)
{
    ThumbnailCandidate c{Uuid::random(), 1, test::talkingHead(640, 360), 0.8, {0.5, 0.6}};
    const QSize size(270, 480);
    const auto frame = ThumbnailGenerator::render(c, ThumbnailTemplate::frame, "ignored", size, std::nullopt);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->size(), size);
    EXPECT_EQ(*frame, *ThumbnailGenerator::render(c, ThumbnailTemplate::frame, "other", size, VideoGrade{}));
    VideoGrade noir;
    noir.look = "noir";
    noir.intensity = 1;
    const QImage graded = *ThumbnailGenerator::render(c, ThumbnailTemplate::frame, "", size, noir);
    EXPECT_NE(graded, *frame);
    const QColor g = graded.pixelColor(135, 100);
    EXPECT_NEAR(g.red(), g.blue(), 2);
    for (const auto& [design, name] : enumCases(ThumbnailTemplate{})) {
        if (design == ThumbnailTemplate::frame) continue;
        const auto a = ThumbnailGenerator::render(c, design, "  Big news\n", size, std::nullopt);
        EXPECT_NE(*a, *frame) << name;
        EXPECT_EQ(*a, *ThumbnailGenerator::render(c, design, "Big news", size, std::nullopt)) << name;
    }
    // Bold shouts: the text is upper-cased.
    EXPECT_EQ(*ThumbnailGenerator::render(c, ThumbnailTemplate::bold, "big", size, std::nullopt),
              *ThumbnailGenerator::render(c, ThumbnailTemplate::bold, "BIG", size, std::nullopt));
    EXPECT_FALSE(ThumbnailGenerator::render(c, ThumbnailTemplate::clean, "x", QSize(0, 10), std::nullopt));
}

TEST(ThumbnailGenerator, WritingReportsFailure)
{
    test::TempDir dir;
    const QImage image = test::talkingHead(64, 64);
    ThumbnailGenerator::writePng(image, dir / "cover.png");
    QImage back(QString::fromStdString((dir / "cover.png").string()));
    EXPECT_EQ(back.size(), image.size());
    EXPECT_THROW(ThumbnailGenerator::writePng(image, dir / "missing" / "cover.png"), std::runtime_error);
    EXPECT_THROW(ThumbnailGenerator::writePng(QImage(), dir / "empty.png"), std::runtime_error);
}

}  // namespace
}  // namespace vt
