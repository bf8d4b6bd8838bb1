#pragma once
// The grid of project cards: as many columns as fit, each 200 to 300 wide
// with 20 between columns and 22 between rows, aligned to the leading edge.
// It shows the given cards in the given order and hides the rest.

#include <QWidget>

#include <vector>

namespace vt {

class ProjectGrid : public QWidget {
    Q_OBJECT

public:
    static constexpr int minColumn = 200, maxColumn = 300, columnGap = 20, rowGap = 22;

    explicit ProjectGrid(QWidget* parent = nullptr);
    // `cells` must be children of this grid.
    void setShown(std::vector<QWidget*> cells);
    const std::vector<QWidget*>& shown() const { return shown_; }
    // Columns and their width for an offered width.
    static std::pair<int, int> columns(int width);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override { return {minColumn, heightForWidth(1000)}; }

protected:
    void resizeEvent(QResizeEvent*) override { place(); }

private:
    void place() const;

    std::vector<QWidget*> shown_;
};

}  // namespace vt
