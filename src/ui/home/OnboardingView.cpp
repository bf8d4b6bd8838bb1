#include "ui/home/OnboardingView.h"

#include "app/AppModel.h"
#include "ui/home/LanguageStep.h"
#include "ui/home/ReadyStep.h"
#include "ui/home/ScreenTitleBar.h"
#include "ui/home/WelcomeStep.h"
#include "ui/inspector/KitText.h"
#include "ui/theme/Motion.h"
#include "ui/theme/Theme.h"

#include <QGraphicsOpacityEffect>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QVariantAnimation>

#include <cmath>

namespace vt {
namespace {

// A still picture of a step, drawn at an opacity, that takes no input.
class StepPicture : public QWidget {
public:
    StepPicture(QPixmap picture, QWidget* parent) : QWidget(parent), picture_(std::move(picture))
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    void setOpacity(double opacity)
    {
        opacity_ = opacity;
        update();
    }
    double opacity() const { return opacity_; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setOpacity(opacity_);
        p.drawPixmap(0, 0, picture_);
    }

private:
    QPixmap picture_;
    double opacity_ = 1;
};

// The widget as it stands in its window. Grabbed on its own, or with the
// window's grab limited to its area, a widget draws the parts that carry an
// effect (the steps' faded-in headings and panels) out of place; the whole
// window is drawn right, so the picture is cut from that.
QPixmap pictureOf(const QWidget& widget)
{
    const QPixmap whole = widget.window()->grab();
    const qreal ratio = whole.devicePixelRatio();
    const QRectF area(QPointF(widget.mapTo(widget.window(), QPoint(0, 0))) * ratio, QSizeF(widget.size()) * ratio);
    QPixmap picture = whole.copy(area.toAlignedRect());
    picture.setDevicePixelRatio(ratio);
    return picture;
}

}  // namespace

double OnboardingView::leavingOpacity() const
{
    const auto* picture = dynamic_cast<const StepPicture*>(leaving_.data());
    return picture ? picture->opacity() : 0;
}

OnboardingView::OnboardingView(AppModel& app, QWidget* parent) : QWidget(parent), app_(app)
{
    auto* screen = new QVBoxLayout(this);
    screen->setContentsMargins(0, 0, 0, 0);
    screen->setSpacing(0);
    skip_ = new QPushButton(tr("Skip Setup"), this);
    skip_->setFlat(true);
    skip_->setCursor(Qt::PointingHandCursor);
    ui::kit::setTextColour(skip_, Theme::secondaryText);
    connect(skip_, &QPushButton::clicked, this, [this] { app_.finishOnboarding(); });
    screen->addWidget(screenTitleBar(skip_, this));
    host_ = new QVBoxLayout;
    host_->setContentsMargins(0, 0, 0, 0);
    screen->addLayout(host_, 1);
    current_ = makeStep(0);
    host_->addWidget(current_);
}

QWidget* OnboardingView::makeStep(int step)
{
    switch (step) {
    case 0: return new WelcomeStep([this] { go(1); }, QStringLiteral("Get started"), 0, this);
    case 1: return new LanguageStep(app_, [this] { go(0); }, [this] { go(2); }, std::nullopt, this);
    default: return new ReadyStep(app_, [this] { go(1); }, this);
    }
}

void OnboardingView::go(int target)
{
    forward_ = step_ < target;
    step_ = target;
    // Invisible and unclickable on the last step, keeping its place.
    auto* hidden = qobject_cast<QGraphicsOpacityEffect*>(skip_->graphicsEffect());
    if (!hidden) {
        hidden = new QGraphicsOpacityEffect(skip_);
        skip_->setGraphicsEffect(hidden);
    }
    hidden->setOpacity(step_ == 2 ? 0 : 1);
    skip_->setEnabled(step_ != 2);

    if (change_) change_->setCurrentTime(change_->duration());  // ends the previous change
    QWidget* old = current_;
    current_ = makeStep(step_);
    delete host_->replaceWidget(old, current_);  // the layout hands back the old step's item
    if (Motion::reduced()) {
        old->hide();
        old->deleteLater();
        return;
    }
    // The leaving step, as a picture of itself over the layout (its parts may
    // carry effects of their own, which do not nest), slides 40 points out
    // to the side the new step does not come from and fades; the new step
    // slides 40 points in and fades in.
    auto* ghost = new StepPicture(pictureOf(*old), this);
    ghost->setGeometry(old->geometry());
    ghost->show();
    ghost->raise();
    old->hide();
    old->deleteLater();
    leaving_ = ghost;
    const int from = forward_ ? 40 : -40;
    const QPoint rest = ghost->pos();
    QWidget* entering = current_;
    auto* fadeIn = new QGraphicsOpacityEffect(entering);
    entering->setGraphicsEffect(fadeIn);
    auto* slide = new QVariantAnimation(this);
    slide->setStartValue(0.0);
    slide->setEndValue(1.0);
    slide->setDuration(changeMs);
    // Close to the damped spring of the step change, without its overshoot.
    slide->setEasingCurve(QEasingCurve::OutCubic);
    const auto show = [entering, fadeIn, ghost, from, rest](double t) {
        fadeIn->setOpacity(t);
        const int shift = int(std::lround(from * (1 - t)));
        entering->setContentsMargins(std::max(shift, 0), 0, std::max(-shift, 0), 0);
        ghost->setOpacity(1 - t);
        ghost->move(rest - QPoint(int(std::lround(from * t)), 0));
    };
    show(0);
    connect(slide, &QVariantAnimation::valueChanged, this, [show](const QVariant& v) { show(v.toDouble()); });
    connect(slide, &QVariantAnimation::finished, this, [entering, ghost] {
        entering->setGraphicsEffect(nullptr);
        entering->setContentsMargins(0, 0, 0, 0);
        ghost->deleteLater();
    });
    change_ = slide;
    slide->start(QAbstractAnimation::DeleteWhenStopped);
}

}  // namespace vt
