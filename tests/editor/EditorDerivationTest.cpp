// The derived caption state: which words reach the captions, in what
// writing, at what output times, and the paragraphs and figures.

#include "EditorFakes.h"

#include "editor/DerivedCaptions.h"
#include "speech/Transliterator.h"

#include <QSignalSpy>

namespace vt {
namespace {

using namespace vt::test;

class EditorDerivation : public EditorTest {};

std::vector<std::string> texts(const std::vector<TimedWord>& words)
{
    std::vector<std::string> out;
    for (const auto& w : words) out.push_back(w.text);
    return out;
}

TEST_F(EditorDerivation, AWordIsKeptWhenItsMidpointLiesInAKeptStretch)
{
    Project p = sampleProject(0);
    p.sourceDuration = 10;
    p.words = {word("before", 0.8, 1.2), word("inside", 2.0, 2.4), word("edge", 2.8, 3.2)};
    p.sourceRange = ClosedRange<double>{1.0, 3.0};
    EditorRig rig(p);
    // "before" has its midpoint on the kept start, "edge" on the kept end.
    EXPECT_EQ(texts(rig->timedWords()), (std::vector<std::string>{"before", "inside"}));
    ASSERT_EQ(rig->outputIndex().size(), 2u);
    EXPECT_EQ(rig->outputIndex()[1].id, p.words[1].id);
    EXPECT_DOUBLE_EQ(rig->outputIndex()[1].start, 1.0);
    EXPECT_TRUE(rig->trimmedWordIDs().empty()) << "only a clip list trims words";
    EXPECT_FALSE(rig->groupOfWord(p.words[2].id));
}

TEST_F(EditorDerivation, WordsInATrimmedPartOfAClipAreListedAsTrimmed)
{
    Project p = sampleProject(6);  // words 0.5 … 3.4
    p.clips = std::vector<VideoClip>{clip("/media/a.mov", 4)};
    (*p.clips)[0].trimEnd = 2;  // keeps 0 … 2
    p.syncClips();
    p.words[1].deleted = true;
    EditorRig rig(p);
    std::set<Uuid> expected{p.words[3].id, p.words[4].id, p.words[5].id};
    EXPECT_EQ(rig->trimmedWordIDs(), expected);
    EXPECT_EQ(texts(rig->timedWords()), (std::vector<std::string>{"w0", "w2"}));
}

TEST_F(EditorDerivation, AVoiceoverWithWordsDrivesTheCaptionsOnItsOwnTimes)
{
    Project p = sampleProject(4);
    p.clips = std::vector<VideoClip>{clip("/media/a.mov", 1)};  // trims most project words away
    p.syncClips();
    Voiceover voice;
    voice.words = {word("voice", 7.0, 7.01), word("over.", 7.2, 7.6), word("cut", 8, 8.4, true)};
    p.voiceover = voice;
    EditorRig rig(p);
    ASSERT_TRUE(rig->voiceDrivesCaptions());
    const auto& timed = rig->timedWords();
    ASSERT_EQ(timed.size(), 2u);
    EXPECT_DOUBLE_EQ(timed[0].start, 7.0);
    EXPECT_DOUBLE_EQ(timed[0].end, 7.05);
    EXPECT_TRUE(timed[1].endsSentence);
    EXPECT_TRUE(rig->trimmedWordIDs().empty());
    EXPECT_DOUBLE_EQ(rig->outputTime(voice.words[1]), 7.2);

    rig->updateProject([](Project& q) { q.voiceover->words.clear(); });
    rig->visualChanged();
    EXPECT_FALSE(rig->voiceDrivesCaptions());
    EXPECT_EQ(rig->transcript(), rig->project().words);
}

TEST_F(EditorDerivation, TheEnglishTranslationIsShownAndEditedButTheCutComesFromTheSpeech)
{
    Project p = sampleProject(3);
    p.words[0].deleted = true;
    CaptionTranslation english;
    english.words = {word("Hello", 0.5, 0.9), word("there", 1.0, 1.4), word("friend", 1.5, 1.9)};
    p.translation = english;
    p.captionLanguageID = "english";
    EditorRig rig(p);
    ASSERT_TRUE(rig->usesTranslation());
    EXPECT_EQ(texts(rig->timedWords()), (std::vector<std::string>{"there", "friend"}))
        << "cutting the speech cuts the translation laid over it";
    EXPECT_EQ(rig->plan(), EditPlan::make(p.words, p.sourceDuration, false, p.maxPause, std::nullopt, std::nullopt));

    auto words = rig->transcript();
    words[1].text = "you";
    rig->setTranscript(words);
    EXPECT_EQ(rig->project().translation->words[1].text, "you");
    EXPECT_EQ(rig->project().words, p.words);
}

TEST_F(EditorDerivation, LatinCaptionsRomaniseIndicTextOnlyWhenSomeWordIsNotRomanisedYet)
{
    const std::string hindi = "नमस्ते दोस्तों";
    Project p = sampleProject(2);
    p.words[0].text = hindi;
    p.words[1].text = "video";
    p.words[1].native = "वीडियो";
    {
        EditorRig rig(p);
        EXPECT_EQ(texts(rig->timedWords()), (std::vector<std::string>{hindi, "video"}));
    }
    p.words[0].native = hindi;
    EditorRig rig(p);
    const auto shown = texts(rig->timedWords());
    EXPECT_EQ(shown[0], Transliterator::romanize(hindi));
    EXPECT_FALSE(Transliterator::containsIndic(shown[0]));
    EXPECT_EQ(shown[1], "video");
    EXPECT_EQ(rig->transcript()[0].text, hindi) << "the transcript keeps its stored text";
}

TEST_F(EditorDerivation, AnIndicCaptionScriptShowsTheNativeText)
{
    Project p = sampleProject(2);
    p.words[0].text = "namaste";
    p.words[0].native = "नमस्ते";
    p.captionLanguageID = "hindi";
    EditorRig rig(p);
    EXPECT_EQ(texts(rig->timedWords()),
              (std::vector<std::string>{Transliterator::display("नमस्ते", "namaste", CaptionScript::devanagari), "w1"}));
}

TEST(DerivedParagraphs, CloseAtGapsSentenceEndsFromTheTwentyEighthWordAndSixtyWords)
{
    struct Case {
        const char* name;
        std::vector<Word> words;
        std::vector<std::size_t> sizes;
    };
    auto run = [](int n, std::map<int, std::string> texts = {}, std::map<int, double> gapsAfter = {}) {
        std::vector<Word> words;
        double t = 0;
        for (int i = 0; i < n; ++i) {
            words.push_back(word(texts.count(i) ? texts[i] : "w", t, t + 0.3));
            t += 0.3 + (gapsAfter.count(i) ? gapsAfter[i] : 0.1);
        }
        return words;
    };
    const std::vector<Case> cases{
        {"empty", {}, {}},
        {"27th word ends a sentence", run(30, {{26, "end."}}), {30}},
        {"28th word asks", run(30, {{27, "why?"}}), {28, 2}},
        {"61 words", run(61), {60, 1}},
        {"silence of exactly 2 s", run(4, {}, {{1, 2.0}}), {4}},
        {"silence of 2.01 s", run(4, {}, {{1, 2.01}}), {2, 2}},
        {"mark before spaces", run(30, {{27, "yes!  "}}), {28, 2}},
        {"mark before a line break", run(30, {{27, "yes!\n"}}), {30}},
    };
    for (const Case& c : cases) {
        const auto paragraphs = DerivedCaptions::paragraphs(c.words);
        std::vector<std::size_t> sizes;
        for (const auto& p : paragraphs) sizes.push_back(p.range().count());
        EXPECT_EQ(sizes, c.sizes) << c.name;
        for (const auto& paragraph : paragraphs) EXPECT_EQ(paragraph.id(), c.words[paragraph.range().lower].id);
    }
}

TEST_F(EditorDerivation, FiguresCountFillersCutsAndSavedTime)
{
    Project p = sampleProject(4);
    p.words[0].text = "Um,";
    p.words[1].text = "uh";
    p.words[1].deleted = true;
    p.words[2].deleted = true;
    EditorRig rig(p);
    EXPECT_EQ(rig->fillerCount(), 1);
    EXPECT_EQ(rig->cutCount(), 2);
    EXPECT_DOUBLE_EQ(rig->savedSeconds(), p.length() - rig->plan().outputLength());
    EXPECT_GT(rig->savedSeconds(), 0);
    const auto ranges = rig->speechRanges();
    ASSERT_EQ(ranges.size(), rig->timedWords().size());
    EXPECT_DOUBLE_EQ(ranges[1].lower, rig->timedWords()[1].start);

    // The fallback half second of a very short project outlasts it.
    Project tiny = sampleProject(0);
    tiny.sourceDuration = 0.3;
    tiny.sourceRange = ClosedRange<double>{0, 0.02};
    EditorRig small(tiny);
    EXPECT_GT(small->plan().outputLength(), tiny.length());
    EXPECT_EQ(small->savedSeconds(), 0);
}

TEST_F(EditorDerivation, UnchangedValuesDoNotNotifyButParagraphsAlwaysDo)
{
    EditorRig rig(sampleProject());
    QSignalSpy plan(rig.model.get(), &EditorModel::planChanged);
    QSignalSpy timed(rig.model.get(), &EditorModel::timedWordsChanged);
    QSignalSpy groups(rig.model.get(), &EditorModel::groupsChanged);
    QSignalSpy paragraphs(rig.model.get(), &EditorModel::paragraphsChanged);
    rig->visualChanged();
    EXPECT_EQ(plan.count() + timed.count() + groups.count(), 0);
    EXPECT_EQ(paragraphs.count(), 1);

    rig->updateProject([](Project& p) { p.words[2].emphasized = true; });
    rig->visualChanged();
    EXPECT_EQ(plan.count(), 0);
    EXPECT_EQ(timed.count(), 1);
    EXPECT_EQ(groups.count(), 1);

    // The same words under a look with other limits fall into other lines.
    const auto before = rig->groups().size();
    rig->updateProject([](Project& p) { p.style.maxWordsPerGroup = 1; });
    rig->visualChanged();
    EXPECT_EQ(timed.count(), 1);
    EXPECT_EQ(groups.count(), 2);
    EXPECT_GT(rig->groups().size(), before);
    EXPECT_EQ(rig->renderState()->load()->groups, rig->groups());
}

// What the editor keeps from one derivation to the next (each word's
// measured text, the word-to-line table) must never show through: after every
// kind of edit, the derived state equals that of an editor opened afresh on
// the same project.
void expectSameAsFresh(EditorModel& editor)
{
    EditorRig fresh(editor.project());
    EXPECT_EQ(editor.timedWords(), fresh->timedWords());
    EXPECT_EQ(editor.groups(), fresh->groups());
    EXPECT_EQ(editor.outputIndex(), fresh->outputIndex());
    EXPECT_EQ(editor.fillerCount(), fresh->fillerCount());
    EXPECT_EQ(editor.renderState()->load()->groups.list(), fresh->groups());
    const auto& words = editor.transcript();
    for (std::size_t i = 0; i < words.size(); ++i)
        EXPECT_EQ(editor.groupOfWord(words[i].id), fresh->groupOfWord(words[i].id)) << "word " << i;
    ASSERT_EQ(editor.paragraphs().size(), fresh->paragraphs().size());
    for (std::size_t i = 0; i < editor.paragraphs().size(); ++i) {
        EXPECT_EQ(editor.paragraphs()[i].id(), fresh->paragraphs()[i].id());
        EXPECT_EQ(editor.paragraphs()[i].range().upper, fresh->paragraphs()[i].range().upper);
    }
}

TEST_F(EditorDerivation, AfterEachEditTheDerivedStateEqualsAFreshDerivation)
{
    Project p = sampleProject(70);
    for (int i : {5, 11, 40}) p.words[static_cast<std::size_t>(i)].text += ".";
    EditorRig rig(p);
    const std::vector<std::pair<const char*, std::function<void(Project&)>>> edits = {
        {"a word now ends a sentence", [](Project& q) { q.words[33].text = "end."; }},
        {"a sentence end retyped away", [](Project& q) { q.words[40].text = "on"; }},
        {"a long word fills its line", [](Project& q) { q.words[2].text = "extraordinarily"; }},
        {"letters of several code points", [](Project& q) { q.words[3].text = "e\u0301e\u0301\U0001F468\u200D\U0001F469"; }},
        {"two words swap their texts", [](Project& q) { std::swap(q.words[2].text, q.words[3].text); }},
        {"a word is cut", [](Project& q) { q.words[11].deleted = true; }},
        {"the cut word is restored", [](Project& q) { q.words[11].deleted = false; }},
        {"a word is split in two",
         [](Project& q) {
             Word half = q.words[20];
             half.id = Uuid::random();
             half.text = "half.";
             q.words.insert(q.words.begin() + 21, half);
         }},
        {"a word is removed", [](Project& q) { q.words.erase(q.words.begin() + 8); }},
        {"the look allows fewer words a line", [](Project& q) { q.style.maxWordsPerGroup = 2; }},
        {"the look breaks at shorter pauses", [](Project& q) { q.style.pauseBreak = 0.05; }},
        {"the captions are written in another script",
         [](Project& q) {
             q.words[4].text = "namaste";
             q.words[4].native = "नमस्ते";
             q.captionLanguageID = "hindi";
         }},
    };
    for (const auto& [what, edit] : edits) {
        SCOPED_TRACE(what);
        rig->updateProject(edit);
        rig->timelineChanged();
        expectSameAsFresh(*rig);
    }
}

// The same through the editor's own commands, one after the other, undo and
// redo included: each leaves the kept measures and tables where the next
// command starts from.
TEST_F(EditorDerivation, AfterEachCommandTheDerivedStateEqualsAFreshDerivation)
{
    Project p = sampleProject(70);
    for (int i : {5, 11, 40}) p.words[static_cast<std::size_t>(i)].text += ".";
    p.words[30].text = "um,";
    EditorRig rig(p);
    const auto id = [&](std::size_t i) { return rig->transcript()[i].id; };
    CaptionStyle roomy = p.style;
    roomy.id = "roomy";
    roomy.maxWordsPerGroup = 7;
    CaptionStyle tight = roomy;
    tight.maxWordsPerGroup = 1;
    const std::vector<std::pair<const char*, std::function<void()>>> commands = {
        {"delete", [&] { rig->toggleDelete({id(12), id(13)}); }},
        {"restore", [&] { rig->toggleDelete({id(12)}); }},
        {"retype", [&] { rig->setText(id(6), "wonderful."); }},
        {"retyped into a filler", [&] { rig->setText(id(7), "Uh,"); }},
        {"split", [&] { rig->setText(id(20), "two halves"); }},
        {"undo the split", [&] { rig->undo(); }},
        {"redo the split", [&] { rig->redo(); }},
        {"merge", [&] {
             std::string text = rig->editableText();
             const auto at = text.find("w24 w25");
             ASSERT_NE(at, std::string::npos);
             rig->applyTextEdit(text.replace(at, 7, "w24w25"));
         }},
        {"undo the merge", [&] { rig->undo(); }},
        {"undo the retypes", [&] {
             rig->undo();
             rig->undo();
         }},
        {"redo the retype", [&] { rig->redo(); }},
        {"a look of their own for a run", [&] { rig->applyStyle(roomy, {id(40), id(41), id(42), id(43), id(44)}); }},
        {"that look with one word a line", [&] { rig->applyStyle(tight, {id(41), id(42)}); }},
        {"a bigger word", [&] { rig->updateLook({id(50)}, true, [](WordLook& l) { l.scale = 2; }); }},
        {"undo the bigger word", [&] { rig->undo(); }},
        {"the video's look allows fewer words", [&] { rig->styleBinding(&CaptionStyle::maxWordsPerGroup).set(std::int64_t{2}); }},
        {"a forced break", [&] { rig->toggleBreak(id(3)); }},
        {"fillers cut", [&] { rig->removeFillers(); }},
        {"emphasis", [&] { rig->toggleEmphasis({id(8)}); }},
        {"every cut restored", [&] { rig->restoreAll(); }},
        {"undo back to the start", [&] { while (rig->canUndo()) rig->undo(); }},
    };
    for (const auto& [what, command] : commands) {
        SCOPED_TRACE(what);
        command();
        expectSameAsFresh(*rig);
    }
    EXPECT_EQ(rig->transcript().size(), p.words.size());
}

TEST_F(EditorDerivation, EveryDerivationPublishesItsSnapshot)
{
    EditorRig rig(sampleProject());
    rig->updateProject([](Project& p) { p.words[0].deleted = true; });
    rig->timelineChanged();
    const auto shown = rig->renderState()->load();
    EXPECT_EQ(shown->plan, rig->plan());
    EXPECT_EQ(shown->groups, rig->groups());
    EXPECT_EQ(rig->groups().front().words.front().text, "w1");
}

}  // namespace
}  // namespace vt
