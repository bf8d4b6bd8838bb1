#include "ui/home/FormChooser.h"

#include "platform/TextRules.h"
#include "ui/home/ProjectSort.h"
#include "ui/theme/Theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>

namespace vt {

namespace {

constexpr int kRowHeight = 26;
constexpr int kSearchFrom = 13;

}  // namespace

FormChooser::FormChooser(QString title, QWidget* parent) : QPushButton(parent), title_(std::move(title))
{
    setFixedWidth(220);
    popup_ = new QFrame(this, Qt::Popup);
    popup_->setFixedWidth(260);
    auto* column = new QVBoxLayout(popup_);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    searchRow_ = new QWidget(popup_);
    auto* row = new QHBoxLayout(searchRow_);
    row->setContentsMargins(10, 8, 10, 8);
    row->setSpacing(6);
    row->addWidget(new QLabel(QStringLiteral("\u2315"), searchRow_));
    search_ = new QLineEdit(searchRow_);
    search_->setFrame(false);
    search_->setPlaceholderText(tr("Search"));
    row->addWidget(search_, 1);
    column->addWidget(searchRow_);
    list_ = new QListWidget(popup_);
    list_->setFrameShape(QFrame::NoFrame);
    list_->setUniformItemSizes(true);
    column->addWidget(list_);
    connect(this, &QPushButton::clicked, this, &FormChooser::toggle);
    connect(search_, &QLineEdit::textEdited, this, &FormChooser::setQuery);
    connect(list_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { pick(item->data(Qt::UserRole).toString().toStdString()); });
}

void FormChooser::setOptions(std::vector<ChooserOption> options)
{
    // Callers refresh often (download progress); an open list is refilled,
    // losing its scroll position, only when its options really change.
    const auto sameOption = [](const ChooserOption& a, const ChooserOption& b) { return a.id == b.id && a.name == b.name; };
    if (std::equal(options.begin(), options.end(), options_.begin(), options_.end(), sameOption)) return;
    options_ = std::move(options);
    refreshLabel();
    if (isOpen()) fillList();
}

void FormChooser::setSelection(const std::string& id)
{
    selection_ = id;
    refreshLabel();
}

QString FormChooser::currentName() const
{
    for (const auto& option : options_)
        if (option.id == selection_) return QString::fromStdString(option.name);
    return QString::fromStdString(selection_);
}

std::vector<ChooserOption> FormChooser::shown() const
{
    const std::string key = searchKey(query_);
    if (key.empty()) return options_;
    std::vector<ChooserOption> kept;
    for (const auto& option : options_)
        if (text::lowercased(option.name).find(key) != std::string::npos) kept.push_back(option);
    return kept;
}

void FormChooser::setQuery(const QString& query)
{
    query_ = query;
    if (search_->text() != query) search_->setText(query);
    fillList();
}

bool FormChooser::isOpen() const { return popup_->isVisible(); }

void FormChooser::toggle()
{
    if (isOpen()) {
        popup_->hide();
        return;
    }
    fillList();
    popup_->adjustSize();
    popup_->move(mapToGlobal(QPoint(0, height() + 4)));
    popup_->show();
    if (searchRow_->isVisible()) search_->setFocus();
    // The current choice comes into the middle of the list; none leaves it at the top.
    for (int i = 0; i < list_->count(); ++i)
        if (list_->item(i)->data(Qt::UserRole).toString().toStdString() == selection_)
            list_->scrollToItem(list_->item(i), QAbstractItemView::PositionAtCenter);
}

void FormChooser::pick(const std::string& id)
{
    selection_ = id;
    refreshLabel();
    popup_->hide();
    emit picked(id);
}

void FormChooser::fillList()
{
    searchRow_->setVisible(options_.size() >= kSearchFrom);
    list_->clear();
    const auto rows = shown();
    for (const auto& option : rows) {
        auto* item = new QListWidgetItem(QString::fromStdString((option.id == selection_ ? "\u2713  " : "     ") + option.name), list_);
        item->setData(Qt::UserRole, QString::fromStdString(option.id));
        item->setSizeHint(QSize(250, kRowHeight));
        if (option.id == selection_) item->setForeground(QColor(Theme::accent));
    }
    list_->setFixedHeight(std::min(int(rows.size()) * kRowHeight + 8, 320));
    popup_->adjustSize();
}

void FormChooser::refreshLabel()
{
    setAccessibleName(tr("%1: %2").arg(title_, currentName()));
    update();
}

void FormChooser::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);
    QPainter painter(this);
    const QRect box = rect().adjusted(10, 0, -10, 0);
    painter.setPen(QColor(Theme::ink));
    const QString name = fontMetrics().elidedText(currentName(), Qt::ElideRight, box.width() - 16);
    painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, name);
    painter.setPen(QColor(Theme::secondaryText));
    painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("\u21F5"));
}

}  // namespace vt
