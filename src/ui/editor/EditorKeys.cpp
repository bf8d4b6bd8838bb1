#include "ui/editor/EditorKeys.h"

#include "editor/EditorModel.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace vt::ui {

EditorKeys::EditorKeys(EditorModel& editor, QWidget* window) : QObject(window), editor_(editor), window_(window)
{
    qApp->installEventFilter(this);
}

EditorKeys::~EditorKeys() { qApp->removeEventFilter(this); }

bool EditorKeys::eventFilter(QObject* watched, QEvent* event)
{
    // Only the delivery to a widget: the window object sees the press first.
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    return handle(*static_cast<QKeyEvent*>(event), static_cast<QWidget*>(watched));
}

bool EditorKeys::passesOn(const QKeyEvent& event, QWidget* target) const
{
    if (!window_ || !window_->isVisible() || !target) return true;
    QWidget* top = window_->window();
    // Another window (a full-screen player, a sheet, a dialog) has the keys.
    if (target->window() != top || QApplication::activeModalWidget()) return true;
    QWidget* focus = QApplication::focusWidget();
    for (QWidget* w : {focus, target})
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
            qobject_cast<QAbstractSpinBox*>(w))
            return true;
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return true;
    return editor_.editingWordID().has_value();
}

// J, K and L are the keys at those places on a US keyboard, whatever letter
// the layout puts there. The native scan code is the X11/xkb keycode (evdev
// code + 8): J 44, K 45, L 46. Without one (a synthesized press) the letter
// decides; with one, a letter typed elsewhere is not a transport key.
int EditorKeys::keyOf(const QKeyEvent& event)
{
    const int key = event.key();
    const bool transportLetter = key == Qt::Key_J || key == Qt::Key_K || key == Qt::Key_L;
    switch (event.nativeScanCode()) {
    case 0: return key;
    case 44: return Qt::Key_J;
    case 45: return Qt::Key_K;
    case 46: return Qt::Key_L;
    default: return transportLetter ? Qt::Key_unknown : key;
    }
}

bool EditorKeys::handle(const QKeyEvent& event, QWidget* target)
{
    if (passesOn(event, target)) return false;
    const bool transport = editor_.selection().empty() || editor_.transcriptMode() == TranscriptMode::timeline;
    switch (keyOf(event)) {
    case Qt::Key_L:
        if (!transport) return false;
        editor_.shuttle(1);
        return true;
    case Qt::Key_J:
        if (!transport) return false;
        editor_.shuttle(-1);
        return true;
    case Qt::Key_K:
        if (!transport) return false;
        editor_.shuttle(0);
        return true;
    case Qt::Key_Space: editor_.togglePlay(); return true;
    case Qt::Key_Escape:
        if (!editor_.timelineSelection() && editor_.selection().empty()) return false;
        editor_.setTimelineSelection(std::nullopt);
        editor_.setSelection({});
        return true;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        if (const auto item = editor_.timelineSelection(); item && editor_.transcriptMode() == TranscriptMode::timeline) {
            editor_.remove(*item);
            // The inspector showed the removed item's settings.
            if (item->kind == TimelineItem::Kind::overlay || item->kind == TimelineItem::Kind::clip)
                editor_.setItemInspectorOpen(false);
            return true;
        }
        if (editor_.selection().empty()) return false;
        editor_.toggleDelete(editor_.selection());
        return true;
    default: return false;
    }
}

}  // namespace vt::ui
