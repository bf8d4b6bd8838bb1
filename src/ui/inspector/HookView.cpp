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
    parts_.aiError = kit::label({}, 12, QFont::Normal, QColor(Qt::red), content());
    parts_.aiError->setWordWrap(true);
    parts_.aiError->hide();
    column()->addWidget(parts_.aiError);
    connect(&editor_, &EditorModel::projectChanged, this, [this] {
        refreshOverlay();
        scheduleRefresh([this] { rebuildLists(); });
    });
    refreshOverlay();
    rebuildLists();
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
    parts_.fromWords = plainColumn(holder);
    group->addRow(holder);
    return group;
}

QWidget* HookView::buildRewrites()
{
    parts_.write = new InlineButton({}, QStringLiteral("✨"), false, [this] { writeHooks(); });
    auto* group = new InspectorGroup(QStringLiteral("AI REWRITES"), parts_.write, content());
    const HookGenerator::Status status = HookGenerator::aiStatus();
    parts_.aiStatus = new RowNote(QString::fromStdString(status.message), group);
    parts_.aiStatus->setContentsMargins(parts_.aiStatus->contentsMargins() + QMargins(0, 6, 0, 0));
    group->addRow(parts_.aiStatus);
    // Guarded only while a writing runs (it runs to its end within the
    // click here); without the model a click says why in red.
    auto* holder = new QWidget(group);
    parts_.rewrites = plainColumn(holder);
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

void HookView::writeHooks()
{
    parts_.aiError->hide();
    std::string transcript;
    for (const Word& w : editor_.project().words)
        if (!w.deleted) transcript += (transcript.empty() ? "" : " ") + w.text;
    try {
        auto lines = HookGenerator::aiHooks(transcript);
        editor_.updateProject([&](Project& p) { p.aiHooks = std::move(lines); });
    } catch (const std::exception& e) {
        // Earlier rewrites stay; the reason shows until the next attempt.
        parts_.aiError->setText(QString::fromUtf8(e.what()));
        parts_.aiError->show();
    }
}

}  // namespace vt::ui
