#include "ui/inspector/InspectorGroup.h"

#include "ui/inspector/KitColors.h"
#include "ui/inspector/PanelCard.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace vt::ui {

InspectorGroup::InspectorGroup(const QString& title, QWidget* accessory, QWidget* parent) : QWidget(parent)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);

    auto* caption = new QWidget(this);
    auto* line = new QHBoxLayout(caption);
    line->setContentsMargins(4, 0, 4, 0);
    line->addStrut(18);  // at least 18 high, taller when large text needs it
    title_ = new QLabel(title, caption);
    QFont f = title_->font();
    f.setPointSizeF(11);
    f.setWeight(QFont::DemiBold);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 0.6);
    title_->setFont(f);
    Appearances::setColor(title_, QPalette::WindowText, kit::secondaryText());
    line->addWidget(title_);
    line->addStretch(1);
    line->addSpacing(8);
    if (accessory) line->addWidget(accessory);
    column->addWidget(caption);

    auto* card = new PanelCard(12, this);
    rows_ = new QVBoxLayout(card);
    rows_->setContentsMargins(0, 3, 0, 3);
    rows_->setSpacing(0);
    column->addWidget(card);
}

void InspectorGroup::addRow(QWidget* row) { rows_->addWidget(row); }

QString InspectorGroup::title() const { return title_->text(); }

}  // namespace vt::ui
