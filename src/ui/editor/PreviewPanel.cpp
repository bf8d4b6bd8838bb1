#include "ui/editor/PreviewPanel.h"

#include "ui/editor/BusySpinner.h"
#include "ui/editor/FullScreenPlayer.h"
#include "ui/editor/OpacityFade.h"
#include "ui/editor/PlayerLayerView.h"
#include "ui/editor/SafeAreaOverlay.h"
#include "ui/editor/SymbolButton.h"
#include "ui/editor/WordDragLayer.h"
#include "ui/editor/WordLookBar.h"
#include "ui/theme/Theme.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace vt::ui {

namespace {

constexpr std::array aspects{OutputAspect::vertical, OutputAspect::portrait, OutputAspect::square,
                             OutputAspect::landscape};
constexpr std::array reframes{ReframeMode::smart, ReframeMode::center, ReframeMode::fit};

QString text(std::string_view raw) { return QString::fromUtf8(raw.data(), static_cast<int>(raw.size())); }

// The hairline inside the surface's rounded edge, above everything in it.
class Rim : public QWidget {
public:
    explicit Rim(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TransparentForMouseEvents); }
    double radius = 20;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(Theme::hairline), 1));
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    }
};

// The area the surface is fitted into; draws the surface's soft shadow.
class Stage : public QWidget {
public:
    explicit Stage(QWidget* parent) : QWidget(parent) {}
    QWidget* surface = nullptr;
    double radius = 20;

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!surface) return;
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        // Black at 0.2 spread over 16 points, 8 points down.
        const QRectF r = QRectF(surface->geometry()).translated(0, 8);
        for (int i = 8; i >= 1; --i) {
            p.setBrush(QColor(0, 0, 0, 6));
            p.drawRoundedRect(r.adjusted(-i * 2, -i * 2, i * 2, i * 2), radius + i * 2, radius + i * 2);
        }
    }
};

// The capsule behind the activity pill.
class Pill : public QWidget {
public:
    explicit Pill(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TransparentForMouseEvents); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        QColor fill = Theme::mediaScrim;
        fill.setAlphaF(0.62f);
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawRoundedRect(QRectF(rect()), height() / 2.0, height() / 2.0);
    }
};

SymbolButton* toggle(const QString& symbol, const QString& help, QWidget* parent)
{
    auto* button = new SymbolButton(symbol, {28, 24}, 15, parent);
    button->setToolTip(help);
    button->setAccessibleName(help);
    return button;
}

}  // namespace

PreviewPanel::PreviewPanel(EditorModel& editor, PlayerFrames* frames, QWidget* parent)
    : QWidget(parent), editor_(editor), frames_(frames)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);
    column->addWidget(makeControls());
    makeSurface();
    column->addWidget(stage_, 1);
    lookBar_ = new WordLookBar(editor, this);
    column->addWidget(lookBar_, 0, Qt::AlignHCenter);

    for (auto signal : {&EditorModel::projectChanged, &EditorModel::showSafeAreaChanged,
                        &EditorModel::selectionChanged, &EditorModel::isLoadingChanged})
        connect(&editor, signal, this, &PreviewPanel::refreshControls);
    for (auto signal : {&EditorModel::stabilizeProgressChanged, &EditorModel::audioProgressChanged,
                        &EditorModel::clipJobsChanged, &EditorModel::autoBusyChanged, &EditorModel::musicBusyChanged,
                        &EditorModel::isRefreshingChanged})
        connect(&editor, signal, this, &PreviewPanel::refreshActivity);
    refreshControls();
    refreshActivity();
}

QSizeF PreviewPanel::fittedSize(QSizeF area, OutputAspect aspect)
{
    const Size out = renderSize(aspect);
    const double a = std::max(area.width() - 8, 1.0), b = std::max(area.height() - 8, 1.0);
    const double s = std::min(a / out.width, b / out.height);
    return {std::max(out.width * s, 1.0), std::max(out.height * s, 1.0)};
}

