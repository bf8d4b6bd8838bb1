#include "ui/inspector/MotionSection.h"

#include "PanelRig.h"
#include "ui/inspector/DragTile.h"
#include "ui/inspector/NumberField.h"
#include "ui/inspector/RowNote.h"
#include "ui/inspector/SwitchRow.h"
#include "ui/inspector/ValueRow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

#include <gtest/gtest.h>

using namespace vt;
using namespace vt::ui;

namespace {

using Kind = MotionEffect::Kind;
bool shown(QWidget* w) { return w && !w->isHidden(); }

DragTile* tile(MotionSection& section, Kind kind) { return section.parts().tiles[static_cast<std::size_t>(kind)]; }

void choose(QComboBox* menu, Kind kind)
{
    const int index = menu->findData(static_cast<int>(kind));
    menu->setCurrentIndex(index);
    emit menu->activated(index);
}

}  // namespace

TEST(MotionSection, NotesAndSoundTitlesFollowTheirRules)
{
    EXPECT_EQ(MotionSection::autoNoteText(0), QString("No new moments to add to: every key line already has a move."));
    EXPECT_EQ(MotionSection::autoNoteText(1),
              QString("Added 1 camera move on key lines. Emphasize words (Ctrl+B) to choose them."));
    EXPECT_EQ(MotionSection::autoNoteText(3),
              QString("Added 3 camera moves on key lines. Emphasize words (Ctrl+B) to choose them."));
    EXPECT_EQ(MotionSection::soundTitle(Kind::zoomIn), QString("Sound (whoosh)"));
    EXPECT_EQ(MotionSection::soundTitle(Kind::glitch), QString("Sound (tick)"));
    for (Kind quiet : {Kind::fadeIn, Kind::fadeOut, Kind::blackWhite}) EXPECT_FALSE(MotionSection::soundTitle(quiet));
}

TEST(MotionSection, TilesAddAtThePlayheadAndTheEditorFollowsTheKind)
{
    test::PanelRig rig;
    MotionSection section(*rig);
    const auto& p = section.parts();
    EXPECT_FALSE(shown(p.removeAll));
    EXPECT_TRUE(p.count->text().isEmpty());
    EXPECT_FALSE(shown(p.editor));
    EXPECT_EQ(tile(section, Kind::blackWhite)->payload(), QString("vellumtide-timeline:motion:Black & White"));
    EXPECT_EQ(tile(section, Kind::blackWhite)->accessibleName(), QString("Add Black & White"));

    rig->setCurrentTime(3);
    tile(section, Kind::zoomIn)->click();
    ASSERT_TRUE(rig->selectedMotion());
    const Uuid id = rig->selectedMotion()->id;
    EXPECT_EQ(rig->span({TimelineItem::Kind::motion, id})->first, 3.0);
    EXPECT_EQ(rig->selectedMotion()->duration, 1.5);
    EXPECT_TRUE(shown(p.editor) && shown(p.removeAll));
    EXPECT_EQ(p.count->text(), QString("1 on timeline"));
    EXPECT_EQ(p.sound->titleLabel()->text(), QString("Sound (whoosh)"));
    EXPECT_TRUE(shown(p.strengthRow));

    // A new kind keeps the other fields; fades hide the strength, quiet looks the sound.
    choose(p.kind, Kind::fadeIn);
    EXPECT_EQ(rig->selectedMotion()->kind, Kind::fadeIn);
    EXPECT_EQ(rig->selectedMotion()->strength, 1.0);
    EXPECT_FALSE(shown(p.strengthRow));
    EXPECT_FALSE(shown(p.soundRow));
    choose(p.kind, Kind::blackWhite);
    EXPECT_TRUE(shown(p.strengthRow));
    section.resetLength();
    EXPECT_EQ(rig->selectedMotion()->duration, 2.5);

    // "Playhead" moves the start and keeps the length.
    rig->setCurrentTime(1);
    p.playhead->click();
    EXPECT_EQ(rig->span({TimelineItem::Kind::motion, id})->first, 1.0);
    EXPECT_EQ(rig->selectedMotion()->duration, 2.5);
    EXPECT_EQ(p.startsAt->text(), QString("0:01.0"));
}

