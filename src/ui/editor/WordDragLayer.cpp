#include "ui/editor/WordDragLayer.h"

#include "editor/WordLookEdits.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace vt::ui {

namespace {

constexpr double hitSlop = 12;     // output pixels around a word that still hit it
constexpr double moveThreshold = 2;   // points: smaller moves never move a word
constexpr double clickThreshold = 4;  // points: a release within this is a click

double length(QPointF p) { return std::hypot(p.x(), p.y()); }

}  // namespace

WordDragLayer::WordDragLayer(EditorModel& editor, QWidget* parent) : QWidget(parent), editor_(editor)
{
    setToolTip(tr("Pause, then click a caption word to select it or drag it to move it"));
    for (auto signal : {&EditorModel::selectionChanged, &EditorModel::groupsChanged, &EditorModel::currentTimeChanged,
                        &EditorModel::isPlayingChanged, &EditorModel::projectChanged})
        connect(&editor, signal, this, qOverload<>(&QWidget::update));
}

double WordDragLayer::scale(OutputAspect aspect, double layerWidth)
{
    const double wo = renderSize(aspect).width;
    return layerWidth >= 1 ? wo / layerWidth : wo;
}

std::vector<EditorModel::WordFrame> WordDragLayer::wordFrames() const
{
    if (editor_.isPlaying()) return {};
    return editor_.captionWordFrames();
}

std::vector<QRectF> WordDragLayer::marks() const
{
    const double s = scale(editor_.project().aspect, width());
    const double ho = renderSize(editor_.project().aspect).height;
    std::vector<QRectF> out;
    for (const auto& frame : wordFrames()) {
        if (!editor_.selection().contains(frame.id)) continue;
        const QRectF r(frame.rect.left() / s, (ho - frame.rect.bottom()) / s, frame.rect.width() / s,
                       frame.rect.height() / s);
        out.push_back(r.adjusted(-5, -4, 5, 4));
    }
    return out;
}

void WordDragLayer::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const QRectF& mark : marks()) {
        QPainterPath path;
        path.addRoundedRect(mark.adjusted(0.75, 0.75, -0.75, -0.75), 5, 5);
        // A soft shadow under the white dashes keeps them readable on white text.
        painter.setPen(QPen(QColor(0, 0, 0, 64), 3.5));
        painter.drawPath(path);
        QPen pen(Qt::white, 1.5);
        pen.setDashPattern({4 / 1.5, 3 / 1.5});
        painter.setPen(pen);
        painter.drawPath(path);
    }
}

void WordDragLayer::grab(QPointF at)
{
    if (held_ || editor_.isPlaying()) return;
    const double s = scale(editor_.project().aspect, width());
    const double ho = renderSize(editor_.project().aspect).height;
    const QPointF px(at.x() * s, ho - at.y() * s);
    const auto frames = wordFrames();
    for (auto it = frames.rbegin(); it != frames.rend(); ++it) {
        if (!it->rect.adjusted(-hitSlop, -hitSlop, hitSlop, hitSlop).contains(px)) continue;
        editor_.setSelection({it->id});
        held_ = Held{it->id, editor_.look(it->id)};
        return;
    }
}

void WordDragLayer::follow(QPointF at)
{
    if (!held_ || !pressAt_) return;
    const QPointF t = at - *pressAt_;
    if (length(t) <= moveThreshold) return;
    const double s = scale(editor_.project().aspect, width());
    const WordLook before = editor_.look(held_->id);
    editor_.updateLook({held_->id}, !held_->moved, WordLookEdits::dragged(held_->start, t.x() * s, t.y() * s));
    if (!(editor_.look(held_->id) == before)) held_->moved = true;
}

void WordDragLayer::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    pressAt_ = event->position();
    held_.reset();
    grab(*pressAt_);
}

void WordDragLayer::mouseMoveEvent(QMouseEvent* event)
{
    if (!pressAt_) return;
    grab(*pressAt_);
    follow(event->position());
}

void WordDragLayer::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !pressAt_) return;
    if (!held_ && length(event->position() - *pressAt_) < clickThreshold) editor_.togglePlay();
    held_.reset();
    pressAt_.reset();
}

}  // namespace vt::ui