double PreviewPanel::cornerRadius(OutputAspect aspect, double surfaceWidth)
{
    const bool tall = aspect == OutputAspect::vertical || aspect == OutputAspect::portrait;
    return tall ? std::min(surfaceWidth * 0.08, 34.0) : 20.0;
}

QString PreviewPanel::pillText(const EditorModel::Activity& activity)
{
    const QString base = QString::fromStdString(activity.text);
    if (!activity.progress || !std::isfinite(*activity.progress)) return base;
    return base + QStringLiteral(" \u00b7 ") + QString::number(static_cast<long long>(*activity.progress * 100)) + "%";
}

QToolButton* PreviewPanel::formatButton(OutputAspect aspect) const { return formats_[static_cast<int>(aspect)]; }

QWidget* PreviewPanel::makeControls()
{
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);

    auto* segments = new QWidget(bar);
    segments->setToolTip(tr("Output format"));
    segments->setAccessibleName(tr("Format"));
    auto* segmentRow = new QHBoxLayout(segments);
    segmentRow->setContentsMargins(0, 0, 0, 0);
    segmentRow->setSpacing(0);
    auto* group = new QButtonGroup(segments);
    group->setExclusive(true);
    for (OutputAspect aspect : aspects) {
        auto* button = new QToolButton(segments);
        button->setText(text(json::enumText(aspect)));
        button->setCheckable(true);
        button->setFocusPolicy(Qt::NoFocus);
        Appearances::setStyleSheet(button, [] {
            return QStringLiteral("QToolButton { padding: 2px 8px; font-size: 11px; color: %1; border: 1px solid %3; "
                                  "background: transparent; } QToolButton:checked { background: %2; }")
                .arg(QColor(Theme::ink).name(), QColor(Theme::selected).name(QColor::HexArgb),
                     QColor(Theme::border).name(QColor::HexArgb));
        });
        group->addButton(button);
        segmentRow->addWidget(button);
        formats_[static_cast<int>(aspect)] = button;
        connect(button, &QToolButton::clicked, this, [this, aspect] { editor_.setAspect(aspect); });
    }
    row->addWidget(segments);

    framing_ = new QComboBox(bar);
    framing_->setAccessibleName(tr("Framing"));
    framing_->setFocusPolicy(Qt::NoFocus);
    for (ReframeMode mode : reframes) framing_->addItem(text(json::enumText(mode)));
    framing_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(framing_, &QComboBox::activated, this,
            [this](int index) { editor_.setReframe(reframes[static_cast<std::size_t>(index)]); });
    row->addWidget(framing_);
    row->addStretch(1);

    captions_ = toggle("captions.bubble", QStringLiteral("Show captions"), bar);
    connect(captions_, &QToolButton::clicked, this, [this] {
        editor_.updateProject([](Project& p) { p.captionsVisible = !p.captionsVisible; });
        editor_.visualChanged();
    });
    safe_ = toggle("rectangle.dashed", QStringLiteral("Show TikTok / Reels UI safe zones"), bar);
    connect(safe_, &QToolButton::clicked, this, [this] { editor_.setShowSafeArea(!editor_.showSafeArea()); });
    fullScreen_ = toggle("arrow.up.left.and.arrow.down.right", QStringLiteral("Play Full Screen (Shift+Ctrl+F)"), bar);
    connect(fullScreen_, &QToolButton::clicked, this,
            [this] { FullScreenPlayer::show(editor_, frames_, videoFrame()); });
    for (SymbolButton* b : {captions_, safe_}) b->setCheckable(true);
    row->addWidget(captions_);
    row->addWidget(safe_);
    row->addWidget(fullScreen_);
    return bar;
}

