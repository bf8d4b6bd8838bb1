// The editor on its real player and media reading, on generated videos.

#include "EditorFakes.h"
#include "editor/ClipMediaService.h"
#include "editor/PlayerService.h"
#include "support/TestVideos.h"

namespace vt {
namespace {

using namespace vt::test;

class PlayerServiceTest : public EditorTest {
protected:
    std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>();
    std::shared_ptr<PlayerService> player = std::make_shared<PlayerService>(QSize(54, 96), false);

    std::unique_ptr<EditorModel> open(Project project)
    {
        auto model = std::make_unique<EditorModel>(std::move(project), nullptr,
                                                   EditorServices{player, std::make_shared<ClipMediaService>(), std::make_shared<FakeAudio>(), nullptr, clock});
        // The first item comes from the set-up's rebuild, unless it failed.
        EXPECT_TRUE(waitFor([&] { return !model->isLoading() && (player->player().duration() > 0 || model->exportError()); }));
        return model;
    }

    Project projectOn(const std::filesystem::path& video, double duration)
    {
        Project p = sampleProject(6);  // words from 0.5 s to 3.4 s
        p.videoPath = video.string();
        p.sourceDuration = duration;
        return p;
    }
};

TEST_F(PlayerServiceTest, OpeningBuildsAndPlaysTheCutAndACutRebuildsIt)
{
    auto video = makeCountingVideo(dir, "talk.mov", {.rate = 5, .frames = 20, .sound = true});
    auto model = open(projectOn(video, 4));
    EXPECT_FALSE(model->exportError());
    EXPECT_NEAR(player->player().duration(), model->plan().outputLength(), 1e-3);
    const QImage picture = player->player().waitForFrame();
    EXPECT_EQ(picture.size(), QSize(54, 96));

    std::vector<Word> words = model->transcript();
    words[1].deleted = words[2].deleted = true;
    model->setTranscript(words);
    model->timelineChanged();
    clock->advance(0.12);
    ASSERT_TRUE(waitFor([&] { return !model->isRefreshing(); }));
    EXPECT_NEAR(player->player().duration(), model->plan().outputLength(), 1e-3) << "the newest cut plays";

    player->play();
    player->player().pullSound(4800);
    EXPECT_NEAR(player->player().currentTime(), 0.1, 1e-9);
}

TEST_F(PlayerServiceTest, OnlyTheNewestOfOverlappingRebuildsIsInstalled)
{
    auto video = makeCountingVideo(dir, "talk.mov", {.rate = 5, .frames = 20, .sound = true});
    auto model = open(projectOn(video, 4));
    const double whole = model->plan().outputLength();
    int finished = 0;
    player->rebuild(*model, [&](std::optional<std::string> error) {
        EXPECT_FALSE(error);
        ++finished;
    });
    std::vector<Word> words = model->transcript();
    for (int i = 1; i < 5; ++i) words[std::size_t(i)].deleted = true;
    model->setTranscript(words);
    model->visualChanged();  // re-derives the cut without a debounced rebuild of its own
    const double cut = model->plan().outputLength();
    ASSERT_LT(cut, whole - 1);
    player->rebuild(*model, [&](std::optional<std::string>) { ++finished; });
    ASSERT_TRUE(waitFor([&] { return finished == 2; }));
    EXPECT_NEAR(player->player().duration(), cut, 1e-3);
}

TEST_F(PlayerServiceTest, AClipThatCannotBeReadIsNamedInTheError)
{
    auto good = makeCountingVideo(dir, "good.mov", {.rate = 5, .frames = 20});
    auto broken = dir / "broken.mov";
    writeFile(broken, "not a video at all");
    Project p = projectOn(good, 8);
    p.clips = std::vector<VideoClip>{clip(good.string(), 4), clip(broken.string(), 4)};
    (*p.clips)[1].name = "Broken take";
    auto model = open(p);
    ASSERT_TRUE(model->exportError());
    EXPECT_NE(model->exportError()->find("Broken take"), std::string::npos) << *model->exportError();
}

TEST_F(PlayerServiceTest, ClipsStillBeingReadStopTheRebuildQuietlyAndAStaleFailureIsDropped)
{
    auto good = makeCountingVideo(dir, "good.mov", {.rate = 5, .frames = 20});
    auto more = makeCountingVideo(dir, "more.mov", {.rate = 5, .frames = 10});
    auto broken = dir / "broken.mov";
    writeFile(broken, "not a video at all");
    auto model = open(projectOn(good, 4));
    const double before = player->player().duration();

    // Clips whose facts the model has not read yet, though their files read.
    model->updateProject([&](Project& p) { p.clips = std::vector<VideoClip>{clip(good.string(), 4), clip(more.string(), 2)}; });
    std::optional<std::optional<std::string>> loading;
    player->rebuild(*model, [&](std::optional<std::string> error) { loading = error; });
    ASSERT_TRUE(waitFor([&] { return loading.has_value(); }));
    EXPECT_FALSE(*loading) << **loading;
    EXPECT_DOUBLE_EQ(player->player().duration(), before) << "nothing was built";

    // A rebuild with an unreadable clip that a newer rebuild overtook.
    model->updateProject([&](Project& p) { p.clips = std::vector<VideoClip>{clip(broken.string(), 4)}; });
    std::optional<std::optional<std::string>> stale;
    player->rebuild(*model, [&](std::optional<std::string> error) { stale = error; });
    model->updateProject([&](Project& p) { p.clips.reset(); });
    int newest = 0;
    player->rebuild(*model, [&](std::optional<std::string>) { ++newest; });
    ASSERT_TRUE(waitFor([&] { return stale.has_value() && newest == 1; }));
    EXPECT_FALSE(*stale) << "the failure of an older cut is not reported";
}

}  // namespace
}  // namespace vt

