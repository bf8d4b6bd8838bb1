#include "ui/editor/TranscriptDockHeader.h"

#include "app/AppModel.h"
#include "editor/EditorModel.h"
#include "model/Word.h"
#include "ui/editor/WordChip.h"
#include "ui/editor/EditorIcons.h"
#include "ui/editor/SymbolButton.h"
#include "ui/editor/SymbolTextButton.h"
#include "ui/editor/TranscriptLegend.h"
#include "ui/inspector/CompactButton.h"
#include "ui/inspector/KitText.h"
#include "ui/inspector/TimeFormat.h"
#include "ui/theme/NumberText.h"
#include "ui/theme/Theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include <cmath>

namespace vt::ui {
namespace {

constexpr double pauseMin = 0.15, pauseMax = 1.5;
constexpr int pauseSteps = 1350;  // one step per millisecond

// The uncut filler words, as the model counts them, without judging each
// word's text again on every edit.
int countFillers(const std::vector<Word>& words)
{
    int count = 0;
    for (const Word& w : words) count += !w.deleted && WordChip::isFiller(w.text) ? 1 : 0;
    return count;
}

}  // namespace

TranscriptDockHeader::TranscriptDockHeader(EditorModel& editor, AppModel* app, Actions actions, QWidget* parent)
    : QWidget(parent), editor_(editor), app_(app), actions_(std::move(actions))
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(14, 10, 14, 6);
    row->setSpacing(8);
    auto* titleBlock = new QVBoxLayout;
    titleBlock->setSpacing(0);
    auto* titleRow = new QHBoxLayout;
    titleRow->setSpacing(5);
    micIcon_ = new QLabel(this);
    micIcon_->setPixmap(EditorIcons::icon("mic.fill", QColor::fromRgbF(1.0f, 0.35f, 0.4f), 14).pixmap(14, 14));
    title_ = kit::label({}, 13, QFont::DemiBold, Theme::ink, this);
    titleRow->addWidget(micIcon_);
    titleRow->addWidget(title_);
    titleRow->addStretch(1);
    counts_ = kit::label({}, 11, QFont::Normal, Theme::secondaryText, this);
    titleBlock->addLayout(titleRow);
    titleBlock->addWidget(counts_);
    row->addLayout(titleBlock);
    row->addStretch(1);
    row->addSpacing(8);

    legend_ = new TranscriptLegend(this);
    fillers_ = new SymbolTextButton("scissors", {}, CompactButton::Kind::secondary, this);
    fillers_->setToolTip(QStringLiteral("Cut um, uh and other fillers from the video"));
    connect(fillers_, &QPushButton::clicked, this, [this] { editor_.removeFillers(); });
    trim_ = new SymbolTextButton("waveform.path", tr("Trim pauses"), CompactButton::Kind::secondary, this);
    trim_->setToolTip(QStringLiteral("Shorten silences longer than the threshold"));
    connect(trim_, &QPushButton::clicked, this, [this] {
        editor_.updateProject([](Project& p) { p.trimPauses = !p.trimPauses; });
        editor_.timelineChanged();
    });
    slider_ = new QSlider(Qt::Horizontal, this);
    slider_->setRange(0, pauseSteps);
    slider_->setFixedWidth(70);
    slider_->setFocusPolicy(Qt::NoFocus);
    connect(slider_, &QSlider::valueChanged, this, [this](int value) {
        const double seconds = pauseMin + (pauseMax - pauseMin) * value / pauseSteps;
        editor_.updateProject([seconds](Project& p) { p.maxPause = seconds; });
        editor_.timelineChanged();
    });
    more_ = new SymbolButton("ellipsis.circle", {26, 22}, 16, this);
    more_->setAccessibleName(tr("More transcript actions"));
    more_->setToolTip(QStringLiteral("More: edit the whole transcript, transcribe again, find Shorts"));
    menu_ = new QMenu(this);
    more_->setMenu(menu_);
    more_->setPopupMode(QToolButton::InstantPopup);
    connect(menu_, &QMenu::aboutToShow, this, &TranscriptDockHeader::refreshMenu);
    cancel_ = new CompactButton(tr("Cancel"), CompactButton::Kind::secondary, this);
    done_ = new CompactButton(tr("Done"), CompactButton::Kind::primary, this);
    connect(cancel_, &QPushButton::clicked, this, [this] { actions_.cancelText(); });
    connect(done_, &QPushButton::clicked, this, [this] { actions_.applyText(); });
    for (QWidget* w : std::initializer_list<QWidget*>{legend_, fillers_, trim_, slider_, more_, cancel_, done_})
        row->addWidget(w);

