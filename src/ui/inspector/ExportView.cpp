#include "ui/inspector/ExportView.h"

#include "editor/EditorModel.h"
#include "export/ExportAction.h"
#include "ui/inspector/BitrateRow.h"
#include "ui/inspector/ExportSummary.h"
#include "ui/theme/FileRevealer.h"
#include "ui/theme/TextFitting.h"
#include "ui/inspector/FeatureColumn.h"
#include "ui/inspector/InlineButton.h"
#include "ui/inspector/InspectorGroup.h"
#include "ui/inspector/InspectorRow.h"
#include "ui/inspector/KitColors.h"
#include "ui/inspector/KitText.h"
#include "ui/inspector/PostPackage.h"
#include "ui/inspector/PressableButton.h"
#include "ui/inspector/RowDivider.h"
#include "ui/inspector/RowNote.h"
#include "ui/inspector/SavePanel.h"
#include "ui/inspector/StopSlider.h"
#include "ui/inspector/SwitchRow.h"
#include "platform/WholeFile.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace vt::ui {

namespace {

QToolButton* segment(const QString& title, QWidget* parent)
{
    auto* b = new QToolButton(parent);
    b->setText(title);
    b->setCheckable(true);
    b->setAutoExclusive(true);
    return b;
}

QWidget* hbox(QWidget* parent, QMargins margins, int spacing, QHBoxLayout** layout)
{
    auto* w = new QWidget(parent);
    *layout = new QHBoxLayout(w);
    (*layout)->setContentsMargins(margins);
    (*layout)->setSpacing(spacing);
    return w;
}

// A semibold title and a value text at its side, then a flexible space.
QWidget* titledValueRow(QWidget* parent, const QString& title, ElidedLabel** value, QHBoxLayout** layout)
{
    auto* row = hbox(parent, {12, 10, 12, 10}, 8, layout);
    (*layout)->addWidget(kit::label(title, 13, QFont::DemiBold, kit::ink(), row));
    // The value shortens at its end rather than widen the panel.
    *value = kit::elidedLabel(Qt::ElideRight, 13, kit::secondaryText(), row);
    (*layout)->addWidget(*value);
    (*layout)->addStretch(1);
    return row;
}

}  // namespace

ExportView::ExportView(EditorModel& editor, ExportAction& action, SaveAsker askWhere, QWidget* parent)
    : QWidget(parent), editor_(editor), action_(action), askWhere_(std::move(askWhere)), parts_(std::make_unique<Parts>())
{
    if (!askWhere_) askWhere_ = [](const QString& name, const QString& filter) { return savePanel(name, filter); };

    auto* column = featureColumn(this);
    QWidget* content = column->parentWidget();
    column->addWidget(buildSettingsGroup());
    column->addWidget(buildActionBlock());
    column->addWidget(buildIncludedGroup());
    column->addWidget(buildOtherFormatsGroup());
    column->addWidget(new PostPackage(editor_, action_, content));
    column->addStretch(1);

    connect(&action_, &ExportAction::settingsChanged, this, [this] { refreshSettings(); refreshAction(); refreshIncluded(); });
    connect(&action_, &ExportAction::stateChanged, this, &ExportView::refreshAction);
    connect(&action_, &ExportAction::sideFilesChanged, this, &ExportView::refreshIncluded);
    connect(&editor_, &EditorModel::projectChanged, this, [this] { refreshSettings(); refreshIncluded(); });
    connect(&editor_, &EditorModel::planChanged, this, [this] { refreshSettings(); refreshIncluded(); });
    connect(&editor_, &EditorModel::sourceChanged, this, &ExportView::refreshSettings);
    connect(&editor_, &EditorModel::exportErrorChanged, this, &ExportView::refreshAction);
    // The thumbnail side file can be chosen once the search has found frames.
    auto candidates = [this] { setThumbnailCandidatesAvailable(!editor_.thumbCandidates().empty()); };
    connect(&editor_, &EditorModel::thumbCandidatesChanged, this, candidates);
    thumbnailsAvailable_ = !editor_.thumbCandidates().empty();
    refreshSettings();
    refreshAction();
    refreshIncluded();
}

ExportView::~ExportView() = default;

