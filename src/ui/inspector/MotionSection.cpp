#include "ui/inspector/MotionSection.h"
#include "ui/theme/NumberText.h"

#include "editor/EditorModel.h"
#include "model/TimeFormat.h"
#include "model/Timeline.h"
#include "ui/inspector/CompactButton.h"
#include "ui/inspector/DragTile.h"
#include "ui/inspector/FeaturePanel.h"
#include "ui/inspector/InlineButton.h"
#include "ui/inspector/InspectorGroup.h"
#include "ui/inspector/InspectorRow.h"
#include "ui/inspector/KitColors.h"
#include "ui/inspector/KitText.h"
#include "ui/inspector/RowDivider.h"
#include "ui/inspector/RowNote.h"
#include "ui/inspector/SwitchRow.h"
#include "ui/inspector/TimelinePayload.h"
#include "ui/inspector/ValueRow.h"
#include "ui/theme/Theme.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QSlider>
#include <QStandardItemModel>
#include <QVBoxLayout>

namespace vt::ui {

namespace {

using K = MotionEffect::Kind;

QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
QString name(K kind) { return text(json::enumText(kind)); }

const std::vector<K> cameraKinds{K::zoomIn, K::zoomOut, K::punchIn, K::pop, K::shake};
const std::vector<K> lookKinds{K::fadeIn, K::fadeOut, K::flash, K::blurIn, K::blackWhite, K::glitch};

// A glyph standing in for each kind's symbol.
QString glyph(K kind)
{
    switch (kind) {
    case K::zoomIn: return QStringLiteral("⊕");
    case K::zoomOut: return QStringLiteral("⊖");
    case K::punchIn: return QStringLiteral("⌖");
    case K::pop: return QStringLiteral("✺");
    case K::shake: return QStringLiteral("〰");
    case K::fadeIn: return QStringLiteral("◐");
    case K::fadeOut: return QStringLiteral("◑");
    case K::flash: return QStringLiteral("⚡");
    case K::blurIn: return QStringLiteral("◌");
    case K::blackWhite: return QStringLiteral("◧");
    case K::glitch: return QStringLiteral("▦");
    }
    return {};
}

QColor motionTint() { return QColor(0xF2, 0x9F, 0x3D); }

// One kind as a tile: its symbol over its name, 48 points high.
class MotionTile : public DragTile {
public:
    MotionTile(K kind, std::function<void()> add, QWidget* parent)
        : DragTile(motionPayload(kind), std::move(add), parent), kind_(kind)
    {
        setFixedHeight(48);
        setMinimumWidth(10);
        setToolTip(text(blurb(kind)) + QStringLiteral(". Click to add at the playhead, or drag onto the timeline."));
        setAccessibleName(QStringLiteral("Add ") + name(kind));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(kit::faded(kit::ink(), hovered() ? 0.1 : 0.05));
        p.drawRoundedRect(QRectF(rect()), 8, 8);
        p.setPen(kit::ink());
        QFont icon = font();
        icon.setPointSizeF(15);
        icon.setWeight(QFont::Medium);
        p.setFont(icon);
        p.drawText(QRect(0, 6, width(), 18), Qt::AlignCenter, glyph(kind_));
        QFont label = font();
        label.setPointSizeF(9.5);
        label.setWeight(QFont::Medium);
        // Shrinks to 70 % when the name does not fit.
        const QString title = name(kind_);
        const double fits = double(width() - 4) / std::max(1, QFontMetrics(label).horizontalAdvance(title));
        if (fits < 1) label.setPointSizeF(9.5 * std::max(0.7, fits));
        p.setFont(label);
        p.drawText(QRect(2, 28, width() - 4, 14), Qt::AlignCenter, QFontMetrics(label).elidedText(title, Qt::ElideRight, width() - 4));
    }

private:
    K kind_;
};

// A placed move's row; a click selects it and moves the playhead there.
class ListRow : public QWidget {
public:
    ListRow(const PlacedMotion& placed, bool selected, std::function<void()> click, QWidget* parent)
        : QWidget(parent), click_(std::move(click)), selected_(selected)
    {
        auto* row = new QHBoxLayout(this);
        row->setContentsMargins(12, 5, 12, 5);
        row->setSpacing(10);
        auto* icon = kit::label(glyph(placed.effect.kind), 12, QFont::Medium, motionTint(), this);
        icon->setFixedWidth(18);
        row->addWidget(icon);
        row->addWidget(kit::label(name(placed.effect.kind), 12.5, selected ? QFont::DemiBold : QFont::Normal, kit::ink(), this));
        row->addStretch(1);
        row->addWidget(kit::label(QString::fromStdString(formatTimecode(placed.start)) + QStringLiteral(" · ") +
                                      fixedText(placed.effect.duration, 1) + QStringLiteral(" s"),
                                  11, QFont::Normal, kit::secondaryText(), this));
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (selected_) QPainter(this).fillRect(rect(), QColor(Theme::selected));
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) click_();
    }

private:
    std::function<void()> click_;
    bool selected_;
};

QWidget* withDivider(QWidget* row, QWidget* parent)
{
    auto* holder = new QWidget(parent);
    auto* column = columnUnderDivider(holder);
    row->setParent(holder);
    column->addWidget(row);
    return holder;
}

}  // namespace

