#include "ui/shorts/ClipsView.h"

#include "app/AppModel.h"
#include "editor/SourcePlayer.h"
#include "ui/home/Spinner.h"
#include "ui/inspector/KitText.h"
#include "ui/inspector/TimeFormat.h"
#include "ui/inspector/ToolbarIconButton.h"
#include "ui/shorts/ClipList.h"
#include "ui/shorts/PreviewPane.h"
#include "ui/theme/PrimaryActionButton.h"
#include "ui/theme/Theme.h"
#include "ui/theme/WindowChrome.h"

#include <QButtonGroup>
#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

namespace vt::ui {
namespace {

constexpr QSize kPreviewPictures{640, 360};

// The bottom bar: a hairline along its top edge.
class BottomBar final : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(QRect(0, 0, width(), 1), QColor(Theme::hairline));
    }
};

}  // namespace

QString ClipsView::countText(std::size_t chosen)
{
    return chosen == 0 ? tr("Pick at least one moment") : tr("%1 selected").arg(chosen);
}

QString ClipsView::createTitle(std::size_t chosen)
{
    return chosen >= 2 ? tr("Create %1 Shorts").arg(chosen) : tr("Create Short");
}

ClipsView::ClipsView(AppModel& app, Project source, bool soundDevice, QWidget* parent)
    : QWidget(parent), player_(std::make_shared<SourcePlayer>(kPreviewPictures, soundDevice))
{
    ShortsPicker::Services services = ShortsPicker::defaultServices();
    services.frame = [](const std::string& path, double seconds, int side) -> std::optional<QImage> {
        auto picture = AppModel::frame(path, seconds);
        if (picture) *picture = picture->scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        return picture;
    };
    services.leave = [&app](const std::optional<Project>& project) { app.closeClips(project); };
    services.create = [&app](const std::vector<ClipFinder::Clip>& clips, const Project& from, std::function<void()> done) {
        app.createShorts(clips, from, std::move(done));
    };
    picker_ = std::make_unique<ShortsPicker>(std::move(source), player_, std::move(services));

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(titleBar());
    auto* main = new QHBoxLayout;
    main->setContentsMargins(16, 6, 16, 0);
    main->setSpacing(16);
    list_ = new ClipList(*picker_, this);
    main->addWidget(list_, 1);
    preview_ = new PreviewPane(*picker_, [player = player_] { return player->frame(); }, this);
    main->addWidget(preview_, 0, Qt::AlignTop);
    column->addLayout(main, 1);
    column->addWidget(bottomBar());

    connect(picker_.get(), &ShortsPicker::chosenChanged, this, &ClipsView::showChoice);
    connect(picker_.get(), &ShortsPicker::creatingChanged, this, &ClipsView::showCreating);
    connect(picker_.get(), &ShortsPicker::lengthChanged, this, [this] {
        lengths_[int(picker_->length())]->setChecked(true);
    });
    showChoice();
    showCreating();
}

ClipsView::~ClipsView() { picker_->stop(); }

void ClipsView::showEvent(QShowEvent*)
{
    if (started_) return;
    started_ = true;
    picker_->start();
}