QWidget* ExportView::buildSettingsGroup()
{
    auto& p = *parts_;
    auto* group = new InspectorGroup(QStringLiteral("EXPORT"));
    QHBoxLayout* header = nullptr;
    auto* headerRow = titledValueRow(group, QStringLiteral("Export Settings"), &p.summary, &header);
    p.autoMode = segment(QStringLiteral("Auto"), headerRow);
    p.manualMode = segment(QStringLiteral("Manual"), headerRow);
    header->addWidget(p.autoMode);
    header->addWidget(p.manualMode);
    connect(p.autoMode, &QToolButton::clicked, this, [this] { action_.setExportMode(ExportSettings::Mode::automatic); });
    connect(p.manualMode, &QToolButton::clicked, this, [this] { action_.setExportMode(ExportSettings::Mode::manual); });
    group->addRow(headerRow);
    group->addRow(new RowDivider);

    auto writeSettings = [this](auto change) {
        ExportSettings s = action_.exportSettings();
        change(s);
        action_.setExportSettings(s);
    };
    p.audioOnly = new SwitchRow(QStringLiteral("Export Audio Only"),
                                {[this] { return action_.exportSettings().audioOnly; },
                                 [writeSettings](const bool& on) { writeSettings([on](ExportSettings& s) { s.audioOnly = on; }); }},
                                QStringLiteral("The edited sound (cuts, cleanup, music, voiceover) as an .m4a file"));
    group->addRow(p.audioOnly);
    p.hdr = new SwitchRow(QStringLiteral("HDR"),
                          {[this] { return action_.exportSettings().hdr && editor_.source() && editor_.source()->isHDR; },
                           [writeSettings](const bool& on) { writeSettings([on](ExportSettings& s) { s.hdr = on; }); }},
                          QStringLiteral("10-bit HEVC with HLG, for HDR videos"));
    group->addRow(p.hdr);
    p.standardRangeNote = new RowNote(QStringLiteral("Your video isn't HDR, so it exports in standard range."));
    group->addRow(p.standardRangeNote);
    p.automaticNote = new RowNote({});
    group->addRow(p.automaticNote);

    p.manualBlock = new QWidget(group);
    auto* manual = new QVBoxLayout(p.manualBlock);
    manual->setContentsMargins(0, 0, 0, 0);
    manual->setSpacing(0);
    manual->addWidget(new RowDivider);
    QStringList resolutionLabels, rateLabels;
    for (const auto& row : ExportSettings::resolutions) resolutionLabels << QString::fromUtf8(row.label.data(), static_cast<qsizetype>(row.label.size()));
    for (double fps : ExportSettings::frameRates) rateLabels << QString::number(static_cast<int>(fps));
    p.resolution = new StopSlider(QStringLiteral("Resolution"), resolutionLabels,
                                  {[this] { return action_.exportSettings().resolution; },
                                   [this](const int& i) { action_.setManualExport(i, std::nullopt, std::nullopt); }});
    p.frameRate = new StopSlider(QStringLiteral("FPS"), rateLabels,
                                 {[this] { return action_.exportSettings().frameRate; },
                                  [this](const int& i) { action_.setManualExport(std::nullopt, i, std::nullopt); }});
    p.bitrate = new BitrateRow({[this] { return action_.exportSettings().bitrate; },
                                [writeSettings](const double& v) { writeSettings([v](ExportSettings& s) { s.bitrate = v; }); }},
                               1, 300);
    auto* codecs = new QWidget;
    auto* codecRow = new QHBoxLayout(codecs);
    codecRow->setContentsMargins(0, 0, 0, 0);
    p.h264 = segment(QStringLiteral("H.264"), codecs);
    p.hevc = segment(QStringLiteral("HEVC"), codecs);
    codecRow->addWidget(p.h264);
    codecRow->addWidget(p.hevc);
    connect(p.h264, &QToolButton::clicked, this, [this] { action_.setManualExport(std::nullopt, std::nullopt, VideoCodec::h264); });
    connect(p.hevc, &QToolButton::clicked, this, [this] { action_.setManualExport(std::nullopt, std::nullopt, VideoCodec::hevc); });
    p.upscaleNote = new RowNote(QStringLiteral("Higher than your video's own resolution: the file gets bigger, not sharper."));
    for (QWidget* w : {static_cast<QWidget*>(p.resolution), static_cast<QWidget*>(p.frameRate),
                       static_cast<QWidget*>(p.bitrate), static_cast<QWidget*>(new InspectorRow(QStringLiteral("Codec"), {}, codecs)),
                       static_cast<QWidget*>(p.upscaleNote)})
        manual->addWidget(w);
    group->addRow(p.manualBlock);
    group->addRow(new RowDivider);

    QHBoxLayout* sizeLine = nullptr;
    group->addRow(titledValueRow(group, QStringLiteral("Estimated File Size"), &p.estimatedSize, &sizeLine));
    return group;
}

