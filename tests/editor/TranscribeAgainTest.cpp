// Transcribing the open project again: the words of every clip on the joined
// timeline, what follows the new words and what is reset, failures that
// change nothing, and runs on the real engines.

#include "EditorFakes.h"

#include "editor/ClipMediaService.h"
#include "speech/CaptionError.h"
#include "speech/WhisperTranscriber.h"
#include "support/TinyWhisperModel.h"
#include "text/HookGenerator.h"

#include <QSignalSpy>

#include <future>

namespace vt::test {
namespace {

// An engine that answers from a table by file and counts its calls; it may
// hold every call until the test releases it.
struct ScriptedEngine {
    std::map<std::string, std::vector<Word>> words;
    std::optional<std::string> failWith;
    std::shared_future<void> gate;
    std::shared_ptr<std::atomic<int>> calls = std::make_shared<std::atomic<int>>(0);

    SpeechEngine engine() const
    {
        return [*this](const std::string& path, const std::string&, double,
                       const std::function<void(const std::string&, double)>& progress) {
            ++*calls;
            progress("Transcribing", 0.427);
            if (gate.valid()) gate.wait();
            if (failWith) throw CaptionError::transcriptionFailed(*failWith);
            const auto it = words.find(path);
            return it == words.end() ? std::vector<Word>{} : it->second;
        };
    }
};

std::unique_ptr<EditorModel> editorWith(Project project, SpeechEngine speech)
{
    auto media = std::make_shared<FakeMedia>();
    for (const auto& clip : project.videoClips()) media->videos[clip.path] = SourceVideoInfo{};
    EditorServices services{std::make_shared<FakePlayer>(), media, std::make_shared<FakeAudio>(), nullptr,
                            std::make_shared<ManualClock>()};
    services.speech = std::move(speech);
    auto model = std::make_unique<EditorModel>(std::move(project), nullptr, std::move(services));
    waitFor([&] { return !model->isLoading(); });
    return model;
}

Word nativeWord(std::string text, double start, double end)
{
    Word w = word(std::move(text), start, end);
    w.native = "\u0928\u092e\u0938\u094d\u0924\u0947";
    return w;
}

// A 3 s video of espeak-ng's voice, as a project with three old words.
Project spokenProject(const TempDir& dir)
{
    const auto speech = dir.path() / "speech.wav", video = dir.path() / "spoken.mp4";
    EXPECT_EQ(run("espeak-ng -w " + shellQuote(speech.string()) + " 'hello world, this is a test'"), 0);
    EXPECT_EQ(run("ffmpeg -v error -y -f lavfi -i color=gray:s=96x64:r=10 -i " + shellQuote(speech.string()) +
                  " -t 3 -shortest -c:v libx264 -c:a aac " + shellQuote(video.string())),
              0);
    Project p = sampleProject(3);
    p.videoPath = video.string();
    p.sourceDuration = 3;
    return p;
}

class TranscribeAgain : public EditorTest {};

TEST_F(TranscribeAgain, EveryClipIsTranscribedInTurnAndShiftedOntoTheJoinedTimeline)
{
    Project p = sampleProject(4);
    p.clips = std::vector<VideoClip>{clip("/m/a.mov", 10), clip("/m/b.mov", 12), clip("/m/c.mov", 8)};
    p.videoPath = "/m/a.mov";
    p.captionLanguageID = "hindi";
    p.translation = CaptionTranslation{};
    ScriptedEngine script;
    script.words["/m/a.mov"] = {nativeWord("one", 1, 1.5)};
    script.words["/m/b.mov"] = {word("two", 2, 2.5)};
    script.words["/m/c.mov"] = {word("three", 3, 3.5), word("four", 4, 4.4)};
    std::promise<void> release;
    script.gate = release.get_future().share();
    auto editor = editorWith(p, script.engine());
    editor->toggleDelete({editor->project().words[0].id});
    editor->setSelection({editor->project().words[1].id});
    ASSERT_TRUE(editor->canUndo());

    editor->transcribeAgain(TranscriptionEngine::whisper, "en_US", "hindi");
    EXPECT_EQ(editor->retranscribing(), "Starting\u2026");
    ASSERT_TRUE(waitFor([&] { return editor->retranscribing() == "Transcribing \u00b7 42%"; }));
    // Only one run at a time: a second start changes nothing.
    editor->transcribeAgain(TranscriptionEngine::apple, "fr_FR", "");
    release.set_value();
    ASSERT_TRUE(waitFor([&] { return !editor->retranscribing(); }));

    EXPECT_EQ(*script.calls, 3);
    EXPECT_FALSE(editor->retranscribeError());
    const auto& words = editor->project().words;
    ASSERT_EQ(words.size(), 4u);
    const std::vector<std::pair<double, double>> times{{1, 1.5}, {12, 12.5}, {25, 25.5}, {26, 26.4}};
    for (std::size_t i = 0; i < words.size(); ++i) {
        EXPECT_DOUBLE_EQ(words[i].start, times[i].first) << i;
        EXPECT_DOUBLE_EQ(words[i].end, times[i].second) << i;
        EXPECT_FALSE(words[i].deleted);
    }
    EXPECT_EQ(editor->project().localeID, "whisper:hindi");
    EXPECT_EQ(editor->project().hooks, HookGenerator::fromTranscript(words));
    EXPECT_FALSE(editor->project().translation);
    EXPECT_EQ(editor->project().captionLanguageID, "hindi");  // the new words carry native text
    EXPECT_FALSE(editor->canUndo());
    EXPECT_FALSE(editor->canRedo());
    EXPECT_TRUE(editor->selection().empty());
    EXPECT_EQ(editor->transcript(), words);
}

TEST_F(TranscribeAgain, KeptRangeBRollAndCaptionWritingFollowTheNewWords)
{
    Project p = sampleProject(0);
    p.videoPath = "/m/talk.mov";
    p.sourceDuration = 30;
    p.sourceRange = ClosedRange<double>{5, 20};
    p.words = {word("old", 6, 7), word("gone", 8, 9), word("late", 15, 16)};
    BRoll kept, moved, dropped;
    kept.startWordID = Uuid::random();  // anchored to words no longer there
    kept.endWordID = kept.startWordID;
    moved.startWordID = p.words[0].id;
    moved.endWordID = p.words[0].id;
    dropped.startWordID = p.words[1].id;
    dropped.endWordID = p.words[1].id;
    p.brolls = std::vector<BRoll>{kept, moved, dropped};
    p.captionLanguageID = "english";

    ScriptedEngine script;
    script.words["/m/talk.mov"] = {word("early", 4, 4.9), word("new", 6.1, 6.9), word("edge", 8.99, 9.5),
                                   word("out", 19.9, 20.3), word("in", 19.7, 20.3)};
    auto editor = editorWith(p, script.engine());
    editor->transcribeAgain(TranscriptionEngine::apple, "en_US", "hinglish");
    ASSERT_TRUE(waitFor([&] { return !editor->retranscribing(); }));

    // Kept by the midpoint rule: 20.0 is inside 5…20, 20.1 is not.
    std::vector<std::string> texts;
    for (const Word& w : editor->project().words) texts.push_back(w.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"new", "edge", "in"}));
    const auto& brolls = *editor->project().brolls;
    ASSERT_EQ(brolls.size(), 2u);
    EXPECT_EQ(brolls[0], kept);
    EXPECT_EQ(brolls[1].id, moved.id);
    EXPECT_EQ(brolls[1].startWordID, editor->project().words[0].id);  // "new" overlaps "old"
    EXPECT_EQ(brolls[1].endWordID, editor->project().words[0].id);
    // "edge" overlaps 8…9 by only 0.01 s: the B-roll over "gone" goes.
    EXPECT_EQ(editor->project().localeID, "en_US");
    EXPECT_FALSE(editor->project().captionLanguageID);

