#include "model/CaptionTranslation.h"
#include "model/HookOverlay.h"
#include "model/PostCopy.h"
#include "ProjectSamples.h"
#include "RecordChecks.h"

#include <gtest/gtest.h>

using namespace vt;

namespace {

PostCopy rulePost()
{
    return {"Title", "Description", "Caption #tag", "TikTok text", "X post", false, std::nullopt};
}

}  // namespace

TEST(HookOverlay, BothKeysRequired)
{
    HookOverlay hook{"Stop scrolling", 3.0};
    test::roundTrip(hook);
    test::roundTrip(HookOverlay{"", 0});
    test::expectEachKeyRequired<HookOverlay>(json::encode(hook), {"text", "duration"});
    EXPECT_NE(hook, (HookOverlay{"Stop scrolling", 3.5}));
    EXPECT_THROW(json::decode<HookOverlay>(json::Value{{"text", "x"}, {"duration", "3"}}), json::DecodeError);
}

TEST(PostCopy, LanguageIsOptionalTheRestRequired)
{
    json::Value v = json::encode(rulePost());
    EXPECT_FALSE(v.contains("language"));
    test::roundTrip(rulePost());
    test::expectEachKeyRequired<PostCopy>(v, {"youtubeTitle", "youtubeDescription", "instagram", "tiktok", "x", "byAI"});

    PostCopy asked = rulePost();
    asked.language = "english";
    EXPECT_EQ(json::encode(asked)["language"], "english");
    test::roundTrip(asked);
    EXPECT_NE(asked, rulePost());

    PostCopy model = rulePost();
    model.byAI = true;
    EXPECT_NE(model, rulePost());
}

TEST(CaptionTranslation, RoundTripsWithWholeSecondDates)
{
    Date when = *json::parseDate("2025-03-04T05:06:07Z");
    CaptionTranslation t{{test::word("Hello", 0.2, 0.6), test::word("world", 0.7, 1.1)}, "hi", "basis-text", when};
    json::Value v = json::encode(t);
    EXPECT_EQ(v["createdAt"], "2025-03-04T05:06:07Z");
    EXPECT_EQ(v["source"], "hi");
    EXPECT_EQ(test::roundTrip(t).words[1].id, t.words[1].id);
    test::expectEachKeyRequired<CaptionTranslation>(v, {"words", "basis", "createdAt"});

    CaptionTranslation detected = t;
    detected.source.reset();
    EXPECT_FALSE(json::encode(detected).contains("source"));
    test::roundTrip(detected);
    EXPECT_NE(detected, t);

    v["createdAt"] = "yesterday";
    EXPECT_THROW(json::decode<CaptionTranslation>(v), json::DecodeError);
}

TEST(CaptionTranslation, EqualityLooksAtEveryWordField)
{
    Date when = *json::parseDate("2025-03-04T05:06:07Z");
    CaptionTranslation a{{test::word("Hello", 0.2, 0.6)}, std::nullopt, "b", when};
    CaptionTranslation b = a;
    b.words[0].deleted = true;
    EXPECT_NE(a, b);
    b = a;
    b.createdAt += std::chrono::seconds(1);
    EXPECT_NE(a, b);
}
