#include "ui/inspector/ItemInspector.h"
#include "ui/theme/NumberText.h"

#include "ui/inspector/CompactButton.h"
#include "ui/inspector/InlineButton.h"
#include "ui/inspector/InspectorGroup.h"
#include "ui/inspector/KitText.h"
#include "ui/inspector/MenuRow.h"
#include "ui/inspector/RowDivider.h"
#include "ui/inspector/RowNote.h"
#include "ui/inspector/SwitchRow.h"
#include "ui/inspector/TimeFormat.h"
#include "ui/inspector/ValueRow.h"
#include "ui/theme/Theme.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

namespace vt::ui {

namespace {

// The timeline's clip colour, which the header's tile shares.
const QColor clipTint = QColor::fromRgbF(0.4f, 0.6f, 1.0f);

QHBoxLayout* buttonRow(QWidget* owner, int spacing, QMargins margins)
{
    auto* row = new QHBoxLayout(owner);
    row->setContentsMargins(margins);
    row->setSpacing(spacing);
    return row;
}

}  // namespace

ItemInspector::ItemInspector(EditorModel& editor, TimelineItem item, QWidget* parent)
    : QWidget(parent), editor_(editor), item_(item)
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* content = new QWidget(scroll);
    column_ = new QVBoxLayout(content);
    column_->setContentsMargins(0, 0, 0, 16);
    column_->setSpacing(18);
    scroll->setWidget(content);
    outer->addWidget(scroll);
    connect(&editor_, &EditorModel::projectChanged, this, &ItemInspector::refresh);
    connect(&editor_, &EditorModel::planChanged, this, &ItemInspector::refresh);
    rebuild();
}

std::optional<BRoll> ItemInspector::broll() const
{
    if (item_.kind != TimelineItem::Kind::overlay || !editor_.project().brolls) return std::nullopt;
    for (const BRoll& b : *editor_.project().brolls)
        if (b.id == item_.id) return b;
    return std::nullopt;
}

ItemInspector::Title ItemInspector::title() const
{
    const auto span = editor_.span(item_).value_or(std::pair{0.0, 0.0});
    const QString place = formatTimecode(span.first) + QStringLiteral(" \u00B7 ") +
                          fixedText(span.second - span.first, 1) + QStringLiteral(" s");
    if (item_.kind == TimelineItem::Kind::overlay) {
        const auto b = broll();
        const bool photo = b && b->isImage;
        return {b ? QString::fromStdString(b->name) : QStringLiteral("Overlay"), photo ? "photo" : "film",
                (photo ? QStringLiteral("Photo") : QStringLiteral("Video")) + QStringLiteral(" on top \u00B7 ") + place};
    }
    if (item_.kind == TimelineItem::Kind::clip) {
        QString name = QStringLiteral("Clip");
        for (const VideoClip& c : editor_.project().videoClips())
            if (c.id == item_.id) {
                name = QString::fromStdString(c.name);
                break;
            }
        return {name, "film", QStringLiteral("Clip \u00B7 ") + place};
    }
    return {{}, "questionmark", {}};
}

Binding<double> ItemInspector::binding(double ItemAdjust::*field)
{
    return {[this, field] { return editor_.adjust(item_).*field; },
            [this, field](const double& v) { editor_.updateAdjust(item_, [&](ItemAdjust& a) { a.*field = v; }); }};
}

Binding<double> ItemInspector::binding(double VideoGrade::*field)
{
    return {[this, field] { return editor_.adjust(item_).grade.*field; },
            [this, field](const double& v) { editor_.updateAdjust(item_, [&](ItemAdjust& a) { a.grade.*field = v; }); }};
}

ItemInspector::Shape ItemInspector::shape() const
{
    const ItemAdjust a = editor_.adjust(item_);
    Shape s;
    s.lookShown = a.grade.look != "none";
    s.gradeChanged = !(a.grade == VideoGrade{});
    s.zoomNote = a.zoom <= 1.001;
    s.changed = !(a == ItemAdjust{});
    s.broll = broll();
    s.clipMuted = a.volume <= VolumeEnvelope::silenceDB;
    s.clips = int(editor_.project().videoClips().size());
    s.enhancing = enhancing_;
    return s;
}

void ItemInspector::refresh()
{
    // Rows show values live; the layout is rebuilt only when rows come or go,
    // and never under a pressed pointer (a slider may be the one moving).
    if (shape() == shown_) {
        for (ValueRow* row : findChildren<ValueRow*>()) row->refresh();
        if (body_) body_->findChild<QLabel*>("detail")->setText(title().detail);
        return;
    }
    if (QApplication::mouseButtons() != Qt::NoButton) {
        for (ValueRow* row : findChildren<ValueRow*>()) row->refresh();
        QTimer::singleShot(100, this, &ItemInspector::refresh);
        return;
    }
    rebuild();
}

