#include "ui/editor/TranscriptLegend.h"

#include "ui/editor/WordChip.h"
#include "ui/theme/TextFitting.h"
#include "ui/theme/Theme.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace vt::ui {
namespace {

QFont sampleFont()
{
    QFont f;
    f.setPointSizeF(13);
    f.setWeight(QFont::Medium);
    return f;
}

}  // namespace

LegendSample::LegendSample(Kind kind, const QString& text, QWidget* parent) : QWidget(parent), kind_(kind), text_(text)
{
    setFixedWidth(64);
}

QSize LegendSample::sizeHint() const { return {64, QFontMetrics(sampleFont()).height() + 8}; }

void LegendSample::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF metrics(sampleFont());
    const double w = metrics.horizontalAdvance(text_) + 8;
    const QRectF box(0, (height() - metrics.height() - 4) / 2, w, metrics.height() + 4);
    painter.setFont(sampleFont());
    QColor textColour = palette().color(QPalette::WindowText);
    painter.setPen(Qt::NoPen);
    switch (kind_) {
    case Kind::line: painter.setBrush(QColor(Theme::highlight)); painter.drawRoundedRect(box, 5, 5); break;
    case Kind::spoken:
        painter.setBrush(QColor(Theme::accent));
        painter.drawRoundedRect(box, 5, 5);
        textColour = Theme::onAccent;
        break;
    case Kind::cut: textColour = Theme::secondaryText; break;
    case Kind::picked:
        painter.setPen(QPen(QColor(Theme::ink), 1.5));
        painter.drawRoundedRect(box.adjusted(0.75, 0.75, -0.75, -0.75), 5, 5);
        break;
    case Kind::broll:
    case Kind::style:
        painter.setBrush(kind_ == Kind::broll ? QColor(Theme::accent) : WordChip::motionTint());
        painter.drawRoundedRect(QRectF(box.left(), box.bottom() - 2 + 3, box.width(), 2), 1, 1);
        break;
    }
    painter.setPen(textColour);
    const QRectF textRect = box.adjusted(4, 0, -4, 0);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, text_);
    if (kind_ == Kind::cut) {
        painter.setPen(QPen(WordChip::strikeColour(), 1.3));
        painter.drawLine(QPointF(textRect.left(), textRect.center().y()), QPointF(textRect.right(), textRect.center().y()));
    }
}

TranscriptLegend::TranscriptLegend(QWidget* parent) : SymbolButton("questionmark.circle", {22, 22}, 16, parent)
{
    setToolTip(QStringLiteral("What the colors mean"));
    setAccessibleName(tr("Transcript legend"));
    setCursor(Qt::PointingHandCursor);
    connect(this, &QToolButton::clicked, this, &TranscriptLegend::toggle);
}

bool TranscriptLegend::isOpen() const { return popup_ && popup_->isVisible(); }

void TranscriptLegend::toggle()
{
    if (isOpen()) {
        popup_->close();
        return;
    }
    if (!popup_) {
        popup_ = new QFrame(this, Qt::Popup);
        popup_->setFixedWidth(330);
        popup_->setObjectName("legendPopup");
        auto* column = new QVBoxLayout(popup_);
        column->setContentsMargins(14, 14, 14, 14);
        column->setSpacing(10);
        QFont font;
        font.setPointSizeF(12.5);
        popup_->setFont(font);
        using K = LegendSample::Kind;
        const struct {
            K kind;
            QString sample;
            QString text;
        } rows[] = {
            {K::line, tr("words"), "The caption on screen now"},
            {K::spoken, tr("word"), "The word being spoken"},
            {K::cut, tr("word"), "Cut from the video (Delete again or Ctrl+Z brings it back)"},
            {K::picked, tr("word"), "Picked: Delete cuts it, typing retypes it"},
            {K::broll, tr("word"), "Covered by B-roll"},
            {K::style, tr("word"), "Has a caption style of its own"},
        };
        for (const auto& row : rows) {
            if (row.kind == K::picked) {
                auto* divider = new QFrame(popup_);
                divider->setFrameShape(QFrame::HLine);
                column->addWidget(divider);
            }
            auto* line = new QHBoxLayout;
            line->setSpacing(12);
            line->addWidget(new LegendSample(row.kind, row.sample, popup_));
            auto* label = new QLabel(row.text, popup_);
            label->setWordWrap(true);
            Appearances::setColor(label, QPalette::WindowText, Theme::ink);
            line->addWidget(label, 1);
            column->addLayout(line);
        }
    }
    popup_->adjustSize();
    fitHeightToWidth(*popup_);
    const QPoint below = mapToGlobal(QPoint(width() / 2 - popup_->width() / 2, -popup_->height() - 4));
    popup_->move(below);
    popup_->show();
}

}  // namespace vt::ui
