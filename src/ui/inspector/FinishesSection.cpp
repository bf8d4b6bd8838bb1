#include "ui/inspector/FinishesSection.h"

#include "ui/inspector/StyleEditorView.h"

namespace vt::ui {

namespace {

// On stores true; off leaves the field unset, never false.
Binding<bool> trueOrUnset(StyleEdits& edits, std::optional<bool> CaptionStyle::*field)
{
    return {[&edits, field] { return (edits.look().*field).value_or(false); },
            [&edits, field](const bool& on) { edits.write(field, on ? std::optional(true) : std::nullopt); }};
}

}  // namespace

FinishesSection::FinishesSection(DisclosureGroup& group, StyleEdits& edits, QWidget* parent)
    : LookSection(StyleEditorView::sectionID(StyleEditorView::Section::finishes), QStringLiteral("Stickers & Paper"),
                  QStringLiteral("✂"), group, edits, &FinishesSection::summary, parent)
{
    rows_.color(QStringLiteral("Sticker border"), &CaptionStyle::sticker, RGBA::fromHex("F7F4EC"));
    rows_.color(QStringLiteral("Sticker rim"), &CaptionStyle::stickerRim, RGBA::fromHex("1F1F1F"),
                [](const CaptionStyle& s) { return s.sticker.has_value(); });
    rows_.color(QStringLiteral("Torn paper strips"), &CaptionStyle::tornPaper, RGBA::fromHex("F4EFE2"));
    rows_.toggle(QStringLiteral("Ransom note letters"), trueOrUnset(edits, &CaptionStyle::ransom));
    rows_.toggle(QStringLiteral("Keep re-cutting letters"), trueOrUnset(edits, &CaptionStyle::ransomLive),
                 QStringLiteral("Letters change while the caption is on screen"),
                 [](const CaptionStyle& s) { return s.ransom.value_or(false); });
    rows_.color(QStringLiteral("Neon frame"), &CaptionStyle::neonFrame, RGBA::fromHex("C4FF4D"));
    rows_.color(QStringLiteral("Wipe-in block"), &CaptionStyle::wipeColor, RGBA::fromHex("D11100"));
}

QString FinishesSection::summary(const CaptionStyle& look)
{
    QStringList parts;
    if (look.sticker) parts << QStringLiteral("Sticker");
    if (look.tornPaper) parts << QStringLiteral("Torn paper");
    if (look.ransom.value_or(false)) parts << QStringLiteral("Ransom");
    if (look.neonFrame) parts << QStringLiteral("Neon");
    if (look.wipeColor) parts << QStringLiteral("Wipe");
    return parts.isEmpty() ? QStringLiteral("None") : parts.join(QStringLiteral(", "));
}

}  // namespace vt::ui
