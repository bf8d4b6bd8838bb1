#include "ui/home/NewProjectCard.h"

#include "app/AppModel.h"
#include "captions/StyleLibrary.h"
#include "captions/presets/StylePresets.h"
#include "speech/CaptionLanguage.h"
#include "speech/WhisperLanguage.h"
#include "ui/home/FormChooser.h"
#include "ui/home/ScriptSheet.h"
#include "ui/inspector/KitText.h"
#include "ui/theme/Theme.h"
#include "ui/theme/VideoDropZone.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

namespace vt {

namespace {

QString localeName(const std::string& id)
{
    const QLocale locale(QString::fromStdString(id));
    if (locale.language() == QLocale::C) return QString::fromStdString(id);
    QString name = QLocale::languageToString(locale.language());
    if (locale.territory() != QLocale::AnyTerritory) name += QStringLiteral(" (%1)").arg(QLocale::territoryToString(locale.territory()));
    return name;
}

QLabel* rowLabel(const QString& text, QWidget* parent)
{
    QLabel* label = ui::kit::label(text, 12.5, QFont::Normal, Theme::secondaryText, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

}  // namespace

std::vector<ChooserOption> NewProjectCard::languageOptions(const AppModel& app)
{
    std::vector<ChooserOption> options;
    if (app.engine() == TranscriptionEngine::apple) {
        bool listed = false;
        for (const auto& id : app.locales()) {
            options.push_back({id, localeName(id).toStdString()});
            listed = listed || id == app.localeID();
        }
        if (!listed) options.push_back({app.localeID(), app.localeID()});
        return options;
    }
    for (const auto& row : WhisperLanguage::all()) options.push_back({row.id, row.name});
    return options;
}

bool NewProjectCard::nativeScriptsAvailable(const AppModel& app)
{
    if (app.engine() != TranscriptionEngine::whisper) return false;
    static const std::array<std::string_view, 9> indic{"hi", "mr", "bn", "gu", "pa", "ta", "te", "kn", "ml"};
    const std::string& code = WhisperLanguage::find(app.whisperLanguageID()).code;
    return std::find(indic.begin(), indic.end(), code) != indic.end();
}

NewProjectCard::NewProjectCard(AppModel& app, QWidget* parent) : ui::PanelCard(14, parent), app_(app)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(20, 20, 20, 20);
    column->setSpacing(16);

    auto* header = new QHBoxLayout;
    header->addWidget(ui::kit::label(tr("New project"), 15, QFont::DemiBold, Theme::ink, this));
    header->addStretch(1);
    header->addWidget(ui::kit::label(tr("MP4 · MOV · M4V"), 11.5, QFont::Normal, Theme::secondaryText, this));
    column->addLayout(header);

    zone_ = new VideoDropZone(tr("Drop a video here"), 22, [&app] { app.openPanel(); }, this);
    column->addWidget(zone_);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(10);
    grid->setColumnStretch(1, 1);
    auto* engineRow = new QHBoxLayout;
    engineRow->setSpacing(0);
    auto* group = new QButtonGroup(this);
    const std::array<TranscriptionEngine, 2> engines{TranscriptionEngine::apple, TranscriptionEngine::whisper};
    for (int i = 0; i < 2; ++i) {
        engines_[i] = new QPushButton(QString::fromUtf8(displayName(engines[i]).data(), displayName(engines[i]).size()), this);
        engines_[i]->setCheckable(true);
        group->addButton(engines_[i], i);
        engineRow->addWidget(engines_[i]);
        connect(engines_[i], &QPushButton::clicked, this, [&app, engine = engines[i]] { app.setEngine(engine); });
    }
    engineRow->addStretch(1);
    grid->addWidget(rowLabel(QStringLiteral("Transcribe with"), this), 0, 0);
    grid->addLayout(engineRow, 0, 1);

    language_ = new FormChooser(tr("Spoken language"), this);
    connect(language_, &FormChooser::picked, this, [&app](const std::string& id) {
        if (app.engine() == TranscriptionEngine::apple) app.setLocaleID(id);
        else app.setWhisperLanguageID(id);
    });
    grid->addWidget(rowLabel(QStringLiteral("Spoken language"), this), 1, 0);
    grid->addWidget(language_, 1, 1, Qt::AlignLeft);

    style_ = new FormChooser(tr("Caption style"), this);
    style_->setToolTip(tr("Every new video starts in this style; change it anytime in the editor"));
    std::vector<ChooserOption> looks;
    for (const auto& look : StylePresets::all()) looks.push_back({look.id, look.name});
    for (const auto& look : StyleLibrary::shared().custom()) looks.push_back({look.id, look.name});
    style_->setOptions(std::move(looks));
    connect(style_, &FormChooser::picked, this, [&app](const std::string& id) { app.setStartStyleID(id); });
    grid->addWidget(rowLabel(QStringLiteral("Caption style"), this), 2, 0);
    grid->addWidget(style_, 2, 1, Qt::AlignLeft);

    script_ = new QPushButton(this);
    script_->setFixedWidth(220);
    script_->setToolTip(tr("Which letters captions use (English letters, Devanagari…)"));
    connect(script_, &QPushButton::clicked, this, &NewProjectCard::showScripts);
    grid->addWidget(rowLabel(QStringLiteral("Captions written in"), this), 3, 0);
    grid->addWidget(script_, 3, 1, Qt::AlignLeft);
    column->addLayout(grid);

    auto* footer = new QVBoxLayout;
    footer->setSpacing(8);
    note_ = ui::kit::label(QString(), 12, QFont::Normal, Theme::secondaryText, this);
    note_->setWordWrap(true);
    footer->addWidget(note_);
    download_ = new QPushButton(tr("Download Whisper model · %1").arg(QStringLiteral("574 MB")), this);
    connect(download_, &QPushButton::clicked, this, [&app] { app.downloadWhisperModel(); });
    footer->addWidget(download_, 0, Qt::AlignLeft);
    bar_ = new QProgressBar(this);
    bar_->setRange(0, 1000);
    bar_->setTextVisible(false);
    bar_->setMaximumWidth(260);
    footer->addWidget(bar_, 0, Qt::AlignHCenter);
    footer->addWidget(ui::kit::label(QStringLiteral("\U0001F512 ") + tr("Runs on this computer · works offline · no account"), 11.5,
                                     QFont::Normal, Theme::secondaryText, this));
    column->addLayout(footer);

    for (auto signal : {&AppModel::engineChanged, &AppModel::localesChanged, &AppModel::localeIDChanged, &AppModel::whisperLanguageIDChanged,
                        &AppModel::startStyleIDChanged, &AppModel::captionLanguageIDChanged, &AppModel::whisperInstalledChanged,
                        &AppModel::modelDownloadProgressChanged})
        connect(&app, signal, this, &NewProjectCard::refresh);
    refresh();
}

ScriptSheet* NewProjectCard::scriptSheet() const { return sheet_.data(); }

void NewProjectCard::setDropTargeted(bool targeted) { zone_->setTargeted(targeted); }

void NewProjectCard::showScripts()
{
    if (sheet_) return;
    sheet_ = new ScriptSheet(app_.captionLanguageID(), nativeScriptsAvailable(app_), this);
    sheet_->setAttribute(Qt::WA_DeleteOnClose);
    connect(sheet_, &ScriptSheet::picked, this, [this](const std::string& id) { app_.setCaptionLanguageID(id); });
    sheet_->open();
}

void NewProjectCard::refresh()
{
    const bool whisper = app_.engine() == TranscriptionEngine::whisper;
    engines_[whisper ? 1 : 0]->setChecked(true);
    const bool switched = language_->property("whisper").isValid() && language_->property("whisper").toBool() != whisper;
    language_->setProperty("whisper", whisper);
    if (switched) {  // the other engine's list starts closed and unfiltered
        language_->popup()->hide();
        language_->setQuery(QString());
    }
    language_->setOptions(languageOptions(app_));
    language_->setSelection(whisper ? app_.whisperLanguageID() : app_.localeID());
    style_->setSelection(app_.startStyleID());
    script_->setText(QString::fromStdString(CaptionLanguage::find(app_.captionLanguageID()).name) + QStringLiteral("  \u21F5"));
    note_->setText(whisper ? QStringLiteral("Whisper runs on this computer: best for Hindi, Hinglish and 20+ languages.")
                           : QStringLiteral("Built-in: fast and built into this computer. Speaking Hinglish or Hindi? Use Whisper."));
    const bool offer = whisper && !app_.whisperInstalled();
    const auto progress = app_.modelDownloadProgress();
    download_->setVisible(offer && !progress);
    bar_->setVisible(offer && progress.has_value());
    if (progress) bar_->setValue(int(std::clamp(*progress, 0.0, 1.0) * 1000));
}

}  // namespace vt
