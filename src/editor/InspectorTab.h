#pragma once
// The panels of the editor's inspector, shown by their raw texts.

#include <array>
#include <string_view>
#include <utility>

namespace vt {

enum class InspectorTab { styles, customize, voice, color, broll, effects, hook, thumbnail, post, exportTab };

constexpr auto enumCases(InspectorTab)
{
    using T = InspectorTab;
    return std::array{std::pair{T::styles, std::string_view("Styles")},
                      std::pair{T::customize, std::string_view("Customize")},
                      std::pair{T::voice, std::string_view("Voice")},
                      std::pair{T::color, std::string_view("Enhance")},
                      std::pair{T::broll, std::string_view("B-roll")},
                      std::pair{T::effects, std::string_view("Effects")},
                      std::pair{T::hook, std::string_view("Hook")},
                      std::pair{T::thumbnail, std::string_view("Thumbnail")},
                      std::pair{T::post, std::string_view("Post")},
                      std::pair{T::exportTab, std::string_view("Export")}};
}

// The symbol name of the tab's icon.
constexpr std::string_view icon(InspectorTab tab)
{
    constexpr std::array<std::string_view, 10> icons{
        "textformat", "slider.horizontal.3", "mic.fill", "wand.and.stars", "rectangle.on.rectangle",
        "sparkle", "bolt.fill", "photo", "paperplane", "square.and.arrow.up"};
    return icons[static_cast<std::size_t>(tab)];
}

}  // namespace vt
