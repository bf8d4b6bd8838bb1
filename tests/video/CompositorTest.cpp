// The frame render pipeline end to end on generated frames: framing, zoom
// punch, stabilisation, captions in their looks (adaptive colour, knockout,
// behind the speaker), emoji, hidden captions, the progress bar, B-roll
// covering the speaker, the same bytes on one thread and on eight, and
// reference frames written for a person to look at.
#include "VideoTestSupport.h"

#include "support/CaptionLines.h"
#include "support/TalkingHead.h"
#include "support/TestSupport.h"
#include "captions/CaptionRenderer.h"
#include "captions/presets/StylePresets.h"
#include "video/Compositor.h"
#include "video/Kernels.h"
#include "video/Transitions.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <thread>

namespace vt {
namespace {

using test::at;
using test::differingPixels;

CaptionGroup line(const std::vector<std::string>& words, double start = 0, int index = 0)
{
    return test::captionLine(words, start, index);
}

using test::placedMotion;
using test::snapshot;
using test::solidFrame;

QImage region(const QImage& frame, QRect yUp)
{
    return frame.copy(yUp.x(), frame.height() - yUp.y() - yUp.height(), yUp.width(), yUp.height());
}

TEST(Compositor, AlwaysDrawsExactlyTheRenderSizeWithEdgesFilled)
{
    RenderSnapshot snap = snapshot(541, 959);
    snap.motions = {placedMotion(MotionEffect::Kind::zoomIn, 0, 1, -2)};  // scales the picture down to 0.56
    const QImage frame = Compositor::render(test::quadrants(333, 200), 0.99, snap);
    ASSERT_EQ(frame.size(), QSize(541, 959));
    for (QPoint corner : {QPoint(0, 0), QPoint(540, 0), QPoint(0, 958), QPoint(540, 958)})
        EXPECT_EQ(frame.pixelColor(corner).alpha(), 255);
    EXPECT_EQ(Compositor::render(QImage(), 0, snap).pixelColor(10, 10), QColor(Qt::black));

    snap.renderSize = {std::nan(""), 1e12};
    EXPECT_EQ(Compositor::frameSize(snap), QSize(1, 16384));
}

TEST(Compositor, FollowFaceCentresTheFaceAndCentreCropIgnoresIt)
{
    QImage source = solidFrame(1920, 1080, Qt::gray);
    QPainter(&source).fillRect(QRect(1536 - 10, 540 - 10, 20, 20), Qt::red);
    RenderSnapshot snap = snapshot(540, 960);
    snap.faceTrack = FaceTrack{{{0, 0.8, 0.5}}};
    snap.reframe = ReframeMode::smart;
    EXPECT_EQ(at(Compositor::render(source, 0, snap), 270, 480), QColor(Qt::red));
    snap.reframe = ReframeMode::center;
    EXPECT_EQ(at(Compositor::render(source, 0, snap), 270, 480), QColor(Qt::gray));
    // The clip's own turn moves the focus with the picture.
    snap.reframe = ReframeMode::smart;
    const Uuid clip = Uuid::random();
    ItemAdjust halfTurn;
    halfTurn.turns = 2;
    snap.clipAdjust[clip] = halfTurn;
    EXPECT_EQ(at(Compositor::render(source, 0, snap, {}, clip), 270, 480), QColor(Qt::red));
}

TEST(Compositor, StabilisationShiftsThePictureAndTheFocusAlike)
{
    QImage source = solidFrame(1920, 1080, Qt::gray);
    QPainter(&source).fillRect(QRect(960 - 10 + 192, 540 - 10, 20, 20), Qt::red);  // at (0.6, 0.5)
    RenderSnapshot snap = snapshot(540, 960);
    const QImage centred = Compositor::render(source, 0, snap);
    snap.stabilization = StabilizationCorrection{{0}, {-0.1}, {0}, 1};
    // A centre crop follows the content point the correction moves.
    EXPECT_EQ(Compositor::render(source, 0, snap), centred);
    // The whole picture, fitted, shows the shift: the marker is in the middle.
    snap.reframe = ReframeMode::fit;
    EXPECT_EQ(at(Compositor::render(source, 0, snap), 270, 480), QColor(Qt::red));
}

TEST(Compositor, ZoomPunchPunchesEverySecondSegment)
{
    RenderSnapshot snap = snapshot(270, 480);
    snap.plan.segments = {{0, 1, 0}, {2, 3, 1}, {4, 5, 2}};
    const QImage source = test::quadrants(270, 480);
    const auto plain = [&](double t) {
        RenderSnapshot none = snap;
        none.transition = CutTransition::none;
        return Compositor::render(source, t, none);
    };
    snap.transition = CutTransition::zoomPunch;
    EXPECT_EQ(Compositor::render(source, 0.5, snap), plain(0.5));
    EXPECT_EQ(Compositor::render(source, 1.5, snap), Transitions::zoom(plain(1.5), 1.14));
    EXPECT_EQ(Compositor::render(source, 2.5, snap), plain(2.5));
}

TEST(Compositor, HiddenCaptionsDrawNeitherCaptionNorEmojiButTheRest)
{
    RenderSnapshot snap = snapshot(540, 960);
    snap.groups = {line({"hello", "there"})};
    snap.emojis = {{0, "🔥"}};
    snap.progressBar = ProgressBar{};
    snap.hook = HookOverlay{};
    snap.hook->text = "Watch this";
    snap.hook->duration = 3;
    const QImage source = solidFrame(540, 960, Qt::darkCyan);

    RenderSnapshot bare = snap;
    bare.groups.edit().clear();
    bare.emojis.clear();
    snap.captionsVisible = false;
    const QImage hidden = Compositor::render(source, 0.5, snap);
    EXPECT_EQ(hidden, Compositor::render(source, 0.5, bare));

    RenderSnapshot noExtras = bare;
    noExtras.progressBar.reset();
    noExtras.hook.reset();
    EXPECT_GT(differingPixels(hidden, Compositor::render(source, 0.5, noExtras)), 1000);

    snap.captionsVisible = true;
    RenderSnapshot withoutEmoji = snap;
    withoutEmoji.emojis.clear();
    const QImage captioned = Compositor::render(source, 0.5, withoutEmoji);
    EXPECT_GT(differingPixels(captioned, hidden), 1000);
    EXPECT_GT(differingPixels(Compositor::render(source, 0.5, snap), captioned), 1000);

    // A picture handed over is drawn on in place, to the same frame; the one
    // the caller keeps is left as it was.
    QImage handedOver = source.copy();
    EXPECT_EQ(Compositor::render(std::move(handedOver), 0.5, withoutEmoji), captioned);
    EXPECT_EQ(source, solidFrame(540, 960, Qt::darkCyan));
}

// The caption laid over the picture as its own small rectangle (taken from an
// earlier frame when one drew the same) gives the frame that drawing it
// afresh at the frame's size and laying that over gives, in animated looks;
// and so does the hook title.
TEST(Compositor, CaptionRectangleGivesTheFrameOfTheFrameSizedCaption)
{
    RenderSnapshot snap = snapshot(270, 480);
    snap.groups = {line({"make", "the", "point", "land"}, 0, 0), line({"again", "and", "again"}, 1.7, 1)};
    const QImage source = test::talkingHead(270, 480).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    RenderSnapshot bare = snap;
    bare.captionsVisible = false;
    std::vector<CaptionStyle> looks;
    for (const CaptionStyle& look : StylePresets::all())
        if (!look.blendDarkColor && !look.knockout && !look.behindSubject
            && (look.animation != EntranceAnimation::none || look.exitAnimation || look.highlight != HighlightMode::none))
            looks.push_back(look);
    ASSERT_GT(looks.size(), 10u);
    looks.resize(10);
    for (const CaptionStyle& look : looks) {
        SCOPED_TRACE(look.id);
        snap.style = look;
        for (double t = 1.5; t < 2.6; t += 1.0 / 30) {
            QImage expected = Compositor::render(source, t, bare);
            if (const auto caption = CaptionRenderer::captionImage(snap.groups, look, t, QSizeF(270, 480), false))
                Kernels::drawOver(expected, *caption, QPointF(0, 0));
            ASSERT_EQ(differingPixels(Compositor::render(source, t, snap), expected), 0) << "at " << t;
        }
    }
    // The hook title likewise.
    RenderSnapshot hooked = bare;
    hooked.hook = HookOverlay{"Wait for it", 1};
    for (double t = 0; t < 1; t += 0.1) {
        QImage expected = Compositor::render(source, t, bare);
        Kernels::drawOver(expected, *CaptionRenderer::hookImage(*hooked.hook, t, QSizeF(270, 480), false), QPointF(0, 0));
        ASSERT_EQ(differingPixels(Compositor::render(source, t, hooked), expected), 0) << "at " << t;
    }
}

int countPixels(const QImage& image, const std::function<bool(QColor)>& test)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += test(image.pixelColor(x, y));
    return n;
}

TEST(Compositor, PerLineLookForTheCaptionBaseLookForTheBarAccent)
{
    RenderSnapshot snap = snapshot(540, 960);
    snap.style.highlightColor = RGBA{0, 1, 0, 1};
    CaptionStyle red = snap.style;
    red.id = "red";
    red.textColor = {1, 0, 0, 1};
    red.highlightColor = RGBA{0, 0, 1, 1};
    snap.styles["red"] = red;
    snap.groups = {line({"HELLO"})};
    snap.groups.edit()[0].styleID = "red";
    snap.progressBar = ProgressBar{};
    const QImage frame = Compositor::render(solidFrame(540, 960, Qt::black), 0.5, snap);
    EXPECT_GT(countPixels(frame, [](QColor c) { return c.red() > 200 && c.green() < 50; }), 500);
    EXPECT_EQ(at(frame, 30, 959), QColor(Qt::black));  // t = 0.5 of 10 s: a twentieth of the bar
    EXPECT_EQ(at(frame, 24, 959), QColor(Qt::green));

    snap.plan.segments.clear();  // an empty plan counts 0.1 s: full from then on
    EXPECT_EQ(at(Compositor::render(solidFrame(540, 960, Qt::black), 0.1, snap), 539, 959), QColor(Qt::green));
}

TEST(Compositor, KnockoutCoversAllButTheLetters)
{
    RenderSnapshot snap = snapshot(540, 960);
    snap.style.knockout = RGBA{0, 0, 0, 1};
    snap.groups = {line({"WOW"})};
    const QImage frame = Compositor::render(solidFrame(540, 960, Qt::white), 0.1, snap);
    EXPECT_EQ(at(frame, 5, 5), QColor(Qt::black));
    EXPECT_EQ(at(frame, 5, 950), QColor(Qt::black));
    EXPECT_GT(countPixels(frame, [](QColor c) { return c.red() == 255; }), 1000);  // the video in the letters
}

TEST(Compositor, AdaptiveColourDarkensCaptionsOverBrightVideoOnly)
{
    RenderSnapshot snap = snapshot(540, 960);
    snap.style.blendDarkColor = RGBA{0, 0, 0.5, 1};
    snap.groups = {line({"WOW"})};
    const auto navy = [](QColor c) { return c.red() < 20 && c.blue() > 100 && c.blue() < 150; };
    const QImage overWhite = Compositor::render(solidFrame(540, 960, Qt::white), 0.1, snap);
    EXPECT_GT(countPixels(overWhite, navy), 1000);
    const QImage overBlack = Compositor::render(solidFrame(540, 960, Qt::black), 0.1, snap);
    EXPECT_EQ(countPixels(overBlack, navy), 0);
    EXPECT_GT(countPixels(overBlack, [](QColor c) { return c.red() == 255 && c.blue() == 255; }), 1000);
}

struct BehindSpeaker : ::testing::Test {
    QImage source = test::talkingHead(540, 960, true, 0.3);
    RenderSnapshot snap = [] {
        RenderSnapshot s = snapshot(540, 960);
        s.style.verticalPosition = 0.36;  // over the face
        s.style.fontSize = 130;
        s.groups = {line({"WIDE", "WORDS", "HERE"})};
        return s;
    }();
    const QRect face{270 - 40, 960 - 346 - 40, 80, 80};  // y-up box round the face centre