QWidget* ClipsView::titleBar()
{
    auto* leading = new QWidget(this);
    auto* row = new QHBoxLayout(leading);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    auto* back = new ToolbarIconButton(QStringLiteral("\u2039"), leading);
    back->setMinimumSize(24, 24);
    QFont glyph = back->font();
    glyph.setPointSizeF(16);
    glyph.setWeight(QFont::DemiBold);
    back->setFont(glyph);
    back->setToolTip(tr("Back to your projects"));
    back->setFocusPolicy(Qt::NoFocus);
    connect(back, &QAbstractButton::clicked, this, [this] { picker_->back(); });
    back_ = back;
    row->addWidget(back);
    auto* titles = new QVBoxLayout;
    titles->setSpacing(0);
    titles->addWidget(kit::label(tr("Shorts from this video"), 13, QFont::DemiBold, Theme::ink, leading));
    const Project& source = picker_->source();
    auto* subtitle = kit::label(QString(), 11, QFont::Normal, Theme::secondaryText, leading);
    const QString full = QString::fromStdString(source.name) + QStringLiteral(" \u00b7 ") + formatTime(source.sourceDuration);
    subtitle->setText(subtitle->fontMetrics().elidedText(full, Qt::ElideMiddle, 420));
    subtitle->setToolTip(full);
    titles->addWidget(subtitle);
    row->addLayout(titles);

    auto* trailing = new QWidget(this);
    auto* right = new QHBoxLayout(trailing);
    right->setContentsMargins(0, 0, 0, 0);
    right->setSpacing(8);
    right->addWidget(kit::label(tr("Length"), 12, QFont::Normal, Theme::secondaryText, trailing));
    auto* group = new QButtonGroup(trailing);
    auto* segments = new QHBoxLayout;
    segments->setSpacing(0);
    for (ClipFinder::Length length : ClipFinder::allLengths) {
        auto* segment = new QToolButton(trailing);
        segment->setText(QString::fromStdString(std::string(ClipFinder::rawValue(length))));
        segment->setCheckable(true);
        segment->setChecked(length == picker_->length());
        segment->setAutoRaise(false);
        segment->setFocusPolicy(Qt::NoFocus);
        QFont small = segment->font();
        small.setPointSizeF(11);
        segment->setFont(small);
        group->addButton(segment);
        connect(segment, &QToolButton::clicked, this, [this, length] { picker_->setLength(length); });
        lengths_[int(length)] = segment;
        segments->addWidget(segment);
    }
    right->addLayout(segments);
    return new TitleBar(leading, trailing, this);
}

QWidget* ClipsView::bottomBar()
{
    auto* bar = new BottomBar(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(16, 12, 16, 12);
    row->setSpacing(12);
    whole_ = new QPushButton(tr("Edit the Whole Video"), bar);
    whole_->setMinimumHeight(32);
    // No button takes the keyboard, so Space always reaches the preview.
    whole_->setFocusPolicy(Qt::NoFocus);
    connect(whole_, &QPushButton::clicked, this, [this] { picker_->editWholeVideo(); });
    row->addWidget(whole_);
    row->addStretch(1);
    spinner_ = new Spinner(14, bar);
    row->addWidget(spinner_);
    count_ = kit::label(QString(), 12, QFont::Normal, Theme::secondaryText, bar);
    row->addWidget(count_);
    auto* create = new PrimaryActionButton(createTitle(0), 0, [this] { picker_->create(); }, bar);
    create->setGraphicsEffect(new QGraphicsOpacityEffect(create));
    create->setFocusPolicy(Qt::NoFocus);
    create_ = create;
    row->addWidget(create_);
    auto* returnKey = new QShortcut(QKeySequence(Qt::Key_Return), this);
    connect(returnKey, &QShortcut::activated, this, [this] { picker_->create(); });
    auto* enterKey = new QShortcut(QKeySequence(Qt::Key_Enter), this);
    connect(enterKey, &QShortcut::activated, this, [this] { picker_->create(); });
    return bar;
}

void ClipsView::showChoice()
{
    const std::size_t n = picker_->chosen().size();
    count_->setText(countText(n));
    create_->setText(createTitle(n));
    create_->updateGeometry();
    static_cast<QGraphicsOpacityEffect*>(create_->graphicsEffect())->setOpacity(n == 0 ? 0.5 : 1.0);
    create_->setEnabled(n > 0 && !picker_->creating());
}

void ClipsView::showCreating()
{
    const bool creating = picker_->creating();
    spinner_->setVisible(creating);
    back_->setEnabled(!creating);
    whole_->setEnabled(!creating);
    for (QToolButton* segment : lengths_) segment->setEnabled(!creating);
    showChoice();
}

}  // namespace vt::ui
