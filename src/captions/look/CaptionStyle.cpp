#include "captions/look/CaptionStyle.h"

#include "platform/Hasher.h"

#include <type_traits>

namespace vt {

namespace {

template <class T>
struct IsOptional : std::false_type {};
template <class T>
struct IsOptional<std::optional<T>> : std::true_type {};

}  // namespace

CaptionStyle CaptionStyle::laidOut(std::int64_t groupIndex) const
{
    if (!layouts || layouts->empty()) return *this;
    auto count = static_cast<std::int64_t>(layouts->size());
    auto at = ((groupIndex % count) + count) % count;  // indices are never negative; stay in range if one is
    CaptionStyle copy = *this;
    apply((*layouts)[static_cast<std::size_t>(at)], copy, groupIndex);
    return copy;
}

std::vector<std::string> CaptionStyle::tags() const
{
    std::vector<std::string> out;
    auto add = [&out](std::string_view tag) {
        for (const auto& t : out)
            if (t == tag) return;
        out.emplace_back(tag);
    };
    if (behindSubject) add("Behind you");
    if (knockout) add("Knockout");
    if (blendDarkColor) add("Blend");
    if (sticker) add("Sticker");
    if (ransom.value_or(false)) add("Ransom");
    if (auto tag = searchTag(highlight)) add(*tag);
    return out;
}

json::Value CaptionStyle::toJson() const
{
    json::Writer out;
    forEachField(*this, [&out](std::string_view key, const auto& field) {
        using F = std::remove_cvref_t<decltype(field)>;
        if constexpr (IsOptional<F>::value)
            out.optional(key, field);
        else
            out.required(key, field);
    });
    return out.unknown(unknown).done();
}

CaptionStyle CaptionStyle::fromJson(const json::Value& v)
{
    json::Reader in(v);
    CaptionStyle look;
    forEachField(look, [&in](std::string_view key, auto& field) {
        using F = std::remove_cvref_t<decltype(field)>;
        if constexpr (IsOptional<F>::value)
            field = in.optional<typename F::value_type>(key);
        else
            field = in.required<F>(key);
    });
    look.unknown = in.unknown();
    return look;
}

std::size_t CaptionStyle::hashValue() const
{
    Hasher h;
    forEachField(*this, [&h](std::string_view, const auto& field) { h.add(field); });
    return h.value();
}

}  // namespace vt
