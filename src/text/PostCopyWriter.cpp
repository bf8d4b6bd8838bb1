#include "text/PostCopyWriter.h"

#include "platform/TextRules.h"
#include "text/HookGenerator.h"

#include <unicode/uchar.h>

#include <algorithm>

namespace vt {
namespace {

constexpr std::size_t kRunLimit = 30;       // words in a sentence without an end mark
constexpr std::size_t kCommaRun = 14;       // words after which a comma closes a sentence
constexpr std::size_t kMinSentence = 4;     // characters
constexpr std::size_t kTitleRoom = 70;
constexpr std::size_t kShortestTitle = 20;
constexpr std::size_t kBodyRoom = 280;
constexpr std::size_t kBodySentences = 3;
constexpr int kSummaryLimit = 320;
constexpr std::size_t kTikTokLead = 150;

bool isLineBreak(char32_t c)
{
    return c == U'\n' || c == U'\r' || c == U'\v' || c == U'\f' || c == U'\u0085' || c == U'\u2028' || c == U'\u2029';
}
bool isBlank(char32_t c) { return text::isWhitespace(c) || isLineBreak(c) || u_isUWhiteSpace(UChar32(c)); }

// Trims every character the test accepts from both ends.
template <class Test>
std::string trimmed(std::string_view s, Test test)
{
    const std::vector<std::string> chars = text::characters(s);
    std::size_t from = 0, to = chars.size();
    auto accepts = [&](const std::string& c) {
        const std::u32string u = text::toUtf32(c);
        return u.size() == 1 && test(u[0]);
    };
    while (from < to && accepts(chars[from])) ++from;
    while (to > from && accepts(chars[to - 1])) --to;
    std::string out;
    for (std::size_t i = from; i < to; ++i) out += chars[i];
    return out;
}

std::string trimBlank(std::string_view s) { return trimmed(s, isBlank); }

std::string firstCharacters(const std::vector<std::string>& chars, std::size_t n)
{
    std::string out;
    for (std::size_t i = 0; i < std::min(n, chars.size()); ++i) out += chars[i];
    return out;
}

std::size_t length(std::string_view s) { return text::characterCount(s); }

// White space as a regular expression's \s knows it: tab, line feed, form
// feed, carriage return and every Unicode space or line separator.
bool isPatternSpace(char32_t c)
{
    if (c == U'\t' || c == U'\n' || c == U'\f' || c == U'\r') return true;
    const auto type = u_charType(UChar32(c));
    return type == U_SPACE_SEPARATOR || type == U_LINE_SEPARATOR || type == U_PARAGRAPH_SEPARATOR;
}

bool isInlineMark(char32_t c) { return c == U',' || c == U'.' || c == U'!' || c == U'?' || c == U'\u2026'; }

// Removes every run of white space directly in front of , . ! ? or …
std::string tightened(std::string_view line)
{
    const std::u32string chars = text::toUtf32(line);
    std::u32string out;
    for (std::size_t i = 0; i < chars.size();) {
        if (!isPatternSpace(chars[i])) {
            out += chars[i++];
            continue;
        }
        std::size_t end = i;
        while (end < chars.size() && isPatternSpace(chars[end])) ++end;
        if (end == chars.size() || !isInlineMark(chars[end])) out.append(chars, i, end - i);
        i = end;
    }
    return text::toUtf8(out);
}

std::string clean(const std::string& line)
{
    const std::string tight = tightened(line);
    return trimmed(tight, [](char32_t c) {
        return isBlank(c) || c == U'"' || c == U'\u201C' || c == U'\u201D' || c == U'\u2026';
    });
}

bool endsWithMark(std::string_view word)
{
    const std::u32string chars = text::toUtf32(text::trimWhitespace(word));
    return !chars.empty() && (chars.back() == U'.' || chars.back() == U'?' || chars.back() == U'!' || chars.back() == U'\u2026');
}

std::size_t wordCount(const std::string& s)
{
    std::size_t n = 0;
    bool inWord = false;
    for (char c : s) {
        if (c == ' ') inWord = false;
        else if (!inWord) inWord = true, ++n;
    }
    return n;
}

double score(const std::string& sentence, std::size_t index)
{
    const std::size_t words = wordCount(sentence);
    const double lengthBonus = words >= 6 && words <= 20 ? 2.0 : words < 4 ? 0.0 : 0.5;
    return (index == 0 ? 0.6 : 0.0) + HookGenerator::pull(sentence) + lengthBonus;
}

std::string joinTags(const std::vector<std::string>& tags, std::size_t count, std::optional<std::string> extra = {})
{
    std::vector<std::string> parts(tags.begin(), tags.begin() + std::ptrdiff_t(std::min(count, tags.size())));
    if (extra) parts.push_back(*extra);
    return PostCopyWriter::join(parts, " ");
}

// A lead line shortened to `room`: at a clause mark, else at a word boundary.
std::string shortened(const std::string& lead, std::size_t room)
{
    if (length(lead) <= room) return lead;
    return PostCopyWriter::clauseCut(lead, int(room)).value_or(PostCopyWriter::fit(lead, int(room)));
}

std::string title(const std::vector<std::string>& candidates)
{
    const std::string lead = candidates.empty() ? std::string() : candidates.front();
    if (length(lead) <= kTitleRoom) return lead;
    if (auto cut = PostCopyWriter::clauseCut(lead, int(kTitleRoom)); cut && length(*cut) >= kShortestTitle) return *cut;
    for (std::size_t i = 1; i < candidates.size(); ++i) {
        const std::size_t n = length(candidates[i]);
        if (n >= kShortestTitle && n <= kTitleRoom) return candidates[i];
    }
    return PostCopyWriter::fit(lead, int(kTitleRoom));
}

std::vector<std::string> body(const std::vector<std::string>& sentences, const std::string& lead)
{
    std::vector<std::string> out;
    std::string joined;
    for (const std::string& s : sentences) {
        if (PostCopyWriter::overlap(s, lead) >= 0.6) continue;
        const std::string longer = joined.empty() ? s : joined + " " + s;
        if (!out.empty() && length(longer) > kBodyRoom) break;
        out.push_back(s);
        joined = longer;
        if (out.size() == kBodySentences) break;
    }
    return out;
}

std::string xPost(const std::string& lead, const std::vector<std::string>& bodySentences, const std::vector<std::string>& tags)
{
    const std::string x2 = joinTags(tags, 2);
    const long room = 280 - 2 - long(length(x2));
    // With a tag line too long to leave room, the post is the tags alone.
    std::string xLead = room <= 0 ? std::string() : shortened(lead, std::size_t(room));
    if (!bodySentences.empty() && room >= long(length(xLead) + 1 + length(bodySentences.front())))
        xLead += " " + bodySentences.front();
    return PostCopyWriter::join({xLead, x2}, "\n\n");
}

}  // namespace

std::vector<std::string> PostCopyWriter::sentences(const std::vector<Word>& words)
{
    std::vector<std::string> out;
    std::vector<std::string> run;
    auto close = [&] {
        if (run.empty()) return;
        std::string s;
        for (std::size_t i = 0; i < run.size(); ++i) s += (i ? " " : "") + run[i];
        out.push_back(std::move(s));
        run.clear();
    };
    for (const Word& w : words) {
        if (w.deleted) continue;
        run.push_back(w.text);
        if (endsWithMark(w.text) || run.size() >= kRunLimit || (run.size() >= kCommaRun && w.text.ends_with(",")))
            close();
    }
    close();
    std::vector<std::string> cleaned;
    for (const std::string& s : out)
        if (std::string c = clean(s); length(c) >= kMinSentence) cleaned.push_back(std::move(c));
    return cleaned;
}

PostCopy PostCopyWriter::draft(const std::vector<Word>& words, const std::optional<std::string>& hook, bool english)
{
    const std::vector<std::string> s = sentences(words);
    std::vector<std::size_t> order(s.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::vector<double> scores(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) scores[i] = score(s[i], i);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return scores[a] > scores[b]; });

