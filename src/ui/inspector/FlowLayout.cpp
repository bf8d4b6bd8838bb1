#include "ui/inspector/FlowLayout.h"

#include <QWidget>

#include <algorithm>
#include <cmath>
#include <limits>

namespace vt::ui {

FlowLayout::FlowLayout(double spacing, double lineSpacing, QWidget* parent)
    : QLayout(parent), spacing_(spacing), lineSpacing_(lineSpacing)
{
    setContentsMargins(0, 0, 0, 0);
}

FlowLayout::~FlowLayout()
{
    while (QLayoutItem* item = takeAt(0)) delete item;
}

std::vector<FlowLayout::Row> FlowLayout::arrange(double width, const std::vector<QSizeF>& sizes, double spacing,
                                                 double lineSpacing)
{
    std::vector<Row> rows(1);
    for (int i = 0; i < static_cast<int>(sizes.size()); ++i) {
        const QSizeF s = sizes[static_cast<std::size_t>(i)];
        if (!rows.back().indices.empty() && rows.back().width + spacing + s.width() > width) {
            const Row& last = rows.back();
            rows.push_back({{}, last.y + last.height + lineSpacing, 0, 0});
        }
        Row& row = rows.back();
        if (!row.indices.empty()) row.width += spacing;
        row.indices.push_back(i);
        row.width += s.width();
        row.height = std::max(row.height, s.height());
    }
    return rows;
}

void FlowLayout::addItem(QLayoutItem* item) { items_.append(item); }
int FlowLayout::count() const { return static_cast<int>(items_.size()); }
QLayoutItem* FlowLayout::itemAt(int index) const { return index >= 0 && index < items_.size() ? items_[index] : nullptr; }
QLayoutItem* FlowLayout::takeAt(int index) { return index >= 0 && index < items_.size() ? items_.takeAt(index) : nullptr; }

std::vector<QSizeF> FlowLayout::idealSizes() const
{
    std::vector<QSizeF> sizes;
    for (QLayoutItem* item : items_) sizes.emplace_back(item->sizeHint());
    return sizes;
}

int FlowLayout::heightForWidth(int width) const
{
    auto rows = arrange(width, idealSizes(), spacing_, lineSpacing_);
    return static_cast<int>(std::ceil(rows.back().y + rows.back().height));
}

QSize FlowLayout::sizeHint() const
{
    auto rows = arrange(std::numeric_limits<double>::infinity(), idealSizes(), spacing_, lineSpacing_);
    double widest = 0;
    for (const Row& r : rows) widest = std::max(widest, r.width);
    return {static_cast<int>(std::ceil(widest)), static_cast<int>(std::ceil(rows.back().y + rows.back().height))};
}

QSize FlowLayout::minimumSize() const { return {0, 0}; }

void FlowLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    const auto sizes = idealSizes();
    for (const Row& row : arrange(rect.width(), sizes, spacing_, lineSpacing_)) {
        double x = rect.left();
        for (int i : row.indices) {
            const QSizeF s = sizes[static_cast<std::size_t>(i)];
            items_[i]->setGeometry(QRect(QPoint(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(rect.top() + row.y))),
                                         s.toSize()));
            x += s.width() + spacing_;
        }
    }
}

}  // namespace vt::ui
