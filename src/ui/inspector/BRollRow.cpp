#include "ui/inspector/BRollRow.h"
#include "ui/theme/NumberText.h"

#include "editor/EditorModel.h"
#include "model/TimeFormat.h"
#include "ui/inspector/KitColors.h"
#include "ui/inspector/KitText.h"
#include "ui/theme/Theme.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>
#include <QVBoxLayout>

#include <filesystem>

namespace vt::ui {

namespace {

QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

const QColor warningOrange(255, 149, 0);

// The 56-point square picture of the item with its kind badge.
class Thumbnail : public QWidget {
public:
    Thumbnail(std::optional<QImage> image, bool isImage, QWidget* parent)
        : QWidget(parent), image_(std::move(image)), isImage_(isImage)
    {
        setFixedSize(56, 56);
        setAccessibleName(isImage ? QStringLiteral("Photo") : QStringLiteral("Video"));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath shape;
        shape.addRoundedRect(QRectF(rect()), 8, 8);
        p.setClipPath(shape);
        p.fillRect(rect(), Theme::stage);
        if (image_ && !image_->isNull()) {
            // Scaled to fill, centred, cropped by the shape.
            const QSize filled = image_->size().scaled(size(), Qt::KeepAspectRatioByExpanding);
            const QRect target(QPoint((width() - filled.width()) / 2, (height() - filled.height()) / 2), filled);
            p.drawImage(target, *image_);
        }
        const QRectF badge(width() - 3 - 17, height() - 3 - 17, 17, 17);
        QColor scrim = Theme::mediaScrim;
        scrim.setAlphaF(scrim.alphaF() * 0.5);
        p.setPen(Qt::NoPen);
        p.setBrush(scrim);
        p.drawEllipse(badge);
        QFont f = font();
        f.setPointSizeF(9);
        p.setFont(f);
        p.setPen(Theme::onMedia);
        p.drawText(badge, Qt::AlignCenter, isImage_ ? QStringLiteral("▣") : QStringLiteral("▶"));
        p.setClipping(false);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kit::hairline(), 1));
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    }

private:
    std::optional<QImage> image_;
    bool isImage_;
};

QLabel* warning(const QString& title, QWidget* parent)
{
    auto* label = kit::label(QStringLiteral("⚠ ") + title, 11, QFont::Normal, warningOrange, parent);
    label->setAccessibleName(title);
    return label;
}

QToolButton* iconButton(const QString& glyph, const QString& tip, const QString& accessible, QWidget* parent)
{
    auto* b = new QToolButton(parent);
    b->setText(glyph);
    b->setAutoRaise(true);
    b->setToolTip(tip);
    b->setAccessibleName(accessible);
    kit::setTextColour(b, kit::secondaryText());
    return b;
}

template <class Enum>
QComboBox* picker(const QString& title, Enum shown, QWidget* parent)
{
    auto* menu = new QComboBox(parent);
    for (const auto& [value, label] : enumCases(Enum{})) menu->addItem(text(label), static_cast<int>(value));
    menu->setCurrentIndex(menu->findData(static_cast<int>(shown)));
    menu->setToolTip(title);
    menu->setAccessibleName(title);
    QFont f = menu->font();
    f.setPointSizeF(11);
    menu->setFont(f);
    return menu;
}

}  // namespace

BRollRow::BRollRow(EditorModel& editor, BRoll item, std::optional<BRollPlacement> placement, QWidget* parent)
    : QWidget(parent), editor_(editor), item_(std::move(item)), placement_(std::move(placement))
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(12, 10, 12, 10);
    column->setSpacing(8);
    column->addWidget(buildFirstLine());
    column->addWidget(buildSecondLine());
}

QString BRollRow::timeLine(double start, double end)
{
    return QString::fromStdString(formatTime(start)) + QStringLiteral(" – ") + QString::fromStdString(formatTime(end)) +
           QStringLiteral(" · ") + fixedText(end - start, 1) + QStringLiteral("s");
}