    QImage frame(bool behind, std::vector<BRollPlacement> broll = {})
    {
        RenderSnapshot s = snap;
        s.style.behindSubject = behind;
        s.broll = std::move(broll);
        return Compositor::render(source, 0.5, s);
    }
    QImage picture(std::vector<BRollPlacement> broll = {})
    {
        RenderSnapshot s = snap;
        s.captionsVisible = false;
        s.broll = std::move(broll);
        return Compositor::render(source, 0.5, s);
    }
};

TEST_F(BehindSpeaker, TheSpeakerStandsInFrontOfTheCaption)
{
    EXPECT_GT(differingPixels(region(frame(false), face), region(picture(), face)), 200);
    EXPECT_EQ(region(frame(true), face), region(picture(), face));
    EXPECT_GT(differingPixels(frame(true), picture()), 1000);  // the caption still shows beside the speaker
}

TEST_F(BehindSpeaker, FullScreenBRollPutsTheCaptionInFrontAndAHalfOpaqueOneDoesNot)
{
    test::TempDir dir;
    const auto path = (dir / "still.png").string();
    ASSERT_TRUE(source.save(QString::fromStdString(path)));
    BRollPlacement full;
    full.item.isImage = true;
    full.item.path = path;
    full.item.entrance = BRollEntrance::cut;
    full.start = 0;
    full.end = 2;
    EXPECT_EQ(frame(true, {full}), frame(false, {full}));

    BRollPlacement half = full;
    half.item.adjust = ItemAdjust{};
    half.item.adjust->opacity = 0.5;
    EXPECT_EQ(region(frame(true, {half}), face), region(picture({half}), face));
}

TEST(Compositor, BRollWithoutContentIsSkipped)
{
    RenderSnapshot snap = snapshot(270, 480);
    const QImage source = test::quadrants(270, 480);
    const QImage plain = Compositor::render(source, 1, snap);
    BRollPlacement video;
    video.start = 0;
    video.end = 2;
    BRollPlacement missingStill = video;
    missingStill.item.isImage = true;
    missingStill.item.path = "/nonexistent/still.png";
    snap.broll = {video, missingStill};
    EXPECT_EQ(Compositor::render(source, 1, snap), plain);
    // With its frame, the video B-roll is drawn.
    EXPECT_EQ(at(Compositor::render(source, 1, snap, {{video.item.id, solidFrame(64, 64, Qt::yellow)}}), 135, 240),
              QColor(Qt::yellow));
}

TEST(Compositor, BRollItemAdjustmentZoomsItsWindowAndDissolvesByOpacity)
{
    test::TempDir dir;
    const auto path = (dir / "quadrants.png").string();
    ASSERT_TRUE(test::quadrants(400, 200).save(QString::fromStdString(path)));
    RenderSnapshot snap = snapshot(270, 480);
    BRollPlacement item;
    item.item.isImage = true;
    item.item.path = path;
    item.item.entrance = BRollEntrance::cut;
    item.start = 0;
    item.end = 2;
    item.item.adjust = ItemAdjust{};
    item.item.adjust->zoom = 2;
    item.item.adjust->panX = 1;
    item.item.adjust->panY = 1;  // the top-right quarter fills the frame
    snap.broll = {item};
    const QImage source = solidFrame(270, 480, Qt::blue);
    const QImage zoomed = Compositor::render(source, 1, snap);
    EXPECT_EQ(at(zoomed, 10, 10), QColor(Qt::white));
    EXPECT_EQ(at(zoomed, 260, 470), QColor(Qt::white));

    snap.broll[0].item.adjust->zoom = 1;
    snap.broll[0].item.adjust->opacity = 0.5;  // half the quadrants over the blue picture
    const QColor half = at(Compositor::render(source, 1, snap), 10, 10);
    EXPECT_NEAR(half.red(), 128, 1);
    EXPECT_NEAR(half.blue(), 127, 1);
}

// Everything at once, around a cut, for the thread and reference tests.
RenderSnapshot busySnapshot(const std::string& stillPath)
{
    RenderSnapshot snap = snapshot(540, 960);
    snap.reframe = ReframeMode::smart;
    snap.faceTrack = FaceTrack{{{0, 0.5, 0.6}, {4, 0.55, 0.62}}};
    snap.plan.segments = {{0, 1.5, 0}, {2, 6, 1.5}};
    snap.transition = CutTransition::glitch;
    snap.style.behindSubject = true;
    snap.style.verticalPosition = 0.4;
    snap.groups = {line({"the", "same", "bytes"}, 0, 0), line({"every", "time"}, 1.2, 1)};
    snap.groups.edit()[0].end = 1.2;
    snap.emojis = {{1, "🚀"}};
    snap.progressBar = ProgressBar{};
    snap.progressBar->thickness = 8;
    snap.motions = {placedMotion(MotionEffect::Kind::shake, 1.3, 0.6), placedMotion(MotionEffect::Kind::blackWhite, 1.4, 0.4)};
    BRollPlacement pip;
    pip.item.isImage = true;
    pip.item.path = stillPath;
    pip.item.layout = BRollLayout::pip;
    pip.item.kenBurns = true;
    pip.start = 1.2;
    pip.end = 3;
    snap.broll = {pip};
    return snap;
}

TEST(Compositor, SameFrameSameBytesOnOneThreadAndOnEight)
{
    test::TempDir dir;
    const auto still = (dir / "pip.png").string();
    ASSERT_TRUE(test::quadrants(400, 300).save(QString::fromStdString(still)));
    const RenderSnapshot snap = busySnapshot(still);
    const std::vector<QImage> sources{test::talkingHead(1080, 1920, true, 0.2), test::talkingHead(1080, 1920, true, 0.22, 0.45)};
    const std::vector<double> times{0.4, 1.45, 1.55, 1.7};

    std::vector<QImage> alone;
    for (double t : times) alone.push_back(Compositor::render(sources[t > 1.5], t, snap));

    std::vector<std::vector<QImage>> together(8);
    std::vector<std::thread> threads;
    for (int i = 0; i < 8; ++i)
        threads.emplace_back([&, i] {
            for (std::size_t k = 0; k < times.size(); ++k) {
                const std::size_t j = (k + i) % times.size();  // each thread in another order
                together[i].resize(times.size());
                together[i][j] = Compositor::render(sources[times[j] > 1.5], times[j], snap);
            }
        });
    for (auto& thread : threads) thread.join();
    for (int i = 0; i < 8; ++i)
        for (std::size_t k = 0; k < times.size(); ++k) EXPECT_EQ(together[i][k], alone[k]) << "thread " << i << " t " << times[k];
}

TEST(Compositor, ReferenceFrames)
{
    test::TempDir dir;
    const auto still = (dir / "pip.png").string();
    ASSERT_TRUE(test::quadrants(400, 300).save(QString::fromStdString(still)));
    const QImage speaker = test::talkingHead(1920, 1080, true, 0.4, 0.6);
    RenderSnapshot snap = snapshot(1080, 1920);
    snap.reframe = ReframeMode::smart;
    snap.faceTrack = FaceTrack{{{0, 0.6, 0.62}}};
    snap.groups = {line({"make", "the", "point"}, 0, 0)};
    snap.style.verticalPosition = 0.7;
    snap.progressBar = ProgressBar{};
    snap.progressBar->thickness = 8;
    snap.emojis = {{0, "🔥"}};

    struct Reference {
        const char* name;
        std::function<void(RenderSnapshot&)> change;
        double time;
    };
    const Reference references[] = {
        {"smart-captions", [](RenderSnapshot&) {}, 0.7},
        {"fit-blur", [](RenderSnapshot& s) { s.reframe = ReframeMode::fit; }, 0.7},
        {"behind-speaker", [](RenderSnapshot& s) { s.style.behindSubject = true; s.style.verticalPosition = 0.3; s.style.fontSize = 130; }, 0.7},
        {"knockout", [](RenderSnapshot& s) { s.style.knockout = RGBA{0.1, 0.1, 0.1, 1}; s.style.fontSize = 200; }, 0.7},
        {"pip-broll", [&](RenderSnapshot& s) { s.broll = busySnapshot(still).broll; s.broll[0].start = 0; }, 0.7},
        {"split-broll", [&](RenderSnapshot& s) { s.broll = busySnapshot(still).broll; s.broll[0].start = 0; s.broll[0].item.layout = BRollLayout::split; }, 0.7},
        {"zoom-in-move", [](RenderSnapshot& s) { s.motions = {placedMotion(MotionEffect::Kind::zoomIn, 0, 1)}; }, 0.9},
        {"glitch-cut", [](RenderSnapshot& s) { s.plan.segments = {{0, 0.7, 0}, {1, 5, 0.7}}; s.transition = CutTransition::glitch; }, 0.69},
    };
    for (const auto& ref : references) {
        RenderSnapshot s = snap;
        ref.change(s);
        const QImage frame = Compositor::render(speaker, ref.time, s);
        ASSERT_EQ(frame.size(), QSize(1080, 1920)) << ref.name;
        test::writeReference(std::string("frame-") + ref.name, frame);
    }
}

}  // namespace
}  // namespace vt

