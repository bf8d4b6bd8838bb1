#include "ui/home/AIStatusButton.h"

#include "ui/inspector/KitText.h"
#include "ui/theme/Theme.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace vt {

AIStatusButton::AIStatusButton(HookGenerator::Status status, QWidget* parent) : QAbstractButton(parent)
{
    setCursor(Qt::PointingHandCursor);
    info_ = new QFrame(this, Qt::Popup);
    info_->setFixedWidth(300);
    auto* column = new QVBoxLayout(info_);
    column->setContentsMargins(16, 16, 16, 16);
    column->setSpacing(10);
    auto* head = new QHBoxLayout;
    head->setSpacing(8);
    head->addWidget(ui::kit::label(QStringLiteral("\u2726"), 15, QFont::DemiBold, Theme::accent, info_));
    head->addWidget(ui::kit::label(tr("On-device AI"), 13, QFont::DemiBold, Theme::ink, info_));
    head->addStretch(1);
    pill_ = ui::kit::label(QString(), 11, QFont::Medium, Theme::secondaryText, info_);
    pill_->setContentsMargins(7, 2, 7, 2);
    Appearances::setStyleSheet(pill_, [] {
        return QStringLiteral("QLabel { border: 1px solid %1; border-radius: 8px; }").arg(QColor(Theme::hairline).name(QColor::HexArgb));
    });
    head->addWidget(pill_);
    column->addLayout(head);
    auto* about = ui::kit::label(tr("Optional. Vellumtide uses it for AI Rewrites in the Hook tab: punchier hook ideas, written privately on "
                                    "this computer. Captions, styles and everything else work without it."),
                                 12, QFont::Normal, Theme::ink, info_);
    about->setWordWrap(true);
    column->addWidget(about);
    message_ = ui::kit::label(QString(), 11.5, QFont::Normal, Theme::secondaryText, info_);
    message_->setWordWrap(true);
    column->addWidget(message_);
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (info_->isVisible()) {
            info_->hide();
            return;
        }
        // Wrapped lines need the height they take at the popup's fixed width.
        info_->setFixedHeight(info_->layout()->totalHeightForWidth(info_->width()));
        info_->move(mapToGlobal(QPoint(width() - info_->width(), height() + 6)));
        info_->show();
    });
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive) setStatus(HookGenerator::aiStatus());
    });
    setStatus(std::move(status));
}

bool AIStatusButton::infoShown() const { return info_->isVisible(); }

void AIStatusButton::setStatus(HookGenerator::Status status)
{
    status_ = std::move(status);
    setToolTip(QString::fromStdString(status_.message));
    setAccessibleName(status_.available ? tr("On-device AI is on") : tr("On-device AI is off"));
    pill_->setText(status_.available ? tr("On") : tr("Off"));
    message_->setText(QString::fromStdString(status_.message));
    message_->setVisible(!status_.available);
    update();
}

QSize AIStatusButton::sizeHint() const
{
    QFont font;
    font.setPointSizeF(12);
    return {QFontMetrics(font).horizontalAdvance(QStringLiteral("\u2726 AI")) + 16 + 11, 24};
}

void AIStatusButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (isDown() || underMouse()) {
        QColor tint = Theme::ink;
        tint.setAlphaF(isDown() ? 0.14 : 0.08);
        painter.setPen(Qt::NoPen);
        painter.setBrush(tint);
        painter.drawRoundedRect(QRectF(rect()), 6, 6);
    }
    QFont font;
    font.setPointSizeF(12);
    font.setWeight(QFont::Medium);
    painter.setFont(font);
    painter.setPen(QColor(Theme::secondaryText));
    const QString text = QStringLiteral("\u2726 ") + tr("AI");
    const int textWidth = QFontMetrics(font).horizontalAdvance(text);
    painter.drawText(QRect(8, 0, textWidth, height()), Qt::AlignVCenter | Qt::AlignLeft, text);
    QColor dot = status_.available ? QColor(52, 199, 89) : QColor(Theme::secondaryText);
    if (!status_.available) dot.setAlphaF(0.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(dot);
    painter.drawEllipse(QRectF(8 + textWidth + 5, height() / 2.0 - 3, 6, 6));
}

}  // namespace vt
