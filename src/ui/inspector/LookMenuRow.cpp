#include "ui/inspector/LookMenuRow.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace vt::ui {

namespace {

std::vector<std::pair<QString, int>> tagged(const QStringList& labels)
{
    std::vector<std::pair<QString, int>> out;
    for (int i = 0; i < labels.size(); ++i) out.emplace_back(labels[i], i);
    return out;
}

}  // namespace

LookMenuRow::LookMenuRow(const QString& title, std::function<QStringList()> labels, Binding<int> index,
                         QWidget* parent)
    : MenuRow(title, std::move(index), tagged(labels()), parent), labels_(std::move(labels))
{
}

void LookMenuRow::refresh()
{
    const QStringList labels = labels_();
    QStringList shown;
    for (int i = 0; i < menu()->count(); ++i) shown << menu()->itemText(i);
    if (shown != labels) {
        QSignalBlocker quiet(menu());
        menu()->clear();
        for (int i = 0; i < labels.size(); ++i) menu()->addItem(labels[i], i);
    }
    MenuRow::refresh();
}

}  // namespace vt::ui
