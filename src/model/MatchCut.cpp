#include "model/MatchCut.h"

#include "platform/Hasher.h"
#include "platform/TextRules.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vt {

namespace {

bool sameTexts(const std::optional<std::vector<std::string>>& a, const std::optional<std::vector<std::string>>& b)
{
    if (a.has_value() != b.has_value()) return false;
    if (!a) return true;
    return std::ranges::equal(*a, *b, [](const auto& x, const auto& y) { return text::canonicallyEqual(x, y); });
}

}  // namespace

std::int64_t MatchCut::frameCount() const
{
    // The record does not check its numbers; a damaged or absurd card still
    // gets a usable count rather than an overflow.
    double n = std::round(duration * cutsPerSecond);
    if (!(n >= 4)) return 4;
    if (n >= 9.0e18) return std::numeric_limits<std::int64_t>::max();
    return static_cast<std::int64_t>(n);
}

bool operator==(const MatchCut& a, const MatchCut& b)
{
    return text::canonicallyEqual(a.word, b.word) && a.style == b.style && a.seed == b.seed &&
           a.duration == b.duration && a.cutsPerSecond == b.cutsPerSecond && a.ticks == b.ticks &&
           sameTexts(a.keywords, b.keywords) && sameTexts(a.lines, b.lines) && a.id == b.id && a.start == b.start;
}

json::Value MatchCut::toJson() const
{
    return json::Writer()
        .required("word", word)
        .required("style", style)
        .required("seed", seed)
        .required("duration", duration)
        .required("cutsPerSecond", cutsPerSecond)
        .required("ticks", ticks)
        .optional("keywords", keywords)
        .optional("lines", lines)
        .optional("id", id)
        .optional("start", start)
        .unknown(unknown).done();
}

MatchCut MatchCut::fromJson(const json::Value& v)
{
    json::Reader in(v);
    return in.withUnknown(MatchCut{in.required<std::string>("word"),
                                   in.required<Style>("style"),
                                   in.required<std::int64_t>("seed"),
                                   in.required<double>("duration"),
                                   in.required<double>("cutsPerSecond"),
                                   in.required<bool>("ticks"),
                                   in.optional<std::vector<std::string>>("keywords"),
                                   in.optional<std::vector<std::string>>("lines"),
                                   in.optional<Uuid>("id"),
                                   in.optional<double>("start")});
}

}  // namespace vt

std::size_t std::hash<vt::MatchCut>::operator()(const vt::MatchCut& c) const noexcept
{
    return vt::Hasher()
        .add(c.word)
        .add(c.style)
        .add(c.seed)
        .add(c.duration)
        .add(c.cutsPerSecond)
        .add(c.ticks)
        .add(c.keywords)
        .add(c.lines)
        .add(c.id)
        .add(c.start)
        .value();
}
