#pragma once
// The fixed sets a caption look chooses from: how the spoken word is marked,
// how a caption enters and leaves, free-form placements, containers, app
// cards, letter fills and alignment. Each case is stored as its own name
// ("slideUp"); text naming no case fails to read. The caption layouts, which
// rewrite a look, are in CaptionLayout.h.

#include "captions/look/RGBA.h"

#include <array>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace vt {

namespace vocabulary_detail {

// The (case, stored text) table of a table whose rows have `value` and `raw`.
template <class E, class Row, std::size_t N>
constexpr auto casesOf(const std::array<Row, N>& rows)
{
    std::array<std::pair<E, std::string_view>, N> out{};
    for (std::size_t i = 0; i < N; ++i) out[i] = {rows[i].value, rows[i].raw};
    return out;
}

template <class Row, class E, std::size_t N>
constexpr const Row& rowOf(const std::array<Row, N>& rows, E value)
{
    for (const auto& r : rows)
        if (r.value == value) return r;
    return rows.front();  // unreachable for a declared case
}

}  // namespace vocabulary_detail

// ---- highlight of the spoken word -----------------------------------------

enum class HighlightMode { none, color, box, scale, underline, slide };

struct HighlightModeRow {
    HighlightMode value;
    std::string_view raw;
    bool usesActiveColor;     // recolours the spoken word with the look's activeColor
    bool usesHighlightColor;  // draws a shape in the look's highlightColor
    std::string_view tag;     // search tag of a look using it; empty for none
};

inline constexpr std::array<HighlightModeRow, 6> kHighlightModes{{
    {HighlightMode::none, "none", false, false, ""},
    {HighlightMode::color, "color", true, false, "Color flip"},
    {HighlightMode::box, "box", true, true, "Box"},
    {HighlightMode::scale, "scale", false, false, "Scale up"},
    {HighlightMode::underline, "underline", false, true, "Underline"},
    {HighlightMode::slide, "slide", true, true, "Sliding box"},
}};

constexpr auto enumCases(HighlightMode) { return vocabulary_detail::casesOf<HighlightMode>(kHighlightModes); }
constexpr bool usesActiveColor(HighlightMode m) { return vocabulary_detail::rowOf(kHighlightModes, m).usesActiveColor; }
constexpr bool usesHighlightColor(HighlightMode m)
{
    return vocabulary_detail::rowOf(kHighlightModes, m).usesHighlightColor;
}
// The search tag of a look with this highlight; absent for none.
constexpr std::optional<std::string_view> searchTag(HighlightMode m)
{
    auto tag = vocabulary_detail::rowOf(kHighlightModes, m).tag;
    return tag.empty() ? std::nullopt : std::optional(tag);
}

// ---- entrance and exit ----------------------------------------------------

enum class EntranceAnimation { none, pop, fade, slideUp, slideDown, bounce, typewriter, slam, slideIn, flyIn };

struct EntranceAnimationRow {
    EntranceAnimation value;
    std::string_view raw;
    std::string_view label;  // shown in menus
};

inline constexpr std::array<EntranceAnimationRow, 10> kEntranceAnimations{{
    {EntranceAnimation::none, "none", "None"},
    {EntranceAnimation::pop, "pop", "Pop"},
    {EntranceAnimation::fade, "fade", "Fade"},
    {EntranceAnimation::slideUp, "slideUp", "Slide up"},
    {EntranceAnimation::slideDown, "slideDown", "Slide down"},
    {EntranceAnimation::bounce, "bounce", "Word bounce"},
    {EntranceAnimation::typewriter, "typewriter", "Word reveal"},
    {EntranceAnimation::slam, "slam", "Word slam"},
    {EntranceAnimation::slideIn, "slideIn", "Slide in by line"},
    {EntranceAnimation::flyIn, "flyIn", "Fly in (scatter)"},
}};

constexpr auto enumCases(EntranceAnimation)
{
    return vocabulary_detail::casesOf<EntranceAnimation>(kEntranceAnimations);
}
constexpr std::string_view label(EntranceAnimation a) { return vocabulary_detail::rowOf(kEntranceAnimations, a).label; }

