// The editor's hook, post-text and translation actions, with stand-ins for
// the on-device language model and translator where a test needs one.
#include "EditorFakes.h"

#include "editor/TranslationRunner.h"
#include "platform/LanguageModel.h"
#include "platform/Translator.h"
#include "text/PostCopyWriter.h"

#include <QTest>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <thread>
#include <mutex>

namespace vt::test {
namespace {

class EditorTextActions : public EditorTest {};

// A model whose structured answer waits until the test lets it go.
class HeldModel final : public LanguageModel::Backend {
public:
    std::mutex lock;
    std::condition_variable released;
    bool go = false;
    bool fail = false;
    std::string prompt;

    LanguageModel::Availability availability() const override { return {true, LanguageModel::Unavailable::other}; }
    std::string respond(const std::string&, const std::string&) override { return "Hook one\nHook two"; }
    std::map<std::string, std::string> respond(const std::string&, const std::string& p, const LanguageModel::Schema&) override
    {
        std::unique_lock guard(lock);
        prompt = p;
        released.wait(guard, [&] { return go; });
        if (fail) throw LanguageModel::Error("The model is busy");
        return {{"youtubeTitle", "Model title"}, {"youtubeDescription", "Model description"}, {"instagramCaption", "Model insta"},
                {"tiktokCaption", "Model tok"}, {"xPost", "Model x"}};
    }
    void release()
    {
        std::lock_guard guard(lock);
        go = true;
        released.notify_all();
    }
};

// A translator that upper-cases each text, answering in reverse order.
class EchoTranslator final : public Translator::Backend {
public:
    std::optional<Translator::Error> failure;
    std::atomic<int> prepared = 0;
    bool installed() const override { return true; }
    Translator::Status status(const std::string& from, const std::string&) const override
    {
        return from == "xx" ? Translator::Status::unsupported : Translator::Status::supported;
    }
    void prepare(const std::optional<std::string>&, const std::string&) override
    {
        ++prepared;
        if (failure) throw *failure;
    }
    std::vector<Translator::Response> translate(const std::optional<std::string>&, const std::string&,
                                                const std::vector<Translator::Request>& requests) override
    {
        std::vector<Translator::Response> out;
        for (auto r = requests.rbegin(); r != requests.rend(); ++r) out.push_back({r->clientIdentifier, "EN " + r->text});
        out.push_back({"99", "ignored"});
        out.push_back({"x1", "ignored"});
        return out;
    }
};

Project spanish(int words = 6)
{
    Project p = sampleProject(words);
    p.localeID = "es-ES";
    p.words.back().text += ".";
    return p;
}

TEST_F(EditorTextActions, AHookLineGoesOnScreenAndOnTheThumbnail)
{
    EditorRig rig(sampleProject(3));
    rig->useHook("First hook");
    EXPECT_EQ(rig->project().hookOverlay, (HookOverlay{"First hook", 3.0}));
    EXPECT_EQ(rig->thumbText(), "First hook");
    rig->setHookOverlay(HookOverlay{"First hook", 4.5});
    rig->useHook("Second hook");
    EXPECT_EQ(rig->project().hookOverlay, (HookOverlay{"Second hook", 4.5}));
    rig->setHookOverlay(std::nullopt);
    EXPECT_FALSE(rig->project().hookOverlay);
    EXPECT_EQ(rig->thumbText(), "Second hook");
    EXPECT_EQ(rig->undoDepth(), 0u);
}

TEST_F(EditorTextActions, AIHooksWithoutAModelOnlyReportWhy)
{
    Project project = sampleProject(3);
    project.aiHooks = {"kept"};
    EditorRig rig(project);
    rig->generateAIHooks();
    EXPECT_TRUE(rig->aiBusy());
    ASSERT_TRUE(waitFor([&] { return !rig->aiBusy(); }));
    EXPECT_EQ(rig->aiError(), "AI Rewrites need an on-device language model, which this computer doesn't have.");
    EXPECT_EQ(rig->project().aiHooks, std::vector<std::string>{"kept"});

    auto model = std::make_shared<HeldModel>();
    LanguageModel::install(model);
    rig->generateAIHooks();
    EXPECT_EQ(rig->aiError(), std::nullopt) << "cleared when a run starts";
    ASSERT_TRUE(waitFor([&] { return !rig->aiBusy(); }));
    LanguageModel::install(nullptr);
    EXPECT_EQ(rig->project().aiHooks, (std::vector<std::string>{"Hook one", "Hook two"}));
}

TEST_F(EditorTextActions, RuleWrittenPostsUseOnlyTheKeptWords)
{
    Project project = sampleProject(0);
    project.words = {word("Gardens", 0.5, 0.9), word("need", 1, 1.4), word("patience.", 1.5, 1.9),
                     word("Secret", 2, 2.4, true), word("words", 2.5, 2.9), word("Trimmed", 9, 9.4), word("away.", 9.5, 9.9)};
    project.sourceDuration = 10;
    project.sourceRange = ClosedRange<double>{0, 8};
    project.hookOverlay = HookOverlay{"Grow better gardens", 3};
    EditorRig rig(project);

    rig->writePostCopy(false);
    EXPECT_FALSE(rig->postBusy());
    ASSERT_TRUE(rig->project().postCopy);
    const PostCopy& post = *rig->project().postCopy;
    EXPECT_EQ(post.youtubeTitle, "Grow better gardens");
    EXPECT_FALSE(post.byAI);
    for (const std::string* text : {&post.youtubeDescription, &post.instagram, &post.tiktok, &post.x}) {
        EXPECT_EQ(text->find("Secret"), std::string::npos) << *text;
        EXPECT_EQ(text->find("Trimmed"), std::string::npos) << *text;
    }
    EXPECT_NE(post.instagram.find("Gardens need patience."), std::string::npos);
    EXPECT_EQ(rig->postNote(), std::nullopt);

    // English without a translation: the speech words, not marked English, with a note.
    rig->writePostCopy(true);
    EXPECT_EQ(rig->postNote(), "For English posts, translate the captions first (Styles \u203a Captions look like \u203a English translation).");
    EXPECT_EQ(rig->project().postCopy->language, std::nullopt);
    EXPECT_EQ(rig->project().postCopy->youtubeTitle, "Gardens need patience.") << "no hook for English posts";

    // With a translation: its words, marked English, never the hook.
    rig->updateProject([](Project& p) {
        p.translation = CaptionTranslation{{word("Plants", 0.5, 0.9), word("grow", 1, 1.4), word("slowly.", 1.5, 1.9)}, "es", "b"};
    });
    rig->writePostCopy(true);
    EXPECT_EQ(rig->postNote(), std::nullopt);
    EXPECT_EQ(rig->project().postCopy->youtubeTitle, "Plants grow slowly.");
    EXPECT_EQ(rig->project().postCopy->language, "english");
}

TEST_F(EditorTextActions, TextsEditedWhileTheModelWritesAreKept)
{
    EditorRig rig(sampleProject(4));
    rig->updateProject([](Project& p) { p.postCopy = PostCopy{"Old title", "Old description", "Old insta", "Old tok", "Old x", false, {}}; });
    auto model = std::make_shared<HeldModel>();
    LanguageModel::install(model);
    rig->writePostCopy(false);
    EXPECT_TRUE(rig->postBusy());
    rig->updateProject([](Project& p) { p.postCopy->instagram = "Typed while it ran"; });
    model->release();
    ASSERT_TRUE(waitFor([&] { return !rig->postBusy(); }));
    LanguageModel::install(nullptr);
    const PostCopy& post = *rig->project().postCopy;
    EXPECT_EQ(post.instagram, "Typed while it ran");
    EXPECT_EQ(post.youtubeTitle, "Model title");
    EXPECT_EQ(post.x, "Model x");
    EXPECT_TRUE(post.byAI);
    EXPECT_TRUE(model->prompt.starts_with("Transcript:\nw0 w1 w2 w3"));
}

TEST_F(EditorTextActions, AFailingModelLeavesRuleWrittenTextsAndSaysWhy)
{
    EditorRig rig(sampleProject(4));
    auto model = std::make_shared<HeldModel>();
    model->fail = true;
    model->release();
    LanguageModel::install(model);
    rig->writePostCopy(false);
    ASSERT_TRUE(waitFor([&] { return !rig->postBusy(); }));
    LanguageModel::install(nullptr);
    EXPECT_EQ(rig->postNote(), "The on-device language model couldn't write these (The model is busy), so they come from your transcript.");
    ASSERT_TRUE(rig->project().postCopy);
    EXPECT_FALSE(rig->project().postCopy->byAI);
    rig->writePostCopy(false);
    EXPECT_EQ(rig->postNote(), std::nullopt) << "the next run clears the note";
}

TEST_F(EditorTextActions, TranslationIsRefusedHonestlyWithoutATranslator)
{
    EditorRig rig(spanish());
    const auto words = rig->project().words;
    EXPECT_EQ(rig->translationUnavailableReason(), std::string(Translator::notInstalled));
    rig->setCaptionLanguage("english");
    EXPECT_FALSE(rig->translating());
    EXPECT_EQ(rig->translationError(), std::string(Translator::notInstalled));
    EXPECT_EQ(rig->project().words, words) << "every caption stays as it is";
    EXPECT_FALSE(rig->project().translation);
    EXPECT_FALSE(rig->project().captionLanguageID);

    Project english = sampleProject(3);
    english.localeID = "en_US";
    EditorRig inEnglish(english);
    EXPECT_EQ(inEnglish->translationUnavailableReason(), "This video is already in English.");
    english.voiceover = Voiceover{};
    english.voiceover->words = {word("take", 0, 1)};
    EditorRig voiced(english);
    EXPECT_EQ(voiced->translationUnavailableReason(), "Captions come from your voiceover.");
}

class EditorTranslation : public EditorTest {
protected:
    std::shared_ptr<EchoTranslator> translator = std::make_shared<EchoTranslator>();
    void SetUp() override { Translator::install(translator); }
    void TearDown() override { Translator::install(nullptr); }
};

TEST_F(EditorTranslation, AJobRunsThroughTheRunnerAndStoresTheEnglishWords)
{
    EditorRig rig(spanish());
    TranslationRunner runner(*rig);
    rig->toggleDelete({rig->project().words[1].id});
    ASSERT_TRUE(rig->canUndo());
    rig->setCaptionLanguage("english");
    EXPECT_TRUE(rig->translating());
    EXPECT_EQ(rig->translationStatus(), "Translating to English\u2026");
    rig->translateToEnglish();  // a second start while one runs does nothing
    ASSERT_TRUE(waitFor([&] { return !rig->translating(); }));
    EXPECT_EQ(runner.runs(), 1);
    EXPECT_EQ(rig->translationError(), std::nullopt);
    ASSERT_TRUE(rig->project().translation);
    const CaptionTranslation& t = *rig->project().translation;
    std::vector<std::string> texts;
    for (const Word& w : t.words) texts.push_back(w.text);
    // The cut word closes the first chunk: "w0" alone, then the rest.
    EXPECT_EQ(texts, (std::vector<std::string>{"EN", "w0", "EN", "w2", "w3", "w4", "w5."}));
    EXPECT_EQ(t.source, "es");
    EXPECT_EQ(t.basis, rig->currentTranslationBasis());
    EXPECT_EQ(rig->project().captionLanguageID, "english");
    EXPECT_TRUE(rig->usesTranslation());
    EXPECT_FALSE(rig->canUndo()) << "a stored translation empties the history";

    // Back to Latin letters and to English again: no new run.
    rig->setCaptionLanguage("latin");
    EXPECT_FALSE(rig->project().captionLanguageID);
    rig->setCaptionLanguage("english");
    EXPECT_FALSE(rig->translating());
    EXPECT_EQ(rig->project().captionLanguageID, "english");
}

TEST_F(EditorTranslation, ACutMadeWhileTheJobRunsLeavesTheTranslationOutOfDate)
{
    EditorRig rig(spanish());
    const std::string before = rig->currentTranslationBasis();
    rig->translateToEnglish();
    ASSERT_TRUE(waitFor([&] { return rig->translationJob().has_value(); }));
    // The user cuts a word before the translator answers.
    rig->toggleDelete({rig->project().words[2].id});
    const auto job = *rig->translationJob();
    rig->finishTranslation(job, std::vector<std::string>(job.chunks.size(), "Hello there"));
    EXPECT_FALSE(rig->translating());
    ASSERT_TRUE(rig->project().translation);
    EXPECT_EQ(rig->project().translation->basis, before);
    EXPECT_NE(rig->project().translation->basis, rig->currentTranslationBasis());
    rig->setCaptionLanguage("latin");
    rig->toggleDelete({rig->project().words[2].id});
    EXPECT_EQ(rig->project().translation->basis, rig->currentTranslationBasis()) << "restoring the word matches again";
}

TEST_F(EditorTranslation, OnlyTheCurrentJobsResultsCount)
{
    EditorRig rig(spanish());
    rig->translateToEnglish();
    ASSERT_TRUE(waitFor([&] { return rig->translationJob().has_value(); }));
    EditorModel::TranslationJob stale = *rig->translationJob();
    stale.id = Uuid::random();
    rig->finishTranslation(stale, {"Hello"});
    rig->failTranslation(stale, "nope");
    EXPECT_TRUE(rig->translating());
    EXPECT_EQ(rig->translationError(), std::nullopt);

    const auto job = *rig->translationJob();
    rig->finishTranslation(job, std::vector<std::string>(job.chunks.size(), "  "));
    EXPECT_FALSE(rig->translating());
    EXPECT_FALSE(rig->translationJob());
    EXPECT_EQ(rig->translationError(), "The translation came back empty.");
    EXPECT_FALSE(rig->project().translation);

    rig->translateToEnglish();
    ASSERT_TRUE(waitFor([&] { return rig->translationJob().has_value(); }));
    rig->failTranslation(*rig->translationJob(), "Couldn't translate: offline");
    EXPECT_EQ(rig->translationError(), "Couldn't translate: offline");
    EXPECT_FALSE(rig->translating());

    // A result handed in with the model's own job, which the result ends.
    rig->translateToEnglish();
    ASSERT_TRUE(waitFor([&] { return rig->translationJob().has_value(); }));
    const std::size_t chunks = rig->translationJob()->chunks.size();
    const std::string basis = rig->translationJob()->basis;
    rig->finishTranslation(*rig->translationJob(), std::vector<std::string>(chunks, "Hello"));
    ASSERT_TRUE(rig->project().translation);
    EXPECT_FALSE(rig->project().translation->words.empty());
    EXPECT_EQ(rig->project().translation->source, "es");
    EXPECT_EQ(rig->project().translation->basis, basis);
}

TEST_F(EditorTranslation, NothingLeftOrAnUnsupportedLanguageEndsTheRun)
{
    Project cut = spanish(3);
    for (Word& w : cut.words) w.deleted = true;
    EditorRig everythingCut(cut);
    everythingCut->translateToEnglish();
    ASSERT_TRUE(waitFor([&] { return !everythingCut->translating(); }));
    EXPECT_EQ(everythingCut->translationError(), "There's no speech left to translate.");

    Project unknown = spanish(3);
    unknown.localeID = "xx";
    EditorRig unsupported(unknown);
    unsupported->translateToEnglish();
    ASSERT_TRUE(waitFor([&] { return !unsupported->translating(); }));
    EXPECT_EQ(unsupported->translationError(), "The on-device translator can't translate xx to English yet.");
}

// A translator that greets each text; how it prepares is the test's.
class GreetingTranslator : public Translator::Backend {
public:
    bool installed() const override { return true; }
    Translator::Status status(const std::string&, const std::string&) const override { return Translator::Status::supported; }
    std::vector<Translator::Response> translate(const std::optional<std::string>&, const std::string&,
                                                const std::vector<Translator::Request>& requests) override
    {
        std::vector<Translator::Response> out;
        for (const auto& r : requests) out.push_back({r.clientIdentifier, "Hi " + r.text});
        return out;
    }
};

// A translator that fetches its language assets while the test holds it.
class SlowTranslator final : public GreetingTranslator {
public:
    std::mutex lock;
    std::condition_variable released;
    bool go = false;
    std::atomic<bool> preparing = false;
    std::thread::id thread;

