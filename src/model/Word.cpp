#include "model/Word.h"

#include "model/TextEquality.h"
#include "platform/Hasher.h"

namespace vt {

bool operator==(const Word& a, const Word& b)
{
    return a.id == b.id && text::canonicallyEqual(a.text, b.text) && a.start == b.start
        && a.end == b.end && a.deleted == b.deleted && a.emphasized == b.emphasized
        && a.breakAfter == b.breakAfter && sameText(a.native, b.native) && a.look == b.look
        && sameText(a.styleID, b.styleID);
}

json::Value Word::toJson() const
{
    return json::Writer()
        .required("id", id)
        .required("text", text)
        .required("start", start)
        .required("end", end)
        .required("deleted", deleted)
        .required("emphasized", emphasized)
        .required("breakAfter", breakAfter)
        .optional("native", native)
        .optional("look", look)
        .optional("styleID", styleID)
        .unknown(unknown).done();
}

Word Word::fromJson(const json::Value& v)
{
    json::Reader in(v);
    return in.withUnknown(Word{in.required<Uuid>("id"),
                               in.required<std::string>("text"),
                               in.required<double>("start"),
                               in.required<double>("end"),
                               in.required<bool>("deleted"),
                               in.required<bool>("emphasized"),
                               in.required<bool>("breakAfter"),
                               in.optional<std::string>("native"),
                               in.optional<WordLook>("look"),
                               in.optional<std::string>("styleID")});
}

}  // namespace vt

std::size_t std::hash<vt::Word>::operator()(const vt::Word& w) const noexcept
{
    return vt::Hasher()
        .add(w.id)
        .add(w.text)
        .add(w.start)
        .add(w.end)
        .add(w.deleted)
        .add(w.emphasized)
        .add(w.breakAfter)
        .add(w.native)
        .add(w.look)
        .add(w.styleID)
        .value();
}