QWidget* BRollRow::buildFirstLine()
{
    auto* line = new QWidget(this);
    auto* row = new QHBoxLayout(line);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    const auto thumb = editor_.brollThumbs().find(item_.id);
    parts_.thumbnail = new Thumbnail(thumb == editor_.brollThumbs().end() ? std::nullopt : std::optional(thumb->second),
                                     item_.isImage, line);
    row->addWidget(parts_.thumbnail, 0, Qt::AlignTop);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    parts_.name = kit::label(QString::fromStdString(item_.name), 13, QFont::Medium, kit::ink(), line);
    texts->addWidget(parts_.name);
    parts_.caption = kit::label(QStringLiteral("“") + QString::fromStdString(editor_.brollText(item_)) + QStringLiteral("”"),
                                11.5, QFont::Normal, kit::secondaryText(), line);
    parts_.caption->setWordWrap(true);
    parts_.caption->setMaximumHeight(parts_.caption->fontMetrics().lineSpacing() * 2 + 2);
    texts->addWidget(parts_.caption);
    if (placement_) {
        parts_.time = kit::label(timeLine(placement_->start, placement_->end), 11, QFont::Normal, kit::secondaryText(), line);
        texts->addWidget(parts_.time);
    } else {
        parts_.wordsCut = warning(QStringLiteral("Its words were cut"), line);
        texts->addWidget(parts_.wordsCut);
    }
    std::error_code error;
    if (!std::filesystem::exists(item_.path, error)) {
        parts_.fileMissing = warning(QStringLiteral("File moved or deleted"), line);
        texts->addWidget(parts_.fileMissing);
    }
    row->addLayout(texts, 1);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(2);
    parts_.jump = iconButton(QStringLiteral("▶"), QStringLiteral("Jump here"), QStringLiteral("Jump to this B-roll"), line);
    connect(parts_.jump, &QToolButton::clicked, this, [this] {
        if (placement_) editor_.seekExactly(placement_->start);
    });
    parts_.remove = iconButton(QStringLiteral("🗑"), QStringLiteral("Remove"), QStringLiteral("Remove this B-roll"), line);
    connect(parts_.remove, &QToolButton::clicked, this, [this] {
        if (!editor_.project().brolls) return;
        const Uuid id = item_.id;
        editor_.updateProject([id](Project& p) {
            std::erase_if(*p.brolls, [&](const BRoll& b) { return b.id == id; });
        });
        editor_.timelineChanged();
    });
    buttons->addWidget(parts_.jump);
    buttons->addWidget(parts_.remove);
    row->addLayout(buttons);
    row->setAlignment(buttons, Qt::AlignTop);
    return line;
}

QWidget* BRollRow::buildSecondLine()
{
    auto* line = new QWidget(this);
    auto* row = new QHBoxLayout(line);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    parts_.layout = picker(QStringLiteral("Layout"), item_.layout, line);
    connect(parts_.layout, &QComboBox::activated, this, [this](int index) {
        const auto value = static_cast<BRollLayout>(parts_.layout->itemData(index).toInt());
        write([value](BRoll& b) { b.layout = value; });
    });
    parts_.entrance = picker(QStringLiteral("Entrance"), item_.entrance, line);
    connect(parts_.entrance, &QComboBox::activated, this, [this](int index) {
        const auto value = static_cast<BRollEntrance>(parts_.entrance->itemData(index).toInt());
        write([value](BRoll& b) { b.entrance = value; });
    });
    row->addWidget(parts_.layout);
    row->addWidget(parts_.entrance);
    if (item_.isImage) {
        row->addStretch(1);
        parts_.kenBurns = new QCheckBox(QStringLiteral("Ken Burns"), line);
        QFont f = parts_.kenBurns->font();
        f.setPointSizeF(11.5);
        parts_.kenBurns->setFont(f);
        parts_.kenBurns->setToolTip(QStringLiteral("Slow zoom on the photo"));
        parts_.kenBurns->setChecked(item_.kenBurns);
        connect(parts_.kenBurns, &QCheckBox::toggled, this, [this](bool on) { write([on](BRoll& b) { b.kenBurns = on; }); });
        row->addWidget(parts_.kenBurns);
    } else {
        row->addStretch(1);
    }
    return line;
}

void BRollRow::write(const std::function<void(BRoll&)>& change)
{
    const auto& list = editor_.project().brolls;
    if (!list) return;
    const Uuid id = item_.id;
    const auto it = std::find_if(list->begin(), list->end(), [&](const BRoll& b) { return b.id == id; });
    if (it == list->end()) return;
    const auto index = static_cast<std::size_t>(it - list->begin());
    editor_.updateProject([&](Project& p) { change((*p.brolls)[index]); });
    editor_.visualChanged();
}

}  // namespace vt::ui
