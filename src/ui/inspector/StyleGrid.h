#pragma once
// The lazy grid of style cards inside the browser's scroll area: adaptive
// columns at least 108 points wide, 12 apart, rows 16 apart, 12 of padding.
// A card exists only while its row is on screen or within one screenful of
// it; cards further away are destroyed (cancelling their previews), so a
// list of 150 looks draws only the previews the user scrolls to.
// Main thread only.

#include "captions/look/CaptionStyle.h"

#include <QWidget>

#include <functional>
#include <map>
#include <string>
#include <vector>

class QScrollArea;

namespace vt {
class EditorModel;
}

namespace vt::ui {

class StyleCard;

class StyleGrid : public QWidget {
    Q_OBJECT
public:
    // `selected` tells whether a look's card is the selected one.
    StyleGrid(EditorModel& editor, QScrollArea& scroll, std::function<bool(const CaptionStyle&)> selected,
              QWidget* parent = nullptr);

    void setStyles(std::vector<CaptionStyle> styles);
    const std::vector<CaptionStyle>& styles() const { return styles_; }
    // The cards that exist now, by index into styles().
    const std::map<std::size_t, StyleCard*>& cards() const { return cards_; }
    // Marks the cards again after the selection changed.
    void refreshSelection();

    struct Metrics {
        int columns;
        int cardWidth;
        int rowHeight;
    };
    Metrics metrics() const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;

signals:
    void cardClicked(const CaptionStyle& style);
    void cardMenuRequested(const CaptionStyle& style, const QPoint& globalPos);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    EditorModel& editor_;
    QScrollArea& scroll_;
    std::function<bool(const CaptionStyle&)> selected_;
    std::vector<CaptionStyle> styles_;
    std::map<std::size_t, StyleCard*> cards_;

    Metrics metricsFor(int width) const;
    // Creates the cards near the visible rows and destroys the others.
    void materialise();
};

}  // namespace vt::ui
