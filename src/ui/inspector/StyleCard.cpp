#include "ui/inspector/StyleCard.h"

#include "captions/look/StyleVariants.h"
#include "captions/presets/StylePresets.h"
#include "editor/EditorModel.h"
#include "ui/inspector/ColorwayRow.h"
#include "ui/inspector/KitColors.h"
#include "ui/inspector/PopularTag.h"
#include "ui/theme/Theme.h"

#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTime>
#include <QTimer>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace vt::ui {

namespace {

constexpr int kNameGap = 5;
constexpr int kNameHeight = 16;
constexpr int kColorwayHeight = 12;

bool isPopular(const std::string& id)
{
    const auto ids = StylePresets::popularIDs();
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

QColor scrim(double opacity)
{
    QColor c = Theme::mediaScrim;
    c.setAlphaF(opacity);
    return c;
}

}  // namespace

StyleCard::StyleCard(EditorModel& editor, CaptionStyle style, bool selected, QWidget* parent)
    : QWidget(parent),
      editor_(editor),
      cache_(&editor.previewCache()),
      style_(std::move(style)),
      selected_(selected),
      spinner_(new QTimer(this))
{
    setCursor(Qt::PointingHandCursor);
    setAccessibleName(QString::fromStdString(style_.name));
    if (isPopular(style_.id)) popular_ = new PopularTag(this);
    spinner_->setInterval(80);
    connect(spinner_, &QTimer::timeout, this, qOverload<>(&QWidget::update));
    connect(&editor_, &EditorModel::projectChanged, this, &StyleCard::refresh);
    connect(&editor_, &EditorModel::posterFrameChanged, this, &StyleCard::refresh);
    connect(&editor_.previewCache(), &StylePreviewCache::stylePreviewsChanged, this, &StyleCard::refresh);
    refresh();
}

StyleCard::~StyleCard() { cancelTask(); }

double StyleCard::ratio(const EditorModel& editor)
{
    switch (editor.project().aspect) {
    case OutputAspect::vertical: return 1080.0 / 1920;
    case OutputAspect::portrait: return 1080.0 / 1350;
    case OutputAspect::square: return 1.0;
    case OutputAspect::landscape: return 1920.0 / 1080;
    }
    return 1080.0 / 1920;
}

int StyleCard::heightFor(const EditorModel& editor, int width)
{
    return static_cast<int>(std::ceil(width / ratio(editor))) + kNameGap + kNameHeight + kNameGap + kColorwayHeight;
}

const CaptionStyle& StyleCard::shownLook() const { return selected_ ? editor_.project().style : style_; }

std::string StyleCard::previewKey() const { return editor_.previewKey(shownLook()); }

std::string StyleCard::taskID() const
{
    const Project& p = editor_.project();
    return previewKey() + "|" + (editor_.posterFrame() ? "true" : "false") + "|" + std::string(json::enumText(p.aspect))
         + "|" + std::string(json::enumText(p.reframe));
}

bool StyleCard::hasPreview() const { return editor_.previewCache().stylePreviews().count(previewKey()) > 0; }

QString StyleCard::help() const
{
    const QString name = QString::fromStdString(style_.name);
    return style_.blurb ? name + QStringLiteral(": ") + QString::fromStdString(*style_.blurb) : name;
}

void StyleCard::setSelected(bool selected)
{
    if (selected == selected_) return;
    selected_ = selected;
    refresh();
}

void StyleCard::refresh()
{
    const bool recolourable = selected_ && StyleVariants::canRecolor(style_);
    if (recolourable && !colorways_) {
        colorways_ = new ColorwayRow(editor_, style_, this);
        colorways_->show();
    } else if (!recolourable && colorways_) {
        colorways_->hide();
        colorways_->deleteLater();
        colorways_ = nullptr;
    } else if (colorways_) {
        colorways_->refresh();
    }
    place();
    if (isVisible()) updateTask();
    if (hasPreview()) spinner_->stop();
    update();
}

// A new task cancels the old one; a cached picture needs no task.
void StyleCard::updateTask()
{
    const std::string id = taskID();
    if (id == task_) return;
    cancelTask();
    task_ = id;
    requestedKey_ = previewKey();
    editor_.ensurePreview(shownLook());
    if (!hasPreview()) spinner_->start();
}

void StyleCard::cancelTask()
{
    if (!requestedKey_.empty() && cache_) cache_->cancelPreview(requestedKey_);
    task_.clear();
    requestedKey_.clear();
    spinner_->stop();
}

QRectF StyleCard::previewRect() const
{
    const QRectF full(0, 0, width(), std::ceil(width() / ratio(editor_)));
    return selected_ ? full.adjusted(3, 3, -3, -3) : full;
}

QRectF StyleCard::behindBadgeRect() const
{
    const QRectF r = previewRect();
    return {r.right() - 5 - 22, r.top() + 5, 22, 22};
}

void StyleCard::place()
{
    if (popular_) {
        const int inset = selected_ ? 9 : 6;
        popular_->move(inset, inset);
    }
    if (colorways_) {
        const int top = static_cast<int>(std::ceil(width() / ratio(editor_))) + kNameGap + kNameHeight + kNameGap;
        colorways_->setGeometry(0, top, width(), kColorwayHeight);
    }
}

void StyleCard::resizeEvent(QResizeEvent*) { place(); }

void StyleCard::showEvent(QShowEvent*) { updateTask(); }

void StyleCard::hideEvent(QHideEvent*) { cancelTask(); }

void StyleCard::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF full(0, 0, width(), std::ceil(width() / ratio(editor_)));
    const QRectF preview = previewRect();
    QPainterPath clip;
    clip.addRoundedRect(preview, 10, 10);
    p.save();
    p.setClipPath(clip);
    p.fillRect(preview, scrim(0.85));
    const auto& previews = editor_.previewCache().stylePreviews();
    const auto found = previews.find(previewKey());
    if (found != previews.end()) {
        const QSizeF fitted = QSizeF(found->second.size()).scaled(preview.size(), Qt::KeepAspectRatio);
        p.drawImage(QRectF(preview.center() - QPointF(fitted.width() / 2, fitted.height() / 2), fitted), found->second);
    } else {
        // A small spinner while the picture is drawn.
        const int turn = static_cast<int>(QTime::currentTime().msecsSinceStartOfDay() / 80 % 12);
        p.setPen(QPen(QColor(255, 255, 255, 200), 2, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(preview.center() - QPointF(8, 8), QSizeF(16, 16)), -turn * 30 * 16, 270 * 16);
    }
    p.restore();
    p.setBrush(Qt::NoBrush);
    if (selected_) {
        p.setPen(QPen(QColor(kit::accent()), 2.5));
        p.drawRoundedRect(full.adjusted(1.25, 1.25, -1.25, -1.25), 13, 13);
    }
    if (style_.behindSubject) {
        const QRectF badge = behindBadgeRect();
        p.setPen(Qt::NoPen);
        p.setBrush(scrim(0.55));
        p.drawEllipse(badge);
        p.setPen(Theme::onMedia);
        QFont f = font();
        f.setPointSizeF(9);
        p.setFont(f);
        p.drawText(badge, Qt::AlignCenter, QStringLiteral("👤"));
    }
    QFont nameFont = font();
    nameFont.setPointSizeF(11.5);
    nameFont.setWeight(selected_ ? QFont::DemiBold : QFont::Normal);
    p.setFont(nameFont);
    p.setPen(selected_ ? kit::ink() : kit::secondaryText());
    const QRectF nameBox(0, full.bottom() + kNameGap, width(), kNameHeight);
    const QString name = QFontMetrics(nameFont).elidedText(QString::fromStdString(style_.name), Qt::ElideRight, width());
    p.drawText(nameBox, Qt::AlignHCenter | Qt::AlignVCenter, name);
}

void StyleCard::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

void StyleCard::contextMenuEvent(QContextMenuEvent* event) { emit menuRequested(event->globalPos()); }

bool StyleCard::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const bool onBadge = style_.behindSubject && behindBadgeRect().contains(help->pos());
        QToolTip::showText(help->globalPos(), onBadge ? QStringLiteral("Text renders behind you") : this->help(), this);
        return true;
    }
    return QWidget::event(event);
}

}  // namespace vt::ui
