#include "ui/inspector/PostPackage.h"

#include "editor/EditorModel.h"
#include "export/ExportAction.h"
#include "model/Fillers.h"
#include "platform/TextRules.h"
#include "ui/inspector/FlowLayout.h"
#include "ui/inspector/InlineButton.h"
#include "ui/inspector/InspectorGroup.h"
#include "ui/inspector/KitColors.h"
#include "ui/inspector/KitText.h"
#include "ui/inspector/RadioDot.h"
#include "ui/inspector/RowDivider.h"
#include "ui/inspector/RowNote.h"

#include <QEasingCurve>
#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPropertyAnimation>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace vt::ui {

namespace {

constexpr int kBarSteps = 1000;

QString qt(const std::string& s) { return QString::fromStdString(s); }
QString quoted(const QString& s) { return QStringLiteral("\u201C") + s + QStringLiteral("\u201D"); }

QColor srgb(double r, double g, double b, double a = 1)
{
    return QColor::fromRgbF(static_cast<float>(r), static_cast<float>(g), static_cast<float>(b), static_cast<float>(a));
}

QVBoxLayout* plain(QWidget* w)
{
    auto* column = new QVBoxLayout(w);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    return column;
}

void clear(QLayout* layout)
{
    while (QLayoutItem* item = layout->takeAt(0)) {
        if (QWidget* w = item->widget()) {
            // The row may be the one whose click is running now.
            w->hide();
            w->deleteLater();
        }
        delete item;
    }
}

QString rgba(const QColor& c)
{
    return QStringLiteral("rgba(%1,%2,%3,%4)").arg(c.red()).arg(c.green()).arg(c.blue()).arg(c.alphaF());
}

QLabel* chip(const Word& word, QWidget* parent)
{
    auto* l = new QLabel(qt(word.text), parent);
    QFont f = l->font();
    f.setPointSizeF(12.5);
    f.setStrikeOut(word.deleted);
    l->setFont(f);
    Appearances::setStyleSheet(l, [emphasized = word.emphasized, deleted = word.deleted] {
        const QColor fill = emphasized ? srgb(1, 0.8, 0.3, 0.3)
                            : deleted  ? srgb(1, 0.4, 0.5, 0.14)
                                       : QColor(kit::muted());
        const QColor ink = deleted ? srgb(1, 0.4, 0.5) : QColor(kit::ink());
        return QStringLiteral("QLabel { background: %1; color: %2; border-radius: 6px; padding: 4px 8px; }")
            .arg(rgba(fill), rgba(ink));
    });
    return l;
}

QString templateDescription(ThumbnailTemplate design)
{
    switch (design) {
    case ThumbnailTemplate::frame: return QStringLiteral("Best clean frame");
    case ThumbnailTemplate::bold: return QStringLiteral("Bold text treatment");
    case ThumbnailTemplate::clean: return QStringLiteral("Hook card");
    case ThumbnailTemplate::cinematic: return QStringLiteral("Serif over gradient");
    }
    return {};
}

}  // namespace

// ---- a pressable row ----------------------------------------------------------

ChecklistRow::ChecklistRow(QWidget* content, bool topAligned, QWidget* parent) : QWidget(parent), content_(content)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(12, 5, 12, 5);
    row->setSpacing(10);
    dot_ = new RadioDot(false, this);
    dot_->setScale(0.8);
    row->addWidget(dot_, 0, topAligned ? Qt::AlignTop : Qt::AlignVCenter);
    content_->setParent(this);
    content_->setAttribute(Qt::WA_TransparentForMouseEvents);
    row->addWidget(content_, 1);
    setCursor(Qt::PointingHandCursor);
}

void ChecklistRow::setChosen(bool chosen)
{
    dot_->setOn(chosen);
    setAccessibleDescription(chosen ? QStringLiteral("selected") : QString());
}

bool ChecklistRow::isChosen() const { return dot_->isOn(); }

void ChecklistRow::setPressed(bool pressed)
{
    if (!pressed) {
        setGraphicsEffect(nullptr);
        return;
    }
    auto* effect = new QGraphicsOpacityEffect(this);
    effect->setOpacity(0.7);
    setGraphicsEffect(effect);
}

void ChecklistRow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) setPressed(true);
}

