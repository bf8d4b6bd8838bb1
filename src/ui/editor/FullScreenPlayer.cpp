#include "ui/editor/FullScreenPlayer.h"

#include "ui/editor/PlayerLayerView.h"
#include "ui/editor/SymbolButton.h"
#include "ui/inspector/TimeFormat.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

#include <algorithm>

namespace vt::ui {

namespace {

constexpr int pillHeight = 54, pillMaxWidth = 680, pillSideGap = 40, pillBottomGap = 36;

// The pill's dark rounded backing.
class PillBacking : public QWidget {
public:
    explicit PillBacking(QWidget* parent) : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        p.setPen(QPen(QColor(255, 255, 255, 31), 1));
        p.setBrush(QColor(0, 0, 0, 115));
        p.drawRoundedRect(r, 16, 16);
    }
};

QLabel* timeLabel(QWidget* parent, double opacity, Qt::Alignment align)
{
    auto* label = new QLabel(parent);
    QFont f = label->font();
    f.setPointSizeF(12);
    f.setWeight(QFont::Medium);
    label->setFont(f);
    label->setMinimumWidth(42);
    label->setAlignment(align | Qt::AlignVCenter);
    label->setStyleSheet(QStringLiteral("color: rgba(255,255,255,%1);").arg(opacity));
    return label;
}

// A white icon button of the pill.
class HudButton : public SymbolButton {
public:
    HudButton(const QString& symbol, double side, const QString& help, QWidget* parent)
        : SymbolButton(symbol, {30, 30}, side, parent)
    {
        setToolTip(help);
        setAccessibleName(help);
        setTint(Qt::white);
    }
};

}  // namespace

// ---- scrubber -----------------------------------------------------------------

Scrubber::Scrubber(std::function<void(double)> seek, QWidget* parent) : QWidget(parent), seek_(std::move(seek))
{
    setFixedHeight(20);
    setMinimumWidth(40);
    setMouseTracking(true);
}

void Scrubber::setProgress(double progress)
{
    progress = std::clamp(progress, 0.0, 1.0);
    if (progress == progress_) return;
    progress_ = progress;
    update();
}

double Scrubber::fractionAt(double x, double width) { return std::clamp(width < 1 ? x : x / width, 0.0, 1.0); }

double Scrubber::thumbX(double progress, double width, double diameter)
{
    return std::clamp(width * progress - diameter / 2, 0.0, std::max(width - diameter, 0.0));
}

void Scrubber::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = width(), mid = height() / 2.0;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 64));
    p.drawRoundedRect(QRectF(0, mid - 2, w, 4), 2, 2);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(0, mid - 2, std::max(w * progress_, 4.0), 4), 2, 2);
    const double d = hover_ ? 13 : 10;
    const double x = thumbX(progress_, w, d);
    p.setBrush(QColor(0, 0, 0, 77));
    p.drawEllipse(QRectF(x - 1, mid - d / 2 + 1, d + 2, d + 2));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(x, mid - d / 2, d, d));
}

void Scrubber::mousePressEvent(QMouseEvent* event) { seek_(fractionAt(event->position().x(), width())); }

void Scrubber::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton) seek_(fractionAt(event->position().x(), width()));
}

void Scrubber::enterEvent(QEnterEvent*)
{
    hover_ = true;
    update();
}

void Scrubber::leaveEvent(QEvent*)
{
    hover_ = false;
    update();
}

// ---- the view -------------------------------------------------------------------

FullScreenPlayerView::FullScreenPlayerView(EditorModel& editor, PlayerFrames* frames, std::function<void()> exit,
                                           QWidget* parent)
    : QWidget(parent), editor_(editor), exit_(std::move(exit))
{
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::black);
    setPalette(palette);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    video_ = new PlayerLayerView(frames, this);
    video_->setMouseTracking(true);
    video_->installEventFilter(this);

    pill_ = new PillBacking(this);
    pill_->setMouseTracking(true);
    pill_->installEventFilter(this);
    auto* row = new QHBoxLayout(pill_);
    row->setContentsMargins(18, 0, 18, 0);
    row->setSpacing(14);
    auto* back = new HudButton("gobackward.5", 15, tr("Back 5 seconds (\u2190)"), pill_);
    play_ = new HudButton("play.fill", 20, tr("Play (Space)"), pill_);
    auto* forward = new HudButton("goforward.5", 15, tr("Forward 5 seconds (\u2192)"), pill_);
    current_ = timeLabel(pill_, 1, Qt::AlignRight);
    scrubber_ = new Scrubber(
        [this](double f) { editor_.seekExactly(f * std::max(outputLength(), 0.1)); }, pill_);
    scrubber_->installEventFilter(this);
    total_ = timeLabel(pill_, 0.6, Qt::AlignLeft);
    auto* leave = new HudButton("arrow.down.right.and.arrow.up.left", 15, tr("Exit Full Screen (Esc)"), pill_);
    for (QWidget* w : std::initializer_list<QWidget*>{back, play_, forward, current_, scrubber_, total_, leave})
        row->addWidget(w, w == scrubber_ ? 1 : 0);
    connect(back, &QToolButton::clicked, this, [this] { skip(-5); });
    connect(forward, &QToolButton::clicked, this, [this] { skip(5); });
    connect(play_, &QToolButton::clicked, this, [this] { editor_.togglePlay(); });
    connect(leave, &QToolButton::clicked, this, [this] { exit_(); });

    hide_.setSingleShot(true);
    hide_.setInterval(hideAfterMs);
    connect(&hide_, &QTimer::timeout, this, &FullScreenPlayerView::hideControls);
    singleClick_.setSingleShot(true);
    singleClick_.setInterval(QApplication::doubleClickInterval());
    connect(&singleClick_, &QTimer::timeout, this, [this] {
        editor_.togglePlay();
        reveal();
    });

    for (auto signal : {&EditorModel::currentTimeChanged, &EditorModel::planChanged, &EditorModel::isPlayingChanged})
        connect(&editor, signal, this, &FullScreenPlayerView::refresh);
    connect(&editor, &EditorModel::isPlayingChanged, this, &FullScreenPlayerView::reveal);
    refresh();
    reveal();
}

