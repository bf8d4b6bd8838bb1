#include "ui/editor/TranscribeAgainSheet.h"

#include "app/AppModel.h"
#include "speech/LanguageGuard.h"
#include "speech/Locales.h"
#include "speech/WhisperLanguage.h"
#include "speech/WhisperTranscriber.h"
#include "ui/editor/BusySpinner.h"
#include "ui/editor/EditorIcons.h"
#include "ui/inspector/InspectorRow.h"
#include "ui/inspector/KitText.h"
#include "ui/inspector/PanelCard.h"
#include "ui/inspector/RowDivider.h"
#include "ui/inspector/RowNote.h"
#include "ui/theme/TextFitting.h"
#include "ui/theme/Theme.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QThreadPool>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace vt::ui {

namespace {

constexpr std::string_view whisperPrefix = "whisper:";

// "English (United States)" for "en_US"; the identifier itself when the
// locale data does not know it.
QString localeName(const std::string& id)
{
    const QLocale locale(QString::fromStdString(id));
    if (locale.language() == QLocale::C) return QString::fromStdString(id);
    QString name = QLocale::languageToString(locale.language());
    if (locales::regionCode(id)) name += " (" + QLocale::territoryToString(locale.territory()) + ")";
    return name;
}

}  // namespace

TranscribeAgainSheet::Machine TranscribeAgainSheet::machine(const AppModel* app)
{
    Machine m;
    m.detect = [](const std::string& path) -> std::optional<HeardLanguage> {
        try {
            return WhisperTranscriber::detectLanguage(path);
        } catch (const std::exception&) {
            return std::nullopt;  // a detection that fails says nothing
        }
    };
    if (app) {
        m.locales = app->locales();
        m.whisperLanguageID = app->whisperLanguageID();
        m.whisperInstalled = app->whisperInstalled();
    } else {
        m.locales = {"en_US"};
        m.whisperLanguageID = "hinglish";
        m.whisperInstalled = WhisperTranscriber::isModelInstalled();
    }
    return m;
}

QString TranscribeAgainSheet::heardLine(const HeardLanguage& heard, bool picked)
{
    QString line;
    auto share = [&](const char* code) {
        const auto it = heard.all.find(code);
        return it == heard.all.end() ? 0.0 : it->second;
    };
    if (heard.code == "en" && !heard.all.empty() && share("hi") + share("ur") >= 0.15) {
        line = QStringLiteral("Heard English mixed with Hindi");
    } else {
        // Urdu and Hindi sound alike to the detector; the name given is Hindi's.
        const std::string code = heard.code == "ur" ? "hi" : heard.code;
        const std::string name = locales::englishLanguageName(code).value_or(heard.code);
        line = QStringLiteral("Heard %1 (%2% sure)")
                   .arg(QString::fromStdString(name))
                   .arg(static_cast<int>(heard.probability * 100));
    }
    return line + (picked ? QStringLiteral(": picked for you.") : QStringLiteral("."));
}

