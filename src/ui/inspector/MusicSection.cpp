#include "ui/inspector/MusicSection.h"
#include "ui/theme/MenuText.h"

#include "audio/MusicDucker.h"
#include "editor/MusicCommands.h"
#include "ui/inspector/FeatureColumn.h"
#include "ui/inspector/FeatureRow.h"
#include "ui/inspector/InlineButton.h"
#include "ui/inspector/InspectorRow.h"
#include "ui/inspector/KitColors.h"
#include "ui/inspector/KitText.h"
#include "ui/inspector/ProgressRow.h"
#include "ui/inspector/RowNote.h"
#include "ui/inspector/SwitchRow.h"
#include "ui/inspector/ValueRow.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>

namespace vt::ui {

namespace {

QString text(const std::string& s) { return QString::fromStdString(s); }

std::optional<std::string> askForMusic()
{
    const QString file = QFileDialog::getOpenFileName(nullptr, QStringLiteral("Choose background music"), {},
                                                      QStringLiteral("Audio (*.mp3 *.m4a *.aac *.wav *.aif *.aiff *.flac *.ogg)"));
    if (file.isEmpty()) return std::nullopt;
    return file.toStdString();
}

QToolButton* menuButton(const QString& title, QMenu* menu, QWidget* parent)
{
    auto* b = new QToolButton(parent);
    b->setText(title);
    b->setMenu(menu);
    b->setPopupMode(QToolButton::InstantPopup);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return b;
}

}  // namespace

// ---- the ducking strip ----------------------------------------------------------------

DuckingStrip::DuckingStrip(EditorModel& editor, MusicCommands& music, QWidget* parent)
    : QWidget(parent), editor_(editor), music_(music)
{
    setFixedHeight(44);
    for (auto signal : {&EditorModel::currentTimeChanged, &EditorModel::planChanged, &EditorModel::projectChanged})
        connect(&editor_, signal, this, qOverload<>(&QWidget::update));
}

double DuckingStrip::span(double outputLength) { return std::max(outputLength, 0.1); }

void DuckingStrip::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double W = width(), H = height();
    p.setPen(Qt::NoPen);
    p.setBrush(kit::faded(kit::ink(), 0.05));
    p.drawRoundedRect(rect(), 7, 7);

    const double D = span(editor_.plan().outputLength());
    p.setBrush(kit::faded(kit::ink(), 0.12));
    for (const auto& phrase : MusicDucker::phrases(editor_.speechRanges()))
        p.drawRect(QRectF(phrase.lower / D * W, 0.55 * H, std::max((phrase.upper - phrase.lower) / D * W, 1.0), 0.45 * H));

    const auto curve = music_.musicCurve();
    double G = 1;
    if (!curve.empty()) G = std::max_element(curve.begin(), curve.end(), [](auto& a, auto& b) { return a.gain < b.gain; })->gain;
    G = std::max(G, 1e-6);
    if (!curve.empty()) {
        QPainterPath line;
        for (std::size_t i = 0; i < curve.size(); ++i) {
            const QPointF at(curve[i].time / D * W, (1 - 0.9 * curve[i].gain / G) * H);
            if (i == 0) line.moveTo(at);
            else line.lineTo(at);
        }
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kit::accent(), 1.5));
        p.drawPath(line);
    }
    const double x = editor_.currentTime() / D * W;
    p.setPen(QPen(kit::faded(kit::ink(), 0.6), 1));
    p.drawLine(QPointF(x, 0), QPointF(x, H));

    QFont legend = font();
    legend.setPointSizeF(9);
    p.setFont(legend);
    p.setPen(kit::accent());
    p.drawText(QPointF(3, 12), QStringLiteral("╱ Music"));
    p.setPen(kit::secondaryText());
    p.drawText(QPointF(3 + QFontMetricsF(legend).horizontalAdvance(QStringLiteral("╱ Music")) + 10, 12), QStringLiteral("▬ You talking"));
}

// ---- the music group -------------------------------------------------------------------

