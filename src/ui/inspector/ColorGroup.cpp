#include "ui/inspector/ColorGroup.h"
#include "ui/theme/NumberText.h"

#include "editor/GradeActions.h"
#include "model/ColorLook.h"
#include "ui/inspector/DisclosureSection.h"
#include "ui/inspector/FlowLayout.h"
#include "ui/inspector/HoldButton.h"
#include "ui/inspector/InlineButton.h"
#include "ui/inspector/InspectorGroup.h"
#include "ui/inspector/KitColors.h"
#include "ui/inspector/KitText.h"
#include "ui/inspector/RowDivider.h"
#include "ui/inspector/ValueRow.h"
#include "ui/theme/Theme.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace vt::ui {

namespace {

constexpr int minCardWidth = 62;
constexpr int cardSpacing = 8;
constexpr int pictureHeight = 80;

}  // namespace

// ---- look cards -------------------------------------------------------------------------

LookCard::LookCard(EditorModel& editor, GradeActions& grade, const ColorLook& look, QWidget* parent)
    : QWidget(parent), editor_(editor), grade_(grade), id_(look.id), name_(QString::fromUtf8(look.name.data(), static_cast<qsizetype>(look.name.size())))
{
    setFixedSize(minCardWidth, sizeHint().height());
    setAccessibleName(name_);
    setCursor(Qt::PointingHandCursor);
}

QSize LookCard::sizeHint() const { return {minCardWidth, pictureHeight + 4 + 16}; }

int ColorGroup::cardWidth(int rowWidth)
{
    const int columns = std::max(1, (rowWidth + cardSpacing) / (minCardWidth + cardSpacing));
    return std::max(minCardWidth, (rowWidth - cardSpacing * (columns - 1)) / columns);
}

bool LookCard::isSelected() const { return grade_.grade().look == id_; }

QString LookCard::badgeText(double intensity) { return QString::number(std::lround(intensity * 100)) + QStringLiteral("%"); }

void LookCard::refresh()
{
    grade_.ensureLookPreview(ColorLook::find(id_));
    showSelection();
}

void LookCard::showSelection()
{
    setToolTip(isSelected() && id_ != "none" ? QStringLiteral("Intensity (change it below)") : QString());
    update();
}

void LookCard::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const bool selected = isSelected();
    const QRectF frame(0, 0, width(), pictureHeight);
    QPainterPath shape;
    shape.addRoundedRect(frame.adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    p.save();
    p.setClipPath(shape);
    QColor scrim = Theme::mediaScrim;
    scrim.setAlphaF(scrim.alphaF() * 0.85);
    p.fillRect(frame, scrim);
    const auto& previews = grade_.lookPreviews();
    if (const auto it = previews.find(id_); it != previews.end()) {
        const QImage& picture = it->second;
        const QSizeF fill = QSizeF(picture.size()).scaled(frame.size(), Qt::KeepAspectRatioByExpanding);
        p.drawImage(QRectF(frame.center() - QPointF(fill.width() / 2, fill.height() / 2), fill), picture);
    } else {
        p.setPen(kit::faded(Qt::white, 0.7));
        p.drawText(frame, Qt::AlignCenter, QStringLiteral("…"));
    }
    if (selected && id_ != "none") {
        QFont f = font();
        f.setPointSizeF(9.5);
        f.setBold(true);
        p.setFont(f);
        const QString badge = badgeText(grade_.grade().intensity);
        const QSizeF text = QFontMetricsF(f).size(0, badge);
        const QRectF pill(frame.right() - 4 - text.width() - 10, frame.bottom() - 4 - text.height() - 4, text.width() + 10, text.height() + 4);
        p.setPen(Qt::NoPen);
        p.setBrush(kit::accent());
        p.drawRoundedRect(pill, pill.height() / 2, pill.height() / 2);
        p.setPen(kit::onAccent());
        p.drawText(pill, Qt::AlignCenter, badge);
    }
    p.restore();
    p.setBrush(Qt::NoBrush);
    if (selected) {
        p.setPen(QPen(kit::accent(), 2.5));
        p.drawRoundedRect(frame.adjusted(1.25, 1.25, -1.25, -1.25), 7, 7);
    } else {
        p.setPen(QPen(kit::hairline(), 1));
        p.drawRoundedRect(frame.adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    }
    QFont nameFont = font();
    nameFont.setPointSizeF(10.5);
    nameFont.setWeight(selected ? QFont::DemiBold : QFont::Normal);
    p.setFont(nameFont);
    p.setPen(selected ? kit::ink() : kit::secondaryText());
    const QRectF nameBox(0, pictureHeight + 4, width(), 16);
    p.drawText(nameBox, Qt::AlignHCenter | Qt::AlignVCenter, QFontMetricsF(nameFont).elidedText(name_, Qt::ElideRight, width()));
}

void LookCard::enterEvent(QEnterEvent*)
{
    grade_.setPreviewLook(isSelected() ? std::nullopt : std::optional(id_));
}

void LookCard::leaveEvent(QEvent*) { grade_.setPreviewLook(std::nullopt); }

void LookCard::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint())) return;
    grade_.setPreviewLook(std::nullopt);
    grade_.setLook(id_);
}

