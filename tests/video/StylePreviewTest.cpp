// Still previews of caption looks and the editor's preview caches: sample
// words, sizes, the darkest-band placement and the scrim, cache keys, and
// results of drawings begun before a cache was emptied being dropped.
#include "VideoTestSupport.h"

#include "video/StylePreview.h"
#include "video/StylePreviewCache.h"

#include <QCoreApplication>
#include <QPainter>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace vt {
namespace {

using test::captionLook;
using test::solidFrame;

TEST(StylePreview, SampleWordsComeFromTheLook)
{
    CaptionStyle look = captionLook();
    look.maxWordsPerGroup = 2;
    CaptionGroup two = StylePreview::sampleGroup(look);
    ASSERT_EQ(two.words.size(), 2u);
    EXPECT_EQ(two.words[0].text, "point");
    EXPECT_EQ(two.words[1].text, "land");
    EXPECT_DOUBLE_EQ(two.words[1].start, 0.3);
    EXPECT_DOUBLE_EQ(two.words[1].end, 0.55);
    EXPECT_TRUE(two.words[1].endsSentence);
    EXPECT_FALSE(two.words[0].endsSentence);
    EXPECT_EQ(two.end, 2);

    look.maxWordsPerGroup = 9;
    const CaptionGroup four = StylePreview::sampleGroup(look);
    ASSERT_EQ(four.words.size(), 4u);
    EXPECT_EQ(four.words[0].text, "Make");
    EXPECT_DOUBLE_EQ(four.words[3].start, 0.8);

    look.sampleText = "so  *big* ** deal";
    const CaptionGroup typed = StylePreview::sampleGroup(look);
    ASSERT_EQ(typed.words.size(), 4u);
    EXPECT_EQ(typed.words[1].text, "big");
    EXPECT_TRUE(typed.words[1].emphasized);
    EXPECT_EQ(typed.words[2].text, "**");
    EXPECT_FALSE(typed.words[2].emphasized);
    EXPECT_DOUBLE_EQ(typed.words[1].start, 0.125);
}

int whitePixels(const QImage& image, int fromRow, int toRow)
{
    int n = 0;
    for (int y = fromRow; y < toRow; ++y)
        for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == QColor(Qt::white);
    return n;
}

TEST(StylePreview, IsExactlyTheCardSizeInEveryFormat)
{
    const QImage poster = test::quadrants(1920, 1080);
    for (QSize size : {QSize(270, 480), QSize(270, 338), QSize(270, 270), QSize(480, 270)}) {
        const auto card = StylePreview::render(captionLook(), poster, size, ReframeMode::fit, {0.5, 0.5});
        ASSERT_TRUE(card);
        EXPECT_EQ(card->size(), size);
    }
    EXPECT_FALSE(StylePreview::render(captionLook(), QImage(), {270, 480}, ReframeMode::smart, {0.5, 0.5}));
}

TEST(StylePreview, MovesTheCaptionToAClearlyDarkerBand)
{
    // Black above, white below: the band 0.3 from the top is the darkest.
    QImage poster = solidFrame(1080, 1920, Qt::white);
    QPainter(&poster).fillRect(0, 0, 1080, 960, Qt::black);
    CaptionStyle look = captionLook();
    look.verticalPosition = 0.8;  // white on white down there
    const auto card = StylePreview::render(look, poster, {270, 480}, ReframeMode::center, {0.5, 0.5});
    ASSERT_TRUE(card);
    test::writeReference("preview-dark-band", *card);
    EXPECT_GT(whitePixels(*card, 0, 350), 1000);
}

TEST(StylePreview, BrightPostersGetADarkBandBehindTheCaption)
{
    CaptionStyle look = captionLook();
    const auto bright = StylePreview::render(look, solidFrame(1080, 1920, Qt::white), {270, 480}, ReframeMode::smart,
                                             {0.5, 0.5});
    ASSERT_TRUE(bright);
    test::writeReference("preview-bright-poster", *bright);
    EXPECT_LT(bright->pixelColor(3, 240).red(), 200);  // beside the caption, in the band
    EXPECT_EQ(bright->pixelColor(3, 2), QColor(Qt::white));
    const auto grey = StylePreview::render(look, solidFrame(1080, 1920, Qt::darkGray), {270, 480}, ReframeMode::smart,
                                           {0.5, 0.5});
    ASSERT_TRUE(grey);
    test::writeReference("preview-grey-poster", *grey);
    EXPECT_EQ(grey->pixelColor(3, 240), QColor(Qt::darkGray));
}

TEST(CaptionStylePreview, CropsToTheCaptionWithItsMargins)
{
    CaptionStyle look = captionLook();
    const auto image = CaptionStylePreview::render(look, "one two three");
    ASSERT_TRUE(image);
    EXPECT_LT(image->width(), 1080);
    EXPECT_LT(image->height(), 400);
    EXPECT_EQ(image->pixelColor(0, 0).alpha(), 0);  // the 60-pixel margin
    EXPECT_GT(whitePixels(*image, 0, image->height()), 500);
    EXPECT_FALSE(CaptionStylePreview::render(look, ""));
    EXPECT_FALSE(CaptionStylePreview::render(look, "   "));
}

TEST(StylePreviewCache, KeysTellLooksAndScriptsApart)
{
    CaptionStyle look = captionLook();
    CaptionStyle recoloured = look;
    recoloured.textColor = {1, 0, 0, 1};
    const std::string key = StylePreviewCache::previewKey(look, "latin");
    EXPECT_EQ(key.rfind("test-look|", 0), 0u);
    EXPECT_EQ(key.substr(key.size() - 6), "|latin");
    EXPECT_NE(key, StylePreviewCache::previewKey(recoloured, "latin"));
    EXPECT_NE(key, StylePreviewCache::previewKey(look, "devanagari"));
    EXPECT_EQ(StylePreviewCache::pictureSize(OutputAspect::landscape), QSizeF(480, 270));
    EXPECT_EQ(StylePreviewCache::pictureSize(OutputAspect::portrait), QSizeF(270, 337.5));
}

struct PreviewCache : ::testing::Test {
    StylePreviewCache cache;
    QSignalSpy changed{&cache, &StylePreviewCache::stylePreviewsChanged};
    QImage poster = test::quadrants(640, 360);
    CaptionStyle look = captionLook();

