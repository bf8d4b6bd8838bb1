#include "captions/presets/StylePresets.h"

#include "captions/presets/PresetBuilding.h"

namespace vt {

const std::vector<CaptionStyle>& StylePresets::all()
{
    static const std::vector<CaptionStyle> catalogue = [] {
        std::vector<CaptionStyle> looks;
        looks.reserve(core().size() + trending().size() + more().size() + lockups().size());
        for (const auto* list : {&core(), &trending(), &more(), &lockups()})
            looks.insert(looks.end(), list->begin(), list->end());
        return looks;
    }();
    return catalogue;
}

std::vector<RGBA> darkened(const std::vector<RGBA>& colours)
{
    std::vector<RGBA> out;
    out.reserve(colours.size());
    for (const auto& c : colours) out.push_back({c.r * 0.8, c.g * 0.8, c.b * 0.8, 1});
    return out;
}

}  // namespace vt
