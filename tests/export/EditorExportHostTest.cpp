#include "export/EditorExportHost.h"

#include "editor/EditorFakes.h"
#include "export/GeneratedSources.h"
#include "speech/CaptionError.h"

#include <gtest/gtest.h>

using namespace vt;

namespace {

class RecordingComposer : public ExportComposer {
public:
    std::vector<ExportRequest> requests;
    std::vector<bool> brollHeard;
    std::unique_ptr<ComposedVideo> video(const ExportRequest& r) override
    {
        requests.push_back(r);
        return std::make_unique<test::PaintedVideo>(r.snapshot.plan.outputLength());
    }
    std::unique_ptr<MixedAudio> audio(const ExportRequest& r, bool withBRoll) override
    {
        brollHeard.push_back(withBRoll);
        return std::make_unique<test::ToneMix>(r.snapshot.plan.outputLength());
    }
};

class EditorExportHostTest : public ::testing::Test {
protected:
    test::TempDir data;
    test::ScopedEnv dataHome{"XDG_DATA_HOME", data.path().string()};
};

}  // namespace

TEST_F(EditorExportHostTest, CapturesTheEditorAsItIsWhenTheExportStarts)
{
    Project project = test::sampleProject(4);
    project.music = BackgroundMusic{};
    project.tracks = TrackSettings{};
    project.tracks->musicMuted = true;
    test::EditorRig rig(project);
    auto composer = std::make_shared<RecordingComposer>();
    int pauses = 0;
    EditorExportHost host(*rig, composer, [&] { ++pauses; });

    EXPECT_TRUE(host.source());
    EXPECT_DOUBLE_EQ(host.outputLength(), rig->plan().outputLength());
    host.pausePlayback();
    EXPECT_EQ(pauses, 1);

    ExportCapture video = host.capture(false);
    ASSERT_TRUE(video.video);
    ASSERT_EQ(composer->requests.size(), 1u);
    const ExportRequest& r = composer->requests[0];
    EXPECT_FALSE(r.music) << "muted music is left out";
    EXPECT_EQ(r.speechSpans.size(), 4u);
    EXPECT_EQ(video.timedWords, rig->timedWords());
    EXPECT_EQ(composer->brollHeard, std::vector<bool>{true});

    ExportCapture audio = host.capture(true);
    EXPECT_FALSE(audio.video);
    EXPECT_EQ(composer->brollHeard, (std::vector<bool>{true, false}));
    EXPECT_TRUE(host.renderThumbnail().isNull());
}

TEST_F(EditorExportHostTest, RefusesWhatCannotBeExported)
{
    Project project = test::sampleProject(2);
    project.clips = std::vector<VideoClip>{test::clip("/media/a.mov", 5), test::clip("/media/b.mov", 5)};
    test::EditorRig rig(project, false);  // no clip can be read
    EditorExportHost host(*rig, std::make_shared<RecordingComposer>());
    try {
        host.capture(false);
        FAIL() << "no error";
    } catch (const CaptionError& e) {
        EXPECT_EQ(std::string(e.what()), "This file has no video track.");
    }

    test::EditorRig loaded(test::sampleProject(2));
    EditorExportHost withoutComposer(*loaded, nullptr);
    EXPECT_THROW(withoutComposer.capture(false), CaptionError);

    std::vector<CaptionGroup> groups(1);
    TimedWord w;
    w.start = 1;
    w.end = 1.5;
    groups[0].words = {w, w};
    auto spans = ExportRequest::speechSpansOf(groups);
    ASSERT_EQ(spans.size(), 2u);
    EXPECT_EQ(spans[0], (ClosedRange<double>{1, 1.5}));
}
