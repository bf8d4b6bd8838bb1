#include "platform/JsonCoding.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <limits>

namespace vt::json {

namespace {

constexpr char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int base64Value(char c)
{
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

bool parseDigits(std::string_view s, std::size_t at, std::size_t count, int& out)
{
    if (at + count > s.size()) return false;
    out = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
        out = out * 10 + (s[i] - '0');
    }
    return true;
}

}  // namespace

std::string formatDate(Date date)
{
    auto secs = std::chrono::floor<std::chrono::seconds>(date);
    std::time_t t = std::chrono::system_clock::to_time_t(secs);
    std::tm tm{};
    gmtime_r(&t, &tm);
    char buf[80];  // room for any int the fields could print, so nothing is ever cut off
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02dZ", tm.tm_year + 1900, tm.tm_mon + 1,
                  tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
    return buf;
}

std::optional<Date> parseDate(std::string_view s)
{
    int y, mo, d, h, mi, sec;
    if (s.size() < 20 || s[4] != '-' || s[7] != '-' || (s[10] != 'T' && s[10] != 't') || s[13] != ':' ||
        s[16] != ':')
        return std::nullopt;
    if (!parseDigits(s, 0, 4, y) || !parseDigits(s, 5, 2, mo) || !parseDigits(s, 8, 2, d) ||
        !parseDigits(s, 11, 2, h) || !parseDigits(s, 14, 2, mi) || !parseDigits(s, 17, 2, sec))
        return std::nullopt;
    std::size_t at = 19;
    if (at < s.size() && s[at] == '.') {  // fractional seconds are dropped
        ++at;
        while (at < s.size() && s[at] >= '0' && s[at] <= '9') ++at;
    }
    int offsetMinutes = 0;
    std::string_view zone = s.substr(at);
    if (zone == "Z" || zone == "z") {
    } else if (zone.size() == 6 && (zone[0] == '+' || zone[0] == '-') && zone[3] == ':') {
        int oh, om;
        if (!parseDigits(zone, 1, 2, oh) || !parseDigits(zone, 4, 2, om)) return std::nullopt;
        offsetMinutes = (zone[0] == '-' ? -1 : 1) * (oh * 60 + om);
    } else {
        return std::nullopt;
    }
    using namespace std::chrono;
    year_month_day ymd{year{y}, month{static_cast<unsigned>(mo)}, day{static_cast<unsigned>(d)}};
    if (!ymd.ok() || h > 23 || mi > 59 || sec > 60) return std::nullopt;
    const auto tp = sys_days{ymd} + hours{h} + minutes{mi} + seconds{sec} - minutes{offsetMinutes};
    // The clock counts in nanoseconds and holds only about 292 years either
    // side of 1970; a date outside that would wrap around, so it is refused.
    const auto earliest = duration_cast<seconds>(system_clock::duration::min());
    const auto latest = duration_cast<seconds>(system_clock::duration::max());
    if (tp.time_since_epoch() < earliest || tp.time_since_epoch() > latest) return std::nullopt;
    return time_point_cast<system_clock::duration>(tp);
}

std::string base64Encode(const Bytes& bytes)
{
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        unsigned v = (bytes[i] << 16) | (bytes[i + 1] << 8) | bytes[i + 2];
        out += kBase64[(v >> 18) & 63];
        out += kBase64[(v >> 12) & 63];
        out += kBase64[(v >> 6) & 63];
        out += kBase64[v & 63];
    }
    if (std::size_t rest = bytes.size() - i) {
        unsigned v = bytes[i] << 16 | (rest == 2 ? bytes[i + 1] << 8 : 0);
        out += kBase64[(v >> 18) & 63];
        out += kBase64[(v >> 12) & 63];
        out += rest == 2 ? kBase64[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

std::optional<Bytes> base64Decode(std::string_view text)
{
    if (text.size() % 4 != 0) return std::nullopt;
    Bytes out;
    out.reserve(text.size() / 4 * 3);
    for (std::size_t i = 0; i < text.size(); i += 4) {
        int v[4];
        int pad = 0;
        for (int k = 0; k < 4; ++k) {
            char c = text[i + k];
            if (c == '=' && i + 4 == text.size() && k >= 2) {
                v[k] = 0;
                ++pad;
            } else if (pad > 0 || (v[k] = base64Value(c)) < 0) {
                return std::nullopt;
            }
        }
        unsigned n = (v[0] << 18) | (v[1] << 12) | (v[2] << 6) | v[3];
        out.push_back(static_cast<std::uint8_t>(n >> 16));
        if (pad < 2) out.push_back(static_cast<std::uint8_t>(n >> 8));
        if (pad < 1) out.push_back(static_cast<std::uint8_t>(n));
    }
    return out;
}

Value parse(std::string_view text)
{
    try {
        return Value::parse(text);
    } catch (const nlohmann::json::exception& e) {
        throw DecodeError(std::string("not JSON: ") + e.what());
    }
}

bool Codec<bool>::decode(const Value& v)
{
    if (!v.is_boolean()) throw DecodeError("expected a boolean");
    return v.get<bool>();
}

Value Codec<double>::encode(double v)
{
    if (!std::isfinite(v)) throw EncodeError("non-finite number");
    return v;
}

double Codec<double>::decode(const Value& v)
{
    if (!v.is_number()) throw DecodeError("expected a number");
    return v.get<double>();
}

std::int64_t Codec<std::int64_t>::decode(const Value& v)
{
    if (v.is_number_unsigned() && v.get<std::uint64_t>() > std::uint64_t(std::numeric_limits<std::int64_t>::max()))
        throw DecodeError("integer out of range");
    if (v.is_number_integer()) return v.get<std::int64_t>();
    if (v.is_number_float()) {
        double d = v.get<double>();
        // Whole numbers written with a fraction part ("3.0") still read as integers.
        if (std::isfinite(d) && d == std::floor(d) && std::abs(d) < 9.2e18) return static_cast<std::int64_t>(d);
    }
    throw DecodeError("expected an integer");
}

int Codec<int>::decode(const Value& v)
{
    std::int64_t n = Codec<std::int64_t>::decode(v);
    if (n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max())
        throw DecodeError("integer out of range");
    return static_cast<int>(n);
}

std::string Codec<std::string>::decode(const Value& v)
{
    if (!v.is_string()) throw DecodeError("expected a string");
    return v.get<std::string>();
}

Uuid Codec<Uuid>::decode(const Value& v)
{
    if (!v.is_string()) throw DecodeError("expected a UUID string");
    if (auto id = Uuid::parse(v.get_ref<const std::string&>())) return *id;
    throw DecodeError("malformed UUID");
}

Date Codec<Date>::decode(const Value& v)
{
    if (!v.is_string()) throw DecodeError("expected a date string");
    if (auto d = parseDate(v.get_ref<const std::string&>())) return *d;
    throw DecodeError("malformed ISO 8601 date");
}

Bytes Codec<Bytes>::decode(const Value& v)
{
    if (!v.is_string()) throw DecodeError("expected Base64 text");
    if (auto b = base64Decode(v.get_ref<const std::string&>())) return *b;
    throw DecodeError("malformed Base64");
}

Reader::Reader(const Value& object) : object_(object)
{
    if (!object_.is_object()) throw DecodeError("expected an object");
}

bool Reader::has(std::string_view key) const
{
    const Value* v = find(key);
    return v && !v->is_null();
}

const Value* Reader::find(std::string_view key) const
{
    auto it = object_.find(key);
    if (it == object_.end()) return nullptr;
    read_.push_back(&*it);
    return &*it;
}

Unknown Reader::unknown() const
{
    Value rest = Value::object();
    for (auto it = object_.begin(); it != object_.end(); ++it)
        if (std::find(read_.begin(), read_.end(), &*it) == read_.end()) rest[it.key()] = *it;
    Unknown out;
    if (!rest.empty()) out.members_ = std::make_shared<const Value>(std::move(rest));
    return out;
}

Writer& Writer::unknown(const Unknown& kept)
{
    if (const Value* members = kept.members())
        for (auto it = members->begin(); it != members->end(); ++it)
            if (!object_.contains(it.key())) object_[it.key()] = *it;
    return *this;
}

}  // namespace vt::json
