#include "ui/shell/EditorTips.h"

#include "captions/presets/StylePresets.h"
#include "ui/theme/Theme.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <string>

namespace vt {
namespace {

constexpr int kCardWidth = 340;
constexpr int kSideMargin = 120;
constexpr int kEdgeMargin = 110;

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
QString css(const QColor& c) { return c.name(QColor::HexArgb); }

}  // namespace

const std::vector<EditorTips::Tip>& EditorTips::tips()
{
    static const std::string looks = "Styles has " + std::to_string(StylePresets::all().size()) +
                                     " caption looks: click one and every caption changes. Customize fine-tunes the font, "
                                     "colors and animation.";
    static const std::vector<Tip> list{
        {"Edit by deleting words",
         "Click a word in the transcript and press Delete: it's cut from the video. Shift-click to pick a whole sentence. Ctrl+Z undoes.",
         Qt::AlignBottom | Qt::AlignLeft},
        {"Drag your captions",
         "Pause, then drag a caption word in the preview to move it. Pick words to make them bigger, recolor them or give them their own style.",
         Qt::AlignCenter},
        {"Pick a look", looks, Qt::AlignTop | Qt::AlignRight},
    };
    return list;
}

EditorTips::EditorTips(std::function<void()> done, QWidget* parent) : QWidget(parent), done_(std::move(done))
{
    setAttribute(Qt::WA_StyledBackground, false);
    setFocusPolicy(Qt::StrongFocus);
    card_ = new QWidget(this);
    card_->setObjectName("tipCard");
    card_->setFixedWidth(kCardWidth);
    card_->setAttribute(Qt::WA_StyledBackground);
    Appearances::setStyleSheet(card_, [] {
        return QString("#tipCard { background:%1; border:1px solid %2; border-radius:14px; } QLabel { color:%3; }")
            .arg(css(Theme::surfaceRaised), css(Theme::hairline), css(Theme::ink));
    });
    auto* layout = new QVBoxLayout(card_);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(10);
    auto* header = new QVBoxLayout;
    header->setSpacing(1);
    counter_ = new QLabel;
    Appearances::setStyleSheet(counter_, [] {
        return QString("color:%1; font-size:11pt; font-weight:500;").arg(css(Theme::secondaryText));
    });
    title_ = new QLabel;
    title_->setStyleSheet("font-size:15pt; font-weight:600;");
    header->addWidget(counter_);
    header->addWidget(title_);
    layout->addLayout(header);
    text_ = new QLabel;
    text_->setWordWrap(true);
    text_->setStyleSheet("font-size:13pt;");
    layout->addWidget(text_);
    auto* footer = new QHBoxLayout;
    dots_ = new QWidget;
    dots_->setFixedSize(6 * 3 + 5 * 2, 6);
    dots_->installEventFilter(this);
    skip_ = new QPushButton(tr("Skip"));
    forward_ = new QPushButton;
    forward_->setDefault(true);
    connect(skip_, &QPushButton::clicked, this, [this] { done_(); });
    connect(forward_, &QPushButton::clicked, this, &EditorTips::forward);
    footer->addWidget(dots_);
    footer->addStretch(1);
    footer->addWidget(skip_);
    footer->addWidget(forward_);
    layout->addLayout(footer);
    showStep(0);
    if (parent) setGeometry(parent->rect());
}

QString EditorTips::counterText() const { return counter_->text(); }

void EditorTips::showStep(int step)
{
    step_ = step;
    const Tip& tip = tips()[static_cast<std::size_t>(step)];
    counter_->setText(tr("Tip %1 of %2").arg(step + 1).arg(tips().size()));
    title_->setText(qs(tip.title));
    text_->setText(qs(tip.text));
    forward_->setText(step + 1 < static_cast<int>(tips().size()) ? tr("Next") : tr("Start Editing"));
    dots_->update();
    place();
}

void EditorTips::forward()
{
    if (step_ + 1 < static_cast<int>(tips().size())) showStep(step_ + 1);
    else done_();
}

void EditorTips::place()
{
    // A fixed-width card with wrapped text is as tall as its text needs at
    // that width; the layout's own minimum would measure it narrower.
    card_->setFixedHeight(card_->layout()->totalHeightForWidth(kCardWidth));
    const Qt::Alignment where = tips()[static_cast<std::size_t>(step_)].place;
    const bool centre = where == Qt::AlignCenter;
    const QRect area = centre ? rect() : rect().adjusted(kSideMargin, kEdgeMargin, -kSideMargin, -kEdgeMargin);
    QPoint at = area.center() - QPoint(card_->width() / 2, card_->height() / 2);
    if (where & Qt::AlignLeft) at.setX(area.left());
    if (where & Qt::AlignRight) at.setX(area.right() - card_->width());
    if (where & Qt::AlignTop) at.setY(area.top());
    if (where & Qt::AlignBottom) at.setY(area.bottom() - card_->height());
    card_->move(at);
}

void EditorTips::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QColor scrim = Theme::mediaScrim;
    scrim.setAlphaF(0.35);
    p.fillRect(rect(), scrim);
}

bool EditorTips::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == dots_ && event->type() == QEvent::Paint) {
        QPainter p(dots_);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        for (int i = 0; i < static_cast<int>(tips().size()); ++i) {
            p.setBrush(i == step_ ? QColor(Theme::accent) : QColor(Theme::border));
            p.drawEllipse(QRect(i * 11, 0, 6, 6));
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
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

void EditorTips::resizeEvent(QResizeEvent*) { place(); }

}  // namespace vt
