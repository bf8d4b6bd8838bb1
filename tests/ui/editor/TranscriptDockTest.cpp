#include "EditorUiRig.h"

#include "ui/editor/InlineWordField.h"
#include "ui/editor/ParagraphView.h"
#include "ui/editor/SubtitleList.h"
#include "ui/editor/SymbolButton.h"
#include "ui/editor/SymbolTextButton.h"
#include "ui/editor/TranscriptDock.h"
#include "ui/editor/TranscriptDockHeader.h"
#include "ui/editor/TranscriptLegend.h"
#include "ui/editor/TimelineZoomBar.h"
#include "ui/editor/TransportBar.h"
#include "ui/editor/WaveformScrubber.h"
#include "ui/editor/WordChip.h"
#include "ui/editor/WordList.h"
#include "ui/theme/Motion.h"
#include "ui/theme/Theme.h"
#include "support/Waits.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPropertyAnimation>
#include <QScrollBar>
#include <QSlider>

#include <gtest/gtest.h>

using namespace vt;
using namespace vt::ui;

namespace {

struct DockRig : test::EditorUiRig {
    TranscriptDock dock{editor(), nullptr};
    explicit DockRig(Project p = test::sampleProject(12)) : EditorUiRig(std::move(p))
    {
        dock.resize(700, 420);
        dock.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dock, test::kHangCapMs));
    }
    void click(std::size_t i, Qt::KeyboardModifiers mods = {})
    {
        QTest::mouseClick(dock.wordList()->viewport(), Qt::LeftButton, mods, *dock.wordList()->wordCenter(i));
    }
    void key(int k, Qt::KeyboardModifiers mods = {}, const QString& text = {})
    {
        QTest::keyClick(&dock, static_cast<Qt::Key>(k), mods);
        (void)text;
    }
    std::set<Uuid> ids(std::initializer_list<std::size_t> is)
    {
        std::set<Uuid> out;
        for (auto i : is) out.insert(word(i).id);
        return out;
    }
};

TEST(WordChip, LookFollowsTheWordsState)
{
    Word w = test::word("um", 0, 1);
    w.breakAfter = true;
    WordChip chip = WordChip::of(w);
    EXPECT_EQ(chip.text, QString("um \u23CE"));
    EXPECT_EQ(chip.helpText(), "A filler word: the Fillers button cuts all of them");
    chip.isActive = chip.inPlayingLine = true;
    EXPECT_EQ(chip.font().weight(), QFont::DemiBold);
    EXPECT_EQ(chip.textColour(), Theme::onAccent);
    EXPECT_EQ(chip.bandColour(), QColor(Theme::accent));
    EXPECT_EQ(chip.helpText(), "Playing now");
    chip.emphasized = true;
    EXPECT_EQ(chip.font().weight(), QFont::Bold);  // emphasis wins over the spoken word
    chip.deleted = true;
    chip.trimmed = true;
    EXPECT_EQ(chip.helpText(), "Trimmed off the end of its clip (not in the video)");
    EXPECT_EQ(chip.textColour(), QColor(Theme::secondaryText));
    EXPECT_DOUBLE_EQ(chip.textOpacity(), 0.7);
    EXPECT_DOUBLE_EQ(chip.scale(), 0.97);
    chip.reduceMotion = true;
    EXPECT_DOUBLE_EQ(chip.scale(), 1);
    // The ring never changes the chip's size.
    WordChip picked = chip;
    picked.isSelected = true;
    EXPECT_EQ(picked.size(), chip.size());
}

// Cutting or restoring a word eases it into its new look; with motion
// reduced (the desktop's setting) it changes at once and never shrinks.
TEST(WordChip, TheStruckLookEasesInUnlessMotionIsReduced)
{
    for (bool reduced : {false, true}) {
        SCOPED_TRACE(reduced ? "reduced motion" : "full motion");
        Motion::setReduced(reduced);
        DockRig r;
        WordList& list = *r.dock.wordList();
        r.editor().toggleDelete(r.ids({2}));
        EXPECT_EQ(list.strikeOf(2), reduced ? 1 : 0);  // nothing drawn yet
        EXPECT_TRUE(QTest::qWaitFor([&] { return list.strikeOf(2) == 1; }, 30000));
        EXPECT_EQ(ParagraphView::chip(r.editor(), r.editor().paragraphs()[0].range(), 2).scale(), reduced ? 1 : 0.97);
        r.editor().toggleDelete(r.ids({2}));  // restored: back again
        EXPECT_EQ(list.strikeOf(2), reduced ? 0 : 1);
        EXPECT_TRUE(QTest::qWaitFor([&] { return list.strikeOf(2) == 0; }, 30000));
        EXPECT_EQ(list.strikeOf(3), 0);  // the others never moved
    }
    Motion::setReduced(false);
}

