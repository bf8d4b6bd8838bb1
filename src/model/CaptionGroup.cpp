#include "model/CaptionGroup.h"

#include "model/TextEquality.h"
#include "platform/Hasher.h"

namespace vt {

bool operator==(const CaptionGroup& a, const CaptionGroup& b)
{
    return a.words == b.words && a.start == b.start && a.end == b.end && a.index == b.index
        && sameText(a.styleID, b.styleID);
}

}  // namespace vt

std::size_t std::hash<vt::CaptionGroup>::operator()(const vt::CaptionGroup& g) const noexcept
{
    return vt::Hasher().add(g.words).add(g.start).add(g.end).add(g.index).add(g.styleID).value();
}