MotionSection::MotionSection(EditorModel& editor, QWidget* parent) : QWidget(parent), editor_(editor)
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    parts_.count = kit::label({}, 11, QFont::Medium, kit::secondaryText());
    auto* group = new InspectorGroup(QStringLiteral("VIDEO EFFECTS"), parts_.count, this);
    outer->addWidget(group);
    auto* intro = new RowNote(QStringLiteral("Click to add at the playhead, or drag onto the timeline. Camera moves zoom and "
                                             "shake the picture while the captions stay still."),
                              group);
    intro->setContentsMargins(intro->contentsMargins() + QMargins(0, 6, 0, 0));
    group->addRow(intro);
    group->addRow(buildTiles(QStringLiteral("Camera"), cameraKinds));
    group->addRow(buildTiles(QStringLiteral("Look"), lookKinds));
    group->addRow(buildEditor());
    group->addRow(new RowDivider(group));
    group->addRow(buildButtons());
    parts_.note = new RowNote({}, group);
    parts_.note->setContentsMargins(parts_.note->contentsMargins() + QMargins(0, 0, 0, 4));
    group->addRow(parts_.note);
    auto* holder = new QWidget(group);
    list_ = rowStack(holder);
    group->addRow(holder);

    for (auto signal : {&EditorModel::placedMotionsChanged, &EditorModel::timelineSelectionChanged, &EditorModel::projectChanged})
        connect(&editor_, signal, this, &MotionSection::refresh);
    refresh();
}

QString MotionSection::autoNoteText(int added)
{
    if (added <= 0) return QStringLiteral("No new moments to add to: every key line already has a move.");
    return QStringLiteral("Added %1 camera move%2 on key lines. Emphasize words (Ctrl+B) to choose them.")
        .arg(added)
        .arg(added == 1 ? QString() : QStringLiteral("s"));
}

std::optional<QString> MotionSection::soundTitle(MotionEffect::Kind kind)
{
    const auto sound = motionSound(kind);
    if (!sound) return std::nullopt;
    static const std::array<const char*, 4> names{"pop", "whoosh", "hit", "tick"};
    return QStringLiteral("Sound (%1)").arg(QString::fromUtf8(names[static_cast<std::size_t>(*sound)]));
}

QWidget* MotionSection::buildTiles(const QString& title, const std::vector<MotionEffect::Kind>& kinds)
{
    auto* holder = new QWidget(this);
    auto* column = new QVBoxLayout(holder);
    column->setContentsMargins(12, 8, 12, 0);
    column->setSpacing(5);
    column->addWidget(kit::label(title, 11, QFont::Medium, kit::secondaryText(), holder));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(6);
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        const K kind = kinds[i];
        auto* tile = new MotionTile(kind, [this, kind] { editor_.addMotion(kind, editor_.currentTime()); }, holder);
        grid->addWidget(tile, static_cast<int>(i / 6), static_cast<int>(i % 6));
        parts_.tiles.push_back(tile);
    }
    for (int c = 0; c < 6; ++c) grid->setColumnStretch(c, 1);
    column->addLayout(grid);
    return holder;
}

Binding<double> MotionSection::dragBinding(double MotionEffect::*field, ValueRow** row)
{
    return {[this, field] {
                const auto move = editor_.selectedMotion();
                return move ? (*move).*field : 0.0;
            },
            [this, field, row](const double& value) {
                // One undo step per finished edit: a slider drag records its
                // step when it starts, and the release ends it.
                edit([field, value](MotionEffect& m) { m.*field = value; }, !dragging_);
                if (*row && (*row)->slider() && (*row)->slider()->isSliderDown()) dragging_ = true;
            }};
}