void ItemInspector::rebuild()
{
    shown_ = shape();
    if (body_) {
        body_->hide();
        body_->deleteLater();
    }
    body_ = new QWidget(this);
    auto* parts = new QVBoxLayout(body_);
    parts->setContentsMargins(0, 0, 0, 0);
    parts->setSpacing(18);
    const ItemAdjust adjust = editor_.adjust(item_);
    parts->addWidget(header());
    parts->addWidget(enhance(adjust));
    parts->addWidget(crop());
    parts->addWidget(position(adjust));
    if (shown_.broll) parts->addWidget(overlay(*shown_.broll));
    if (item_.kind == TimelineItem::Kind::clip) parts->addWidget(sound(adjust));
    parts->addWidget(actions(adjust));
    column_->insertWidget(0, body_);
    column_->addStretch(0);
}

QWidget* ItemInspector::header()
{
    const Title t = title();
    auto* row = new QWidget(body_);
    auto* line = buttonRow(row, 10, {4, 0, 4, 0});
    auto* tile = new QLabel(row);
    tile->setFixedSize(30, 30);
    tile->setAlignment(Qt::AlignCenter);
    tile->setText(t.icon == "photo" ? QStringLiteral("\u25A3") : QStringLiteral("\u25A4"));
    QColor fill = clipTint;
    fill.setAlphaF(0.15f);
    tile->setStyleSheet(QStringLiteral("QLabel { background: %1; color: %2; border-radius: 8px; font-size: 14pt; }")
                            .arg(fill.name(QColor::HexArgb), clipTint.name()));
    line->addWidget(tile);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(1);
    texts->addWidget(kit::label(t.name, 13, QFont::DemiBold, Theme::ink, row));
    QLabel* detail = kit::label(t.detail, 11, QFont::Normal, Theme::secondaryText, row);
    detail->setObjectName("detail");
    texts->addWidget(detail);
    line->addLayout(texts, 1);
    line->addSpacing(4);
    auto* done = new CompactButton(QStringLiteral("Done"), CompactButton::Kind::secondary, row);
    done->setObjectName("done");
    done->setToolTip(QStringLiteral("Back to the ") + QString::fromUtf8(json::enumText(editor_.inspectorTab())) +
                     QStringLiteral(" tab"));
    connect(done, &QPushButton::clicked, this, [this] {
        if (editor_.itemInspectorOpen()) editor_.setItemInspectorOpen(false);
    });
    line->addWidget(done);
    return row;
}

QWidget* ItemInspector::position(const ItemAdjust& adjust)
{
    auto* group = new InspectorGroup(QStringLiteral("ZOOM & POSITION"), nullptr, body_);
    group->addRow(new ValueRow(QStringLiteral("Zoom"), binding(&ItemAdjust::zoom), {1, 3, 5, 0, "%", 100, true, false, 1}));
    group->addRow(new RowDivider);
    group->addRow(new ValueRow(QStringLiteral("Left \u2194 Right"), binding(&ItemAdjust::panX),
                               {-1, 1, 5, 0, "", 100, true, true, 0}));
    group->addRow(new RowDivider);
    group->addRow(new ValueRow(QStringLiteral("Down \u2195 Up"), binding(&ItemAdjust::panY),
                               {-1, 1, 5, 0, "", 100, true, true, 0}));
    if (adjust.zoom <= 1.001) group->addRow(new RowNote(QStringLiteral("Zoom in first, then move the picture around.")));
    auto* turns = new QWidget;
    auto* row = buttonRow(turns, 8, {12, 8, 12, 8});
    const auto change = [this](std::function<void(ItemAdjust&)> edit) {
        return [this, edit] { editor_.updateAdjust(item_, edit); };
    };
    row->addWidget(new InlineButton(QStringLiteral("Rotate Left"), QStringLiteral("\u21BA"), false,
                                    change([](ItemAdjust& a) { a.turns = ((a.turns + 3) % 4 + 4) % 4; })));
    row->addWidget(new InlineButton(QStringLiteral("Rotate Right"), QStringLiteral("\u21BB"), false,
                                    change([](ItemAdjust& a) { a.turns = ((a.turns + 1) % 4 + 4) % 4; })));
    row->addWidget(new InlineButton(QStringLiteral("Flip"), QStringLiteral("\u21C6"), false,
                                    change([](ItemAdjust& a) { a.flipped = !a.flipped; })));
    row->addStretch(1);
    group->addRow(turns);
    return group;
}

