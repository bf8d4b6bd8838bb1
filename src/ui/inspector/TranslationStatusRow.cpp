#include "ui/inspector/TranslationStatusRow.h"

#include "ui/inspector/InlineButton.h"
#include "ui/inspector/KitColors.h"
#include "ui/inspector/KitText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>

namespace vt::ui {

TranslationStatusRow::TranslationStatusRow(std::function<void()> dismiss, std::function<void()> translateAgain,
                                           QWidget* parent)
    : QWidget(parent), dismiss_(std::move(dismiss)), translateAgain_(std::move(translateAgain))
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 0, 6, 0);
    row->setSpacing(8);
    spinner_ = new QProgressBar(this);
    spinner_->setRange(0, 0);
    spinner_->setFixedSize(16, 16);
    spinner_->setTextVisible(false);
    row->addWidget(spinner_, 0, Qt::AlignTop);
    warning_ = kit::label(QStringLiteral("⚠"), 12, QFont::Normal, QColor(255, 149, 0), this);
    row->addWidget(warning_, 0, Qt::AlignTop);
    text_ = kit::label({}, 12, QFont::Normal, kit::ink(), this);
    text_->setWordWrap(true);
    row->addWidget(text_, 1, Qt::AlignTop);
    // One action per click: dismissing a failure may bring back the
    // translated state, which must not translate again at once.
    button_ = new InlineButton({}, {}, false, [this] {
        if (shown_ == Shows::failure && dismiss_) dismiss_();
        else if (shown_ == Shows::translated && translateAgain_) translateAgain_();
    }, this);
    row->addWidget(button_, 0, Qt::AlignTop);
    setStatus({});
}

TranslationStatusRow::Shows TranslationStatusRow::shows(const Status& status)
{
    if (status.translating) return Shows::progress;
    if (status.error) return Shows::failure;
    if (status.usesTranslation) return Shows::translated;
    return Shows::nothing;
}

void TranslationStatusRow::setStatus(const Status& status)
{
    shown_ = shows(status);
    setVisible(shown_ != Shows::nothing);
    spinner_->setVisible(shown_ == Shows::progress);
    warning_->setVisible(shown_ == Shows::failure);
    switch (shown_) {
    case Shows::nothing: break;
    case Shows::progress:
        text_->setText(status.progressText);
        kit::setTextColour(text_, kit::secondaryText());
        break;
    case Shows::failure:
        text_->setText(*status.error);
        kit::setTextColour(text_, kit::ink());
        button_->setText(QStringLiteral("Dismiss"));
        break;
    case Shows::translated:
        text_->setText(status.stale ? QStringLiteral("You've cut since translating: translate again to match.")
                                    : QStringLiteral("Translated on this computer. Fix any word in the transcript."));
        kit::setTextColour(text_, status.stale ? kit::ink() : kit::secondaryText());
        button_->setText(QStringLiteral("Translate Again"));
        break;
    }
    button_->setVisible((shown_ == Shows::failure && dismiss_) || (shown_ == Shows::translated && translateAgain_));
}

}  // namespace vt::ui