QWidget* MotionSection::buildEditor()
{
    parts_.editor = new QWidget(this);
    auto* column = columnUnderDivider(parts_.editor);

    parts_.kind = new QComboBox(parts_.editor);
    parts_.kind->setAccessibleName(QStringLiteral("Effect"));
    const auto section = [this](const QString& title, const std::vector<K>& kinds) {
        parts_.kind->addItem(title);
        auto* model = qobject_cast<QStandardItemModel*>(parts_.kind->model());
        if (model) model->item(parts_.kind->count() - 1)->setEnabled(false);
        for (K kind : kinds) parts_.kind->addItem(glyph(kind) + QStringLiteral("  ") + name(kind), static_cast<int>(kind));
    };
    section(QStringLiteral("Camera"), cameraKinds);
    section(QStringLiteral("Look"), lookKinds);
    connect(parts_.kind, &QComboBox::activated, this, [this](int index) {
        const QVariant data = parts_.kind->itemData(index);
        if (!data.isValid()) return;
        const auto kind = static_cast<K>(data.toInt());
        edit([kind](MotionEffect& m) { m.kind = kind; });
    });
    column->addWidget(new InspectorRow(QStringLiteral("Effect"), {}, parts_.kind, parts_.editor));
    column->addWidget(new RowDivider(parts_.editor));

    auto* start = new QWidget(parts_.editor);
    auto* startRow = new QHBoxLayout(start);
    startRow->setContentsMargins(0, 0, 0, 0);
    startRow->setSpacing(8);
    parts_.startsAt = kit::label({}, 12, QFont::Medium, kit::ink(), start);
    startRow->addWidget(parts_.startsAt);
    parts_.playhead = new CompactButton(QStringLiteral("Playhead"), CompactButton::Kind::secondary, start);
    parts_.playhead->setToolTip(QStringLiteral("Start it where the playhead is"));
    connect(parts_.playhead, &QPushButton::clicked, this, [this] {
        const auto move = editor_.selectedMotion();
        if (move) editor_.setSpan(TimelineItem{TimelineItem::Kind::motion, move->id}, editor_.currentTime(), move->duration, true);
    });
    startRow->addWidget(parts_.playhead);
    column->addWidget(new InspectorRow(QStringLiteral("Starts at"), {}, start, parts_.editor));
    column->addWidget(new RowDivider(parts_.editor));

    const auto release = [this] { dragging_ = false; };
    parts_.length = new ValueRow(QStringLiteral("Length"), dragBinding(&MotionEffect::duration, &parts_.length),
                                 ValueRow::Options{0.2, 10, 0.1, 1, QStringLiteral(" s"), 1, true, false, std::nullopt},
                                 release, parts_.editor);
    parts_.length->setSliderSnaps(true);
    // Its reset value is the kind's own length, so the row cannot hold it.
    parts_.length->titleLabel()->setToolTip(QStringLiteral("Double-click to reset"));
    parts_.length->titleLabel()->installEventFilter(this);
    column->addWidget(parts_.length);
    parts_.strength = new ValueRow(QStringLiteral("Strength"), dragBinding(&MotionEffect::strength, &parts_.strength),
                                   ValueRow::Options{0.25, 2, 5, 0, QStringLiteral("%"), 100, true, false, 1.0}, release);
    parts_.strength->setSliderSnaps(true);
    parts_.strengthRow = withDivider(parts_.strength, parts_.editor);
    column->addWidget(parts_.strengthRow);
    Binding<bool> sound{[this] {
                            const auto move = editor_.selectedMotion();
                            return move && move->sound;
                        },
                        [this](const bool& on) { edit([on](MotionEffect& m) { m.sound = on; }); }};
    parts_.sound = new SwitchRow(QStringLiteral("Sound"), sound, {});
    parts_.soundRow = withDivider(parts_.sound, parts_.editor);
    column->addWidget(parts_.soundRow);
    column->addWidget(new RowDivider(parts_.editor));

    auto* footer = new QWidget(parts_.editor);
    auto* footerRow = new QHBoxLayout(footer);
    footerRow->setContentsMargins(12, 8, 12, 8);
    footerRow->setSpacing(8);
    parts_.blurb = kit::label({}, 11.5, QFont::Normal, kit::secondaryText(), footer);
    parts_.blurb->setWordWrap(true);
    footerRow->addWidget(parts_.blurb, 1);
    footerRow->addWidget(new InlineButton(QStringLiteral("Duplicate"), QStringLiteral("⧉"), false, [this] {
        if (const auto move = editor_.selectedMotion()) editor_.duplicate(TimelineItem{TimelineItem::Kind::motion, move->id});
    }, footer));
    footerRow->addWidget(new InlineButton(QStringLiteral("Remove"), QStringLiteral("🗑"), false, [this] {
        if (const auto move = editor_.selectedMotion()) editor_.remove(TimelineItem{TimelineItem::Kind::motion, move->id});
    }, footer));
    column->addWidget(footer);
    return parts_.editor;
}

