#pragma once
// Ready-to-paste post texts for YouTube Shorts, Instagram, TikTok and X.
// The rule-based writer builds all five from the transcript alone (no state,
// no randomness); the model-based writer asks the on-device language model
// (platform/LanguageModel) and throws when it cannot. Both cut every text
// to its platform's limit. Hashtags come from the names and nouns of the
// transcript (PostHashtags.cpp). Every length is counted in user-perceived
// characters.

#include "model/PostCopy.h"
#include "model/Word.h"

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

struct PostCopyWriter {
    static constexpr int titleLimit = 100;
    static constexpr int descriptionLimit = 5000;
    static constexpr int instagramLimit = 2200;
    static constexpr int tiktokLimit = 2200;
    static constexpr int xLimit = 280;
    static constexpr const char* callToAction = "Save this for later and follow for more.";

    // The uncut words in cleaned sentences of 4 characters or more.
    static std::vector<std::string> sentences(const std::vector<Word>& words);
    static PostCopy draft(const std::vector<Word>& words, const std::optional<std::string>& hook, bool english);
    // The on-device model's texts; throws LanguageModel::Error.
    static PostCopy aiDraft(const std::string& transcript, const std::optional<std::string>& hook, bool english);
    // The model's prompt and instructions for aiDraft.
    static std::string aiPrompt(const std::string& transcript, const std::optional<std::string>& hook);
    static std::string aiInstructions(bool english);

    // Trimmed, then cut at the last whitespace within the limit.
    static std::string fit(std::string_view text, int limit);
    // Cut at the last clause mark within the limit, unless that lies in its first third.
    static std::optional<std::string> clauseCut(std::string_view text, int limit);
    static std::string join(const std::vector<std::string>& parts, std::string_view separator);
    // The share of words in common, over the smaller set.
    static double overlap(std::string_view a, std::string_view b);

    // Up to `count` "#" tags from the names and nouns of the text, best first.
    // Throws LexiconMissing when the English lexicon is not installed (the
    // program refuses to start then, so only tools and tests meet it).
    static std::vector<std::string> hashtags(std::string_view text, int count);
    // Whether one word may be part of a hashtag.
    static bool isTopicWord(std::string_view word);
    static const std::set<std::string>& stopwords();
};

}  // namespace vt
