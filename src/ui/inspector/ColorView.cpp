#include "ui/inspector/ColorView.h"
#include "ui/theme/NumberText.h"

#include "editor/SoundPictureJobs.h"
#include "ui/inspector/ColorGroup.h"
#include "ui/inspector/FeatureColumn.h"
#include "ui/inspector/FeatureRow.h"
#include "ui/inspector/HoldButton.h"
#include "ui/inspector/InspectorGroup.h"
#include "ui/inspector/KitColors.h"
#include "ui/inspector/KitText.h"
#include "ui/inspector/MusicSection.h"
#include "ui/inspector/ProgressRow.h"
#include "ui/inspector/RowDivider.h"
#include "ui/inspector/RowNote.h"
#include "ui/inspector/SwitchRow.h"
#include "ui/inspector/ValueRow.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QVBoxLayout>

namespace vt::ui {

namespace {

const AudioCleanup cleanupDefaults{0.6, true, 0.4, true};

QCheckBox* trailingSwitch(const QString& label, QWidget* parent)
{
    auto* box = new QCheckBox(parent);
    box->setAccessibleName(label);
    return box;
}

QString warning(const std::string& message) { return QStringLiteral("\u26A0\uFE0E ") + QString::fromStdString(message); }

}  // namespace

ColorView::ColorView(EditorModel& editor, SoundPictureJobs& jobs, FileChooser chooseMusic, QWidget* parent)
    : QWidget(parent), editor_(editor), jobs_(jobs)
{
    auto* column = featureColumn(this, QStringLiteral("Stabilize, clean up audio and grade color, all on this computer."));
    QWidget* content = column->parentWidget();

    auto* sound = new InspectorGroup(QStringLiteral("VIDEO & SOUND"), nullptr, content);
    sound->addRow(buildStabilize());
    sound->addRow(new RowDivider);
    sound->addRow(buildCleanup());
    sound->addRow(new RowDivider);
    parts_.music = new MusicSection(editor_, jobs_.music(), std::move(chooseMusic));
    sound->addRow(parts_.music);
    column->addWidget(sound);

    parts_.color = new ColorGroup(editor_, jobs_.grade(), content);
    column->addWidget(parts_.color);
    column->addStretch(1);

    for (auto signal : {&EditorModel::projectChanged, &EditorModel::stabilizeProgressChanged, &EditorModel::stabCorrectionChanged,
                        &EditorModel::audioProgressChanged, &EditorModel::cleanAudioURLsChanged})
        connect(&editor_, signal, this, &ColorView::refresh);
    connect(&jobs_.stabilize(), &StabilizeActions::errorChanged, this, &ColorView::refresh);
    connect(&jobs_.cleanup(), &AudioCleanupJobs::errorChanged, this, &ColorView::refresh);
    refresh();
}

QString ColorView::smoothnessNote(std::optional<double> zoom)
{
    const double percent = zoom ? (*zoom - 1) * 100 : 0;
    return QStringLiteral("Gentle at 0%, tripod-steady at 100%. Zooms %1% to hide the edges.").arg(fixedText(percent, 1));
}

QWidget* ColorView::buildStabilize()
{
    auto* block = new QWidget;
    auto* rows = rowStack(block);
    parts_.stabilize = trailingSwitch(QStringLiteral("Stabilize"), block);
    connect(parts_.stabilize, &QCheckBox::toggled, this, [this](bool on) { jobs_.stabilize().setStabilize(on); });
    rows->addWidget(new FeatureRow(QStringLiteral("Stabilize"), QStringLiteral("◎"),
                                   QStringLiteral("Removes handheld shake. Analyzes the camera motion once, on this computer."),
                                   parts_.stabilize, block));
    parts_.measuring = new ProgressRow(QStringLiteral("Measuring camera shake…"), 0.0, block);
    rows->addWidget(parts_.measuring);
    parts_.smoothness = new ValueRow(
        QStringLiteral("Smoothness"),
        {[this] {
             const auto& s = editor_.project().stabilization;
             return s ? s->strength : StabilizeActions::defaultStrength;
         },
         [this](const double& v) { jobs_.stabilize().setStabilizeStrength(v); }},
        {0, 1, 5, 0, QStringLiteral("%"), 100, true, false, std::nullopt}, {}, block);
    rows->addWidget(parts_.smoothness);
    parts_.smoothnessNote = new RowNote({}, block);
    rows->addWidget(parts_.smoothnessNote);
    parts_.stabilizeError = new RowNote({}, block);
    rows->addWidget(parts_.stabilizeError);
    return block;
}

QWidget* ColorView::buildCleanup()
{
    auto* block = new QWidget;
    auto* rows = rowStack(block);
    parts_.cleanup = trailingSwitch(QStringLiteral("Clean up audio"), block);
    connect(parts_.cleanup, &QCheckBox::toggled, this, [this](bool on) {
        jobs_.cleanup().setAudioCleanup(on ? std::optional(cleanupDefaults) : std::nullopt);
    });
    rows->addWidget(new FeatureRow(QStringLiteral("Clean up audio"), QStringLiteral("〰"),
                                   QStringLiteral("Removes noise and hum, evens out volume, sets loudness for TikTok, Reels and Shorts."),
                                   parts_.cleanup, block));
    // Beside the switch the row would be wider than the inspector: the hold
    // button sits right under it, at the trailing edge.
    hearRow_ = new QWidget(block);
    auto* line = new QHBoxLayout(hearRow_);
    line->setContentsMargins(12, 0, 12, 4);
    line->addStretch(1);
    parts_.hearOriginal = new HoldButton(QStringLiteral("Hold to hear original"), QStringLiteral("👂"),
                                         {[this] { return editor_.audioBypass(); }, [this](const bool& v) { editor_.setAudioBypass(v); }},
                                         hearRow_);
    parts_.hearOriginal->setToolTip(QStringLiteral("Press and hold to hear the sound before cleanup; let go to hear it cleaned"));
    line->addWidget(parts_.hearOriginal);
    rows->addWidget(hearRow_);

    auto& cleanup = jobs_.cleanup();
    const auto recommit = [this] { jobs_.cleanup().setAudioCleanup(editor_.project().audioCleanup); };
    const auto number = [&cleanup](double AudioCleanup::*field) {
        return Binding<double>{[&cleanup, field] { return cleanup.settings().*field; },
                               [&cleanup, field](const double& v) { cleanup.change([&](AudioCleanup& s) { s.*field = v; }); }};
    };
    const auto flag = [&cleanup](bool AudioCleanup::*field) {
        return Binding<bool>{[&cleanup, field] { return cleanup.settings().*field; },
                             [&cleanup, field](const bool& v) { cleanup.change([&](AudioCleanup& s) { s.*field = v; }); }};
    };
    const ValueRow::Options percent{0, 1, 5, 0, {}, 100, true, false, std::nullopt};
    parts_.noiseReduction = new ValueRow(QStringLiteral("Noise reduction"), number(&AudioCleanup::noiseReduction), percent, recommit, block);
    parts_.leveler = new ValueRow(QStringLiteral("Even out volume"), number(&AudioCleanup::leveler), percent, recommit, block);
    parts_.voiceEQ = new SwitchRow(QStringLiteral("Voice EQ"), flag(&AudioCleanup::voiceEQ), QStringLiteral("Clearer voice, no rumble"), block);
    parts_.normalize = new SwitchRow(QStringLiteral("Loudness for social"), flag(&AudioCleanup::normalize),
                                     QStringLiteral("−14 LUFS, what TikTok, Reels and Shorts expect"), block);
    parts_.cleaning = new ProgressRow(QStringLiteral("Cleaning audio…"), 0.0, block);
    parts_.cleanedNote = new RowNote(QStringLiteral("✓ Noise learned from the pauses between your words."), block);
    parts_.cleanupError = new RowNote({}, block);
    for (QWidget* w : std::initializer_list<QWidget*>{parts_.noiseReduction, parts_.leveler, parts_.voiceEQ, parts_.normalize,
                                                      parts_.cleaning, parts_.cleanedNote, parts_.cleanupError})
        rows->addWidget(w);
    return block;
}

void ColorView::refresh()
{
    const Project& p = editor_.project();
    auto& x = parts_;
    {
        QSignalBlocker quiet(x.stabilize);
        x.stabilize->setChecked(p.stabilization && p.stabilization->enabled);
    }
    const auto progress = editor_.stabilizeProgress();
    x.stabilize->setEnabled(!progress);
    x.measuring->setVisible(progress.has_value());
    if (progress) x.measuring->setValue(*progress);
    const bool smooth = !progress && p.stabilization && p.stabilization->enabled;
    x.smoothness->setVisible(smooth);
    x.smoothnessNote->setVisible(smooth);
    x.smoothness->refresh();
    const auto& correction = editor_.stabCorrection();
    x.smoothnessNote->setText(smoothnessNote(correction ? std::optional(correction->zoom) : std::nullopt));
    const auto& stabError = jobs_.stabilize().error();
    x.stabilizeError->setVisible(stabError.has_value());
    if (stabError) x.stabilizeError->setText(warning(*stabError));

    const bool cleaning = p.audioCleanup.has_value();
    {
        QSignalBlocker quiet(x.cleanup);
        x.cleanup->setChecked(cleaning);
    }
    hearRow_->setVisible(cleaning);
    for (QWidget* w : std::initializer_list<QWidget*>{x.noiseReduction, x.leveler, x.voiceEQ, x.normalize}) w->setVisible(cleaning);
    x.noiseReduction->refresh();
    x.leveler->refresh();
    x.voiceEQ->refresh();
    x.normalize->refresh();
    const auto& audioProgress = editor_.audioProgress();
    x.cleaning->setVisible(cleaning && audioProgress.has_value());
    if (audioProgress) x.cleaning->setValue(*audioProgress);
    x.cleanedNote->setVisible(cleaning && !audioProgress && jobs_.cleanup().cleanAudioURL().has_value());
    const auto& cleanError = jobs_.cleanup().error();
    x.cleanupError->setVisible(cleaning && cleanError.has_value());
    if (cleanError) x.cleanupError->setText(warning(*cleanError));
}

}  // namespace vt::ui
