#include "ui/inspector/SuggestionChips.h"

#include "ui/inspector/FlowLayout.h"
#include "ui/inspector/KitColors.h"
#include "ui/inspector/KitText.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace vt::ui {

SuggestionChips::SuggestionChips(QWidget* parent) : QWidget(parent)
{
    // The flow lays out its whole rectangle, so the padding is this widget's.
    auto* padding = new QVBoxLayout(this);
    padding->setContentsMargins(12, 0, 12, 8);
    flowHolder_ = new QWidget(this);
    flow_ = new FlowLayout(6, 6, flowHolder_);
    flow_->setContentsMargins(0, 0, 0, 0);
    flow_->addWidget(kit::label(QStringLiteral("From your video"), 11, QFont::Normal, kit::secondaryText(), flowHolder_));
    padding->addWidget(flowHolder_);
    setVisible(false);
}

void SuggestionChips::setWords(const std::vector<std::string>& words)
{
    for (QToolButton* chip : chips_) {
        flow_->removeWidget(chip);
        chip->deleteLater();
    }
    chips_.clear();
    for (const std::string& word : words) {
        // The word as it was spoken, never looked up for translation.
        const QString text = QString::fromStdString(word);
        auto* chip = new QToolButton(flowHolder_);
        chip->setText(text);
        chip->setAutoRaise(true);
        QFont f = chip->font();
        f.setPointSizeF(11.5);
        f.setWeight(QFont::Medium);
        chip->setFont(f);
        chip->setStyleSheet(QStringLiteral("QToolButton { border-radius: 10px; padding: 3px 8px; background: %1; color: %2; }")
                                .arg(kit::faded(kit::ink(), 0.07).name(QColor::HexArgb), kit::ink().name(QColor::HexArgb)));
        connect(chip, &QToolButton::clicked, this, [this, text] { emit chosen(text); });
        flow_->addWidget(chip);
        chips_.push_back(chip);
    }
    setVisible(!chips_.empty());
}

}  // namespace vt::ui
