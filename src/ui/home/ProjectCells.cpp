#include "ui/home/ProjectCells.h"

#include "ui/home/PosterCache.h"
#include "ui/home/ProjectSort.h"
#include "ui/inspector/TimeFormat.h"
#include "ui/theme/Theme.h"

#include <QContextMenuEvent>
#include <QGraphicsOpacityEffect>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace vt {

namespace {

QFont systemFont(qreal points, QFont::Weight weight)
{
    QFont font;
    font.setPointSizeF(points);
    font.setWeight(weight);
    return font;
}

QColor withAlpha(QColor colour, qreal alpha)
{
    colour.setAlphaF(colour.alphaF() * alpha);
    return colour;
}

// A scrim badge on the poster: text in the media colour on a rounded scrim.
void paintBadge(QPainter& painter, const QString& text, QPointF anchor, bool alignRight)
{
    const QFont font = systemFont(11, QFont::DemiBold);
    const QFontMetricsF metrics(font);
    const QSizeF size(metrics.horizontalAdvance(text) + 12, metrics.height() + 6);
    QRectF box(anchor, size);
    if (alignRight) box.moveTopRight(anchor);
    painter.setPen(Qt::NoPen);
    painter.setBrush(withAlpha(Theme::mediaScrim, 0.6));
    painter.drawRoundedRect(box, 5, 5);
    painter.setFont(font);
    painter.setPen(Theme::onMedia);
    painter.drawText(box, Qt::AlignCenter, text);
}

QFont cardNameFont() { return systemFont(13, QFont::Medium); }

// A long name loses its middle, so that names differing only at the end,
// like a project and its " copy", still tell apart.
QString elidedName(const QFontMetrics& metrics, const std::string& name, int width)
{
    return metrics.elidedText(QString::fromStdString(name), Qt::ElideMiddle, width);
}

}  // namespace

ProjectCell::ProjectCell(Project project, ProjectActions actions, std::function<void()> open, QWidget* parent)
    : QWidget(parent), project_(std::move(project)), actions_(std::move(actions)), open_(std::move(open))
{
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::PointingHandCursor);
    setToolTip(tr("Open %1").arg(QString::fromStdString(project_.name)));
    setAccessibleName(QString::fromStdString(project_.name));
    actionsButton_ = new QToolButton(this);
    actionsButton_->setText(QStringLiteral("\u2022\u2022\u2022"));
    actionsButton_->setToolTip(tr("Rename, duplicate, show in the file manager or delete"));
    actionsButton_->setAccessibleName(tr("Project actions"));
    actionsButton_->setAutoRaise(true);
    // The menu is made when asked for, so hundreds of cells stay light.
    connect(actionsButton_, &QToolButton::clicked, this, [this] {
        QMenu menu(this);
        actions_.addTo(menu);
        menu.exec(actionsButton_->mapToGlobal(QPoint(0, actionsButton_->height())));
    });
    connect(&PosterCache::shared(), &PosterCache::loaded, this, [this](const QString& id) {
        if (id == QString::fromStdString(project_.id.text())) update();
    });
}

QString ProjectCell::badgeText() const
{
    const auto badge = projectBadge(project_);
    return badge ? badge->text : QString();
}

QString ProjectCell::durationText() const { return ui::formatTime(project_.length()); }

bool ProjectCell::showsPoster() const { return PosterCache::shared().poster(project_.id).has_value(); }

void ProjectCell::enterEvent(QEnterEvent*)
{
    hover_ = true;
    hoverChanged();
    update();
}

void ProjectCell::leaveEvent(QEvent*)
{
    hover_ = false;
    hoverChanged();
    update();
}

void ProjectCell::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && open_) open_();
}

void ProjectCell::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    actions_.addTo(menu);
    menu.exec(event->globalPos());
}

void ProjectCell::paintPoster(QPainter& painter, const QRectF& box, qreal radius) const
{
    QPainterPath clip;
    clip.addRoundedRect(box, radius, radius);
    painter.save();
    painter.setClipPath(clip);
    if (const auto poster = PosterCache::shared().poster(project_.id)) {
        const QSizeF fill = QSizeF(poster->size()).scaled(box.size(), Qt::KeepAspectRatioByExpanding);
        QRectF target(QPointF(), fill);
        target.moveCenter(box.center());
        painter.drawImage(target, *poster);
    } else {
        painter.fillRect(box, QColor(Theme::muted));
    }
    painter.restore();
}

// ---- card -----------------------------------------------------------------

ProjectCard::ProjectCard(Project project, ProjectActions actions, std::function<void()> open, QWidget* parent)
    : ProjectCell(std::move(project), std::move(actions), std::move(open), parent)
{
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    actionsButton_->setFixedSize(26, 22);
    actionsButton_->setStyleSheet(QStringLiteral("QToolButton { color: white; background: rgba(0,0,0,153); border-radius: 6px; "
                                                 "font-weight: bold; }"));
    actionsButton_->move(8, 8);
    actionsButton_->hide();
    hoverChanged();
}

int ProjectCard::heightForWidth(int width) const
{
    const QFontMetrics name(cardNameFont()), line(systemFont(11.5, QFont::Normal));
    return qRound(width / 1.6) + 9 + name.height() + 2 + line.height();
}

QString ProjectCard::shownName() const
{
    return elidedName(QFontMetrics(cardNameFont()), project_.name, width() - 4);
}

