// The thumbnail search, the choice and its rendering and saving.

#include "EditorFakes.h"

#include <QImage>
#include <QTest>

using namespace vt;
using namespace vt::test;

namespace {

class ThumbnailActions : public EditorTest {};

bool searchEnds(EditorModel& editor)
{
    return waitFor([&] { return !editor.thumbBusy(); });
}

}  // namespace

TEST_F(ThumbnailActions, ASearchChoosesTheFirstFrameAndFillsAnEmptyText)
{
    Project p = sampleProject(10);
    p.hooks = {"First hook", "Second"};
    EditorRig rig(std::move(p));
    EXPECT_EQ(rig->thumbText(), "First hook");  // taken when the editor opens
    EXPECT_FALSE(rig->renderThumbnail(1));      // nothing to render before a search
    rig->setThumbText("");
    rig->findThumbnails();
    EXPECT_TRUE(rig->thumbBusy());
    ASSERT_TRUE(searchEnds(*rig));
    ASSERT_EQ(rig->thumbCandidates().size(), 3u);
    EXPECT_EQ(rig->selectedThumbID(), rig->thumbCandidates().front().id);
    EXPECT_EQ(rig->thumbText(), "First hook");

    // Another pick, then a search: the first is chosen again, a typed text stays.
    rig->setSelectedThumbID(rig->thumbCandidates()[2].id);
    rig->setThumbText("Typed");
    rig->findThumbnails();
    ASSERT_TRUE(searchEnds(*rig));
    EXPECT_EQ(rig->selectedThumb()->id, rig->thumbCandidates().front().id);
    EXPECT_EQ(rig->thumbText(), "Typed");
    rig->setSelectedThumbID(Uuid::random());  // an id not in the list reads as the first
    EXPECT_EQ(rig->selectedThumb()->id, rig->thumbCandidates().front().id);
    EXPECT_FALSE(rig->canUndo());
}

TEST_F(ThumbnailActions, RendersAtTheCanvasSizeAndSavesARealPngOrSaysWhyNot)
{
    Project p = sampleProject(10);
    p.aspect = OutputAspect::landscape;
    EditorRig rig(std::move(p));
    rig->findThumbnails();
    ASSERT_TRUE(searchEnds(*rig));
    ASSERT_FALSE(rig->thumbCandidates().empty());
    EXPECT_EQ(rig->renderThumbnail(0.3)->size(), QSize(576, 324));

    const auto file = dir.path() / "cover.png";
    EXPECT_TRUE(rig->saveThumbnail(file));
    const QImage written(QString::fromStdString(file.string()));
    EXPECT_EQ(written.size(), QSize(1920, 1080));
    EXPECT_THROW(rig->saveThumbnail(dir.path() / "missing" / "cover.png"), std::runtime_error);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "missing"));
}
