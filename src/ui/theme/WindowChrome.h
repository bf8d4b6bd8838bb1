#pragma once
// The views that make a window without a system title bar usable and
// recognisable: the title strip screens put at their top (it moves the
// window when dragged and follows the desktop's double-click setting), the
// brand mark, the wordmark and the window's background glow.

#include <QWidget>

#include <optional>
#include <string_view>

namespace vt {

class TitleBar : public QWidget {
    Q_OBJECT

public:
    static constexpr int height = 32;
    // Either side may be null.
    TitleBar(QWidget* leading, QWidget* trailing, QWidget* parent = nullptr);

    enum class DoubleClick { zoom, minimize, none };
    // The desktop's setting for a double click on a title bar: "minimize"
    // minimises, "none" does nothing, anything else (or none) zooms.
    static DoubleClick doubleClickAction(const std::optional<std::string>& setting);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

class BrandMark : public QWidget {
    Q_OBJECT

public:
    explicit BrandMark(int size, QWidget* parent = nullptr);
    // The brand picture: "BrandMark.png" beside the program, else
    // "brand/mark.png" under the current folder; none when neither reads.
    static const std::optional<QImage>& image();

protected:
    void paintEvent(QPaintEvent*) override;
};

class Wordmark : public QWidget {
    Q_OBJECT

public:
    explicit Wordmark(qreal size, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QFont font_;
};

// Paints the window background: the canvas and a soft glow above the top
// edge that scales with the width.
void paintAurora(QPainter& painter, const QRect& area);

}  // namespace vt