// A word keeps its look when words before it come or go: the one it now
// stands in place of was not struck, and the one now in its old place was.
TEST(WordChip, AWordKeepsItsStruckLookWhenWordsBeforeItMove)
{
    Motion::setReduced(false);
    DockRig r;
    WordList& list = *r.dock.wordList();
    r.editor().toggleDelete(r.ids({5}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return list.strikeOf(5) == 1; }, 30000));
    r.editor().setText(r.word(2).id, "two parts");
    EXPECT_EQ(list.strikeOf(6), 1);
    EXPECT_EQ(list.strikeOf(5), 0);
    r.editor().undo();
    EXPECT_EQ(list.strikeOf(5), 1);
    EXPECT_EQ(list.strikeOf(4), 0);
}

TEST(ParagraphView, BandJoinsOnlyWordsOfThePlayingLineInsideTheParagraph)
{
    test::EditorUiRig rig;
    EditorModel& e = rig.editor();
    rig.speak(1);
    ASSERT_TRUE(e.activeGroupIndex());
    const int line = *e.activeGroupIndex();
    const Paragraph::Range all{0, e.transcript().size()};
    std::vector<std::size_t> inLine;
    for (std::size_t i = 0; i < e.transcript().size(); ++i)
        if (ParagraphView::chip(e, all, i).inPlayingLine) inLine.push_back(i);
    ASSERT_GE(inLine.size(), 2u);
    for (std::size_t i : inLine) EXPECT_EQ(e.groupOfWord(rig.word(i).id), line);
    EXPECT_FALSE(ParagraphView::chip(e, all, inLine.front()).joinsLeft);
    EXPECT_TRUE(ParagraphView::chip(e, all, inLine.front()).joinsRight);
    EXPECT_FALSE(ParagraphView::chip(e, all, inLine.back()).joinsRight);
    // A paragraph boundary inside the line rounds both sides of it.
    const Paragraph::Range firstOnly{0, inLine.front() + 1};
    EXPECT_FALSE(ParagraphView::chip(e, firstOnly, inLine.front()).joinsRight);
    // A range past the end shows only the words that exist.
    EXPECT_EQ(ParagraphView::clamped({10, 40}, 12).count(), 2u);
    EXPECT_EQ(ParagraphView::clamped({30, 40}, 12).count(), 0u);
}

TEST(TranscriptDock, ClicksPickWordsAndGiveTheDockTheKeyboard)
{
    DockRig r;
    r.click(2);
    EXPECT_TRUE(r.dock.hasFocus());
    EXPECT_EQ(r.editor().selection(), r.ids({2}));
    EXPECT_NEAR(r.editor().currentTime(), r.editor().outputTime(r.word(2)) + 0.01, 1e-9);
    r.click(4, Qt::ShiftModifier);
    EXPECT_EQ(r.editor().selection(), r.ids({2, 3, 4}));
    r.click(3, Qt::ControlModifier);
    EXPECT_EQ(r.editor().selection(), r.ids({2, 4}));
}

