#pragma once
// The frame of a feature panel: a vertical scroll view around one column
// (18 points between groups, 16 below the last), opened by a short
// introduction when one is given. Panels also get a refresh that runs once
// after a burst of model signals, on the next pass of the event loop, so a
// control that changed the model is never deleted inside its own signal.

#include "ui/inspector/FeatureColumn.h"

#include <QWidget>

#include <functional>

class QImage;
class QPainter;
class QPlainTextEdit;
class QRectF;
class QVBoxLayout;

namespace vt::ui {

class FeaturePanel : public QWidget {
    Q_OBJECT
public:
    explicit FeaturePanel(const QString& introduction, QWidget* parent = nullptr);

    // The column the panel fills; an ending stretch stays below it.
    QVBoxLayout* column() const { return column_; }
    QWidget* content() const { return content_; }
    // Runs `refresh` once, soon; repeated calls before then make one run.
    void scheduleRefresh(std::function<void()> refresh);

private:
    QWidget* content_;
    QVBoxLayout* column_;
    bool refreshPending_ = false;
    std::function<void()> pending_;
};


// Lays `holder` out as a column without margins or spacing that starts with
// a row divider; rows added to it follow the divider.
QVBoxLayout* columnUnderDivider(QWidget* holder);

// A text field of up to three lines with a placeholder, padded 12 points at
// the sides and `verticalPadding` above and below; the field comes back in `field`.
QWidget* textBox(const QString& placeholder, int verticalPadding, QWidget* parent, QPlainTextEdit** field);

// Paints a picture tile: `image` filling `box` (cropped, never letterboxed;
// nothing when null) inside 8-point rounded corners, with the chosen tile's
// 2.5-point accent border or else a 1-point hairline.
void paintPictureTile(QPainter& painter, const QRectF& box, const QImage* image, bool chosen);

// Removes and deletes (later) every widget of `layout`.
void clearLayout(QLayout* layout);

}  // namespace vt::ui