    void settle()
    {
        cache.waitForDrawings();
        QCoreApplication::processEvents();
    }
};

TEST_F(PreviewCache, DrawsOncePerKeyAndNothingWithoutAPoster)
{
    cache.ensurePreview(look, "k", QImage(), {});
    settle();
    EXPECT_TRUE(cache.stylePreviews().empty());

    StylePreviewCache::Project project;
    project.aspect = OutputAspect::square;
    cache.ensurePreview(look, "k", poster, project);
    settle();
    ASSERT_EQ(cache.stylePreviews().count("k"), 1u);
    EXPECT_EQ(cache.stylePreviews().at("k").size(), QSize(270, 270));
    EXPECT_EQ(changed.count(), 1);
    cache.ensurePreview(look, "k", poster, project);
    settle();
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(PreviewCache, CancelledDrawingsAreNotStoredAndRunOnce)
{
    cache.ensurePreview(look, "k", poster, {});
    cache.ensurePreview(look, "k", poster, {});  // already on its way
    EXPECT_EQ(cache.drawingsPending(), 1u);
    cache.cancelPreview("k");
    EXPECT_EQ(cache.drawingsPending(), 0u);
    settle();
    EXPECT_TRUE(cache.stylePreviews().empty());
    EXPECT_EQ(changed.count(), 0);

    // Asked for again after a cancel: drawn anew, and the cancelled drawing cannot end its wait.
    cache.ensurePreview(look, "k", poster, {});
    cache.cancelPreview("k");
    cache.ensurePreview(look, "k", poster, {});
    settle();
    EXPECT_EQ(cache.stylePreviews().count("k"), 1u);
    EXPECT_EQ(cache.drawingsPending(), 0u);
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(PreviewCache, DropsResultsFromBeforeTheCacheWasEmptied)
{
    cache.ensurePreview(look, "old", poster, {});
    cache.clearAll();  // the format changed while drawing
    settle();
    EXPECT_TRUE(cache.stylePreviews().empty());

    cache.ensurePreview(look, "old", poster, {});
    cache.clearStylePreviews();  // another look was applied
    cache.ensurePreview(look, "new", poster, {});
    settle();
    EXPECT_EQ(cache.stylePreviews().count("old"), 0u);
    EXPECT_EQ(cache.stylePreviews().count("new"), 1u);

    const auto generation = cache.lookGeneration();
    cache.storeLookPreview("warm", poster, generation);
    EXPECT_EQ(cache.lookPreviews().size(), 1u);
    cache.clearAll();
    EXPECT_TRUE(cache.lookPreviews().empty());
    EXPECT_TRUE(cache.stylePreviews().empty());
    cache.storeLookPreview("cool", poster, generation);  // drawn for the old framing
    EXPECT_TRUE(cache.lookPreviews().empty());
    cache.storeLookPreview("cool", poster, cache.lookGeneration());
    EXPECT_EQ(cache.lookPreviews().size(), 1u);
}

}  // namespace
}  // namespace vt
