#include "ui/home/OnboardingFooter.h"

#include "ui/inspector/KitText.h"
#include "ui/theme/Theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QShortcut>
#include <QVBoxLayout>

namespace vt {

FooterButton::FooterButton(const QString& text, bool prominent, QWidget* parent) : QAbstractButton(parent), prominent_(prominent)
{
    setText(text);
    setCursor(Qt::PointingHandCursor);
    QFont font;
    font.setPointSizeF(13);
    font.setWeight(prominent ? QFont::DemiBold : QFont::Medium);
    setFont(font);
}

double FooterButton::drawnOpacity() const
{
    if (!isEnabled()) return 0.4;
    return isDown() ? 0.75 : 1.0;
}

QSize FooterButton::sizeHint() const
{
    const int padding = prominent_ ? 20 : 14;
    const int width = fontMetrics().horizontalAdvance(text()) + 2 * padding;
    return {std::max(width, prominent_ ? 130 : 0), 34};
}

void FooterButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(drawnOpacity());
    const bool hover = underMouse() && isEnabled();
    QColor fill = Theme::ink;
    fill.setAlphaF(prominent_ ? (hover ? 0.88 : 1.0) : (hover ? 0.12 : 0.07));
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(rect()), 9, 9);
    painter.setPen(prominent_ ? QColor(Theme::onInk) : QColor(Theme::ink));
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignCenter, text());
}

OnboardingFooter::OnboardingFooter(int step, std::function<void()> back, std::optional<Secondary> secondary, std::optional<Primary> primary,
                                   QWidget* parent)
    : QWidget(parent), step_(step)
{
    setFixedHeight(68);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(28, 0, 28, 0);
    row->setSpacing(10);
    if (back) {
        back_ = new FooterButton(QStringLiteral("\u2039  ") + tr("Back"), false, this);
        connect(back_, &QAbstractButton::clicked, this, back);
        auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Left), this);
        connect(shortcut, &QShortcut::activated, back_, &QAbstractButton::click);
        row->addWidget(back_);
    }
    row->addStretch(1);
    if (secondary) {
        secondary_ = new FooterButton(secondary->title, false, this);
        connect(secondary_, &QAbstractButton::clicked, this, secondary->action);
        row->addWidget(secondary_);
    }
    if (primary) {
        primary_ = new FooterButton(primary->title + QStringLiteral("  \u2192"), true, this);
        primary_->setEnabled(primary->enabled);
        connect(primary_, &QAbstractButton::clicked, this, primary->action);
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            auto* shortcut = new QShortcut(QKeySequence(key), this);
            // A disabled button ignores click(), so Return does nothing then.
            connect(shortcut, &QShortcut::activated, primary_, &QAbstractButton::click);
        }
        row->addWidget(primary_);
    }
    setAccessibleName(dotsLabel());
}

void OnboardingFooter::setPrimaryEnabled(bool enabled)
{
    if (primary_) primary_->setEnabled(enabled);
}

QString OnboardingFooter::dotsLabel() const { return tr("Step %1 of 3").arg(step_ + 1); }

void OnboardingFooter::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRectF(0, 0, width(), 1), QColor(Theme::hairline));
    const qreal total = 18 + 6 + 6 + 2 * 6;
    qreal x = (width() - total) / 2;
    for (int i = 0; i < 3; ++i) {
        const qreal w = i == step_ ? 18 : 6;
        QColor fill = Theme::ink;
        if (i != step_) fill.setAlphaF(0.15);
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawRoundedRect(QRectF(x, height() / 2.0 - 3, w, 6), 3, 3);
        x += w + 6;
    }
}

QVBoxLayout* stepColumn(QWidget& step, int spacing, const QString& title, const QString& subtitle)
{
    auto* page = new QVBoxLayout(&step);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);
    auto* content = new QVBoxLayout;
    content->setContentsMargins(40, 40, 40, 40);
    content->setSpacing(spacing);
    content->addStretch(1);
    auto* heading = new QVBoxLayout;
    heading->setSpacing(8);
    QLabel* titleLabel = ui::kit::label(title, 30, QFont::DemiBold, Theme::ink, &step);
    QLabel* subtitleLabel = ui::kit::label(subtitle, 14, QFont::Normal, Theme::secondaryText, &step);
    for (QLabel* label : {titleLabel, subtitleLabel}) {
        label->setAlignment(Qt::AlignCenter);
        heading->addWidget(label);
    }
    content->addLayout(heading);
    page->addLayout(content, 1);
    return content;
}

}  // namespace vt
