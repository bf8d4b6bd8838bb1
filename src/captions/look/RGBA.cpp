#include "captions/look/RGBA.h"

#include "platform/Hasher.h"

#include <cstdint>
#include <limits>
#include <optional>

namespace vt {

namespace {

std::optional<unsigned> hexDigit(char c)
{
    if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
    if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
    return std::nullopt;
}

}  // namespace

RGBA RGBA::fromHex(std::string_view hex, double alpha)
{
    constexpr auto maxValue = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t n = 0;
    for (char c : hex) {
        if (c == '#') continue;
        auto d = hexDigit(c);
        if (!d) break;
        n = n > (maxValue >> 4) ? maxValue : (n << 4) | *d;
    }
    auto channel = [n](int shift) { return static_cast<double>((n >> shift) & 0xFF) / 255.0; };
    return {channel(16), channel(8), channel(0), alpha};
}

json::Value RGBA::toJson() const
{
    return json::Writer().required("r", r).required("g", g).required("b", b).required("a", a).unknown(unknown).done();
}

RGBA RGBA::fromJson(const json::Value& v)
{
    json::Reader in(v);
    return in.withUnknown(RGBA{in.required<double>("r"), in.required<double>("g"), in.required<double>("b"),
                               in.required<double>("a")});
}

}  // namespace vt

std::size_t std::hash<vt::RGBA>::operator()(const vt::RGBA& c) const noexcept
{
    return vt::Hasher().add(c.r).add(c.g).add(c.b).add(c.a).value();
}