TranscribeAgainSheet::TranscribeAgainSheet(EditorModel& editor, Machine machine, QWidget* parent)
    : QDialog(parent), editor_(editor), machine_(std::move(machine))
{
    setWindowTitle(tr("Transcribe Again"));
    setFixedWidth(460);
    setAutoFillBackground(true);
    Appearances::setColor(this, QPalette::Window, Theme::canvas);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(22, 22, 22, 22);
    column->setSpacing(16);

    auto* titles = new QVBoxLayout;
    titles->setSpacing(4);
    titles->addWidget(kit::label(tr("Transcribe Again"), 17, QFont::DemiBold, Theme::ink, this));
    auto* subtitle = kit::label(
        tr("Pick the language spoken in the video. Cuts and word edits start over; styles and B-roll stay."), 12,
        QFont::Normal, Theme::secondaryText, this);
    subtitle->setWordWrap(true);
    titles->addWidget(subtitle);
    column->addLayout(titles);

    auto* panel = new PanelCard(12, this);
    auto* rows = new QVBoxLayout(panel);
    rows->setContentsMargins(0, 3, 0, 3);
    rows->setSpacing(0);
    auto* segments = new QWidget(panel);
    auto* segmentRow = new QHBoxLayout(segments);
    segmentRow->setContentsMargins(0, 0, 0, 0);
    segmentRow->setSpacing(0);
    auto* group = new QButtonGroup(segments);
    for (TranscriptionEngine e : {TranscriptionEngine::apple, TranscriptionEngine::whisper}) {
        auto* button = new QToolButton(segments);
        button->setText(QString::fromUtf8(displayName(e).data(), static_cast<int>(displayName(e).size())));
        button->setCheckable(true);
        Appearances::setStyleSheet(button, [] {
            return QStringLiteral("QToolButton { padding: 2px 10px; border: 1px solid %1; } "
                                  "QToolButton:checked { background: %2; }")
                .arg(QColor(Theme::border).name(QColor::HexArgb), QColor(Theme::selected).name(QColor::HexArgb));
        });
        group->addButton(button);
        segmentRow->addWidget(button);
        engines_[static_cast<int>(e)] = button;
        connect(button, &QToolButton::clicked, this, [this, e] {
            engine_ = e;
            refresh();
        });
    }
    segments->setAccessibleName(tr("Engine"));
    rows->addWidget(new InspectorRow(tr("Engine"), {}, segments, panel));
    rows->addWidget(new RowDivider(panel));
    language_ = new QComboBox(panel);
    language_->setFixedWidth(200);
    language_->setAccessibleName(tr("Language"));
    connect(language_, &QComboBox::activated, this, [this](int index) {
        const std::string id = language_->itemData(index).toString().toStdString();
        (engine_ == TranscriptionEngine::apple ? appleLocaleID_ : whisperLanguageID_) = id;
    });
    rows->addWidget(new InspectorRow(tr("Language"), {}, language_, panel));

    heardRow_ = new QWidget(panel);
    auto* heardColumn = new QVBoxLayout(heardRow_);
    heardColumn->setContentsMargins(0, 0, 0, 0);
    heardColumn->setSpacing(0);
    heardColumn->addWidget(new RowDivider(heardRow_));
    auto* heardLine = new QHBoxLayout;
    heardLine->setContentsMargins(12, 8, 12, 8);
    heardLine->setSpacing(8);
    heardSpinner_ = new BusySpinner(14, Theme::secondaryText, heardRow_);
    heardIcon_ = new QLabel(heardRow_);
    EditorIcons::show(heardIcon_, "ear", Theme::secondaryText, 14);
    heardLabel_ = kit::label({}, 12, QFont::Normal, Theme::secondaryText, heardRow_);
    heardLine->addWidget(heardSpinner_);
    heardLine->addWidget(heardIcon_);
    heardLine->addWidget(heardLabel_, 1);
    heardColumn->addLayout(heardLine);
    rows->addWidget(heardRow_);
    noteDivider_ = new RowDivider(panel);
    note_ = new RowNote(tr("Whisper downloads its model first (one time, 574 MB)."), panel);
    note_->setContentsMargins(0, 6, 0, 0);
    rows->addWidget(noteDivider_);
    rows->addWidget(note_);
    column->addWidget(panel);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cancel_ = new QPushButton(tr("Cancel"), this);
    cancel_->setAutoDefault(false);
    transcribe_ = new QPushButton(tr("Transcribe"), this);
    transcribe_->setDefault(true);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);  // Escape does the same
    connect(transcribe_, &QPushButton::clicked, this, &TranscribeAgainSheet::startTranscription);
    buttons->addWidget(cancel_);
    buttons->addWidget(transcribe_);
    column->addLayout(buttons);

    start();
}

