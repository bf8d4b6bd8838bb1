// Overlays, B-roll, sounds and adjustments added through the editor model,
// on generated media read by the real media service.

#include "EditorFakes.h"

#include "editor/ClipMediaService.h"

#include <cmath>

namespace vt {
namespace {

using namespace vt::test;
using K = TimelineItem::Kind;

class EditorMediaItems : public EditorTest {
protected:
    std::string make(const std::string& name, const std::string& ffmpegInput)
    {
        const auto file = dir.path() / name;
        EXPECT_EQ(run("ffmpeg -v error -y " + ffmpegInput + " " + shellQuote(file.string())), 0);
        return file.string();
    }
    // An editor on the real media service over a sample project whose
    // output is about 10 s long.
    std::unique_ptr<EditorModel> editor()
    {
        Project p = sampleProject(20);
        p.videoPath = make("main.mp4", "-f lavfi -i color=black:s=64x64:r=10:d=1 -c:v libx264");
        auto model = std::make_unique<EditorModel>(
            std::move(p), nullptr,
            EditorServices{player, std::make_shared<ClipMediaService>(), std::make_shared<FakeAudio>(), nullptr, clock});
        waitFor([&] { return !model->isLoading(); });
        return model;
    }
    std::shared_ptr<FakePlayer> player = std::make_shared<FakePlayer>();
    std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>();
};

TEST_F(EditorMediaItems, OverlaysAreTimedPicturesAndSoundOnlyFilesAreRefused)
{
    auto m = editor();
    const double L = m->plan().outputLength();
    ASSERT_GT(L, 9);
    const std::string photo = dir.path() / "photo.png";
    QImage(40, 20, QImage::Format_RGB32).save(QString::fromStdString(photo));
    const std::string shortVideo = make("clip.mov", "-f lavfi -i color=red:s=64x64:r=10:d=2 -c:v libx264");
    const std::string longVideo = make("long.mp4", "-f lavfi -i color=red:s=64x64:r=10:d=8 -c:v libx264");
    const std::string sound = make("sound.wav", "-f lavfi -i sine=d=2");
    const std::string text = dir.path() / "notes";
    writeFile(text, "not a video");

    struct Case {
        std::string path;
        double at, wantStart, wantLength;
        bool image;
    };
    const Case added[] = {{photo, 2, 2, 3, true},
                          {photo, L - 1, L - 3, 3, true},
                          {shortVideo, 2, 2, 2, false},
                          {longVideo, L - 0.1, L - 5, 5, false}};
    for (const Case& c : added) {
        SCOPED_TRACE(c.path + " at " + std::to_string(c.at));
        const auto count = m->project().brolls ? m->project().brolls->size() : 0;
        m->addOverlay(c.path, c.at);
        ASSERT_TRUE(waitFor([&] { return m->project().brolls && m->project().brolls->size() == count + 1; }));
        const BRoll& item = m->project().brolls->back();
        EXPECT_EQ(item.isImage, c.image);
        EXPECT_NEAR(m->plan().outputTime(*item.start), c.wantStart, 1e-6);
        EXPECT_NEAR(*item.length, c.wantLength, 1e-6);
        EXPECT_TRUE(item.kenBurns);
        EXPECT_EQ(m->timelineSelection(), (TimelineItem{K::overlay, item.id}));
    }
    EXPECT_TRUE(waitFor([&] { return m->overlayAspect(m->project().brolls->front()) == 2.0; }));
    const auto depth = m->undoDepth();
    for (const std::string& refused : {sound, text}) {
        m->setExportError(std::nullopt);
        m->addOverlay(refused, 1);
        ASSERT_TRUE(waitFor([&] { return m->exportError().has_value(); }));
        EXPECT_EQ(*m->exportError(), "That file has no video.");
    }
    EXPECT_EQ(m->undoDepth(), depth);
    m->undo();
    EXPECT_EQ(m->project().brolls->size(), 3u);
}

TEST_F(EditorMediaItems, SoundsFitTheOutputAndTheirFile)
{
    auto m = editor();
    const double L = m->plan().outputLength();
    const std::string song = make("song.wav", "-f lavfi -i sine=d=0.5");
    const std::string tiny = make("tiny.wav", "-f lavfi -i sine=d=0.03");
    const std::string silentVideo = make("silent.mp4", "-f lavfi -i color=red:s=64x64:r=10:d=1 -c:v libx264");
    struct Case {
        double at, wantStart, wantDuration;
    };
    for (const Case& c : {Case{1, 1, 0.5}, Case{L + 4, L - 0.2, 0.2}, Case{-3, 0, 0.5}, Case{NAN, 0, 0.5}}) {
        SCOPED_TRACE(c.at);
        const auto count = m->project().sounds ? m->project().sounds->size() : 0;
        m->addSound(song, c.at);
        ASSERT_TRUE(waitFor([&] { return m->project().sounds && m->project().sounds->size() == count + 1; }));
        const SoundClip& s = m->project().sounds->back();
        EXPECT_NEAR(m->plan().outputTime(s.start), c.wantStart, 1e-6);
        EXPECT_NEAR(s.duration, c.wantDuration, 0.02);
        EXPECT_LE(s.duration, s.fileDuration);
        EXPECT_EQ(m->selectedSound(), s);
    }
    EXPECT_FALSE(m->soundPeaks().at(song).empty());
    const auto depth = m->undoDepth();
    for (const std::string& refused : {tiny, silentVideo}) {
        m->setExportError(std::nullopt);
        m->addSound(refused, 1);
        ASSERT_TRUE(waitFor([&] { return m->exportError().has_value(); }));
        EXPECT_EQ(*m->exportError(), "That file has no sound to add.");
    }
    EXPECT_EQ(m->undoDepth(), depth);
}

TEST_F(EditorMediaItems, BRollCoversTheChosenOrTheSpokenWordsAsOneUndoStep)
{
    Project p = sampleProject(20);
    p.words[5].deleted = true;
    EditorRig rig(std::move(p));
    const auto& w = rig->project().words;
    rig->setSelection({w[4].id, w[9].id, w[5].id});
    rig->addBRoll("/media/clip.mov");
    ASSERT_EQ(rig->project().brolls->size(), 1u);
    EXPECT_EQ(rig->undoDepth(), 1u);
    BRoll item = rig->project().brolls->back();
    EXPECT_EQ(item.startWordID, w[4].id);
    EXPECT_EQ(item.endWordID, w[9].id);
    EXPECT_FALSE(item.isImage);
    EXPECT_FALSE(item.start);

    // Only a cut word chosen: the words from the one under the playhead on,
    // starting within 3 s of it.
    rig->setCurrentTime(rig->outputTime(w[7]) + 0.1);
    rig->addBRoll("/media/photo.jpg", std::set<Uuid>{w[5].id});
    item = rig->project().brolls->back();
    EXPECT_TRUE(item.isImage);
    EXPECT_EQ(item.startWordID, w[7].id);
    EXPECT_EQ(item.endWordID, w[12].id);  // 3.5 + 3 s: word 12 starts at 6.5, word 13 at 7.0

    Project cut = sampleProject(3);
    for (Word& word : cut.words) word.deleted = true;
    EditorRig none(std::move(cut));
    none->addBRoll("/media/clip.mov");
    EXPECT_FALSE(none->project().brolls);
    EXPECT_FALSE(none->canUndo());
}

TEST_F(EditorMediaItems, AdjustmentsCoalesceWithinAGestureAndPickTheirRefresh)
{
    Project p = sampleProject(10);
    BRoll overlay;
    overlay.start = 1;
    overlay.length = 1;
    p.brolls = std::vector<BRoll>{overlay};
    EditorRig rig(std::move(p));
    const TimelineItem main{K::clip, rig->project().id}, item{K::overlay, overlay.id};
    for (int i = 0; i < 3; ++i) {
        rig->updateAdjust(main, [i](ItemAdjust& a) { a.zoom = 1.1 + i * 0.1; });
        rig.clock->advance(0.3);
    }
    EXPECT_EQ(rig->undoDepth(), 1u);
    ASSERT_TRUE(rig->project().clips);  // the main video became a clip list
    rig.clock->advance(0.6);
    const int rebuilds = rig.player->rebuilds;
    rig->updateAdjust(main, [](ItemAdjust& a) { a.zoom = 1; });
    EXPECT_EQ(rig->undoDepth(), 2u);
    EXPECT_FALSE(rig->project().clips->front().adjust);  // back to the default: stored as none
    rig->updateAdjust(item, [](ItemAdjust& a) { a.volume = -6; });
    rig->updateAdjust(main, [](ItemAdjust& a) { a.zoom = 1.5; });
    EXPECT_EQ(rig->undoDepth(), 4u);
    rig.clock->advance(0.5);
    EXPECT_EQ(rig.player->rebuilds, rebuilds);  // only redraws so far
    rig->updateAdjust(main, [](ItemAdjust& a) { a.volume = -40; });
    rig.clock->advance(0.5);
    EXPECT_EQ(rig.player->rebuilds, rebuilds + 1);
    EXPECT_EQ(rig->adjust(main).volume, -40);
    EXPECT_EQ(rig->adjust(item).volume, -6);
}

TEST_F(EditorMediaItems, AClipsSizeIsUprightOnceRead)
{
    Project p = sampleProject(4);
    EditorRig rig(p, false);
    EXPECT_FALSE(rig->clipSize(p.id));
    SourceVideoInfo turned;
    turned.naturalWidth = 1920;
    turned.naturalHeight = 1080;
    turned.duration = 2;
    turned.transform = AffineTransform{0, 1, -1, 0, 1080, 0};
    rig.media->videos[p.videoPath] = turned;
    rig->addClip(p.videoPath);  // reading the clips again fills the facts
    ASSERT_TRUE(waitFor([&] { return rig->clipSize(p.id).has_value(); }));
    EXPECT_EQ(*rig->clipSize(p.id), (Size{1080, 1920}));
}

}  // namespace
}  // namespace vt
