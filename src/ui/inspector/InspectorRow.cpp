#include "ui/inspector/InspectorRow.h"

#include "ui/inspector/KitColors.h"
#include "ui/inspector/KitText.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>

namespace vt::ui {

InspectorRow::InspectorRow(const QString& title, const QString& help, QWidget* control, QWidget* parent)
    : QWidget(parent), control_(control)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(12, 3, 12, 3);
    row->setSpacing(8);
    title_ = kit::label(title, 13, QFont::Normal, kit::ink(), this);
    title_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    title_->setWordWrap(true);  // a long title takes a second line rather than widen the panel
    row->addWidget(title_, 1);
    row->addSpacing(0);
    if (control) row->addWidget(control, 0, Qt::AlignRight | Qt::AlignVCenter);
    row->addStrut(28);  // at least 28 high inside its margins, taller when its text needs it
    setToolTip(help);
    setAccessibleName(title);
}

void InspectorRow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange) kit::setTextColour(title_, isEnabled() ? kit::ink() : kit::secondaryText());
    QWidget::changeEvent(event);
}

}  // namespace vt::ui