// ---- the group ----------------------------------------------------------------------------

const std::vector<std::pair<QString, std::vector<GradeSlider>>>& ColorGroup::sections()
{
    static const std::vector<std::pair<QString, std::vector<GradeSlider>>> table{
        {QStringLiteral("Light"),
         {{QStringLiteral("Exposure"), &VideoGrade::exposure, -1, 1},
          {QStringLiteral("Contrast"), &VideoGrade::contrast, -1, 1},
          {QStringLiteral("Highlights"), &VideoGrade::highlights, -1, 1},
          {QStringLiteral("Shadows"), &VideoGrade::shadows, -1, 1}}},
        {QStringLiteral("Color"),
         {{QStringLiteral("Temperature"), &VideoGrade::temperature, -1, 1},
          {QStringLiteral("Tint"), &VideoGrade::tint, -1, 1},
          {QStringLiteral("Saturation"), &VideoGrade::saturation, -1, 1},
          {QStringLiteral("Vibrance"), &VideoGrade::vibrance, -1, 1}}},
        {QStringLiteral("Detail"),
         {{QStringLiteral("Sharpness"), &VideoGrade::sharpness, 0, 1},
          {QStringLiteral("Clarity"), &VideoGrade::clarity, 0, 1},
          {QStringLiteral("Noise reduction"), &VideoGrade::denoise, 0, 1}}},
        {QStringLiteral("Effects"),
         {{QStringLiteral("Vignette"), &VideoGrade::vignette, 0, 1},
          {QStringLiteral("Film grain"), &VideoGrade::grain, 0, 1},
          {QStringLiteral("Glow"), &VideoGrade::glow, 0, 1}}},
    };
    return table;
}

QString ColorGroup::summary(const std::vector<GradeSlider>& rows, const VideoGrade& grade)
{
    QStringList pieces;
    for (const auto& row : rows) {
        const double v = grade.*row.field;
        if (v == 0) continue;
        pieces << row.title + QStringLiteral(" ") + (row.lower < 0 ? signedFixedText(v * 100, 0) : fixedText(v * 100, 0));
    }
    return pieces.isEmpty() ? QStringLiteral("No changes") : pieces.join(QStringLiteral(", "));
}

ColorGroup::ColorGroup(EditorModel& editor, GradeActions& grade, QWidget* parent)
    : QWidget(parent), editor_(editor), grade_(grade), open_(new DisclosureGroup(this))
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* group = new InspectorGroup(QStringLiteral("COLOR"), buildHeader(), this);
    outer->addWidget(group);

    auto* gridBox = new QWidget(group);
    auto* gridColumn = new QVBoxLayout(gridBox);
    gridColumn->setContentsMargins(12, 10, 12, 10);
    gridColumn->setSpacing(8);
    auto* cards = new QWidget(gridBox);
    cards->installEventFilter(this);
    auto* flow = new FlowLayout(cardSpacing, 10, cards);
    for (const ColorLook& look : ColorLook::all()) {
        auto* card = new LookCard(editor_, grade_, look, cards);
        flow->addWidget(card);
        parts_.cards.push_back(card);
    }
    gridColumn->addWidget(cards);
    parts_.analyzing = kit::label(QStringLiteral("Analyzing your video…"), 12, QFont::Normal, kit::secondaryText(), gridBox);
    gridColumn->addWidget(parts_.analyzing);
    group->addRow(gridBox);

    parts_.intensity = new ValueRow(QStringLiteral("Intensity"),
                                    {[this] { return grade_.grade().intensity; },
                                     [this](const double& v) { grade_.setField(&VideoGrade::intensity, v); }},
                                    {0, 1, 5, 0, {}, 100, true, false, 0.8}, {}, group);
    auto* intensityDivider = new RowDivider(group);
    intensityDivider->setObjectName(QStringLiteral("intensityDivider"));
    group->addRow(intensityDivider);
    group->addRow(parts_.intensity);
    static const char* icons[] = {"☀", "💧", "◌", "◐"};
    int i = 0;
    for (const auto& [title, rows] : sections()) {
        group->addRow(new RowDivider(group));
        group->addRow(buildSection(title, QString::fromUtf8(icons[i++]), rows));
    }

    connect(&editor_, &EditorModel::projectChanged, this, &ColorGroup::refresh);
    connect(&editor_, &EditorModel::autoBusyChanged, this, &ColorGroup::refresh);
    connect(&editor_, &EditorModel::posterFrameChanged, this, &ColorGroup::refreshCards);
    connect(&grade_, &GradeActions::lookPreviewsChanged, this, &ColorGroup::refreshCards);
    connect(&grade_, &GradeActions::autoEnhancedChanged, this, &ColorGroup::refresh);
    refresh();
    refreshCards();
}

