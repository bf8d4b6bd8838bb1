#pragma once
// A menu row whose entries may change with the look (an extra entry for a
// font that is no choice, "Custom" for a hand-made layout list): the entries
// are asked for again at every refresh, and the menu is refilled only when
// they changed. Entry i is tagged i.

#include "ui/inspector/MenuRow.h"

#include <QStringList>

#include <functional>

namespace vt::ui {

class LookMenuRow : public MenuRow {
    Q_OBJECT
public:
    LookMenuRow(const QString& title, std::function<QStringList()> labels, Binding<int> index,
                QWidget* parent = nullptr);
    void refresh();

private:
    std::function<QStringList()> labels_;
};

}  // namespace vt::ui
