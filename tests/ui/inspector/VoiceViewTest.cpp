#include "ui/inspector/VoiceView.h"

#include "SoundPictureRig.h"
#include "ui/inspector/CompactButton.h"
#include "ui/inspector/InspectorGroup.h"
#include "ui/inspector/NumberField.h"
#include "ui/inspector/RowNote.h"
#include "ui/inspector/SpringCurve.h"
#include "ui/inspector/SwitchRow.h"
#include "ui/inspector/ValueRow.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QScrollArea>
#include <QSlider>
#include <QStackedWidget>
#include <QVariantAnimation>

#include <gtest/gtest.h>

#include <fstream>

using namespace vt;
using namespace vt::ui;
using vt::test::drag;
using vt::test::shown;

namespace {

class VoiceViewTest : public test::SoundPictureRig {
protected:
    std::unique_ptr<VoiceView> view()
    {
        auto v = std::make_unique<VoiceView>(editor(), jobs->voice());
        v->resize(380, 1000);
        return v;
    }
    Project withTake(std::vector<Word> words)
    {
        Project p = test::sampleProject();
        Voiceover v;
        v.path = (dir.path() / "take.m4a").string();
        std::ofstream(v.path) << "take";
        v.start = 4;
        v.duration = 37;
        v.words = std::move(words);
        p.voiceover = v;
        return p;
    }
};

TEST_F(VoiceViewTest, WithoutATakeOnlyTheRecordGroupShowsAndTheCountdownHidesTheOptions)
{
    open();
    auto panel = view();
    const auto& p = panel->parts();
    EXPECT_FALSE(shown(p.take) || shown(p.mix));
    EXPECT_EQ(p.idleCaption->text(), QString("Record · 3-second countdown"));
    EXPECT_TRUE(shown(p.options));
    EXPECT_EQ(p.record->toolTip(), QString("Record a voiceover (the video plays while you talk)"));
    EXPECT_EQ(p.stop->accessibleName(), QString("Stop recording"));
    p.fromPlayhead->toggle()->click();
    EXPECT_TRUE(jobs->voice().voiceFromPlayhead());
    EXPECT_FALSE(editor().hasUnsavedChanges() && editor().canUndo());

    const int idleHeight = p.phase->height();
    p.record->click();
    EXPECT_EQ(p.phase->currentIndex(), 1);
    EXPECT_EQ(p.count->text(), QString("3"));
    // The countdown fades in while the column springs from the idle height to its own.
    EXPECT_EQ(p.phase->height(), idleHeight);
    EXPECT_TRUE(p.phase->currentWidget()->graphicsEffect());
    ASSERT_TRUE(test::waitFor([&] { return p.phase->height() == p.phase->currentWidget()->sizeHint().height(); }));
    ASSERT_TRUE(test::waitFor([&] { return !p.phase->currentWidget()->graphicsEffect(); }));
    EXPECT_FALSE(shown(p.options));
    rig->clock->advance(1);
    EXPECT_EQ(p.count->text(), QString("2"));
    p.cancel->click();
    EXPECT_EQ(p.phase->currentIndex(), 0);
    EXPECT_TRUE(shown(p.options));
    rig->clock->advance(3);
    EXPECT_EQ(p.phase->currentIndex(), 0);

    // A take: recording, its meter and time, then transcribing and stored.
    p.record->click();
    rig->clock->advance(3);
    EXPECT_EQ(p.phase->currentIndex(), 2);
    EXPECT_LT(p.stop->shape(), 1);  // the disc turns into the stop square
    ASSERT_TRUE(test::waitFor([&] { return p.stop->shape() == 1; }));
    const media::AudioFormat format{48000, 1};
    media::AudioBuffer b(format, 48000);
    for (std::int64_t i = 0; i < b.frameLength(); ++i) b.planes[0][std::size_t(i)] = (i % 100 < 50) ? 0.5f : -0.5f;
    mic->sink(b);
    rig->clock->advance(0.3);
    EXPECT_EQ(p.elapsed->text(), QString("0:01"));
    EXPECT_GT(p.meter->level(), 0.8);
    p.stop->click();
    rig->clock->advance(0.05);
    ASSERT_TRUE(test::waitFor([&] { return editor().project().voiceover.has_value(); }));
    test::SoundPictureRig::settle();
    EXPECT_EQ(p.phase->currentIndex(), 0);
    EXPECT_TRUE(shown(p.take));
    EXPECT_EQ(p.idleCaption->text(), QString("Record a new take"));
}

TEST_F(VoiceViewTest, TheTakeGroupTellsItsWordsAndGuardsTheCaptionSwitch)
{
    EXPECT_EQ(VoiceView::takeText(4, 37, 82), QString("Starts 0:04 · 0:37 · 82 words"));
    open(withTake({test::word("a", 4.2, 4.5), test::word("b", 5, 5.4, true)}));
    auto panel = view();
    const auto& p = panel->parts();
    EXPECT_TRUE(shown(p.take));
    EXPECT_TRUE(shown(p.mix));
    EXPECT_EQ(p.takeInfo->text(), QString("Starts 0:04 · 0:37 · 1 words"));
    EXPECT_TRUE(p.captionsFromVoice->isEnabled());
    EXPECT_EQ(p.captionsNote->text(), QString("The transcript below is your voiceover. Fix words there; hiding a word removes it from the captions only."));
    p.captionsFromVoice->toggle()->click();
    EXPECT_FALSE(editor().project().voiceover->captionsFromVoice);
    EXPECT_EQ(p.captionsNote->text(), QString("Captions come from the video's own speech."));

    // Mix rows: store while dragging, rebuild the player when the edit ends.
    rig->clock->advance(1);
    const int rebuilds = rig->player->rebuilds;
    p.originalSound->slider()->setSliderDown(true);
    p.originalSound->slider()->setValue(500);
    EXPECT_EQ(editor().project().voiceover->originalLevel, 0.5);
    rig->clock->advance(1);
    EXPECT_EQ(rig->player->rebuilds, rebuilds);
    p.originalSound->slider()->setSliderDown(false);
    rig->clock->advance(1);
    EXPECT_EQ(rig->player->rebuilds, rebuilds + 1);
    EXPECT_EQ(p.originalSound->field()->text(), QString("50%"));
    drag(p.voiceVolume->slider(), 0.75);
    EXPECT_EQ(p.voiceVolume->field()->text(), QString("+6 dB"));
    QTest::mouseDClick(p.voiceVolume->titleLabel(), Qt::LeftButton);
    EXPECT_EQ(editor().project().voiceover->volume, 0);

    // Play puts the playhead on the take and starts playback.
    p.play->click();
    EXPECT_EQ(editor().currentTime(), 4);
    EXPECT_TRUE(editor().isPlaying());

    // Remove is one undo step; the groups go and come back with undo.
    const std::string path = editor().project().voiceover->path;
    p.remove->click();
    EXPECT_FALSE(editor().project().voiceover);
    EXPECT_FALSE(shown(p.take) || shown(p.mix));
    editor().undo();
    EXPECT_TRUE(shown(p.take));
    EXPECT_TRUE(std::filesystem::exists(path));
}

TEST_F(VoiceViewTest, ATakeWithoutWordsCannotDriveTheCaptions)
{
    open(withTake({}));
    auto panel = view();
    EXPECT_FALSE(panel->parts().captionsFromVoice->isEnabled());
    EXPECT_EQ(panel->parts().captionsNote->text(), QString("Captions come from the video's own speech."));
    EXPECT_EQ(panel->parts().takeInfo->text(), QString("Starts 0:04 · 0:37 · 0 words"));
    EXPECT_LE(panel->findChild<QScrollArea*>()->widget()->minimumSizeHint().width(), 340);  // the narrowest inspector
}

TEST(LevelMeter, LightsSegmentsStrictlyAboveTheirThresholdWithTheTopFourRed)
{
    struct Case {
        double level;
        int lit;
    };
    for (const Case c : {Case{0, 0}, Case{0.5, 16}, Case{0.875, 28}, Case{0.9, 29}, Case{1, 32}})
        EXPECT_EQ(LevelMeter::litSegments(c.level), c.lit) << c.level;
    EXPECT_FALSE(LevelMeter::isRed(27));
    EXPECT_TRUE(LevelMeter::isRed(28));
    EXPECT_EQ(LevelMeter::segmentWidth(10), 2);
    EXPECT_DOUBLE_EQ(LevelMeter::segmentWidth(318), 8);
    LevelMeter meter;
    meter.setLevel(0.457);
    EXPECT_EQ(meter.accessibleName(), QString("Microphone level"));
    EXPECT_EQ(meter.accessibleDescription(), QString("45%"));
}

TEST(LevelMeter, FollowsANewLevelLinearlyOverEightyMilliseconds)
{
    LevelMeter meter;
    meter.setLevel(1);
    EXPECT_EQ(meter.level(), 1);
    auto* motion = meter.findChild<QVariantAnimation*>();
    ASSERT_TRUE(motion);
    EXPECT_EQ(motion->duration(), 80);
    motion->setCurrentTime(20);
    EXPECT_DOUBLE_EQ(meter.shownLevel(), 0.25);
    motion->setCurrentTime(80);
    EXPECT_DOUBLE_EQ(meter.shownLevel(), 1);
    // A new level sets out from where the segments are.
    meter.setLevel(0.5);
    motion->setCurrentTime(40);
    EXPECT_DOUBLE_EQ(meter.shownLevel(), 0.75);
}

TEST(RecordButton, TurnsBetweenDiscAndStopSquareOnASpring)
{
    EXPECT_EQ(SpringCurve::at(0), 0);
    EXPECT_EQ(SpringCurve::at(1), 1);
    double peak = 0;
    for (int i = 0; i <= 100; ++i) peak = std::max(peak, SpringCurve::at(i / 100.0));
    EXPECT_LT(peak, 1.01);  // damped to a barely visible overshoot
    EXPECT_GT(SpringCurve::at(0.5), 0.9);
    EXPECT_EQ(SpringCurve::durationMs(0.2), 240);

    RecordButton stop(true);
    EXPECT_EQ(stop.shape(), 1);
    stop.morphIn();
    auto* morph = stop.findChild<QVariantAnimation*>();
    ASSERT_TRUE(morph);
    EXPECT_EQ(morph->duration(), SpringCurve::durationMs(RecordButton::response));
    EXPECT_EQ(stop.shape(), 0);
    morph->setCurrentTime(morph->duration() / 3);
    EXPECT_GT(stop.shape(), 0.3);
    EXPECT_LT(stop.shape(), 1);
    morph->setCurrentTime(morph->duration());
    EXPECT_EQ(stop.shape(), 1);
    RecordButton record(false);
    record.morphIn();
    EXPECT_EQ(record.shape(), 1);
}

}  // namespace
