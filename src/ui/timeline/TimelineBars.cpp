#include "ui/timeline/TimelineBars.h"
#include "ui/theme/NumberText.h"

#include "ui/inspector/CompactButton.h"
#include "ui/inspector/KitText.h"
#include "ui/inspector/LineStyleMenu.h"
#include "ui/inspector/TimeFormat.h"
#include "ui/theme/Theme.h"
#include "ui/timeline/LaneHeaders.h"
#include "ui/timeline/TimelineIcons.h"
#include "ui/timeline/TimelineMetrics.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include <cmath>
#include <memory>

namespace vt {

namespace {

// A tinted symbol as a fixed-size label.
QLabel* symbol(const QString& name, const QColor& tint, QWidget* parent)
{
    QPixmap pixmap(QSize(16, 16) * parent->devicePixelRatio());
    pixmap.setDevicePixelRatio(parent->devicePixelRatio());
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    TimelineIcons::draw(p, name, QRectF(1, 1, 14, 14), tint);
    p.end();
    auto* label = new QLabel(parent);
    label->setPixmap(pixmap);
    return label;
}

TrackButton* iconButton(const QString& name, const QString& help, const QString& label, QWidget* parent)
{
    auto* b = new TrackButton(name, true, help, parent);
    b->setAccessibleName(label);
    return b;
}

QHBoxLayout* row(QWidget* bar, int vertical)
{
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(12, vertical, 12, vertical);
    layout->setSpacing(10);
    return layout;
}

}  // namespace

void ContextBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(QRectF(0, 0, width(), 1), QColor(Theme::hairline));
}

// ---- the selected clip --------------------------------------------------------

ClipBar::ClipBar(EditorModel& editor, const VideoClip& clip, QWidget* parent) : ContextBar(parent)
{
    setToolTip(QStringLiteral("Drag a clip's edges to trim it; drag the clip to reorder"));
    auto* layout = row(this, 6);
    layout->addWidget(symbol("film", TimelineTint::clip(), this));
    auto* name = ui::kit::label(QString::fromStdString(clip.name), 11.5, QFont::DemiBold, Theme::ink, this);
    name->setMaximumWidth(160);
    layout->addWidget(name);
    layout->addWidget(ui::kit::label(ui::formatTimecode(std::max(clip.duration - clip.trimStart - clip.trimEnd, 0.0)) +
                               QStringLiteral(" of ") + ui::formatTimecode(clip.duration),
                           11, QFont::Normal, Theme::secondaryText, this));
    if (const auto job = editor.clipJobs().find(clip.id); job != editor.clipJobs().end()) {
        auto* spinner = new QProgressBar(this);
        spinner->setRange(0, 0);
        spinner->setFixedSize(40, 8);
        spinner->setTextVisible(false);
        layout->addWidget(spinner);
        layout->addWidget(ui::kit::label(QString::fromStdString(job->second), 11, QFont::Normal, Theme::secondaryText, this));
    }
    layout->addStretch(1);
    const Uuid id = clip.id;
    if (clip.trimStart > 0 || clip.trimEnd > 0) {
        auto* untrim = new ui::CompactButton(QStringLiteral("Untrim"), ui::CompactButton::Kind::secondary, this);
        untrim->setToolTip(QStringLiteral("Bring back the trimmed ends"));
        connect(untrim, &QPushButton::clicked, this, [&editor, id] { editor.setClipTrim(id, 0, 0, true); });
        layout->addWidget(untrim);
    }
    const auto clips = editor.project().videoClips();
    const int n = int(clips.size());
    int i = 0;
    for (int k = 0; k < n; ++k)
        if (clips[std::size_t(k)].id == id) i = k;
    if (n < 2) return;
    auto* earlier = iconButton("arrow.left", "Move earlier", "Move the clip earlier", this);
    earlier->setEnabled(i > 0);
    connect(earlier, &QAbstractButton::clicked, this, [&editor, id, i] { editor.moveClip(id, i - 1); });
    auto* later = iconButton("arrow.right", "Move later", "Move the clip later", this);
    later->setEnabled(i < n - 1);
    connect(later, &QAbstractButton::clicked, this, [&editor, id, i] { editor.moveClip(id, i + 1); });
    auto* remove = iconButton("trash", "Remove this clip from the video", "Remove this clip", this);
    connect(remove, &QAbstractButton::clicked, this, [&editor, id] { editor.removeClip(id); });
    for (QWidget* w : {static_cast<QWidget*>(earlier), static_cast<QWidget*>(later), static_cast<QWidget*>(remove)})
        layout->addWidget(w);
}

// ---- the selected sound -------------------------------------------------------

QString SoundBar::levelText(double db)
{
    if (db <= VolumeEnvelope::silenceDB) return QStringLiteral("off");
    return signedFixedText(db, 0) + QStringLiteral(" dB");
}

