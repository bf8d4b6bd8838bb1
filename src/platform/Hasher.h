#pragma once
// Feeds the fields of a value, in order, into one hash, so that values that
// compare equal hash equally:
// - a zero double hashes the same whether it is +0 or -0 (they compare equal);
// - text is hashed by its canonical (NFC) form, because canonically
//   equivalent texts compare equal (see TextRules.h);
// - an optional feeds a presence flag, then its value when present;
// - a list feeds its length, then its elements in order.
// Types with a std::hash specialisation are fed through it.

#include "platform/TextRules.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

class Hasher {
public:
    Hasher& add(bool v) { return mix(v ? 1u : 0u); }
    Hasher& add(double v)
    {
        if (v == 0) v = 0;  // folds -0 into +0
        return mix(std::bit_cast<std::uint64_t>(v));
    }
    Hasher& add(std::int64_t v) { return mix(static_cast<std::uint64_t>(v)); }
    Hasher& add(int v) { return add(static_cast<std::int64_t>(v)); }

    Hasher& addText(std::string_view s)
    {
        bool ascii = true;
        for (char c : s) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
        // ASCII text is already in its canonical form.
        mix(std::hash<std::string_view>{}(ascii ? s : std::string_view(text::canonical(s))));
        return *this;
    }
    Hasher& add(const std::string& s) { return addText(s); }
    Hasher& add(const char*) = delete;  // would otherwise be taken as a bool

    template <class T>
    Hasher& add(const std::optional<T>& v)
    {
        add(v.has_value());
        if (v) add(*v);
        return *this;
    }

    template <class T>
    Hasher& add(const std::vector<T>& items)
    {
        add(static_cast<std::int64_t>(items.size()));
        for (const auto& item : items) add(item);
        return *this;
    }

    template <class T>
        requires requires(const T& t) { std::hash<T>{}(t); }
    Hasher& add(const T& v)
    {
        return mix(static_cast<std::uint64_t>(std::hash<T>{}(v)));
    }

    std::size_t value() const { return static_cast<std::size_t>(state_); }

private:
    Hasher& mix(std::uint64_t v)
    {
        // SplitMix64's finaliser spreads each field before it is folded in.
        std::uint64_t z = v + 0x9E3779B97F4A7C15ull;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        state_ = (state_ ^ z) * 0x100000001B3ull + 0x9E3779B97F4A7C15ull;
        return *this;
    }

    std::uint64_t state_ = 0xCBF29CE484222325ull;
};

}  // namespace vt