TEST(MotionSection, OneUndoStepPerFinishedEditAndTheListSelectsAndSeeks)
{
    test::PanelRig rig;
    MotionSection section(*rig);
    const auto& p = section.parts();
    rig->setCurrentTime(4);
    tile(section, Kind::punchIn)->click();
    rig->setCurrentTime(0.5);
    tile(section, Kind::shake)->click();
    const std::size_t before = rig->undoDepth();

    QSlider* slider = p.strength->slider();
    slider->setSliderDown(true);
    for (int v : {100, 300, 600}) slider->setValue(v);
    slider->setSliderDown(false);
    EXPECT_EQ(rig->undoDepth(), before + 1);
    test::typeNumber(p.length->field(), "0.8");
    EXPECT_EQ(rig->selectedMotion()->duration, 0.8);
    EXPECT_EQ(rig->undoDepth(), before + 2);
    p.sound->toggle()->click();
    EXPECT_FALSE(rig->selectedMotion()->sound);
    EXPECT_EQ(rig->undoDepth(), before + 3);

    test::settle();
    ASSERT_EQ(p.listRows.size(), 2u);
    const auto first = rig->placedMotions().front();
    QTest::mouseClick(p.listRows[0], Qt::LeftButton);
    EXPECT_EQ(rig->timelineSelection(), (TimelineItem{TimelineItem::Kind::motion, first.effect.id}));
    EXPECT_EQ(rig->currentTime(), first.start);
    EXPECT_EQ(rig.player->playheadSeeks.back(), first.start);

    p.removeAll->click();
    EXPECT_FALSE(rig->project().motions && !rig->project().motions->empty());
    EXPECT_FALSE(section.autoNote());
    EXPECT_FALSE(shown(p.editor));
}

TEST(MotionSection, AutoZoomSaysWhatItAddedAndRecordsAStepOnlyWhenItAdds)
{
    test::PanelRig rig([](Project& p) {
        for (std::size_t i = 0; i < p.words.size(); i += 4) p.words[i].emphasized = true;
    });
    MotionSection section(*rig);
    section.parts().autoZoom->click();
    const auto added = static_cast<int>(rig->placedMotions().size());
    ASSERT_GT(added, 0);
    EXPECT_EQ(section.autoNote(), MotionSection::autoNoteText(added));
    EXPECT_EQ(rig->undoDepth(), 1u);
    EXPECT_TRUE(shown(section.parts().note));
    // Repeated until every key line has a move: then nothing is added and no step recorded.
    for (int i = 0; i < 6 && section.autoNote() != MotionSection::autoNoteText(0); ++i) {
        const std::size_t steps = rig->undoDepth();
        const std::size_t moves = rig->placedMotions().size();
        section.parts().autoZoom->click();
        const auto more = static_cast<int>(rig->placedMotions().size() - moves);
        EXPECT_EQ(section.autoNote(), MotionSection::autoNoteText(more));
        EXPECT_EQ(rig->undoDepth(), steps + (more > 0 ? 1 : 0));
    }
    EXPECT_EQ(section.autoNote(), MotionSection::autoNoteText(0));
}

TEST(MotionSection, SlidersMoveInTheRowsSteps)
{
    test::PanelRig rig;
    MotionSection section(*rig);
    rig->setCurrentTime(1);
    tile(section, Kind::zoomIn)->click();
    section.parts().length->slider()->setValue(123);  // 1.4054 s on a continuous slider
    EXPECT_DOUBLE_EQ(rig->selectedMotion()->duration, 1.4);
    section.parts().strength->slider()->setValue(470);  // 107.25 % on a continuous slider
    EXPECT_DOUBLE_EQ(rig->selectedMotion()->strength, 1.05);
}