QWidget* MotionSection::buildButtons()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(12, 8, 12, 8);
    layout->setSpacing(8);
    parts_.autoZoom = new InlineButton(QStringLiteral("Auto Zoom"), QStringLiteral("✨"), false, [this] {
        autoNote_ = autoNoteText(editor_.addAutoMotion());
        refresh();
    }, row);
    parts_.autoZoom->setToolTip(QStringLiteral("Punch-ins and slow zoom-ins on emphasized words, else on new sentences"));
    layout->addWidget(parts_.autoZoom);
    layout->addStretch(1);
    parts_.removeAll = new InlineButton(QStringLiteral("Remove All"), QStringLiteral("🗑"), false, [this] {
        editor_.removeAllMotion();
        autoNote_.reset();
        refresh();
    }, row);
    layout->addWidget(parts_.removeAll);
    return row;
}

bool MotionSection::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parts_.length->titleLabel() && event->type() == QEvent::MouseButtonDblClick) {
        resetLength();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void MotionSection::resetLength()
{
    if (const auto move = editor_.selectedMotion()) {
        const double length = defaultLength(move->kind);
        edit([length](MotionEffect& m) { m.duration = length; });
    }
}

void MotionSection::refresh()
{
    const auto& placed = editor_.placedMotions();
    parts_.count->setText(placed.empty() ? QString() : QStringLiteral("%1 on timeline").arg(placed.size()));
    parts_.removeAll->setVisible(!placed.empty());
    parts_.note->setVisible(autoNote_.has_value());
    parts_.note->setText(autoNote_.value_or(QString()));
    refreshEditor();
    rebuildList();
}

void MotionSection::refreshEditor()
{
    const auto move = editor_.selectedMotion();
    parts_.editor->setVisible(move.has_value());
    if (!move) return;
    parts_.kind->setCurrentIndex(parts_.kind->findData(static_cast<int>(move->kind)));
    const auto span = editor_.span(TimelineItem{TimelineItem::Kind::motion, move->id});
    parts_.startsAt->setText(QString::fromStdString(formatTimecode(span ? span->first : 0)));
    parts_.length->refresh();
    parts_.strengthRow->setVisible(move->kind != K::fadeIn && move->kind != K::fadeOut);
    parts_.strength->refresh();
    const auto sound = soundTitle(move->kind);
    parts_.soundRow->setVisible(sound.has_value());
    if (sound) parts_.sound->titleLabel()->setText(*sound);
    parts_.sound->refresh();
    parts_.blurb->setText(text(blurb(move->kind)));
}

void MotionSection::rebuildList()
{
    clearLayout(list_);
    parts_.listRows.clear();
    auto* holder = list_->parentWidget();
    const auto& selection = editor_.timelineSelection();
    for (const PlacedMotion& placed : editor_.placedMotions()) {
        const TimelineItem item{TimelineItem::Kind::motion, placed.effect.id};
        auto* row = new ListRow(placed, selection == item, [this, item, start = placed.start] {
            editor_.setTimelineSelection(item);
            editor_.seekExactly(start);
        }, holder);
        auto* entry = withDivider(row, holder);
        list_->addWidget(entry);
        parts_.listRows.push_back(row);
    }
}

void MotionSection::edit(const std::function<void(MotionEffect&)>& change, bool recordUndo)
{
    const auto move = editor_.selectedMotion();
    if (move) editor_.updateMotion(move->id, recordUndo, change);
}

}  // namespace vt::ui
