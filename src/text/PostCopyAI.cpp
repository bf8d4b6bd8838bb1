// Post texts written by the on-device language model in one structured
// reply, each cut to its platform's limit.
#include "text/PostCopyWriter.h"

#include "platform/LanguageModel.h"
#include "text/ModelPrompt.h"

namespace vt {
namespace {

const LanguageModel::Schema& schema()
{
    static const LanguageModel::Schema value{
        "PostCopy",
        "The text posted with one short video",
        {{"youtubeTitle", "YouTube Shorts title: under 70 characters, specific and curiosity-driven, no hashtags, no emojis"},
         {"youtubeDescription", "YouTube description: 2 or 3 sentences on what the video covers, then a blank line, 3 relevant hashtags and #shorts"},
         {"instagramCaption", "Instagram Reels caption: a strong first line, 1 to 3 short sentences, a call to action, then a blank line and 5 relevant hashtags"},
         {"tiktokCaption", "TikTok caption: one punchy line under 150 characters, then 3 relevant hashtags"},
         {"xPost", "X post: conversational, under 260 characters including at most 2 hashtags"}}};
    return value;
}

}  // namespace

std::string PostCopyWriter::aiInstructions(bool english)
{
    return std::string("You are the social media manager for a short-form video creator. You write the text that goes with a "
                       "video when it's posted. Stay faithful to what the speaker says: never invent facts, numbers, links, "
                       "offers or quotes. Match the speaker's voice. ") +
           (english ? "Write everything in English."
                    : "Write in the language the speaker uses. If they mix Hindi and English (Hinglish), write Hinglish in Roman letters.");
}

std::string PostCopyWriter::aiPrompt(const std::string& transcript, const std::optional<std::string>& hook)
{
    std::string prompt = "Transcript:\n" + ModelPrompt::transcript(transcript);
    if (hook && !hook->empty()) prompt += "\n\nThe video opens with this hook on screen: " + *hook;
    return prompt;
}

PostCopy PostCopyWriter::aiDraft(const std::string& transcript, const std::optional<std::string>& hook, bool english)
{
    const auto reply = LanguageModel::respond(aiInstructions(english), aiPrompt(transcript, hook), schema());
    auto value = [&](const char* name) {
        const auto found = reply.find(name);
        return found == reply.end() ? std::string() : found->second;
    };
    PostCopy post;
    post.youtubeTitle = fit(value("youtubeTitle"), titleLimit);
    post.youtubeDescription = fit(value("youtubeDescription"), descriptionLimit);
    post.instagram = fit(value("instagramCaption"), instagramLimit);
    post.tiktok = fit(value("tiktokCaption"), tiktokLimit);
    post.x = fit(value("xPost"), xLimit);
    post.byAI = true;
    if (english) post.language = "english";
    return post;
}

}  // namespace vt
