#include "ui/shorts/PreviewPane.h"

#include "text/ShortsPicker.h"
#include "ui/inspector/KitText.h"
#include "ui/inspector/TimeFormat.h"
#include "ui/shorts/PlayerPicture.h"
#include "ui/theme/Theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>

namespace vt::ui {
namespace {

constexpr int kProgressSteps = 1000;

}  // namespace

PlayButton::PlayButton(QWidget* parent) : QAbstractButton(parent)
{
    setFixedSize(30, 30);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    setPlaying(false);
}

void PlayButton::setPlaying(bool playing)
{
    playing_ = playing;
    setToolTip(playing ? tr("Pause (Space)") : tr("Play this moment (Space)"));
    setAccessibleName(playing ? tr("Pause") : tr("Play"));
    update();
}

void PlayButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(Theme::ink));
    p.drawEllipse(rect());
    p.setBrush(QColor(Theme::onInk));
    const QPointF c = QRectF(rect()).center();
    if (playing_) {
        p.drawRect(QRectF(c.x() - 5, c.y() - 6, 3.5, 12));
        p.drawRect(QRectF(c.x() + 1.5, c.y() - 6, 3.5, 12));
    } else {
        const QPointF triangle[] = {{c.x() - 3.5, c.y() - 6.5}, {c.x() - 3.5, c.y() + 6.5}, {c.x() + 6.5, c.y()}};
        p.drawPolygon(triangle, 3);
    }
}

double PreviewPane::fraction(double time, double start, double end)
{
    return std::clamp((time - start) / std::max(end - start, 0.1), 0.0, 1.0);
}

QString PreviewPane::timeText(double time, double start, double end)
{
    return formatTime(std::max(time - start, 0.0)) + QStringLiteral(" / ") + formatTime(end - start);
}

PreviewPane::PreviewPane(ShortsPicker& picker, std::function<QImage()> frame, QWidget* parent) : QWidget(parent), picker_(picker)
{
    setFixedWidth(width);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(12);
    picture_ = new PlayerPicture(std::move(frame), this);
    connect(picture_, &PlayerPicture::clicked, this, [this] {
        if (picker_.current()) picker_.preview().toggle(*picker_.current());
    });
    column->addWidget(picture_);

    controls_ = new QWidget(this);
    auto* details = new QVBoxLayout(controls_);
    details->setContentsMargins(0, 0, 0, 0);
    details->setSpacing(12);
    auto* row = new QHBoxLayout;
    row->setSpacing(10);
    play_ = new PlayButton(controls_);
    connect(play_, &QAbstractButton::clicked, this, [this] {
        if (picker_.current()) picker_.preview().toggle(*picker_.current());
    });
    row->addWidget(play_);
    // Space plays and pauses while there is a clip (and so a play button).
    auto* space = new QShortcut(QKeySequence(Qt::Key_Space), this);
    connect(space, &QShortcut::activated, this, [this] {
        if (play_->isVisible()) play_->click();
    });
    progress_ = new QProgressBar(controls_);
    progress_->setRange(0, kProgressSteps);
    progress_->setTextVisible(false);
    progress_->setFixedHeight(6);
    row->addWidget(progress_, 1);
    time_ = kit::label(QString(), 11, QFont::Normal, Theme::secondaryText, controls_);
    QFont mono = time_->font();
    mono.setStyleHint(QFont::Monospace);
    time_->setFont(mono);
    row->addWidget(time_);
    details->addLayout(row);
    auto* words = new QVBoxLayout;
    words->setSpacing(6);
    title_ = kit::label(QString(), 14, QFont::DemiBold, Theme::ink, controls_);
    title_->setWordWrap(true);
    words->addWidget(title_);
    auto* note = kit::label(tr("Becomes a 9:16 Short that follows the speaker, with captions in your style and pauses trimmed. You can "
                          "edit everything after."),
                            12, QFont::Normal, Theme::secondaryText, controls_);
    note->setWordWrap(true);
    words->addWidget(note);
    details->addLayout(words);
    column->addWidget(controls_);
    column->addStretch(1);

    connect(&picker_, &ShortsPicker::currentChanged, this, &PreviewPane::showClip);
    connect(&picker_.preview(), &ClipPreview::timeChanged, this, &PreviewPane::showTime);
    connect(&picker_.preview(), &ClipPreview::playingChanged, this, [this] { play_->setPlaying(picker_.preview().playing()); });
    showClip();
}

void PreviewPane::showClip()
{
    const auto& clip = picker_.current();
    picture_->setNote(clip ? QString() : tr("Pick a moment to preview it"));
    controls_->setVisible(clip.has_value());
    if (clip) title_->setText(QStringLiteral("\u201C%1\u201D").arg(QString::fromStdString(clip->title)));
    showTime();
}

void PreviewPane::showTime()
{
    const auto& clip = picker_.current();
    if (!clip) return;
    const double t = picker_.preview().time();
    progress_->setValue(int(fraction(t, clip->start, clip->end) * kProgressSteps));
    time_->setText(timeText(t, clip->start, clip->end));
}

}  // namespace vt::ui
