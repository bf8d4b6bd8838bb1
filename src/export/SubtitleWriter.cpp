#include "export/SubtitleWriter.h"

#include "captions/CaptionGrouper.h"
#include "captions/presets/StylePresets.h"
#include "platform/TextRules.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace vt::SubtitleWriter {

namespace {

std::string stamp(double seconds, char separator)
{
    auto ms = static_cast<std::int64_t>(std::round((seconds > 0 ? seconds : 0) * 1000));
    auto hours = ms / 3'600'000;
    auto minutes = ms / 60'000 - hours * 60;
    auto secs = ms / 1000 - (ms / 60'000) * 60;
    char out[64];
    std::snprintf(out, sizeof out, "%02lld:%02lld:%02lld%c%03lld", static_cast<long long>(hours),
                  static_cast<long long>(minutes), static_cast<long long>(secs), separator,
                  static_cast<long long>(ms % 1000));
    return out;
}

std::string lineText(const CaptionGroup& group)
{
    std::string out;
    for (std::size_t i = 0; i < group.words.size(); ++i) {
        if (i > 0) out += ' ';
        out += group.words[i].text;
    }
    return out;
}

std::string escapedForVtt(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string timeLine(const CaptionGroup& group, char separator)
{
    return stamp(group.start, separator) + " --> " + stamp(group.end, separator) + "\n";
}

bool endsSentence(const std::string& wordText)
{
    std::string t = text::trimWhitespace(wordText);
    if (t.empty()) return false;
    if (t.ends_with("\xE2\x80\xA6")) return true;  // …
    char last = t.back();
    return last == '.' || last == '?' || last == '!';
}

}  // namespace

std::string srt(const std::vector<CaptionGroup>& groups)
{
    std::string out;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        if (i > 0) out += '\n';
        out += std::to_string(i + 1) + "\n" + timeLine(groups[i], ',') + lineText(groups[i]) + "\n";
    }
    return out;
}

std::string vtt(const std::vector<CaptionGroup>& groups)
{
    std::string out = "WEBVTT\n\n";
    for (std::size_t i = 0; i < groups.size(); ++i) {
        if (i > 0) out += '\n';
        out += timeLine(groups[i], '.') + escapedForVtt(lineText(groups[i])) + "\n";
    }
    return out;
}

std::string plain(const std::vector<Word>& words)
{
    std::string out;
    for (const auto& word : words) {
        if (word.deleted) continue;
        if (!out.empty() && out.back() != '\n') out += ' ';
        out += word.text;
        if (endsSentence(word.text)) out += '\n';
    }
    return out;
}

std::vector<CaptionGroup> subtitleGroups(const std::vector<TimedWord>& timedWords)
{
    CaptionStyle look = StylePresets::core().front();
    look.maxWordsPerGroup = 7;
    return CaptionGrouper::groups(timedWords, look);
}

std::string text(std::string_view extension, const std::vector<TimedWord>& timedWords,
                 const std::vector<Word>& transcript)
{
    if (extension == "srt") return srt(subtitleGroups(timedWords));
    if (extension == "vtt") return vtt(subtitleGroups(timedWords));
    return plain(transcript);
}

}  // namespace vt::SubtitleWriter