namespace vt {
namespace {

TEST(Compositor, DeepSourcesGiveDeepFramesOfTheSamePicture)
{
    // A gradient finer than 8 bits can hold: 256 steps of one 16-bit level.
    QImage source(256, 144, QImage::Format_RGBA64_Premultiplied);
    for (int y = 0; y < source.height(); ++y) {
        auto* p = reinterpret_cast<quint16*>(source.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            p[4 * x + 0] = static_cast<quint16>(30000 + x);
            p[4 * x + 1] = 20000;
            p[4 * x + 2] = 10000;
            p[4 * x + 3] = 65535;
        }
    }
    RenderSnapshot snap = snapshot(144, 256);
    snap.reframe = ReframeMode::fit;
    snap.groups = {line({"DEEP"})};
    snap.progressBar = ProgressBar{};
    snap.plan.segments = {{0, 1, 0}, {2, 3, 1}};
    snap.transition = CutTransition::glitch;

    const QImage deep = Compositor::render(source, 0.98, snap);
    ASSERT_EQ(deep.format(), QImage::Format_RGBA64_Premultiplied);
    ASSERT_EQ(deep.size(), QSize(144, 256));
    std::set<int> levels;
    const auto* middle = reinterpret_cast<const quint16*>(deep.constScanLine(128));
    for (int x = 10; x < 134; ++x) levels.insert(middle[4 * x]);
    EXPECT_GT(levels.size(), 60u);  // 8 bits would leave one or two

    const QImage shallow = Compositor::render(source.convertToFormat(QImage::Format_ARGB32_Premultiplied), 0.98, snap);
    const QImage deepAs8 = deep.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int far = 0;
    for (int y = 0; y < shallow.height(); ++y)
        for (int x = 0; x < shallow.width(); ++x) {
            const QColor a = shallow.pixelColor(x, y), b = deepAs8.pixelColor(x, y);
            far += std::abs(a.red() - b.red()) > 3 || std::abs(a.green() - b.green()) > 3 ||
                   std::abs(a.blue() - b.blue()) > 3;
        }
    EXPECT_LT(far, shallow.width() * shallow.height() / 100);
}

}  // namespace
}  // namespace vt
