#pragma once
// How every stored record becomes JSON and back, in one place:
// - keys are the field names; an absent optional has no key, and reading a
//   missing key or null leaves the optional absent;
// - a missing or ill-typed required key fails the whole record (DecodeError);
// - keys that name no field are kept with the record (json::Unknown) and
//   written back, so a file from a newer version loses nothing on a save;
// - UUIDs are upper-case text, dates ISO 8601 UTC with whole seconds, bytes
//   Base64, closed ranges [lower, upper] (reversed fails);
// - enumeration text that names no case fails the record;
// - a non-finite number cannot be written: encoding throws EncodeError rather
//   than storing something that would not read back.
//
// A record opts in with two members:
//     nlohmann::json toJson() const;             // via json::Writer
//     static T fromJson(const nlohmann::json&);  // via json::Reader
// An enumeration opts in with a table found by argument-dependent lookup:
//     constexpr auto enumCases(MyEnum) { return std::array{std::pair{MyEnum::a, "a"sv}, ...}; }

#include "platform/Uuid.h"

#include <nlohmann/json.hpp>

#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace vt {

using Date = std::chrono::system_clock::time_point;
using Bytes = std::vector<std::uint8_t>;

template <class T>
struct ClosedRange {
    T lower{};
    T upper{};
    friend bool operator==(const ClosedRange&, const ClosedRange&) = default;
};

}  // namespace vt

namespace vt::json {

using Value = nlohmann::json;

struct DecodeError : std::runtime_error {
    using std::runtime_error::runtime_error;
};
struct EncodeError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string formatDate(Date date);                      // "2024-05-01T12:30:00Z"
// "Z" or "+hh:mm" offsets; absent for a date the clock cannot hold exactly
// (before 1677-09-21T00:12:44Z or after 2262-04-11T23:47:16Z).
std::optional<Date> parseDate(std::string_view text);
std::string base64Encode(const Bytes& bytes);
std::optional<Bytes> base64Decode(std::string_view text);

// Parses text; throws DecodeError when it is not JSON.
Value parse(std::string_view text);

// ---- enumerations -------------------------------------------------------

template <class E>
concept TextEnum = std::is_enum_v<E> && requires(E e) { enumCases(e); };

template <TextEnum E>
std::string_view enumText(E value)
{
    for (const auto& [c, text] : enumCases(E{}))
        if (c == value) return text;
    return {};
}

template <TextEnum E>
std::optional<E> enumFromText(std::string_view text)
{
    for (const auto& [c, t] : enumCases(E{}))
        if (t == text) return c;
    return std::nullopt;
}

template <TextEnum E>
constexpr auto allCases()
{
    constexpr auto table = enumCases(E{});
    std::array<E, table.size()> out{};
    for (std::size_t i = 0; i < table.size(); ++i) out[i] = table[i].first;
    return out;
}

// ---- codecs -------------------------------------------------------------

template <class T>
struct Codec;  // encode(const T&) -> Value, decode(const Value&) -> T

template <class T>
concept Record = requires(const T& t, const Value& v) {
    { t.toJson() } -> std::same_as<Value>;
    { T::fromJson(v) } -> std::same_as<T>;
};

template <class T>
Value encode(const T& value) { return Codec<T>::encode(value); }
template <class T>
T decode(const Value& value) { return Codec<T>::decode(value); }

template <Record T>
struct Codec<T> {
    static Value encode(const T& v) { return v.toJson(); }
    static T decode(const Value& v)
    {
        if (!v.is_object()) throw DecodeError("expected an object");
        return T::fromJson(v);
    }
};

template <TextEnum E>
struct Codec<E> {
    static Value encode(E v) { return std::string(enumText(v)); }
    static E decode(const Value& v)
    {
        if (!v.is_string()) throw DecodeError("expected enumeration text");
        if (auto e = enumFromText<E>(v.get_ref<const std::string&>())) return *e;
        throw DecodeError("unknown enumeration text: " + v.get<std::string>());
    }
};

template <>
struct Codec<bool> {
    static Value encode(bool v) { return v; }
    static bool decode(const Value& v);
};
template <>
struct Codec<double> {
    static Value encode(double v);
    static double decode(const Value& v);
};
template <>
struct Codec<float> {
    static Value encode(float v) { return Codec<double>::encode(v); }
    static float decode(const Value& v) { return static_cast<float>(Codec<double>::decode(v)); }
};
template <>
struct Codec<std::int64_t> {
    static Value encode(std::int64_t v) { return v; }
    static std::int64_t decode(const Value& v);
};
template <>
struct Codec<int> {
    static Value encode(int v) { return v; }
    static int decode(const Value& v);
};
template <>
struct Codec<std::string> {
    static Value encode(const std::string& v) { return v; }
    static std::string decode(const Value& v);
};
template <>
struct Codec<Uuid> {
    static Value encode(const Uuid& v) { return v.text(); }
    static Uuid decode(const Value& v);
};
template <>
struct Codec<Date> {
    static Value encode(const Date& v) { return formatDate(v); }
    static Date decode(const Value& v);
};
template <>
struct Codec<Bytes> {
    static Value encode(const Bytes& v) { return base64Encode(v); }
    static Bytes decode(const Value& v);
};
template <class T>
struct Codec<ClosedRange<T>> {
    static Value encode(const ClosedRange<T>& r)
    {
        if (r.lower > r.upper) throw EncodeError("range lower bound above upper bound");
        return Value::array({Codec<T>::encode(r.lower), Codec<T>::encode(r.upper)});
    }
    static ClosedRange<T> decode(const Value& v)
    {
        if (!v.is_array() || v.size() != 2) throw DecodeError("expected a two-number range");
        ClosedRange<T> r{Codec<T>::decode(v[0]), Codec<T>::decode(v[1])};
        if (r.lower > r.upper) throw DecodeError("range lower bound above upper bound");
        return r;
    }
};
template <class T>
struct Codec<std::vector<T>> {
    static Value encode(const std::vector<T>& items)
    {
        Value out = Value::array();
        for (const auto& item : items) out.push_back(Codec<T>::encode(item));
        return out;
    }
    static std::vector<T> decode(const Value& v)
    {
        if (!v.is_array()) throw DecodeError("expected an array");
        std::vector<T> out;
        out.reserve(v.size());
        for (const auto& item : v) out.push_back(Codec<T>::decode(item));
        return out;
    }
};
template <class T>
struct Codec<std::map<std::string, T>> {
    static Value encode(const std::map<std::string, T>& m)
    {
        Value out = Value::object();
        for (const auto& [k, item] : m) out[k] = Codec<T>::encode(item);
        return out;
    }
    static std::map<std::string, T> decode(const Value& v)
    {
        if (!v.is_object()) throw DecodeError("expected an object");
        std::map<std::string, T> out;
        for (auto it = v.begin(); it != v.end(); ++it) out.emplace(it.key(), Codec<T>::decode(it.value()));
        return out;
    }
};

// ---- records --------------------------------------------------------------

// The members of a stored object that no field of this version reads (a
// newer version wrote them), held by the record read from it so that writing
// the record back keeps them. They never make two records differ: equality
// is about what this version knows. A record declares one as
//     json::Unknown unknown{};
// sets it from Reader::unknown() and hands it to Writer::unknown().
class Unknown {
public:
    bool empty() const { return !members_; }
    // The kept members as one object; null when there are none.
    const Value* members() const { return members_.get(); }
    friend bool operator==(const Unknown&, const Unknown&) { return true; }

private:
    friend class Reader;
    std::shared_ptr<const Value> members_;
};

// Reads the fields of one JSON object. Every key asked for, present or not,
// counts as known.
class Reader {
public:
    explicit Reader(const Value& object);

