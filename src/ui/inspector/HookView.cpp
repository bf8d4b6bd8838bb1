#include "ui/inspector/HookView.h"

#include "editor/EditorModel.h"
#include "text/HookGenerator.h"
#include "ui/inspector/InlineButton.h"
#include "ui/inspector/InspectorGroup.h"
#include "ui/inspector/KitColors.h"
#include "ui/inspector/KitText.h"
#include "ui/inspector/MatchCutSection.h"
#include "ui/inspector/RowDivider.h"
#include "ui/inspector/RowNote.h"
#include "ui/inspector/SwitchRow.h"
#include "ui/inspector/ValueRow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace vt::ui {

namespace {

constexpr double defaultDuration = 3.0;

}  // namespace

HookView::HookView(EditorModel& editor, QWidget* parent)
    : FeaturePanel(QStringLiteral("Big text over the first seconds. Win the scroll."), parent), editor_(editor)
{
    parts_.matchCuts = new MatchCutSection(editor_, content());
    column()->addWidget(parts_.matchCuts);
    column()->addWidget(buildOverlay());
    column()->addWidget(buildFromWords());
    column()->addWidget(buildRewrites());
    parts_.thinking = new QWidget(content());
    auto* thinking = new QHBoxLayout(parts_.thinking);
    thinking->setContentsMargins(0, 0, 0, 0);
    thinking->setSpacing(6);
    auto* spinner = new QProgressBar(parts_.thinking);
    spinner->setRange(0, 0);
    spinner->setFixedSize(16, 16);
    spinner->setTextVisible(false);
    thinking->addWidget(spinner);
    thinking->addWidget(kit::label(QStringLiteral("Thinking on-device…"), 12, QFont::Normal, kit::ink(), parts_.thinking), 1);
    column()->addWidget(parts_.thinking);
    parts_.aiError = kit::label({}, 12, QFont::Normal, QColor(Qt::red), content());
    parts_.aiError->setWordWrap(true);
    parts_.aiError->hide();
    column()->addWidget(parts_.aiError);
    connect(&editor_, &EditorModel::projectChanged, this, [this] {
        refreshOverlay();
        scheduleRefresh([this] { rebuildLists(); });
    });
    connect(&editor_, &EditorModel::aiBusyChanged, this, &HookView::refreshWriting);
    connect(&editor_, &EditorModel::aiErrorChanged, this, &HookView::refreshWriting);
    refreshOverlay();
    rebuildLists();
    refreshWriting();
}

QWidget* HookView::buildOverlay()
{
    auto* group = new InspectorGroup(QStringLiteral("HOOK OVERLAY"), nullptr, content());
    Binding<bool> shown{[this] { return editor_.project().hookOverlay.has_value(); },
                        [this](const bool& on) {
                            if (!on) return setOverlay(std::nullopt);
                            // Always from the defaults, never the overlay switched off before.
                            const auto& hooks = editor_.project().hooks;
                            setOverlay(HookOverlay{hooks.empty() ? std::string("Watch this") : hooks.front(), defaultDuration});
                        }};
    parts_.showHook = new SwitchRow(QStringLiteral("Show hook at the start"), shown, {}, group);
    group->addRow(parts_.showHook);

    parts_.overlayRows = new QWidget(group);
    auto* rows = columnUnderDivider(parts_.overlayRows);
    rows->addWidget(textBox(QStringLiteral("Hook text"), 6, parts_.overlayRows, &parts_.hookText));
    connect(parts_.hookText, &QPlainTextEdit::textChanged, this, [this] {
        const auto& overlay = editor_.project().hookOverlay;
        const std::string typed = parts_.hookText->toPlainText().toStdString();
        if (overlay && overlay->text != typed) setOverlay(HookOverlay{typed, overlay->duration});
    });
    Binding<double> duration{[this] {
                                 const auto& overlay = editor_.project().hookOverlay;
                                 return overlay ? overlay->duration : defaultDuration;
                             },
                             [this](const double& seconds) {
                                 const auto& overlay = editor_.project().hookOverlay;
                                 if (overlay) setOverlay(HookOverlay{overlay->text, seconds});
                             }};
    parts_.onScreen = new ValueRow(QStringLiteral("On screen"), duration,
                                   ValueRow::Options{1.5, 6, 0.5, 1, QStringLiteral(" s"), 1, true, false, std::nullopt}, {},
                                   parts_.overlayRows);
    parts_.onScreen->setSliderSnaps(true);
    rows->addWidget(parts_.onScreen);
    group->addRow(parts_.overlayRows);
    return group;
}

