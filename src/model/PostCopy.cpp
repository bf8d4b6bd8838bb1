#include "model/PostCopy.h"

#include "model/TextEquality.h"
#include "platform/Hasher.h"
#include "platform/TextRules.h"

namespace vt {

bool operator==(const PostCopy& a, const PostCopy& b)
{
    using text::canonicallyEqual;
    return canonicallyEqual(a.youtubeTitle, b.youtubeTitle) &&
           canonicallyEqual(a.youtubeDescription, b.youtubeDescription) &&
           canonicallyEqual(a.instagram, b.instagram) && canonicallyEqual(a.tiktok, b.tiktok) &&
           canonicallyEqual(a.x, b.x) && a.byAI == b.byAI && sameText(a.language, b.language);
}

json::Value PostCopy::toJson() const
{
    return json::Writer()
        .required("youtubeTitle", youtubeTitle)
        .required("youtubeDescription", youtubeDescription)
        .required("instagram", instagram)
        .required("tiktok", tiktok)
        .required("x", x)
        .required("byAI", byAI)
        .optional("language", language)
        .unknown(unknown).done();
}

PostCopy PostCopy::fromJson(const json::Value& v)
{
    json::Reader in(v);
    return in.withUnknown(PostCopy{in.required<std::string>("youtubeTitle"),
                                   in.required<std::string>("youtubeDescription"),
                                   in.required<std::string>("instagram"), in.required<std::string>("tiktok"),
                                   in.required<std::string>("x"), in.required<bool>("byAI"),
                                   in.optional<std::string>("language")});
}

}  // namespace vt

std::size_t std::hash<vt::PostCopy>::operator()(const vt::PostCopy& p) const noexcept
{
    return vt::Hasher()
        .add(p.youtubeTitle)
        .add(p.youtubeDescription)
        .add(p.instagram)
        .add(p.tiktok)
        .add(p.x)
        .add(p.byAI)
        .add(p.language)
        .value();
}
