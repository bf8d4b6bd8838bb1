#include "model/VideoGrade.h"

#include "platform/Hasher.h"
#include "platform/TextRules.h"

#include <array>
#include <string_view>
#include <utility>

namespace vt {

namespace {

using Number = double VideoGrade::*;

// The fifteen numbers in field order: the order of coding, comparison and hashing.
constexpr std::array<std::pair<std::string_view, Number>, 15> kNumbers{{
    {"intensity", &VideoGrade::intensity},
    {"exposure", &VideoGrade::exposure},
    {"contrast", &VideoGrade::contrast},
    {"highlights", &VideoGrade::highlights},
    {"shadows", &VideoGrade::shadows},
    {"temperature", &VideoGrade::temperature},
    {"tint", &VideoGrade::tint},
    {"saturation", &VideoGrade::saturation},
    {"vibrance", &VideoGrade::vibrance},
    {"sharpness", &VideoGrade::sharpness},
    {"clarity", &VideoGrade::clarity},
    {"denoise", &VideoGrade::denoise},
    {"vignette", &VideoGrade::vignette},
    {"grain", &VideoGrade::grain},
    {"glow", &VideoGrade::glow},
}};

}  // namespace

bool VideoGrade::isNeutral() const
{
    if (look != "none") return false;
    for (std::size_t i = 1; i < kNumbers.size(); ++i)  // every adjustment, not the intensity
        if (this->*kNumbers[i].second != 0) return false;
    return true;
}

bool operator==(const VideoGrade& a, const VideoGrade& b)
{
    for (const auto& [key, field] : kNumbers)
        if (a.*field != b.*field) return false;
    return text::canonicallyEqual(a.look, b.look);
}

json::Value VideoGrade::toJson() const
{
    json::Writer out;
    out.required("look", look);
    for (const auto& [key, field] : kNumbers) out.required(key, this->*field);
    return out.unknown(unknown).done();
}

VideoGrade VideoGrade::fromJson(const json::Value& v)
{
    json::Reader in(v);
    VideoGrade grade;
    grade.look = in.required<std::string>("look");
    for (const auto& [key, field] : kNumbers) grade.*field = in.required<double>(key);
    grade.unknown = in.unknown();
    return grade;
}

}  // namespace vt

std::size_t std::hash<vt::VideoGrade>::operator()(const vt::VideoGrade& grade) const noexcept
{
    vt::Hasher h;
    h.add(grade.look);
    for (const auto& [key, field] : vt::kNumbers) h.add(grade.*field);
    return h.value();
}
