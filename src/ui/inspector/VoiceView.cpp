#include "ui/inspector/VoiceView.h"

#include "editor/VoiceoverWorkflow.h"
#include "ui/inspector/CompactButton.h"
#include "ui/inspector/FeatureColumn.h"
#include "ui/inspector/InspectorGroup.h"
#include "ui/inspector/InspectorRow.h"
#include "ui/inspector/KitColors.h"
#include "ui/inspector/KitText.h"
#include "ui/inspector/PressableButton.h"
#include "ui/inspector/RowDivider.h"
#include "ui/inspector/RowNote.h"
#include "ui/inspector/SpringCurve.h"
#include "ui/inspector/SwitchRow.h"
#include "ui/inspector/TimeFormat.h"
#include "ui/inspector/ValueRow.h"

#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QScrollArea>
#include <QStackedWidget>
#include <QVariantAnimation>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace vt::ui {

namespace {

const QColor recordRed = QColor::fromRgbF(1, 0.23f, 0.19f, 1);
constexpr double phaseResponse = 0.25;  // seconds, of the phase column's spring

QVariantAnimation* spring(double response, QObject* parent)
{
    auto* a = new QVariantAnimation(parent);
    a->setDuration(SpringCurve::durationMs(response));
    a->setEasingCurve(SpringCurve::curve());
    return a;
}

QWidget* centred(QWidget* parent, QVBoxLayout** layout)
{
    auto* w = new QWidget(parent);
    *layout = new QVBoxLayout(w);
    (*layout)->setContentsMargins(0, 16, 0, 16);
    (*layout)->setSpacing(10);
    (*layout)->setAlignment(Qt::AlignHCenter);
    return w;
}

QWidget* hcentre(QWidget* child, QWidget* parent)
{
    auto* w = new QWidget(parent);
    auto* line = new QHBoxLayout(w);
    line->setContentsMargins(0, 0, 0, 0);
    line->addStretch(1);
    line->addWidget(child);
    line->addStretch(1);
    return w;
}

}  // namespace

// ---- level meter ------------------------------------------------------------------------------

LevelMeter::LevelMeter(QWidget* parent) : QWidget(parent), motion_(new QVariantAnimation(this))
{
    setFixedHeight(24);
    setAccessibleName(QStringLiteral("Microphone level"));
    setAccessibleDescription(QStringLiteral("0%"));
    motion_->setDuration(motionMs);
    connect(motion_, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        shown_ = v.toDouble();
        update();
    });
}

int LevelMeter::litSegments(double level)
{
    int lit = 0;
    for (int i = 0; i < segments; ++i)
        if (level > static_cast<double>(i) / segments) ++lit;
    return lit;
}

double LevelMeter::segmentWidth(double width) { return std::max((width - (segments - 1) * 2) / segments, 2.0); }

void LevelMeter::setLevel(double level)
{
    if (level == level_) return;
    level_ = level;
    setAccessibleDescription(QString::number(static_cast<int>(level * 100)) + QStringLiteral("%"));
    // From wherever the segments are now, also when the last move has not ended.
    motion_->stop();
    motion_->setStartValue(shown_);
    motion_->setEndValue(level);
    motion_->start();
}

void LevelMeter::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const double w = segmentWidth(width());
    const int lit = litSegments(shown_);
    for (int i = 0; i < segments; ++i) {
        QColor c = i >= lit ? kit::faded(kit::ink(), 0.1) : isRed(i) ? recordRed : kit::faded(kit::ink(), 0.75);
        p.setBrush(c);
        p.drawRoundedRect(QRectF(i * (w + 2), 0, w, height()), 1, 1);
    }
}

// ---- record button ------------------------------------------------------------------------------

RecordButton::RecordButton(bool recording, QWidget* parent)
    : QAbstractButton(parent), recording_(recording), shape_(recording ? 1 : 0), morph_(spring(response, this))
{
    connect(morph_, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        shape_ = v.toDouble();
        update();
    });
    setFixedSize(58, 58);
    setCursor(Qt::PointingHandCursor);
    setToolTip(recording ? QStringLiteral("Stop recording") : QStringLiteral("Record a voiceover (the video plays while you talk)"));
    setAccessibleName(recording ? QStringLiteral("Stop recording") : QStringLiteral("Record a voiceover"));
}

