#include "model/ItemAdjust.h"

#include "platform/Hasher.h"

namespace vt {

namespace {

// The key's value when it decodes, else the field's default.
template <class T>
T lenient(const json::Reader& in, std::string_view key, T fallback)
{
    try {
        return in.optional<T>(key).value_or(std::move(fallback));
    } catch (const json::DecodeError&) {
        return fallback;
    }
}

}  // namespace

json::Value ItemAdjust::toJson() const
{
    return json::Writer()
        .required("cropLeft", cropLeft)
        .required("cropRight", cropRight)
        .required("cropTop", cropTop)
        .required("cropBottom", cropBottom)
        .required("zoom", zoom)
        .required("panX", panX)
        .required("panY", panY)
        .required("turns", turns)
        .required("flipped", flipped)
        .required("grade", grade)
        .required("opacity", opacity)
        .required("volume", volume)
        .unknown(unknown).done();
}

ItemAdjust ItemAdjust::fromJson(const json::Value& v)
{
    json::Reader in(v);
    const ItemAdjust d;
    ItemAdjust a;
    a.cropLeft = lenient(in, "cropLeft", d.cropLeft);
    a.cropRight = lenient(in, "cropRight", d.cropRight);
    a.cropTop = lenient(in, "cropTop", d.cropTop);
    a.cropBottom = lenient(in, "cropBottom", d.cropBottom);
    a.zoom = lenient(in, "zoom", d.zoom);
    a.panX = lenient(in, "panX", d.panX);
    a.panY = lenient(in, "panY", d.panY);
    a.turns = lenient(in, "turns", d.turns);
    a.flipped = lenient(in, "flipped", d.flipped);
    a.grade = lenient(in, "grade", d.grade);
    a.opacity = lenient(in, "opacity", d.opacity);
    a.volume = lenient(in, "volume", d.volume);
    a.unknown = in.unknown();
    return a;
}

}  // namespace vt

std::size_t std::hash<vt::ItemAdjust>::operator()(const vt::ItemAdjust& a) const noexcept
{
    return vt::Hasher()
        .add(a.cropLeft)
        .add(a.cropRight)
        .add(a.cropTop)
        .add(a.cropBottom)
        .add(a.zoom)
        .add(a.panX)
        .add(a.panY)
        .add(a.turns)
        .add(a.flipped)
        .add(a.grade)
        .add(a.opacity)
        .add(a.volume)
        .value();
}
