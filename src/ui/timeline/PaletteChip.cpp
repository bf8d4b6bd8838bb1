#include "ui/timeline/PaletteChip.h"

#include "ui/theme/TextFitting.h"
#include "ui/theme/Theme.h"
#include "ui/timeline/TimelineIcons.h"
#include "ui/timeline/TimelineMetrics.h"
#include "ui/timeline/TimelinePayload.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace vt {

namespace {

QColor inkAt(double opacity)
{
    QColor c = Theme::ink;
    c.setAlphaF(float(opacity));
    return c;
}

}  // namespace

PaletteChip::PaletteChip(QString title, QString icon, QColor tint, Look look,
                         std::optional<EditorModel::TimelineDrop> drop, QWidget* parent)
    : QAbstractButton(parent), icon_(std::move(icon)), tint_(tint), look_(look), drop_(std::move(drop))
{
    setText(title);
    // The chip draws its title itself, so "Black & White" shows as written;
    // the "&" must not also make Alt+Space a key that presses the chip.
    setShortcut(QKeySequence());
    setAccessibleName(QStringLiteral("Add ") + title);
    setCursor(Qt::PointingHandCursor);
    if (drop_ && look_ == Look::toolbar)
        setToolTip(title + QStringLiteral(": click to add at the playhead, or drag onto the timeline"));
    setSizePolicy(look_ == Look::palette ? QSizePolicy::Expanding : QSizePolicy::Preferred, QSizePolicy::Fixed);
    // A palette chip shrinks its title, then shortens it, to its cell.
    if (look_ == Look::palette) setProperty(fitsOwnTextProperty, true);
}

void PaletteChip::setShowTitle(bool show)
{
    if (show == showTitle_) return;
    showTitle_ = show;
    updateGeometry();
    update();
}

QSize PaletteChip::sizeHint() const
{
    if (look_ == Look::palette) return QSize(90, 30);
    const int title = showTitle_ ? int(QFontMetricsF(TimelineMetrics::font(11, QFont::Medium)).horizontalAdvance(text())) + 4 : 0;
    return QSize(16 + title + 2 * (showTitle_ ? 8 : 7), 24);
}

QSize PaletteChip::minimumSizeHint() const
{
    return look_ == Look::palette ? QSize(40, 30) : QSize(30, 24);
}

void PaletteChip::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = rect();
    if (look_ == Look::palette) {
        QPainterPath back;
        back.addRoundedRect(r, 7, 7);
        // The palette's chips keep one shade; only the toolbar's lighten.
        p.fillPath(back, inkAt(0.06));
        TimelineIcons::draw(p, icon_, QRectF(8, r.center().y() - 8, 16, 16), tint_);
        QFont f = TimelineMetrics::font(11.5, QFont::Medium);
        const QRectF text(30, 0, r.width() - 38, r.height());
        // Shrinks to 80 % before it is cut, never wrapping.
        if (QFontMetricsF(f).horizontalAdvance(this->text()) > text.width())
            f.setPointSizeF(std::max(11.5 * 0.8, 11.5 * text.width() / QFontMetricsF(f).horizontalAdvance(this->text())));
        p.setFont(f);
        p.setPen(QColor(Theme::ink));
        p.drawText(text, Qt::AlignVCenter | Qt::AlignLeft,
                   QFontMetricsF(f).elidedText(this->text(), Qt::ElideRight, text.width()));
        return;
    }
    QPainterPath back;
    back.addRoundedRect(r, 6, 6);
    p.fillPath(back, inkAt(hover_ ? 0.12 : 0.06));
    const double pad = showTitle_ ? 8 : 7;
    const QRectF square(pad, r.center().y() - 8, 16, 16);
    QPainterPath tile;
    tile.addRoundedRect(square, 4, 4);
    p.fillPath(tile, tint_);
    TimelineIcons::draw(p, icon_, square.adjusted(3, 3, -3, -3), QColor(0, 0, 0, 204));
    if (showTitle_) {
        p.setFont(TimelineMetrics::font(11, QFont::Medium));
        p.setPen(QColor(Theme::ink));
        p.drawText(QRectF(square.right() + 4, 0, r.width(), r.height()), Qt::AlignVCenter | Qt::AlignLeft, text());
    }
}

void PaletteChip::mousePressEvent(QMouseEvent* event)
{
    pressAt_ = event->position().toPoint();
    QAbstractButton::mousePressEvent(event);
}

void PaletteChip::mouseMoveEvent(QMouseEvent* event)
{
    if (!drop_ || !(event->buttons() & Qt::LeftButton) ||
        (event->position().toPoint() - pressAt_).manhattanLength() < QApplication::startDragDistance())
        return QAbstractButton::mouseMoveEvent(event);
    // A drag is not a click: release the button without firing it.
    setDown(false);
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(TimelinePayload::payload(*drop_)));
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->setPixmap(dragPreview(text(), icon_, tint_));
    drag->exec(Qt::CopyAction);
}

void PaletteChip::enterEvent(QEnterEvent* event)
{
    hover_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void PaletteChip::leaveEvent(QEvent* event)
{
    hover_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

QPixmap PaletteChip::dragPreview(const QString& title, const QString& icon, const QColor& tint)
{
    const QFont f = TimelineMetrics::font(12, QFont::DemiBold);
    const QFontMetricsF m(f);
    const QSizeF size(10 + 14 + 5 + m.horizontalAdvance(title) + 10, 6 + m.height() + 6);
    QPixmap pixmap(size.toSize());
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath back;
    back.addRoundedRect(QRectF(QPointF(0, 0), size), 7, 7);
    p.fillPath(back, tint);
    TimelineIcons::draw(p, icon, QRectF(10, size.height() / 2 - 7, 14, 14), QColor(0, 0, 0, 217));
    p.setFont(f);
    p.setPen(QColor(0, 0, 0, 217));
    p.drawText(QRectF(29, 0, size.width(), size.height()), Qt::AlignVCenter | Qt::AlignLeft, title);
    return pixmap;
}

}  // namespace vt