QWidget* ExportView::buildActionBlock()
{
    auto& p = *parts_;
    auto* block = new QWidget;
    auto* column = new QVBoxLayout(block);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);

    p.exportButton = new PressableButton(QStringLiteral("Export"), block);
    p.exportButton->setFill(kit::accent(), 11);
    p.exportButton->setTextColour(DynamicColor{kit::onAccent(), kit::onAccent()});
    QFont f = p.exportButton->font();
    f.setPointSizeF(15);
    f.setWeight(QFont::DemiBold);
    p.exportButton->setFont(f);
    p.exportButton->setMinimumHeight(44);
    p.exportButton->setToolTip(QStringLiteral("Export (Ctrl+Return)"));
    connect(p.exportButton, &QPushButton::clicked, this, &ExportView::startExport);
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return), this);
    connect(shortcut, &QShortcut::activated, this, [this] {
        if (parts_->exportButton->isVisible()) startExport();
    });
    column->addWidget(p.exportButton);

    p.progressBlock = new QWidget(block);
    auto* progressColumn = new QVBoxLayout(p.progressBlock);
    progressColumn->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QHBoxLayout;
    bar->setSpacing(10);
    p.progress = new QProgressBar(p.progressBlock);
    p.progress->setRange(0, 1000);
    p.progress->setTextVisible(false);
    bar->addWidget(p.progress, 1);
    bar->addWidget(new InlineButton(QStringLiteral("Cancel"), {}, false, [this] { action_.cancelExport(); }, p.progressBlock));
    progressColumn->addLayout(bar);
    p.progressText = kit::label({}, 12, QFont::Normal, kit::secondaryText(), p.progressBlock);
    progressColumn->addWidget(p.progressText);
    column->addWidget(p.progressBlock);

    QHBoxLayout* fileLine = nullptr;
    p.fileRow = hbox(block, {0, 0, 0, 0}, 6, &fileLine);
    fileLine->addWidget(kit::label(QStringLiteral("✔"), 12.5, QFont::Normal, QColor(52, 199, 89), p.fileRow));
    // A long file name is shortened in its middle, so the panel keeps the
    // inspector's width and the button beside it stays whole.
    p.fileName = kit::elidedLabel(Qt::ElideMiddle, 12.5, kit::ink(), p.fileRow);
    fileLine->addWidget(p.fileName);
    fileLine->addStretch(1);
    fileLine->addWidget(new InlineButton(QStringLiteral("Show in the file manager"), {}, false, [this] {
        if (!revealer_) revealer_ = std::make_shared<SystemFileRevealer>();
        if (auto url = action_.lastExportURL()) showInFileManager(*revealer_, {*url}, this, QStringLiteral("file"));
    }, p.fileRow));
    column->addWidget(p.fileRow);

    p.error = kit::label({}, 12, QFont::Normal, Qt::red, block);
    p.error->setWordWrap(true);
    column->addWidget(p.error);
    return block;
}

QWidget* ExportView::buildIncludedGroup()
{
    auto& p = *parts_;
    auto* group = new InspectorGroup(QStringLiteral("INCLUDED"));
    for (const auto& [title, value] : ExportSummary::included(editor_.project(), 0, 0)) {
        // A long value (a hook, a look's name) is shortened in its middle.
        auto* valueLabel = kit::elidedLabel(Qt::ElideMiddle, 12.5, kit::secondaryText());
        valueLabel->setFullText(value);
        p.includedValues.push_back(valueLabel);
        group->addRow(new InspectorRow(title, {}, valueLabel));
    }
    group->addRow(new RowDivider);
    p.alsoSRT = new SwitchRow(QStringLiteral("Also save .srt subtitles"),
                              {[this] { return action_.alsoSRT(); }, [this](const bool& on) { action_.setAlsoSRT(on); }});
    // An audio file gets no thumbnail beside it: the switch shows off while
    // audio only is chosen, and the choice comes back with the video.
    p.alsoThumbnail = new SwitchRow(QStringLiteral("Also save thumbnail .png"),
                                    {[this] { return action_.alsoThumbnail() && !action_.exportSettings().audioOnly; },
                                     [this](const bool& on) { action_.setAlsoThumbnail(on); }},
                                    QStringLiteral("Find frames in the Thumbnail tab first"));
    p.thumbnailNote = new RowNote(QStringLiteral("Find frames in the Thumbnail tab first"));
    group->addRow(p.alsoSRT);
    group->addRow(p.alsoThumbnail);
    group->addRow(p.thumbnailNote);
    return group;
}

QWidget* ExportView::buildOtherFormatsGroup()
{
    auto* group = new InspectorGroup(QStringLiteral("OTHER FORMATS"));
    QHBoxLayout* line = nullptr;
    auto* row = hbox(group, {12, 8, 12, 8}, 8, &line);
    const std::pair<const char*, const char*> formats[] = {{"SRT", "srt"}, {"VTT", "vtt"}, {"Transcript", "txt"}};
    for (const auto& [title, ext] : formats) {
        QString extension = QString::fromLatin1(ext);
        line->addWidget(new InlineButton(QString::fromLatin1(title), QStringLiteral("⭳"), false,
                                         [this, extension] { saveText(extension); }, row));
    }
    line->addStretch(1);
    group->addRow(row);
    return group;
}

