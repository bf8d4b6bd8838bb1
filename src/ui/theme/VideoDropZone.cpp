#include "ui/theme/VideoDropZone.h"

#include "ui/theme/PrimaryActionButton.h"
#include "ui/theme/Symbols.h"
#include "ui/theme/Theme.h"
#include "ui/theme/Tween.h"

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
    look_ = new Tween(0, [this] { update(); }, this);
    restyle();
    connect(Appearances::notifier(), SIGNAL(changed()), this, SLOT(restyle()));
}

QString VideoDropZone::shownText() const { return text_->text(); }

void VideoDropZone::setTargeted(bool targeted)
{
    if (targeted_ == targeted) return;
    targeted_ = targeted;
    text_->setText(targeted ? QStringLiteral("Release to open") : title_);
    look_->to(targeted ? 1 : 0);
}

namespace {

QColor mix(const QColor& from, const QColor& to, double t)
{
    const auto lerp = [t](float a, float b) { return a + (b - a) * float(t); };
    return QColor::fromRgbF(lerp(from.redF(), to.redF()), lerp(from.greenF(), to.greenF()), lerp(from.blueF(), to.blueF()),
                            lerp(from.alphaF(), to.alphaF()));
}

QColor withAlpha(QColor c, double factor)
{
    c.setAlphaF(float(c.alphaF() * factor));
    return c;
}

}  // namespace

double VideoDropZone::targetedAmount() const { return look_->value(); }

void VideoDropZone::paintEvent(QPaintEvent*)
{
    // Everything eases between the resting look (0) and the targeted one (1).
    const double t = look_->value();
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor fill = mix(withAlpha(Theme::muted, 0.45), Theme::selected, t);
    const qreal line = 1.0 + 0.5 * t;
    const QRectF box = QRectF(rect()).adjusted(line / 2, line / 2, -line / 2, -line / 2);
    QPainterPath shape;
    shape.addRoundedRect(box, kRadius, kRadius);
    p.fillPath(shape, fill);
    QPen pen(mix(withAlpha(Theme::border, 0.7), Theme::accent, t), line);
    pen.setDashPattern({5 / line, 4 / line});
    p.setPen(pen);
    p.drawPath(shape);

    const QRectF symbol((width() - kSymbolSide) / 2.0, layout()->contentsMargins().top() - kSymbolSide - 10, kSymbolSide, kSymbolSide);
    Symbols::draw(p, Symbols::Name::arrowDownToLine, symbol, mix(Theme::secondaryText, Theme::accent, t));
}

void VideoDropZone::restyle()
{
    QPalette palette = text_->palette();
    palette.setColor(QPalette::WindowText, Theme::ink);
    text_->setPalette(palette);
    palette.setColor(QPalette::WindowText, Theme::secondaryText);
    or_->setPalette(palette);
}

}  // namespace vt