void RecordButton::morphIn()
{
    morph_->stop();
    morph_->setStartValue(recording_ ? 0.0 : 1.0);
    morph_->setEndValue(recording_ ? 1.0 : 0.0);
    morph_->start();
}

bool RecordButton::hitButton(const QPoint& pos) const
{
    const QPointF d = QPointF(pos) - QRectF(rect()).center();
    return std::hypot(d.x(), d.y()) <= width() / 2.0;
}

void RecordButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setOpacity((isDown() ? 0.7 : 1.0) * (isEnabled() ? 1.0 : 0.45));
    p.setPen(QPen(QColor(kit::faded(kit::ink(), 0.22)), 3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5));
    p.setPen(Qt::NoPen);
    p.setBrush(recordRed);
    // The disc (46 across, fully rounded) and the stop square (22, corners 5) and every shape between.
    const double side = 46 + (22 - 46) * shape_;
    const double radius = 23 + (5 - 23) * shape_;
    p.drawRoundedRect(QRectF(QRectF(rect()).center() - QPointF(side / 2, side / 2), QSizeF(side, side)), radius, radius);
}

// ---- the panel ------------------------------------------------------------------------------------

VoiceView::VoiceView(EditorModel& editor, VoiceoverWorkflow& voice, QWidget* parent)
    : QWidget(parent), editor_(editor), voice_(voice)
{
    auto* column = featureColumn(this, QStringLiteral("Talk over your video. Captions are written from your voice."));
    QWidget* content = column->parentWidget();
    column->addWidget(buildRecordGroup(content));
    buildTakeGroup(content);
    column->addWidget(parts_.take);
    buildMixGroup(content);
    column->addWidget(parts_.mix);
    column->addStretch(1);

    for (auto signal : {&VoiceoverWorkflow::voicePhaseChanged, &VoiceoverWorkflow::voiceErrorChanged, &VoiceoverWorkflow::optionsChanged,
                        &VoiceoverWorkflow::voiceElapsedChanged})
        connect(&voice_, signal, this, &VoiceView::refresh);
    connect(&voice_, &VoiceoverWorkflow::voiceLevelChanged, this, [this] { parts_.meter->setLevel(voice_.voiceLevel()); });
    connect(&editor_, &EditorModel::projectChanged, this, &VoiceView::refresh);
    connect(&editor_, &EditorModel::isLoadingChanged, this, &VoiceView::refresh);
    refresh();
}

QString VoiceView::takeText(double start, double duration, int words)
{
    return QStringLiteral("Starts ") + formatTime(start) + QStringLiteral(" \u00B7 ") + formatTime(duration) + QStringLiteral(" \u00B7 ")
         + QString::number(words) + QStringLiteral(" words");
}

QWidget* VoiceView::buildRecordGroup(QWidget* parent)
{
    auto* group = new InspectorGroup(QStringLiteral("RECORD"), nullptr, parent);
    group->addRow(buildPhases(group));
    parts_.options = new QWidget(group);
    auto* options = rowStack(parts_.options);
    options->addWidget(new RowDivider(parts_.options));
    parts_.fromPlayhead = new SwitchRow(QStringLiteral("Start at the playhead"),
                                        {[this] { return voice_.voiceFromPlayhead(); }, [this](const bool& v) { voice_.setVoiceFromPlayhead(v); }},
                                        {}, parts_.options);
    parts_.mute = new SwitchRow(QStringLiteral("Mute the video while recording"),
                                {[this] { return voice_.muteWhileRecording(); }, [this](const bool& v) { voice_.setMuteWhileRecording(v); }},
                                {}, parts_.options);
    options->addWidget(parts_.fromPlayhead);
    options->addWidget(parts_.mute);
    options->addWidget(new RowNote(QStringLiteral("Headphones give the cleanest recording."), parts_.options));
    group->addRow(parts_.options);
    parts_.error = new RowNote({}, group);
    group->addRow(parts_.error);
    return group;
}

