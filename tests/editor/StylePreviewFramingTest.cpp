// The caption-look and colour-look previews of a project of several trimmed
// clips are framed on the face found at the moment the poster frame shows:
// a third into the first kept stretch, not into the clips' full length nor
// into the kept material as a whole.

#include "editor/ClipMediaService.h"
#include "editor/EditorModel.h"
#include "editor/GradeActions.h"

#include "EditorFakes.h"
#include "support/TestVideos.h"

#include <QTest>

#include <gtest/gtest.h>

namespace vt::test {
namespace {

constexpr int kWaitMs = 30000;

class StylePreviewFraming : public EditorTest {};

// Whether the top middle of a picture is red (the left of the frame) rather
// than blue (its right).
bool showsTheLeft(const QImage& picture)
{
    const QColor top = picture.pixelColor(picture.width() / 2, picture.height() / 10);
    return top.red() > 150 && top.blue() < 90;
}

TEST_F(StylePreviewFraming, TheFaceIsTakenWhereThePosterWasTaken)
{
    // A wide picture, red on its left half and blue on its right.
    const auto split = makeMedia(dir / "split.mp4", "-f lavfi -i color=red:s=80x90:d=2 -f lavfi -i color=blue:s=80x90:d=2 "
                                                    "-filter_complex hstack -c:v libx264 -preset ultrafast -pix_fmt yuv420p");
    struct Case {
        const char* name;
        double trimStart, trimEnd;  // of each 2 s clip
        double turn;                // the speaker moves from the left to the right here
        bool left;
    };
    const Case cases[] = {
        // Kept 0-0.75 and 2-2.75: the poster is at 0.25 s; the clips' full
        // length would give 1.33 s.
        {"trimmed ends", 0, 1.25, 0.9, true},
        // Kept 1-2 and 3-4: the poster is at 1.33 s; a third into the 2 s
        // kept in all would give 0.67 s.
        {"trimmed starts", 1, 0, 1.1, false},
    };
    for (const Case& c : cases) {
        Project p = sampleProject(2);
        p.clips = std::vector<VideoClip>{clip(split.string(), 2), clip(split.string(), 2)};
        for (VideoClip& v : *p.clips) {
            v.trimStart = c.trimStart;
            v.trimEnd = c.trimEnd;
        }
        p.syncClips();
        p.aspect = OutputAspect::vertical;
        p.reframe = ReframeMode::smart;
        p.faceTrack = FaceTrack{{{0, 0.05, 0.5}, {c.turn, 0.05, 0.5}, {c.turn + 0.1, 0.95, 0.5}, {4, 0.95, 0.5}}};

        EditorServices services;
        services.media = std::make_shared<ClipMediaService>();
        EditorModel editor(p, nullptr, std::move(services));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !editor.isLoading() && editor.posterFrame(); }, kWaitMs)) << c.name;
        const CaptionStyle look = editor.project().style;
        editor.ensurePreview(look);
        GradeActions grade(editor);
        grade.ensureLookPreview(ColorLook::find("natural"));
        const auto& previews = editor.previewCache().stylePreviews();
        ASSERT_TRUE(QTest::qWaitFor([&] { return previews.contains(editor.previewKey(look)); }, kWaitMs)) << c.name;
        ASSERT_TRUE(QTest::qWaitFor([&] { return grade.lookPreviews().contains("natural"); }, kWaitMs)) << c.name;
        EXPECT_EQ(showsTheLeft(previews.at(editor.previewKey(look))), c.left) << c.name << ": caption look";
        EXPECT_EQ(showsTheLeft(grade.lookPreviews().at("natural")), c.left) << c.name << ": colour look";
    }
}

}  // namespace
}  // namespace vt::test
