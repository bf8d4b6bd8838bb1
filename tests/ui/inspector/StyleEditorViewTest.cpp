#include "ui/inspector/StyleEditorView.h"

#include "StyleRig.h"
#include "ui/inspector/ColorSection.h"
#include "ui/inspector/DisclosureSection.h"
#include "ui/theme/TextFitting.h"
#include "ui/inspector/EmphasisSection.h"
#include "ui/inspector/FinishesSection.h"
#include "ui/inspector/LayoutSection.h"
#include "ui/inspector/LineStyleMenu.h"
#include "ui/inspector/LiveStylePreview.h"
#include "ui/inspector/LookSection.h"
#include "ui/inspector/MenuRow.h"
#include "ui/inspector/NumberField.h"
#include "ui/inspector/OptionalColorRow.h"
#include "ui/inspector/PressableButton.h"
#include "ui/inspector/SizeControl.h"
#include "ui/inspector/SpacingSection.h"
#include "ui/inspector/SwitchRow.h"
#include "ui/inspector/TimingSection.h"
#include "ui/inspector/ToolbarIconButton.h"
#include "ui/inspector/RowNote.h"
#include "video/Compositor.h"
#include "captions/FontBook.h"
#include "support/Waits.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace vt;
using namespace vt::ui;
using test::rowTitled;
using test::shown;

namespace {

struct CustomizeTest : ::testing::Test {
    test::StyleRig rig;
    std::unique_ptr<StyleEditorView> view = std::make_unique<StyleEditorView>(rig.editor());

