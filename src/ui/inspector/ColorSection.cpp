#include "ui/inspector/ColorSection.h"

#include "ui/inspector/OptionalColorRow.h"
#include "ui/inspector/StyleEditorView.h"

#include <QLabel>

namespace vt::ui {

namespace {

const RGBA kGradient = RGBA::fromHex("FFB347");

// What the look's fill shows as.
TextFill shownFill(const CaptionStyle& look)
{
    if (look.fill) return *look.fill;
    return look.gradientColor ? TextFill::gradient : TextFill::solid;
}

const LookRows::Options<TextFill>& fills()
{
    static const LookRows::Options<TextFill> options{{QStringLiteral("Solid"), TextFill::solid},
                                                     {QStringLiteral("Gradient"), TextFill::gradient},
                                                     {QStringLiteral("Centre peak"), TextFill::peak},
                                                     {QStringLiteral("Shine stripes"), TextFill::shine},
                                                     {QStringLiteral("Chrome"), TextFill::chrome}};
    return options;
}

}  // namespace

ColorSection::ColorSection(DisclosureGroup& group, StyleEdits& edits, QWidget* parent)
    : LookSection(StyleEditorView::sectionID(StyleEditorView::Section::color), QStringLiteral("Color & Effects"),
                  QStringLiteral("🎨"), group, edits, &ColorSection::summary, parent)
{
    rows_.color(QStringLiteral("Glow"), &CaptionStyle::glowColor, RGBA::fromHex("7C5CFF"));
    rows_.value(QStringLiteral("Glow size"), edits.field(&CaptionStyle::glowRadius), LookRows::span(0, 60, 1, 0),
                [](const CaptionStyle& s) { return s.glowColor.has_value(); });

    // Solid drops the second colour; gradient brings one when there is none.
    rows_.menu<TextFill>(QStringLiteral("Fill"), fills(),
                         {[&edits] { return shownFill(edits.look()); },
                          [&edits](const TextFill& fill) {
                              edits.write(&CaptionStyle::fill, std::optional(fill));
                              if (fill == TextFill::solid) edits.write(&CaptionStyle::gradientColor, std::optional<RGBA>());
                              if (fill == TextFill::gradient && !edits.look().gradientColor)
                                  edits.write(&CaptionStyle::gradientColor, std::optional(kGradient));
                          }});
    auto* second = new OptionalColorRow(QStringLiteral("Gradient to"), edits.field(&CaptionStyle::gradientColor),
                                        kGradient);
    rows_.add(
        second,
        [](const CaptionStyle& s) {
            const TextFill f = shownFill(s);
            return f == TextFill::gradient || f == TextFill::peak;
        },
        [second, &edits] {
            const bool peak = shownFill(edits.look()) == TextFill::peak;
            second->titleLabel()->setText(peak ? QStringLiteral("Edge color") : QStringLiteral("Gradient to"));
            second->refresh();
        });
    const auto filled = [](const CaptionStyle& s) { return shownFill(s) != TextFill::solid; };
    // Shine stripes lean 28° until an angle is stored.
    rows_.value(QStringLiteral("Fill angle"),
                {[&edits] {
                     const CaptionStyle& s = edits.look();
                     return s.fillAngle.value_or(shownFill(s) == TextFill::shine ? 28 : 0);
                 },
                 [&edits](const double& angle) { edits.write(&CaptionStyle::fillAngle, std::optional(angle)); }},
                LookRows::span(-60, 60, 1, 0, QStringLiteral("°")), filled);
    rows_.toggle(QStringLiteral("Fill hero word only"),
                 {[&edits] { return edits.look().fillHeroOnly.value_or(false); },
                  [&edits](const bool& on) { edits.write(&CaptionStyle::fillHeroOnly, std::optional(on)); }},
                 {}, filled);

    rows_.color(QStringLiteral("Shine sweep"), &CaptionStyle::shineSweep, {1, 1, 1, 0.9});
    rows_.toggle(QStringLiteral("Multicolor words"),
                 {[&edits] { return edits.look().palette && !edits.look().palette->empty(); },
                  [&edits](const bool& on) {
                      edits.write(&CaptionStyle::palette,
                                  on ? std::optional(StyleEditorView::multicolor()) : std::nullopt);
                  }});
    rows_.color(QStringLiteral("Box behind each word"), &CaptionStyle::wordBoxColor, RGBA{1, 1, 1, 1});
    rows_.color(QStringLiteral("Background bar"), &CaptionStyle::barColor, {0, 0, 0, 0.6},
                [](const CaptionStyle& s) { return !s.container; });
    rows_.value(QStringLiteral("Corner radius"), edits.field(&CaptionStyle::cornerRadius), LookRows::span(0, 60, 1, 0),
                [](const CaptionStyle& s) {
                    return s.barColor || s.highlight == HighlightMode::box || s.highlight == HighlightMode::slide;
                });
    rows_.color(QStringLiteral("Knockout (video in text)"), &CaptionStyle::knockout, RGBA{0, 0, 0, 1});
    rows_.color(QStringLiteral("Blend over bright video"), &CaptionStyle::blendDarkColor, RGBA::fromHex("3A88FE"));
    rows_.note(
        [](const CaptionStyle& s) {
            return s.knockout ? QStringLiteral(
                                    "The frame is covered while a caption is on screen; the video shows only inside the letters.")
                              : QStringLiteral(
                                    "Text keeps its color over dark video and switches to this color over bright areas.");
        },
        [](const CaptionStyle& s) { return s.knockout || s.blendDarkColor; });
}

QString ColorSection::summary(const CaptionStyle& look)
{
    QStringList parts;
    if (look.glowColor) parts << QStringLiteral("Glow");
    if (shownFill(look) != TextFill::solid) parts << LookRows::labelOf(fills(), shownFill(look));
    if (look.shineSweep) parts << QStringLiteral("Shine");
    if (look.palette && !look.palette->empty()) parts << QStringLiteral("Multicolor");
    if (look.wordBoxColor) parts << QStringLiteral("Word box");
    if (look.barColor && !look.container) parts << QStringLiteral("Bar");
    if (look.knockout) parts << QStringLiteral("Knockout");
    if (look.blendDarkColor) parts << QStringLiteral("Blend");
    return parts.isEmpty() ? QStringLiteral("None") : parts.join(QStringLiteral(", "));
}

}  // namespace vt::ui