    // An Indic writing without native words in the new transcript goes too.
    editor->updateProject([](Project& q) { q.captionLanguageID = "hindi"; });
    editor->transcribeAgain(TranscriptionEngine::apple, "en_US", "hinglish");
    ASSERT_TRUE(waitFor([&] { return !editor->retranscribing(); }));
    EXPECT_FALSE(editor->project().captionLanguageID);
}

TEST_F(TranscribeAgain, AFailedOrEmptyRunChangesNothing)
{
    struct Case {
        const char* name;
        std::optional<std::string> failWith;
        std::optional<std::string> message;
    };
    const Case cases[] = {
        {"engine failure", "no luck",
         CaptionError::transcriptionFailed("no luck").message()},
        {"no words", std::nullopt, "No speech was found in this video."},
    };
    for (const Case& c : cases) {
        ScriptedEngine script;
        script.failWith = c.failWith;
        auto editor = editorWith(sampleProject(5), script.engine());
        editor->toggleDelete({editor->project().words[2].id});
        const Project before = editor->project();
        editor->transcribeAgain(TranscriptionEngine::whisper, "en_US", "en");
        ASSERT_TRUE(waitFor([&] { return !editor->retranscribing(); })) << c.name;
        EXPECT_EQ(editor->retranscribeError(), c.message) << c.name;
        EXPECT_EQ(editor->project().words, before.words) << c.name;
        EXPECT_EQ(editor->project().localeID, before.localeID) << c.name;
        EXPECT_TRUE(editor->canUndo()) << c.name;
        // A new run clears the old message as it starts.
        editor->transcribeAgain(TranscriptionEngine::whisper, "en_US", "en");
        EXPECT_FALSE(editor->retranscribeError()) << c.name;
        ASSERT_TRUE(waitFor([&] { return !editor->retranscribing(); })) << c.name;
    }
}