void ChecklistRow::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    setPressed(false);
    if (rect().contains(event->position().toPoint())) emit clicked();
}

// ---- the checklist ------------------------------------------------------------

PostPackage::PostPackage(EditorModel& editor, ExportAction& action, QWidget* parent)
    : QWidget(parent), editor_(editor), action_(action), parts_(std::make_unique<Parts>())
{
    auto& p = *parts_;
    p.status = kit::label({}, 11, QFont::Medium, kit::secondaryText());
    auto* group = new InspectorGroup(QStringLiteral("BEFORE YOU POST"), p.status, this);
    group->addRow(buildHookSection());
    group->addRow(new RowDivider);
    group->addRow(buildCleanupSection());
    group->addRow(new RowDivider);
    group->addRow(buildPackageSection());
    plain(this)->addWidget(group);

    for (auto signal : {&EditorModel::projectChanged, &EditorModel::planChanged, &EditorModel::thumbTextChanged,
                        &EditorModel::thumbTemplateChanged, &EditorModel::thumbCandidatesChanged})
        connect(&editor_, signal, this, &PostPackage::refresh);
    connect(&action_, &ExportAction::sideFilesChanged, this, &PostPackage::refreshPackage);
    connect(&action_, &ExportAction::stateChanged, this, &PostPackage::refreshPackage);
    refresh();
}

PostPackage::~PostPackage() = default;

PostPackage::Readiness PostPackage::readiness(bool hasHook, int fillers, bool hasCandidates)
{
    Readiness r;
    if (!hasHook) r.items.emplace_back("hook");
    if (fillers != 0) r.items.emplace_back("fillers");
    if (!hasCandidates) r.items.emplace_back("thumbnail");
    r.value = static_cast<double>(3 - r.items.size()) / 3;
    return r;
}

std::vector<std::string> PostPackage::hookLines(const std::vector<std::string>& aiHooks,
                                                const std::vector<std::string>& hooks)
{
    std::vector<std::string> lines;
    for (const auto* list : {&aiHooks, &hooks})
        for (const std::string& line : *list)
            if (lines.size() < 3 && std::find(lines.begin(), lines.end(), line) == lines.end()) lines.push_back(line);
    return lines;
}

std::pair<std::size_t, std::size_t> PostPackage::snippet(const std::vector<Word>& words)
{
    if (words.empty()) return {0, 0};
    const auto first = std::find_if(words.begin(), words.end(),
                                    [](const Word& w) { return w.deleted || Fillers::isFiller(w.text); });
    const std::size_t i = first == words.end() ? 0 : static_cast<std::size_t>(first - words.begin());
    const std::size_t c = std::max<std::size_t>(i, 3);
    return {c - 3, std::min(c + 4, words.size())};
}

QWidget* PostPackage::heading(const QString& title, QLabel** subtitle)
{
    auto* w = new QWidget;
    auto* row = new QHBoxLayout(w);
    row->setContentsMargins(12, 10, 12, 4);
    row->setSpacing(8);
    row->addWidget(kit::label(title, 13, QFont::DemiBold, kit::ink(), w), 0, Qt::AlignBaseline);
    row->addStretch(1);
    *subtitle = kit::label({}, 11, QFont::Normal, kit::secondaryText(), w);
    row->addWidget(*subtitle, 0, Qt::AlignBaseline);
    return w;
}

QWidget* PostPackage::buildHookSection()
{
    auto& p = *parts_;
    auto* section = new QWidget;
    auto* column = plain(section);
    column->addWidget(heading(QStringLiteral("Hook"), &p.hookSubtitle));
    p.noHooks = new RowNote(QStringLiteral("Not enough speech to pull a hook from yet."), section);
    p.noHooks->setContentsMargins(12, 0, 12, 0);
    column->addWidget(p.noHooks);
    auto* rows = new QWidget(section);
    plain(rows);
    rows->setObjectName(QStringLiteral("hookRows"));
    column->addWidget(rows);
    column->addSpacing(6);
    return section;
}