    void prepare(const std::optional<std::string>&, const std::string&) override
    {
        std::unique_lock guard(lock);
        thread = std::this_thread::get_id();
        preparing = true;
        released.wait_for(guard, std::chrono::seconds(30), [&] { return go; });  // never forever, whatever the code under test
        preparing = false;
    }
    void release()
    {
        std::lock_guard guard(lock);
        go = true;
        released.notify_all();
    }
};

TEST_F(EditorTranslation, TheTranslatorWorksOffTheWindowsThread)
{
    auto slow = std::make_shared<SlowTranslator>();
    Translator::install(slow);
    EditorRig rig(spanish());
    TranslationRunner runner(*rig);
    rig->setCaptionLanguage("english");
    ASSERT_TRUE(QTest::qWaitFor([&] { return slow->preparing.load(); }, 30000)) << "the window's thread waited for the translator";
    EXPECT_NE(slow->thread, std::this_thread::get_id());
    EXPECT_TRUE(rig->translating());
    slow->release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !rig->translating(); }, 30000));
    EXPECT_EQ(rig->translationError(), std::nullopt);
    ASSERT_TRUE(rig->project().translation);
    EXPECT_EQ(rig->project().translation->words.front().text, "Hi");
}

// A translator whose first preparation waits for a second one to come in
// (at most 3 s), noting how many runs it served at once.
class CrowdedTranslator final : public GreetingTranslator {
public:
    std::mutex lock;
    std::condition_variable arrived;
    int entered = 0;
    int inside = 0;
    int mostInside = 0;
    bool firstDone = false;

