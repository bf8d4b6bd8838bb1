#include "ui/inspector/EmphasisSection.h"

#include "captions/FontBook.h"
#include "ui/inspector/StyleEditorView.h"

namespace vt::ui {

EmphasisSection::EmphasisSection(DisclosureGroup& group, StyleEdits& edits, QWidget* parent)
    : LookSection(StyleEditorView::sectionID(StyleEditorView::Section::emphasis), QStringLiteral("Emphasis"),
                  QStringLiteral("★"), group, edits, &EmphasisSection::summary, parent)
{
    rows_.toggle(QStringLiteral("Auto hero word"), edits.field(&CaptionStyle::heroWord),
                 QStringLiteral("Emphasize the longest word in each caption"));
    // "Same as text" is the unset font, never an empty name.
    std::function<LookRows::Options<std::string>()> fonts = [&edits] {
        LookRows::Options<std::string> out{{QStringLiteral("Same as text"), ""}};
        for (auto& option : StyleEditorView::fontOptions(edits.look().emphasisFont.value_or(std::string())))
            out.push_back(std::move(option));
        return out;
    };
    rows_.menu<std::string>(QStringLiteral("Emphasis font"), fonts,
                            {[&edits] { return edits.look().emphasisFont.value_or(std::string()); },
                             [&edits](const std::string& name) {
                                 edits.write(&CaptionStyle::emphasisFont,
                                             name.empty() ? std::nullopt : std::optional(name));
                             }});
    rows_.value(QStringLiteral("Emphasis size"), edits.field(&CaptionStyle::emphasisScale),
                LookRows::span(0.8, 2.5, 0.05, 2, QStringLiteral("×")));
    rows_.color(QStringLiteral("Emphasis color"), &CaptionStyle::emphasisColor, RGBA::fromHex("2BFF6B"));
    rows_.note([](const CaptionStyle&) {
        return QStringLiteral("Select words in the transcript and press Ctrl+B to emphasize them.");
    });
}

QString EmphasisSection::summary(const CaptionStyle& look)
{
    QStringList parts;
    if (look.heroWord) parts << QStringLiteral("Hero word");
    if (look.emphasisFont) parts << QString::fromStdString(FontBook::label(*look.emphasisFont));
    if (look.emphasisScale != 1) parts << StyleEditorView::fmt(look.emphasisScale, 2) + QStringLiteral("×");
    return parts.isEmpty() ? QStringLiteral("Off") : parts.join(QStringLiteral(" · "));
}

}  // namespace vt::ui
