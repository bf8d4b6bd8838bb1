#include "ui/editor/WaveformScrubber.h"

#include "editor/EditorModel.h"
#include "ui/inspector/KitText.h"
#include "ui/inspector/TimeFormat.h"
#include "ui/theme/Theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace vt::ui {

// Times at 11 points, at their ideal width.
QLabel* timeLabel(QFont::Weight weight, const QColor& colour, QWidget* parent)
{
    auto* label = kit::label({}, 11, weight, colour, parent);
    QFont f = label->font();
    label->setFont(f);
    label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    return label;
}

WaveformScrubber::WaveformScrubber(EditorModel& editor, QWidget* parent) : QWidget(parent), editor_(editor)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(10, 0, 10, 0);
    row->setSpacing(8);
    current_ = timeLabel(QFont::Medium, Theme::ink, this);
    total_ = timeLabel(QFont::Normal, Theme::secondaryText, this);
    area_ = new WaveformArea(editor, *this);
    row->addWidget(current_);
    row->addWidget(area_, 1);
    row->addWidget(total_);
    connect(&editor, &EditorModel::currentTimeChanged, this, &WaveformScrubber::refreshTexts);
    connect(&editor, &EditorModel::planChanged, this, &WaveformScrubber::refreshTexts);
    refreshTexts();
}

int WaveformScrubber::barCount(double width) { return std::max(static_cast<int>(0.25 * width), 20); }

double WaveformScrubber::duration(const EditorModel& editor) { return std::max(editor.plan().outputLength(), 0.1); }

double WaveformScrubber::timeAt(double x, double width, double duration)
{
    const double fraction = std::clamp(width >= 1 ? x / width : x, 0.0, 1.0);
    return fraction * duration;
}

QString WaveformScrubber::currentText() const { return current_->text(); }
QString WaveformScrubber::totalText() const { return total_->text(); }

void WaveformScrubber::refreshTexts()
{
    current_->setText(formatTime(editor_.currentTime()));
    total_->setText(formatTime(editor_.plan().outputLength()));
    area_->update();
}

void WaveformScrubber::paintEvent(QPaintEvent*) { paintScrubberBackground(*this); }

void paintScrubberBackground(QWidget& widget)
{
    QPainter painter(&widget);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor fill = Theme::ink;
    fill.setAlphaF(0.05f);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(widget.rect(), 7, 7);
}

WaveformArea::WaveformArea(EditorModel& editor, WaveformScrubber& scrubber)
    : QWidget(&scrubber), editor_(editor), scrubber_(scrubber)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setCursor(Qt::PointingHandCursor);
    connect(&editor, &EditorModel::waveformPeaksChanged, this, qOverload<>(&QWidget::update));
    connect(&editor, &EditorModel::voicePeaksChanged, this, qOverload<>(&QWidget::update));
}

void WaveformArea::paintEvent(QPaintEvent*)
{
    // The model answers from its cache while the count, length and peaks stay.
    bars_ = editor_.waveformBars(WaveformScrubber::barCount(scrubber_.width()));
    const double w = width(), h = height();
    const double d = WaveformScrubber::duration(editor_);
    const double p = std::clamp(editor_.currentTime() / d, 0.0, 1.0);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const auto c = static_cast<int>(bars_.size());
    const int played = static_cast<int>(c * p);
    if (c > 0) {
        const double step = w / c;
        const double barWidth = std::max(0.55 * step, 1.0);
        const double radius = 0.3 * step;
        QColor ink = Theme::ink;
        QColor faint = ink;
        faint.setAlphaF(0.25f);
        for (int i = 0; i < c; ++i) {
            const double hb = std::max(bars_[static_cast<std::size_t>(i)] * h, 2.0);
            painter.setBrush(i < played ? ink : faint);
            painter.drawRoundedRect(QRectF(step * i + 0.2 * step, (h - hb) / 2, barWidth, hb), radius, radius);
        }
    }
    painter.setBrush(QColor(Theme::accent));
    painter.drawRect(QRectF(w * p - 1, 0, 2, h));
}

void WaveformArea::seek(double x)
{
    editor_.seekExactly(WaveformScrubber::timeAt(x, width(), WaveformScrubber::duration(editor_)));
}

void WaveformArea::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) seek(event->position().x());
}

void WaveformArea::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton) seek(event->position().x());
}

}  // namespace vt::ui
