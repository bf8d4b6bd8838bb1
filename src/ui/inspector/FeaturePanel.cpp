#include "ui/inspector/FeaturePanel.h"

#include "ui/inspector/FeatureColumn.h"
#include "ui/inspector/KitColors.h"
#include "ui/inspector/KitText.h"
#include "ui/inspector/RowDivider.h"

#include <QLayoutItem>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace vt::ui {

FeaturePanel::FeaturePanel(const QString& introduction, QWidget* parent) : QWidget(parent)
{
    QVBoxLayout* whole = featureColumn(this, introduction);
    content_ = whole->parentWidget();
    column_ = new QVBoxLayout;
    column_->setContentsMargins(0, 0, 0, 0);
    column_->setSpacing(18);
    whole->addLayout(column_);
    whole->addStretch(1);
}

void FeaturePanel::scheduleRefresh(std::function<void()> refresh)
{
    pending_ = std::move(refresh);
    if (refreshPending_) return;
    refreshPending_ = true;
    QTimer::singleShot(0, this, [this] {
        refreshPending_ = false;
        if (auto run = std::move(pending_)) run();
    });
}

QVBoxLayout* columnUnderDivider(QWidget* holder)
{
    auto* column = rowStack(holder);
    column->addWidget(new RowDivider(holder));
    return column;
}

QWidget* textBox(const QString& placeholder, int verticalPadding, QWidget* parent, QPlainTextEdit** field)
{
    auto* holder = new QWidget(parent);
    auto* row = new QVBoxLayout(holder);
    row->setContentsMargins(12, verticalPadding, 12, verticalPadding);
    *field = new QPlainTextEdit(holder);
    (*field)->setPlaceholderText(placeholder);
    (*field)->setFixedHeight((*field)->fontMetrics().lineSpacing() * 3 + 14);
    row->addWidget(*field);
    return holder;
}

void paintPictureTile(QPainter& painter, const QRectF& box, const QImage* image, bool chosen)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    QPainterPath shape;
    shape.addRoundedRect(box, 8, 8);
    painter.setClipPath(shape);
    if (image && !image->isNull()) {
        const QSizeF filled = QSizeF(image->size()).scaled(box.size(), Qt::KeepAspectRatioByExpanding);
        painter.drawImage(QRectF(box.center() - QPointF(filled.width() / 2, filled.height() / 2), filled), *image);
    }
    painter.setClipping(false);
    const double w = chosen ? 2.5 : 1;
    painter.setPen(QPen(chosen ? QColor(kit::accent()) : QColor(kit::hairline()), w));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(box.adjusted(w / 2, w / 2, -w / 2, -w / 2), 8, 8);
    painter.restore();
}

void clearLayout(QLayout* layout)
{
    while (QLayoutItem* item = layout->takeAt(0)) {
        if (QWidget* w = item->widget()) {
            w->hide();
            w->deleteLater();
        } else if (QLayout* inner = item->layout()) {
            clearLayout(inner);
        }
        delete item;
    }
}

}  // namespace vt::ui