QWidget* ColorGroup::buildHeader()
{
    auto* header = new QWidget;
    auto* line = new QHBoxLayout(header);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(2);
    parts_.autoEnhance = new QToolButton(header);
    parts_.autoEnhance->setText(QStringLiteral("✦ Auto"));
    parts_.autoEnhance->setCheckable(true);
    QFont f = parts_.autoEnhance->font();
    f.setPointSizeF(11.5);
    f.setWeight(QFont::Medium);
    parts_.autoEnhance->setFont(f);
    parts_.autoEnhance->setToolTip(
        QStringLiteral("Auto enhance: balance exposure, contrast and color for this video. Click again to undo it."));
    connect(parts_.autoEnhance, &QToolButton::clicked, this, [this](bool on) { grade_.setAutoEnhance(on); });
    line->addWidget(parts_.autoEnhance);
    parts_.compare = new HoldButton(QStringLiteral("Hold to compare"), QStringLiteral("◉"),
                                    {[this] { return editor_.showOriginal(); }, [this](const bool& v) { editor_.setShowOriginal(v); }}, header);
    QFont small = parts_.compare->font();
    small.setPointSizeF(10);
    parts_.compare->setFont(small);
    parts_.compare->setToolTip(QStringLiteral("Press and hold to see the video before color; let go to see it after"));
    line->addWidget(parts_.compare);
    // A tool button: a push button's style would reserve room for a wider label.
    parts_.reset = new QToolButton(header);
    parts_.reset->setText(QStringLiteral("Reset"));
    parts_.reset->setAutoRaise(true);
    parts_.reset->setCursor(Qt::PointingHandCursor);
    QFont rf = parts_.reset->font();
    rf.setPointSizeF(11.5);
    parts_.reset->setFont(rf);
    kit::setTextColour(parts_.reset, kit::accent());
    parts_.reset->setToolTip(QStringLiteral("Reset all color changes"));
    connect(parts_.reset, &QToolButton::clicked, this, [this] { grade_.resetGrade(); });
    line->addWidget(parts_.reset);
    return header;
}

QWidget* ColorGroup::buildSection(const QString& title, const QString& icon, const std::vector<GradeSlider>& rows)
{
    Section s;
    s.section = new DisclosureSection(title, title, icon, *open_);
    for (const GradeSlider& row : rows) {
        auto* value = new ValueRow(row.title,
                                   {[this, f = row.field] { return grade_.grade().*f; },
                                    [this, f = row.field](const double& v) { grade_.setField(f, v); }},
                                   {row.lower, row.upper, 5, 0, {}, 100, true, row.lower < 0, 0.0}, {}, s.section);
        s.section->addRow(value);
        s.rows.push_back(value);
    }
    s.resetRow = new QWidget(s.section);
    auto* line = new QHBoxLayout(s.resetRow);
    line->setContentsMargins(12, 6, 12, 6);
    line->addWidget(kit::label(QStringLiteral("Double-click a name to reset it."), 11, QFont::Normal, kit::secondaryText(), s.resetRow));
    line->addStretch(1);
    std::vector<GradeActions::Field> fields;
    for (const auto& row : rows) fields.push_back(row.field);
    s.reset = new InlineButton(QStringLiteral("Reset ") + title, {}, false, [this, fields] { grade_.resetGrade(fields); }, s.resetRow);
    line->addWidget(s.reset);
    s.section->addRow(s.resetRow);
    parts_.sections.push_back(s);
    return s.section;
}

void ColorGroup::refresh()
{
    const VideoGrade g = grade_.grade();
    {
        QSignalBlocker quiet(parts_.autoEnhance);
        parts_.autoEnhance->setChecked(grade_.autoEnhanced());
    }
    parts_.autoEnhance->setEnabled(!editor_.autoBusy());
    parts_.reset->setEnabled(editor_.project().grade.has_value());
    parts_.analyzing->setVisible(editor_.autoBusy());
    const bool look = g.look != "none";
    parts_.intensity->setVisible(look);
    findChild<RowDivider*>(QStringLiteral("intensityDivider"))->setVisible(look);
    parts_.intensity->refresh();
    for (std::size_t i = 0; i < parts_.sections.size(); ++i) {
        const auto& rows = sections()[i].second;
        auto& s = parts_.sections[i];
        s.section->setSummary(summary(rows, g));
        bool changed = false;
        for (const auto& row : rows) changed = changed || g.*row.field != 0;
        s.resetRow->setVisible(changed);
        for (ValueRow* row : s.rows) row->refresh();
    }
    for (LookCard* card : parts_.cards) card->showSelection();
}

// The grid's columns are as many as fit at the smallest card width; the
// cards then share the row's width.
bool ColorGroup::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && !parts_.cards.empty() && watched == parts_.cards.front()->parentWidget()) {
        const int width = cardWidth(static_cast<QWidget*>(watched)->width());
        for (LookCard* card : parts_.cards) card->setFixedWidth(width);
    }
    return QWidget::eventFilter(watched, event);
}

void ColorGroup::refreshCards()
{
    for (LookCard* card : parts_.cards) card->refresh();
}

}  // namespace vt::ui
