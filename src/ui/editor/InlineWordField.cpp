#include "ui/editor/InlineWordField.h"

#include "editor/EditorModel.h"
#include "ui/theme/Theme.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>

namespace vt::ui {

InlineWordField::InlineWordField(EditorModel& editor, Uuid wordID, QWidget* parent)
    : QLineEdit(parent), editor_(editor), wordID_(wordID)
{
    QFont f;
    f.setPointSizeF(15);
    setFont(f);
    setFrame(false);
    setTextMargins(4, 2, 4, 2);
    setAttribute(Qt::WA_TranslucentBackground);
    setStyleSheet(QStringLiteral("background: transparent;"));
    setText(QString::fromStdString(editor.editDraft()));
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) { editor_.setEditDraft(text.toStdString()); });
    connect(&editor, &EditorModel::editDraftChanged, this, [this] {
        const QString draft = QString::fromStdString(editor_.editDraft());
        if (draft != text()) setText(draft);
    });
    // Focus once the field is in the window; then, for an edit begun by
    // typing, put the caret after the typed character instead of selecting it.
    QPointer<InlineWordField> self(this);
    QTimer::singleShot(0, this, [self] {
        if (!self) return;
        self->setFocus(Qt::OtherFocusReason);
        QTimer::singleShot(0, self, [self] {
            if (self && self->editor_.editStartedByTyping() && self->hasFocus()) {
                self->deselect();
                self->setCursorPosition(static_cast<int>(self->text().size()));
            }
        });
    });
}

bool InlineWordField::event(QEvent* event)
{
    // Tab would move the focus on; here it commits and edits the next word.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Tab) {
        editor_.commitEdit(true);
        return true;
    }
    return QLineEdit::event(event);
}

void InlineWordField::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: editor_.commitEdit(false); return;
    case Qt::Key_Escape: editor_.setEditingWordID(std::nullopt); return;
    default: QLineEdit::keyPressEvent(event);
    }
}

void InlineWordField::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (editor_.editingWordID() == wordID_) editor_.commitEdit(false);
}

void InlineWordField::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QColor fill = Theme::accent;
        fill.setAlphaF(0.14f);
        painter.setBrush(fill);
        painter.setPen(QPen(QColor(Theme::ink), 1.5));
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.75, 0.75, -0.75, -0.75), 7, 7);
    }
    QLineEdit::paintEvent(event);
}

}  // namespace vt::ui
