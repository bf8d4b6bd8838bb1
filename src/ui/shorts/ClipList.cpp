#include "ui/shorts/ClipList.h"

#include "text/ShortsPicker.h"
#include "ui/home/Spinner.h"
#include "ui/inspector/KitText.h"
#include "ui/shorts/ClipCard.h"
#include "ui/theme/Theme.h"

#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

namespace vt::ui {
namespace {

QLabel* text(const QString& s, qreal size, const DynamicColor& color, QWidget* parent, bool bold = false)
{
    auto* l = kit::label(s, size, bold ? QFont::Bold : QFont::Normal, color, parent);
    l->setAlignment(Qt::AlignCenter);
    l->setWordWrap(true);
    return l;
}

}  // namespace

ClipList::ClipList(ShortsPicker& picker, QWidget* parent) : QStackedWidget(parent), picker_(picker)
{
    finding_ = new QWidget(this);
    auto* findingColumn = new QVBoxLayout(finding_);
    findingColumn->setSpacing(10);
    findingColumn->addStretch(1);
    findingColumn->addWidget(new Spinner(20, finding_), 0, Qt::AlignHCenter);
    findingColumn->addWidget(text(tr("Finding the moments that work on their own\u2026"), 13, Theme::secondaryText, finding_));
    findingColumn->addStretch(1);

    empty_ = new QWidget(this);
    auto* emptyColumn = new QVBoxLayout(empty_);
    emptyColumn->setSpacing(8);
    emptyColumn->addStretch(1);
    emptyColumn->addWidget(text(QStringLiteral("\u2702"), 40, Theme::secondaryText, empty_));
    emptyTitle_ = text(QString(), 15, Theme::ink, empty_, true);
    emptyColumn->addWidget(emptyTitle_);
    emptyColumn->addWidget(text(tr("There isn't enough speech for clips this long. Try a shorter length."), 12, Theme::secondaryText, empty_));
    emptyColumn->addStretch(1);

    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setStyleSheet(QStringLiteral("QScrollArea, QScrollArea > QWidget > QWidget { background: transparent; }"));
    list_ = scroll;
    auto* content = new QWidget(scroll);
    column_ = new QVBoxLayout(content);
    column_->setContentsMargins(0, 0, 0, 16);
    column_->setSpacing(10);
    count_ = kit::label(QString(), 12, QFont::Normal, Theme::secondaryText, content);
    count_->setContentsMargins(4, 0, 4, 0);
    column_->addWidget(count_);
    column_->addStretch(1);
    scroll->setWidget(content);

    for (QWidget* page : {finding_, empty_, list_}) addWidget(page);
    connect(&picker_, &ShortsPicker::findingChanged, this, &ClipList::showState);
    connect(&picker_, &ShortsPicker::clipsChanged, this, &ClipList::rebuild);
    connect(&picker_, &ShortsPicker::lengthChanged, this, &ClipList::showState);
    rebuild();
}

void ClipList::rebuild()
{
    for (ClipCard* card : cards_) card->deleteLater();
    cards_.clear();
    int rank = 0;
    for (const ClipFinder::Clip& clip : picker_.clips()) {
        auto* card = new ClipCard(picker_, clip, ++rank, count_->parentWidget());
        column_->insertWidget(rank, card);
        cards_.push_back(card);
    }
    count_->setText(tr("%1 moments, best first. Pick the ones to make into Shorts.").arg(picker_.clips().size()));
    showState();
}

void ClipList::showState()
{
    emptyTitle_->setText(tr("No %1 moments").arg(QString::fromStdString(std::string(ClipFinder::rawValue(picker_.length())))));
    if (picker_.finding()) setCurrentWidget(finding_);
    else if (picker_.clips().empty()) setCurrentWidget(empty_);
    else setCurrentWidget(list_);
}

}  // namespace vt::ui
