#include "ui/home/OnboardingView.h"

#include "app/AppModel.h"
#include "ui/home/LanguageStep.h"
#include "ui/home/ReadyStep.h"
#include "ui/home/ScreenTitleBar.h"
#include "ui/home/WelcomeStep.h"
#include "ui/inspector/KitText.h"
#include "ui/theme/Theme.h"

#include <QGraphicsOpacityEffect>
#include <QPushButton>
#include <QVBoxLayout>
#include <QVariantAnimation>

namespace vt {

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

    QWidget* old = current_;
    current_ = makeStep(step_);
    host_->replaceWidget(old, current_);
    old->deleteLater();
    old->hide();
    // The new step slides 40 points in from the side it comes from, fading in.
    auto* fade = new QGraphicsOpacityEffect(current_);
    current_->setGraphicsEffect(fade);
    auto* slide = new QVariantAnimation(current_);
    slide->setStartValue(0.0);
    slide->setEndValue(1.0);
    slide->setDuration(450);
    slide->setEasingCurve(QEasingCurve::OutBack);
    const int from = forward_ ? 40 : -40;
    QWidget* entering = current_;
    connect(slide, &QVariantAnimation::valueChanged, entering, [entering, fade, from](const QVariant& v) {
        const double t = v.toDouble();
        fade->setOpacity(std::clamp(t, 0.0, 1.0));
        const int shift = int(std::lround(from * (1 - t)));
        entering->setContentsMargins(std::max(shift, 0), 0, std::max(-shift, 0), 0);
    });
    connect(slide, &QVariantAnimation::finished, entering, [entering] {
        entering->setGraphicsEffect(nullptr);
        entering->setContentsMargins(0, 0, 0, 0);
    });
    slide->start(QAbstractAnimation::DeleteWhenStopped);
}

}  // namespace vt