double FullScreenPlayerView::outputLength() const { return editor_.plan().outputLength(); }

void FullScreenPlayerView::refresh()
{
    const bool playing = editor_.isPlaying();
    play_->setSymbol(playing ? "pause.fill" : "play.fill");
    play_->setToolTip(playing ? tr("Pause (Space)") : tr("Play (Space)"));
    play_->setAccessibleName(play_->toolTip());
    current_->setText(formatTime(editor_.currentTime()));
    total_->setText(formatTime(outputLength()));
    scrubber_->setProgress(editor_.currentTime() / std::max(outputLength(), 0.1));
}

void FullScreenPlayerView::reveal()
{
    controlsVisible_ = true;
    pill_->show();
    unsetCursor();
    hide_.stop();
    if (editor_.isPlaying()) hide_.start();
}

void FullScreenPlayerView::hideControls()
{
    if (!editor_.isPlaying()) return;
    controlsVisible_ = false;
    pill_->hide();
    setCursor(Qt::BlankCursor);  // until the mouse moves
}

void FullScreenPlayerView::skip(double seconds)
{
    const double t = std::clamp(editor_.currentTime() + seconds, 0.0, outputLength());
    editor_.seekExactly(t);
    reveal();
}

void FullScreenPlayerView::resizeEvent(QResizeEvent*)
{
    video_->setGeometry(rect());
    const int width = std::clamp(this->width() - 2 * pillSideGap, 0, pillMaxWidth);
    pill_->setGeometry((this->width() - width) / 2, height() - pillBottomGap - pillHeight, width, pillHeight);
}

void FullScreenPlayerView::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() & ~Qt::KeypadModifier) return QWidget::keyPressEvent(event);
    switch (event->key()) {
    case Qt::Key_Left: skip(-5); break;
    case Qt::Key_Right: skip(5); break;
    case Qt::Key_Space: editor_.togglePlay(); break;
    case Qt::Key_Escape: exit_(); break;
    default: return QWidget::keyPressEvent(event);
    }
}

bool FullScreenPlayerView::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::Leave: reveal(); break;
    case QEvent::MouseButtonPress:
        if (watched == video_) singleClick_.start();
        break;
    case QEvent::MouseButtonDblClick:
        if (watched == video_) {
            singleClick_.stop();
            exit_();
            return true;
        }
        break;
    default: break;
    }
    return QWidget::eventFilter(watched, event);
}

// ---- the window ---------------------------------------------------------------------

QPointer<FullScreenPlayer> FullScreenPlayer::current_;

FullScreenPlayer* FullScreenPlayer::current() { return current_.data(); }

QRect FullScreenPlayer::startRect(const std::optional<QRect>& previewFrame, const QWidget* activeWindow)
{
    if (activeWindow) {
        if (previewFrame) return QRect(activeWindow->mapToGlobal(previewFrame->topLeft()), previewFrame->size());
        return activeWindow->frameGeometry();
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen()) return screen->availableGeometry();
    return {0, 0, 960, 600};
}

void FullScreenPlayer::show(EditorModel& editor, PlayerFrames* frames, std::optional<QRect> previewFrame)
{
    if (current_) {
        current_->close();  // leaving full screen and closing are one step here
        return;
    }
    QWidget* active = QApplication::activeWindow();
    auto* player = new FullScreenPlayer(editor, frames, startRect(previewFrame, active), active);
    current_ = player;
    player->enter();
}

FullScreenPlayer::FullScreenPlayer(EditorModel& editor, PlayerFrames* frames, QRect start, QWidget* returnTo)
    : QWidget(nullptr, Qt::Window), editor_(editor), returnTo_(returnTo)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromStdString(editor.project().name));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    view_ = new FullScreenPlayerView(editor, frames, [this] { exit(); }, this);
    layout->addWidget(view_);
    setGeometry(start);
    // The editor going away takes the player with it.
    connect(&editor, &QObject::destroyed, this, &QWidget::close);
}

void FullScreenPlayer::enter()
{
    QWidget::show();
    raise();
    activateWindow();
    view_->setFocus();
    if (!editor_.isPlaying()) editor_.togglePlay();
    // Into full screen once the window is on screen.
    QMetaObject::invokeMethod(this, [this] { showFullScreen(); }, Qt::QueuedConnection);
}

void FullScreenPlayer::exit() { close(); }

void FullScreenPlayer::closeEvent(QCloseEvent* event)
{
    view_->unsetCursor();
    if (returnTo_) {
        returnTo_->raise();
        returnTo_->activateWindow();
    }
    if (current_ == this) current_ = nullptr;
    QWidget::closeEvent(event);
}

}  // namespace vt::ui
