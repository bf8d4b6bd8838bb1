#include "editor/EmojiPicker.h"

#include "platform/TextRules.h"

#include <QChar>

#include <array>
#include <string_view>
#include <unordered_map>

namespace vt::EmojiPicker {

namespace {

struct Row {
    std::string_view emoji;
    std::string_view keywords;  // lower-case letters, single spaces between
};

constexpr std::array<Row, 57> table{{
    {"\U0001F4B0", "money paisa paise rupee rupees salary income earn earning earnings cash rich profit dollar dollars crore lakh"},
    {"\U0001F525", "fire hot lit trending viral garam"},
    {"\u2764\uFE0F", "love pyaar pyar dil heart"},
    {"\u23F0", "time samay waqt clock late deadline minute hour"},
    {"\U0001F4A1", "idea ideas tip tips trick tricks hack hacks"},
    {"\U0001F916", "ai chatgpt gemini claude robot bot gpt"},
    {"\U0001F4F1", "phone mobile iphone android app apps"},
    {"\U0001F3A5", "video camera shoot shooting film reel youtube"},
    {"\U0001F355", "pizza burger food khana"},
    {"\u2615", "coffee chai tea"},
    {"\U0001F602", "funny laugh lol haha joke comedy"},
    {"\U0001F622", "sad cry crying dukh"},
    {"\U0001F92F", "wow shocking crazy insane mindblowing unbelievable"},
    {"\U0001F92B", "secret secrets hidden raaz"},
    {"\u26A0\uFE0F", "warning careful danger stop avoid"},
    {"\U0001F3C6", "win winner winning success champion jeet trophy"},
    {"\u274C", "fail failed failure mistake mistakes galti wrong"},
    {"\u2705", "right correct sahi done"},
    {"\U0001F4C8", "growth grow increase followers views subscribers"},
    {"\U0001F4C9", "loss decrease drop crash"},
    {"\U0001F4BC", "work job office kaam business career interview"},
    {"\U0001F4AA", "gym workout fitness strong strength muscle"},
    {"\U0001F634", "sleep neend tired"},
    {"\u2708\uFE0F", "travel trip flight plane"},
    {"\U0001F3E0", "home ghar house"},
    {"\U0001F697", "car gaadi drive"},
    {"\U0001F3B5", "music song gaana"},
    {"\U0001F4DA", "book books read reading study padhai"},
    {"\U0001F393", "school college exam exams degree"},
    {"\U0001FA7A", "health doctor hospital"},
    {"\U0001F914", "think thinking soch socho confused"},
    {"\U0001F440", "look watch dekho eyes"},
    {"\U0001F389", "party celebrate celebration congratulations birthday"},
    {"\U0001F680", "launch launched startup rocket"},
    {"\u2728", "new naya magic"},
    {"\u2B50", "star best favourite favorite"},
    {"\U0001F976", "cold thanda"},
    {"\U0001F30D", "world global duniya"},
    {"\U0001F1EE\U0001F1F3", "india bharat desh"},
    {"\U0001F468\u200D\U0001F469\u200D\U0001F467", "family mom dad maa papa parents"},
    {"\U0001F4BB", "code coding developer programming computer laptop software"},
    {"\U0001F310", "internet website online"},
    {"\U0001F4F8", "instagram photo photos"},
    {"\U0001F4E9", "email message dm"},
    {"\U0001F4DE", "call calling"},
    {"\U0001F381", "gift gifts giveaway"},
    {"\U0001F6CD\uFE0F", "shopping buy sale"},
    {"\U0001F193", "free muft"},
    {"\U0001F9E0", "brain smart dimag mind"},
    {"\U0001F4A7", "water paani"},
    {"\U0001F327\uFE0F", "rain baarish"},
    {"\U0001F436", "dog dogs puppy"},
    {"\U0001F431", "cat cats"},
    {"\U0001F3AE", "game games gaming"},
    {"\u26A1", "fast quick speed energy"},
    {"\U0001F511", "key unlock"},
    {"\U0001F4CA", "data stats numbers"},
}};

// Keyword → emoji; a later row would replace an earlier one (no keyword
// occurs twice). Built once, thread-safely, by the static's initialisation.
const std::unordered_map<std::string_view, std::string_view>& keywords()
{
    static const auto map = [] {
        std::unordered_map<std::string_view, std::string_view> m;
        for (const Row& row : table) {
            std::string_view rest = row.keywords;
            while (!rest.empty()) {
                const auto space = rest.find(' ');
                m[rest.substr(0, space)] = row.emoji;
                rest = space == std::string_view::npos ? std::string_view{} : rest.substr(space + 1);
            }
        }
        return m;
    }();
    return map;
}

std::optional<std::string> lookUp(std::string_view key)
{
    const auto found = keywords().find(key);
    if (found == keywords().end()) return std::nullopt;
    return std::string(found->second);
}

// The first word of the line that carries a manual choice, with the choice.
std::optional<std::pair<const TimedWord*, std::string>> manualChoice(const CaptionGroup& line,
                                                                      const EmojiSettings& settings)
{
    for (const TimedWord& w : line.words) {
        if (!w.id) continue;
        const auto found = settings.overrides.find(w.id->text());
        if (found != settings.overrides.end()) return std::pair{&w, found->second};
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> emoji(std::string_view word)
{
    std::u32string kept;
    for (char32_t c : text::toUtf32(text::lowercased(word)))
        if (QChar::isLetterOrNumber(c)) kept.push_back(c);
    if (kept.size() < 2) return std::nullopt;
    const std::string key = text::toUtf8(kept);
    if (auto found = lookUp(key)) return found;
    if (key.back() == 's') return lookUp(std::string_view(key).substr(0, key.size() - 1));
    return std::nullopt;
}

std::map<int, EmojiPick> assign(const std::vector<CaptionGroup>& lines, const EmojiSettings& settings)
{
    std::map<int, EmojiPick> picks;
    int lastIndex = -10;
    std::string lastEmoji;
    for (const CaptionGroup& line : lines) {
        const int i = line.index;
        // Manual choices ignore the spacing; an empty one does not restart it.
        if (const auto manual = manualChoice(line, settings)) {
            if (!manual->second.empty()) {
                picks[i] = {manual->second, manual->first->id};
                lastIndex = i;
                lastEmoji = manual->second;
            }
            continue;
        }
        const int distance = i - lastIndex;
        if (settings.amount == EmojiSettings::Amount::some && distance < 3) continue;
        for (const TimedWord& w : line.words) {
            const auto e = emoji(w.text);
            if (!e || (distance == 1 && *e == lastEmoji)) continue;
            picks[i] = {*e, w.id};
            lastIndex = i;
            lastEmoji = *e;
            break;
        }
    }
    return picks;
}

}  // namespace vt::EmojiPicker
