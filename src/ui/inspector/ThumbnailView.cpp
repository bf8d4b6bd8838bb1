#include "ui/inspector/ThumbnailView.h"

#include "editor/EditorModel.h"
#include "ui/inspector/InlineButton.h"
#include "ui/inspector/InspectorGroup.h"
#include "ui/inspector/KitColors.h"
#include "ui/inspector/KitText.h"
#include "ui/inspector/ProgressRow.h"
#include "ui/inspector/RowDivider.h"
#include "ui/inspector/RowNote.h"
#include "ui/inspector/SavePanel.h"

#include <QButtonGroup>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace vt::ui {

namespace {

QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// One candidate frame, 62 points high, sharing the row's width with the
// others: filled and cropped, with the selected tile's accent border.
class FrameTile : public QToolButton {
public:
    FrameTile(QImage image, bool selected, QWidget* parent) : QToolButton(parent), image_(std::move(image))
    {
        setCheckable(true);
        setChecked(selected);
        setFixedHeight(62);
        setMinimumWidth(20);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        setAccessibleName(QStringLiteral("Frame"));
        setCursor(Qt::PointingHandCursor);
    }

protected:
    // A click picks the tile and never unpicks it: the chosen tile is the
    // model's, drawn again when the choice changes.
    void nextCheckState() override {}

    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        paintPictureTile(p, QRectF(rect()), &image_, isChecked());
    }

private:
    QImage image_;
};

QPixmap rounded(const QImage& image, double radius)
{
    QPixmap out(image.size());
    out.fill(Qt::transparent);
    QPainter p(&out);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(image.rect()), radius, radius);
    p.setClipPath(shape);
    p.drawImage(0, 0, image);
    return out;
}

}  // namespace

ThumbnailView::ThumbnailView(EditorModel& editor, SaveAsker askWhere, QWidget* parent)
    : FeaturePanel(QStringLiteral("Best frames picked by on-device face-quality scoring."), parent), editor_(editor),
      askWhere_(std::move(askWhere))
{
    if (!askWhere_)
        askWhere_ = [](const QString& name) { return savePanel(name, typeFilterFor(QStringLiteral("png"))); };
    column()->addWidget(buildFrames());
    column()->addWidget(buildDesign());
    connect(&editor_, &EditorModel::thumbCandidatesChanged, this, [this] { refreshFrames(); refreshDesign(); });
    connect(&editor_, &EditorModel::thumbBusyChanged, this, &ThumbnailView::refreshFrames);
    connect(&editor_, &EditorModel::selectedThumbIDChanged, this, [this] { refreshFrames(); refreshPreview(); });
    connect(&editor_, &EditorModel::thumbTemplateChanged, this, &ThumbnailView::refreshDesign);
    connect(&editor_, &EditorModel::thumbTextChanged, this, &ThumbnailView::refreshDesign);
    // The preview follows the project's colour grade and output shape too.
    connect(&editor_, &EditorModel::projectChanged, this, [this] { scheduleRefresh([this] { refreshPreview(); }); });
    refreshFrames();
    refreshDesign();
}

QWidget* ThumbnailView::buildFrames()
{
    parts_.find = new InlineButton({}, QStringLiteral("✨"), false, [this] { editor_.findThumbnails(); });
    auto* group = new InspectorGroup(QStringLiteral("FRAMES"), parts_.find, content());
    parts_.progress = new ProgressRow(QStringLiteral("Scoring frames…"), std::nullopt, group);
    group->addRow(parts_.progress);
    parts_.emptyNote = new RowNote(QStringLiteral("Find your clearest, most expressive frames to start from."), group);
    parts_.emptyNote->setContentsMargins(parts_.emptyNote->contentsMargins() + QMargins(0, 6, 0, 0));
    group->addRow(parts_.emptyNote);
    parts_.tiles = new QWidget(group);
    auto* row = new QHBoxLayout(parts_.tiles);
    row->setContentsMargins(12, 10, 12, 10);
    row->setSpacing(8);
    group->addRow(parts_.tiles);
    return group;
}

