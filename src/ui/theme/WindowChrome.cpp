#include "ui/theme/WindowChrome.h"

#include "ui/theme/Symbols.h"
#include "ui/theme/Theme.h"

#include <QCoreApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QRadialGradient>
#include <QWindow>

namespace vt {
namespace {

// The desktop's title-bar double-click action, where the desktop keeps one.
std::optional<std::string> desktopDoubleClickSetting()
{
    QProcess gsettings;
    gsettings.start("gsettings", {"get", "org.gnome.desktop.wm.preferences", "action-double-click-titlebar"});
    if (!gsettings.waitForFinished(500) || gsettings.exitCode() != 0) return std::nullopt;
    QString value = QString::fromUtf8(gsettings.readAllStandardOutput()).trimmed();
    value.remove('\'');
    return value.toStdString();
}

}  // namespace

TitleBar::TitleBar(QWidget* leading, QWidget* trailing, QWidget* parent) : QWidget(parent)
{
    setMinimumHeight(height);  // taller only when its titles need it
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* layout = new QHBoxLayout(this);
    // The window's own buttons float on the leading side.
    layout->setContentsMargins(80, 0, 12, 0);
    layout->setSpacing(10);
    if (leading) layout->addWidget(leading, 0, Qt::AlignVCenter);
    layout->addSpacing(12);
    layout->addStretch(1);
    if (trailing) layout->addWidget(trailing, 0, Qt::AlignVCenter);
}

TitleBar::DoubleClick TitleBar::doubleClickAction(const std::optional<std::string>& setting)
{
    if (setting == std::optional<std::string>("minimize")) return DoubleClick::minimize;
    if (setting == std::optional<std::string>("none")) return DoubleClick::none;
    return DoubleClick::zoom;
}

void TitleBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && window()->windowHandle()) window()->windowHandle()->startSystemMove();
    QWidget::mousePressEvent(event);
}

void TitleBar::mouseDoubleClickEvent(QMouseEvent* event)
{
    QWidget* w = window();
    switch (doubleClickAction(desktopDoubleClickSetting())) {
    case DoubleClick::minimize: w->showMinimized(); break;
    case DoubleClick::none: break;
    case DoubleClick::zoom: w->isMaximized() ? w->showNormal() : w->showMaximized(); break;
    }
    event->accept();
}

BrandMark::BrandMark(int size, QWidget* parent) : QWidget(parent) { setFixedSize(size, size); }

const std::optional<QImage>& BrandMark::image()
{
    static const std::optional<QImage> image = []() -> std::optional<QImage> {
        for (const QString& path : {QDir(QCoreApplication::applicationDirPath()).filePath("BrandMark.png"), QDir::current().filePath("brand/mark.png")}) {
            QImage picture(path);
            if (!picture.isNull()) return picture;
        }
        return std::nullopt;
    }();
    return image;
}

void BrandMark::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (const auto& picture = image()) {
        const QImage scaled = picture->scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
        p.drawImage(QPoint((width() - scaled.width()) / 2, (height() - scaled.height()) / 2), scaled);
        return;
    }
    const qreal side = width() * 0.6;
    const QRectF box((width() - side) / 2, (height() - side) / 2, side, side);
    Symbols::draw(p, Symbols::Name::captionsBubble, box, Theme::gradient(box.left(), box.right()));
}

Wordmark::Wordmark(qreal size, QWidget* parent) : QWidget(parent)
{
    font_.setPointSizeF(size);
    font_.setWeight(QFont::Bold);
    font_.setLetterSpacing(QFont::AbsoluteSpacing, -0.3);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize Wordmark::sizeHint() const
{
    const QFontMetrics metrics(font_);
    return {metrics.horizontalAdvance(QStringLiteral("Vellumtide")) + 2, metrics.height()};
}

void Wordmark::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(font_);
    const QFontMetrics metrics(font_);
    const QString first = tr("Vellum"), second = tr("tide");
    const int baseline = metrics.ascent();
    p.setPen(QColor(Theme::ink));
    p.drawText(0, baseline, first);
    const int x = metrics.horizontalAdvance(first);
    p.setPen(QPen(QBrush(Theme::gradient(x, x + metrics.horizontalAdvance(second))), 1));
    p.drawText(x, baseline, second);
}

void paintAurora(QPainter& painter, const QRect& area)
{
    painter.fillRect(area, QColor(Theme::canvas));
    const qreal w = area.width();
    const QPointF centre(area.left() + w * 0.5, area.top() - w * 0.08);
    QColor glow = Appearances::isDark() ? QColor::fromRgbF(0.62, 0.60, 0.85, 0.07) : QColor::fromRgbF(1, 1, 1, 0.7);
    QRadialGradient gradient(centre, w * 0.5);
    gradient.setColorAt(0, glow);
    glow.setAlphaF(0);
    gradient.setColorAt(1, glow);
    painter.fillRect(QRectF(centre.x() - w / 2, centre.y() - w * 0.35, w, w * 0.7), gradient);
}

}  // namespace vt