TEST(TranscriptDock, KeysActOnTheSelection)
{
    DockRig r;
    r.click(5);
    const struct {
        int key;
        Qt::KeyboardModifiers mods;
        std::set<std::size_t> selectedAfter;
    } arrows[] = {
        {Qt::Key_Right, {}, {6}},
        {Qt::Key_Right, Qt::ShiftModifier, {7}},  // Shift does not extend
        {Qt::Key_Left, {}, {6}},
    };
    for (const auto& a : arrows) {
        r.key(a.key, a.mods);
        std::set<Uuid> want;
        for (auto i : a.selectedAfter) want.insert(r.word(i).id);
        EXPECT_EQ(r.editor().selection(), want);
    }
    EXPECT_NEAR(r.editor().currentTime(), r.editor().outputTime(r.word(6)) + 0.01, 1e-9);
    r.key(Qt::Key_Delete);
    EXPECT_TRUE(r.word(6).deleted);
    r.key(Qt::Key_B, Qt::ControlModifier);
    EXPECT_TRUE(r.word(6).emphasized);
    r.key(Qt::Key_Escape);
    EXPECT_TRUE(r.editor().selection().empty());
    r.key(Qt::Key_Right);  // the anchor outlives the selection
    EXPECT_EQ(r.editor().selection(), r.ids({7}));
    // At the last word the arrow keeps it.
    r.click(11);
    r.key(Qt::Key_Right);
    EXPECT_EQ(r.editor().selection(), r.ids({11}));
}

TEST(TranscriptDock, HandleKeyAnswersHandledOrIgnored)
{
    DockRig r;
    const auto press = [&](int key, Qt::KeyboardModifiers mods = {}, QString text = {}) {
        QKeyEvent event(QEvent::KeyPress, key, mods, text);
        return r.dock.handleKey(event);
    };
    const std::size_t undoDepth = r.editor().undoDepth();
    EXPECT_TRUE(press(Qt::Key_Delete));  // consumed, nothing to cut
    EXPECT_EQ(r.editor().undoDepth(), undoDepth);
    EXPECT_TRUE(press(Qt::Key_Right));   // consumed without an anchor
    EXPECT_TRUE(r.editor().selection().empty());
    EXPECT_FALSE(press(Qt::Key_Return));
    EXPECT_FALSE(press(Qt::Key_K, {}, "k"));
    r.click(3);
    EXPECT_FALSE(press(Qt::Key_Comma, {}, ","));
    EXPECT_FALSE(press(Qt::Key_S, Qt::ControlModifier, "s"));
    EXPECT_TRUE(press(Qt::Key_K, {}, "k"));
    EXPECT_EQ(r.editor().editingWordID(), r.word(3).id);
    EXPECT_EQ(r.editor().editDraft(), "k");
    EXPECT_FALSE(press(Qt::Key_Delete));  // the field owns the keyboard now
    r.editor().setEditingWordID(std::nullopt);
    r.editor().setTranscriptMode(TranscriptMode::timeline);
    EXPECT_FALSE(press(Qt::Key_B, Qt::ControlModifier, "b"));
    const double before = r.editor().currentTime();
    EXPECT_TRUE(press(Qt::Key_Right, Qt::ShiftModifier));
    EXPECT_NEAR(r.editor().currentTime(), before + 1, 1e-9);
    EXPECT_TRUE(press(Qt::Key_Left));
    EXPECT_NEAR(r.editor().currentTime(), before + 1 - 1.0 / 30, 1e-9);
    r.editor().seekExactly(0);
    EXPECT_TRUE(press(Qt::Key_Left));
    EXPECT_EQ(r.editor().currentTime(), 0);
}

TEST(InlineWordField, ReturnTabAndEscapeEndTheEdit)
{
    DockRig r;
    QTest::mouseDClick(r.dock.wordList()->viewport(), Qt::LeftButton, {}, *r.dock.wordList()->wordCenter(2));
    ASSERT_EQ(r.editor().editingWordID(), r.word(2).id);
    InlineWordField* field = r.dock.wordList()->field();
    ASSERT_TRUE(field);
    ASSERT_TRUE(test::waitFor([&] { return field->hasFocus(); }));
    EXPECT_EQ(field->text(), "w2");
    field->selectAll();
    QTest::keyClicks(field, "two words");
    EXPECT_EQ(r.editor().editDraft(), "two words");
    QTest::keyClick(field, Qt::Key_Tab);
    // The next edit starts after both new words.
    EXPECT_EQ(r.word(2).text, "two");
    EXPECT_EQ(r.word(3).text, "words");
    ASSERT_EQ(r.editor().editingWordID(), r.word(4).id);
    ASSERT_TRUE(test::waitFor([&] { return r.dock.wordList()->field() && r.dock.wordList()->field()->hasFocus(); }));
    field = r.dock.wordList()->field();
    QTest::keyClicks(field, "x");
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_FALSE(r.editor().editingWordID());
    EXPECT_EQ(r.word(4).text, "w3");
    ASSERT_TRUE(test::waitFor([&] { return r.dock.hasFocus(); }));  // the keyboard comes back to the dock

    // Typing starts with that character, caret after it; Return commits once.
    r.click(6);
    QTest::keyClick(&r.dock, Qt::Key_Q, {}, 10);
    ASSERT_TRUE(test::waitFor([&] { return r.dock.wordList()->field() && r.dock.wordList()->field()->hasFocus(); }));
    field = r.dock.wordList()->field();
    ASSERT_TRUE(test::waitFor([&] { return field->cursorPosition() == 1; }));
    EXPECT_FALSE(field->hasSelectedText());
    QTest::keyClicks(field, "ed");
    const std::size_t depth = r.editor().undoDepth();
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(r.word(6).text, "qed");
    r.dock.setFocus();
    EXPECT_EQ(r.editor().undoDepth(), depth + 1);
}

