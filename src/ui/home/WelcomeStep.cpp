#include "ui/home/WelcomeStep.h"

#include "captions/presets/StylePresets.h"
#include "ui/home/OnboardingFooter.h"
#include "ui/inspector/KitText.h"
#include "ui/inspector/PanelCard.h"
#include "ui/theme/PrimaryActionButton.h"
#include "ui/theme/Theme.h"
#include "ui/theme/WindowChrome.h"

#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>
#include <QVariantAnimation>

#include <cmath>

namespace vt {

namespace {

// "pop." in an italic display face, filled with the brand gradient.
class GradientWord : public QWidget {
public:
    GradientWord(QString text, QWidget* parent) : QWidget(parent), text_(std::move(text))
    {
        font_ = QFont(QStringLiteral("Didot"));
        font_.setStyleHint(QFont::Serif);
        font_.setItalic(true);
        font_.setPointSizeF(50);
        const QFontMetrics metrics(font_);
        setFixedSize(metrics.horizontalAdvance(text_) + 8, metrics.height());
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setFont(font_);
        painter.setPen(QPen(QBrush(Theme::deepGradient(0, width())), 1));
        painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter, text_);
    }

private:
    QString text_;
    QFont font_;
};

QWidget* feature(const QString& symbol, const QString& title, const QString& detail, QWidget* parent)
{
    auto* column = new QWidget(parent);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->setSpacing(6);
    layout->addWidget(ui::kit::label(symbol, 15, QFont::Medium, Theme::secondaryText, column));
    layout->addWidget(ui::kit::label(title, 14, QFont::DemiBold, Theme::ink, column));
    auto* text = ui::kit::label(detail, 12.5, QFont::Normal, Theme::secondaryText, column);
    text->setWordWrap(true);
    layout->addWidget(text);
    layout->addStretch(1);
    return column;
}

QWidget* divider(QWidget* parent)
{
    auto* line = new QWidget(parent);
    line->setFixedWidth(1);
    line->setAutoFillBackground(true);
    Appearances::setColor(line, QPalette::Window, Theme::hairline);
    return line;
}

// A row holding `widget` centred, as wide as its maximum width allows.
QHBoxLayout* centred(QWidget* widget)
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(widget, 1000);
    row->addStretch(1);
    return row;
}

void setOpacity(QWidget* widget, double opacity)
{
    auto* effect = qobject_cast<QGraphicsOpacityEffect*>(widget->graphicsEffect());
    if (!effect) {
        effect = new QGraphicsOpacityEffect(widget);
        widget->setGraphicsEffect(effect);
    }
    effect->setOpacity(opacity);
}

}  // namespace

QString WelcomeStep::looksDetail()
{
    return QString::number(StylePresets::all().size()) + QStringLiteral(" caption styles, hooks, thumbnails, B-roll, music and color.");
}

WelcomeStep::WelcomeStep(std::function<void()> next, QString buttonTitle, std::optional<int> footerStep, QWidget* parent)
    : QWidget(parent), next_(std::move(next))
{
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);
    auto* content = new QVBoxLayout;
    content->setContentsMargins(40, 40, 40, 40);
    content->setSpacing(30);
    content->addStretch(1);

    // The mark grows inside a holder of its full size, so nothing around it moves.
    mark_ = new QWidget(this);
    mark_->setFixedSize(96, 96);
    brand_ = new BrandMark(96, mark_);
    content->addWidget(mark_, 0, Qt::AlignHCenter);

    headline_ = new QWidget(this);
    auto* headlineColumn = new QVBoxLayout(headline_);
    headlineColumn->setContentsMargins(0, 0, 0, 0);
    headlineColumn->setSpacing(12);
    auto* headlineRow = new QHBoxLayout;
    headlineRow->setSpacing(12);
    headlineRow->addStretch(1);
    headlineRow->addWidget(ui::kit::label(tr("Captions that make your videos"), 44, QFont::DemiBold, Theme::ink, headline_), 0, Qt::AlignBaseline);
    headlineRow->addWidget(new GradientWord(tr("pop."), headline_));
    headlineRow->addStretch(1);
    headlineColumn->addLayout(headlineRow);
    auto* description = ui::kit::label(tr("Turn a talking-head clip into a post-ready short: styled captions, hooks, B-roll, music and color. "
                                          "Edited like a doc, rendered entirely on this computer."),
                                       15, QFont::Normal, Theme::secondaryText, headline_);
    description->setWordWrap(true);
    description->setAlignment(Qt::AlignCenter);
    description->setMaximumWidth(580);
    headlineColumn->addLayout(centred(description));
    content->addWidget(headline_);

    features_ = new ui::PanelCard(14, this);
    features_->setMaximumWidth(820);
    auto* featureRow = new QHBoxLayout(features_);
    featureRow->setContentsMargins(0, 0, 0, 0);
    featureRow->setSpacing(0);
    featureRow->addWidget(feature(QStringLiteral("\u2336"), QStringLiteral("Edit video like a doc"),
                                  QStringLiteral("Delete a word and it's cut from the video. Captions stay in sync."), features_), 1);
    featureRow->addWidget(divider(features_));
    featureRow->addWidget(feature(QStringLiteral("\U0001F512"), QStringLiteral("100% on this computer"),
                                  QStringLiteral("Nothing is uploaded. No account needed, and it works offline."), features_), 1);
    featureRow->addWidget(divider(features_));
    featureRow->addWidget(feature(QStringLiteral("\u2726"), QStringLiteral("The whole post"), looksDetail(), features_), 1);
    content->addLayout(centred(features_));

    if (!footerStep) {
        button_ = new PrimaryActionButton(buttonTitle, 200, [this] {
            if (next_) next_();
        }, this);
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter})
            connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, button_, &QAbstractButton::click);
        content->addWidget(button_, 0, Qt::AlignHCenter);
    }
    content->addStretch(1);
    page->addLayout(content, 1);
    if (footerStep) {
        footer_ = new OnboardingFooter(*footerStep, nullptr, std::nullopt, OnboardingFooter::Primary{QStringLiteral("Get Started"), true, [this] {
                                                                                                      if (next_) next_();
                                                                                                  }},
                                       this);
        page->addWidget(footer_);
    }

    entrance_ = new QVariantAnimation(this);
    entrance_->setStartValue(0.0);
    entrance_->setEndValue(1.0);
    entrance_->setDuration(600);
    entrance_->setEasingCurve(QEasingCurve::OutCubic);
    connect(entrance_, &QVariantAnimation::valueChanged, this, [this](const QVariant& t) { setEntrance(t.toDouble()); });
    setEntrance(0);
}

int WelcomeStep::markSide() const { return brand_->width(); }

void WelcomeStep::showEvent(QShowEvent*)
{
    if (appeared_) return;
    appeared_ = true;
    QTimer::singleShot(50, entrance_, [this] { entrance_->start(); });
}

void WelcomeStep::setEntrance(double t)
{
    setOpacity(mark_, t);
    const int side = int(std::lround(96 * (0.8 + 0.2 * t)));
    brand_->setFixedSize(side, side);
    brand_->move((96 - side) / 2, (96 - side) / 2);
    setOpacity(headline_, t);
    setOpacity(features_, t);
    if (button_) setOpacity(button_, t);
    // Rising into place: the headline from 10 below, the panel from 16.
    headline_->setContentsMargins(0, int(std::lround(10 * (1 - t))), 0, 0);
    features_->setContentsMargins(0, int(std::lround(16 * (1 - t))), 0, 0);
}

}  // namespace vt
