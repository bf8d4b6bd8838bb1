#include "ui/home/WelcomeStep.h"

#include "captions/presets/StylePresets.h"
#include "ui/home/OnboardingFooter.h"
#include "ui/inspector/KitText.h"
#include "ui/inspector/PanelCard.h"
#include "ui/theme/PrimaryActionButton.h"
#include "ui/theme/TextFitting.h"
#include "ui/theme/Theme.h"
#include "ui/theme/WindowChrome.h"

#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>
#include <QVariantAnimation>

#include <cmath>

namespace vt {

namespace {

// The headline: its lead words and "pop." in an italic display face,
// filled with the brand gradient, on one baseline. Where the width is short
// (large text, a narrow window) the words wrap onto centred lines, "pop."
// following the last word when it fits beside it.
class Headline : public QLabel {
public:
    Headline(const QString& lead, QString pop, QWidget* parent)
        : QLabel(lead, parent), words_(lead.split(QLatin1Char(' '), Qt::SkipEmptyParts)), pop_(std::move(pop))
    {
        setProperty(fitsOwnTextProperty, true);
        leadFont_ = font();
        leadFont_.setPointSizeF(44);
        leadFont_.setWeight(QFont::DemiBold);
        popFont_ = QFont(QStringLiteral("Didot"));
        popFont_.setStyleHint(QFont::Serif);
        popFont_.setItalic(true);
        popFont_.setPointSizeF(50);
        QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
        policy.setHeightForWidth(true);
        setSizePolicy(policy);
        setAccessibleName(lead + QLatin1Char(' ') + pop_);
        Appearances::follow(this, [this] { update(); });
    }

    QSize sizeHint() const override { return size(lines(QWIDGETSIZE_MAX)); }
    QSize minimumSizeHint() const override
    {
        int widest = popWidth();
        for (const QString& word : words_) widest = std::max(widest, QFontMetrics(leadFont_).horizontalAdvance(word));
        // As a wrapping label does: its height at a given width comes from
        // heightForWidth, so the least it asks for is one line's.
        return {widest, sizeHint().height()};
    }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return size(lines(width)).height(); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QFontMetrics lead(leadFont_), pop(popFont_);
        int top = 0;
        for (const Line& line : lines(width())) {
            const int baseline = top + ascent(line);
            int x = (width() - line.width) / 2;
            if (!line.words.isEmpty()) {
                painter.setFont(leadFont_);
                painter.setPen(QColor(Theme::ink));
                const QString text = line.words.join(QLatin1Char(' '));
                painter.drawText(x, baseline, text);
                x += lead.horizontalAdvance(text) + kGap;
            }
            if (line.pop) {
                painter.setFont(popFont_);
                painter.setPen(QPen(QBrush(Theme::deepGradient(x, x + popWidth())), 1));
                painter.drawText(x, baseline, pop_);
            }
            top += height(line);
        }
    }

private:
    static constexpr int kGap = 12;  // between the lead words and "pop."

    struct Line {
        QStringList words;
        bool pop = false;
        int width = 0;
    };

    int popWidth() const { return QFontMetrics(popFont_).horizontalAdvance(pop_) + 8; }
    int ascent(const Line& line) const
    {
        return std::max(line.words.isEmpty() ? 0 : QFontMetrics(leadFont_).ascent(), line.pop ? QFontMetrics(popFont_).ascent() : 0);
    }
    int height(const Line& line) const
    {
        const int descent = std::max(line.words.isEmpty() ? 0 : QFontMetrics(leadFont_).descent(),
                                     line.pop ? QFontMetrics(popFont_).descent() : 0);
        return ascent(line) + descent;
    }
    QSize size(const std::vector<Line>& lines) const
    {
        QSize total;
        for (const Line& line : lines) total = {std::max(total.width(), line.width), total.height() + height(line)};
        return total;
    }

    // Words fill each line as far as `width` allows; "pop." joins the last.
    std::vector<Line> lines(int width) const
    {
        const QFontMetrics lead(leadFont_);
        std::vector<Line> out(1);
        for (const QString& word : words_) {
            Line& line = out.back();
            const QString joined = line.words.isEmpty() ? word : line.words.join(QLatin1Char(' ')) + QLatin1Char(' ') + word;
            if (!line.words.isEmpty() && lead.horizontalAdvance(joined) > width) {
                out.push_back({{word}, false, lead.horizontalAdvance(word)});
                continue;
            }
            line.words << word;
            line.width = lead.horizontalAdvance(joined);
        }
        Line& last = out.back();
        if (last.words.isEmpty() || last.width + kGap + popWidth() <= width) {
            last.width += (last.words.isEmpty() ? 0 : kGap) + popWidth();
            last.pop = true;
        } else {
            out.push_back({{}, true, popWidth()});
        }
        return out;
    }

    QStringList words_;
    QString pop_;
    QFont leadFont_;
    QFont popFont_;
};

QWidget* feature(const QString& symbol, const QString& title, const QString& detail, QWidget* parent)
{
    auto* column = new QWidget(parent);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->setSpacing(6);
    layout->addWidget(ui::kit::label(symbol, 15, QFont::Medium, Theme::secondaryText, column));
    layout->addWidget(ui::kit::wrapLabel(title, 14, QFont::DemiBold, Theme::ink, column));  // wraps only where the column is narrow
    auto* text = ui::kit::label(detail, 12.5, QFont::Normal, Theme::secondaryText, column);
    text->setWordWrap(true);
    layout->addWidget(text);
    layout->addStretch(1);
    return column;
}

QWidget* divider(QWidget* parent)
{
    auto* line = new QWidget(parent);
    line->setFixedWidth(1);
    line->setAutoFillBackground(true);
    Appearances::setColor(line, QPalette::Window, Theme::hairline);
    return line;
}

// A row holding `widget` centred, as wide as its maximum width allows.
QHBoxLayout* centred(QWidget* widget)
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(widget, 1000);
    row->addStretch(1);
    return row;
}