QString ProjectCard::styleLine() const
{
    return QString::fromStdString(project_.style.name) + QStringLiteral(" · ") + relativeDate(project_.updatedAt);
}

void ProjectCard::hoverChanged()
{
    actionsButton_->setVisible(hover_);
}

void ProjectCard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF block(0, 0, width(), width() / 1.6);
    // The shadow: larger and lower while hovered.
    const qreal blur = hover_ ? 10 : 4, drop = hover_ ? 4 : 1;
    painter.setPen(Qt::NoPen);
    for (qreal spread = blur / 2; spread > 0; spread -= 1) {
        painter.setBrush(withAlpha(Theme::shadow, 1.0 / blur));
        painter.drawRoundedRect(block.translated(0, drop).adjusted(-spread, -spread, spread, spread), 12 + spread, 12 + spread);
    }
    paintPoster(painter, block, 12);
    paintBadge(painter, durationText(), block.topRight() + QPointF(-8, 8), true);
    if (const auto badge = projectBadge(project_)) {
        const QFontMetricsF metrics(systemFont(11, QFont::DemiBold));
        paintBadge(painter, badge->text, QPointF(8, block.bottom() - 8 - metrics.height() - 6), false);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(hover_ ? QColor(Theme::accent) : QColor(Theme::hairline), hover_ ? 2 : 1));
    const qreal inset = hover_ ? 1 : 0.5;
    painter.drawRoundedRect(block.adjusted(inset, inset, -inset, -inset), 12, 12);

    const QFont nameFont = cardNameFont(), lineFont = systemFont(11.5, QFont::Normal);
    const QFontMetrics nameMetrics(nameFont), lineMetrics(lineFont);
    const int textWidth = width() - 4;
    QRect nameBox(2, int(block.bottom()) + 9, textWidth, nameMetrics.height());
    painter.setFont(nameFont);
    painter.setPen(QColor(Theme::ink));
    painter.drawText(nameBox, Qt::AlignLeft | Qt::AlignVCenter, shownName());
    QRect lineBox(2, nameBox.bottom() + 3, textWidth, lineMetrics.height());
    painter.setFont(lineFont);
    painter.setPen(QColor(Theme::secondaryText));
    painter.drawText(lineBox, Qt::AlignLeft | Qt::AlignVCenter, lineMetrics.elidedText(styleLine(), Qt::ElideRight, textWidth));
}

// ---- row ------------------------------------------------------------------

ProjectRow::ProjectRow(Project project, ProjectActions actions, std::function<void()> open, QWidget* parent)
    : ProjectCell(std::move(project), std::move(actions), std::move(open), parent)
{
    setFixedHeight(60);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    actionsButton_->setFixedSize(22, 22);
    hoverChanged();
}

void ProjectRow::hoverChanged()
{
    auto* dim = qobject_cast<QGraphicsOpacityEffect*>(actionsButton_->graphicsEffect());
    if (!dim) {
        dim = new QGraphicsOpacityEffect(actionsButton_);
        actionsButton_->setGraphicsEffect(dim);
    }
    dim->setOpacity(hover_ ? 1.0 : 0.4);
}

void ProjectRow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (hover_) painter.fillRect(rect(), QColor(Theme::selected));
    const int right = width() - 12;
    actionsButton_->move(right - 22, (height() - 22) / 2);
    paintPoster(painter, QRectF(12, (height() - 44) / 2.0, 72, 44), 7);

    const QFont small = systemFont(12, QFont::Normal);
    painter.setFont(small);
    painter.setPen(QColor(Theme::secondaryText));
    const int dateRight = right - 22 - 14;
    painter.drawText(QRect(dateRight - 130, 0, 130, height()), Qt::AlignRight | Qt::AlignVCenter, relativeDate(project_.updatedAt));
    const int durationRight = dateRight - 130 - 14;
    painter.drawText(QRect(durationRight - 50, 0, 50, height()), Qt::AlignRight | Qt::AlignVCenter, durationText());
    int textRight = durationRight - 50 - 14;
    if (const auto badge = projectBadge(project_)) {
        const QFont badgeFont = systemFont(11.5, QFont::Normal);
        const int w = QFontMetrics(badgeFont).horizontalAdvance(badge->text);
        painter.setFont(badgeFont);
        painter.drawText(QRect(textRight - w, 0, w, height()), Qt::AlignRight | Qt::AlignVCenter, badge->text);
        textRight -= w + 14;
    }
    const int left = 12 + 72 + 14;
    const int textWidth = std::max(0, textRight - 8 - left);
    const QFont nameFont = systemFont(13, QFont::Medium), lookFont = systemFont(11.5, QFont::Normal);
    const QFontMetrics nameMetrics(nameFont), lookMetrics(lookFont);
    const int top = (height() - nameMetrics.height() - 2 - lookMetrics.height()) / 2;
    painter.setFont(nameFont);
    painter.setPen(QColor(Theme::ink));
    painter.drawText(QRect(left, top, textWidth, nameMetrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
                     elidedName(nameMetrics, project_.name, textWidth));
    painter.setFont(lookFont);
    painter.setPen(QColor(Theme::secondaryText));
    painter.drawText(QRect(left, top + nameMetrics.height() + 2, textWidth, lookMetrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
                     lookMetrics.elidedText(QString::fromStdString(project_.style.name), Qt::ElideRight, textWidth));
}

}  // namespace vt