QWidget* VoiceView::buildPhases(QWidget* parent)
{
    parts_.phase = new QStackedWidget(parent);
    QVBoxLayout* c = nullptr;

    auto* idle = centred(parts_.phase, &c);
    parts_.record = new RecordButton(false, idle);
    connect(parts_.record, &QAbstractButton::clicked, this, [this] { voice_.startVoiceover(); });
    c->addWidget(hcentre(parts_.record, idle));
    parts_.idleCaption = kit::label({}, 12, QFont::Normal, kit::secondaryText(), idle);
    parts_.idleCaption->setAlignment(Qt::AlignCenter);
    c->addWidget(parts_.idleCaption);
    parts_.phase->addWidget(idle);

    auto* countdown = centred(parts_.phase, &c);
    parts_.count = kit::label({}, 44, QFont::Light, kit::ink(), countdown);
    parts_.count->setAlignment(Qt::AlignCenter);
    parts_.count->setFixedHeight(64);
    c->addWidget(parts_.count);
    auto* ready = kit::label(QStringLiteral("Get ready to talk…"), 12, QFont::Normal, kit::secondaryText(), countdown);
    ready->setAlignment(Qt::AlignCenter);
    c->addWidget(ready);
    parts_.cancel = new CompactButton(QStringLiteral("Cancel"), CompactButton::Kind::secondary, countdown);
    connect(parts_.cancel, &QPushButton::clicked, this, [this] { voice_.stopVoiceover(); });
    c->addWidget(hcentre(parts_.cancel, countdown));
    parts_.phase->addWidget(countdown);

    auto* recording = centred(parts_.phase, &c);
    auto* clock = new QWidget(recording);
    auto* clockLine = new QHBoxLayout(clock);
    clockLine->setContentsMargins(0, 0, 0, 0);
    clockLine->setSpacing(6);
    auto* dot = kit::label(QStringLiteral("●"), 7, QFont::Normal, recordRed, clock);
    clockLine->addStretch(1);
    clockLine->addWidget(dot);
    parts_.elapsed = kit::label({}, 26, QFont::Light, kit::ink(), clock);
    clockLine->addWidget(parts_.elapsed);
    clockLine->addStretch(1);
    c->addWidget(clock);
    auto* meterBox = new QWidget(recording);
    auto* meterLine = new QHBoxLayout(meterBox);
    meterLine->setContentsMargins(24, 0, 24, 0);
    parts_.meter = new LevelMeter(meterBox);
    meterLine->addWidget(parts_.meter);
    c->addWidget(meterBox);
    parts_.stop = new RecordButton(true, recording);
    connect(parts_.stop, &QAbstractButton::clicked, this, [this] { voice_.stopVoiceover(); });
    c->addWidget(hcentre(parts_.stop, recording));
    auto* foot = new QWidget(recording);
    auto* footLine = new QHBoxLayout(foot);
    footLine->setContentsMargins(0, 0, 0, 0);
    footLine->setSpacing(6);
    footLine->addStretch(1);
    auto* stopsNote = kit::label(QStringLiteral("Stops by itself at the end of the video."), 11, QFont::Normal, kit::secondaryText(), foot);
    stopsNote->setWordWrap(true);
    footLine->addWidget(stopsNote);
    parts_.discard = new CompactButton(QStringLiteral("Discard"), CompactButton::Kind::secondary, foot);
    connect(parts_.discard, &QPushButton::clicked, this, [this] { voice_.cancelVoiceover(); });
    footLine->addWidget(parts_.discard);
    footLine->addStretch(1);
    c->addWidget(foot);
    parts_.phase->addWidget(recording);

    auto* transcribing = centred(parts_.phase, &c);
    parts_.transcribing = new QProgressBar(transcribing);
    parts_.transcribing->setRange(0, 1000);
    parts_.transcribing->setTextVisible(false);
    parts_.transcribing->setMaximumWidth(220);
    c->addWidget(hcentre(parts_.transcribing, transcribing));
    auto* writing = kit::label(QStringLiteral("Writing captions from your voice…"), 12, QFont::Normal, kit::secondaryText(), transcribing);
    writing->setAlignment(Qt::AlignCenter);
    c->addWidget(writing);
    parts_.phase->addWidget(transcribing);
    return parts_.phase;
}