    std::vector<std::string> candidates;
    if (hook) candidates.push_back(*hook);
    for (std::size_t i : order) candidates.push_back(s[i]);
    for (std::string& c : candidates) c = clean(c);
    std::erase_if(candidates, [](const std::string& c) { return c.empty(); });
    const std::string lead = candidates.empty() ? std::string() : candidates.front();

    const std::vector<std::string> bodySentences = body(s, lead);
    const std::string summary = fit(join(bodySentences, " "), kSummaryLimit);
    std::string all;
    for (std::size_t i = 0; i < s.size(); ++i) all += (i ? " " : "") + s[i];
    const std::vector<std::string> tags = hashtags(all, 5);

    PostCopy post;
    post.youtubeTitle = fit(title(candidates), titleLimit);
    post.youtubeDescription = fit(join({summary, joinTags(tags, 3, "#shorts")}, "\n\n"), descriptionLimit);
    post.instagram = fit(join({lead, summary, callToAction, joinTags(tags, 5, "#reels")}, "\n\n"), instagramLimit);
    post.tiktok = fit(join({shortened(lead, kTikTokLead), joinTags(tags, 3)}, " "), tiktokLimit);
    post.x = fit(xPost(lead, bodySentences, tags), xLimit);
    post.byAI = false;
    if (english) post.language = "english";
    return post;
}