// A look without an exit leaves with a cut.
enum class ExitAnimation { cut, fade, shrink, drop, scatter };

struct ExitAnimationRow {
    ExitAnimation value;
    std::string_view raw;
    double duration;  // seconds the exit runs
};

inline constexpr std::array<ExitAnimationRow, 5> kExitAnimations{{
    {ExitAnimation::cut, "cut", 0.08},
    {ExitAnimation::fade, "fade", 0.2},
    {ExitAnimation::shrink, "shrink", 0.18},
    {ExitAnimation::drop, "drop", 0.22},
    {ExitAnimation::scatter, "scatter", 0.26},
}};

constexpr auto enumCases(ExitAnimation) { return vocabulary_detail::casesOf<ExitAnimation>(kExitAnimations); }
constexpr double duration(ExitAnimation e) { return vocabulary_detail::rowOf(kExitAnimations, e).duration; }

// ---- placement and containers ---------------------------------------------

// Words placed freely rather than set in lines; the last four caption layouts
// of the same names select them.
enum class FreeformLayout { spotlight, sideLeft, sideRight, stagger };

constexpr auto enumCases(FreeformLayout)
{
    using F = FreeformLayout;
    return std::array{std::pair{F::spotlight, std::string_view("spotlight")},
                      std::pair{F::sideLeft, std::string_view("sideLeft")},
                      std::pair{F::sideRight, std::string_view("sideRight")},
                      std::pair{F::stagger, std::string_view("stagger")}};
}

// chatRight and chatLeft are bubbles with the tail on that side.
enum class CaptionContainer { chatRight, chatLeft, notification };

constexpr auto enumCases(CaptionContainer)
{
    using C = CaptionContainer;
    return std::array{std::pair{C::chatRight, std::string_view("chatRight")},
                      std::pair{C::chatLeft, std::string_view("chatLeft")},
                      std::pair{C::notification, std::string_view("notification")}};
}

// The app whose notification card is drawn; a look without one shows messages.
enum class NotificationApp { messages, chat, social, direct, mail, phone, reminder };

struct NotificationAppRow {
    NotificationApp value;
    std::string_view raw;
    std::array<std::string_view, 3> hex;  // icon gradient, first to last; unused entries empty
};

inline constexpr std::array<NotificationAppRow, 7> kNotificationApps{{
    {NotificationApp::messages, "messages", {"6CF77E", "0DBE2B", ""}},
    {NotificationApp::chat, "chat", {"3DDC84", "128C7E", ""}},
    {NotificationApp::social, "social", {"FDB44B", "E1306C", "7B3FE4"}},
    {NotificationApp::direct, "direct", {"00C6FF", "7B61FF", ""}},
    {NotificationApp::mail, "mail", {"3DB7FF", "1467E8", ""}},
    {NotificationApp::phone, "phone", {"6CF77E", "1DB63A", ""}},
    {NotificationApp::reminder, "reminder", {"FFB340", "FF6A00", ""}},
}};

constexpr auto enumCases(NotificationApp) { return vocabulary_detail::casesOf<NotificationApp>(kNotificationApps); }
// The app icon's gradient colours, opaque, first to last.
std::vector<RGBA> colors(NotificationApp app);

// ---- letters ----------------------------------------------------------------

enum class TextFill { solid, gradient, peak, shine, chrome };

constexpr auto enumCases(TextFill)
{
    using F = TextFill;
    return std::array{std::pair{F::solid, std::string_view("solid")}, std::pair{F::gradient, std::string_view("gradient")},
                      std::pair{F::peak, std::string_view("peak")}, std::pair{F::shine, std::string_view("shine")},
                      std::pair{F::chrome, std::string_view("chrome")}};
}

// A look without an alignment centres its lines.
enum class TextAlign { center, left, right };

constexpr auto enumCases(TextAlign)
{
    using A = TextAlign;
    return std::array{std::pair{A::center, std::string_view("center")}, std::pair{A::left, std::string_view("left")},
                      std::pair{A::right, std::string_view("right")}};
}

}  // namespace vt
