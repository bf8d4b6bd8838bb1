#include "ui/shell/EditorTips.h"

#include "ui/editor/EditorIcons.h"
#include "ui/inspector/CompactButton.h"
#include "ui/theme/Motion.h"
#include "captions/presets/StylePresets.h"
#include "ui/theme/Theme.h"

#include <QGraphicsDropShadowEffect>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>
#include <QVariantAnimation>

#include <cmath>

#include <string>

namespace vt {
namespace {

constexpr int kCardWidth = 340;
constexpr int kSideMargin = 120;
constexpr int kEdgeMargin = 110;
constexpr qreal kRadius = 14;
constexpr int kTileSide = 32;

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QFont sized(qreal points, QFont::Weight weight)
{
    QFont f;
    f.setPointSizeF(points);
    f.setWeight(weight);
    return f;
}

QLabel* label(const QString& text, qreal points, QFont::Weight weight, const DynamicColor& colour)
{
    auto* l = new QLabel(text);
    l->setFont(sized(points, weight));
    Appearances::setColor(l, QPalette::WindowText, colour);
    return l;
}

// The card's soft shadow, and its fade and scale while it comes and goes:
// one effect, as a widget carries only one.
class CardEffect : public QGraphicsDropShadowEffect {
public:
    explicit CardEffect(QObject* parent) : QGraphicsDropShadowEffect(parent)
    {
        setColor(QColor(0, 0, 0, 64));  // black at 0.25
        setBlurRadius(20);
        setOffset(0, 8);
    }
    qreal opacity() const { return opacity_; }
    qreal scale() const { return scale_; }
    void set(qreal opacity, qreal scale)
    {
        opacity_ = opacity;
        scale_ = scale;
        update();
    }

protected:
    void draw(QPainter* painter) override
    {
        painter->save();
        painter->setOpacity(painter->opacity() * opacity_);
        const QPointF centre = sourceBoundingRect(Qt::LogicalCoordinates).center();
        painter->translate(centre);
        painter->scale(scale_, scale_);
        painter->translate(-centre);
        QGraphicsDropShadowEffect::draw(painter);
        painter->restore();
    }

private:
    qreal opacity_ = 1;
    qreal scale_ = 1;
};

class Card : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath shape;
        shape.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), kRadius, kRadius);
        p.fillPath(shape, QColor(Theme::surfaceRaised));
        p.setPen(QPen(QColor(Theme::hairline), 1));
        p.drawPath(shape);
    }
};

// The tip's symbol on an accent tile.
class IconTile : public QWidget {
public:
    IconTile(const QString& symbol, QWidget* parent) : QWidget(parent), symbol_(symbol) { setFixedSize(kTileSide, kTileSide); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath tile;
        tile.addRoundedRect(QRectF(rect()), 9, 9);
        p.fillPath(tile, QColor(Theme::accent));
        // A 15-point glyph's height.
        const qreal side = std::round(QFontMetricsF(sized(15, QFont::DemiBold)).ascent());
        const QRectF box((width() - side) / 2, (height() - side) / 2, side, side);
        ui::EditorIcons::draw(p, symbol_, box, Theme::onAccent);
    }

private:
    QString symbol_;
};

// The page dots: one per tip, the current one in the accent.
class Dots : public QWidget {
public:
    Dots(int current, QWidget* parent) : QWidget(parent), current_(current)
    {
        const int n = static_cast<int>(EditorTips::tips().size());
        setFixedSize(6 * n + 5 * (n - 1), 6);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        for (int i = 0; i < static_cast<int>(EditorTips::tips().size()); ++i) {
            p.setBrush(i == current_ ? QColor(Theme::accent) : QColor(Theme::border));
            p.drawEllipse(QRect(i * 11, 0, 6, 6));
        }
    }

private:
    int current_;
};

}  // namespace

const std::vector<EditorTips::Tip>& EditorTips::tips()
{
    static const std::string looks = "Styles has " + std::to_string(StylePresets::all().size()) +
                                     " caption looks: click one and every caption changes. Customize fine-tunes the font, "
                                     "colors and animation.";
    static const std::vector<Tip> list{
        {"scissors", "Edit by deleting words",
         "Click a word in the transcript and press Delete: it's cut from the video. Shift-click to pick a whole sentence. Ctrl+Z undoes.",
         Qt::AlignBottom | Qt::AlignLeft},
        {"hand.draw", "Drag your captions",
         "Pause, then drag a caption word in the preview to move it. Pick words to make them bigger, recolor them or give them their own style.",
         Qt::AlignCenter},
        {"textformat", "Pick a look", looks, Qt::AlignTop | Qt::AlignRight},
    };
    return list;
}

EditorTips::EditorTips(std::function<void()> done, QWidget* parent) : QWidget(parent), done_(std::move(done))
{
    setFocusPolicy(Qt::StrongFocus);
    if (parent) setGeometry(parent->rect());
    card_ = makeCard(0);
    place(card_, 0);
}

