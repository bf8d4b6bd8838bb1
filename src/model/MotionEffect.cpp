#include "model/MotionEffect.h"

#include "platform/Hasher.h"

namespace vt {

static_assert([] {
    for (std::size_t i = 0; i < detail::kMotionKinds.size(); ++i)
        if (static_cast<std::size_t>(detail::kMotionKinds[i].kind) != i) return false;
    return true;
}(), "the kind table is indexed by the kind");

json::Value MotionEffect::toJson() const
{
    return json::Writer()
        .required("id", id)
        .required("kind", kind)
        .required("start", start)
        .required("duration", duration)
        .required("strength", strength)
        .required("sound", sound)
        .unknown(unknown).done();
}

MotionEffect MotionEffect::fromJson(const json::Value& v)
{
    json::Reader in(v);
    return in.withUnknown(MotionEffect{in.required<Uuid>("id"), in.required<Kind>("kind"),
                                       in.required<double>("start"), in.required<double>("duration"),
                                       in.required<double>("strength"), in.required<bool>("sound")});
}

double defaultLength(MotionEffect::Kind kind)
{
    using K = MotionEffect::Kind;
    switch (kind) {
    case K::zoomIn:
    case K::zoomOut: return 1.5;
    case K::punchIn: return 1.2;
    case K::pop: return 0.45;
    case K::shake: return 0.5;
    case K::fadeIn: return 0.8;
    case K::fadeOut: return 1.0;
    case K::flash: return 0.35;
    case K::blurIn: return 0.8;
    case K::blackWhite: return 2.5;
    case K::glitch: return 0.35;
    }
    return 1.0;
}

}  // namespace vt

std::size_t std::hash<vt::MotionEffect>::operator()(const vt::MotionEffect& m) const noexcept
{
    return vt::Hasher()
        .add(m.id)
        .add(m.kind)
        .add(m.start)
        .add(m.duration)
        .add(m.strength)
        .add(m.sound)
        .value();
}
