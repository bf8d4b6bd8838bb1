// The texts the on-device language model is asked for and what is done with
// its answers, through a stand-in model installed in the platform's place.
#include "platform/LanguageModel.h"
#include "platform/TextRules.h"
#include "text/HookGenerator.h"
#include "text/PostCopyWriter.h"

#include <gtest/gtest.h>

namespace vt::test {
namespace {

class ScriptedModel final : public LanguageModel::Backend {
public:
    std::string instructions, prompt;
    std::string reply;
    std::map<std::string, std::string> fields;
    LanguageModel::Availability availability() const override { return {true, LanguageModel::Unavailable::other}; }
    std::string respond(const std::string& i, const std::string& p) override
    {
        instructions = i;
        prompt = p;
        return reply;
    }
    std::map<std::string, std::string> respond(const std::string& i, const std::string& p, const LanguageModel::Schema& schema) override
    {
        instructions = i;
        prompt = p;
        EXPECT_EQ(schema.name, "PostCopy");
        EXPECT_EQ(schema.properties.size(), 5u);
        return fields;
    }
};

class ModelText : public ::testing::Test {
protected:
    std::shared_ptr<ScriptedModel> model = std::make_shared<ScriptedModel>();
    void SetUp() override { LanguageModel::install(model); }
    void TearDown() override { LanguageModel::install(nullptr); }
};

TEST(ModelTextUnavailable, WithoutAModelEveryRequestFailsAndTheStatusSaysWhy)
{
    EXPECT_FALSE(LanguageModel::availability().available);
    EXPECT_FALSE(HookGenerator::aiStatus().available);
    EXPECT_EQ(HookGenerator::aiStatus().message, "AI Rewrites need an on-device language model, which this computer doesn't have.");
    EXPECT_THROW(PostCopyWriter::aiDraft("Transcript", std::nullopt, false), LanguageModel::Error);
}

TEST_F(ModelText, PostTextsAreCutToTheirLimitsAndMarkedAsTheModels)
{
    const std::string title = std::string(60, 'a') + " " + std::string(59, 'b');  // 120 characters
    model->fields = {{"youtubeTitle", title}, {"youtubeDescription", "  Desc\n"}, {"instagramCaption", "Insta"},
                     {"tiktokCaption", "Tok"}};
    const PostCopy post = PostCopyWriter::aiDraft("Hello there.", std::string("My hook"), true);
    EXPECT_EQ(post.youtubeTitle, std::string(60, 'a'));
    EXPECT_EQ(post.youtubeDescription, "Desc");
    EXPECT_EQ(post.x, "") << "a missing property gives an empty text";
    EXPECT_TRUE(post.byAI);
    EXPECT_EQ(post.language, "english");
    EXPECT_TRUE(model->instructions.ends_with("Match the speaker's voice. Write everything in English."));
    EXPECT_EQ(model->prompt, "Transcript:\nHello there.\n\nThe video opens with this hook on screen: My hook");

    const PostCopy own = PostCopyWriter::aiDraft("Hello there.", std::string(), false);
    EXPECT_EQ(own.language, std::nullopt);
    EXPECT_TRUE(model->instructions.ends_with("write Hinglish in Roman letters."));
    EXPECT_EQ(model->prompt, "Transcript:\nHello there.") << "an empty hook adds nothing";
}

TEST_F(ModelText, TranscriptsOverThreeThousandCharactersAreCut)
{
    const std::string exact(3000, 'e');
    EXPECT_EQ(PostCopyWriter::aiPrompt(exact, std::nullopt), "Transcript:\n" + exact);
    EXPECT_EQ(PostCopyWriter::aiPrompt(exact + "\u00e9", std::nullopt), "Transcript:\n" + exact + "\u2026");

    model->reply = "1. Stop scrolling\n2) \"Never do this\"\n- ok\n\u2022 5 habits";
    EXPECT_EQ(HookGenerator::aiHooks(exact + "x"), (std::vector<std::string>{"Stop scrolling", "Never do this", "habits"}));
    EXPECT_EQ(model->prompt, "Transcript:\n" + exact + "\u2026\n\nWrite 5 different hooks for this video, one per line.");
    EXPECT_TRUE(model->instructions.starts_with("You are a top short-form video editor."));
    EXPECT_TRUE(HookGenerator::aiStatus().available);
}

}  // namespace
}  // namespace vt::test