    LookSection* section(StyleEditorView::Section s)
    {
        auto* found = view->parts().sectionList[static_cast<std::size_t>(s)];
        if (!found->isOpen()) found->toggle();
        return found;
    }
    void choose(MenuRow* row, const QString& text)
    {
        ASSERT_TRUE(row);
        const int i = row->menu()->findText(text);
        ASSERT_GE(i, 0) << text.toStdString();
        row->menu()->setCurrentIndex(i);
        emit row->menu()->activated(i);
    }
    void flip(QWidget* root, const QString& title)
    {
        if (auto* s = rowTitled<SwitchRow>(root, title)) return s->toggle()->click();
        auto* c = rowTitled<OptionalColorRow>(root, title);
        ASSERT_TRUE(c) << title.toStdString();
        c->toggle()->click();
    }
    QString menuText(QWidget* root, const QString& title) { return rowTitled<MenuRow>(root, title)->menu()->currentText(); }
    QLabel* label(QWidget* w) { return static_cast<QLabel*>(w); }
};

TEST_F(CustomizeTest, EditedBadgeAndResetFollowTheLibraryLook)
{
    const auto& p = view->parts();
    const QString base = QString::fromStdString(rig.look().name);
    EXPECT_TRUE(p.edited->isHidden());
    EXPECT_FALSE(p.reset->isEnabled());
    EXPECT_EQ(p.reset->toolTip(), "Reset to " + base);
    EXPECT_TRUE(p.styleMenu->text().startsWith(base));

    rig.change([](CaptionStyle& s) { s.letterSpacing += 1; });
    EXPECT_FALSE(p.edited->isHidden());
    EXPECT_TRUE(p.reset->isEnabled());
    rig.change([](CaptionStyle& s) { s.letterSpacing -= 1; });
    EXPECT_TRUE(p.edited->isHidden());

    rig.change([](CaptionStyle& s) { s.uppercase = !s.uppercase; });
    p.reset->click();
    EXPECT_EQ(rig.look(), *rig.library.style(rig.editor().project().baseStyleID));

    // A base look the library no longer has: nothing to reset to.
    rig.editor().updateProject([](Project& pr) { pr.baseStyleID = "custom-gone"; });
    rig.change([](CaptionStyle& s) { s.uppercase = !s.uppercase; });
    EXPECT_TRUE(p.edited->isHidden());
    EXPECT_FALSE(p.reset->isEnabled());
    EXPECT_EQ(p.reset->toolTip(), QString("Reset to the original style"));
    EXPECT_EQ(StyleEditorView::resetTitle(rig.editor().project(), false), QString("Reset to Original"));
}

TEST_F(CustomizeTest, SaveAsStoresTheNameAsTypedAndMakesItTheBase)
{
    const std::string name = rig.look().name;
    view->openSaveDialog();
    EXPECT_EQ(view->saveNameField()->text(), QString::fromStdString(name + " (mine)"));
    view->cancelSave();
    EXPECT_FALSE(view->savingName());
    EXPECT_TRUE(rig.library.custom().empty());

    view->openSaveDialog();
    QTest::keyClick(view->saveNameField(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(view->saveNameField(), Qt::Key_Backspace);
    view->confirmSave();
    ASSERT_EQ(rig.library.custom().size(), 1u);
    EXPECT_EQ(rig.library.custom()[0].name, "");
    EXPECT_EQ(rig.editor().project().baseStyleID, rig.library.custom()[0].id);
    EXPECT_TRUE(view->parts().edited->isHidden());

    view->openSaveDialog();  // proposes " (mine)" after the empty name
    EXPECT_EQ(view->saveNameField()->text(), QString(" (mine)"));
    view->confirmSave();
    view->openSaveDialog();
    view->confirmSave();
    ASSERT_EQ(rig.library.custom().size(), 3u);
    EXPECT_NE(rig.library.custom()[1].id, rig.library.custom()[2].id);
    EXPECT_EQ(rig.library.custom()[2].name, " (mine) (mine)");
}

// Undo and Redo are for the words, clips and items: a look the user made or
// picked is never taken back by undoing something done before it.
TEST_F(CustomizeTest, LookEditsStayOutOfTheUndoHistory)
{
    auto* spacing = section(StyleEditorView::Section::spacing);
    auto* letters = rowTitled<ValueRow>(spacing, "Letter spacing");
    rig.editor().toggleDelete({rig.editor().project().words[0].id});
    const auto depth = rig.editor().undoDepth();

    // A drag, a typed number, an arrow-key nudge and a held "Bigger".
    letters->slider()->setSliderDown(true);
    for (int v : {100, 300, 500, 700}) letters->slider()->setValue(v);
    letters->slider()->setSliderDown(false);
    auto* field = rowTitled<ValueRow>(spacing, "Line spacing")->field();
    field->selectAll();
    QTest::keyClicks(field, "1.3");
    QTest::keyClick(field, Qt::Key_Return);
    QTest::keyClick(field, Qt::Key_Up);
    EXPECT_DOUBLE_EQ(rig.look().lineSpacing, 1.35);
    auto* size = view->findChild<SizeControl*>();
    const double font = rig.look().fontSize;
    QTest::mousePress(size->bigger(), Qt::LeftButton);
    ASSERT_TRUE(test::waitFor([&] { return rig.look().fontSize >= font + 6; }));
    QTest::mouseRelease(size->bigger(), Qt::LeftButton);
    EXPECT_EQ(rig.editor().undoDepth(), depth);

    // Then another look is picked: Undo brings the word back and leaves it.
    const CaptionStyle picked = StylePresets::all()[3];
    rig.editor().applyPreset(picked);
    rig.editor().undo();
    EXPECT_FALSE(rig.editor().project().words[0].deleted);
    EXPECT_EQ(rig.look(), picked);
    rig.editor().redo();
    EXPECT_TRUE(rig.editor().project().words[0].deleted);
    EXPECT_EQ(rig.look(), picked);
}

TEST_F(CustomizeTest, QuickEditRowsFollowTheirColours)
{
    auto* width = rowTitled<ValueRow>(view.get(), "Outline width");
    rig.change([](CaptionStyle& s) { s.strokeColor.reset(); s.shadowColor.reset(); });
    EXPECT_FALSE(shown(width));
    flip(view.get(), "Outline");
    EXPECT_EQ(rig.look().strokeColor, (RGBA{0, 0, 0, 1}));
    EXPECT_TRUE(shown(width));

    flip(view.get(), "Shadow");
    EXPECT_EQ(rig.look().shadowColor, (RGBA{0, 0, 0, 0.6}));
    rig.change([](CaptionStyle& s) { s.shadowColor = RGBA{0.2, 0.3, 0.4, 0.6}; });
    auto* opacity = rowTitled<ValueRow>(view.get(), "Opacity");
    EXPECT_TRUE(shown(opacity));
    EXPECT_EQ(opacity->field()->text(), QString("60%"));
    opacity->field()->selectAll();
    QTest::keyClicks(opacity->field(), "35");
    QTest::keyClick(opacity->field(), Qt::Key_Return);
    EXPECT_EQ(rig.look().shadowColor, (RGBA{0.2, 0.3, 0.4, 0.35}));

    // Centre is stored as no alignment.
    auto* right = view->findChild<QToolButton*>("", Qt::FindChildrenRecursively);
    for (auto* b : view->findChildren<QToolButton*>())
        if (b->accessibleName() == "Right") right = b;
    right->click();
    EXPECT_EQ(rig.look().textAlign, TextAlign::right);
    for (auto* b : view->findChildren<QToolButton*>())
        if (b->accessibleName() == "Center") b->click();
    EXPECT_FALSE(rig.look().textAlign);

    // A font that is no choice is offered last and shown.
    rig.change([](CaptionStyle& s) { s.font = "Typed-In-Font"; });
    EXPECT_EQ(menuText(view.get(), "Font"), QString("Typed-In-Font"));
    choose(rowTitled<MenuRow>(view.get(), "Animation"), "Word bounce");
    EXPECT_EQ(rig.look().animation, EntranceAnimation::bounce);
}

TEST_F(CustomizeTest, SharedMembers)
{
    EXPECT_EQ(StyleEditorView::fmt(1.5, 1), QString("1.5"));
    EXPECT_EQ(StyleEditorView::fmt(1, 2), QString("1.00"));
    EXPECT_EQ(StyleEditorView::fmt(-0.5, 1), QString("-0.5"));
    StyleEdits edits(rig.editor());
    auto words = StyleEditorView::intBinding(edits, &CaptionStyle::maxWordsPerGroup);
    words.set(2.5);
    EXPECT_EQ(rig.look().maxWordsPerGroup, 3);
    words.set(-2.5);
    EXPECT_EQ(rig.look().maxWordsPerGroup, -3);
    EXPECT_EQ(StyleEditorView::fontOptions("").size(), FontBook::choices().size());
    EXPECT_EQ(StyleEditorView::fontOptions("Nope").back().second, "Nope");
    EXPECT_EQ(SizeControl::stepped(299, 2, 30, 300), 300);
    EXPECT_EQ(SizeControl::stepped(31, -2, 30, 300), 30);
    // A colour through the toolkit comes back unchanged and a write is stored as RGBA.
    auto colour = StyleEditorView::colorBinding(edits, &CaptionStyle::textColor);
    colour.set(QColor::fromRgbF(0.25, 0.5, 0.75, 1));
    EXPECT_NEAR(rig.look().textColor.g, 0.5, 1e-4);
    EXPECT_EQ(colour.get().toRgb(), QColor::fromRgbF(0.25, 0.5, 0.75, 1).toRgb());
    colour.set(QColor());  // no colour to convert: white
    EXPECT_EQ(rig.look().textColor, (RGBA{1, 1, 1, 1}));
}

TEST_F(CustomizeTest, OneSectionIsOpenAtATime)
{
    auto& all = view->parts().sectionList;
    all[0]->toggle();
    EXPECT_TRUE(all[0]->isOpen());
    EXPECT_TRUE(all[0]->summaryLabel()->isHidden());
    all[1]->toggle();
    EXPECT_FALSE(all[0]->isOpen());
    EXPECT_TRUE(all[1]->isOpen());
    all[1]->toggle();
    EXPECT_FALSE(all[1]->isOpen());
    EXPECT_FALSE(all[1]->summaryLabel()->isHidden());
}

struct SummaryCase {
    const char* name;
    std::function<void(CaptionStyle&)> edit;
    QString (*summary)(const CaptionStyle&);
    QString expected;
};

TEST(CustomizeSummaries, EachSectionSummarisesItsLook)
{
    CaptionStyle plain;
    plain.verticalPosition = 0.8;
    const std::vector<SummaryCase> cases{
        {"spacing", [](CaptionStyle&) {}, &SpacingSection::summary, "Letters 0.0 · Lines 1.00"},
        // Exact halves round as printf does: to even.
        {"spacing halves", [](CaptionStyle& s) { s.letterSpacing = 0.25, s.lineSpacing = 1.125; }, &SpacingSection::summary,
         "Letters 0.2 · Lines 1.12"},
        {"layout plain", [](CaptionStyle&) {}, &LayoutSection::summary, "80% down"},
        {"layout all",
         [](CaptionStyle& s) {
             s.verticalPosition = 0.62, s.rotation = -3.5, s.container = CaptionContainer::chatRight;
             s.behindSubject = true;
         },
         &LayoutSection::summary, "62% down · -3.5° · Chat bubble (sent) · behind"},
        {"layout half", [](CaptionStyle& s) { s.verticalPosition = 0.625, s.rotation = 0.5; }, &LayoutSection::summary,
         "63% down · 0.5°"},
        {"layout absurd", [](CaptionStyle& s) { s.verticalPosition = 1e300; }, &LayoutSection::summary, ""},
        {"color none", [](CaptionStyle&) {}, &ColorSection::summary, "None"},
        {"color implied gradient",
         [](CaptionStyle& s) { s.glowColor = RGBA{}, s.gradientColor = RGBA{}, s.barColor = RGBA{}; },
         &ColorSection::summary, "Glow, Gradient, Bar"},
        {"color in a container", [](CaptionStyle& s) { s.barColor = RGBA{}, s.container = CaptionContainer::chatLeft; },
         &ColorSection::summary, "None"},
        {"color all",
         [](CaptionStyle& s) {
             s.fill = TextFill::chrome, s.shineSweep = RGBA{}, s.palette = std::vector<RGBA>{RGBA{}};
             s.wordBoxColor = RGBA{}, s.knockout = RGBA{}, s.blendDarkColor = RGBA{};
         },
         &ColorSection::summary, "Chrome, Shine, Multicolor, Word box, Knockout, Blend"},
        {"emphasis off", [](CaptionStyle& s) { s.emphasisColor = RGBA{}; }, &EmphasisSection::summary, "Off"},
        {"emphasis hero", [](CaptionStyle& s) { s.heroWord = true, s.emphasisScale = 1.5; }, &EmphasisSection::summary,
         "Hero word · 1.50×"},
        {"emphasis font", [](CaptionStyle& s) { s.emphasisFont = "Plain-Name", s.emphasisScale = 2; },
         &EmphasisSection::summary, "Plain-Name · 2.00×"},
        {"finishes none", [](CaptionStyle& s) { s.ransom = false, s.stickerRim = RGBA{}; }, &FinishesSection::summary,
         "None"},
        {"finishes", [](CaptionStyle& s) { s.sticker = RGBA{}, s.neonFrame = RGBA{}; }, &FinishesSection::summary,
         "Sticker, Neon"},
        {"timing", [](CaptionStyle& s) { s.highlight = HighlightMode::color, s.exitAnimation = ExitAnimation::fade; },
         &TimingSection::summary, "Color flip · exit fade out"},
        {"timing none", [](CaptionStyle&) {}, &TimingSection::summary, "None · exit quick cut"},
    };
    for (const auto& c : cases) {
        CaptionStyle look = plain;
        c.edit(look);
        const QString got = c.summary(look);
        if (c.expected.isEmpty())
            EXPECT_TRUE(got.endsWith("% down")) << c.name;  // produced, whatever the digits
        else
            EXPECT_EQ(got, c.expected) << c.name;
    }
}

TEST_F(CustomizeTest, NumbersIgnoreTheUsersLocale)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    rig.change([](CaptionStyle& s) { s.pauseBreak = 0.35, s.rotation = -3.5; });
    StyleEditorView german(rig.editor());
    auto* timing = german.parts().sectionList[5];
    timing->toggle();
    EXPECT_EQ(rowTitled<ValueRow>(timing, "Pause length (s)")->field()->text(), QString("0.35s"));
    EXPECT_TRUE(german.parts().sectionList[1]->summaryLabel()->fullText().contains("-3.5°"));
    auto* field = rowTitled<ValueRow>(timing, "Pause length (s)")->field();
    field->selectAll();
    QTest::keyClicks(field, "0.5");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(rig.look().pauseBreak, 0.5);
    QLocale::setDefault(QLocale::c());
}

TEST_F(CustomizeTest, LayoutRows)
{
    auto* layout = section(StyleEditorView::Section::layout);
    rig.change([](CaptionStyle& s) { s.lineScales = std::vector<double>{1.2, 0.8}; s.layouts.reset(); s.container.reset(); s.barColor.reset(); });
    EXPECT_EQ(menuText(layout, "Line sizes"), QString("All the same"));
    choose(rowTitled<MenuRow>(layout, "Line sizes"), "All the same");
    EXPECT_FALSE(rig.look().lineScales);
    choose(rowTitled<MenuRow>(layout, "Line sizes"), "Mixed");
    EXPECT_EQ(rig.look().lineScales, (std::vector<double>{1.0, 0.6, 1.5}));

    // Rotation: an empty list is "Off" with the note; a list of one's own is "Custom".
    rig.change([](CaptionStyle& s) { s.layouts = std::vector<CaptionLayout>{}; });
    auto* rotation = rowTitled<MenuRow>(layout, "Layout rotation");
    EXPECT_EQ(rotation->menu()->currentText(), QString("Off"));
    EXPECT_EQ(rotation->menu()->findText("Custom"), -1);
    EXPECT_FALSE(shown(rowTitled<MenuRow>(layout, "Free-form")));
    choose(rotation, "Off");
    EXPECT_FALSE(rig.look().layouts);
    EXPECT_TRUE(shown(rowTitled<MenuRow>(layout, "Free-form")));
    rig.change([](CaptionStyle& s) { s.layouts = std::vector<CaptionLayout>{CaptionLayout::stack, CaptionLayout::hero}; });
    EXPECT_EQ(rotation->menu()->currentText(), QString("Custom"));
    choose(rotation, "Custom");
    EXPECT_EQ(rig.look().layouts->size(), 2u);
    choose(rotation, "Stacks");
    EXPECT_EQ(rig.look().layouts, (std::vector<CaptionLayout>{CaptionLayout::stack, CaptionLayout::leftBlock}));

    // Shapes bring their colour once; the colour outlives the shape.
    choose(rowTitled<MenuRow>(layout, "Shape"), "Chat bubble (received)");
    EXPECT_EQ(rig.look().barColor, RGBA::fromHex("E9E9EB"));
    EXPECT_TRUE(shown(rowTitled<OptionalColorRow>(layout, "Bubble color")));
    EXPECT_FALSE(rowTitled<SwitchRow>(layout, "Keep earlier messages")->toggle()->isChecked());
    choose(rowTitled<MenuRow>(layout, "Shape"), "Notification");
    EXPECT_EQ(rig.look().barColor, RGBA::fromHex("E9E9EB"));
    EXPECT_TRUE(shown(rowTitled<OptionalColorRow>(layout, "Card color")));
    EXPECT_EQ(menuText(layout, "App"), QString("Messages"));
    EXPECT_FALSE(shown(rowTitled<SwitchRow>(layout, "Keep earlier messages")));
    QLineEdit* title = nullptr;
    for (auto* field : layout->findChildren<QLineEdit*>())
        if (field->accessibleName() == "Title") title = field;
    ASSERT_TRUE(title);
    QTest::keyClicks(title, "@me");
    EXPECT_EQ(rig.look().notificationTitle, "@me");
    title->clear();
    emit title->textEdited({});
    EXPECT_FALSE(rig.look().notificationTitle);
    choose(rowTitled<MenuRow>(layout, "Shape"), "None");
    EXPECT_FALSE(rig.look().container);
    EXPECT_TRUE(rig.look().barColor);

    flip(layout, "Behind the speaker");
    EXPECT_TRUE(layout->summaryLabel()->fullText().endsWith("behind"));
}

TEST_F(CustomizeTest, ColourRows)
{
    auto* colour = section(StyleEditorView::Section::color);
    rig.change([](CaptionStyle& s) { s = CaptionStyle{}; s.gradientColor = RGBA{1, 0, 0, 1}; });
    EXPECT_EQ(menuText(colour, "Fill"), QString("Gradient"));
    EXPECT_TRUE(shown(rowTitled<OptionalColorRow>(colour, "Gradient to")));
    EXPECT_TRUE(shown(rowTitled<ValueRow>(colour, "Fill angle")));
    flip(colour, "Gradient to");
    EXPECT_EQ(menuText(colour, "Fill"), QString("Solid"));
    EXPECT_FALSE(shown(rowTitled<ValueRow>(colour, "Fill angle")));

    choose(rowTitled<MenuRow>(colour, "Fill"), "Gradient");
    EXPECT_EQ(rig.look().gradientColor, RGBA::fromHex("FFB347"));
    choose(rowTitled<MenuRow>(colour, "Fill"), "Centre peak");
    EXPECT_EQ(rig.look().gradientColor, RGBA::fromHex("FFB347"));
    EXPECT_TRUE(shown(rowTitled<OptionalColorRow>(colour, "Edge color")));
    EXPECT_EQ(rowTitled<ValueRow>(colour, "Fill angle")->field()->text(), QString("0°"));
    choose(rowTitled<MenuRow>(colour, "Fill"), "Shine stripes");
    EXPECT_EQ(rowTitled<ValueRow>(colour, "Fill angle")->field()->text(), QString("28°"));
    EXPECT_FALSE(rig.look().fillAngle);
    choose(rowTitled<MenuRow>(colour, "Fill"), "Solid");
    EXPECT_EQ(rig.look().fill, TextFill::solid);
    EXPECT_FALSE(rig.look().gradientColor);

    flip(colour, "Multicolor words");
    EXPECT_EQ(rig.look().palette, StyleEditorView::multicolor());
    // Corner radius needs a bar or a box highlight.
    EXPECT_FALSE(shown(rowTitled<ValueRow>(colour, "Corner radius")));
    rig.change([](CaptionStyle& s) { s.highlight = HighlightMode::slide; });
    EXPECT_TRUE(shown(rowTitled<ValueRow>(colour, "Corner radius")));
    flip(colour, "Blend over bright video");
    flip(colour, "Knockout (video in text)");
    EXPECT_TRUE(colour->findChild<RowNote*>() != nullptr);
    EXPECT_EQ(colour->summaryLabel()->fullText(), QString("Multicolor, Knockout, Blend"));
}

TEST_F(CustomizeTest, EmphasisFinishesAndTimingRows)
{
    auto* emphasis = section(StyleEditorView::Section::emphasis);
    choose(rowTitled<MenuRow>(emphasis, "Emphasis font"), "Same as text");
    EXPECT_FALSE(rig.look().emphasisFont);

    auto* finishes = section(StyleEditorView::Section::finishes);
    rig.change([](CaptionStyle& s) { s.ransom.reset(); s.ransomLive.reset(); s.sticker.reset(); s.stickerRim = RGBA{0, 1, 0, 1}; });
    const CaptionStyle before = rig.look();
    flip(finishes, "Ransom note letters");
    EXPECT_EQ(rig.look().ransom, true);
    flip(finishes, "Keep re-cutting letters");
    flip(finishes, "Keep re-cutting letters");
    flip(finishes, "Ransom note letters");
    EXPECT_EQ(rig.look(), before);
    EXPECT_FALSE(shown(rowTitled<OptionalColorRow>(finishes, "Sticker rim")));
    flip(finishes, "Sticker border");
    EXPECT_TRUE(rowTitled<OptionalColorRow>(finishes, "Sticker rim")->toggle()->isChecked());

    auto* timing = section(StyleEditorView::Section::timing);
    const std::vector<std::tuple<QString, bool, bool>> modes{{"Box", true, true},        {"Scale up", false, false},
                                                             {"Underline", false, true}, {"Color flip", true, false},
                                                             {"Sliding box", true, true}, {"None", false, false}};
    for (const auto& [mode, active, highlight] : modes) {
        choose(rowTitled<MenuRow>(timing, "Active word"), mode);
        EXPECT_EQ(shown(rowTitled<OptionalColorRow>(timing, "Active text color")), active) << mode.toStdString();
        EXPECT_EQ(shown(rowTitled<OptionalColorRow>(timing, "Highlight color")), highlight) << mode.toStdString();
    }
    choose(rowTitled<MenuRow>(timing, "Exit"), "Quick cut");
    EXPECT_FALSE(rig.look().exitAnimation);
    flip(timing, "End captions at pauses");
    EXPECT_EQ(rig.look().pauseBreak, 0.35);
    EXPECT_TRUE(shown(rowTitled<ValueRow>(timing, "Pause length (s)")));
    flip(timing, "End captions at pauses");
    EXPECT_FALSE(rig.look().pauseBreak);
    flip(timing, "Outline words until spoken");
    flip(timing, "Outline words until spoken");
    EXPECT_EQ(rig.look().hollowUnspoken, false);
}

// What the panel writes is what the compositor draws.
TEST_F(CustomizeTest, AnEditReachesTheDrawnCaption)
{
    auto frame = [&] {
        RenderSnapshot snap = rig.editor().snapshot();
        snap.renderSize = {270, 480};
        return Compositor::render(QImage(), 0.7, snap);
    };
    const QImage before = frame();
    auto* size = view->findChild<SizeControl*>();
    size->field()->selectAll();
    QTest::keyClicks(size->field(), "200");
    QTest::keyClick(size->field(), Qt::Key_Return);
    ASSERT_EQ(rig.look().fontSize, 200);
    const QImage after = frame();
    ASSERT_EQ(before.size(), after.size());
    int differing = 0;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x) differing += before.pixel(x, y) != after.pixel(x, y);
    EXPECT_GT(differing, 500);
}

// A saved look's name is shown as written on the buttons and items that
// carry it, its ampersand not taken for a keyboard mnemonic.
TEST(StyleMenus, ALooksNameWithAnAmpersandShowsAsWritten)
{
    CaptionStyle look = StylePresets::all().front();
    look.id = "salt-pepper";
    look.name = "Salt & Pepper";
    test::StyleRig rig(test::styledProject(look));
    rig.library.setCustom({look});
    StyleEditorView view(rig.editor());
    rig.change([](CaptionStyle& s) { s.letterSpacing += 1; });  // edited, so it can be reset
    EXPECT_EQ(view.parts().styleMenu->text(), QString("Salt && Pepper  ⌄"));
    auto* reset = view.parts().styleMenu->menu()->findChild<QAction*>("resetItem");
    ASSERT_TRUE(reset);
    EXPECT_EQ(reset->text(), QString("Reset to Salt && Pepper"));

    const std::set<Uuid> first{rig.editor().project().words.front().id};
    rig.editor().applyStyle(look, first);
    LineStyleMenu words(rig.editor(), first);
    EXPECT_EQ(words.label(), QString("Salt & Pepper"));
    EXPECT_EQ(words.text(), QString("Aa Salt && Pepper"));
    rig.library.setCustom({});
}

TEST(LiveStylePreview, ShowsOnlyNewerRequestsAndSkipsStaleOnes)
{
    LiveStylePreview preview("Make it happen");
    CaptionStyle look = StylePresets::all().front();
    preview.setLook(look);
    look.fontSize += 10;
    preview.setLook(look);  // waits behind the first
    look.fontSize += 10;
    preview.setLook(look);  // replaces the waiting one
    preview.setLook(look);  // the same look again is no request
    EXPECT_EQ(preview.requested(), 3u);
    ASSERT_TRUE(test::waitFor([&] { return preview.shownRequest() == 3; }));
    EXPECT_EQ(preview.drawingsStarted(), 2);  // the second request was never drawn
    EXPECT_FALSE(preview.picture().isNull());

    // A late answer to an older request changes nothing.
    const QImage newest = preview.picture();
    preview.deliver(1, QImage(4, 4, QImage::Format_ARGB32_Premultiplied));
    EXPECT_EQ(preview.shownRequest(), 3u);
    EXPECT_EQ(preview.picture(), newest);
}

}  // namespace
