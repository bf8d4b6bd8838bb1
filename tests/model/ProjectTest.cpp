#include "ProjectSamples.h"
#include "RecordChecks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace vt;
using vt::test::fullProject;
using vt::test::minimalProject;

namespace {

const char* const kRequiredKeys[] = {"id",        "name",        "videoPath",   "createdAt",       "updatedAt",
                                     "sourceDuration", "localeID", "words",      "style",           "baseStyleID",
                                     "aspect",    "reframe",     "trimPauses",  "maxPause",        "captionsVisible",
                                     "hooks",     "aiHooks",     "postCaption"};

}  // namespace

TEST(ProjectJson, EveryFieldSurvivesTheRoundTrip)
{
    Project p = fullProject();
    json::Value v = p.toJson();
    EXPECT_EQ(v.size(), 43u);

    Project back = Project::fromJson(v);
    EXPECT_EQ(back.toJson(), v);
    // Fields of one type must not be crossed on the way back.
    EXPECT_EQ(back.id, p.id);
    EXPECT_EQ(back.name, "Morning walk");
    EXPECT_EQ(back.videoPath, "/media/walk.mov");
    EXPECT_EQ(back.localeID, "en-US");
    EXPECT_EQ(back.baseStyleID, "clean-base");
    EXPECT_EQ(back.postCaption, "Old caption");
    EXPECT_EQ(back.hooks, p.hooks);
    EXPECT_EQ(back.aiHooks, p.aiHooks);
    EXPECT_EQ(back.createdAt, p.createdAt);
    EXPECT_EQ(back.updatedAt, p.updatedAt);
    EXPECT_EQ(back.videoBookmark, p.videoBookmark);
    EXPECT_EQ(back.matchCut, p.matchCut);
    EXPECT_EQ(back.matchCuts, p.matchCuts);
    EXPECT_EQ(back.words, p.words);
    EXPECT_EQ(back.translation, p.translation);
    EXPECT_EQ(back.styleOverrides, p.styleOverrides);

    // The stored forms of the record's own values.
    EXPECT_EQ(v["id"], p.id.text());
    EXPECT_EQ(v["createdAt"], "2023-11-14T22:13:20Z");
    EXPECT_EQ(v["videoBookmark"], "Ym9vawD/");
    EXPECT_EQ(v["sourceRange"], json::Value::array({1.5, 40.0}));
    EXPECT_EQ(v["aspect"], "4:5");
    EXPECT_EQ(v["reframe"], "Fit + blur");
    EXPECT_EQ(v["cutTransition"], "Dip to black");
    EXPECT_TRUE(v["styleOverrides"].is_object());
    EXPECT_EQ(v["styleOverrides"]["bold"]["id"], "bold");
}

TEST(ProjectJson, AbsentOptionalsWriteNoKey)
{
    json::Value v = minimalProject().toJson();
    EXPECT_EQ(v.size(), 18u);
    for (const char* key : kRequiredKeys) EXPECT_TRUE(v.contains(key)) << key;
}

TEST(ProjectJson, EachRequiredKeyIsNeeded)
{
    test::expectEachKeyRequired<Project>(
        fullProject().toJson(),
        {"id", "name", "videoPath", "createdAt", "updatedAt", "sourceDuration", "localeID", "words", "style",
         "baseStyleID", "aspect", "reframe", "trimPauses", "maxPause", "captionsVisible", "hooks", "aiHooks",
         "postCaption"});
}

TEST(ProjectJson, DecodingCases)
{
    const json::Value base = minimalProject().toJson();
    struct Case {
        const char* what;
        std::function<void(json::Value&)> edit;
        bool loads;
    } cases[] = {
        {"empty postCaption", [](json::Value& v) { v["postCaption"] = ""; }, true},
        {"null optional", [](json::Value& v) { v["captionLanguageID"] = nullptr; }, true},
        {"unknown key", [](json::Value& v) { v["legacyThing"] = 7; }, true},
        {"equal range bounds", [](json::Value& v) { v["sourceRange"] = {3.0, 3.0}; }, true},
        {"reversed range", [](json::Value& v) { v["sourceRange"] = {5.0, 2.0}; }, false},
        {"wrong type", [](json::Value& v) { v["trimPauses"] = "yes"; }, false},
        {"bad aspect", [](json::Value& v) { v["aspect"] = "3:2"; }, false},
        {"bad date", [](json::Value& v) { v["updatedAt"] = "yesterday"; }, false},
        {"bad bookmark", [](json::Value& v) { v["videoBookmark"] = "not base64!"; }, false},
        {"nested word fault", [](json::Value& v) { v["words"][1].erase("breakAfter"); }, false},
        {"nested optional fault", [](json::Value& v) { v["hookOverlay"] = {{"text", "x"}}; }, false},
        {"not an object", [](json::Value& v) { v = json::Value::array(); }, false},
    };
    for (const Case& c : cases) {
        json::Value v = base;
        c.edit(v);
        if (!c.loads) {
            EXPECT_THROW(json::decode<Project>(v), json::DecodeError) << c.what;
            continue;
        }
        Project p = json::decode<Project>(v);
        json::Value again = p.toJson();
        EXPECT_FALSE(again.contains("captionLanguageID")) << c.what;
        EXPECT_EQ(again.contains("legacyThing"), v.contains("legacyThing")) << c.what;  // kept for the version that wrote it
        if (v.contains("sourceRange")) {
            EXPECT_EQ(p.sourceRange, (ClosedRange<double>{3, 3}));
        }
    }
}

