#include "model/SoundEffects.h"

#include "platform/Hasher.h"

namespace vt {

json::Value SoundEffects::toJson() const
{
    return json::Writer()
        .required("volume", volume)
        .required("emphasisPops", emphasisPops)
        .required("emojiPops", emojiPops)
        .required("cutWhooshes", cutWhooshes)
        .required("hookHit", hookHit)
        .unknown(unknown).done();
}

SoundEffects SoundEffects::fromJson(const json::Value& v)
{
    json::Reader in(v);
    return in.withUnknown(SoundEffects{in.required<double>("volume"), in.required<bool>("emphasisPops"),
                                       in.required<bool>("emojiPops"), in.required<bool>("cutWhooshes"),
                                       in.required<bool>("hookHit")});
}

}  // namespace vt

std::size_t std::hash<vt::SoundEffects>::operator()(const vt::SoundEffects& s) const noexcept
{
    return vt::Hasher().add(s.volume).add(s.emphasisPops).add(s.emojiPops).add(s.cutWhooshes).add(s.hookHit).value();
}
