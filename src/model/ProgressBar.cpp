#include "model/ProgressBar.h"

#include "platform/Hasher.h"

namespace vt {

json::Value ProgressBar::toJson() const
{
    return json::Writer().required("position", position).optional("color", color).required("thickness", thickness)
        .unknown(unknown).done();
}

ProgressBar ProgressBar::fromJson(const json::Value& v)
{
    json::Reader in(v);
    return in.withUnknown(ProgressBar{in.required<Position>("position"), in.optional<RGBA>("color"),
                                      in.required<double>("thickness")});
}

}  // namespace vt

std::size_t std::hash<vt::ProgressBar>::operator()(const vt::ProgressBar& bar) const noexcept
{
    return vt::Hasher().add(bar.position).add(bar.color).add(bar.thickness).value();
}
