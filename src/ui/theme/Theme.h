#pragma once
// The one palette every view takes its colours from, and the user's
// appearance choice (follow the system, always light, always dark).
// Dynamic members hold a light and a dark value and resolve at draw time
// from the effective appearance. Main thread only.

#include <QColor>
#include <QLinearGradient>
#include <QObject>
#include <QPalette>

#include <array>
#include <functional>
#include <optional>
#include <string_view>

class QWidget;

namespace vt {

struct DynamicColor {
    QColor light;
    QColor dark;
    QColor resolved(bool darkAppearance) const { return darkAppearance ? dark : light; }
    operator QColor() const;  // resolved under the current appearance
};

// A colour pair resolved under the current appearance.
DynamicColor dynamicColor(QColor light, QColor dark);

namespace Theme {
extern const DynamicColor ink, secondaryText, onInk, canvas, surface, surfaceRaised, muted, hairline, border, shadow, accent,
    selected, highlight;
extern const QColor stage, onMedia, mediaScrim, onAccent;
const std::array<QColor, 4>& brandColors();
// The brand gradient across a span, leading to trailing edge, stops evenly spaced.
QLinearGradient gradient(qreal fromX, qreal toX);
inline QLinearGradient deepGradient(qreal fromX, qreal toX) { return gradient(fromX, toX); }
}  // namespace Theme

enum class Appearance { system, light, dark };

namespace Appearances {
inline constexpr std::array<Appearance, 3> all{Appearance::system, Appearance::light, Appearance::dark};
std::string_view rawValue(Appearance appearance);
// "light" and "dark" give their case; every other text gives system.
Appearance fromRaw(std::string_view raw);
// The picker's labels.
std::string_view label(Appearance appearance);
// Sets the application-wide appearance from a setting string: "light",
// "dark", anything else clears it so the system's applies. Repaints every
// widget and announces the change.
void apply(std::string_view raw);
// The explicit appearance, none when the system's applies.
std::optional<Appearance> explicitAppearance();
// Whether views draw dark now.
bool isDark();
// Announces every change of the effective appearance.
QObject* notifier();

// What a widget shows in palette colours, kept in step with the appearance:
// colours and style sheets set here are resolved now and again after every
// change, while the widget lives. Setting a role or the style sheet again
// replaces what was set before.
void setColor(QWidget* widget, QPalette::ColorRole role, const DynamicColor& colour);
// A fixed colour for the role: it no longer follows the appearance.
void setColor(QWidget* widget, QPalette::ColorRole role, const QColor& colour);
void setStyleSheet(QWidget* widget, std::function<QString()> make);
// Runs `restyle` now and after every change of the appearance while
// `context` lives.
void follow(QObject* context, std::function<void()> restyle);
}  // namespace Appearances

}  // namespace vt
