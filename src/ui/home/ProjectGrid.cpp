#include "ui/home/ProjectGrid.h"

#include <algorithm>

namespace vt {

ProjectGrid::ProjectGrid(QWidget* parent) : QWidget(parent)
{
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void ProjectGrid::setShown(std::vector<QWidget*> cells)
{
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (std::find(cells.begin(), cells.end(), child) == cells.end()) child->hide();
    shown_ = std::move(cells);
    for (QWidget* cell : shown_) cell->show();
    place();
    updateGeometry();
}

std::pair<int, int> ProjectGrid::columns(int width)
{
    const int count = std::max(1, (width + columnGap) / (minColumn + columnGap));
    const int each = std::clamp((width - columnGap * (count - 1)) / count, minColumn, maxColumn);
    return {count, each};
}

int ProjectGrid::heightForWidth(int width) const
{
    const auto [count, each] = columns(width);
    int height = 0;
    for (std::size_t i = 0; i < shown_.size(); i += count) height += shown_[i]->heightForWidth(each) + (i ? rowGap : 0);
    return height;
}

void ProjectGrid::place() const
{
    const auto [count, each] = columns(width());
    int y = 0;
    for (std::size_t i = 0; i < shown_.size(); ++i) {
        const int column = int(i % count);
        if (column == 0 && i) y += shown_[i - 1]->heightForWidth(each) + rowGap;
        shown_[i]->setGeometry(column * (each + columnGap), y, each, shown_[i]->heightForWidth(each));
    }
}

}  // namespace vt
