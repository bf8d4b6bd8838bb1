#include "ui/inspector/ColorwayRow.h"

#include "captions/look/StyleVariants.h"
#include "editor/EditorModel.h"
#include "ui/inspector/KitColors.h"
#include "ui/theme/LookColor.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QPainter>

#include <cmath>
#include <functional>

namespace vt::ui {

namespace {

// A 9-point colour dot, padded 1.5, ringed in the accent colour when selected.
class ColorDot : public QAbstractButton {
public:
    ColorDot(RGBA colour, bool selected, const QString& help, std::function<void()> action, QWidget* parent)
        : QAbstractButton(parent), colour_(colour)
    {
        setFixedSize(12, 12);
        setToolTip(help);
        setAccessibleName(help);
        setProperty("selected", selected);
        setCursor(Qt::PointingHandCursor);
        connect(this, &QAbstractButton::clicked, this, std::move(action));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        QColor fill = toQColor(colour_);
        fill.setAlphaF(1);
        const QRectF dot(1.5, 1.5, 9, 9);
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawEllipse(dot);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(kit::faded(kit::ink(), 0.14)), 1));
        p.drawEllipse(dot.adjusted(0.5, 0.5, -0.5, -0.5));
        if (property("selected").toBool()) {
            p.setPen(QPen(QColor(kit::accent()), 2));
            p.drawEllipse(QRectF(rect()).adjusted(1, 1, -1, -1));
        }
    }

private:
    RGBA colour_;
};

}  // namespace

ColorwayRow::ColorwayRow(EditorModel& editor, CaptionStyle preset, QWidget* parent)
    : QWidget(parent), editor_(editor), preset_(std::move(preset))
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    refresh();
}

bool ColorwayRow::matches(const RGBA& a, const RGBA& b)
{
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) < 0.04;
}

void ColorwayRow::refresh()
{
    // Later, not now: the dot being clicked may be the one asking.
    while (QLayoutItem* item = layout()->takeAt(0)) {
        if (QWidget* old = item->widget()) {
            old->hide();
            old->setParent(nullptr);
            old->deleteLater();
        }
        delete item;
    }
    auto* row = static_cast<QHBoxLayout*>(layout());
    const RGBA presetAccent = StyleVariants::accent(preset_);
    const RGBA currentAccent = StyleVariants::accent(editor_.project().style);
    const bool unchanged = matches(currentAccent, presetAccent);
    row->addStretch(1);
    row->addWidget(new ColorDot(presetAccent, unchanged, QStringLiteral("Original colors"),
                                [this] { editor_.applyVariant(std::nullopt); }, this));
    for (const auto& swatch : StyleVariants::swatches()) {
        if (matches(swatch.color, presetAccent)) continue;
        const bool selected = !unchanged && matches(currentAccent, swatch.color);
        row->addWidget(new ColorDot(swatch.color, selected, QString::fromStdString(swatch.name),
                                    [this, swatch] { editor_.applyVariant(swatch); }, this));
    }
    row->addStretch(1);
}

}  // namespace vt::ui