QString SoundBar::fadeTitle(const QString& title, double seconds)
{
    return title + QStringLiteral(" ") + (seconds == 0 ? QStringLiteral("\u2013") : fixedText(seconds, 1) + QStringLiteral(" s"));
}

void SoundBar::setLevel(EditorModel& editor, const Uuid& id, double db)
{
    const auto& sounds = editor.project().sounds;
    if (!sounds || std::none_of(sounds->begin(), sounds->end(), [&](const SoundClip& s) { return s.id == id; })) return;
    editor.updateProject([&](Project& p) {
        for (SoundClip& s : *p.sounds) {
            if (s.id != id) continue;
            const double step = db - s.volume.db;
            s.volume.db = db;
            for (auto& point : s.volume.points) point.db = std::clamp(point.db + step, -40.0, 6.0);
        }
    });
    editor.timelineChanged();
}

void SoundBar::setFade(EditorModel& editor, const Uuid& id, bool fadeIn, double seconds)
{
    const auto& sounds = editor.project().sounds;
    if (!sounds || std::none_of(sounds->begin(), sounds->end(), [&](const SoundClip& s) { return s.id == id; })) return;
    editor.pushUndo();
    editor.updateProject([&](Project& p) {
        for (SoundClip& s : *p.sounds)
            if (s.id == id) (fadeIn ? s.volume.fadeIn : s.volume.fadeOut) = std::min(seconds, s.duration * 0.5);
    });
    editor.timelineChanged();
}

SoundBar::SoundBar(EditorModel& editor, const SoundClip& sound, QWidget* parent) : ContextBar(parent)
{
    setToolTip(QStringLiteral("Drag the yellow line to change the volume, its corner handles to fade, double-click it to "
                              "add a point"));
    auto* layout = row(this, 6);
    layout->addWidget(symbol("music.note", TimelineTint::sound(), this));
    auto* name = ui::kit::label(QString::fromStdString(sound.name), 11.5, QFont::DemiBold, Theme::ink, this);
    name->setMaximumWidth(140);
    layout->addWidget(name);
    auto* divider = new QFrame(this);
    divider->setFrameShape(QFrame::VLine);
    divider->setFixedHeight(16);
    layout->addWidget(divider);
    layout->addWidget(ui::kit::label(QStringLiteral("Volume"), 11, QFont::Normal, Theme::secondaryText, this));
    // The slider works in tenths of a decibel so it moves continuously.
    auto* slider = new QSlider(Qt::Horizontal, this);
    slider->setRange(-400, 60);
    slider->setValue(int(std::lround(sound.volume.db * 10)));
    slider->setFixedWidth(90);
    layout->addWidget(slider);
    auto* level = ui::kit::label(levelText(sound.volume.db), 11, QFont::Normal, Theme::secondaryText, this);
    level->setFixedWidth(40);
    layout->addWidget(level);
    const Uuid id = sound.id;
    // One undo step per gesture, recorded before its first change: a drag of
    // the handle, or each step from a click on the groove or a key.
    auto recorded = std::make_shared<bool>(false);
    const auto record = [&editor, recorded] {
        if (*recorded) return;
        editor.pushUndo();
        *recorded = true;
    };
    connect(slider, &QSlider::sliderPressed, this, record);
    connect(slider, &QSlider::sliderReleased, this, [recorded] { *recorded = false; });
    connect(slider, &QSlider::actionTriggered, this, [record, recorded](int action) {
        // A move belongs to the press it came with (some styles jump the
        // handle before they report the press); a step stands alone.
        if (action == QAbstractSlider::SliderMove) return record();
        *recorded = false;
        record();
        *recorded = false;
    });
    connect(slider, &QSlider::valueChanged, this, [&editor, id, level](int v) {
        level->setText(levelText(v / 10.0));
        setLevel(editor, id, v / 10.0);
    });
    for (const bool in : {true, false}) {
        const QString title = in ? QStringLiteral("Fade in") : QStringLiteral("Fade out");
        auto* button = new QPushButton(fadeTitle(title, in ? sound.volume.fadeIn : sound.volume.fadeOut), this);
        button->setFlat(true);
        auto* menu = new QMenu(button);
        for (double x : {0.0, 0.5, 1.0, 2.0, 3.0})
            menu->addAction(x == 0 ? QStringLiteral("None") : QString::asprintf("%g s", x),
                            [&editor, id, in, x] { setFade(editor, id, in, x); });
        button->setMenu(menu);
        layout->addWidget(button);
    }
    layout->addStretch(1);
    const TimelineItem item{TimelineItem::Kind::sound, id};
    auto* duplicate = iconButton("plus.square.on.square", "Duplicate", "Duplicate this sound", this);
    connect(duplicate, &QAbstractButton::clicked, this, [&editor, item] { editor.duplicate(item); });
    auto* remove = iconButton("trash", "Remove this sound", "Remove this sound", this);
    connect(remove, &QAbstractButton::clicked, this, [&editor, item] { editor.remove(item); });
    layout->addWidget(duplicate);
    layout->addWidget(remove);
}