TEST(ProjectJson, NonFiniteNumbersFailTheWholeEncode)
{
    Project p = minimalProject();
    p.maxPause = std::numeric_limits<double>::quiet_NaN();
    EXPECT_THROW(p.toJson(), json::EncodeError);

    p = fullProject();
    p.faceTrack->samples[1].x = INFINITY;
    EXPECT_THROW(p.toJson(), json::EncodeError);
}

TEST(ProjectJson, DatesKeepWholeSeconds)
{
    Project p = minimalProject();
    p.updatedAt = test::dateAt(1'700'000'500, 999);
    Project back = Project::fromJson(p.toJson());
    EXPECT_EQ(back.updatedAt, test::dateAt(1'700'000'500));
}

// ---- the joined source timeline --------------------------------------------

TEST(ProjectClips, SingleVideo)
{
    Project p = minimalProject();
    auto clips = p.videoClips();
    ASSERT_EQ(clips.size(), 1u);
    EXPECT_EQ(clips[0].id, p.id);
    EXPECT_EQ(clips[0].path, p.videoPath);
    EXPECT_EQ(clips[0].name, p.name);
    EXPECT_EQ(clips[0].duration, 42.5);
    EXPECT_EQ(p.spans(), (std::vector<ClipSpan>{{clips[0], 0}}));
    EXPECT_FALSE(p.keptRanges());
    EXPECT_EQ(p.length(), 42.5);
}

TEST(ProjectClips, AdoptingKeepsTheTrimmedPart)
{
    struct Case {
        ClosedRange<double> range;
        double trimStart, trimEnd, length;
    } cases[] = {
        {{2, 10}, 2, 2, 8},
        {{-1, 14}, 0, 0, 15},  // beyond the video: no negative trims
        {{0, 12}, 0, 0, 12},
    };
    for (const Case& c : cases) {
        Project p = minimalProject();
        p.sourceDuration = 12;
        p.videoBookmark = Bytes{1, 2, 3};
        p.sourceRange = c.range;
        EXPECT_EQ(p.keptRanges(), (std::vector{c.range}));
        EXPECT_EQ(p.length(), c.length);

        p.adoptClips();
        ASSERT_TRUE(p.clips);
        ASSERT_EQ(p.clips->size(), 1u);
        const VideoClip& only = p.clips->front();
        EXPECT_EQ(only.id, p.id);
        EXPECT_EQ(only.bookmark, p.videoBookmark);
        EXPECT_EQ(only.trimStart, c.trimStart);
        EXPECT_EQ(only.trimEnd, c.trimEnd);
        EXPECT_FALSE(p.sourceRange);
        if (c.range.lower >= 0 && c.range.upper <= 12) {
            EXPECT_EQ(p.keptRanges(), (std::vector{c.range}));
        }
        EXPECT_EQ(p.length(), std::min(c.length, 12.0));

        p.clips->front().name = "renamed";
        p.adoptClips();  // a second adoption changes nothing
        EXPECT_EQ(p.clips->size(), 1u);
        EXPECT_EQ(p.clips->front().name, "renamed");
    }
}

TEST(ProjectClips, ClipListJoinsEndToEnd)
{
    Project p = minimalProject();
    p.clips = std::vector{test::clip("a", 5), test::clip("b", 7, 1, 2), test::clip("c", 3, 2, 4)};
    auto spans = p.spans();
    ASSERT_EQ(spans.size(), 3u);
    EXPECT_EQ(spans[0].start, 0);
    EXPECT_EQ(spans[1].start, 5);
    EXPECT_EQ(spans[2].start, 12);  // full durations: trims do not shorten the timeline
    EXPECT_EQ(p.keptRanges(), (std::vector<ClosedRange<double>>{{0, 5}, {6, 10}, {14, 14}}));
    EXPECT_EQ(p.length(), 9);  // the over-trimmed clip adds nothing

    p.clips->at(0).bookmark = Bytes{9};
    p.syncClips();
    EXPECT_EQ(p.sourceDuration, 15);
    EXPECT_EQ(p.videoPath, "/media/a.mov");
    EXPECT_EQ(p.videoBookmark, Bytes{9});
    EXPECT_EQ(p.name, "Morning walk");

    p.clips->at(0).bookmark.reset();
    p.syncClips();
    EXPECT_FALSE(p.videoBookmark);
}

TEST(ProjectClips, EmptyClipList)
{
    Project p = minimalProject();
    p.clips = std::vector<VideoClip>{};
    EXPECT_TRUE(p.videoClips().empty());
    EXPECT_TRUE(p.spans().empty());
    ASSERT_TRUE(p.keptRanges());
    EXPECT_TRUE(p.keptRanges()->empty());
    EXPECT_EQ(p.length(), 0);
    p.syncClips();
    EXPECT_EQ(p.videoPath, "/media/walk.mov");
    EXPECT_EQ(p.sourceDuration, 42.5);
}
