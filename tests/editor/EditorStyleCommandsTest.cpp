// Looks of the whole video, of chosen words and of single words; format and
// framing.

#include "CommandProbe.h"

#include "captions/presets/StylePresets.h"
#include "editor/WordLookEdits.h"

#include <QSignalSpy>

namespace vt {
namespace {

using namespace vt::test;

class EditorStyles : public EditorTest {
protected:
    static CaptionStyle libraryLook(std::size_t i) { return StylePresets::core().at(i); }
    static Project projectOnLook(const CaptionStyle& look)
    {
        Project p = sampleProject(4);
        p.style = look;
        p.baseStyleID = look.id;
        return p;
    }
};

TEST_F(EditorStyles, WordsGetALookOfTheirOwnOrTheVideosLookBack)
{
    const CaptionStyle base = libraryLook(0);
    EditorRig rig(projectOnLook(base));
    QSignalSpy outdated(rig.model.get(), &EditorModel::stylePreviewsOutdated);
    const std::set<Uuid> two{rig->transcript()[1].id, rig->transcript()[2].id};
    auto styleIDs = [&] {
        std::vector<std::optional<std::string>> out;
        for (const Word& w : rig->transcript()) out.push_back(w.styleID);
        return out;
    };

    const CaptionStyle other = libraryLook(1);
    Outcome out = observe(rig, [&] { rig->applyStyle(other, two); });
    EXPECT_EQ(out.undoSteps, 1);
    EXPECT_EQ(out.refresh, Refresh::visual);
    EXPECT_EQ(styleIDs(), (std::vector<std::optional<std::string>>{std::nullopt, other.id, other.id, std::nullopt}));
    EXPECT_EQ(rig->sharedStyle(two), other);
    EXPECT_EQ(outdated.count(), 1);
    EXPECT_TRUE(std::any_of(rig->groups().begin(), rig->groups().end(),
                            [&](const CaptionGroup& g) { return g.styleID == other.id; }))
        << "the look reaches the caption lines";
    EXPECT_EQ(rig->renderState()->load()->styles.at(other.id), other) << "and the drawn caption";

    rig->applyStyle(std::nullopt, two);
    EXPECT_EQ(styleIDs(), std::vector<std::optional<std::string>>(4));
    EXPECT_EQ(rig->project().styleOverrides->at(other.id), other) << "the table keeps looks no word uses";

    // The video's own look, field for field, is no look of their own; with one
    // field changed it is, under the same id.
    rig->applyStyle(base, two);
    EXPECT_EQ(styleIDs(), std::vector<std::optional<std::string>>(4));
    CaptionStyle edited = base;
    edited.fontSize += 10;
    rig->applyStyle(edited, two);
    EXPECT_EQ(rig->transcript()[1].styleID, base.id);
    EXPECT_EQ(rig->project().styleOverrides->at(base.id), edited);

    // Undo gives the words their ids back and keeps the stored look.
    rig->undo();
    EXPECT_EQ(styleIDs(), std::vector<std::optional<std::string>>(4));
    EXPECT_EQ(rig->project().styleOverrides->at(base.id), edited);
}

TEST_F(EditorStyles, ALookEditedUnderAnIdTheWordsAlreadyUseIsStoredWithoutAnUndoStep)
{
    EditorRig rig(sampleProject(2));
    const std::set<Uuid> first{rig->transcript()[0].id};
    CaptionStyle look = libraryLook(2);
    rig->applyStyle(look, first);
    look.fontSize = 90;
    const Outcome out = observe(rig, [&] { rig->applyStyle(look, first); });
    EXPECT_EQ(out.undoSteps, 0);
    EXPECT_EQ(out.refresh, Refresh::visual);
    EXPECT_EQ(rig->project().styleOverrides->at(look.id).fontSize, 90);
}

TEST_F(EditorStyles, SharedStyleIsNoneUnlessAllWordsUseOneStoredLook)
{
    Project project = sampleProject(4);
    project.styleOverrides = std::map<std::string, CaptionStyle>{{"a", libraryLook(1)}};
    project.words[0].styleID = project.words[1].styleID = "a";
    project.words[2].styleID = "missing";
    EditorRig rig(project);
    auto ids = [&](std::vector<int> at) {
        std::set<Uuid> out;
        for (int i : at) out.insert(rig->transcript()[static_cast<std::size_t>(i)].id);
        return out;
    };
    EXPECT_EQ(rig->sharedStyle(ids({0, 1})), libraryLook(1));
    EXPECT_FALSE(rig->sharedStyle(ids({1, 2}))) << "different ids";
    EXPECT_FALSE(rig->sharedStyle(ids({2}))) << "missing from the table";
    EXPECT_FALSE(rig->sharedStyle(ids({3}))) << "the base look";
    EXPECT_FALSE(rig->sharedStyle({}));
    EXPECT_FALSE(rig->sharedStyle({Uuid::random()}));
}

TEST_F(EditorStyles, TheVideosLookChangesWithoutUndoSteps)
{
    const CaptionStyle base = libraryLook(0);
    EditorRig rig(projectOnLook(base));
    const Uuid w = rig->transcript()[0].id;
    rig->updateLook({w}, true, WordLookEdits::larger);

    const CaptionStyle preset = libraryLook(3);
    Outcome out = observe(rig, [&] { rig->applyPreset(preset); });
    EXPECT_EQ(out.undoSteps, 0);
    EXPECT_EQ(out.refresh, Refresh::visual);
    EXPECT_EQ(rig->project().style, preset);
    EXPECT_EQ(rig->project().baseStyleID, preset.id);
    EXPECT_TRUE(rig->transcript()[0].look) << "words keep their looks";
    rig->undo();
    EXPECT_FALSE(rig->transcript()[0].look) << "undo undoes the word edit, not the preset";
    EXPECT_EQ(rig->project().style, preset);

    const auto& swatch = StyleVariants::swatches().front();
    out = observe(rig, [&] { rig->applyVariant(swatch); });
    EXPECT_EQ(rig->project().style, StyleVariants::recolor(preset, swatch.color));
    EXPECT_EQ(out.undoSteps, 0);
    rig->applyVariant(std::nullopt);
    EXPECT_EQ(rig->project().style, StyleVariants::restoringColors(StyleVariants::recolor(preset, swatch.color), preset));

    rig->styleBinding(&CaptionStyle::fontSize).set(99);
    rig->resetStyle();
    EXPECT_EQ(rig->project().style, preset);
}

TEST_F(EditorStyles, ABaseLookWhoseLibraryLookIsGoneStaysAsItIs)
{
    CaptionStyle look = libraryLook(0);
    look.id = "custom-deleted";
    look.fontSize = 77;
    EditorRig rig(projectOnLook(look));
    rig->applyVariant(StyleVariants::swatches().front());
    const CaptionStyle recoloured = rig->project().style;
    for (auto command : {std::function<void()>([&] { rig->applyVariant(std::nullopt); }),
                         std::function<void()>([&] { rig->resetStyle(); })}) {
        const Outcome out = observe(rig, command);
        EXPECT_EQ(rig->project().style, recoloured);
        EXPECT_EQ(out.refresh, Refresh::visual) << "it still redraws";
    }
}

TEST_F(EditorStyles, FormatAndFramingOutdateBothPreviewKinds)
{
    EditorRig rig(sampleProject(2));
    QSignalSpy styles(rig.model.get(), &EditorModel::stylePreviewsOutdated);
    QSignalSpy looks(rig.model.get(), &EditorModel::lookPreviewsOutdated);
    Outcome out = observe(rig, [&] { rig->setAspect(OutputAspect::landscape); });
    EXPECT_EQ(rig->renderState()->load()->renderSize, (RenderSize{1920, 1080}));
    EXPECT_EQ(out.refresh, Refresh::visual);
    EXPECT_EQ(out.undoSteps, 0);
    out = observe(rig, [&] { rig->setReframe(ReframeMode::fit); });
    EXPECT_EQ(rig->project().reframe, ReframeMode::fit);
    EXPECT_EQ(out.refresh, Refresh::visual);
    EXPECT_EQ(styles.count(), 2);
    EXPECT_EQ(looks.count(), 2);
}

TEST_F(EditorStyles, WordLookEditsStayInBoundsAndADefaultLookIsRemoved)
{
    struct Case {
        double from;
        void (*edit)(WordLook&);
        double to;
    };
    const std::vector<Case> cases{
        {1, WordLookEdits::larger, 1.15}, {1, WordLookEdits::smaller, 0.87}, {0.45, WordLookEdits::smaller, 0.4},
        {3.9, WordLookEdits::larger, 4},  {4, WordLookEdits::larger, 4},     {0.4, WordLookEdits::smaller, 0.4},
    };
    for (const Case& c : cases) {
        WordLook look{c.from, std::nullopt, 0, 0};
        c.edit(look);
        EXPECT_DOUBLE_EQ(look.scale, c.to) << c.from;
    }

    EditorRig rig(sampleProject(2));
    const std::set<Uuid> w{rig->transcript()[0].id};
    const RGBA red{1, 0, 0, 1};
    rig->updateLook(w, true, WordLookEdits::larger);
    rig->updateLook(w, true, WordLookEdits::color(red));
    rig->updateLook(w, true, WordLookEdits::clearColor);
    EXPECT_EQ(rig->look(*w.begin()), (WordLook{1.15, std::nullopt, 0, 0}));
    EXPECT_EQ(rig->undoDepth(), 3u);
    ASSERT_FALSE(rig->timedWords().empty());
    EXPECT_EQ(rig->timedWords()[0].look, (WordLook{1.15, std::nullopt, 0, 0})) << "the look reaches the captions";
    rig->setCurrentTime(rig->timedWords()[0].start + 0.01);
    const auto larger = rig->captionWordFrames();
    rig->updateLook(w, false, [](WordLook& l) { l.scale = 1; });
    const auto plain = rig->captionWordFrames();
    ASSERT_FALSE(larger.empty());
    ASSERT_FALSE(plain.empty());
    EXPECT_GT(larger[0].rect.width(), plain[0].rect.width() * 1.05) << "and the drawn caption";

    EXPECT_FALSE(rig->transcript()[0].look) << "back to the default: stored as none";
    EXPECT_EQ(rig->undoDepth(), 3u);

    // A drag records its step with its first move only.
    const WordLook atStart = rig->look(*w.begin());
    rig->updateLook(w, true, WordLookEdits::dragged(atStart, 0, 0));
    rig->updateLook(w, true, WordLookEdits::dragged(atStart, 5, -3));
    rig->updateLook(w, false, WordLookEdits::dragged(atStart, 8, -4));
    EXPECT_EQ(rig->look(*w.begin()), (WordLook{1, std::nullopt, 8, -4}));
    EXPECT_EQ(rig->undoDepth(), 4u);
    rig->updateLook(w, true, WordLookEdits::reset);
    EXPECT_FALSE(rig->transcript()[0].look);
    EXPECT_EQ(rig->look(Uuid::random()), WordLook::defaultLook());
}

TEST_F(EditorStyles, TheBindingWritesEvenAnUnchangedValue)
{
    EditorRig rig(projectOnLook(libraryLook(0)));
    const auto size = rig->styleBinding(&CaptionStyle::fontSize);
    rig.clock->advance(2);
    ASSERT_FALSE(rig->hasUnsavedChanges());
    const Outcome out = observe(rig, [&] { size.set(size.get()); });
    EXPECT_TRUE(out.projectWritten);
    EXPECT_EQ(out.refresh, Refresh::visual);
    size.set(12);
    EXPECT_EQ(rig->project().style.fontSize, 12);
    EXPECT_EQ(rig->renderState()->load()->style.fontSize, 12);
}

}  // namespace
}  // namespace vt
