#pragma once
// The star badge of a curated popular look: a gold star on a dark circle,
// 16 by 16. It takes no clicks, so a click on it reaches the card below.

#include <QWidget>

namespace vt::ui {

class PopularTag : public QWidget {
    Q_OBJECT
public:
    explicit PopularTag(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace vt::ui
