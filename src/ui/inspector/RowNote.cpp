#include "ui/inspector/RowNote.h"

#include "ui/inspector/KitColors.h"
#include "ui/inspector/KitText.h"

namespace vt::ui {

RowNote::RowNote(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    QFont f = font();
    f.setPointSizeF(11);
    setFont(f);
    kit::setTextColour(this, kit::secondaryText());
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setContentsMargins(12, 0, 12, 6);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

}  // namespace vt::ui
