#include "model/BRoll.h"

#include "platform/Hasher.h"
#include "platform/TextRules.h"

namespace vt {

bool operator==(const BRoll& a, const BRoll& b)
{
    return a.id == b.id && text::canonicallyEqual(a.path, b.path) && a.bookmark == b.bookmark &&
           text::canonicallyEqual(a.name, b.name) && a.isImage == b.isImage && a.startWordID == b.startWordID &&
           a.endWordID == b.endWordID && a.layout == b.layout && a.entrance == b.entrance &&
           a.kenBurns == b.kenBurns && a.sourceOffset == b.sourceOffset && a.start == b.start &&
           a.length == b.length && a.adjust == b.adjust;
}

json::Value BRoll::toJson() const
{
    return json::Writer()
        .required("id", id)
        .required("path", path)
        .optional("bookmark", bookmark)
        .required("name", name)
        .required("isImage", isImage)
        .required("startWordID", startWordID)
        .required("endWordID", endWordID)
        .required("layout", layout)
        .required("entrance", entrance)
        .required("kenBurns", kenBurns)
        .required("sourceOffset", sourceOffset)
        .optional("start", start)
        .optional("length", length)
        .optional("adjust", adjust)
        .unknown(unknown).done();
}

BRoll BRoll::fromJson(const json::Value& v)
{
    json::Reader in(v);
    return in.withUnknown(BRoll{in.required<Uuid>("id"),
                                in.required<std::string>("path"),
                                in.optional<Bytes>("bookmark"),
                                in.required<std::string>("name"),
                                in.required<bool>("isImage"),
                                in.required<Uuid>("startWordID"),
                                in.required<Uuid>("endWordID"),
                                in.required<BRollLayout>("layout"),
                                in.required<BRollEntrance>("entrance"),
                                in.required<bool>("kenBurns"),
                                in.required<double>("sourceOffset"),
                                in.optional<double>("start"),
                                in.optional<double>("length"),
                                in.optional<ItemAdjust>("adjust")});
}

}  // namespace vt

std::size_t std::hash<vt::BRoll>::operator()(const vt::BRoll& b) const noexcept
{
    vt::Hasher h;
    h.add(b.id).add(b.path).add(b.bookmark);
    return h.add(b.name)
        .add(b.isImage)
        .add(b.startWordID)
        .add(b.endWordID)
        .add(b.layout)
        .add(b.entrance)
        .add(b.kenBurns)
        .add(b.sourceOffset)
        .add(b.start)
        .add(b.length)
        .add(b.adjust)
        .value();
}
