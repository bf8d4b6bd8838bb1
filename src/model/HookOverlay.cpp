#include "model/HookOverlay.h"

#include "platform/Hasher.h"
#include "platform/TextRules.h"

namespace vt {

bool operator==(const HookOverlay& a, const HookOverlay& b)
{
    return text::canonicallyEqual(a.text, b.text) && a.duration == b.duration;
}

json::Value HookOverlay::toJson() const
{
    return json::Writer().required("text", text).required("duration", duration).unknown(unknown).done();
}

HookOverlay HookOverlay::fromJson(const json::Value& v)
{
    json::Reader in(v);
    return in.withUnknown(HookOverlay{in.required<std::string>("text"), in.required<double>("duration")});
}

}  // namespace vt

std::size_t std::hash<vt::HookOverlay>::operator()(const vt::HookOverlay& hook) const noexcept
{
    return vt::Hasher().add(hook.text).add(hook.duration).value();
}
