#include "ui/home/UnreadableNote.h"

#include "ui/inspector/KitText.h"
#include "ui/theme/Theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vt {

namespace {

// Names beyond these are counted, not listed: the note stays a few lines.
constexpr std::size_t listedNames = 5;

QString qPath(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

}  // namespace

UnreadableNote::UnreadableNote(std::function<void()> dismiss, QWidget* parent) : ui::PanelCard(12, parent)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16, 12, 12, 12);
    row->setSpacing(12);
    auto* column = new QVBoxLayout;
    column->setSpacing(4);
    title_ = ui::kit::label(QString(), 13, QFont::DemiBold, Theme::ink, this);
    detail_ = ui::kit::label(QString(), 12, QFont::Normal, Theme::secondaryText, this);
    detail_->setWordWrap(true);
    detail_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(title_);
    column->addWidget(detail_);
    row->addLayout(column, 1);
    dismiss_ = new QPushButton(tr("Dismiss"), this);
    dismiss_->setCursor(Qt::PointingHandCursor);
    connect(dismiss_, &QPushButton::clicked, this, [dismiss = std::move(dismiss)] { dismiss(); });
    row->addWidget(dismiss_, 0, Qt::AlignTop);
    hide();
}

void UnreadableNote::setFiles(const std::vector<std::filesystem::path>& files)
{
    setVisible(!files.empty());
    if (files.empty()) return;
    const int count = static_cast<int>(files.size());
    title_->setText(count == 1 ? tr("1 project file could not be read")
                               : tr("%1 project files could not be read").arg(count));
    QStringList names;
    for (std::size_t i = 0; i < std::min(files.size(), listedNames); ++i) names << qPath(files[i].filename());
    QString listed = names.join(QStringLiteral(", "));
    if (files.size() > listedNames) listed = tr("%1 and %2 more").arg(listed).arg(files.size() - listedNames);
    const QString folder = qPath(files.front().parent_path());
    detail_->setText(count == 1 ? tr("It is left as it is in %1: %2").arg(folder, listed)
                                : tr("They are left as they are in %1: %2").arg(folder, listed));
}

}  // namespace vt
