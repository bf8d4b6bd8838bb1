#pragma once
// Places its items left to right at their ideal sizes and wraps onto a new
// row when the next item would pass the available width. Rows are
// top-aligned, neither centred nor justified; an item wider than the width
// sits alone on its row, unshrunk.

#include <QLayout>

#include <vector>

namespace vt::ui {

class FlowLayout : public QLayout {
    Q_OBJECT
public:
    struct Row {
        std::vector<int> indices;
        double y = 0;
        double width = 0;
        double height = 0;
    };

    FlowLayout(double spacing, double lineSpacing, QWidget* parent = nullptr);
    ~FlowLayout() override;

    // Splits items of the given ideal sizes into rows for a width; always at
    // least one (possibly empty) row.
    static std::vector<Row> arrange(double width, const std::vector<QSizeF>& sizes, double spacing,
                                    double lineSpacing);

    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    // The widest row by the total height, as with no width given.
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

private:
    double spacing_;
    double lineSpacing_;
    QList<QLayoutItem*> items_;

    std::vector<QSizeF> idealSizes() const;
};

}  // namespace vt::ui