    for (auto signal : {&EditorModel::projectChanged, &EditorModel::paragraphsChanged, &EditorModel::planChanged})
        connect(&editor, signal, this, &TranscriptDockHeader::refresh);
    refreshMenu();
    refresh();
}

QString TranscriptDockHeader::countsLine(int keptWords, double outputLength, double savedSeconds)
{
    QString text = QString::number(keptWords) + " words · " + formatTime(outputLength);
    if (savedSeconds >= 0.5) {
        // An exact half second rounds to 0, which takes no minus sign.
        const QString whole = fixedText(savedSeconds, 0);
        text += (whole == QLatin1String("0") ? QStringLiteral(" (") : QStringLiteral(" (\u2212")) + whole + QStringLiteral("s)");
    }
    return text;
}

bool TranscriptDockHeader::findShortsAllowed(const EditorModel& editor)
{
    const Project& p = editor.project();
    return !p.sourceRange && !p.clips && p.sourceDuration >= 60;
}

void TranscriptDockHeader::setTextMode(bool on)
{
    textMode_ = on;
    refresh();
}

void TranscriptDockHeader::refresh()
{
    const Project& p = editor_.project();
    const bool voice = editor_.voiceDrivesCaptions();
    title_->setText(voice ? tr("Voiceover") : editor_.usesTranslation() ? tr("English translation") : tr("Transcript"));
    micIcon_->setVisible(voice);
    const int kept = static_cast<int>(editor_.transcript().size()) - editor_.cutCount();
    counts_->setText(countsLine(kept, editor_.plan().outputLength(), editor_.savedSeconds()));
    const int fillers = countFillers(editor_.transcript());
    fillers_->setText(fillers == 0 ? tr("No fillers") : QString::number(fillers) + tr(" fillers"));
    fillers_->setEnabled(fillers > 0);
    trim_->setSymbol(p.trimPauses ? "checkmark" : "waveform.path");
    trim_->setKind(p.trimPauses ? CompactButton::Kind::primary : CompactButton::Kind::secondary);
    slider_->setToolTip(QStringLiteral("Keep pauses up to ") + fixedText(p.maxPause, 2) + QStringLiteral("s"));
    {
        const QSignalBlocker block(slider_);
        slider_->setValue(static_cast<int>(std::lround((p.maxPause - pauseMin) / (pauseMax - pauseMin) * pauseSteps)));
    }
    for (QWidget* w : std::initializer_list<QWidget*>{legend_, fillers_, trim_, more_}) w->setVisible(!textMode_);
    slider_->setVisible(!textMode_ && p.trimPauses);
    cancel_->setVisible(textMode_);
    done_->setVisible(textMode_);
}

void TranscriptDockHeader::refreshMenu()
{
    menu_->clear();
    auto* edit = menu_->addAction(tr("Edit Selected Word"), this, [this] {
        if (const auto id = editor_.primarySelection()) editor_.beginEdit(*id);
    });
    edit->setEnabled(editor_.primarySelection().has_value());
    menu_->addAction(tr("Emphasize Selection"), this, [this] { editor_.toggleEmphasis(editor_.selection()); });
    menu_->addAction(tr("Cut Selection"), this, [this] { editor_.toggleDelete(editor_.selection()); });
    menu_->addSeparator();
    menu_->addAction(tr("Restore All Cuts"), this, [this] { editor_.restoreAll(); })->setEnabled(editor_.cutCount() > 0);
    menu_->addSeparator();
    menu_->addAction(tr("Edit Whole Transcript\u2026"), this, [this] { actions_.editWholeTranscript(); });
    menu_->addAction(tr("Transcribe Again\u2026"), this, [this] { actions_.transcribeAgain(); })
        ->setEnabled(!editor_.retranscribing());
    auto* shorts = menu_->addAction(tr("Find Shorts in This Video\u2026"), this, [this] {
        if (app_) app_->findShorts(editor_.project());
    });
    shorts->setEnabled(app_ && findShortsAllowed(editor_));
}

}  // namespace vt::ui
