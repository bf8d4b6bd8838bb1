#include "ui/inspector/SpacingSection.h"

#include "ui/inspector/StyleEditorView.h"

namespace vt::ui {

SpacingSection::SpacingSection(DisclosureGroup& group, StyleEdits& edits, QWidget* parent)
    : LookSection(StyleEditorView::sectionID(StyleEditorView::Section::spacing), QStringLiteral("Spacing"),
                  QStringLiteral("↔"), group, edits, &SpacingSection::summary, parent)
{
    rows_.value(QStringLiteral("Letter spacing"), edits.field(&CaptionStyle::letterSpacing), LookRows::span(-4, 20, 0.5, 1));
    rows_.value(QStringLiteral("Line spacing"), edits.field(&CaptionStyle::lineSpacing), LookRows::span(0.7, 1.6, 0.05, 2));
}

QString SpacingSection::summary(const CaptionStyle& look)
{
    return QStringLiteral("Letters ") + StyleEditorView::fmt(look.letterSpacing, 1) + QStringLiteral(" · Lines ")
         + StyleEditorView::fmt(look.lineSpacing, 2);
}

}  // namespace vt::ui
