#include "text/ShortsPicker.h"

#include "TextFixtures.h"
#include "support/Waits.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>

namespace vt::test {
namespace {

class FakeClipPlayer final : public ClipPlayer {
public:
    bool item = false;
    std::string path;
    bool playing = false;
    double clock = 0;
    std::vector<double> seeks;
    int loads = 0;

    bool hasItem() const override { return item; }
    void load(const std::string& p) override
    {
        item = true;
        path = p;
        ++loads;
    }
    void unload() override { item = false; }
    void play() override { playing = true; }
    void pause() override { playing = false; }
    void seek(double s) override
    {
        clock = s;
        seeks.push_back(s);
    }
    double currentTime() const override { return clock; }
};

ClipFinder::Clip clip(double start, double end, int score = 50)
{
    return {start, end, score, "Title", {}};
}

TEST(ClipPreview, PlaysOneClipAtATimeAndStopsAtItsEnd)
{
    auto player = std::make_shared<FakeClipPlayer>();
    ClipPreview preview(player);
    preview.load("/a.mp4");
    preview.load("/b.mp4");
    EXPECT_EQ(player->path, "/a.mp4") << "the first video stays";
    EXPECT_TRUE(preview.observing());

    const auto first = clip(10, 42), second = clip(50, 70);
    preview.toggle(first);
    EXPECT_TRUE(preview.playing());
    EXPECT_EQ(preview.time(), 10);
    preview.tick(41.99);
    EXPECT_TRUE(preview.playing());
    preview.tick(42.0);
    EXPECT_FALSE(preview.playing()) << "pauses at the first report at or past the end";
    EXPECT_FALSE(player->playing);

    preview.toggle(first);  // played out: from the start again
    EXPECT_EQ(player->clock, 10);
    preview.tick(20);
    const std::size_t seeks = player->seeks.size();
    preview.toggle(first);  // pause in the middle
    preview.toggle(first);  // resumes there, without a seek
    EXPECT_EQ(player->seeks.size(), seeks);
    EXPECT_EQ(preview.time(), 20);
    EXPECT_TRUE(preview.playing());

    preview.toggle(second);  // while playing: only pauses
    EXPECT_FALSE(preview.playing());
    EXPECT_EQ(preview.clip(), first);
    preview.toggle(second);
    EXPECT_EQ(player->clock, 50);
    EXPECT_EQ(preview.clip(), second);

    preview.stop();
    EXPECT_FALSE(preview.playing() || preview.observing() || player->item);
    preview.load("/b.mp4");
    EXPECT_EQ(player->path, "/b.mp4") << "after stop the given video loads";
}

TEST(ShortsPicker, TheDefaultChoiceTakesTheStrongOfTheFirstThree)
{
    auto ids = [](std::vector<int> scores) {
        std::vector<ClipFinder::Clip> found;
        for (std::size_t i = 0; i < scores.size(); ++i) found.push_back(clip(double(i) * 100, double(i) * 100 + 20, scores[i]));
        std::vector<int> chosen;
        const auto set = ShortsPicker::defaultChoice(found);
        for (std::size_t i = 0; i < found.size(); ++i)
            if (set.contains(found[i].id())) chosen.push_back(int(i));
        return chosen;
    };
    EXPECT_EQ(ids({72, 64, 41, 38}), (std::vector<int>{0, 1}));
    EXPECT_EQ(ids({90, 85, 80, 75}), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(ids({40, 30, 20, 90}), (std::vector<int>{0}));
    EXPECT_EQ(ids({12}), (std::vector<int>{0}));
    EXPECT_EQ(ids({49, 50, 10}), (std::vector<int>{1}));
    EXPECT_TRUE(ids({}).empty());
}

// A source of three 20-second moments, each its own sentence.
Project talk()
{
    Project p;
    p.name = "Talk";
    p.videoPath = "/talk.mp4";
    p.sourceDuration = 70;
    std::string filler;
    for (int i = 0; i < 25; ++i) filler += " word";
    p.words = spoken("Why you should never skip it" + filler + ".", 0, 0.6, 0.5) +
              spoken("Here is the plain middle part" + filler + ".", 22, 0.6, 0.5) +
              spoken("The 3 best ways you win" + filler + ".", 44, 0.6, 0.5);
    return p;
}

struct PickerRig {
    std::shared_ptr<FakeClipPlayer> player = std::make_shared<FakeClipPlayer>();
    std::atomic<int> peakReads = 0;
    std::vector<std::vector<ClipFinder::Clip>> created;
    std::function<void()> finishCreate;
    std::vector<std::optional<Project>> left;
    std::unique_ptr<ShortsPicker> picker;
    // The picture at a time; the last thumbnail cannot be read. Shared, as a
    // picture may still be in the making when the rig goes.
    std::shared_ptr<std::function<std::optional<QImage>(double)>> frame =
        std::make_shared<std::function<std::optional<QImage>(double)>>([](double seconds) -> std::optional<QImage> {
            if (seconds > 40) return std::nullopt;
            return QImage(32, 18, QImage::Format_ARGB32);
        });

    PickerRig()
    {
        ShortsPicker::Services s;
        s.peaks = [this](const std::string&) {
            ++peakReads;
            return std::vector<float>(3500, 0.5f);
        };
        s.frame = [frame = frame](const std::string&, double seconds, int) { return (*frame)(seconds); };
        s.leave = [this](const std::optional<Project>& p) { left.push_back(p); };
        s.create = [this](const std::vector<ClipFinder::Clip>& clips, const Project&, std::function<void()> done) {
            created.push_back(clips);
            finishCreate = std::move(done);
        };
        picker = std::make_unique<ShortsPicker>(talk(), player, std::move(s));
    }
};

TEST(ShortsPicker, AFindListsClipsChoosesAndCuesTheFirst)
{
    PickerRig rig;
    ShortsPicker& picker = *rig.picker;
    EXPECT_TRUE(picker.finding());
    picker.setLength(ClipFinder::Length::short_);
    picker.start();
    ASSERT_TRUE(waitFor([&] { return !picker.finding(); }));
    EXPECT_EQ(rig.player->path, "/talk.mp4");
    ASSERT_EQ(picker.clips().size(), 3u);
    EXPECT_EQ(picker.chosen(), ShortsPicker::defaultChoice(picker.clips()));
    EXPECT_EQ(picker.current(), picker.clips().front());
    EXPECT_EQ(rig.player->clock, picker.clips().front().start);
    EXPECT_FALSE(picker.preview().playing());
    for (const auto& c : picker.clips()) EXPECT_LE(c.end, 70);
    ASSERT_TRUE(waitFor([&] { return picker.thumbs().size() == 2; }));
    EXPECT_FALSE(picker.thumbs().contains(std::find_if(picker.clips().begin(), picker.clips().end(), [](const auto& c) {
                                              return c.start > 40;
                                          })->id()));

    // Another length finds other runs; switching back finds the same clips,
    // whose thumbnails are there at once, and the loudness is read once.
    const auto shortClips = picker.clips();
    const auto shortThumbs = picker.thumbs();
    picker.setLength(ClipFinder::Length::long_);
    EXPECT_TRUE(picker.finding());
    ASSERT_TRUE(waitFor([&] { return !picker.finding(); }));
    ASSERT_EQ(picker.clips().size(), 1u);
    EXPECT_GE(picker.clips()[0].end - picker.clips()[0].start, 60);
    picker.setLength(ClipFinder::Length::short_);
    ASSERT_TRUE(waitFor([&] { return !picker.finding(); }));
    EXPECT_EQ(picker.clips(), shortClips);
    for (const auto& [id, image] : shortThumbs) EXPECT_TRUE(picker.thumbs().contains(id));
    EXPECT_EQ(rig.peakReads, 1);
}

TEST(ShortsPicker, ThumbnailsAreMadeOneAtATimeEvenAcrossFinds)
{
    PickerRig rig;
    std::atomic<int> calls = 0, inFlight = 0, most = 0;
    std::atomic<bool> released = false;
    *rig.frame = [&](double) -> std::optional<QImage> {
        ++calls;
        most = std::max(most.load(), ++inFlight);
        while (!released) QThread::msleep(1);
        --inFlight;
        return QImage(32, 18, QImage::Format_ARGB32);
    };
    ShortsPicker& picker = *rig.picker;
    picker.setLength(ClipFinder::Length::short_);
    picker.start();
    ASSERT_TRUE(waitFor([&] { return !picker.finding() && calls == 1; }));
    // A new find lands while the first picture is still being made.
    picker.setLength(ClipFinder::Length::long_);
    ASSERT_TRUE(waitFor([&] { return !picker.finding(); }));
    // A second picture started now would be the fault; a short look is
    // enough, since a slow machine can only make it less likely to show.
    QElapsedTimer grace;
    grace.start();
    while (calls < 2 && grace.elapsed() < 300) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    released = true;
    ASSERT_TRUE(waitFor([&] { return picker.thumbs().contains(picker.clips().front().id()); }));
    EXPECT_EQ(most, 1) << "never two pictures at once";
}

TEST(ShortsPicker, CreateHandsOverTheChosenInListOrderOnceAndLocksTheScreen)
{
    PickerRig rig;
    ShortsPicker& picker = *rig.picker;
    picker.setLength(ClipFinder::Length::short_);
    picker.start();
    ASSERT_TRUE(waitFor([&] { return !picker.finding(); }));
    const auto clips = picker.clips();
    for (const auto& id : std::set<std::string>(picker.chosen())) picker.toggleChosen(id);
    picker.toggleChosen(clips[2].id());
    picker.toggleChosen(clips[0].id());

    picker.select(clips[1]);
    EXPECT_EQ(picker.current(), clips[1]);
    EXPECT_TRUE(picker.preview().playing());

    picker.create();
    EXPECT_TRUE(picker.creating());
    EXPECT_FALSE(picker.preview().playing());
    EXPECT_FALSE(rig.player->item) << "the preview stops";
    ASSERT_EQ(rig.created.size(), 1u);
    EXPECT_EQ(rig.created[0], (std::vector<ClipFinder::Clip>{clips[0], clips[2]}));

    // While it runs, neither a second Create nor leaving does anything.
    picker.create();
    picker.back();
    picker.editWholeVideo();
    EXPECT_EQ(rig.created.size(), 1u);
    EXPECT_TRUE(rig.left.empty());
    rig.finishCreate();
    EXPECT_FALSE(picker.creating());
    picker.editWholeVideo();
    ASSERT_EQ(rig.left.size(), 1u);
    EXPECT_EQ(rig.left[0]->name, "Talk");
}

TEST(ShortsPicker, CreateWithNothingChosenDoesNothing)
{
    PickerRig rig;
    rig.picker->create();
    EXPECT_FALSE(rig.picker->creating());
    EXPECT_TRUE(rig.created.empty());
    rig.picker->back();
    ASSERT_EQ(rig.left.size(), 1u);
    EXPECT_EQ(rig.left[0], std::nullopt);
}

}  // namespace
}  // namespace vt::test