void VoiceView::buildTakeGroup(QWidget* parent)
{
    parts_.take = new InspectorGroup(QStringLiteral("YOUR VOICEOVER"), nullptr, parent);
    parts_.takeInfo = kit::label({}, 12, QFont::Normal, kit::secondaryText(), parts_.take);
    parts_.take->addRow(new InspectorRow(QStringLiteral("Take"), {}, parts_.takeInfo, parts_.take));
    parts_.take->addRow(new RowDivider(parts_.take));
    parts_.captionsFromVoice = new SwitchRow(QStringLiteral("Captions from voiceover"),
                                             {[this] { return voice_.voiceover().captionsFromVoice; },
                                              [this](const bool& on) { voice_.setCaptionsFromVoice(on); }},
                                             {}, parts_.take);
    parts_.take->addRow(parts_.captionsFromVoice);
    parts_.captionsNote = new RowNote({}, parts_.take);
    parts_.take->addRow(parts_.captionsNote);
    parts_.takeButtons = new QWidget(parts_.take);
    auto* line = new QHBoxLayout(parts_.takeButtons);
    line->setContentsMargins(12, 8, 12, 8);
    line->setSpacing(6);
    parts_.play = new CompactButton(QStringLiteral("▶ Play"), CompactButton::Kind::secondary, parts_.takeButtons);
    parts_.rerecord = new CompactButton(QStringLiteral("↺ Re-record"), CompactButton::Kind::secondary, parts_.takeButtons);
    // The compact look of its neighbours, in the destructive red.
    auto* remove = new PressableButton(QStringLiteral("🗑 Remove"), parts_.takeButtons);
    remove->setFill(kit::faded(kit::ink(), 0.08), 6);
    remove->setTextColour(DynamicColor{Qt::red, Qt::red});
    remove->setFont(parts_.play->font());
    remove->setMinimumHeight(24);
    remove->setCursor(Qt::PointingHandCursor);
    parts_.remove = remove;
    parts_.remove->setToolTip(QStringLiteral("Remove the take (Undo brings it back)"));
    connect(parts_.play, &QPushButton::clicked, this, &VoiceView::playTake);
    connect(parts_.rerecord, &QPushButton::clicked, this, [this] { voice_.startVoiceover(); });
    connect(parts_.remove, &QPushButton::clicked, this, [this] { voice_.removeVoiceover(); });
    line->addWidget(parts_.play);
    line->addWidget(parts_.rerecord);
    line->addStretch(1);
    line->addWidget(parts_.remove);
    parts_.take->addRow(parts_.takeButtons);
}

void VoiceView::buildMixGroup(QWidget* parent)
{
    parts_.mix = new InspectorGroup(QStringLiteral("MIX"), nullptr, parent);
    const auto rebuild = [this] { editor_.timelineChanged(); };
    parts_.voiceVolume = new ValueRow(QStringLiteral("Voice volume"),
                                      {[this] { return voice_.voiceover().volume; }, [this](const double& v) { voice_.setVolume(v); }},
                                      {-12, 12, 1, 0, QStringLiteral(" dB"), 1, true, true, 0.0}, rebuild, parts_.mix);
    parts_.originalSound = new ValueRow(QStringLiteral("Original sound"),
                                        {[this] { return voice_.voiceover().originalLevel; },
                                         [this](const double& v) { voice_.setOriginalLevel(v); }},
                                        {0, 1, 5, 0, QStringLiteral("%"), 100, true, false, std::nullopt}, rebuild, parts_.mix);
    parts_.mix->addRow(parts_.voiceVolume);
    parts_.mix->addRow(parts_.originalSound);
}

void VoiceView::playTake()
{
    const auto& take = editor_.project().voiceover;
    if (!take) return;
    editor_.seekExactly(take->start);
    if (!editor_.isPlaying()) editor_.togglePlay();
}