QWidget* HookView::buildFromWords()
{
    auto* group = new InspectorGroup(QStringLiteral("FROM YOUR WORDS"), nullptr, content());
    parts_.noHooks = new RowNote(QStringLiteral("Not enough speech to pull a hook from."), group);
    parts_.noHooks->setContentsMargins(parts_.noHooks->contentsMargins() + QMargins(0, 6, 0, 0));
    group->addRow(parts_.noHooks);
    auto* holder = new QWidget(group);
    parts_.fromWords = rowStack(holder);
    group->addRow(holder);
    return group;
}

QWidget* HookView::buildRewrites()
{
    parts_.write = new InlineButton({}, QStringLiteral("✨"), false, [this] { editor_.generateAIHooks(); });
    auto* group = new InspectorGroup(QStringLiteral("AI REWRITES"), parts_.write, content());
    const HookGenerator::Status status = HookGenerator::aiStatus();
    parts_.aiStatus = new RowNote(QString::fromStdString(status.message), group);
    parts_.aiStatus->setContentsMargins(parts_.aiStatus->contentsMargins() + QMargins(0, 6, 0, 0));
    group->addRow(parts_.aiStatus);
    // Held back only while a writing runs; without the model a click says
    // why in red.
    auto* holder = new QWidget(group);
    parts_.rewrites = rowStack(holder);
    group->addRow(holder);
    return group;
}

void HookView::refreshOverlay()
{
    const auto& overlay = editor_.project().hookOverlay;
    parts_.showHook->refresh();
    parts_.overlayRows->setVisible(overlay.has_value());
    if (!overlay) return;
    const QString shown = QString::fromStdString(overlay->text);
    if (parts_.hookText->toPlainText() != shown) parts_.hookText->setPlainText(shown);
    parts_.onScreen->refresh();
}

void HookView::rebuildLists()
{
    const Project& project = editor_.project();
    parts_.noHooks->setVisible(project.hooks.empty());
    fillList(parts_.fromWords, project.hooks);
    fillList(parts_.rewrites, project.aiHooks);
    parts_.write->setText(project.aiHooks.empty() ? QStringLiteral("✨ Write Hooks") : QStringLiteral("✨ Write New Hooks"));
}

void HookView::fillList(QVBoxLayout* list, const std::vector<std::string>& lines)
{
    clearLayout(list);
    auto* holder = list->parentWidget();
    const auto& overlay = editor_.project().hookOverlay;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) list->addWidget(new RowDivider(holder));
        const std::string& line = lines[i];
        const bool inUse = overlay && overlay->text == line;
        auto* row = new QWidget(holder);
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(12, 8, 12, 8);
        layout->setSpacing(10);
        auto* quote = kit::label(QStringLiteral("“") + QString::fromStdString(line) + QStringLiteral("”"), 13,
                                 inUse ? QFont::Medium : QFont::Normal, kit::ink(), row);
        quote->setWordWrap(true);
        layout->addWidget(quote, 1);
        if (inUse)
            layout->addWidget(kit::label(QStringLiteral("✓ Using"), 11.5, QFont::Medium, kit::secondaryText(), row), 0,
                              Qt::AlignTop);
        else
            layout->addWidget(new InlineButton(QStringLiteral("Use"), {}, false, [this, line] { useHook(line); }, row), 0,
                              Qt::AlignTop);
        list->addWidget(row);
    }
}

void HookView::setOverlay(const std::optional<HookOverlay>& overlay)
{
    editor_.updateProject([&](Project& p) { p.hookOverlay = overlay; });
    editor_.visualChanged();
}

void HookView::useHook(const std::string& line)
{
    const auto& overlay = editor_.project().hookOverlay;
    const double duration = overlay ? overlay->duration : defaultDuration;
    editor_.setThumbText(line);
    setOverlay(HookOverlay{line, duration});
}

// The model's writing: the busy row and a held-back button while it runs,
// the reason of its last failure in red until the next attempt.
void HookView::refreshWriting()
{
    parts_.thinking->setVisible(editor_.aiBusy());
    parts_.write->setEnabled(!editor_.aiBusy());
    const auto& error = editor_.aiError();
    parts_.aiError->setVisible(error.has_value());
    if (error) parts_.aiError->setText(QString::fromStdString(*error));
}

}  // namespace vt::ui
