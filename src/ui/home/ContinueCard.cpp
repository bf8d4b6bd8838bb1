#include "ui/home/ContinueCard.h"

#include "ui/home/PhonePreview.h"
#include "ui/home/PosterCache.h"
#include "ui/home/ProjectSort.h"
#include "ui/inspector/KitText.h"
#include "ui/inspector/TimeFormat.h"
#include "ui/theme/PrimaryActionButton.h"
#include "ui/theme/Theme.h"

#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace vt {

ContinueCard::ContinueCard(Project project, std::function<void()> open, QWidget* parent)
    : ui::PanelCard(14, parent), project_(std::move(project)), open_(std::move(open))
{
    setFixedWidth(300);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(20, 20, 20, 20);
    column->setSpacing(14);
    column->addWidget(ui::kit::label(tr("Continue editing"), 15, QFont::DemiBold, Theme::ink, this));
    preview_ = new PhonePreview(this);
    preview_->setFixedHeight(250);
    preview_->setCursor(Qt::PointingHandCursor);
    preview_->installEventFilter(this);
    preview_->setStyle(project_.style);
    column->addWidget(preview_);
    auto* titles = new QVBoxLayout;
    titles->setSpacing(3);
    name_ = ui::kit::label(QString(), 13, QFont::DemiBold, Theme::ink, this);
    summary_ = ui::kit::label(QString(), 11.5, QFont::Normal, Theme::secondaryText, this);
    for (QLabel* line : {name_, summary_}) {
        line->setMinimumWidth(0);
        line->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        titles->addWidget(line);
    }
    const int lineWidth = 300 - 40;
    name_->setText(name_->fontMetrics().elidedText(QString::fromStdString(project_.name), Qt::ElideRight, lineWidth));
    summary_->setText(summary_->fontMetrics().elidedText(summary(), Qt::ElideRight, lineWidth));
    column->addLayout(titles);
    button_ = new PrimaryActionButton(tr("Continue Editing"), 260, [this] {
        if (open_) open_();
    }, this);
    column->addWidget(button_, 0, Qt::AlignHCenter);
    showPoster();
    connect(&PosterCache::shared(), &PosterCache::loaded, this, [this](const QString& id) {
        if (id == QString::fromStdString(project_.id.text())) showPoster();
    });
}

QString ContinueCard::summary() const
{
    return tr("%1 · %2 · %3").arg(ui::formatTime(project_.length()), QString::fromStdString(project_.style.name), relativeDate(project_.updatedAt));
}

void ContinueCard::showPoster() { preview_->setPoster(PosterCache::shared().poster(project_.id)); }

bool ContinueCard::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == preview_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && open_) {
        open_();
        return true;
    }
    return ui::PanelCard::eventFilter(watched, event);
}

}  // namespace vt
