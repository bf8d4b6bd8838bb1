#include "platform/Uuid.h"

#include <random>

namespace vt {

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

Uuid Uuid::random()
{
    thread_local std::mt19937_64 engine{std::random_device{}()};
    std::array<std::uint8_t, 16> bytes{};
    for (int half = 0; half < 2; ++half) {
        std::uint64_t bits = engine();
        for (int i = 0; i < 8; ++i) bytes[half * 8 + i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
    bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x40);  // version 4
    bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80);  // RFC 4122 variant
    return Uuid(bytes);
}

std::optional<Uuid> Uuid::parse(std::string_view text)
{
    if (text.size() != 36) return std::nullopt;
    std::array<std::uint8_t, 16> bytes{};
    int byte = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            if (text[i] != '-') return std::nullopt;
            ++i;
            continue;
        }
        int hi = hexValue(text[i]), lo = hexValue(text[i + 1]);
        if (hi < 0 || lo < 0) return std::nullopt;
        bytes[byte++] = static_cast<std::uint8_t>(hi * 16 + lo);
        i += 2;
    }
    return Uuid(bytes);
}

std::string Uuid::text() const
{
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(36);
    for (int i = 0; i < 16; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) out += '-';
        out += digits[bytes_[i] >> 4];
        out += digits[bytes_[i] & 0x0F];
    }
    return out;
}

bool Uuid::isNil() const
{
    for (auto b : bytes_)
        if (b != 0) return false;
    return true;
}

}  // namespace vt

std::size_t std::hash<vt::Uuid>::operator()(const vt::Uuid& id) const noexcept
{
    std::size_t h = 1469598103934665603ull;
    for (auto b : id.bytes()) h = (h ^ b) * 1099511628211ull;
    return h;
}
