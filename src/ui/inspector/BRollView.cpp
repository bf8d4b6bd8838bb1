#include "ui/inspector/BRollView.h"

#include "ui/inspector/BRollRow.h"
#include "ui/inspector/FeatureRow.h"
#include "ui/inspector/InlineButton.h"
#include "ui/inspector/InspectorGroup.h"
#include "ui/inspector/KitColors.h"
#include "ui/inspector/MenuRow.h"
#include "ui/inspector/RowDivider.h"
#include "ui/inspector/RowNote.h"
#include "ui/theme/OpenPanel.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace vt::ui {

namespace {

QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

EditorModel::FileChooser systemChooser(QWidget* parent)
{
    return [parent](const std::string& message, const std::vector<std::string>& patterns) -> std::optional<std::string> {
        QStringList globs;
        for (const std::string& pattern : patterns) globs << QString::fromStdString(pattern);
        const QString path = OpenPanel::chooseFile(parent, QString::fromStdString(message),
                                                   QObject::tr("Videos and photos (%1)").arg(globs.join(' ')), OpenPanel::Kind::video);
        if (path.isEmpty()) return std::nullopt;
        return path.toStdString();
    };
}

}  // namespace

BRollView::BRollView(EditorModel& editor, EditorModel::FileChooser choose, QWidget* parent)
    : FeaturePanel({}, parent), editor_(editor), choose_(choose ? std::move(choose) : systemChooser(this))
{
    column()->addWidget(buildTransitions());
    column()->addWidget(buildBRollGroup());
    connect(&editor_, &EditorModel::projectChanged, this, [this] {
        refreshTransitions();
        scheduleRefresh([this] { rebuildList(); });
    });
    connect(&editor_, &EditorModel::planChanged, this, &BRollView::refreshTransitions);
    for (auto signal : {&EditorModel::brollPlacementsChanged, &EditorModel::brollThumbsChanged})
        connect(&editor_, signal, this, [this] { scheduleRefresh([this] { rebuildList(); }); });
    connect(&editor_, &EditorModel::selectionChanged, this, &BRollView::refreshAddButton);
    refreshTransitions();
    refreshAddButton();
    rebuildList();
}

QString BRollView::transitionNote(CutTransition transition)
{
    switch (transition) {
    case CutTransition::none: return QStringLiteral("Straight jump cuts");
    case CutTransition::zoomPunch: return QStringLiteral("Alternates close and wide framing on every cut");
    case CutTransition::zoomIn: return QStringLiteral("Each new shot eases in from a slight zoom");
    case CutTransition::flash: return QStringLiteral("A quick white flash");
    case CutTransition::dipBlack: return QStringLiteral("A quick dip through black");
    case CutTransition::whip: return QStringLiteral("Motion-blurred whip pan");
    case CutTransition::glitch: return QStringLiteral("RGB-split glitch");
    }
    return {};
}

QWidget* BRollView::buildTransitions()
{
    auto* group = new InspectorGroup(QStringLiteral("TRANSITIONS"), nullptr, content());
    std::vector<std::pair<QString, int>> options;
    for (const auto& [value, label] : enumCases(CutTransition{})) options.emplace_back(text(label), static_cast<int>(value));
    Binding<int> shown{[this] { return static_cast<int>(editor_.project().cutTransition.value_or(CutTransition::none)); },
                       [this](const int& value) {
                           // Stored even for "None", so the field is no longer absent.
                           editor_.updateProject([value](Project& p) { p.cutTransition = static_cast<CutTransition>(value); });
                           editor_.visualChanged();
                       }};
    parts_.transition = new MenuRow(QStringLiteral("At jump cuts"), shown, options, group);
    group->addRow(parts_.transition);
    parts_.transitionNote = new RowNote({}, group);
    group->addRow(parts_.transitionNote);
    parts_.noCutsNote =
        new RowNote(QStringLiteral("No cuts yet. Remove fillers or trim pauses in the transcript to create some."), group);
    group->addRow(parts_.noCutsNote);
    return group;
}

QWidget* BRollView::buildBRollGroup()
{
    parts_.add = new InlineButton({}, QStringLiteral("+"), true, [this] {
        if (const auto path = EditorModel::pickBRollFile(choose_)) editor_.addBRoll(*path);
    });
    auto* group = new InspectorGroup(QStringLiteral("B-ROLL"), parts_.add, content());
    auto* holder = new QWidget(group);
    list_ = rowStack(holder);
    group->addRow(holder);
    auto* tip = new RowNote(
        QStringLiteral("Tip: select words in the transcript (Shift-click for a range), then add. Or right-click a word → Add B-roll."),
        group);
    tip->setContentsMargins(tip->contentsMargins() + QMargins(0, 6, 0, 0));
    group->addRow(tip);
    return group;
}

void BRollView::refreshTransitions()
{
    parts_.transition->refresh();
    const CutTransition shown = editor_.project().cutTransition.value_or(CutTransition::none);
    parts_.transitionNote->setText(transitionNote(shown));
    parts_.noCutsNote->setVisible(shown != CutTransition::none && editor_.plan().segments.size() < 2);
}

void BRollView::refreshAddButton()
{
    parts_.add->setText(editor_.selection().empty() ? QStringLiteral("+ Add at Playhead") : QStringLiteral("+ Add over Selection"));
}

void BRollView::rebuildList()
{
    clearLayout(list_);
    parts_.rows.clear();
    parts_.dividers = 0;
    parts_.emptyRow = nullptr;
    auto* holder = list_->parentWidget();
    const auto& brolls = editor_.project().brolls;
    if (!brolls || brolls->empty()) {
        parts_.emptyRow = new FeatureRow(QStringLiteral("No B-roll yet"), QStringLiteral("❐"),
                                         QStringLiteral("Cutaway clips and photos, pinned to your words so they follow "
                                                        "edits. Videos play muted; photos get a slow Ken Burns zoom."),
                                         new QWidget, holder);
        list_->addWidget(parts_.emptyRow);
        return;
    }
    for (const BRoll& item : *brolls) {
        if (!parts_.rows.empty()) {
            list_->addWidget(new RowDivider(holder));
            ++parts_.dividers;
        }
        std::optional<BRollPlacement> placement;
        for (const BRollPlacement& placed : editor_.brollPlacements())
            if (placed.item.id == item.id) {
                placement = placed;
                break;
            }
        auto* row = new BRollRow(editor_, item, placement, holder);
        parts_.rows.push_back(row);
        list_->addWidget(row);
    }
}

}  // namespace vt::ui
