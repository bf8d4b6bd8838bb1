#include "ui/theme/Theme.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

#include <map>

namespace vt {
namespace {

QColor rgb(double r, double g, double b, double alpha = 1) { return QColor::fromRgbF(r, g, b, alpha); }

std::optional<Appearance>& stored()
{
    static std::optional<Appearance> appearance;
    return appearance;
}

// Qt here has no live system colour scheme: the system's choice is the one
// the platform palette showed at start, before any appearance was applied.
bool systemIsDark()
{
    static const bool dark = [] {
        const QColor window = QGuiApplication::palette().color(QPalette::Window);
        return window.lightnessF() < 0.5;
    }();
    return dark;
}

class Notifier : public QObject {
    Q_OBJECT
signals:
    void changed();
};

Notifier& theNotifier()
{
    static Notifier notifier;
    return notifier;
}

// The palette colours and style sheet of one widget, made again after every
// change of appearance; a child of the widget, so it goes with it.
class Binding : public QObject {
public:
    explicit Binding(QWidget* widget) : QObject(widget), widget_(widget)
    {
        setObjectName(QStringLiteral("vtAppearanceBinding"));
        connect(&theNotifier(), &Notifier::changed, this, &Binding::apply);
    }
    static Binding& of(QWidget* widget)
    {
        auto* found = widget->findChild<Binding*>(QStringLiteral("vtAppearanceBinding"), Qt::FindDirectChildrenOnly);
        return found ? *found : *new Binding(widget);
    }
    static Binding* find(QWidget* widget)
    {
        return widget->findChild<Binding*>(QStringLiteral("vtAppearanceBinding"), Qt::FindDirectChildrenOnly);
    }

    std::map<QPalette::ColorRole, DynamicColor> colours;
    std::function<QString()> styleSheet;

    void apply()
    {
        // The style sheet first: polishing for a new one puts back the
        // palette the widget had before, which the colours then replace.
        if (styleSheet) widget_->setStyleSheet(styleSheet());
        if (!colours.empty()) {
            QPalette palette = widget_->palette();
            for (const auto& [role, colour] : colours) palette.setColor(role, colour);
            widget_->setPalette(palette);
        }
    }

private:
    QWidget* widget_;
};

}  // namespace

DynamicColor::operator QColor() const { return resolved(Appearances::isDark()); }

DynamicColor dynamicColor(QColor light, QColor dark) { return {light, dark}; }

namespace Theme {
const DynamicColor ink{rgb(0.055, 0.058, 0.075), rgb(0.955, 0.955, 0.965)};
const DynamicColor secondaryText{rgb(0.38, 0.40, 0.46), rgb(0.60, 0.61, 0.66)};
const DynamicColor onInk{Qt::white, rgb(0.055, 0.056, 0.068)};
const DynamicColor canvas{rgb(0.949, 0.949, 0.957), rgb(0.043, 0.043, 0.051)};
const DynamicColor surface{Qt::white, rgb(0.09, 0.09, 0.105)};
const DynamicColor surfaceRaised{Qt::white, rgb(0.13, 0.13, 0.155)};
const DynamicColor muted{rgb(0.945, 0.948, 0.958), rgb(0.14, 0.14, 0.16)};
const DynamicColor hairline{rgb(0, 0, 0, 0.07), rgb(1, 1, 1, 0.08)};
const DynamicColor border{rgb(0, 0, 0, 0.20), rgb(1, 1, 1, 0.24)};
const DynamicColor shadow{rgb(0, 0, 0, 0.07), QColor(Qt::transparent)};
const DynamicColor accent{rgb(0.416, 0.298, 0.941), rgb(0.545, 0.455, 1.0)};
const DynamicColor selected{rgb(0.416, 0.298, 0.941, 0.12), rgb(0.545, 0.455, 1.0, 0.20)};
const DynamicColor highlight{rgb(0.89, 0.86, 1.0), rgb(0.22, 0.19, 0.38)};
const QColor stage = rgb(0.055, 0.056, 0.072);
const QColor onMedia = Qt::white;
const QColor mediaScrim = Qt::black;
const QColor onAccent = Qt::white;

const std::array<QColor, 4>& brandColors()
{
    static const std::array<QColor, 4> colors{rgb(0.37, 0.42, 1.0), rgb(0.65, 0.30, 1.0), rgb(1.0, 0.28, 0.68), rgb(1.0, 0.62, 0.24)};
    return colors;
}

QLinearGradient gradient(qreal fromX, qreal toX)
{
    QLinearGradient g(fromX, 0, toX, 0);
    const auto& colors = brandColors();
    for (std::size_t i = 0; i < colors.size(); ++i) g.setColorAt(static_cast<qreal>(i) / (colors.size() - 1), colors[i]);
    return g;
}
}  // namespace Theme

namespace Appearances {

std::string_view rawValue(Appearance appearance)
{
    switch (appearance) {
    case Appearance::light: return "light";
    case Appearance::dark: return "dark";
    case Appearance::system: break;
    }
    return "system";
}

Appearance fromRaw(std::string_view raw)
{
    if (raw == "light") return Appearance::light;
    if (raw == "dark") return Appearance::dark;
    return Appearance::system;
}

std::string_view label(Appearance appearance)
{
    switch (appearance) {
    case Appearance::light: return "Light";
    case Appearance::dark: return "Dark";
    case Appearance::system: break;
    }
    return "Same as the system";
}

void apply(std::string_view raw)
{
    systemIsDark();  // the system's choice, read before anything is applied
    const Appearance appearance = fromRaw(raw);
    stored() = appearance == Appearance::system ? std::nullopt : std::optional(appearance);
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Window, Theme::canvas);
    palette.setColor(QPalette::WindowText, Theme::ink);
    palette.setColor(QPalette::Base, Theme::surface);
    palette.setColor(QPalette::Text, Theme::ink);
    palette.setColor(QPalette::PlaceholderText, Theme::secondaryText);
    palette.setColor(QPalette::Button, Theme::muted);
    palette.setColor(QPalette::ButtonText, Theme::ink);
    palette.setColor(QPalette::Highlight, Theme::accent);
    palette.setColor(QPalette::HighlightedText, Theme::onAccent);
    QApplication::setPalette(palette);
    // A style sheet fixes the palettes of the widget and everything under it
    // when it is applied; applied again, it starts from the new palette.
    for (QWidget* widget : QApplication::allWidgets()) {
        if (!widget->styleSheet().isEmpty()) widget->setStyleSheet(widget->styleSheet());
        widget->update();
    }
    emit theNotifier().changed();
}

std::optional<Appearance> explicitAppearance() { return stored(); }

bool isDark() { return stored() ? *stored() == Appearance::dark : systemIsDark(); }

QObject* notifier() { return &theNotifier(); }

void setColor(QWidget* widget, QPalette::ColorRole role, const DynamicColor& colour)
{
    Binding& binding = Binding::of(widget);
    binding.colours[role] = colour;
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

void setColor(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    if (Binding* binding = Binding::find(widget)) binding->colours.erase(role);
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

void setStyleSheet(QWidget* widget, std::function<QString()> make)
{
    Binding& binding = Binding::of(widget);
    binding.styleSheet = std::move(make);
    widget->setStyleSheet(binding.styleSheet ? binding.styleSheet() : QString());
}

void follow(QObject* context, std::function<void()> restyle)
{
    restyle();
    QObject::connect(&theNotifier(), &Notifier::changed, context, std::move(restyle));
}

}  // namespace Appearances

}  // namespace vt

#include "Theme.moc"
