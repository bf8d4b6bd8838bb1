#include "model/VideoClip.h"

#include "platform/Hasher.h"
#include "platform/TextRules.h"

namespace vt {

bool operator==(const VideoClip& a, const VideoClip& b)
{
    return a.id == b.id && text::canonicallyEqual(a.path, b.path) && a.bookmark == b.bookmark &&
           text::canonicallyEqual(a.name, b.name) && a.duration == b.duration && a.trimStart == b.trimStart &&
           a.trimEnd == b.trimEnd && a.adjust == b.adjust;
}

json::Value VideoClip::toJson() const
{
    return json::Writer()
        .required("id", id)
        .required("path", path)
        .optional("bookmark", bookmark)
        .required("name", name)
        .required("duration", duration)
        .required("trimStart", trimStart)
        .required("trimEnd", trimEnd)
        .optional("adjust", adjust)
        .unknown(unknown).done();
}

VideoClip VideoClip::fromJson(const json::Value& v)
{
    json::Reader in(v);
    return in.withUnknown(VideoClip{in.required<Uuid>("id"), in.required<std::string>("path"),
                                    in.optional<Bytes>("bookmark"), in.required<std::string>("name"),
                                    in.required<double>("duration"), in.required<double>("trimStart"),
                                    in.required<double>("trimEnd"), in.optional<ItemAdjust>("adjust")});
}

}  // namespace vt

std::size_t std::hash<vt::VideoClip>::operator()(const vt::VideoClip& c) const noexcept
{
    vt::Hasher h;
    h.add(c.id).add(c.path).add(c.bookmark);
    return h.add(c.name).add(c.duration).add(c.trimStart).add(c.trimEnd).add(c.adjust).value();
}
