#include "ui/home/ProcessingView.h"

#include "app/AppModel.h"
#include "ui/home/ScreenTitleBar.h"
#include "ui/home/Spinner.h"
#include "ui/inspector/KitText.h"
#include "ui/inspector/PanelCard.h"
#include "ui/inspector/RowDivider.h"
#include "ui/theme/Theme.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace vt {

double ProcessingView::overall(int step, double fraction)
{
    step = std::max(step, 0);
    double sum = 0;
    for (int i = 0; i < std::min(step, 4); ++i) sum += weights[i];
    sum += fraction * weights[std::min(step, 3)];
    return std::min(sum, 1.0);
}

std::optional<QSize> ProcessingView::posterSize(QSize pixels)
{
    // A poster without width or height has nothing to scale.
    if (pixels.width() <= 0 || pixels.height() <= 0) return std::nullopt;
    const double scale = std::min(420.0 / pixels.width(), 240.0 / pixels.height());
    return QSize(int(std::lround(pixels.width() * scale)), int(std::lround(pixels.height() * scale)));
}

QString ProcessingView::percentText(double fraction)
{
    if (!(fraction > 0)) return QString();
    return QStringLiteral("%1%").arg(static_cast<long long>(std::trunc(fraction * 100)));
}

ProcessingView::ProcessingView(AppModel& app, QWidget* parent) : QWidget(parent), app_(app)
{
    auto* screen = new QVBoxLayout(this);
    screen->setContentsMargins(0, 0, 0, 0);
    screen->setSpacing(0);
    screen->addWidget(screenTitleBar(nullptr, this));
    screen->addStretch(1);
    auto* content = new QVBoxLayout;
    content->setContentsMargins(40, 40, 40, 40);
    content->setSpacing(22);
    content->setAlignment(Qt::AlignHCenter);

    auto* posterBox = new QWidget(this);
    auto* posterStack = new QGridLayout(posterBox);
    posterStack->setContentsMargins(0, 0, 0, 0);
    poster_ = new QLabel(posterBox);
    poster_->setAlignment(Qt::AlignCenter);
    posterStack->addWidget(poster_, 0, 0, Qt::AlignCenter);
    posterSpinner_ = new Spinner(20, posterBox);
    posterStack->addWidget(posterSpinner_, 0, 0, Qt::AlignCenter);
    content->addWidget(posterBox, 0, Qt::AlignHCenter);

    auto* titles = new QVBoxLayout;
    titles->setSpacing(4);
    auto* title = ui::kit::label(tr("Captioning your video"), 22, QFont::DemiBold, Theme::ink, this);
    title->setAlignment(Qt::AlignCenter);
    titles->addWidget(title);
    file_ = ui::kit::label(QString(), 13, QFont::Normal, Theme::secondaryText, this);
    file_->setAlignment(Qt::AlignCenter);
    file_->setMaximumWidth(420);
    titles->addWidget(file_);
    content->addLayout(titles);

    auto* panel = new ui::PanelCard(14, this);
    panel->setFixedWidth(420);
    auto* rows = new QVBoxLayout(panel);
    rows->setContentsMargins(0, 4, 0, 4);
    rows->setSpacing(0);
    for (int i = 0; i < 4; ++i) {
        auto* row = new QHBoxLayout;
        row->setContentsMargins(14, 8, 14, 8);
        row->setSpacing(10);
        auto* iconBox = new QWidget(panel);
        iconBox->setMinimumSize(18, 18);
        iconBox->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        auto* iconStack = new QGridLayout(iconBox);
        iconStack->setContentsMargins(0, 0, 0, 0);
        icons_[i] = ui::kit::label(QString(), 14, QFont::Normal, Theme::secondaryText, iconBox);
        iconStack->addWidget(icons_[i], 0, 0, Qt::AlignCenter);
        spinners_[i] = new Spinner(14, iconBox);
        iconStack->addWidget(spinners_[i], 0, 0, Qt::AlignCenter);
        row->addWidget(iconBox);
        labels_[i] = ui::kit::label(QString::fromUtf8(ProcessingState::steps[i].data(), ProcessingState::steps[i].size()), 13, QFont::Normal,
                                    Theme::ink, panel);
        row->addWidget(labels_[i]);
        row->addStretch(1);
        percents_[i] = ui::kit::label(QString(), 12, QFont::Normal, Theme::secondaryText, panel);
        row->addWidget(percents_[i]);
        rows->addLayout(row);
    }
    rows->addWidget(new ui::RowDivider(panel));
    bar_ = new QProgressBar(panel);
    bar_->setRange(0, 1000);
    bar_->setTextVisible(false);
    bar_->setAccessibleName(tr("Overall progress"));
    auto* barRow = new QHBoxLayout;
    barRow->setContentsMargins(14, 12, 14, 12);
    barRow->addWidget(bar_);
    rows->addLayout(barRow);
    content->addWidget(panel, 0, Qt::AlignHCenter);

    note_ = ui::kit::label(QString(), 12.5, QFont::Normal, Theme::ink, this);
    note_->setWordWrap(true);
    note_->setMaximumWidth(420);
    content->addWidget(note_, 0, Qt::AlignHCenter);
    cancel_ = new QPushButton(tr("Cancel"), this);
    cancel_->setShortcut(QKeySequence(Qt::Key_Escape));
    connect(cancel_, &QPushButton::clicked, this, [this] {
        if (app_.task()) app_.task()->cancel();
    });
    content->addWidget(cancel_, 0, Qt::AlignHCenter);
    content->addWidget(ui::kit::label(QStringLiteral("\U0001F512 ") + tr("Runs entirely on this computer. Nothing is uploaded."), 12,
                                      QFont::Normal, Theme::secondaryText, this),
                       0, Qt::AlignHCenter);
    screen->addLayout(content);
    screen->addStretch(1);

    connect(&app, &AppModel::processingChanged, this, &ProcessingView::refresh);
    // The placeholder and the poster's outline are drawn in palette colours.
    Appearances::follow(this, [this] { refresh(); });
}

