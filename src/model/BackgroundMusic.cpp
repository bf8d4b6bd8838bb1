#include "model/BackgroundMusic.h"

#include "model/TextEquality.h"
#include "platform/Hasher.h"
#include "platform/TextRules.h"

namespace vt {

bool operator==(const BackgroundMusic& a, const BackgroundMusic& b)
{
    return text::canonicallyEqual(a.path, b.path) && text::canonicallyEqual(a.name, b.name) &&
           sameText(a.builtInID, b.builtInID) && a.bookmark == b.bookmark && a.volume == b.volume &&
           a.ducking == b.ducking && a.startOffset == b.startOffset && a.fadeIn == b.fadeIn &&
           a.fadeOut == b.fadeOut && a.loop == b.loop;
}

json::Value BackgroundMusic::toJson() const
{
    return json::Writer()
        .required("path", path)
        .required("name", name)
        .optional("builtInID", builtInID)
        .optional("bookmark", bookmark)
        .required("volume", volume)
        .required("ducking", ducking)
        .required("startOffset", startOffset)
        .required("fadeIn", fadeIn)
        .required("fadeOut", fadeOut)
        .required("loop", loop)
        .unknown(unknown).done();
}

BackgroundMusic BackgroundMusic::fromJson(const json::Value& v)
{
    json::Reader in(v);
    return in.withUnknown(BackgroundMusic{in.required<std::string>("path"), in.required<std::string>("name"),
                                          in.optional<std::string>("builtInID"), in.optional<Bytes>("bookmark"),
                                          in.required<double>("volume"), in.required<double>("ducking"),
                                          in.required<double>("startOffset"), in.required<double>("fadeIn"),
                                          in.required<double>("fadeOut"), in.required<bool>("loop")});
}

}  // namespace vt

std::size_t std::hash<vt::BackgroundMusic>::operator()(const vt::BackgroundMusic& m) const noexcept
{
    return vt::Hasher()
        .add(m.path)
        .add(m.name)
        .add(m.builtInID)
        .add(m.bookmark)
        .add(m.volume)
        .add(m.ducking)
        .add(m.startOffset)
        .add(m.fadeIn)
        .add(m.fadeOut)
        .add(m.loop)
        .value();
}