    template <class T>
    T required(std::string_view key) const
    {
        const Value* v = find(key);
        if (!v || v->is_null()) throw DecodeError("missing key: " + std::string(key));
        return decodeField<T>(key, *v);
    }

    template <class T>
    std::optional<T> optional(std::string_view key) const
    {
        const Value* v = find(key);
        if (!v || v->is_null()) return std::nullopt;
        return decodeField<T>(key, *v);
    }

    bool has(std::string_view key) const;
    // The key's value as it stands (null included); null when the key is absent.
    const Value* find(std::string_view key) const;

    // The members that no call so far has asked for.
    Unknown unknown() const;
    // `record` holding them, for records read in one expression:
    //     return in.withUnknown(Record{in.required<double>("a"), ...});
    template <class T>
    T withUnknown(T record) const
    {
        record.unknown = unknown();
        return record;
    }

private:
    template <class T>
    static T decodeField(std::string_view key, const Value& v)
    {
        try {
            return Codec<T>::decode(v);
        } catch (const DecodeError& e) {
            throw DecodeError(std::string(key) + ": " + e.what());
        }
    }

    const Value& object_;
    mutable std::vector<const Value*> read_;  // members asked for
};

// Builds one JSON object; optional fields without a value get no key.
class Writer {
public:
    template <class T>
    Writer& required(std::string_view key, const T& value)
    {
        object_[std::string(key)] = encodeField(key, value);
        return *this;
    }

    template <class T>
    Writer& optional(std::string_view key, const std::optional<T>& value)
    {
        if (value) object_[std::string(key)] = encodeField(key, *value);
        return *this;
    }

    // Adds the kept members of a record whose keys the object does not hold yet.
    Writer& unknown(const Unknown& kept);

    // Hands over the object; the writer is empty afterwards.
    Value done() { return std::move(object_); }

private:
    template <class T>
    static Value encodeField(std::string_view key, const T& value)
    {
        try {
            return Codec<T>::encode(value);
        } catch (const EncodeError& e) {
            throw EncodeError(std::string(key) + ": " + e.what());
        }
    }

    Value object_ = Value::object();
};

}  // namespace vt::json