    void prepare(const std::optional<std::string>&, const std::string&) override
    {
        std::unique_lock guard(lock);
        const bool first = ++entered == 1;
        mostInside = std::max(mostInside, ++inside);
        arrived.notify_all();
        if (first) arrived.wait_for(guard, std::chrono::seconds(3), [&] { return entered > 1; });
        --inside;
        if (first) firstDone = true;
    }
    bool started()
    {
        std::lock_guard guard(lock);
        return entered > 0;
    }
};

// An editor closed while its translation runs, and the next one translating:
// the translator serves one run after the other, and the closed editor's
// late result reaches nothing.
TEST_F(EditorTranslation, AClosedEditorsRunEndsUnseenAndTheNextRunWaitsForIt)
{
    auto crowded = std::make_shared<CrowdedTranslator>();
    Translator::install(crowded);
    {
        EditorRig closing(spanish());
        TranslationRunner runner(*closing);
        closing->setCaptionLanguage("english");
        ASSERT_TRUE(QTest::qWaitFor([&] { return crowded->started(); }, 30000));
    }
    EditorRig next(spanish());
    TranslationRunner runner(*next);
    next->setCaptionLanguage("english");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !next->translating(); }, 30000));
    ASSERT_TRUE(QTest::qWaitFor([&] {
        std::lock_guard guard(crowded->lock);
        return crowded->firstDone;
    }, 30000));
    QCoreApplication::processEvents();  // the closed editor's result is delivered to no one
    EXPECT_EQ(next->translationError(), std::nullopt);
    ASSERT_TRUE(next->project().translation);
    EXPECT_EQ(next->project().translation->words.front().text, "Hi");
    std::lock_guard guard(crowded->lock);
    EXPECT_EQ(crowded->entered, 2);
    EXPECT_EQ(crowded->mostInside, 1) << "two runs used the translator at once";
}

TEST_F(EditorTranslation, TheRunnerReusesItsConfigurationAndReportsDeclinedDownloads)
{
    EditorRig rig(spanish());
    TranslationRunner runner(*rig);
    translator->failure = Translator::Error("declined", true);
    rig->translateToEnglish();
    ASSERT_TRUE(waitFor([&] { return !rig->translating(); }));
    EXPECT_EQ(rig->translationError(), "Translation needs the translator's language download. Choose English again and allow the download.");
    translator->failure = Translator::Error("no network");
    rig->translateToEnglish();
    ASSERT_TRUE(waitFor([&] { return !rig->translating(); }));
    EXPECT_EQ(rig->translationError(), "Couldn't translate: no network");
    EXPECT_EQ(runner.runs(), 2);
    EXPECT_EQ(runner.configurations(), 1) << "the same source language reuses the configuration";
    EXPECT_EQ(translator->prepared, 2);
}

}  // namespace
}  // namespace vt::test
