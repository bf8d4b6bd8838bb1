#include "ui/home/ReadyStep.h"

#include "app/AppModel.h"
#include "ui/home/OnboardingFooter.h"
#include "ui/inspector/KitText.h"
#include "ui/inspector/PanelCard.h"
#include "ui/theme/PrimaryActionButton.h"
#include "ui/theme/Theme.h"
#include "ui/theme/VideoDropZone.h"

#include <QDragEnterEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QShortcut>
#include <QVBoxLayout>

namespace vt {

ReadyStep::ReadyStep(AppModel& app, std::function<void()> back, QWidget* parent) : QWidget(parent), app_(app)
{
    QVBoxLayout* content = stepColumn(*this, 26, tr("You're ready."), tr("Drop your first video. Captions are ready in about a minute."));

    card_ = new ui::PanelCard(14, this);
    card_->setFixedWidth(560);
    card_->setAcceptDrops(true);
    card_->installEventFilter(this);
    auto* column = new QVBoxLayout(card_);
    column->setContentsMargins(22, 22, 22, 22);
    column->setSpacing(14);
    auto* head = new QHBoxLayout;
    head->setSpacing(10);
    head->addWidget(ui::kit::label(tr("Your first video"), 15, QFont::DemiBold, Theme::ink, card_));
    // The note takes a second line beside the title where large text needs it.
    head->addWidget(ui::kit::wrapLabel(tr("MP4 · MOV · M4V · it never leaves this computer"), 12, QFont::Normal, Theme::secondaryText, card_), 1);
    column->addLayout(head);
    zone_ = new VideoDropZone(tr("Drop a video here"), 40, [&app] { app.openPanel(); }, card_);
    column->addWidget(zone_);
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter})
        connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, zone_->chooseButton(), &QAbstractButton::click);
    // Centred between stretches rather than by alignment, so the card gets
    // the height its wrapped note needs at the card's own width.
    auto* centred = new QHBoxLayout;
    centred->addStretch(1);
    centred->addWidget(card_);
    centred->addStretch(1);
    content->addLayout(centred);
    content->addStretch(1);

    footer_ = new OnboardingFooter(2, std::move(back), OnboardingFooter::Secondary{QStringLiteral("Skip for Now"), [&app] { app.finishOnboarding(); }},
                                   std::nullopt, this);
    layout()->addWidget(footer_);
}

bool ReadyStep::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != card_) return QWidget::eventFilter(watched, event);
    auto setTargeted = [this](bool on) {
        targeted_ = on;
        zone_->setTargeted(on);
    };
    switch (event->type()) {
    case QEvent::DragEnter: {
        auto* enter = static_cast<QDragEnterEvent*>(event);
        if (!enter->mimeData()->hasUrls()) return false;
        enter->acceptProposedAction();
        setTargeted(true);
        return true;
    }
    case QEvent::DragLeave: setTargeted(false); return true;
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        setTargeted(false);
        const QList<QUrl> urls = drop->mimeData()->urls();
        if (urls.isEmpty()) return true;
        drop->acceptProposedAction();
        app_.importVideo(urls.front().toLocalFile().toStdString());
        return true;
    }
    default: return QWidget::eventFilter(watched, event);
    }
}

}  // namespace vt