// ---- the caption line ---------------------------------------------------------

namespace {

// Return saves and closes, Escape closes.
class LineField : public QLineEdit {
public:
    std::function<void()> submit, cancel;
    using QLineEdit::QLineEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return submit();
        if (event->key() == Qt::Key_Escape) return cancel();
        QLineEdit::keyPressEvent(event);
    }
};

}  // namespace

QString CaptionLineBar::text(const CaptionGroup& group)
{
    QStringList words;
    for (const TimedWord& w : group.words) words << QString::fromStdString(w.text);
    return words.join(' ');
}

std::optional<std::pair<int, CaptionGroup>> CaptionLineBar::line() const
{
    const auto& groups = editor_.groups();
    for (std::size_t i = 0; i < groups.size(); ++i)
        for (const TimedWord& w : groups[i].words)
            if (w.id && *w.id == wordID_) return std::pair{int(i), groups[i]};
    return std::nullopt;
}

CaptionLineBar::CaptionLineBar(EditorModel& editor, Uuid wordID, std::function<void(std::optional<Uuid>)> go,
                               QWidget* parent)
    : ContextBar(parent), editor_(editor), wordID_(wordID), go_(std::move(go))
{
    auto* layout = row(this, 7);
    layout->setSpacing(8);
    layout->addWidget(symbol("captions.bubble", TimelineTint::caption(), this));
    const auto found = line();
    const int count = int(editor_.groups().size());
    layout->addWidget(ui::kit::label(found ? QStringLiteral("Line %1 \u00B7 ").arg(found->first + 1) +
                                             ui::formatTimecode(found->second.start)
                                       : QStringLiteral("Caption"),
                                 11.5, QFont::DemiBold, Theme::ink, this));
    auto* before = iconButton("chevron.left", "Line before", "Line before", this);
    before->setEnabled(found && found->first > 0);
    connect(before, &QAbstractButton::clicked, this, [this] { step(-1); });
    auto* after = iconButton("chevron.right", "Line after", "Line after", this);
    after->setEnabled(found && found->first < count - 1);
    connect(after, &QAbstractButton::clicked, this, [this] { step(1); });
    layout->addWidget(before);
    layout->addWidget(after);
    auto* field = new LineField(this);
    field_ = field;
    field->setPlaceholderText(QStringLiteral("Caption text"));
    field->setText(found ? text(found->second) : QString());
    field->submit = [this] {
        save();
        go_(std::nullopt);
    };
    field->cancel = [this] { go_(std::nullopt); };
    layout->addWidget(field, 1);
    styleMenu_ = new ui::LineStyleMenu(editor_, {}, this);
    layout->addWidget(styleMenu_);
    refreshStyleMenu();
    connect(&editor_, &EditorModel::groupsChanged, this, &CaptionLineBar::refreshStyleMenu);
    auto* cancel = new ui::CompactButton(QStringLiteral("Cancel"), ui::CompactButton::Kind::secondary, this);
    connect(cancel, &QPushButton::clicked, this, [this] { go_(std::nullopt); });
    auto* saveButton = new ui::CompactButton(QStringLiteral("Save"), ui::CompactButton::Kind::primary, this);
    connect(saveButton, &QPushButton::clicked, this, [field] { field->submit(); });
    layout->addWidget(cancel);
    layout->addWidget(saveButton);
    // Opening a line puts the playhead just inside it and the keyboard in the field.
    if (found) editor_.seekExactly(found->second.start + 0.01);
    QTimer::singleShot(0, field, [field] { field->setFocus(); });
}

// The menu styles the line's words that have a source word; it follows the
// line as the caption lines are derived again.
void CaptionLineBar::refreshStyleMenu()
{
    const auto found = line();
    styleMenu_->setVisible(found.has_value());
    std::set<Uuid> ids;
    if (found)
        for (const TimedWord& w : found->second.words)
            if (w.id) ids.insert(*w.id);
    styleMenu_->setIDs(std::move(ids));
}

void CaptionLineBar::save()
{
    const auto found = line();
    if (!found || field_->text() == text(found->second)) return;
    editor_.setLineText(found->second.index, field_->text().toStdString());
}

void CaptionLineBar::step(int delta)
{
    const auto before = line();
    save();
    const auto after = line();
    if (!after && !before) return;
    const int position = after ? after->first : before->first;
    const int target = position + delta;
    const auto& groups = editor_.groups();
    if (target < 0 || target >= int(groups.size())) return;
    const auto& words = groups[std::size_t(target)].words;
    if (!words.empty() && words.front().id) go_(*words.front().id);
}

}  // namespace vt
