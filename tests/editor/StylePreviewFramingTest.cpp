// The caption-look previews of a project of several trimmed clips are
// framed on the face where the poster frame was taken: a third into the
// kept material, not into the clips' full length.

#include "editor/ClipMediaService.h"
#include "editor/EditorModel.h"

#include "EditorFakes.h"
#include "support/TestVideos.h"

#include <QTest>

#include <gtest/gtest.h>

namespace vt::test {
namespace {

class StylePreviewFraming : public EditorTest {};

TEST_F(StylePreviewFraming, TheFaceIsTakenAThirdIntoTheKeptMaterial)
{
    // A wide picture, red on its left half and blue on its right.
    const auto split = makeMedia(dir / "split.mp4", "-f lavfi -i color=red:s=80x90:d=2 -f lavfi -i color=blue:s=80x90:d=2 "
                                                    "-filter_complex hstack -c:v libx264 -preset ultrafast -pix_fmt yuv420p");
    Project p = sampleProject(2);
    p.clips = std::vector<VideoClip>{clip(split.string(), 2), clip(split.string(), 2)};
    for (VideoClip& c : *p.clips) c.trimEnd = 1.25;  // 1.5 s kept of 4
    p.syncClips();
    p.aspect = OutputAspect::vertical;
    p.reframe = ReframeMode::smart;
    // The speaker stands at the left until 0.9 s, then at the right.
    p.faceTrack = FaceTrack{{{0, 0.05, 0.5}, {0.9, 0.05, 0.5}, {1.0, 0.95, 0.5}, {4, 0.95, 0.5}}};

    EditorServices services;
    services.media = std::make_shared<ClipMediaService>();
    EditorModel editor(p, nullptr, std::move(services));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !editor.isLoading() && editor.posterFrame(); }, 30000));
    const CaptionStyle look = editor.project().style;
    editor.ensurePreview(look);
    const auto& previews = editor.previewCache().stylePreviews();
    ASSERT_TRUE(QTest::qWaitFor([&] { return previews.contains(editor.previewKey(look)); }, 30000));
    const QImage picture = previews.at(editor.previewKey(look));
    const QColor top = picture.pixelColor(picture.width() / 2, picture.height() / 10);
    EXPECT_GT(top.red(), 200) << "framed on the speaker at 0.5 s, left";
    EXPECT_LT(top.blue(), 60);
}

}  // namespace
}  // namespace vt::test