// A new phase fades in while the column springs to its height; the record
// button turns between disc and stop square as recording starts and ends.
void VoiceView::showPhase(int page)
{
    if (page == shownPhase_) return;
    const int from = shownPhase_;
    shownPhase_ = page;
    parts_.phase->setCurrentIndex(page);
    QWidget* shown = parts_.phase->currentWidget();
    const int height = shown->sizeHint().height();
    if (from < 0) {
        parts_.phase->setFixedHeight(height);
        return;
    }
    if (page == 2) parts_.stop->morphIn();
    if (from == 2 && page == 0) parts_.record->morphIn();
    if (!phaseMotion_) {
        phaseMotion_ = spring(phaseResponse, this);
        connect(phaseMotion_, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
            const double t = v.toDouble();
            parts_.phase->setFixedHeight(static_cast<int>(std::lround(phaseHeights_.first + (phaseHeights_.second - phaseHeights_.first) * t)));
            if (auto* fade = qobject_cast<QGraphicsOpacityEffect*>(parts_.phase->currentWidget()->graphicsEffect()))
                fade->setOpacity(std::clamp(t, 0.0, 1.0));
        });
        connect(phaseMotion_, &QVariantAnimation::finished, this, [this] {
            for (int i = 0; i < parts_.phase->count(); ++i) parts_.phase->widget(i)->setGraphicsEffect(nullptr);
        });
    }
    phaseMotion_->stop();
    for (int i = 0; i < parts_.phase->count(); ++i) parts_.phase->widget(i)->setGraphicsEffect(nullptr);
    auto* fade = new QGraphicsOpacityEffect(shown);
    fade->setOpacity(0);
    shown->setGraphicsEffect(fade);
    phaseHeights_ = {parts_.phase->height(), height};
    phaseMotion_->setStartValue(0.0);
    phaseMotion_->setEndValue(1.0);
    phaseMotion_->start();
}

void VoiceView::refresh()
{
    const VoicePhase& phase = voice_.voicePhase();
    const bool idle = phase == VoicePhase::idle();
    const auto& take = editor_.project().voiceover;
    using Kind = VoicePhase::Kind;
    showPhase(phase.kind == Kind::idle ? 0 : phase.kind == Kind::countdown ? 1 : phase.kind == Kind::recording ? 2 : 3);
    parts_.record->setEnabled(!editor_.isLoading());
    parts_.stop->setEnabled(!editor_.isLoading());
    parts_.idleCaption->setText(take ? QStringLiteral("Record a new take") : QStringLiteral("Record \u00B7 3-second countdown"));
    parts_.count->setText(QString::number(phase.seconds));
    parts_.elapsed->setText(formatTime(voice_.voiceElapsed()));
    parts_.meter->setLevel(voice_.voiceLevel());
    parts_.transcribing->setValue(static_cast<int>(std::lround(phase.progress * 1000)));
    parts_.options->setVisible(idle);
    parts_.fromPlayhead->refresh();
    parts_.mute->refresh();
    const auto& error = voice_.voiceError();
    parts_.error->setVisible(error.has_value());
    if (error) parts_.error->setText(QStringLiteral("\u26A0\uFE0E ") + QString::fromStdString(*error));

    parts_.take->setVisible(take.has_value());
    parts_.mix->setVisible(take.has_value());
    if (!take) return;
    const int words = static_cast<int>(std::count_if(take->words.begin(), take->words.end(), [](const Word& w) { return !w.deleted; }));
    parts_.takeInfo->setText(takeText(take->start, take->duration, words));
    parts_.captionsFromVoice->setEnabled(!take->words.empty());
    parts_.captionsFromVoice->refresh();
    parts_.captionsNote->setText(take->captionsFromVoice && !take->words.empty()
                                     ? QStringLiteral("The transcript below is your voiceover. Fix words there; hiding a word removes it from the captions only.")
                                     : QStringLiteral("Captions come from the video's own speech."));
    parts_.takeButtons->setEnabled(idle);
    parts_.voiceVolume->refresh();
    parts_.originalSound->refresh();
}

}  // namespace vt::ui
