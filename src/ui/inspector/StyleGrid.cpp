#include "ui/inspector/StyleGrid.h"

#include "editor/EditorModel.h"
#include "ui/inspector/StyleCard.h"

#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>

namespace vt::ui {

namespace {

constexpr int kPadding = 12;
constexpr int kColumnSpacing = 12;
constexpr int kRowSpacing = 16;
constexpr int kMinColumn = 108;

}  // namespace

StyleGrid::StyleGrid(EditorModel& editor, QScrollArea& scroll, std::function<bool(const CaptionStyle&)> selected,
                     QWidget* parent)
    : QWidget(parent), editor_(editor), scroll_(scroll), selected_(std::move(selected))
{
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    connect(scroll_.verticalScrollBar(), &QScrollBar::valueChanged, this, &StyleGrid::materialise);
    // A new format changes every card's height.
    connect(&editor_, &EditorModel::projectChanged, this, [this] {
        updateGeometry();
        materialise();
    });
}

void StyleGrid::setStyles(std::vector<CaptionStyle> styles)
{
    // Later, not now: the card asking may be on the stack.
    for (auto& [index, card] : cards_) {
        card->hide();
        card->deleteLater();
    }
    cards_.clear();
    styles_ = std::move(styles);
    updateGeometry();
    setMinimumHeight(heightForWidth(width()));
    materialise();
}

StyleGrid::Metrics StyleGrid::metricsFor(int width) const
{
    const int inner = std::max(kMinColumn, width - 2 * kPadding);
    const int columns = std::max(1, (inner + kColumnSpacing) / (kMinColumn + kColumnSpacing));
    const int cardWidth = (inner - kColumnSpacing * (columns - 1)) / columns;
    return {columns, cardWidth, StyleCard::heightFor(editor_, cardWidth)};
}

StyleGrid::Metrics StyleGrid::metrics() const { return metricsFor(width()); }

int StyleGrid::heightForWidth(int width) const
{
    const Metrics m = metricsFor(width);
    const int rows = static_cast<int>((styles_.size() + m.columns - 1) / m.columns);
    return 2 * kPadding + rows * m.rowHeight + std::max(0, rows - 1) * kRowSpacing;
}

QSize StyleGrid::sizeHint() const { return {2 * kPadding + kMinColumn, heightForWidth(2 * kPadding + kMinColumn)}; }

void StyleGrid::resizeEvent(QResizeEvent*)
{
    setMinimumHeight(heightForWidth(width()));
    materialise();
}

void StyleGrid::refreshSelection()
{
    for (auto& [index, card] : cards_) card->setSelected(selected_(styles_[index]));
}

void StyleGrid::materialise()
{
    if (styles_.empty()) return;
    const Metrics m = metrics();
    const int stride = m.rowHeight + kRowSpacing;
    // The visible band in grid coordinates, widened by a screenful each way.
    const int top = scroll_.verticalScrollBar()->value();
    const int screen = std::max(1, scroll_.viewport()->height());
    const int firstRow = std::max(0, (top - screen - kPadding) / stride);
    const int lastRow = (top + 2 * screen - kPadding) / stride;
    const std::size_t first = static_cast<std::size_t>(firstRow) * m.columns;
    const std::size_t last = std::min(styles_.size(), static_cast<std::size_t>(lastRow + 1) * m.columns);

    for (auto it = cards_.begin(); it != cards_.end();) {
        if (it->first < first || it->first >= last) {
            it->second->hide();
            it->second->deleteLater();
            it = cards_.erase(it);
        } else {
            ++it;
        }
    }
    for (std::size_t i = first; i < last; ++i) {
        StyleCard*& card = cards_[i];
        if (!card) {
            const CaptionStyle& look = styles_[i];
            card = new StyleCard(editor_, look, selected_(look), this);
            connect(card, &StyleCard::clicked, this, [this, look] { emit cardClicked(look); });
            connect(card, &StyleCard::menuRequested, this,
                    [this, look](const QPoint& at) { emit cardMenuRequested(look, at); });
        }
        const int row = static_cast<int>(i) / m.columns;
        const int column = static_cast<int>(i) % m.columns;
        card->setGeometry(kPadding + column * (m.cardWidth + kColumnSpacing), kPadding + row * stride, m.cardWidth,
                          m.rowHeight);
        if (card->isHidden()) card->show();
    }
}

}  // namespace vt::ui
