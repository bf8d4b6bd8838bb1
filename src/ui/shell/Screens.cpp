#include "ui/shell/Screens.h"

#include "app/AppModel.h"
#include "ui/theme/Theme.h"
#include "ui/theme/VideoDropZone.h"
#include "ui/theme/WindowChrome.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace vt {
namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

QLabel* label(const QString& text, qreal points, QFont::Weight weight, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    QFont font;
    font.setPointSizeF(points);
    font.setWeight(weight);
    l->setFont(font);
    l->setAlignment(Qt::AlignHCenter);
    l->setWordWrap(true);
    return l;
}

// Lays the screen out as the title strip above a column centred a little
// above the middle; returns the column to fill.
QVBoxLayout* centredColumn(QWidget* screen, int spacing)
{
    auto* layout = new QVBoxLayout(screen);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new TitleBar(nullptr, nullptr, screen));
    layout->addStretch(2);
    auto* column = new QVBoxLayout;
    column->setSpacing(spacing);
    layout->addLayout(column);
    layout->addStretch(3);
    return column;
}

}  // namespace

StartScreen::StartScreen(AppModel& app, QWidget* parent) : QWidget(parent)
{
    QVBoxLayout* column = centredColumn(this, 14);
    column->addWidget(new BrandMark(72, this), 0, Qt::AlignHCenter);
    column->addWidget(new Wordmark(30, this), 0, Qt::AlignHCenter);
    column->addWidget(label(tr("Drop a talking-head video to get a captioned vertical short."), 13, QFont::Normal, this));
    column->addSpacing(12);
    zone_ = new VideoDropZone(QStringLiteral("Drop a video here"), 36, [&app] { app.openPanel(); }, this);
    zone_->setFixedWidth(560);
    column->addWidget(zone_, 0, Qt::AlignHCenter);
}

ProcessingScreen::ProcessingScreen(AppModel& app, QWidget* parent) : QWidget(parent), app_(app)
{
    QVBoxLayout* column = centredColumn(this, 12);
    poster_ = new QLabel(this);
    poster_->setAlignment(Qt::AlignCenter);
    poster_->setFixedSize(320, 180);
    column->addWidget(poster_, 0, Qt::AlignHCenter);
    file_ = label({}, 16, QFont::DemiBold, this);
    steps_ = label({}, 12, QFont::Normal, this);
    steps_->setTextFormat(Qt::RichText);
    phase_ = label({}, 13, QFont::Medium, this);
    bar_ = new QProgressBar(this);
    bar_->setRange(0, 1000);
    bar_->setTextVisible(false);
    bar_->setFixedWidth(420);
    note_ = label({}, 12, QFont::Normal, this);
    cancel_ = new QPushButton(tr("Cancel"), this);
    connect(cancel_, &QPushButton::clicked, this, [this] {
        if (app_.task()) app_.task()->cancel();
    });
    for (QWidget* w : {static_cast<QWidget*>(file_), static_cast<QWidget*>(steps_), static_cast<QWidget*>(phase_)}) column->addWidget(w);
    column->addWidget(bar_, 0, Qt::AlignHCenter);
    column->addWidget(note_);
    column->addWidget(cancel_, 0, Qt::AlignHCenter);
    connect(&app_, &AppModel::processingChanged, this, &ProcessingScreen::refresh);
    refresh();
}

QString ProcessingScreen::phaseText() const { return phase_->text(); }

void ProcessingScreen::refresh()
{
    const auto& state = app_.processing();
    if (!state) return;
    file_->setText(qs(state->fileName));
    QStringList lines;
    for (std::size_t i = 0; i < ProcessingState::steps.size(); ++i) {
        const QString title = QString::fromUtf8(ProcessingState::steps[i].data(), static_cast<qsizetype>(ProcessingState::steps[i].size()));
        const int step = state->step;
        const QColor colour = static_cast<int>(i) == step ? QColor(Theme::accent) : QColor(Theme::secondaryText);
        lines << QString("<span style='color:%1'>%2 %3</span>").arg(colour.name(), static_cast<int>(i) < step ? "\u2713" : "\u2022", title);
    }
    steps_->setText(lines.join("&nbsp;&nbsp;&nbsp;"));
    phase_->setText(qs(state->phase));
    bar_->setValue(static_cast<int>(std::clamp(state->fraction, 0.0, 1.0) * 1000));
    note_->setText(state->note ? qs(*state->note) : QString());
    if (state->poster) poster_->setPixmap(QPixmap::fromImage(state->poster->scaled(poster_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    else poster_->clear();
}

PlaceholderScreen::PlaceholderScreen(QWidget* parent) : QWidget(parent)
{
    QVBoxLayout* column = centredColumn(this, 8);
    title_ = label({}, 22, QFont::DemiBold, this);
    detail_ = label({}, 13, QFont::Normal, this);
    column->addWidget(title_);
    column->addWidget(detail_);
}

void PlaceholderScreen::setText(const QString& title, const QString& detail)
{
    title_->setText(title);
    detail_->setText(detail);
}

QString PlaceholderScreen::title() const { return title_->text(); }

}  // namespace vt
