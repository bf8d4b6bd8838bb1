#include "ui/shell/Screens.h"

#include "ui/theme/Theme.h"
#include "ui/theme/WindowChrome.h"

#include <QLabel>
#include <QVBoxLayout>

namespace vt {
namespace {

QLabel* label(const QString& text, qreal points, QFont::Weight weight, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    QFont font;
    font.setPointSizeF(points);
    font.setWeight(weight);
    l->setFont(font);
    l->setAlignment(Qt::AlignHCenter);
    l->setWordWrap(true);
    return l;
}

// Lays the screen out as the title strip above a column centred a little
// above the middle; returns the column to fill.
QVBoxLayout* centredColumn(QWidget* screen, int spacing)
{
    auto* layout = new QVBoxLayout(screen);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new TitleBar(nullptr, nullptr, screen));
    layout->addStretch(2);
    auto* column = new QVBoxLayout;
    column->setSpacing(spacing);
    layout->addLayout(column);
    layout->addStretch(3);
    return column;
}

}  // namespace

PlaceholderScreen::PlaceholderScreen(QWidget* parent) : QWidget(parent)
{
    QVBoxLayout* column = centredColumn(this, 8);
    title_ = label({}, 22, QFont::DemiBold, this);
    detail_ = label({}, 13, QFont::Normal, this);
    column->addWidget(title_);
    column->addWidget(detail_);
}

void PlaceholderScreen::setText(const QString& title, const QString& detail)
{
    title_->setText(title);
    detail_->setText(detail);
}

QString PlaceholderScreen::title() const { return title_->text(); }

}  // namespace vt
