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
#include "ui/inspector/StyleBrowserView.h"
#include "ui/inspector/StyleEditorView.h"

#include <QAbstractScrollArea>
#include <QScrollArea>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <array>
#include <utility>

namespace vt::ui {

namespace {

QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

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
    kit::reserveGlyph(*icon_, 18);
    if (body_ && item == shownItem_ && tab == shownTab_) return;
    shownItem_ = item;
    shownTab_ = tab;
    if (body_) {
        layout()->removeWidget(body_);
        body_->deleteLater();
    }
    body_ = makeBody();
    // The panels scroll their own content, down only: a panel's vertical
    // scroll bar shows whenever there is more to see (nothing else tells that
    // a list such as the look grid goes on), the horizontal one never. Text
    // fields inside them grow with their text and show none.
    for (auto* area : body_->findChildren<QAbstractScrollArea*>()) {
        const bool panel = qobject_cast<QScrollArea*>(area) != nullptr;
        area->setVerticalScrollBarPolicy(panel ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    static_cast<QVBoxLayout*>(layout())->addWidget(body_, 1);
}

QWidget* InspectorPanel::makeBody()
{
    if (shownItem_) return new ItemInspector(editor_, *shownItem_, this);
    switch (*shownTab_) {
    case InspectorTab::styles: return new StyleBrowserView(editor_, openWriting_, this);
    case InspectorTab::customize: return new StyleEditorView(editor_, this);
    case InspectorTab::voice: return new VoiceView(editor_, SoundPictureJobs::of(editor_).voice(), this);
    case InspectorTab::color: return new ColorView(editor_, SoundPictureJobs::of(editor_), {}, this);
    case InspectorTab::broll: return new BRollView(editor_, {}, this);
    case InspectorTab::effects: return new EffectsView(editor_, new MotionSection(editor_), this);
    case InspectorTab::hook: return new HookView(editor_, this);
    case InspectorTab::thumbnail: return new ThumbnailView(editor_, {}, this);
    case InspectorTab::post: return new PostView(editor_, HookGenerator::aiStatus(), this);
    case InspectorTab::exportTab: break;
    }
    return new ExportView(editor_, exportAction_, {}, this);
}

}  // namespace vt::ui
