#pragma once
// A colour as four sRGB components, nominally 0 to 1 (not clamped: values
// outside that range stay as given). Stored as {"r","g","b","a"}, all four
// required when reading.

#include "platform/JsonCoding.h"

#include <cstddef>
#include <functional>
#include <string_view>

namespace vt {

struct RGBA {
    double r = 0;
    double g = 0;
    double b = 0;
    double a = 0;
    json::Unknown unknown{};  // what a newer version stored, written back as it came

    // From hexadecimal text such as "E1306C" or "#E1306C": every "#" is
    // removed, then the leading hex digits are read as one number whose bits
    // 16-23, 8-15 and 0-7 are red, green and blue. Text that does not begin
    // with a hex digit gives black; more digits than fit in 64 bits saturate.
    // Never fails.
    static RGBA fromHex(std::string_view hex, double alpha = 1);

    friend bool operator==(const RGBA&, const RGBA&) = default;

    json::Value toJson() const;
    static RGBA fromJson(const json::Value& v);
};

}  // namespace vt

template <>
struct std::hash<vt::RGBA> {
    std::size_t operator()(const vt::RGBA& c) const noexcept;
};
