#include "model/WordLook.h"

#include "platform/Hasher.h"

namespace vt {

json::Value WordLook::toJson() const
{
    return json::Writer().required("scale", scale).optional("color", color).required("dx", dx)
        .required("dy", dy).unknown(unknown).done();
}

WordLook WordLook::fromJson(const json::Value& v)
{
    json::Reader in(v);
    return in.withUnknown(WordLook{in.required<double>("scale"), in.optional<RGBA>("color"),
                                   in.required<double>("dx"), in.required<double>("dy")});
}

}  // namespace vt

std::size_t std::hash<vt::WordLook>::operator()(const vt::WordLook& look) const noexcept
{
    return vt::Hasher().add(look.scale).add(look.color).add(look.dx).add(look.dy).value();
}
