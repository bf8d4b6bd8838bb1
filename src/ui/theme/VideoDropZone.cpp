#include "ui/theme/VideoDropZone.h"

#include "ui/theme/PrimaryActionButton.h"
#include "ui/theme/Symbols.h"
#include "ui/theme/Theme.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace vt {
namespace {

constexpr int kSymbolSide = 20;
constexpr qreal kRadius = 12;

QFont sizedFont(qreal points, QFont::Weight weight = QFont::Normal)
{
    QFont f;
    f.setPointSizeF(points);
    f.setWeight(weight);
    return f;
}

}  // namespace

VideoDropZone::VideoDropZone(const QString& title, int verticalPadding, std::function<void()> choose, QWidget* parent)
    : QWidget(parent), title_(title)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, verticalPadding + kSymbolSide + 10, 16, verticalPadding);
    layout->setSpacing(10);
    text_ = new QLabel(title_, this);
    text_->setFont(sizedFont(15, QFont::Medium));
    text_->setAlignment(Qt::AlignHCenter);
    or_ = new QLabel(tr("or"), this);
    or_->setFont(sizedFont(12));
    or_->setAlignment(Qt::AlignHCenter);
    button_ = new PrimaryActionButton("Choose Video", 0, std::move(choose), this);
    layout->addWidget(text_);
    layout->addWidget(or_);
    layout->addWidget(button_, 0, Qt::AlignHCenter);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Minimum);
    Appearances::setColor(text_, QPalette::WindowText, Theme::ink);
    Appearances::setColor(or_, QPalette::WindowText, Theme::secondaryText);
}

QString VideoDropZone::shownText() const { return text_->text(); }

void VideoDropZone::setTargeted(bool targeted)
{
    if (targeted_ == targeted) return;
    targeted_ = targeted;
    text_->setText(targeted ? QStringLiteral("Release to open") : title_);
    update();
}

void VideoDropZone::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QColor fill = targeted_ ? QColor(Theme::selected) : QColor(Theme::muted);
    if (!targeted_) fill.setAlphaF(fill.alphaF() * 0.45);
    const qreal line = targeted_ ? 1.5 : 1.0;
    const QRectF box = QRectF(rect()).adjusted(line / 2, line / 2, -line / 2, -line / 2);
    QPainterPath shape;
    shape.addRoundedRect(box, kRadius, kRadius);
    p.fillPath(shape, fill);
    QColor stroke = targeted_ ? QColor(Theme::accent) : QColor(Theme::border);
    if (!targeted_) stroke.setAlphaF(stroke.alphaF() * 0.7);
    QPen pen(stroke, line);
    pen.setDashPattern({5 / line, 4 / line});
    p.setPen(pen);
    p.drawPath(shape);

    const QRectF symbol((width() - kSymbolSide) / 2.0, layout()->contentsMargins().top() - kSymbolSide - 10, kSymbolSide, kSymbolSide);
    Symbols::draw(p, Symbols::Name::arrowDownToLine, symbol, targeted_ ? QColor(Theme::accent) : QColor(Theme::secondaryText));
}

}  // namespace vt