QWidget* PostPackage::buildCleanupSection()
{
    auto& p = *parts_;
    auto* section = new QWidget;
    auto* column = plain(section);
    column->addWidget(heading(QStringLiteral("Cleanup"), &p.cleanupSubtitle));
    // The flow lays out its whole rectangle, so the side padding is the holder's.
    auto* holder = new QWidget(section);
    auto* padded = plain(holder);
    padded->setContentsMargins(12, 0, 12, 0);
    auto* chips = new QWidget(holder);
    p.chips = new FlowLayout(5, 5, chips);
    padded->addWidget(chips);
    column->addWidget(holder);

    auto* status = new QWidget(section);
    auto* row = new QHBoxLayout(status);
    row->setContentsMargins(12, 8, 12, 8);
    row->setSpacing(8);
    p.synced = kit::label(QStringLiteral("✓ Captions synced"), 11.5, QFont::Medium, srgb(0.1, 0.62, 0.4), status);
    row->addWidget(p.synced);
    row->addStretch(1);
    p.removeFillers = new InlineButton(QString(), QString(), false, [this] { editor_.removeFillers(); }, status);
    row->addWidget(p.removeFillers);
    column->addWidget(status);
    return section;
}

QWidget* PostPackage::buildPackageSection()
{
    auto& p = *parts_;
    auto* section = new QWidget;
    auto* column = plain(section);
    QLabel* subtitle = nullptr;
    column->addWidget(heading(QStringLiteral("Thumbnail"), &subtitle));
    subtitle->setText(QStringLiteral("Saved next to the video"));
    for (ThumbnailTemplate design : {ThumbnailTemplate::frame, ThumbnailTemplate::bold, ThumbnailTemplate::clean,
                                     ThumbnailTemplate::cinematic}) {
        auto* text = new QWidget;
        auto* lines = plain(text);
        lines->setSpacing(1);
        lines->addWidget(kit::label(qt(std::string(json::enumText(design))), 13, QFont::Medium, kit::ink(), text));
        auto* detail = kit::elidedLabel(Qt::ElideRight, 11, kit::secondaryText(), text);  // one line
        lines->addWidget(detail);
        auto* row = new ChecklistRow(text, false, section);
        connect(row, &ChecklistRow::clicked, this, [this, design] { chooseTemplate(design); });
        column->addWidget(row);
        p.templateRows.emplace_back(design, row);
        p.templateDetails.push_back(detail);
    }

    auto* progress = new QWidget(section);
    auto* block = new QVBoxLayout(progress);
    block->setContentsMargins(12, 10, 12, 10);
    block->setSpacing(6);
    p.toDo = kit::label({}, 11, QFont::Normal, kit::secondaryText(), progress);
    block->addWidget(p.toDo);
    p.bar = new QProgressBar(progress);
    p.bar->setRange(0, kBarSteps);
    p.bar->setTextVisible(false);
    p.bar->setFixedHeight(6);
    block->addWidget(p.bar);
    p.barMotion = new QPropertyAnimation(p.bar, "value", this);
    p.barMotion->setDuration(300);
    p.barMotion->setEasingCurve(QEasingCurve::OutCubic);
    column->addWidget(progress);
    return section;
}

void PostPackage::chooseTemplate(ThumbnailTemplate design)
{
    editor_.setThumbTemplate(design);
    action_.setAlsoThumbnail(true);
    if (editor_.thumbCandidates().empty()) editor_.findThumbnails();
}

void PostPackage::refresh()
{
    refreshHooks();
    refreshCleanup();
    refreshPackage();
}

void PostPackage::refreshHooks()
{
    auto& p = *parts_;
    const Project& project = editor_.project();
    p.hookSubtitle->setText(project.aiHooks.empty() ? QStringLiteral("From your transcript")
                                                    : QStringLiteral("Transcript + on-device model"));
    std::vector<std::string> lines = hookLines(project.aiHooks, project.hooks);
    // A hook of the user's own on screen is listed first, chosen, so the
    // list shows the hook the video has.
    if (project.hookOverlay && !text::trimWhitespace(project.hookOverlay->text).empty()
        && std::find(lines.begin(), lines.end(), project.hookOverlay->text) == lines.end())
        lines.insert(lines.begin(), project.hookOverlay->text);
    p.noHooks->setVisible(lines.empty());
    auto* rows = findChild<QWidget*>(QStringLiteral("hookRows"));
    if (lines != shownHooks_) {
        shownHooks_ = lines;
        clear(rows->layout());
        p.hookRows.clear();
        for (const std::string& line : lines) {
            auto* text = kit::label(quoted(qt(line)), 13, QFont::Normal, kit::ink());
            text->setWordWrap(true);
            auto* row = new ChecklistRow(text, true, rows);
            connect(row, &ChecklistRow::clicked, this, [this, line] { editor_.useHook(line); });
            rows->layout()->addWidget(row);
            p.hookRows.push_back(row);
        }
    }
    for (std::size_t i = 0; i < p.hookRows.size(); ++i) {
        const bool chosen = project.hookOverlay && project.hookOverlay->text == lines[i];
        p.hookRows[i]->setChosen(chosen);
        QFont f = p.hookRows[i]->content()->font();
        f.setWeight(chosen ? QFont::Medium : QFont::Normal);
        p.hookRows[i]->content()->setFont(f);
    }
}