QWidget* EditorTips::makeCard(int step)
{
    const Tip& tip = tips()[static_cast<std::size_t>(step)];
    const bool last = step + 1 == static_cast<int>(tips().size());
    auto* card = new Card(this);
    card->setObjectName("tipCard");
    card->setFixedWidth(kCardWidth);
    card->setGraphicsEffect(new CardEffect(card));
    auto* layout = new QVBoxLayout(card);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(10);

    auto* header = new QHBoxLayout;
    header->setSpacing(10);
    header->addWidget(new IconTile(qs(tip.icon), card), 0, Qt::AlignVCenter);
    auto* titles = new QVBoxLayout;
    titles->setSpacing(1);
    counter_ = label(tr("Tip %1 of %2").arg(step + 1).arg(tips().size()), 11, QFont::Medium, Theme::secondaryText);
    titles->addWidget(counter_);
    QLabel* title = label(qs(tip.title), 15, QFont::DemiBold, Theme::ink);
    title->setWordWrap(true);  // a second line where large text needs it
    titles->addWidget(title);
    header->addLayout(titles, 1);
    layout->addLayout(header);

    QLabel* text = label(qs(tip.text), 13, QFont::Normal, Theme::ink);
    text->setWordWrap(true);
    layout->addWidget(text);

    auto* footer = new QHBoxLayout;
    footer->addWidget(new Dots(step, card), 0, Qt::AlignVCenter);
    footer->addStretch(1);
    skip_ = new ui::CompactButton(tr("Skip"), ui::CompactButton::Kind::secondary, card);
    forward_ = new ui::CompactButton(last ? tr("Start Editing") : tr("Next"), ui::CompactButton::Kind::primary, card);
    forward_->setDefault(true);
    connect(skip_, &QPushButton::clicked, this, [this] { done_(); });
    connect(forward_, &QPushButton::clicked, this, &EditorTips::forward);
    footer->addWidget(skip_);
    footer->addWidget(forward_);
    layout->addLayout(footer);
    // A fixed-width card with wrapped text is as tall as its text needs at
    // that width; the layout's own minimum would measure it narrower.
    card->setFixedHeight(layout->totalHeightForWidth(kCardWidth));
    card->show();
    return card;
}

QString EditorTips::counterText() const { return counter_->text(); }

qreal EditorTips::drawnOpacity(const QWidget* card)
{
    const auto* effect = card ? dynamic_cast<const CardEffect*>(card->graphicsEffect()) : nullptr;
    return effect ? effect->opacity() : 0;
}

qreal EditorTips::drawnScale(const QWidget* card)
{
    const auto* effect = card ? dynamic_cast<const CardEffect*>(card->graphicsEffect()) : nullptr;
    return effect ? effect->scale() : 0;
}

bool EditorTips::isChanging() const { return change_ && change_->state() == QAbstractAnimation::Running; }

void EditorTips::showStep(int step)
{
    if (change_) change_->stop();  // ends the previous change at once
    if (leaving_) leaving_->deleteLater();
    leaving_ = card_;
    leavingStep_ = step_;
    leaving_->setEnabled(false);
    leaving_->setAttribute(Qt::WA_TransparentForMouseEvents);
    step_ = step;
    card_ = makeCard(step);
    place(card_, step);

    const bool reduced = Motion::reduced();
    auto* effectIn = static_cast<CardEffect*>(card_->graphicsEffect());
    auto* effectOut = static_cast<CardEffect*>(leaving_->graphicsEffect());
    auto* change = new QVariantAnimation(this);
    change->setStartValue(0.0);
    change->setEndValue(1.0);
    change->setDuration(changeMs);
    // A quick, nearly critically damped spring; a plain fade with less motion.
    change->setEasingCurve(reduced ? QEasingCurve::InOutQuad : QEasingCurve::OutCubic);
    const auto show = [effectIn, effectOut, reduced](qreal t) {
        effectIn->set(t, reduced ? 1 : 0.96 + 0.04 * t);
        effectOut->set(1 - t, reduced ? 1 : 1 - 0.04 * t);
    };
    show(0);
    connect(change, &QVariantAnimation::valueChanged, this, [show](const QVariant& v) { show(v.toReal()); });
    QWidget* leaving = leaving_;
    connect(change, &QVariantAnimation::finished, this, [show, leaving] {
        show(1);
        leaving->deleteLater();
    });
    change_ = change;
    change->start(QAbstractAnimation::DeleteWhenStopped);
}

void EditorTips::forward()
{
    if (step_ + 1 < static_cast<int>(tips().size())) showStep(step_ + 1);
    else done_();
}

void EditorTips::place(QWidget* card, int step)
{
    const Qt::Alignment where = tips()[static_cast<std::size_t>(step)].place;
    const bool centre = where == Qt::AlignCenter;
    const QRect area = centre ? rect() : rect().adjusted(kSideMargin, kEdgeMargin, -kSideMargin, -kEdgeMargin);
    QPoint at = area.center() - QPoint(card->width() / 2, card->height() / 2);
    if (where & Qt::AlignLeft) at.setX(area.left());
    if (where & Qt::AlignRight) at.setX(area.right() - card->width());
    if (where & Qt::AlignTop) at.setY(area.top());
    if (where & Qt::AlignBottom) at.setY(area.bottom() - card->height());
    card->move(at);
}

void EditorTips::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QColor scrim = Theme::mediaScrim;
    scrim.setAlphaF(0.35);
    p.fillRect(rect(), scrim);
}

void EditorTips::mousePressEvent(QMouseEvent* event) { event->accept(); }

void EditorTips::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        forward();
        return;
    }
    QWidget::keyPressEvent(event);
}

void EditorTips::resizeEvent(QResizeEvent*)
{
    place(card_, step_);
    if (leaving_) place(leaving_, leavingStep_);
}

}  // namespace vt
