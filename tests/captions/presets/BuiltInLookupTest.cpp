#include "captions/StyleLibrary.h"
#include "captions/presets/StylePresets.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace vt;

TEST(BuiltInLookup, BuiltInLooksWinOverUserLooksWithTheSameId)
{
    test::TempDir dir;
    CaptionStyle impostor = StylePresets::all()[16];
    ASSERT_EQ(impostor.id, "neon");
    impostor.name = "My Neon";
    impostor.category = StyleCategory::mine;
    test::writeFile(dir / "styles.json", json::encode(std::vector<CaptionStyle>{impostor}).dump());

    StyleLibrary library(dir / "styles.json");
    ASSERT_EQ(library.custom().size(), 1u);
    auto found = library.style("neon");
    ASSERT_TRUE(found);
    EXPECT_EQ(*found, StylePresets::all()[16]);

    // The start look of new projects and every curated look resolve.
    EXPECT_EQ(library.style(StylePresets::core().front().id), StylePresets::all().front());
    auto popular = library.styles(StyleCategory::popular, "");
    ASSERT_EQ(popular.size(), 16u);
    EXPECT_EQ(popular.front().id, "kestrin");
    EXPECT_EQ(popular.back().id, "editorial");
    EXPECT_EQ(library.styles(StyleCategory::trending, "").size(), 16u);
    EXPECT_EQ(library.styles(std::nullopt, "").size(), 148u);  // every built-in look, then the user's
}
