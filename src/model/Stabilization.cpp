#include "model/Stabilization.h"

#include "platform/Hasher.h"

namespace vt {

json::Value Stabilization::toJson() const
{
    return json::Writer()
        .required("enabled", enabled)
        .required("strength", strength)
        .optional("path", path)
        .unknown(unknown)
        .done();
}

Stabilization Stabilization::fromJson(const json::Value& v)
{
    json::Reader in(v);
    return in.withUnknown(Stabilization{in.required<bool>("enabled"), in.required<double>("strength"),
                                        in.optional<CameraPath>("path")});
}

}  // namespace vt

std::size_t std::hash<vt::Stabilization>::operator()(const vt::Stabilization& s) const noexcept
{
    return vt::Hasher().add(s.enabled).add(s.strength).add(s.path).value();
}
