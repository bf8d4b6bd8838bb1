#include "model/TimedWord.h"

#include "model/TextEquality.h"
#include "platform/Hasher.h"

namespace vt {

bool operator==(const TimedWord& a, const TimedWord& b)
{
    return text::canonicallyEqual(a.text, b.text) && a.start == b.start && a.end == b.end
        && a.emphasized == b.emphasized && a.breakAfter == b.breakAfter
        && a.endsSentence == b.endsSentence && a.id == b.id && a.look == b.look
        && sameText(a.styleID, b.styleID);
}

}  // namespace vt

std::size_t std::hash<vt::TimedWord>::operator()(const vt::TimedWord& w) const noexcept
{
    return vt::Hasher()
        .add(w.text)
        .add(w.start)
        .add(w.end)
        .add(w.emphasized)
        .add(w.breakAfter)
        .add(w.endsSentence)
        .add(w.id)
        .add(w.look)
        .add(w.styleID)
        .value();
}