namespace vt {
namespace {

TEST(ClipMediaService, ReadsFactsLengthsFramesAndThumbnails)
{
    using namespace vt::test;
    TempDir dir;
    auto video = withRotateTag(makeCountingVideo(dir, "clip.mp4", {.rate = 10, .frames = 20, .width = 640, .height = 480}), 90);
    auto sound = dir / "sound.wav";
    ASSERT_EQ(run("ffmpeg -v error -y -f lavfi -i sine=d=1.5 " + shellQuote(sound.string())), 0);
    auto photo = dir / "photo.png";
    QImage still(40, 30, QImage::Format_RGB32);
    still.fill(Qt::red);
    ASSERT_TRUE(still.save(QString::fromStdString(photo.string())));
    ClipMediaService media;

    EXPECT_TRUE(media.probeVideo(video.string()));
    EXPECT_FALSE(media.probeVideo(sound.string()));
    EXPECT_NEAR(media.duration(video.string()).value_or(0), 2, 0.05);
    EXPECT_NEAR(media.duration(sound.string()).value_or(0), 1.5, 0.05);
    EXPECT_FALSE(media.duration((dir / "missing.wav").string()));

    const auto frame = media.frame(video.string(), 1.05);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->size(), QSize(480, 640)) << "upright";
    EXPECT_EQ(countedFrame(*frame), 10);

    BRoll item;
    item.path = video.string();
    item.sourceOffset = 1;
    const auto thumb = media.thumbnail(item);
    ASSERT_TRUE(thumb);
    EXPECT_EQ(thumb->size(), QSize(240, 320));
    EXPECT_EQ(countedFrame(*thumb), 15);
    item.path = photo.string();
    item.isImage = true;
    EXPECT_EQ(media.thumbnail(item)->size(), QSize(40, 30));
    item.path = sound.string();
    EXPECT_FALSE(media.thumbnail(item));
}

}  // namespace
}  // namespace vt