void ExportView::setThumbnailCandidatesAvailable(bool available)
{
    thumbnailsAvailable_ = available;
    refreshIncluded();
}

void ExportView::startExport()
{
    const bool audioOnly = action_.exportSettings().audioOnly;
    const QString name = ExportSummary::suggestedName(QString::fromStdString(editor_.project().name), audioOnly);
    auto destination = askWhere_(name, typeFilterFor(audioOnly ? QStringLiteral("m4a") : QStringLiteral("mp4")));
    if (!destination || action_.isExporting()) return;
    action_.startExport(*destination);
}

void ExportView::saveText(const QString& extension)
{
    auto destination = askWhere_(QString::fromStdString(editor_.project().name) + "." + extension, typeFilterFor(extension));
    if (!destination) return;
    // A failed write is not reported: nothing changes.
    wholeFile::writeAtomically(*destination, action_.subtitleText(extension.toStdString()));
}

void ExportView::refreshSettings()
{
    auto& p = *parts_;
    const ExportSettings settings = action_.exportSettings();
    const ExportSettings::Resolved resolved = action_.resolvedExport();
    const bool sourceIsHDR = editor_.source() && editor_.source()->isHDR;
    const bool manual = settings.mode == ExportSettings::Mode::manual;

    p.summary->setFullText(ExportSummary::settingsSummary(settings, resolved));
    p.autoMode->setChecked(!manual);
    p.manualMode->setChecked(manual);
    p.autoMode->setEnabled(!settings.audioOnly);
    p.manualMode->setEnabled(!settings.audioOnly);
    p.audioOnly->refresh();
    p.hdr->refresh();
    p.hdr->setEnabled(sourceIsHDR && !settings.audioOnly);
    p.standardRangeNote->setVisible(!settings.audioOnly && !sourceIsHDR);
    p.automaticNote->setVisible(!settings.audioOnly && !manual);
    p.automaticNote->setText(ExportSummary::automaticNote(resolved));
    p.manualBlock->setVisible(!settings.audioOnly && manual);
    p.resolution->refresh();
    p.frameRate->refresh();
    p.bitrate->refresh();
    p.h264->setChecked(resolved.codec == VideoCodec::h264);
    p.hevc->setChecked(resolved.codec == VideoCodec::hevc);
    p.h264->setEnabled(!resolved.hdr);
    p.hevc->setEnabled(!resolved.hdr);
    p.upscaleNote->setVisible(ExportSummary::upscales(resolved, editor_.source()));
    p.estimatedSize->setFullText(QString::fromStdString(ExportSettings::formatBytes(action_.estimatedExportBytes())));
}

void ExportView::refreshAction()
{
    auto& p = *parts_;
    const auto progress = action_.exportProgress();
    p.exportButton->setVisible(!progress);
    p.exportButton->setText(action_.exportSettings().audioOnly ? QStringLiteral("Export Audio") : QStringLiteral("Export"));
    p.progressBlock->setVisible(progress.has_value());
    // An export waiting for the audio cleanup shows the cleanup's progress.
    if (const auto cleanup = action_.cleanupProgress()) {
        p.progress->setValue(static_cast<int>(std::clamp(*cleanup, 0.0, 1.0) * 1000));
        p.progressText->setText(QStringLiteral("Cleaning up audio… %1%").arg(static_cast<long long>(std::trunc(*cleanup * 100))));
    } else if (progress) {
        p.progress->setValue(static_cast<int>(std::clamp(*progress, 0.0, 1.0) * 1000));
        p.progressText->setText(QStringLiteral("Rendering on-device… %1%").arg(static_cast<long long>(std::trunc(*progress * 100))));
    }
    const auto url = action_.lastExportURL();
    p.fileRow->setVisible(url.has_value());
    if (url) p.fileName->setFullText(QString::fromStdString(url->filename().string()));
    // The export's own failure, else what another editor action reported here.
    std::optional<QString> error = action_.exportError();
    if (!error && editor_.exportError()) error = QString::fromStdString(*editor_.exportError());
    p.error->setVisible(error.has_value());
    p.error->setText(error.value_or(QString()));
}

void ExportView::refreshIncluded()
{
    auto& p = *parts_;
    const auto rows = ExportSummary::included(editor_.project(), editor_.plan().outputLength(), editor_.savedSeconds());
    for (std::size_t i = 0; i < rows.size() && i < p.includedValues.size(); ++i) p.includedValues[i]->setFullText(rows[i].second);
    p.alsoSRT->refresh();
    p.alsoThumbnail->refresh();
    p.alsoThumbnail->setEnabled(thumbnailsAvailable_ && !action_.exportSettings().audioOnly);
    // Finding frames would not help an audio file, which gets no thumbnail.
    p.thumbnailNote->setVisible(!thumbnailsAvailable_ && !action_.exportSettings().audioOnly);
}

}  // namespace vt::ui
