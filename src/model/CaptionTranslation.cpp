#include "model/CaptionTranslation.h"

#include "model/TextEquality.h"
#include "platform/Hasher.h"
#include "platform/TextRules.h"

namespace vt {

bool operator==(const CaptionTranslation& a, const CaptionTranslation& b)
{
    return a.words == b.words && sameText(a.source, b.source) && text::canonicallyEqual(a.basis, b.basis) &&
           a.createdAt == b.createdAt;
}

json::Value CaptionTranslation::toJson() const
{
    return json::Writer()
        .required("words", words)
        .optional("source", source)
        .required("basis", basis)
        .required("createdAt", createdAt)
        .unknown(unknown).done();
}

CaptionTranslation CaptionTranslation::fromJson(const json::Value& v)
{
    json::Reader in(v);
    return in.withUnknown(CaptionTranslation{in.required<std::vector<Word>>("words"),
                                             in.optional<std::string>("source"), in.required<std::string>("basis"),
                                             in.required<Date>("createdAt")});
}

}  // namespace vt

std::size_t std::hash<vt::CaptionTranslation>::operator()(const vt::CaptionTranslation& t) const noexcept
{
    return vt::Hasher()
        .add(t.words)
        .add(t.source)
        .add(t.basis)
        .add(static_cast<std::int64_t>(t.createdAt.time_since_epoch().count()))
        .value();
}
