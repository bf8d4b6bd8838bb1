#include "model/EmojiSettings.h"

#include "platform/Hasher.h"
#include "platform/TextRules.h"

#include <algorithm>

namespace vt {

bool operator==(const EmojiSettings& a, const EmojiSettings& b)
{
    auto sameEntry = [](const auto& x, const auto& y) {
        return text::canonicallyEqual(x.first, y.first) && text::canonicallyEqual(x.second, y.second);
    };
    return a.amount == b.amount && std::ranges::equal(a.overrides, b.overrides, sameEntry);
}

json::Value EmojiSettings::toJson() const
{
    return json::Writer().required("amount", amount).required("overrides", overrides).unknown(unknown).done();
}

EmojiSettings EmojiSettings::fromJson(const json::Value& v)
{
    json::Reader in(v);
    return in.withUnknown(EmojiSettings{in.required<Amount>("amount"),
                                        in.required<std::map<std::string, std::string>>("overrides")});
}

}  // namespace vt

std::size_t std::hash<vt::EmojiSettings>::operator()(const vt::EmojiSettings& settings) const noexcept
{
    vt::Hasher h;
    h.add(settings.amount).add(static_cast<std::int64_t>(settings.overrides.size()));
    for (const auto& [word, emoji] : settings.overrides) h.add(word).add(emoji);
    return h.value();
}