TEST(InlineWordField, WidthFollowsTheDraft)
{
    EXPECT_DOUBLE_EQ(ParagraphView::fieldSize("").width(), 44 + 8);
    EXPECT_GT(ParagraphView::fieldSize(QString(60, 'm')).width(), 400);
}

TEST(TranscriptDock, ContextMenuTargetsTheClickedWordOrTheSelection)
{
    DockRig r;
    r.click(1);
    r.click(2, Qt::ShiftModifier);
    const auto trigger = [&](std::size_t word, const QString& label) {
        QMenu* menu = r.dock.wordList()->contextMenu(word);
        for (QAction* a : menu->actions())
            if (a->text() == label) a->trigger();
        delete menu;
    };
    trigger(5, "Cut from Video");  // outside the selection: that word alone
    EXPECT_TRUE(r.word(5).deleted);
    EXPECT_FALSE(r.word(1).deleted);
    EXPECT_EQ(r.editor().selection(), r.ids({1, 2}));
    trigger(2, "Cut from Video");  // inside it: the whole selection
    EXPECT_TRUE(r.word(1).deleted && r.word(2).deleted);
    trigger(1, "Emphasize");  // always the clicked word alone
    EXPECT_TRUE(r.word(1).emphasized);
    EXPECT_FALSE(r.word(2).emphasized);
    trigger(3, "New Caption After This Word");
    EXPECT_TRUE(r.word(3).breakAfter);
    QMenu* menu = r.dock.wordList()->contextMenu(3);
    QStringList labels;
    for (QAction* a : menu->actions()) labels << a->text();
    EXPECT_TRUE(labels.contains("Remove Caption Break"));
    delete menu;
}

