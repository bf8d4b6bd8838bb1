// A clip removed while its words are still being transcribed: nothing is
// merged into the project, but the history state that holds the clip gets
// its words, so undoing the removal loses nothing.

#include "EditorFakes.h"

#include "editor/ClipMediaService.h"

namespace vt {
namespace {

using namespace vt::test;

class RemovedClipTranscription : public EditorTest {};

bool waitLong(const std::function<bool()>& done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 30000) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

TEST_F(RemovedClipTranscription, UndoingTheRemovalBringsTheClipBackWithItsWords)
{
    const auto speech = dir.path() / "speech.wav", video = dir.path() / "spoken.mp4", old = dir.path() / "old.mp4";
    ASSERT_EQ(run("espeak-ng -w " + shellQuote(speech.string()) + " 'hello world'"), 0);
    ASSERT_EQ(run("ffmpeg -v error -y -f lavfi -i color=gray:s=96x64:r=10 -i " + shellQuote(speech.string()) +
                  " -t 2 -shortest -c:v libx264 -c:a aac " + shellQuote(video.string())),
              0);
    ASSERT_EQ(run("ffmpeg -v error -y -f lavfi -i color=black:s=96x64:r=10:d=1 -c:v libx264 " +
                  shellQuote(old.string())),
              0);
    Project p = sampleProject(0);
    p.videoPath = old.string();
    p.sourceDuration = 1;
    p.words = {word("before", 0.2, 0.6)};
    EditorModel model(p, nullptr,
                      EditorServices{std::make_shared<FakePlayer>(), std::make_shared<ClipMediaService>(),
                                     std::make_shared<FakeAudio>(), nullptr, std::make_shared<ManualClock>()});
    ASSERT_TRUE(waitLong([&] { return !model.isLoading(); }));
    model.addClip(video.string());
    ASSERT_TRUE(waitLong([&] { return model.project().clips && model.project().clips->size() == 2; }));
    ASSERT_FALSE(model.clipJobs().empty());
    const Uuid added = model.project().clips->back().id;
    model.removeClip(added);
    ASSERT_TRUE(waitLong([&] { return model.clipJobs().empty(); }));
    EXPECT_EQ(model.project().words.size(), 1u);  // nothing merged into a project without the clip

    model.undo();
    ASSERT_EQ(model.project().clips->size(), 2u);
    const auto& words = model.project().words;
    ASSERT_GE(words.size(), 2u);
    EXPECT_EQ(words.front().text, "before");
    for (std::size_t i = 1; i < words.size(); ++i) EXPECT_GE(words[i].start, 1 - 1e-6);  // in the added clip
    EXPECT_EQ(model.transcript(), words);
}

}  // namespace
}  // namespace vt