QWidget* ThumbnailView::buildDesign()
{
    parts_.save = new InlineButton(QStringLiteral("Save PNG…"), QStringLiteral("⤓"), true, [this] { savePng(); });
    parts_.design = new InspectorGroup(QStringLiteral("DESIGN"), parts_.save, content());

    auto* looks = new QWidget(parts_.design);
    looks->setToolTip(QStringLiteral("Thumbnail look"));
    auto* segments = new QHBoxLayout(looks);
    segments->setContentsMargins(12, 8, 12, 8);
    segments->setSpacing(0);
    auto* exclusive = new QButtonGroup(looks);
    for (const auto& [design, label] : enumCases(ThumbnailTemplate{})) {
        auto* b = new QToolButton(looks);
        b->setText(text(label));
        b->setCheckable(true);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        exclusive->addButton(b);
        connect(b, &QToolButton::clicked, this, [this, design = design] { editor_.setThumbTemplate(design); });
        segments->addWidget(b);
        parts_.looks.push_back(b);
    }
    parts_.design->addRow(looks);
    parts_.design->addRow(new RowDivider(parts_.design));

    QWidget* textHolder = textBox(QStringLiteral("Thumbnail text"), 8, parts_.design, &parts_.text);
    connect(parts_.text, &QPlainTextEdit::textChanged, this, [this] {
        const std::string typed = parts_.text->toPlainText().toStdString();
        if (typed != editor_.thumbText()) editor_.setThumbText(typed);
    });
    parts_.design->addRow(textHolder);

    parts_.preview = new QLabel(parts_.design);
    parts_.preview->setAlignment(Qt::AlignCenter);
    parts_.preview->setContentsMargins(12, 0, 12, 10);
    parts_.preview->setAccessibleName(QStringLiteral("Thumbnail preview"));
    // The picture follows the panel's width instead of widening the panel.
    parts_.preview->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    parts_.preview->setMinimumWidth(1);
    parts_.preview->installEventFilter(this);
    parts_.design->addRow(parts_.preview);
    parts_.saveError = kit::label({}, 12, QFont::Normal, QColor(Qt::red), parts_.design);
    parts_.saveError->setWordWrap(true);
    parts_.saveError->setContentsMargins(12, 0, 12, 8);
    parts_.design->addRow(parts_.saveError);
    return parts_.design;
}

void ThumbnailView::refreshFrames()
{
    const auto& candidates = editor_.thumbCandidates();
    const bool busy = editor_.thumbBusy();
    parts_.find->setText(candidates.empty() ? QStringLiteral("✨ Find Best Frames") : QStringLiteral("✨ Find Again"));
    parts_.find->setEnabled(!busy);
    parts_.progress->setVisible(busy);
    parts_.emptyNote->setVisible(candidates.empty() && !busy);
    parts_.tiles->setVisible(!candidates.empty());

    clearLayout(parts_.tiles->layout());
    parts_.tileButtons.clear();
    const auto chosen = editor_.selectedThumb();
    for (const ThumbnailCandidate& candidate : candidates) {
        auto* tile = new FrameTile(candidate.image, chosen && chosen->id == candidate.id, parts_.tiles);
        connect(tile, &QToolButton::clicked, this, [this, id = candidate.id] { editor_.setSelectedThumbID(id); });
        parts_.tiles->layout()->addWidget(tile);
        parts_.tileButtons.push_back(tile);
    }
}

void ThumbnailView::refreshDesign()
{
    parts_.design->setVisible(!editor_.thumbCandidates().empty());
    const auto current = static_cast<std::size_t>(editor_.thumbTemplate());
    for (std::size_t i = 0; i < parts_.looks.size(); ++i) parts_.looks[i]->setChecked(i == current);
    const QString shown = QString::fromStdString(editor_.thumbText());
    if (parts_.text->toPlainText() != shown) parts_.text->setPlainText(shown);
    refreshPreview();
}

void ThumbnailView::refreshPreview()
{
    const auto image = editor_.thumbCandidates().empty() ? std::nullopt : editor_.renderThumbnail(0.3);
    parts_.preview->setVisible(image.has_value());
    previewImage_ = image.value_or(QImage());
    fitPreview();
}

void ThumbnailView::fitPreview()
{
    if (previewImage_.isNull()) return;
    // Scaled to fit the width inside the padding, at most 400 points high.
    const int width = parts_.preview->contentsRect().width();
    const QSize box(width > 0 ? width : previewImage_.width(), 400);
    const QImage fitted = previewImage_.width() > box.width() || previewImage_.height() > box.height()
                              ? previewImage_.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                              : previewImage_;
    parts_.preview->setPixmap(rounded(fitted, 10));
}

bool ThumbnailView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parts_.preview && event->type() == QEvent::Resize) fitPreview();
    return FeaturePanel::eventFilter(watched, event);
}

void ThumbnailView::savePng()
{
    const auto where = askWhere_(QString::fromStdString(editor_.project().name) + QStringLiteral("-thumbnail.png"));
    if (!where) return;
    parts_.saveError->clear();
    try {
        editor_.saveThumbnail(*where);
    } catch (const std::exception& e) {
        // A file that could not be written is said so, never passed over.
        parts_.saveError->setText(QString::fromUtf8(e.what()));
    }
}

}  // namespace vt::ui