ProcessingView::RowState ProcessingView::rowState(int row) const
{
    const int step = app_.processing() ? app_.processing()->step : 0;
    return row < step ? RowState::done : row == step ? RowState::current : RowState::waiting;
}

namespace {

QPixmap roundedPoster(const QImage& image, QSize size)
{
    QPixmap out(size);
    out.fill(Qt::transparent);
    QPainter painter(&out);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    QPainterPath clip;
    clip.addRoundedRect(QRectF(QPointF(), QSizeF(size)), 12, 12);
    painter.setClipPath(clip);
    painter.drawImage(QRect(QPoint(), size), image);
    painter.setClipping(false);
    painter.setPen(QPen(QColor(Theme::hairline), 1));
    painter.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), 12, 12);
    return out;
}

QPixmap placeholder()
{
    QPixmap out(135, 240);
    out.fill(Qt::transparent);
    QPainter painter(&out);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(Theme::muted));
    painter.drawRoundedRect(QRectF(0, 0, 135, 240), 12, 12);
    return out;
}

}  // namespace

void ProcessingView::refresh()
{
    const ProcessingState state = app_.processing().value_or(ProcessingState{});
    std::optional<QSize> size;
    if (state.poster) size = posterSize(state.poster->size());
    poster_->setPixmap(size ? roundedPoster(*state.poster, *size) : placeholder());
    posterSpinner_->setVisible(!size);
    file_->setText(file_->fontMetrics().elidedText(QString::fromStdString(state.fileName), Qt::ElideMiddle, 420));
    for (int i = 0; i < 4; ++i) {
        const RowState row = rowState(i);
        icons_[i]->setText(row == RowState::done ? QStringLiteral("\u2714") : QStringLiteral("\u25CB"));
        icons_[i]->setVisible(row != RowState::current);
        spinners_[i]->setVisible(row == RowState::current);
        QFont font = labels_[i]->font();
        font.setWeight(row == RowState::current ? QFont::Medium : QFont::Normal);
        labels_[i]->setFont(font);
        ui::kit::setTextColour(labels_[i], row == RowState::waiting ? Theme::secondaryText : Theme::ink);
        const QString percent = row == RowState::current ? percentText(state.fraction) : QString();
        percents_[i]->setText(percent);
        percents_[i]->setVisible(!percent.isEmpty());
        labels_[i]->setAccessibleDescription(row == RowState::done ? tr("Done") : row == RowState::current ? tr("In progress") : tr("Waiting"));
    }
    bar_->setValue(int(std::lround(overall(state.step, state.fraction) * 1000)));
    note_->setVisible(state.note.has_value());
    note_->setText(state.note ? QStringLiteral("\U0001F442 ") + QString::fromStdString(*state.note) : QString());
}

}  // namespace vt
