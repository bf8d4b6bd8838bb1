#include "model/AudioCleanup.h"

#include "platform/Hasher.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace vt {

namespace {

// Truncates toward zero. A damaged file may hold any finite number, so values
// beyond the 64-bit range saturate instead of overflowing.
std::int64_t truncatedPercent(double fraction)
{
    double x = std::trunc(fraction * 100);
    if (std::isnan(x)) return 0;
    constexpr double limit = 9223372036854775807.0;  // rounds to 2^63
    if (x >= limit) return std::numeric_limits<std::int64_t>::max();
    if (x <= -limit) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(x);
}

std::string base36(std::uint64_t n)
{
    constexpr char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string out;
    do {
        out.insert(out.begin(), digits[n % 36]);
        n /= 36;
    } while (n != 0);
    return out;
}

}  // namespace

std::string AudioCleanup::cacheKey() const
{
    std::string key = std::to_string(truncatedPercent(noiseReduction)) + (voiceEQ ? "|true|" : "|false|") +
                      std::to_string(truncatedPercent(leveler)) + (normalize ? "|true" : "|false") + "|v1";
    std::uint64_t hash = 5381;
    for (unsigned char byte : key) hash = hash * 33 + byte;
    return base36(hash);
}

json::Value AudioCleanup::toJson() const
{
    return json::Writer()
        .required("noiseReduction", noiseReduction)
        .required("voiceEQ", voiceEQ)
        .required("leveler", leveler)
        .required("normalize", normalize)
        .unknown(unknown).done();
}

AudioCleanup AudioCleanup::fromJson(const json::Value& v)
{
    json::Reader in(v);
    return in.withUnknown(AudioCleanup{in.required<double>("noiseReduction"), in.required<bool>("voiceEQ"),
                                       in.required<double>("leveler"), in.required<bool>("normalize")});
}

}  // namespace vt

std::size_t std::hash<vt::AudioCleanup>::operator()(const vt::AudioCleanup& a) const noexcept
{
    return vt::Hasher().add(a.noiseReduction).add(a.voiceEQ).add(a.leveler).add(a.normalize).value();
}
