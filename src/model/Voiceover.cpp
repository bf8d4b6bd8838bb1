#include "model/Voiceover.h"

#include "platform/Hasher.h"
#include "platform/TextRules.h"

namespace vt {

bool operator==(const Voiceover& a, const Voiceover& b)
{
    return text::canonicallyEqual(a.path, b.path) && a.start == b.start && a.duration == b.duration &&
           a.words == b.words && a.volume == b.volume && a.originalLevel == b.originalLevel &&
           a.captionsFromVoice == b.captionsFromVoice;
}

json::Value Voiceover::toJson() const
{
    return json::Writer()
        .required("path", path)
        .required("start", start)
        .required("duration", duration)
        .required("words", words)
        .required("volume", volume)
        .required("originalLevel", originalLevel)
        .required("captionsFromVoice", captionsFromVoice)
        .unknown(unknown).done();
}

Voiceover Voiceover::fromJson(const json::Value& v)
{
    json::Reader in(v);
    return in.withUnknown(Voiceover{in.required<std::string>("path"), in.required<double>("start"),
                                    in.required<double>("duration"), in.required<std::vector<Word>>("words"),
                                    in.required<double>("volume"), in.required<double>("originalLevel"),
                                    in.required<bool>("captionsFromVoice")});
}

}  // namespace vt

std::size_t std::hash<vt::Voiceover>::operator()(const vt::Voiceover& v) const noexcept
{
    return vt::Hasher()
        .add(v.path)
        .add(v.start)
        .add(v.duration)
        .add(v.words)
        .add(v.volume)
        .add(v.originalLevel)
        .add(v.captionsFromVoice)
        .value();
}