void setOpacity(QWidget* widget, double opacity)
{
    auto* effect = qobject_cast<QGraphicsOpacityEffect*>(widget->graphicsEffect());
    if (!effect) {
        effect = new QGraphicsOpacityEffect(widget);
        widget->setGraphicsEffect(effect);
    }
    effect->setOpacity(opacity);
}

}  // namespace

QString WelcomeStep::looksDetail()
{
    return QString::number(StylePresets::all().size()) + QStringLiteral(" caption styles, hooks, thumbnails, B-roll, music and color.");
}

WelcomeStep::WelcomeStep(std::function<void()> next, QString buttonTitle, std::optional<int> footerStep, QWidget* parent)
    : QWidget(parent), next_(std::move(next))
{
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);
    // The page scrolls when its content is taller than the window (large
    // text); otherwise it sits centred as it is.
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->viewport()->setAutoFillBackground(false);
    auto* body = new QWidget(scroll);
    body->setAutoFillBackground(false);
    auto* content = new QVBoxLayout(body);
    content->setContentsMargins(40, 40, 40, 40);
    content->setSpacing(30);
    content->addStretch(1);

    // The mark grows inside a holder of its full size, so nothing around it moves.
    mark_ = new QWidget(this);
    mark_->setFixedSize(96, 96);
    brand_ = new BrandMark(96, mark_);
    content->addWidget(mark_, 0, Qt::AlignHCenter);

    headline_ = new QWidget(this);
    auto* headlineColumn = new QVBoxLayout(headline_);
    headlineColumn->setContentsMargins(0, 0, 0, 0);
    headlineColumn->setSpacing(12);
    headlineColumn->addWidget(new Headline(tr("Captions that make your videos"), tr("pop."), headline_));
    auto* description = ui::kit::label(tr("Turn a talking-head clip into a post-ready short: styled captions, hooks, B-roll, music and color. "
                                          "Edited like a doc, rendered entirely on this computer."),
                                       15, QFont::Normal, Theme::secondaryText, headline_);
    description->setWordWrap(true);
    description->setAlignment(Qt::AlignCenter);
    description->setMaximumWidth(580);
    headlineColumn->addLayout(centred(description));
    content->addWidget(headline_);

    features_ = new ui::PanelCard(14, this);
    features_->setMaximumWidth(820);
    auto* featureRow = new QHBoxLayout(features_);
    featureRow->setContentsMargins(0, 0, 0, 0);
    featureRow->setSpacing(0);
    featureRow->addWidget(feature(QStringLiteral("\u2336"), QStringLiteral("Edit video like a doc"),
                                  QStringLiteral("Delete a word and it's cut from the video. Captions stay in sync."), features_), 1);
    featureRow->addWidget(divider(features_));
    featureRow->addWidget(feature(QStringLiteral("\U0001F512"), QStringLiteral("100% on this computer"),
                                  QStringLiteral("Nothing is uploaded. No account needed, and it works offline."), features_), 1);
    featureRow->addWidget(divider(features_));
    featureRow->addWidget(feature(QStringLiteral("\u2726"), QStringLiteral("The whole post"), looksDetail(), features_), 1);
    content->addLayout(centred(features_));

    if (!footerStep) {
        button_ = new PrimaryActionButton(buttonTitle, 200, [this] {
            if (next_) next_();
        }, this);
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter})
            connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, button_, &QAbstractButton::click);
        content->addWidget(button_, 0, Qt::AlignHCenter);
    }
    content->addStretch(1);
    scroll->setWidget(body);
    page->addWidget(scroll, 1);
    if (footerStep) {
        footer_ = new OnboardingFooter(*footerStep, nullptr, std::nullopt, OnboardingFooter::Primary{QStringLiteral("Get Started"), true, [this] {
                                                                                                      if (next_) next_();
                                                                                                  }},
                                       this);
        page->addWidget(footer_);
    }

    entrance_ = new QVariantAnimation(this);
    entrance_->setStartValue(0.0);
    entrance_->setEndValue(1.0);
    entrance_->setDuration(600);
    entrance_->setEasingCurve(QEasingCurve::OutCubic);
    connect(entrance_, &QVariantAnimation::valueChanged, this, [this](const QVariant& t) { setEntrance(t.toDouble()); });
    setEntrance(0);
}

int WelcomeStep::markSide() const { return brand_->width(); }

void WelcomeStep::showEvent(QShowEvent*)
{
    if (appeared_) return;
    appeared_ = true;
    QTimer::singleShot(50, entrance_, [this] { entrance_->start(); });
}

void WelcomeStep::setEntrance(double t)
{
    setOpacity(mark_, t);
    const int side = int(std::lround(96 * (0.8 + 0.2 * t)));
    brand_->setFixedSize(side, side);
    brand_->move((96 - side) / 2, (96 - side) / 2);
    setOpacity(headline_, t);
    setOpacity(features_, t);
    if (button_) setOpacity(button_, t);
    // Rising into place: the headline from 10 below, the panel from 16.
    headline_->setContentsMargins(0, int(std::lround(10 * (1 - t))), 0, 0);
    features_->setContentsMargins(0, int(std::lround(16 * (1 - t))), 0, 0);
}

}  // namespace vt
