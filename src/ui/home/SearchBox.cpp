#include "ui/home/SearchBox.h"

#include "ui/inspector/KitText.h"
#include "ui/theme/Theme.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QToolButton>

namespace vt {

SearchBox::SearchBox(QWidget* parent) : QWidget(parent)
{
    setFixedHeight(24);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(9, 0, 9, 0);
    row->setSpacing(6);
    row->addWidget(ui::kit::label(QStringLiteral("\u2315"), 11, QFont::Medium, Theme::secondaryText, this));
    field_ = new QLineEdit(this);
    field_->setFrame(false);
    field_->setPlaceholderText(tr("Search projects"));
    field_->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; }"));
    // A video dropped on the field goes to the home screen's import, not into the search text.
    field_->setAcceptDrops(false);
    QFont font = field_->font();
    font.setPointSizeF(12);
    field_->setFont(font);
    row->addWidget(field_, 1);
    clear_ = new QToolButton(this);
    clear_->setText(QStringLiteral("\u2715"));
    clear_->setAutoRaise(true);
    clear_->setToolTip(tr("Clear"));
    clear_->setAccessibleName(tr("Clear search"));
    clear_->setFixedSize(16, 16);
    clear_->hide();
    row->addWidget(clear_);
    connect(field_, &QLineEdit::textChanged, this, [this](const QString& text) {
        clear_->setVisible(!text.isEmpty());
        emit textChanged(text);
    });
    connect(clear_, &QToolButton::clicked, field_, &QLineEdit::clear);
}

QString SearchBox::text() const { return field_->text(); }

void SearchBox::setText(const QString& text) { field_->setText(text); }

void SearchBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor fill = Theme::ink;
    fill.setAlphaF(0.06);
    painter.setBrush(fill);
    painter.setPen(QPen(QColor(Theme::hairline), 1));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 7, 7);
}

}  // namespace vt