void TranscribeAgainSheet::start()
{
    const std::string& made = editor_.project().localeID;
    const bool madeWithWhisper = made.starts_with(whisperPrefix);
    if (madeWithWhisper) {
        engine_ = TranscriptionEngine::whisper;
        whisperLanguageID_ = made.substr(whisperPrefix.size());
    } else {
        engine_ = machine_.whisperInstalled ? TranscriptionEngine::whisper : TranscriptionEngine::apple;
        appleLocaleID_ = made;
        whisperLanguageID_ = machine_.whisperLanguageID;
    }
    if (machine_.whisperInstalled && machine_.detect) {
        listening_ = true;
        // The answer is dropped once the sheet has closed.
        QPointer<TranscribeAgainSheet> self(this);
        QThreadPool::globalInstance()->start([self, detect = machine_.detect, path = editor_.project().videoPath] {
            auto heard = detect(path);
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [self, heard = std::move(heard)] {
                    if (self) self->heardBack(heard);
                },
                Qt::QueuedConnection);
        });
    }
    refresh();
}

void TranscribeAgainSheet::heardBack(std::optional<HeardLanguage> heard)
{
    listening_ = false;
    if (heard) {
        const std::string& made = editor_.project().localeID;
        const TranscriptionEngine madeWith =
            made.starts_with(whisperPrefix) ? TranscriptionEngine::whisper : TranscriptionEngine::apple;
        const LanguageGuard::Choice choice =
            LanguageGuard::choose(madeWith, appleLocaleID_, whisperLanguageID_, heard, machine_.locales);
        heard_ = heardLine(*heard, choice.note.has_value());
        engine_ = choice.engine;
        appleLocaleID_ = choice.appleLocaleID;
        whisperLanguageID_ = choice.whisperLanguageID;
    }
    refresh();
}

void TranscribeAgainSheet::fillLanguages()
{
    language_->clear();
    if (engine_ == TranscriptionEngine::apple) {
        bool listed = false;
        for (const std::string& id : machine_.locales) {
            language_->addItem(localeName(id), QString::fromStdString(id));
            listed = listed || id == appleLocaleID_;
        }
        // A locale the machine lacks still shows, never a blank choice.
        if (!listed) language_->addItem(QString::fromStdString(appleLocaleID_), QString::fromStdString(appleLocaleID_));
        language_->setCurrentIndex(language_->findData(QString::fromStdString(appleLocaleID_)));
    } else {
        for (const WhisperLanguage& row : WhisperLanguage::all())
            language_->addItem(QString::fromStdString(row.name), QString::fromStdString(row.id));
        language_->setCurrentIndex(language_->findData(QString::fromStdString(whisperLanguageID_)));
    }
}

void TranscribeAgainSheet::refresh()
{
    engineButton(engine_)->setChecked(true);
    fillLanguages();
    heardRow_->setVisible(listening_ || heard_.has_value());
    heardSpinner_->setVisible(listening_);
    heardIcon_->setVisible(!listening_);
    heardLabel_->setText(listening_ ? tr("Listening to the video\u2026") : heard_.value_or(QString()));
    const bool noteShown = engine_ == TranscriptionEngine::whisper && !machine_.whisperInstalled;
    noteDivider_->setVisible(noteShown);
    note_->setVisible(noteShown);
    // As tall as its wrapped texts need at its fixed width, no taller.
    fitHeightToWidth(*this);
    adjustSize();
}

QToolButton* TranscribeAgainSheet::engineButton(TranscriptionEngine engine) const
{
    return engines_[static_cast<int>(engine)];
}

void TranscribeAgainSheet::startTranscription()
{
    const TranscriptionEngine engine = engine_;
    const std::string apple = appleLocaleID_, whisper = whisperLanguageID_;
    QPointer<EditorModel> editor(&editor_);
    accept();
    // Started once the sheet has gone; nothing keeps or cancels it.
    QTimer::singleShot(0, QCoreApplication::instance(), [editor, engine, apple, whisper] {
        if (editor) editor->transcribeAgain(engine, apple, whisper);
    });
}

}  // namespace vt::ui