std::string PostCopyWriter::fit(std::string_view input, int limit)
{
    const std::string t = trimBlank(input);
    const std::vector<std::string> chars = text::characters(t);
    if (limit < 0) limit = 0;
    if (chars.size() <= std::size_t(limit)) return t;
    std::size_t end = std::size_t(limit);
    std::size_t cut = end;
    for (std::size_t i = end; i-- > 0;) {
        const std::u32string u = text::toUtf32(chars[i]);
        if (u.size() == 1 && isBlank(u[0])) {
            cut = i;
            break;
        }
    }
    return trimmed(firstCharacters(chars, cut), [](char32_t c) { return isBlank(c) || c == U',' || c == U';' || c == U':' || c == U'-'; });
}

std::optional<std::string> PostCopyWriter::clauseCut(std::string_view input, int limit)
{
    const std::vector<std::string> chars = text::characters(input);
    const std::size_t end = std::min(chars.size(), std::size_t(std::max(limit, 0)));
    for (std::size_t i = end; i-- > 0;) {
        const std::string& c = chars[i];
        if (c == "," || c == ";" || c == ":" || c == "\u2014" || c == "\u2013") {
            if (long(i) < limit / 3) return std::nullopt;
            return text::trimWhitespace(firstCharacters(chars, i));
        }
    }
    return std::nullopt;
}

std::string PostCopyWriter::join(const std::vector<std::string>& parts, std::string_view separator)
{
    std::string out;
    bool first = true;
    for (const std::string& p : parts) {
        const std::string t = trimBlank(p);
        if (t.empty()) continue;
        if (!first) out += separator;
        out += t;
        first = false;
    }
    return out;
}

double PostCopyWriter::overlap(std::string_view a, std::string_view b)
{
    auto wordsOf = [](std::string_view s) {
        std::set<std::string> set;
        std::u32string current;
        for (char32_t c : text::toUtf32(text::lowercased(s))) {
            if (u_isalpha(UChar32(c)) || u_isdigit(UChar32(c)) || u_hasBinaryProperty(UChar32(c), UCHAR_ALPHABETIC)) {
                current += c;
            } else if (!current.empty()) {
                set.insert(text::toUtf8(current));
                current.clear();
            }
        }
        if (!current.empty()) set.insert(text::toUtf8(current));
        return set;
    };
    const auto x = wordsOf(a), y = wordsOf(b);
    if (x.empty() || y.empty()) return 0;
    std::size_t common = 0;
    for (const auto& w : x) common += y.count(w);
    return double(common) / double(std::min(x.size(), y.size()));
}

}  // namespace vt
