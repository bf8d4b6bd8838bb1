#pragma once
// A 128-bit UUID value. Text form is upper-case 8-4-4-4-12; parsing accepts
// either case. Used as the identity of words, projects, clips and items.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vt {

class Uuid {
public:
    Uuid() = default;  // the nil UUID
    explicit Uuid(const std::array<std::uint8_t, 16>& bytes) : bytes_(bytes) {}

    // A new random (version 4) UUID. Thread-safe.
    static Uuid random();
    // Absent when the text is not 8-4-4-4-12 hexadecimal.
    static std::optional<Uuid> parse(std::string_view text);

    std::string text() const;  // upper case
    bool isNil() const;
    const std::array<std::uint8_t, 16>& bytes() const { return bytes_; }

    friend auto operator<=>(const Uuid&, const Uuid&) = default;

private:
    std::array<std::uint8_t, 16> bytes_{};
};

}  // namespace vt

template <>
struct std::hash<vt::Uuid> {
    std::size_t operator()(const vt::Uuid& id) const noexcept;
};
