#include "ui/inspector/TimingSection.h"

#include "ui/inspector/StyleEditorView.h"

namespace vt::ui {

namespace {

const LookRows::Options<HighlightMode>& highlights()
{
    static const LookRows::Options<HighlightMode> options{
        {QStringLiteral("None"), HighlightMode::none},       {QStringLiteral("Color flip"), HighlightMode::color},
        {QStringLiteral("Box"), HighlightMode::box},         {QStringLiteral("Scale up"), HighlightMode::scale},
        {QStringLiteral("Underline"), HighlightMode::underline}, {QStringLiteral("Sliding box"), HighlightMode::slide}};
    return options;
}

const LookRows::Options<ExitAnimation>& exits()
{
    static const LookRows::Options<ExitAnimation> options{
        {QStringLiteral("Quick cut"), ExitAnimation::cut}, {QStringLiteral("Fade out"), ExitAnimation::fade},
        {QStringLiteral("Shrink"), ExitAnimation::shrink},  {QStringLiteral("Drop"), ExitAnimation::drop},
        {QStringLiteral("Scatter"), ExitAnimation::scatter}};
    return options;
}

}  // namespace

TimingSection::TimingSection(DisclosureGroup& group, StyleEdits& edits, QWidget* parent)
    : LookSection(StyleEditorView::sectionID(StyleEditorView::Section::timing), QStringLiteral("Word Timing"),
                  QStringLiteral("⏱"), group, edits, &TimingSection::summary, parent)
{
    rows_.menu(QStringLiteral("Active word"), highlights(), edits.field(&CaptionStyle::highlight));
    rows_.color(QStringLiteral("Active text color"), &CaptionStyle::activeColor, RGBA::fromHex("FFE500"),
                [](const CaptionStyle& s) { return usesActiveColor(s.highlight); });
    rows_.color(QStringLiteral("Highlight color"), &CaptionStyle::highlightColor, RGBA::fromHex("7C5CFF"),
                [](const CaptionStyle& s) { return usesHighlightColor(s.highlight); });
    // A quick cut is the unset exit.
    rows_.menu<ExitAnimation>(QStringLiteral("Exit"), exits(),
                              {[&edits] { return edits.look().exitAnimation.value_or(ExitAnimation::cut); },
                               [&edits](const ExitAnimation& exit) {
                                   edits.write(&CaptionStyle::exitAnimation,
                                               exit == ExitAnimation::cut ? std::nullopt : std::optional(exit));
                               }});
    rows_.toggle(QStringLiteral("Dim words not yet spoken"), edits.field(&CaptionStyle::dimUnspoken));
    rows_.toggle(QStringLiteral("Outline words until spoken"),
                 {[&edits] { return edits.look().hollowUnspoken.value_or(false); },
                  [&edits](const bool& on) { edits.write(&CaptionStyle::hollowUnspoken, std::optional(on)); }});
    rows_.toggle(QStringLiteral("End captions at pauses"),
                 {[&edits] { return edits.look().pauseBreak.has_value(); },
                  [&edits](const bool& on) {
                      edits.write(&CaptionStyle::pauseBreak, on ? std::optional(0.35) : std::nullopt);
                  }});
    rows_.value(QStringLiteral("Pause length (s)"),
                {[&edits] { return edits.look().pauseBreak.value_or(0.35); },
                 [&edits](const double& seconds) { edits.write(&CaptionStyle::pauseBreak, std::optional(seconds)); }},
                LookRows::span(0.15, 1.0, 0.05, 2, QStringLiteral("s")),
                [](const CaptionStyle& s) { return s.pauseBreak.has_value(); });
}

QString TimingSection::summary(const CaptionStyle& look)
{
    return LookRows::labelOf(highlights(), look.highlight) + QStringLiteral(" · exit ")
         + LookRows::labelOf(exits(), look.exitAnimation.value_or(ExitAnimation::cut)).toLower();
}

}  // namespace vt::ui
