#include "ui/shorts/ClipCard.h"

#include "text/ShortsPicker.h"
#include "ui/inspector/FlowLayout.h"
#include "ui/inspector/KitText.h"
#include "ui/inspector/TimeFormat.h"
#include "ui/shorts/ScoreBadge.h"
#include "ui/theme/Theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace vt::ui {
namespace {

constexpr qreal kCardRadius = 12;
constexpr qreal kThumbRadius = 8;

QColor faded(QColor c, qreal opacity)
{
    c.setAlphaF(float(c.alphaF() * opacity));
    return c;
}

QString css(const QColor& c) { return c.name(QColor::HexArgb); }

QLabel* chip(const QString& text, QWidget* parent)
{
    auto* c = kit::label(text, 10.5, QFont::Medium, Theme::ink, parent);
    Appearances::setStyleSheet(c, [] {
        return QStringLiteral("color: %1; background: %2; border-radius: 8px; padding: 2px 7px;")
            .arg(css(Theme::ink), css(faded(Theme::ink, 0.07)));
    });
    return c;
}

}  // namespace

ChoiceCircle::ChoiceCircle(QWidget* parent) : QAbstractButton(parent)
{
    setFixedSize(22, 22);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);  // Space belongs to the preview
    setChosen(false);
}

void ChoiceCircle::setChosen(bool chosen)
{
    setChecked(chosen);
    setCheckable(true);
    setChecked(chosen);
    setToolTip(chosen ? tr("Don't make this one") : tr("Make this one a Short"));
    setAccessibleName(chosen ? tr("Selected") : tr("Not selected"));
    update();
}

void ChoiceCircle::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(2, 2, -2, -2);
    if (isChecked()) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(Theme::accent));
        p.drawEllipse(box);
        QPainterPath tick;
        tick.moveTo(box.left() + box.width() * 0.28, box.center().y());
        tick.lineTo(box.left() + box.width() * 0.45, box.top() + box.height() * 0.68);
        tick.lineTo(box.left() + box.width() * 0.74, box.top() + box.height() * 0.34);
        p.setPen(QPen(Theme::onAccent, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(tick);
    } else {
        p.setPen(QPen(faded(Theme::secondaryText, 0.6), 1.5));
        p.drawEllipse(box);
    }
}

ClipThumbnail::ClipThumbnail(QString duration, QWidget* parent) : QWidget(parent), duration_(std::move(duration))
{
    setFixedSize(128, 72);
}

void ClipThumbnail::setPicture(const QImage& picture)
{
    picture_ = picture;
    update();
}

void ClipThumbnail::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), kThumbRadius, kThumbRadius);
    p.setClipPath(shape);
    p.fillRect(rect(), QColor(Theme::muted));
    if (!picture_.isNull()) {
        // Scaled to fill and cut to the frame.
        const QSize filled = picture_.size().scaled(size(), Qt::KeepAspectRatioByExpanding);
        p.drawImage(QRect(QPoint((width() - filled.width()) / 2, (height() - filled.height()) / 2), filled), picture_);
    }
    QFont font = p.font();
    font.setPointSizeF(10.5);
    font.setWeight(QFont::DemiBold);
    p.setFont(font);
    const QFontMetrics metrics(font);
    const QRect text = metrics.boundingRect(duration_);
    const QRectF badge(width() - 5 - text.width() - 10, height() - 5 - text.height() - 4, text.width() + 10, text.height() + 4);
    p.setPen(Qt::NoPen);
    p.setBrush(faded(Theme::mediaScrim, 0.6));
    p.drawRoundedRect(badge, badge.height() / 2, badge.height() / 2);
    p.setPen(Theme::onMedia);
    p.drawText(badge, Qt::AlignCenter, duration_);
}

ClipCard::ClipCard(ShortsPicker& picker, ClipFinder::Clip clip, int rank, QWidget* parent)
    : QWidget(parent), picker_(picker), clip_(std::move(clip))
{
    setCursor(Qt::PointingHandCursor);
    setAccessibleName(QString::fromStdString(clip_.title));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(10, 10, 10, 10);
    row->setSpacing(12);
    circle_ = new ChoiceCircle(this);
    connect(circle_, &QAbstractButton::clicked, this, [this] { picker_.toggleChosen(clip_.id()); });
    row->addWidget(circle_, 0, Qt::AlignTop);
    thumbnail_ = new ClipThumbnail(formatTime(clip_.end - clip_.start), this);
    row->addWidget(thumbnail_, 0, Qt::AlignTop);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(5);
    auto* title = kit::label(QStringLiteral("\u201C%1\u201D").arg(QString::fromStdString(clip_.title)), 13.5, QFont::DemiBold, Theme::ink, this);
    title->setWordWrap(true);
    title->setMaximumHeight(title->fontMetrics().lineSpacing() * 2 + 2);
    texts->addWidget(title);
    auto* meta = kit::label(QStringLiteral("#%1 \u00b7 %2 \u2013 %3").arg(rank).arg(formatTime(clip_.start), formatTime(clip_.end)), 11.5,
                       QFont::Normal, Theme::secondaryText, this);
    texts->addWidget(meta);
    if (!clip_.reasons.empty()) {
        auto* chips = new QWidget(this);
        auto* flow = new FlowLayout(5, 5, chips);
        for (const std::string& reason : clip_.reasons) flow->addWidget(chip(QString::fromStdString(reason), chips));
        texts->addWidget(chips);
    }
    texts->addStretch(1);
    row->addLayout(texts, 1);
    row->addSpacing(8);
    row->addWidget(new ScoreBadge(clip_.score, this), 0, Qt::AlignTop);

    connect(&picker_, &ShortsPicker::chosenChanged, this, &ClipCard::showChoice);
    connect(&picker_, &ShortsPicker::currentChanged, this, qOverload<>(&QWidget::update));
    connect(&picker_, &ShortsPicker::thumbsChanged, this, &ClipCard::showThumbnail);
    showChoice();
    showThumbnail();
}

bool ClipCard::isCurrent() const { return picker_.current() && picker_.current()->id() == clip_.id(); }

void ClipCard::showChoice() { circle_->setChosen(picker_.chosen().contains(clip_.id())); }

void ClipCard::showThumbnail()
{
    const auto found = picker_.thumbs().find(clip_.id());
    if (found != picker_.thumbs().end() && !thumbnail_->hasPicture()) thumbnail_->setPicture(found->second);
}

void ClipCard::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const bool current = isCurrent();
    const qreal border = current ? 1.5 : 1;
    const QRectF box = QRectF(rect()).adjusted(border / 2, border / 2, -border / 2, -border / 2);
    p.setBrush(current ? QColor(Theme::selected) : QColor(Theme::surface));
    p.setPen(QPen(current ? QColor(Theme::accent) : QColor(Theme::hairline), border));
    p.drawRoundedRect(box, kCardRadius, kCardRadius);
}

void ClipCard::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) picker_.select(clip_);
}

}  // namespace vt::ui
