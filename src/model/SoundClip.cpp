#include "model/SoundClip.h"

#include "platform/Hasher.h"
#include "platform/TextRules.h"

namespace vt {

bool operator==(const SoundClip& a, const SoundClip& b)
{
    return a.id == b.id && text::canonicallyEqual(a.path, b.path) && a.bookmark == b.bookmark &&
           text::canonicallyEqual(a.name, b.name) && a.start == b.start && a.offset == b.offset &&
           a.duration == b.duration && a.fileDuration == b.fileDuration && a.volume == b.volume;
}

json::Value SoundClip::toJson() const
{
    return json::Writer()
        .required("id", id)
        .required("path", path)
        .optional("bookmark", bookmark)
        .required("name", name)
        .required("start", start)
        .required("offset", offset)
        .required("duration", duration)
        .required("fileDuration", fileDuration)
        .required("volume", volume)
        .unknown(unknown).done();
}

SoundClip SoundClip::fromJson(const json::Value& v)
{
    json::Reader in(v);
    return in.withUnknown(SoundClip{in.required<Uuid>("id"), in.required<std::string>("path"),
                                    in.optional<Bytes>("bookmark"), in.required<std::string>("name"),
                                    in.required<double>("start"), in.required<double>("offset"),
                                    in.required<double>("duration"), in.required<double>("fileDuration"),
                                    in.required<VolumeEnvelope>("volume")});
}

}  // namespace vt

std::size_t std::hash<vt::SoundClip>::operator()(const vt::SoundClip& c) const noexcept
{
    return vt::Hasher()
        .add(c.id)
        .add(c.path)
        .add(c.bookmark)
        .add(c.name)
        .add(c.start)
        .add(c.offset)
        .add(c.duration)
        .add(c.fileDuration)
        .add(c.volume)
        .value();
}