void PreviewPanel::makeSurface()
{
    auto* stage = new Stage(this);
    stage_ = stage;
    stage_->setMinimumHeight(220);
    surface_ = new QWidget(stage_);
    stage->surface = surface_;
    player_ = new PlayerLayerView(frames_, surface_);
    drag_ = new WordDragLayer(editor_, surface_);
    safeArea_ = new SafeAreaOverlay(surface_);
    spinner_ = new BusySpinner(32, Theme::onMedia, surface_);
    pill_ = new Pill(surface_);
    auto* pillRow = new QHBoxLayout(pill_);
    pillRow->setContentsMargins(9, 5, 9, 5);
    pillRow->setSpacing(6);
    pillSpinner_ = new BusySpinner(12, Theme::onMedia, pill_);
    pillLabel_ = new QLabel(pill_);
    QFont f = pillLabel_->font();
    f.setPointSizeF(11);
    f.setWeight(QFont::Medium);
    pillLabel_->setFont(f);
    QPalette palette = pillLabel_->palette();
    palette.setColor(QPalette::WindowText, Theme::onMedia);
    pillLabel_->setPalette(palette);
    pillRow->addWidget(pillSpinner_);
    pillRow->addWidget(pillLabel_);
    // The pill comes and goes with a short fade, a moment after the work does.
    pillFade_ = new OpacityFade(pill_, false, 350, 200, QEasingCurve::InQuad);
    rim_ = new Rim(surface_);
    stage_->installEventFilter(this);
}

bool PreviewPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == stage_ && event->type() == QEvent::Resize) layoutSurface();
    return QWidget::eventFilter(watched, event);
}

void PreviewPanel::layoutSurface()
{
    const OutputAspect aspect = editor_.project().aspect;
    const QSizeF fitted = fittedSize(stage_->size(), aspect);
    const QSize size(static_cast<int>(std::round(fitted.width())), static_cast<int>(std::round(fitted.height())));
    surface_->setGeometry(QRect(QPoint((stage_->width() - size.width()) / 2, (stage_->height() - size.height()) / 2), size));
    const double radius = cornerRadius(aspect, size.width());
    static_cast<Stage*>(stage_)->radius = radius;
    static_cast<Rim*>(rim_)->radius = radius;
    player_->setCornerRadius(radius);
    safeArea_->setCornerRadius(radius);
    for (QWidget* layer : std::initializer_list<QWidget*>{player_, drag_, safeArea_, rim_}) layer->setGeometry(surface_->rect());
    spinner_->move((size.width() - spinner_->width()) / 2, (size.height() - spinner_->height()) / 2);
    pill_->adjustSize();
    pill_->move(size.width() - pill_->width() - 10, 10);
    stage_->update();
}

std::optional<QRect> PreviewPanel::videoFrame() const
{
    if (!surface_->isVisible() || surface_->size().isEmpty()) return std::nullopt;
    return QRect(surface_->mapTo(surface_->window(), QPoint(0, 0)), surface_->size());
}

void PreviewPanel::refreshControls()
{
    const Project& p = editor_.project();
    formatButton(p.aspect)->setChecked(true);
    framing_->setCurrentIndex(static_cast<int>(p.reframe));
    framing_->setToolTip(p.faceTrack ? tr("Follow face keeps the speaker centered using on-device face tracking.")
                                     : tr("No face found; Follow face will center the frame."));
    captions_->setChecked(p.captionsVisible);
    safe_->setChecked(editor_.showSafeArea());
    safeArea_->setVisible(editor_.showSafeArea());
    spinner_->setVisible(editor_.isLoading());
    lookBar_->setVisible(!editor_.selection().empty());
    layoutSurface();
}

void PreviewPanel::refreshActivity()
{
    const auto activity = editor_.activity();
    pillFade_->setShown(activity.has_value());
    if (!activity) return;
    pillSpinner_->setProgress(activity->progress);
    pillLabel_->setText(pillText(*activity));
    pill_->setAccessibleName(pillLabel_->text());
    pill_->adjustSize();
    pill_->move(surface_->width() - pill_->width() - 10, 10);
}

}  // namespace vt::ui