void PostPackage::refreshCleanup()
{
    auto& p = *parts_;
    const int fillers = editor_.fillerCount();
    const long saved = std::lround(editor_.savedSeconds());
    p.cleanupSubtitle->setText(QStringLiteral("%1 cut \u00B7 %2 fillers left \u00B7 \u2212%3s")
                                   .arg(editor_.cutCount())
                                   .arg(fillers)
                                   .arg(saved));
    // The chips are made again only when the words they show change.
    const std::vector<Word>& words = editor_.transcript();
    const auto [from, to] = snippet(words);
    std::string key;
    for (std::size_t i = from; i < to; ++i)
        key += words[i].id.text() + (words[i].deleted ? "d" : "k") + (words[i].emphasized ? "e" : "p") +
               words[i].text + '\n';
    if (key != shownChips_) {
        shownChips_ = key;
        clear(p.chips);
        p.chipLabels.clear();
        for (std::size_t i = from; i < to; ++i) {
            QLabel* l = chip(words[i], p.chips->parentWidget());
            p.chips->addWidget(l);
            p.chipLabels.push_back(l);
        }
    }
    // The button takes the label's place while fillers are left.
    p.synced->setVisible(fillers == 0);
    p.removeFillers->setVisible(fillers > 0);
    p.removeFillers->setText(QStringLiteral("Remove %1 Fillers").arg(fillers));
    p.removeFillers->setAccessibleName(p.removeFillers->text());
}

void PostPackage::refreshPackage()
{
    auto& p = *parts_;
    const Project& project = editor_.project();
    const Readiness ready = readiness(project.hookOverlay.has_value(), editor_.fillerCount(),
                                      !editor_.thumbCandidates().empty());
    const auto progress = action_.exportProgress();
    if (progress)
        p.status->setText(QStringLiteral("Exporting"));
    else if (ready.value >= 1)
        p.status->setText(QStringLiteral("Ready"));
    else
        p.status->setText(QStringLiteral("%1 of 3 done").arg(3 - static_cast<int>(ready.items.size())));

    QString thumbText = qt(editor_.thumbText());
    if (thumbText.isEmpty())
        thumbText = project.hookOverlay ? qt(project.hookOverlay->text) : QStringLiteral("Your hook");
    for (std::size_t i = 0; i < p.templateRows.size(); ++i) {
        const auto [design, row] = p.templateRows[i];
        row->setChosen(action_.alsoThumbnail() && editor_.thumbTemplate() == design);
        QString detail = templateDescription(design);
        if (design != ThumbnailTemplate::frame) detail += QStringLiteral(" \u00B7 ") + quoted(thumbText);
        p.templateDetails[i]->setFullText(detail);
    }

    QStringList items;
    for (const auto& item : ready.items) items << qt(item);
    p.toDo->setVisible(!progress && !items.isEmpty());
    p.toDo->setText(QStringLiteral("To do: ") + items.join(QStringLiteral(", ")));
    const int target = static_cast<int>(std::lround((progress ? *progress : ready.value) * kBarSteps));
    const bool moving = p.barMotion->state() == QAbstractAnimation::Running;
    if (moving ? p.barMotion->endValue().toInt() != target : p.bar->value() != target) {
        p.barMotion->stop();
        p.barMotion->setStartValue(p.bar->value());
        p.barMotion->setEndValue(target);
        p.barMotion->start();
    }
}

}  // namespace vt::ui