void ItemInspector::writeOverlay(const std::function<void(BRoll&)>& change)
{
    if (!broll()) return;
    editor_.pushUndo();
    editor_.updateProject([&](Project& p) {
        for (BRoll& b : *p.brolls)
            if (b.id == item_.id) {
                change(b);
                break;
            }
    });
    editor_.visualChanged();
}

QWidget* ItemInspector::overlay(const BRoll& b)
{
    auto* group = new InspectorGroup(QStringLiteral("ON TOP OF THE VIDEO"), nullptr, body_);
    std::vector<std::pair<QString, int>> layouts, entrances;
    for (const auto& [value, text] : enumCases(BRollLayout{})) layouts.emplace_back(QString::fromUtf8(text), int(value));
    for (const auto& [value, text] : enumCases(BRollEntrance{}))
        entrances.emplace_back(QString::fromUtf8(text), int(value));
    const BRollLayout layout = b.layout;
    const BRollEntrance entrance = b.entrance;
    group->addRow(new MenuRow(QStringLiteral("Layout"),
                              {[layout] { return int(layout); },
                               [this](const int& v) { writeOverlay([v](BRoll& x) { x.layout = BRollLayout(v); }); }},
                              layouts));
    group->addRow(new RowDivider);
    group->addRow(new ValueRow(QStringLiteral("Opacity"), binding(&ItemAdjust::opacity),
                               {0.1, 1, 5, 0, "%", 100, true, false, 1}));
    group->addRow(new RowDivider);
    group->addRow(new MenuRow(QStringLiteral("Comes in with"),
                              {[entrance] { return int(entrance); },
                               [this](const int& v) { writeOverlay([v](BRoll& x) { x.entrance = BRollEntrance(v); }); }},
                              entrances));
    if (b.isImage) {
        const bool kenBurns = b.kenBurns;
        group->addRow(new RowDivider);
        group->addRow(new SwitchRow(QStringLiteral("Slow zoom (Ken Burns)"),
                                    {[kenBurns] { return kenBurns; },
                                     [this](const bool& on) { writeOverlay([on](BRoll& x) { x.kenBurns = on; }); }}));
    }
    return group;
}

QWidget* ItemInspector::sound(const ItemAdjust&)
{
    auto* group = new InspectorGroup(QStringLiteral("SOUND"), nullptr, body_);
    group->addRow(new ValueRow(QStringLiteral("Volume"), binding(&ItemAdjust::volume),
                               {-40, 12, 1, 0, " dB", 1, true, true, 0}));
    group->addRow(new RowDivider);
    group->addRow(new SwitchRow(QStringLiteral("Mute this clip"),
                                {[this] { return editor_.adjust(item_).volume <= VolumeEnvelope::silenceDB; },
                                 [this](const bool& on) {
                                     editor_.updateAdjust(item_, [on](ItemAdjust& a) { a.volume = on ? -40 : 0; });
                                 }}));
    return group;
}

QWidget* ItemInspector::actions(const ItemAdjust& adjust)
{
    auto* row = new QWidget(body_);
    auto* line = buttonRow(row, 8, {4, 0, 4, 0});
    if (!(adjust == ItemAdjust{})) {
        auto* reset = new InlineButton(QStringLiteral("Reset All"), QStringLiteral("\u21BA"), false, [this] {
            editor_.updateAdjust(item_, [](ItemAdjust& a) { a = ItemAdjust{}; });
        });
        reset->setToolTip(QStringLiteral("Back to how it was recorded"));
        line->addWidget(reset);
    }
    line->addStretch(1);
    if (item_.kind == TimelineItem::Kind::overlay)
        line->addWidget(new InlineButton(QStringLiteral("Duplicate"), QStringLiteral("\u29C9"), false,
                                         [this] { editor_.duplicate(item_); }));
    if (item_.kind != TimelineItem::Kind::clip || editor_.project().videoClips().size() >= 2)
        // Removing the item may close this view: the action holds no `this`.
        line->addWidget(new InlineButton(QStringLiteral("Delete"), QStringLiteral("\u2715"), false,
                                         [&editor = editor_, item = item_] {
                                             editor.remove(item);
                                             if (editor.itemInspectorOpen()) editor.setItemInspectorOpen(false);
                                         }));
    return row;
}

}  // namespace vt::ui