MusicSection::MusicSection(EditorModel& editor, MusicCommands& music, FileChooser chooseFile, QWidget* parent)
    : QWidget(parent), editor_(editor), music_(music), chooseFile_(chooseFile ? std::move(chooseFile) : FileChooser(askForMusic))
{
    auto* column = rowStack(this);
    menu_ = buildMenu();

    auto* trailing = new QWidget(this);
    auto* line = new QHBoxLayout(trailing);
    line->setContentsMargins(0, 0, 0, 0);
    parts_.remove = new InlineButton(QStringLiteral("Remove"), {}, false, [this] { music_.setMusic(std::nullopt); }, trailing);
    parts_.add = menuButton(QStringLiteral("Add"), menu_, trailing);
    line->addWidget(parts_.remove);
    line->addWidget(parts_.add);
    column->addWidget(new FeatureRow(QStringLiteral("Background music"), QStringLiteral("♪"),
                                     QStringLiteral("Gets quieter whenever you talk, and swells back in the pauses."), trailing, this));

    auto* settings = new QWidget(this);
    settings_ = rowStack(settings);
    auto* nameControl = new QWidget(settings);
    auto* nameLine = new QHBoxLayout(nameControl);
    nameLine->setContentsMargins(0, 0, 0, 0);
    nameLine->setSpacing(6);
    auto* kind = kit::label({}, 11, QFont::Normal, kit::secondaryText(), nameControl);
    kind->setObjectName(QStringLiteral("musicKind"));
    nameLine->addWidget(kind);
    parts_.change = menuButton(QStringLiteral("Change"), menu_, nameControl);
    nameLine->addWidget(parts_.change);
    parts_.nameRow = new InspectorRow({}, {}, nameControl, settings);
    settings_->addWidget(parts_.nameRow);
    parts_.missing = new RowNote(QStringLiteral("\u26A0\uFE0E The music file was moved or deleted."), settings);
    settings_->addWidget(parts_.missing);

    const auto rebuild = [this] { editor_.timelineChanged(); };
    const auto field = [this](double BackgroundMusic::*f) {
        return Binding<double>{[this, f] { return music_.music().*f; },
                               [this, f](const double& v) { music_.changeMusic([&](BackgroundMusic& m) { m.*f = v; }, false); }};
    };
    parts_.volume = new ValueRow(QStringLiteral("Music volume"), field(&BackgroundMusic::volume),
                                 {-30, 0, 1, 0, QStringLiteral(" dB"), 1, true, false, std::nullopt}, rebuild, settings);
    parts_.ducking = new ValueRow(QStringLiteral("Duck under voice"), field(&BackgroundMusic::ducking),
                                  {0, 30, 1, 0, QStringLiteral(" dB"), 1, true, false, std::nullopt}, rebuild, settings);
    parts_.fadeIn = new ValueRow(QStringLiteral("Fade in"), field(&BackgroundMusic::fadeIn),
                                 {0, 5, 0.5, 1, QStringLiteral(" s"), 1, true, false, std::nullopt}, rebuild, settings);
    parts_.fadeOut = new ValueRow(QStringLiteral("Fade out"), field(&BackgroundMusic::fadeOut),
                                  {0, 8, 0.5, 1, QStringLiteral(" s"), 1, true, false, std::nullopt}, rebuild, settings);
    parts_.loop = new SwitchRow(QStringLiteral("Loop to fill the video"),
                                {[this] { return music_.music().loop; },
                                 [this](const bool& on) { music_.changeMusic([on](BackgroundMusic& m) { m.loop = on; }, true); }},
                                {}, settings);
    auto* stripBox = new QWidget(settings);
    auto* stripLine = new QHBoxLayout(stripBox);
    stripLine->setContentsMargins(12, 6, 12, 6);
    parts_.strip = new DuckingStrip(editor_, music_, stripBox);
    stripLine->addWidget(parts_.strip);
    for (QWidget* w : std::initializer_list<QWidget*>{parts_.volume, parts_.ducking, parts_.fadeIn, parts_.fadeOut, parts_.loop, stripBox})
        settings_->addWidget(w);
    column->addWidget(settings);
    settings->setObjectName(QStringLiteral("musicSettings"));

    parts_.composing = new ProgressRow(QStringLiteral("Composing on this computer…"), std::nullopt, this);
    column->addWidget(parts_.composing);
    parts_.error = new RowNote({}, this);
    column->addWidget(parts_.error);

    for (auto signal : {&EditorModel::projectChanged, &EditorModel::musicBusyChanged, &EditorModel::musicLengthChanged})
        connect(&editor_, signal, this, &MusicSection::refresh);
    connect(&music_, &MusicCommands::errorChanged, this, &MusicSection::refresh);
    refresh();
}

QMenu* MusicSection::buildMenu()
{
    auto* menu = new QMenu(this);
    menu->addSection(QStringLiteral("Royalty-free · made on this computer"));
    for (const auto& mood : MusicGenerator::moods()) {
        auto* item = menu->addAction(menuText(text(mood.name) + QStringLiteral(" — ") + text(mood.detail)));
        item->setData(text(mood.id));
        connect(item, &QAction::triggered, this, [this, mood] { music_.useBuiltInMusic(mood); });
    }
    menu->addSeparator();
    connect(menu->addAction(QStringLiteral("Choose a File…")), &QAction::triggered, this, [this] {
        if (const auto file = chooseFile_()) music_.useMusicFile(*file);
    });
    return menu;
}

// "Start at" runs to a second before the music's end, so it is made again
// whenever the length is learnt; only music longer than 2 s offers it.
void MusicSection::remakeStartAt()
{
    const double length = editor_.musicLength();
    if (length == startRange_) return;
    startRange_ = length;
    delete parts_.startAt;
    parts_.startAt = nullptr;
    if (length <= 2) return;
    parts_.startAt = new ValueRow(
        QStringLiteral("Start at"),
        {[this] { return music_.music().startOffset; },
         [this](const double& v) { music_.changeMusic([v](BackgroundMusic& m) { m.startOffset = v; }, false); }},
        {0, length - 1, 0.5, 1, QStringLiteral(" s"), 1, true, false, std::nullopt}, [this] { editor_.timelineChanged(); });
    settings_->insertWidget(settings_->indexOf(parts_.ducking) + 1, parts_.startAt);
}

void MusicSection::refresh()
{
    const auto& music = editor_.project().music;
    parts_.remove->setVisible(music.has_value());
    parts_.add->setVisible(!music);
    settings_->parentWidget()->setVisible(music.has_value());
    if (music) {
        parts_.nameRow->titleLabel()->setText(text(music->name));
        findChild<QLabel*>(QStringLiteral("musicKind"))->setText(music->builtInID ? QStringLiteral("✦") : QStringLiteral("🗋"));
        std::error_code ignored;
        parts_.missing->setVisible(!std::filesystem::exists(music->path, ignored));
        remakeStartAt();
        for (ValueRow* row : {parts_.volume, parts_.ducking, parts_.startAt, parts_.fadeIn, parts_.fadeOut})
            if (row) row->refresh();
        parts_.loop->refresh();
    }
    parts_.composing->setVisible(editor_.musicBusy());
    const auto& error = music_.error();
    parts_.error->setVisible(error.has_value());
    if (error) parts_.error->setText(QStringLiteral("\u26A0\uFE0E ") + text(*error));
}

}  // namespace vt::ui
