#pragma once
// Text that keeps to the room it is given: a one-line label that elides
// its text to its width, a fixed-width window as tall as its wrapped text
// needs, and the mark of widgets that paint their own text fitted.

#include <QLabel>

namespace vt {

// One line of text, shortened with an ellipsis to the label's width. It
// asks for the whole text's width but gets by with little, so a long text
// never widens what holds it; the whole text is its tooltip.
class ElidedLabel : public QLabel {
public:
    explicit ElidedLabel(Qt::TextElideMode mode = Qt::ElideMiddle, QWidget* parent = nullptr);

    QString fullText() const { return full_; }
    void setMode(Qt::TextElideMode mode)
    {
        mode_ = mode;
        elide();
    }
    void setFullText(const QString& text);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void elide();
    int fullWidth() const;

    Qt::TextElideMode mode_;
    QString full_;
};

// Text on one line when it has the room, wrapped onto more lines when not:
// it asks for its one-line width, gets by with its longest word, and is as
// tall as its lines at the width it is given.
class WrapLabel : public QLabel {
public:
    explicit WrapLabel(const QString& text = {}, QWidget* parent = nullptr);

    QSize sizeHint() const override;
};

// Gives a window of fixed width the height its wrapped text needs at that
// width. A new window is otherwise sized for the width its layout would
// like, at which wrapped labels take fewer lines, and then squeezed.
void fitHeightToWidth(QWidget& window);

// Set to true on a widget that paints its text() itself, shrunk or elided
// to its room, so what it shows fits even where text() would not.
inline constexpr char fitsOwnTextProperty[] = "fitsOwnText";

}  // namespace vt
