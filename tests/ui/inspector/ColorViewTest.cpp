#include "ui/inspector/ColorView.h"

#include "SoundPictureRig.h"
#include "ui/inspector/ColorGroup.h"
#include "ui/inspector/DisclosureSection.h"
#include "ui/theme/TextFitting.h"
#include "ui/inspector/HoldButton.h"
#include "ui/inspector/InlineButton.h"
#include "ui/inspector/InspectorRow.h"
#include "ui/inspector/MusicSection.h"
#include "ui/inspector/NumberField.h"
#include "ui/inspector/ProgressRow.h"
#include "ui/inspector/RowNote.h"
#include "ui/inspector/SwitchRow.h"
#include "ui/inspector/ValueRow.h"

#include <QCheckBox>
#include <QEnterEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace vt;
using namespace vt::ui;
using vt::test::drag;
using vt::test::shown;

namespace {

class ColorViewTest : public test::SoundPictureRig {
protected:
    std::optional<std::string> chosenFile;
    std::unique_ptr<ColorView> view()
    {
        auto v = std::make_unique<ColorView>(editor(), *jobs, [this] { return chosenFile; });
        v->resize(380, 1600);
        return v;
    }
};

TEST_F(ColorViewTest, StabilizationShowsItsProgressThenItsSmoothnessAndItsOwnFailure)
{
    open();
    auto panel = view();
    const auto& p = panel->parts();
    EXPECT_FALSE(p.stabilize->isChecked());
    EXPECT_FALSE(shown(p.measuring) || shown(p.smoothness));

    std::promise<void> release;
    analysisGate = release.get_future().share();
    p.stabilize->click();
    EXPECT_TRUE(shown(p.measuring));
    EXPECT_FALSE(p.stabilize->isEnabled());
    EXPECT_FALSE(shown(p.smoothness));
    release.set_value();
    ASSERT_TRUE(test::waitFor([&] { return !editor().stabilizeProgress(); }));
    EXPECT_TRUE(p.stabilize->isEnabled());
    EXPECT_TRUE(shown(p.smoothness));
    EXPECT_EQ(p.smoothness->field()->text(), QString("60%"));
    EXPECT_EQ(p.smoothnessNote->text(), QString("Gentle at 0%, tripod-steady at 100%. Zooms 3.4% to hide the edges."));
    EXPECT_EQ(ColorView::smoothnessNote(std::nullopt), QString("Gentle at 0%, tripod-steady at 100%. Zooms 0.0% to hide the edges."));

    // A drag stores every step, records no undo step and recomputes the correction once it settles.
    corrections = 0;
    drag(p.smoothness->slider(), 1.0);
    EXPECT_EQ(editor().project().stabilization->strength, 1.0);
    EXPECT_EQ(corrections, 0);
    rig->clock->advance(EditorModel::refreshDelay);
    EXPECT_EQ(corrections, 1);
    EXPECT_FALSE(editor().canUndo());

    p.stabilize->click();  // off keeps the measured path and strength
    EXPECT_FALSE(shown(p.smoothness));
    EXPECT_TRUE(editor().project().stabilization->path);

    editor().updateProject([](Project& pr) { pr.stabilization.reset(); });
    analysisGate = {};
    analysisFailure = "The file could not be read.";
    p.stabilize->click();
    ASSERT_TRUE(test::waitFor([&] { return shown(p.stabilizeError); }));
    EXPECT_EQ(p.stabilizeError->text(), QString("⚠︎ Stabilization failed: The file could not be read."));
    EXPECT_FALSE(p.stabilize->isChecked());
    EXPECT_EQ(editor().exportError(), std::nullopt);
}

TEST_F(ColorViewTest, CleanupStartsFromItsDefaultsEveryTimeAndShowsItsJob)
{
    open();
    auto panel = view();
    const auto& p = panel->parts();
    EXPECT_FALSE(shown(p.noiseReduction) || shown(p.hearOriginal));
    p.cleanup->click();
    EXPECT_TRUE(shown(p.hearOriginal));
    EXPECT_EQ(p.noiseReduction->field()->text(), QString("60"));
    EXPECT_EQ(p.leveler->field()->text(), QString("40"));
    EXPECT_TRUE(p.voiceEQ->toggle()->isChecked());
    EXPECT_TRUE(p.normalize->toggle()->isChecked());

    drag(p.noiseReduction->slider(), 0.2);
    p.voiceEQ->toggle()->click();
    EXPECT_NEAR(editor().project().audioCleanup->noiseReduction, 0.2, 1e-9);
    EXPECT_FALSE(editor().canUndo());
    p.cleanup->click();
    EXPECT_FALSE(editor().project().audioCleanup);
    p.cleanup->click();
    EXPECT_EQ(*editor().project().audioCleanup, (AudioCleanup{0.6, true, 0.4, true}));

    rig->clock->advance(AudioCleanupJobs::settleDelay);
    ASSERT_TRUE(test::waitFor([&] { return shown(p.cleanedNote); }));
    EXPECT_EQ(p.cleanedNote->text(), QString("✓ Noise learned from the pauses between your words."));

    cleanupFailure = "The disk is full.";
    drag(p.leveler->slider(), 0.5);
    rig->clock->advance(AudioCleanupJobs::settleDelay);
    ASSERT_TRUE(test::waitFor([&] { return shown(p.cleanupError); }));
    EXPECT_TRUE(p.cleanupError->text().startsWith("⚠︎ Audio cleanup failed"));
    EXPECT_EQ(editor().exportError(), std::nullopt);
}

TEST_F(ColorViewTest, MusicIsAddedFromTheMenuAndItsSlidersRebuildThePlayerOnceADrag)
{
    open();
    auto panel = view();
    MusicSection& music = *panel->parts().music;
    const auto& m = music.parts();
    EXPECT_TRUE(shown(m.add));
    EXPECT_FALSE(shown(m.remove) || shown(m.volume));
    QStringList items;
    for (QAction* a : music.menu()->actions()) items << (a->text().isEmpty() ? "—" : a->text());
    EXPECT_EQ(items, (QStringList{"Royalty-free · made on this computer", "Lo-fi Chill — Warm keys, soft beat · 80 BPM",
                                  "Upbeat Pop — Bright plucks, four-on-the-floor · 118 BPM", "Cinematic — Slow pads and sub bass · 70 BPM",
                                  "Soft Ambient — Airy, no drums, great under talking · 72 BPM", "—", "Choose a File…"}));

    music.menu()->actions()[1]->trigger();
    EXPECT_TRUE(shown(m.composing));
    ASSERT_TRUE(test::waitFor([&] { return editor().project().music.has_value(); }));
    test::SoundPictureRig::settle();
    EXPECT_FALSE(shown(m.composing));
    EXPECT_TRUE(shown(m.remove));
    EXPECT_FALSE(shown(m.add));
    EXPECT_EQ(m.nameRow->titleLabel()->text(), QString("Lo-fi Chill"));
    EXPECT_FALSE(shown(m.missing));
    EXPECT_EQ(m.volume->field()->text(), QString("-12 dB"));
    EXPECT_FALSE(m.startAt);  // the length is not known

    rig->clock->advance(1);
    const int rebuilds = rig->player->rebuilds;
    drag(m.volume->slider(), 1.0 / 3);  // −30 + 10 = −20 dB
    EXPECT_NEAR(editor().project().music->volume, -20, 0.05);
    rig->clock->advance(1);
    EXPECT_EQ(rig->player->rebuilds, rebuilds + 1);
    EXPECT_EQ(editor().undoDepth(), 1u) << "the whole drag is one step";
    editor().undo();
    EXPECT_EQ(editor().project().music->volume, -12);
    editor().redo();

    editor().setMusicLength(10);
    ASSERT_TRUE(m.startAt);
    m.startAt->field()->setFocus();
    drag(m.startAt->slider(), 1.0);
    EXPECT_EQ(editor().project().music->startOffset, 9);

    std::filesystem::remove(editor().project().music->path);
    editor().updateProject([](Project&) {});
    EXPECT_TRUE(shown(m.missing));

    musicFailure = "The Music folder cannot be written.";
    music.menu()->actions()[2]->trigger();
    ASSERT_TRUE(test::waitFor([&] { return shown(m.error); }));
    EXPECT_EQ(m.error->text(), QString("⚠︎ Couldn't create the music: The Music folder cannot be written."));
    EXPECT_EQ(editor().project().music->name, "Lo-fi Chill");
    EXPECT_EQ(editor().exportError(), std::nullopt);
    // Music that is then chosen another way is no longer under that failure.
    chosenFile = (dir.path() / "own song.m4a").string();
    test::writeFile(*chosenFile, "music");
    music.menu()->actions().back()->trigger();
    EXPECT_EQ(editor().project().music->name, "own song");
    EXPECT_FALSE(shown(m.error));

    m.remove->click();
    EXPECT_FALSE(editor().project().music);
    EXPECT_TRUE(shown(m.add));
}

TEST_F(ColorViewTest, TheDuckingStripSpansTheCutAndDrawsTheMusicOverTheSpeech)
{
    EXPECT_EQ(DuckingStrip::span(0), 0.1);
    EXPECT_EQ(DuckingStrip::span(12), 12);
    open();
    EXPECT_TRUE(jobs->music().musicCurve().empty());  // no music, no curve
    BackgroundMusic music;
    music.path = "/nowhere.m4a";
    music.name = "x";
    music.fadeIn = 0;
    music.fadeOut = 0;
    editor().updateProject([&](Project& p) { p.music = music; });
    auto panel = view();
    DuckingStrip* strip = panel->parts().music->parts().strip;
    strip->resize(300, 44);
    const QImage picture = strip->grab().toImage();
    // The accent line runs near the top in the pauses and lower under speech.
    const auto curve = jobs->music().musicCurve();
    ASSERT_FALSE(curve.empty());
    EXPECT_FALSE(picture.isNull());
    const double speechGain = MusicDucker::value(curve, 2.5);
    const double pauseGain = std::max_element(curve.begin(), curve.end(), [](auto& a, auto& b) { return a.gain < b.gain; })->gain;
    EXPECT_LT(speechGain, pauseGain);
}

TEST_F(ColorViewTest, LookCardsPickAndPreviewLooksAndTheSectionsSummariseAndReset)
{
    open();
    auto panel = view();
    ColorGroup& color = *panel->parts().color;
    const auto& c = color.parts();
    EXPECT_EQ(c.cards.size(), 17u);
    EXPECT_TRUE(c.cards[0]->isSelected());
    EXPECT_FALSE(shown(c.intensity));
    EXPECT_FALSE(c.reset->isEnabled());
    EXPECT_FALSE(c.autoEnhance->isChecked());
    for (const auto& s : c.sections) {
        EXPECT_EQ(s.section->summaryLabel()->fullText(), QString("No changes"));
        EXPECT_FALSE(shown(s.resetRow));
    }

    LookCard* moody = *std::find_if(c.cards.begin(), c.cards.end(), [](LookCard* card) { return card->lookID() == "moody"; });
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(moody, &enter);
    EXPECT_EQ(editor().previewLook(), "moody");
    QTest::mouseClick(moody, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(editor().previewLook(), std::nullopt);
    EXPECT_EQ(editor().project().grade->look, "moody");
    EXPECT_EQ(moody->toolTip(), QString("Intensity (change it below)"));  // the badge's help follows the chosen look
    QApplication::sendEvent(moody, &enter);  // the chosen look is never previewed
    EXPECT_EQ(editor().previewLook(), std::nullopt);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(c.cards[1], &enter);
    EXPECT_EQ(editor().previewLook(), std::string(c.cards[1]->lookID()));
    QApplication::sendEvent(c.cards[1], &leave);
    EXPECT_EQ(editor().previewLook(), std::nullopt);

    EXPECT_TRUE(shown(c.intensity));
    EXPECT_EQ(c.intensity->field()->text(), QString("80"));
    EXPECT_EQ(LookCard::badgeText(0.8), QString("80%"));
    EXPECT_EQ(LookCard::badgeText(0.333), QString("33%"));
    EXPECT_EQ(LookCard::badgeText(0.996), QString("100%"));
    drag(c.intensity->slider(), 0.5);
    QTest::mouseDClick(c.intensity->titleLabel(), Qt::LeftButton);
    EXPECT_EQ(editor().project().grade->intensity, 0.8);

    // Light: exposure and contrast; Color: reset leaves the other sections.
    const auto& light = c.sections[0];
    light.section->toggle();
    drag(light.rows[0]->slider(), 0.6);  // −1 + 1.2 = +0.2
    drag(light.rows[1]->slider(), 0.45);  // −0.1
    EXPECT_EQ(light.section->summaryLabel()->fullText(), QString("Exposure +20, Contrast -10"));
    EXPECT_TRUE(shown(light.resetRow));
    const auto& colour = c.sections[1];
    colour.section->toggle();
    EXPECT_FALSE(light.section->isOpen());
    drag(colour.rows[0]->slider(), 1.0);
    drag(colour.rows[2]->slider(), 0.0);
    colour.reset->click();
    const VideoGrade g = *editor().project().grade;
    EXPECT_EQ(std::tie(g.temperature, g.tint, g.saturation, g.vibrance), std::make_tuple(0.0, 0.0, 0.0, 0.0));
    EXPECT_NEAR(g.exposure, 0.2, 1e-9);
    EXPECT_EQ(g.look, "moody");
    EXPECT_EQ(colour.reset->text(), QString("Reset Color"));
    QTest::mouseDClick(light.rows[0]->titleLabel(), Qt::LeftButton);
    EXPECT_EQ(light.section->summaryLabel()->fullText(), QString("Contrast -10"));
    EXPECT_FALSE(editor().canUndo());

    EXPECT_TRUE(c.reset->isEnabled());
    c.reset->click();
    EXPECT_FALSE(editor().project().grade);
    EXPECT_TRUE(c.cards[0]->isSelected());
    EXPECT_EQ(moody->toolTip(), QString());
    EXPECT_FALSE(shown(c.intensity));
    EXPECT_EQ(light.section->summaryLabel()->fullText(), QString("No changes"));

    // Hold to compare shows the ungraded picture only while held.
    QTest::mousePress(c.compare, Qt::LeftButton);
    EXPECT_TRUE(editor().showOriginal());
    QTest::mouseRelease(c.compare, Qt::LeftButton);
    EXPECT_FALSE(editor().showOriginal());
}

TEST_F(ColorViewTest, AutoIsDisabledWhileItAnalyses)
{
    open();
    auto panel = view();
    const auto& c = panel->parts().color->parts();
    c.autoEnhance->click();
    EXPECT_TRUE(editor().autoBusy());
    EXPECT_FALSE(c.autoEnhance->isEnabled());
    EXPECT_TRUE(shown(c.analyzing));
    ASSERT_TRUE(test::waitFor([&] { return !editor().autoBusy(); }));
    EXPECT_TRUE(c.autoEnhance->isEnabled());
    EXPECT_TRUE(c.autoEnhance->isChecked());
    EXPECT_FALSE(shown(c.analyzing));
    c.autoEnhance->click();
    EXPECT_FALSE(c.autoEnhance->isChecked());
    EXPECT_FALSE(editor().project().grade);
}

TEST(LookGrid, KeepsCardsAtLeast62WideAndSharesTheRow)
{
    EXPECT_EQ(ColorGroup::cardWidth(310), 71);  // four columns: five would need 342
    EXPECT_EQ(ColorGroup::cardWidth(342), 62);  // five columns at the smallest width
    EXPECT_EQ(ColorGroup::cardWidth(130), 130);  // one column: two would need 132
    EXPECT_EQ(ColorGroup::cardWidth(40), 62);
}

TEST(ColorGroupSummary, NamesTheChangedRowsSignedWhereTheyCanGoNegative)
{
    VideoGrade g;
    g.vignette = 0.35;
    EXPECT_EQ(ColorGroup::summary(ColorGroup::sections()[3].second, g), QString("Vignette 35"));
    g.temperature = -0.15;
    EXPECT_EQ(ColorGroup::summary(ColorGroup::sections()[1].second, g), QString("Temperature -15"));
    EXPECT_EQ(ColorGroup::summary(ColorGroup::sections()[0].second, g), QString("No changes"));
}

}  // namespace

namespace {

// The inspector is at least 340 points wide; no row may force the panel wider.
TEST_F(ColorViewTest, FitsTheNarrowestInspector)
{
    open();
    editor().updateProject([](Project& p) { p.audioCleanup = AudioCleanup{}; });
    auto panel = view();
    auto* scroll = panel->findChild<QScrollArea*>();
    ASSERT_TRUE(scroll);
    EXPECT_LE(scroll->widget()->minimumSizeHint().width(), 340);
}

}  // namespace