TEST_F(TranscribeAgain, TheBuiltInRecognizerRunsForReal)
{
    const Project p = spokenProject(dir);
    const auto oldWords = p.words;

    // The built-in recognizer: the editor's default engines.
    auto editor = editorWith(p, nullptr);
    std::vector<std::string> statuses;
    QObject::connect(editor.get(), &EditorModel::retranscribingChanged, [&] {
        if (editor->retranscribing()) statuses.push_back(*editor->retranscribing());
    });
    editor->transcribeAgain(TranscriptionEngine::apple, "en-US", "hinglish");
    ASSERT_TRUE(waitFor([&] { return !editor->retranscribing(); }));
    ASSERT_FALSE(editor->retranscribeError()) << *editor->retranscribeError();
    EXPECT_EQ(editor->project().localeID, "en-US");
    ASSERT_FALSE(editor->project().words.empty());
    EXPECT_NE(editor->project().words, oldWords);
    for (const Word& w : editor->project().words) EXPECT_LE(w.end, 3.5);
    EXPECT_GE(statuses.size(), 2u);  // "Starting…" and the recognizer's own reports
}

TEST_F(TranscribeAgain, TheTinyWhisperModelRunsForReal)
{
    const Project p = spokenProject(dir);
    const auto oldWords = p.words;
    std::vector<std::string> statuses;
    // whisper.cpp with the tiny generated model, whose words are nonsense but
    // real output of the engine.
    const auto model = dir.path() / "tiny.bin";
    writeTinyWhisperModel(model);
    auto whisper = editorWith(p, [model](const std::string& path, const std::string& localeID, double,
                                         const std::function<void(const std::string&, double)>& progress) {
        EXPECT_EQ(localeID, "whisper:en");
        return WhisperTranscriber::transcribeWithModel(model, path, WhisperLanguage::find(localeID.substr(8)), progress,
                                                       {});
    });
    QObject::connect(whisper.get(), &EditorModel::retranscribingChanged, [&] {
        if (whisper->retranscribing()) statuses.push_back(*whisper->retranscribing());
    });
    whisper->transcribeAgain(TranscriptionEngine::whisper, "en_US", "en");
    ASSERT_TRUE(waitFor([&] { return !whisper->retranscribing(); }));
    EXPECT_NE(std::find(statuses.begin(), statuses.end(), "Transcribing with Whisper"), statuses.end());
    ASSERT_FALSE(whisper->retranscribeError()) << *whisper->retranscribeError();
    EXPECT_EQ(whisper->project().localeID, "whisper:en");
    ASSERT_FALSE(whisper->project().words.empty());
    EXPECT_NE(whisper->project().words, oldWords);
    EXPECT_FALSE(whisper->canUndo());
}

// Whisper fetches its model first when it is missing; a fetch that fails
// says so in the program's words, the network library's account kept for
// the details.
TEST_F(TranscribeAgain, AFailedModelFetchSaysTheDownloadFailed)
{
    const Project p = spokenProject(dir);
    ScopedEnv proxy{"https_proxy", "http://127.0.0.1:1"};  // no network from here
    ScopedEnv allProxy{"ALL_PROXY", "http://127.0.0.1:1"};
    ScopedEnv noProxy{"no_proxy", std::nullopt};
    ScopedEnv noProxyUpper{"NO_PROXY", std::nullopt};
    auto editor = editorWith(p, nullptr);
    ASSERT_FALSE(WhisperTranscriber::isModelInstalled());
    editor->transcribeAgain(TranscriptionEngine::whisper, "en_US", "en");
    ASSERT_TRUE(waitFor([&] { return !editor->retranscribing(); }));
    ASSERT_TRUE(editor->retranscribeError());
    EXPECT_EQ(*editor->retranscribeError(), "No internet connection: the speech model could not be downloaded.");
    EXPECT_TRUE(editor->retranscribeErrorDetail().starts_with("The download failed: ")) << editor->retranscribeErrorDetail();
    EXPECT_EQ(editor->project().words, p.words);
}

}  // namespace
}  // namespace vt::test
