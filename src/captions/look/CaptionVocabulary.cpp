#include "captions/look/CaptionVocabulary.h"

namespace vt {

std::vector<RGBA> colors(NotificationApp app)
{
    std::vector<RGBA> out;
    for (std::string_view hex : vocabulary_detail::rowOf(kNotificationApps, app).hex)
        if (!hex.empty()) out.push_back(RGBA::fromHex(hex));
    return out;
}

}  // namespace vt
