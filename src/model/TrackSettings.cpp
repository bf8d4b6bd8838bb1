#include "model/TrackSettings.h"

#include "platform/Hasher.h"

#include <array>
#include <string_view>
#include <utility>

namespace vt {

namespace {

constexpr std::array<std::pair<std::string_view, bool TrackSettings::*>, 9> kFlags{{
    {"matchCutsHidden", &TrackSettings::matchCutsHidden},
    {"matchCutsMuted", &TrackSettings::matchCutsMuted},
    {"effectsHidden", &TrackSettings::effectsHidden},
    {"effectsMuted", &TrackSettings::effectsMuted},
    {"overlaysHidden", &TrackSettings::overlaysHidden},
    {"videoMuted", &TrackSettings::videoMuted},
    {"soundsMuted", &TrackSettings::soundsMuted},
    {"musicMuted", &TrackSettings::musicMuted},
    {"voiceMuted", &TrackSettings::voiceMuted},
}};

}  // namespace

json::Value TrackSettings::toJson() const
{
    json::Writer out;
    for (const auto& [key, flag] : kFlags) out.required(key, this->*flag);
    return out.unknown(unknown).done();
}

TrackSettings TrackSettings::fromJson(const json::Value& v)
{
    json::Reader in(v);
    TrackSettings t;
    for (const auto& [key, flag] : kFlags) {
        const json::Value* value = in.find(key);
        t.*flag = value && value->is_boolean() && value->get<bool>();
    }
    t.unknown = in.unknown();
    return t;
}

}  // namespace vt

std::size_t std::hash<vt::TrackSettings>::operator()(const vt::TrackSettings& t) const noexcept
{
    vt::Hasher h;
    for (const auto& [key, flag] : vt::kFlags) h.add(t.*flag);
    return h.value();
}
