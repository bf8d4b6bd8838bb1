#include "model/CameraPath.h"

#include "platform/Hasher.h"

namespace vt {

json::Value CameraPath::toJson() const
{
    return json::Writer().required("t", t).required("x", x).required("y", y).unknown(unknown).done();
}

CameraPath CameraPath::fromJson(const json::Value& v)
{
    json::Reader in(v);
    return in.withUnknown(CameraPath{in.required<std::vector<double>>("t"), in.required<std::vector<double>>("x"),
                                     in.required<std::vector<double>>("y")});
}

}  // namespace vt

std::size_t std::hash<vt::CameraPath>::operator()(const vt::CameraPath& p) const noexcept
{
    return vt::Hasher().add(p.t).add(p.x).add(p.y).value();
}
