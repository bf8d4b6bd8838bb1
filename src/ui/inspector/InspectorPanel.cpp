#include "ui/inspector/InspectorPanel.h"

#include "editor/EditorModel.h"
#include "editor/SoundPictureJobs.h"
#include "ui/inspector/BRollView.h"
#include "ui/inspector/ColorView.h"
#include "ui/inspector/EffectsView.h"
#include "ui/inspector/ExportView.h"
#include "ui/inspector/HookView.h"
#include "ui/inspector/ItemInspector.h"
#include "ui/inspector/MotionSection.h"
#include "ui/inspector/ThumbnailView.h"
#include "ui/inspector/VoiceView.h"
#include "ui/inspector/KitColors.h"
#include "ui/inspector/KitText.h"
#include "ui/inspector/PostView.h"
#include "ui/inspector/RowNote.h"
#include "ui/inspector/StyleBrowserView.h"
#include "ui/inspector/StyleEditorView.h"

#include <QAbstractScrollArea>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <array>
#include <utility>

namespace vt::ui {

namespace {

QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// What the panels that are not built yet will hold.
QString plannedPanel(InspectorTab tab)
{
    switch (tab) {
    case InspectorTab::styles: return QStringLiteral("The caption styles will be here: browse, search and pick a look.");
    case InspectorTab::customize: return QStringLiteral("Every setting of the caption look will be edited here.");
    case InspectorTab::voice: return QStringLiteral("Voiceover recording will be here.");
    case InspectorTab::color: return QStringLiteral("Video and sound will be here: stabilization, audio cleanup, music and colour.");
    case InspectorTab::broll: return QStringLiteral("B-roll clips and photos will be placed from here.");
    case InspectorTab::effects: return QStringLiteral("Emojis, sound effects, the progress bar and camera moves will be here.");
    case InspectorTab::hook: return QStringLiteral("The opening hook and match cuts will be here.");
    case InspectorTab::thumbnail: return QStringLiteral("Thumbnail frames and templates will be here.");
    case InspectorTab::post: return QStringLiteral("Ready-to-paste post texts will be here.");
    case InspectorTab::exportTab: break;
    }
    return {};
}

}  // namespace

QString symbolGlyph(const QString& symbolName)
{
    static const std::array<std::pair<const char*, const char*>, 11> glyphs{{
        {"textformat", "Aa"}, {"slider.horizontal.3", "☰"}, {"mic.fill", "🎙"}, {"wand.and.stars", "✨"},
        {"rectangle.on.rectangle", "❐"}, {"sparkle", "✦"}, {"bolt.fill", "⚡"}, {"photo", "🖼"},
        {"paperplane", "➤"}, {"square.and.arrow.up", "⇪"}, {"slider.horizontal.below.rectangle", "▭"},
    }};
    for (const auto& [name, glyph] : glyphs)
        if (symbolName == QLatin1String(name)) return QString::fromUtf8(glyph);
    return QStringLiteral("•");
}

InspectorPanel::InspectorPanel(EditorModel& editor, ExportAction& exportAction, OpenCaptionWriting openWriting,
                               QWidget* parent)
    : QWidget(parent), editor_(editor), exportAction_(exportAction), openWriting_(std::move(openWriting))
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 2, 0, 0);
    column->setSpacing(10);
    auto* header = new QWidget(this);
    header->setMinimumHeight(24);
    header->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(4, 0, 4, 0);
    row->setSpacing(8);
    icon_ = kit::label({}, 13, QFont::Medium, kit::secondaryText(), header);
    icon_->setMinimumWidth(18);
    icon_->setAlignment(Qt::AlignCenter);
    row->addWidget(icon_);
    title_ = kit::label({}, 15, QFont::DemiBold, kit::ink(), header);
    QFont f = title_->font();
    f.setLetterSpacing(QFont::AbsoluteSpacing, -0.2);
    title_->setFont(f);
    row->addWidget(title_);
    row->addStretch(1);
    column->addWidget(header);

    SoundPictureJobs::of(editor_);  // cleanup, music and stabilization resume with the editor, whatever tab shows
    connect(&editor_, &EditorModel::inspectorTabChanged, this, &InspectorPanel::refresh);
    connect(&editor_, &EditorModel::itemInspectorOpenChanged, this, &InspectorPanel::refresh);
    connect(&editor_, &EditorModel::timelineSelectionChanged, this, &InspectorPanel::refresh);
    refresh();
}

std::optional<TimelineItem> InspectorPanel::inspected(bool itemInspectorOpen, const std::optional<TimelineItem>& selection)
{
    if (!itemInspectorOpen || !selection) return std::nullopt;
    if (selection->kind != TimelineItem::Kind::clip && selection->kind != TimelineItem::Kind::overlay) return std::nullopt;
    return selection;
}

QString InspectorPanel::headerTitle() const { return title_->text(); }
QString InspectorPanel::headerIcon() const { return iconName_; }

void InspectorPanel::refresh()
{
    const auto item = inspected(editor_.itemInspectorOpen(), editor_.timelineSelection());
    const std::optional<InspectorTab> tab = item ? std::nullopt : std::optional(editor_.inspectorTab());
    if (item) {
        iconName_ = QStringLiteral("slider.horizontal.below.rectangle");
        title_->setText(item->kind == TimelineItem::Kind::clip ? QStringLiteral("Clip") : QStringLiteral("On Top"));
    } else {
        iconName_ = text(icon(*tab));
        title_->setText(text(json::enumText(*tab)));
    }
    icon_->setText(symbolGlyph(iconName_));
    if (body_ && item == shownItem_ && tab == shownTab_) return;
    shownItem_ = item;
    shownTab_ = tab;
    if (body_) {
        layout()->removeWidget(body_);
        body_->deleteLater();
    }
    body_ = makeBody();
    // The panels scroll their own content; the host hides every scroll bar in them.
    for (auto* area : body_->findChildren<QAbstractScrollArea*>()) {
        area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    static_cast<QVBoxLayout*>(layout())->addWidget(body_, 1);
}

QWidget* InspectorPanel::makeBody()
{
    if (shownItem_) return new ItemInspector(editor_, *shownItem_, this);
    if (shownTab_ == InspectorTab::exportTab) return new ExportView(editor_, exportAction_, {}, this);
    if (shownTab_ == InspectorTab::styles) return new StyleBrowserView(editor_, openWriting_, this);
    if (shownTab_ == InspectorTab::customize) return new StyleEditorView(editor_, this);
    if (shownTab_ == InspectorTab::voice) return new VoiceView(editor_, SoundPictureJobs::of(editor_).voice(), this);
    if (shownTab_ == InspectorTab::color) return new ColorView(editor_, SoundPictureJobs::of(editor_), {}, this);
    if (shownTab_ == InspectorTab::effects) return new EffectsView(editor_, new MotionSection(editor_), this);
    if (shownTab_ == InspectorTab::broll) return new BRollView(editor_, {}, this);
    if (shownTab_ == InspectorTab::hook) return new HookView(editor_, this);
    if (shownTab_ == InspectorTab::thumbnail) return new ThumbnailView(editor_, {}, this);
    if (shownTab_ == InspectorTab::post) return new PostView(editor_, HookGenerator::aiStatus(), this);
    const QString note = plannedPanel(*shownTab_);
    auto* placeholder = new QWidget(this);
    auto* column = new QVBoxLayout(placeholder);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(new RowNote(note, placeholder));
    column->addStretch(1);
    return placeholder;
}

}  // namespace vt::ui
