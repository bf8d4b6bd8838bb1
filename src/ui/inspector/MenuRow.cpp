#include "ui/inspector/MenuRow.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace vt::ui {

MenuRow::MenuRow(const QString& title, Binding<int> selection, const std::vector<std::pair<QString, int>>& options,
                 QWidget* parent)
    : InspectorRow(title, {}, new QComboBox, parent), selection_(std::move(selection))
{
    menu()->setFixedWidth(150);
    menu()->setAccessibleName(title);
    for (const auto& [text, tag] : options) menu()->addItem(text, tag);
    connect(menu(), &QComboBox::activated, this, [this](int i) { selection_.set(menu()->itemData(i).toInt()); });
    refresh();
}

QComboBox* MenuRow::menu() const { return static_cast<QComboBox*>(control()); }

void MenuRow::refresh()
{
    QSignalBlocker quiet(menu());
    menu()->setCurrentIndex(menu()->findData(selection_.get()));
}

}  // namespace vt::ui
