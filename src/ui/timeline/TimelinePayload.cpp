#include "ui/timeline/TimelinePayload.h"

#include "platform/TextRules.h"

#include <charconv>
#include <vector>

namespace vt::TimelinePayload {

namespace {

// A decimal integer with an optional sign and nothing else, within 64 bits.
std::optional<std::int64_t> seed(std::string_view text)
{
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty() || (text.front() == '-' && text.size() == 1)) return std::nullopt;
    if (text.front() == '+') return std::nullopt;
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

Drop matchCut()
{
    Drop d;
    d.kind = Drop::Kind::matchCut;
    return d;
}

Drop motion(MotionEffect::Kind kind)
{
    Drop d;
    d.kind = Drop::Kind::motion;
    d.motion = kind;
    return d;
}

std::string payload(const Drop& drop)
{
    std::string out(prefix);
    if (drop.kind == Drop::Kind::motion) return out + "motion:" + std::string(json::enumText(drop.motion));
    if (!drop.style) return out + "matchcut";
    return out + "matchcut:" + std::string(json::enumText(*drop.style)) + ":" + std::to_string(drop.seed.value_or(1)) + ":" +
           drop.word.value_or("");
}

std::optional<Drop> parse(std::string_view text)
{
    if (!text.starts_with(prefix)) return std::nullopt;
    text.remove_prefix(prefix.size());
    // At most three splits: the fourth piece keeps its colons.
    std::vector<std::string_view> pieces;
    while (pieces.size() < 3) {
        const auto colon = text.find(':');
        if (colon == std::string_view::npos) break;
        pieces.push_back(text.substr(0, colon));
        text.remove_prefix(colon + 1);
    }
    pieces.push_back(text);
    if (pieces[0] == "motion") {
        if (pieces.size() < 2) return std::nullopt;
        const auto kind = json::enumFromText<MotionEffect::Kind>(pieces[1]);
        if (!kind) return std::nullopt;
        return motion(*kind);
    }
    if (pieces[0] != "matchcut") return std::nullopt;
    Drop d = matchCut();
    if (pieces.size() == 4) {
        d.style = json::enumFromText<MatchCut::Style>(pieces[1]);
        d.seed = seed(pieces[2]);
        std::string word = text::trimWhitespace(pieces[3]);
        if (!word.empty()) d.word = std::move(word);
    }
    return d;
}

}  // namespace vt::TimelinePayload
