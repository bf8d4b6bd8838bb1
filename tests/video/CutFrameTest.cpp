#include "support/TestVideos.h"
#include "video/CompositionBuilder.h"
#include "video/CompositionFrames.h"

#include <gtest/gtest.h>

using namespace vt;

// At a cut, the picture is the first frame kept after it, never a frame of
// the stretch that was cut away, wherever the cut falls on the 1/600 s grid.
TEST(CompositionFrames, AFrameOnACutComesFromThePieceThatStartsThere)
{
    vt::test::TempDir dir;
    SourceVideoInfo info;
    info.naturalWidth = 64;
    info.naturalHeight = 48;
    BuildRequest request;
    request.clips.push_back({Uuid::random(), vt::test::makeCountingVideo(dir, "clip.mov", {.rate = 30, .frames = 30}), 0, 1, info, std::nullopt, 1});
    // Pieces at output 0–0.1, 0.1–0.3 (source 0.2–0.4) and 0.3–0.7 (source 0.6–1).
    request.plan = vt::test::keptPlan({{0, 0.1}, {0.2, 0.4}, {0.6, 1}});
    const BuildResult built = CompositionBuilder::build(request);
    CompositionFrames frames(built.composition);
    struct Case {
        double output;
        int frame;
    };
    for (const Case& c : {Case{0.1, 6}, Case{0.3, 18}, Case{9.0 / 30, 18}, Case{0.2, 9}}) {
        const auto picture = frames.frame(built.clipTracks.at(0).trackID, c.output);
        ASSERT_TRUE(picture) << c.output;
        EXPECT_EQ(vt::test::countedFrame(*picture), c.frame) << c.output;
    }
}
