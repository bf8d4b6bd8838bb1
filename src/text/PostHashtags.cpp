// Hashtags from the names and nouns a speaker uses, scored by how often and
// in what role they occur. Word classes come from the platform's tagger and
// spelling from its English dictionary.
#include "text/PostCopyWriter.h"

#include "platform/SpellChecker.h"
#include "platform/TextRules.h"
#include "platform/WordTagger.h"

#include <unicode/uchar.h>

#include <algorithm>
#include <map>

namespace vt {
namespace {

bool isLetter(char32_t c) { return u_hasBinaryProperty(UChar32(c), UCHAR_ALPHABETIC) || u_isalpha(UChar32(c)); }
bool isDigit(char32_t c)
{
    const auto type = u_charType(UChar32(c));
    return type == U_DECIMAL_DIGIT_NUMBER || type == U_LETTER_NUMBER || type == U_OTHER_NUMBER;
}
bool isUpper(char32_t c) { return u_isupper(UChar32(c)); }

struct Entry {
    std::string display;
    double score = 0;
    int first = 0;
    bool name = false;
};

std::string keyOf(std::string_view display)
{
    std::u32string key;
    for (char32_t c : text::toUtf32(text::lowercased(display)))
        if (isLetter(c) || isDigit(c)) key += c;
    return text::toUtf8(key);
}

std::vector<std::string> splitAt(std::string_view s, bool (*keep)(char32_t))
{
    std::vector<std::string> parts(1);
    for (char32_t c : text::toUtf32(s)) {
        if (keep(c)) parts.back() += text::toUtf8(std::u32string(1, c));
        else if (!parts.back().empty()) parts.emplace_back();
    }
    if (parts.back().empty()) parts.pop_back();
    return parts;
}

bool letterOrDigit(char32_t c) { return isLetter(c) || isDigit(c); }
bool notSpace(char32_t c) { return c != U' '; }

bool acceptable(const std::string& display, const std::string& key, WordTagger::Tag tag)
{
    const std::u32string chars = text::toUtf32(display);
    const bool acronym = text::characterCount(display) == 2 && chars.size() == 2 && isUpper(chars[0]) && isUpper(chars[1]);
    const std::u32string k = text::toUtf32(key);
    if (!(k.size() > 2 || acronym)) return false;
    if (std::none_of(k.begin(), k.end(), isLetter)) return false;
    if (PostCopyWriter::stopwords().contains(key)) return false;
    if (tag == WordTagger::Tag::other) return false;
    const auto words = splitAt(display, notSpace);
    return std::all_of(words.begin(), words.end(), [](const std::string& w) { return PostCopyWriter::isTopicWord(w); });
}

std::string capitalisedFirst(const std::string& part)
{
    const std::u32string chars = text::toUtf32(part);
    if (chars.empty()) return part;
    return text::uppercased(text::toUtf8(chars.substr(0, 1))) + text::toUtf8(chars.substr(1));
}

std::string tagText(const std::string& key, const Entry& e)
{
    const std::vector<std::string> parts = splitAt(e.display, letterOrDigit);
    if (parts.size() >= 2) {
        std::string out;
        for (const std::string& p : parts) out += capitalisedFirst(p);
        return out;
    }
    if (e.name) return parts.empty() ? std::string() : parts.front();
    const std::u32string chars = text::toUtf32(e.display);
    const bool innerCapital = chars.size() > 1 && std::any_of(chars.begin() + 1, chars.end(), isUpper);
    return innerCapital && !parts.empty() ? parts.front() : key;
}

}  // namespace

std::vector<std::string> PostCopyWriter::hashtags(std::string_view input, int count)
{
    std::map<std::string, Entry> entries;
    int counter = 0;
    for (const WordTagger::Token& token : WordTagger::tag(input)) {
        const std::string display = text::trimPunctuation(token.text);
        const std::string key = keyOf(display);
        if (!acceptable(display, key, token.tag)) continue;
        ++counter;
        const bool name = token.tag == WordTagger::Tag::name;
        const double points = name ? 3 : 1;
        auto found = entries.find(key);
        if (found == entries.end()) {
            entries[key] = {display, points, counter, name};
            continue;
        }
        Entry& e = found->second;
        e.score += points;
        e.name = e.name || name;
        const std::u32string chars = text::toUtf32(display);
        if (!chars.empty() && isUpper(chars.front())) e.display = display;
    }

    std::vector<std::pair<std::string, Entry>> ranked(entries.begin(), entries.end());
    std::sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) {
        return a.second.score != b.second.score ? a.second.score > b.second.score : a.second.first < b.second.first;
    });
    std::vector<std::string> chosen, tags;
    for (const auto& item : ranked) {
        if (int(tags.size()) >= count) break;
        const std::string& key = item.first;
        const Entry& entry = item.second;
        const bool related = std::any_of(chosen.begin(), chosen.end(), [&](const std::string& c) {
            return c.find(key) != std::string::npos || key.find(c) != std::string::npos;
        });
        if (related) continue;
        chosen.push_back(key);
        tags.push_back("#" + tagText(key, entry));
    }
    return tags;
}

bool PostCopyWriter::isTopicWord(std::string_view input)
{
    const std::string word = text::trimPunctuation(input);
    const std::u32string chars = text::toUtf32(word);
    if (chars.size() > 1 && std::any_of(chars.begin() + 1, chars.end(), isUpper)) return true;
    if (std::any_of(chars.begin(), chars.end(), isDigit) && std::any_of(chars.begin(), chars.end(), isLetter)) return true;
    return SpellChecker::isCorrect(word);
}

const std::set<std::string>& PostCopyWriter::stopwords()
{
    static const std::set<std::string> words{
        "the", "and", "you", "your", "this", "that", "with", "for", "are", "was", "but", "not", "have", "just", "like",
        "thing", "things", "stuff", "people", "way", "lot", "lots", "time", "day", "today", "guys", "everyone",
        "something", "anything", "everything", "nothing", "kind", "sort", "bit", "part", "yeah", "okay", "video",
        "videos", "one", "ones", "name", "example", "examples", "guy", "week", "weeks", "month", "months", "year",
        "years", "days", "hour", "hours", "minute", "minutes", "second", "seconds", "morning", "night", "tonight",
        "tomorrow", "yesterday", "result", "results", "question", "answer", "reason", "idea", "hai", "hain", "hoon",
        "hum", "tum", "aap", "yeh", "woh", "aur", "bhi", "nahi", "nahin", "kya", "kyu", "kyun", "kaise", "jab", "tab",
        "toh", "par", "bas", "abhi", "kuch", "sab", "hota", "hoti", "hote", "raha", "rahi", "rahe", "karna", "karo",
        "kar", "kiya", "gaya", "gayi", "wala", "wali", "wale", "apna", "apni", "apne", "mera", "meri", "mere", "tera",
        "teri", "tere", "uska", "uski", "unka", "iske", "uske", "yaar", "bhai", "haan", "matlab", "mein", "main",
        "mujhe", "tumhe", "aapko", "humko", "unko", "isko", "usko", "ki", "ke", "ka", "ko", "se", "lekin", "agar",
        "phir", "fir", "bahut", "bohot", "accha", "acha", "theek", "thik", "chahiye", "sakta", "sakte", "sakti",
        "dekho", "suno", "batao", "bata", "baat", "log", "logon", "cheez", "cheezein", "honestly", "basically",
        "actually"};
    return words;
}

}  // namespace vt