TEST(TranscriptDock, LayoutFollowsModeAndTextMode)
{
    DockRig r;
    EXPECT_EQ(r.dock.content(), r.dock.wordList());
    r.editor().setTranscriptMode(TranscriptMode::subtitle);
    EXPECT_EQ(r.dock.content(), r.dock.subtitleList());
    r.editor().setTranscriptMode(TranscriptMode::timeline);
    EXPECT_EQ(r.dock.content(), r.dock.timelinePlace());
    EXPECT_FALSE(r.dock.header()->isVisible());
    r.dock.editWholeTranscript();
    EXPECT_EQ(r.dock.content(), r.dock.textEditor());
    EXPECT_TRUE(r.dock.header()->isVisible());
    EXPECT_TRUE(r.dock.header()->doneButton()->isVisible());
    EXPECT_EQ(r.dock.focusPolicy(), Qt::NoFocus);
    r.dock.textEditor()->setPlainText("w0 w1 w2");
    QTest::keyClick(r.dock.textEditor(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_FALSE(r.dock.textMode());
    EXPECT_EQ(r.editor().cutCount(), 9);
    EXPECT_EQ(r.dock.content(), r.dock.timelinePlace());

    test::EditorUiRig empty(test::sampleProject(0));
    TranscriptDock dock(empty.editor(), nullptr);
    EXPECT_EQ(dock.content(), dock.emptyState());
    auto* record = dock.emptyState()->findChild<SymbolTextButton*>();
    ASSERT_TRUE(record);
    EXPECT_EQ(record->text(), "Record a Voiceover");
    record->click();
    EXPECT_EQ(empty.editor().inspectorTab(), InspectorTab::voice);
}

TEST(TranscriptDockHeader, CountsFillersAndPauseTrimming)
{
    EXPECT_EQ(TranscriptDockHeader::countsLine(7, 0, 0.49), "7 words · 0:00");
    // Whole seconds rounded as printf rounds: an exact half goes to even,
    // and a saving that rounds to nothing carries no minus sign.
    EXPECT_EQ(TranscriptDockHeader::countsLine(7, 65, 0.5), QString("7 words · 1:05 (0s)"));
    EXPECT_EQ(TranscriptDockHeader::countsLine(7, 65, 2.5), QString("7 words · 1:05 (\u22122s)"));
    EXPECT_EQ(TranscriptDockHeader::countsLine(7, 65, 2.51), QString("7 words · 1:05 (\u22123s)"));
    Project p = test::sampleProject(6);
    p.words[1].text = "um,";
    p.words[4].text = "Uh";
    DockRig r(p);
    TranscriptDockHeader* h = r.dock.header();
    EXPECT_EQ(h->title()->text(), "Transcript");
    EXPECT_EQ(h->fillers()->text(), "2 fillers");
    h->fillers()->click();
    EXPECT_TRUE(r.word(1).deleted && r.word(4).deleted);
    EXPECT_EQ(h->fillers()->text(), "No fillers");
    EXPECT_FALSE(h->fillers()->isEnabled());
    EXPECT_TRUE(h->counts()->text().startsWith("4 words · "));
    EXPECT_FALSE(h->pauseSlider()->isVisible());
    h->trimPauses()->click();
    EXPECT_TRUE(r.editor().project().trimPauses);
    EXPECT_TRUE(h->pauseSlider()->isVisible());
    EXPECT_EQ(h->trimPauses()->symbol(), "checkmark");
    h->pauseSlider()->setValue(h->pauseSlider()->maximum());
    EXPECT_DOUBLE_EQ(r.editor().project().maxPause, 1.5);
    EXPECT_EQ(h->pauseSlider()->toolTip(), "Keep pauses up to 1.50s");
    // The actions menu follows the selection and the cuts.
    emit h->actionsMenu()->aboutToShow();
    QStringList enabled;
    for (QAction* a : h->actionsMenu()->actions())
        if (a->isEnabled() && !a->isSeparator()) enabled << a->text();
    EXPECT_EQ(enabled, (QStringList{"Emphasize Selection", "Cut Selection", "Restore All Cuts", "Edit Whole Transcript\u2026",
                                    "Transcribe Again\u2026"}));
    EXPECT_FALSE(TranscriptDockHeader::findShortsAllowed(r.editor()));  // shorter than a minute
}

TEST(TranscriptLegend, PopupExplainsTheLooksWithinItsWidth)
{
    TranscriptLegend legend;
    legend.show();
    legend.click();
    ASSERT_TRUE(legend.isOpen());
    EXPECT_EQ(legend.popup()->width(), 330);
    EXPECT_EQ(legend.popup()->findChildren<LegendSample*>().size(), 6);
    QLabel* longest = nullptr;
    for (QLabel* l : legend.popup()->findChildren<QLabel*>())
        if (l->text().startsWith("Cut from the video")) longest = l;
    ASSERT_TRUE(longest);
    EXPECT_TRUE(longest->wordWrap());
    EXPECT_LE(longest->geometry().right(), 330);
    EXPECT_EQ(legend.toolTip(), "What the colors mean");
}

TEST(SubtitleList, ActiveLineAndClickToSeek)
{
    DockRig r;
    r.editor().setTranscriptMode(TranscriptMode::subtitle);
    SubtitleList* list = r.dock.subtitleList();
    ASSERT_GE(r.editor().groups().size(), 2u);
    const QRectF row = list->rowRect(1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center().toPoint());
    EXPECT_DOUBLE_EQ(r.editor().currentTime(), r.editor().groups()[1].start + 0.01);
    EXPECT_EQ(r.rig.player->playheadSeeks.back(), r.editor().currentTime());
}

TEST(WordList, FollowsTheSpokenWordOnlyWhilePlaying)
{
    DockRig r(test::sampleProject(900));
    WordList* list = r.dock.wordList();
    ASSERT_GT(list->contentHeight(), list->viewport()->height() * 3);
    r.speak(800);
    EXPECT_EQ(list->verticalScrollBar()->value(), 0);  // paused: no scrolling
    r.speak(850, true);
    ASSERT_TRUE(test::waitFor([&] { return list->verticalScrollBar()->value() > 0; }));
    // A cut changes no chip's size, so no paragraph is laid out again.
    r.editor().toggleDelete(r.ids({3}));
    EXPECT_EQ(list->lastRelayoutCount(), 0);
    // A retyped word lays out its own paragraph only.
    r.editor().setText(r.word(3).id, "a much longer word than before");
    EXPECT_EQ(list->lastRelayoutCount(), 1);
}

// Where the list comes to rest once its follow animation has ended.
int settledScroll(WordList* list)
{
    EXPECT_TRUE(test::waitFor([&] {
        for (const auto* motion : list->verticalScrollBar()->findChildren<QPropertyAnimation*>())
            if (motion->state() == QAbstractAnimation::Running) return false;
        return true;
    }));
    return list->verticalScrollBar()->value();
}

// A paragraph that fits is centred, even with less than a line to spare
// around it. In one taller than the view centring would leave the spoken
// word out of sight, so its line is kept in view with a line to spare.
TEST(WordList, CentresAParagraphThatFitsAndKeepsTheSpokenLineInATallerOne)
{
    DockRig r(test::sampleProject(300));
    r.dock.resize(380, 300);
    WordList* list = r.dock.wordList();
    const auto paragraphOf = [&](std::size_t word) {
        const auto& paragraphs = r.editor().paragraphs();
        const auto found = std::find_if(paragraphs.begin(), paragraphs.end(),
                                        [&](const Paragraph& p) { return p.range().contains(word); });
        EXPECT_NE(found, paragraphs.end()) << word;
        return found->range();
    };
    const auto extent = [&](Paragraph::Range range) {
        return QRectF(*list->wordRect(range.lower)) | *list->wordRect(range.upper - 1);
    };

    double view = list->viewport()->height();
    for (std::size_t spoken : {250u, 181u, 125u, 270u}) {
        ASSERT_GT(extent(paragraphOf(spoken)).height(), view) << spoken;
        r.speak(spoken, true);
        const QRectF line = list->wordRect(spoken)->translated(0, -settledScroll(list));
        EXPECT_GE(line.top(), line.height() - 1) << spoken;
        EXPECT_LE(line.bottom(), view - line.height() + 1) << spoken;
    }

    // The view made just half a line taller than a paragraph in the middle.
    const Paragraph::Range middle = paragraphOf(150);
    const QRectF whole = extent(middle);
    const double lineHeight = list->wordRect(middle.lower)->height();
    r.dock.resize(380, r.dock.height() + int(std::lround(whole.height() + lineHeight / 2 - view)));
    view = list->viewport()->height();
    ASSERT_GT(view, whole.height());
    ASSERT_LT(view, whole.height() + 2 * lineHeight);
    for (std::size_t spoken : {middle.lower, middle.upper - 1}) {
        r.speak(spoken, true);
        EXPECT_NEAR(settledScroll(list), whole.center().y() - view / 2, 1) << spoken;
    }
}

TEST(TransportBar, PickerPlayButtonAndScrubber)
{
    DockRig r;
    TransportBar* bar = r.dock.transportBar();
    QStringList segments;
    for (QAbstractButton* b : bar->picker()->buttons()) segments << b->text();
    EXPECT_EQ(segments, (QStringList{"Transcription", "Subtitle", "Timeline"}));
    bar->picker()->button(2)->click();
    EXPECT_EQ(r.editor().transcriptMode(), TranscriptMode::timeline);
    EXPECT_EQ(bar->scrubberPlace(), static_cast<QWidget*>(bar->zoomBar()));
    bar->picker()->button(0)->click();
    EXPECT_EQ(bar->scrubberPlace(), static_cast<QWidget*>(bar->scrubber()));
    EXPECT_EQ(bar->playButton()->toolTip(), "Play (Space)");
    bar->playButton()->click();
    EXPECT_TRUE(r.editor().isPlaying());
    EXPECT_EQ(bar->playButton()->toolTip(), "Pause (Space)");
    EXPECT_EQ(bar->playButton()->accessibleName(), "Pause");
}

}  // namespace
