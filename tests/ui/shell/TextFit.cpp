#include "TextFit.h"

#include "ui/theme/TextFitting.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextDocument>
#include <QToolButton>

#include <algorithm>

namespace vt::test {
namespace {

// A pixel of slack where a widget's visible part is rounded.
constexpr int kSlack = 1;

// The widget's class and the first few named classes above it, so a report
// says where the text sits.
QString where(const QWidget& widget)
{
    QStringList chain{QString::fromLatin1(widget.metaObject()->className())};
    for (const QWidget* w = widget.parentWidget(); w && chain.size() < 4; w = w->parentWidget()) {
        const QString name = QString::fromLatin1(w->metaObject()->className());
        if (name != "QWidget" && name != chain.back()) chain << name;
    }
    return chain.join(" in ");
}

// True inside a scroll area that shows its sideways scroll bar: text there
// may lie partly out of view on purpose.
bool scrollsSideways(const QWidget& widget)
{
    for (const QWidget* w = widget.parentWidget(); w; w = w->parentWidget())
        if (auto* area = qobject_cast<const QAbstractScrollArea*>(w))
            if (area->horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff && area->horizontalScrollBar()->isVisible()) return true;
    return false;
}

// Reports text whose box (in `widget`'s coordinates) lies partly outside
// what the enclosing widgets let show, at the left or the right.
QString cutAtTheSide(const QWidget& widget, const QRect& textBox)
{
    const QRect shown = widget.visibleRegion().boundingRect();
    if (shown.isEmpty() || scrollsSideways(widget)) return {};
    if (textBox.left() >= shown.left() - kSlack && textBox.right() <= shown.right() + kSlack) return {};
    return QStringLiteral("cut at the side: text spans x %1..%2, only %3..%4 shows")
        .arg(textBox.left())
        .arg(textBox.right())
        .arg(shown.left())
        .arg(shown.right());
}

// The ink of `text` laid out in `box`: the box less the room the font keeps
// above its tallest and below its deepest glyphs, and at the sides.
QRect inkIn(const QRect& box, const QFontMetrics& metrics, const QString& text)
{
    const QRect ink = metrics.tightBoundingRect(text);
    const int above = metrics.ascent() + ink.top(), below = metrics.descent() - ink.bottom() - 1;
    const int before = std::max(0, ink.left()), after = std::max(0, metrics.horizontalAdvance(text) - ink.right() - 1);
    // Several lines: the side room of one line says little of the widest.
    if (text.contains(QLatin1Char('\n')) || box.height() > metrics.lineSpacing() + kSlack) return box.adjusted(0, above, 0, -below);
    return box.adjusted(before, above, -after, -below);
}

// The size the painter lays `text` out in, wrapped at `wrapWidth` when
// that is not 0; one line is as high as the font.
QSize textSize(const QFontMetrics& metrics, const QString& text, int wrapWidth)
{
    if (wrapWidth == 0 && !text.contains(QLatin1Char('\n'))) return {metrics.horizontalAdvance(text), metrics.height()};
    const int flags = Qt::TextExpandTabs | (wrapWidth ? Qt::TextWordWrap : 0);
    return metrics.boundingRect(QRect(0, 0, wrapWidth ? wrapWidth : 1 << 20, 1 << 20), flags, text).size();
}

// Where the painter puts text of `size` in `room` with `alignment`:
// centred text lands on the pixel its half-pixel offset rounds to.
QRect placed(const QWidget& widget, Qt::Alignment alignment, QSize size, const QRect& room)
{
    QRect box = QStyle::alignedRect(widget.layoutDirection(), alignment, size, room);
    const auto centred = [](int start, int length, int inner) { return start + int(std::floor((length - inner) / 2.0 + 0.5)); };
    if (alignment & Qt::AlignVCenter) box.moveTop(centred(room.top(), room.height(), size.height()));
    if (alignment & Qt::AlignHCenter) box.moveLeft(centred(room.left(), room.width(), size.width()));
    return box;
}

// Reports ink that leaves the room the widget gives its text.
QString outside(const QRect& ink, const QRect& room)
{
    if (room.contains(ink)) return {};
    return QStringLiteral("ink at %1,%2 %3×%4 leaves its room %5,%6 %7×%8")
        .arg(ink.x()).arg(ink.y()).arg(ink.width()).arg(ink.height())
        .arg(room.x()).arg(room.y()).arg(room.width()).arg(room.height());
}

QString labelMisfit(const QLabel& label)
{
    const QString text = label.text();
    if (text.isEmpty()) return {};
    const int m = label.margin();
    const QRect room = label.contentsRect().adjusted(m, m, -m, -m);
    QSize need;
    const bool rich = label.textFormat() == Qt::RichText || (label.textFormat() == Qt::AutoText && Qt::mightBeRichText(text));
    if (rich) {
        QTextDocument doc;
        doc.setDocumentMargin(0);
        doc.setDefaultFont(label.font());
        doc.setHtml(text);
        if (label.wordWrap()) doc.setTextWidth(room.width());
        need = QSize(int(std::ceil(label.wordWrap() ? doc.idealWidth() : doc.size().width())), int(std::ceil(doc.size().height())));
    } else {
        need = textSize(label.fontMetrics(), text, label.wordWrap() ? room.width() : 0);
    }
    const QRect box = placed(label, label.alignment(), need, room);
    const QRect ink = rich ? box : inkIn(box, label.fontMetrics(), text);
    if (QString why = outside(ink, room); !why.isEmpty()) return why;
    return cutAtTheSide(label, ink);
}

QString shownText(const QAbstractButton& button)
{
    QString text = button.text();
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return text;
}

QString buttonMisfit(const QAbstractButton& button)
{
    const QString text = shownText(button);
    if (text.isEmpty()) return {};
    if (auto* tool = qobject_cast<const QToolButton*>(&button); tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly && !tool->icon().isNull())
        return {};
    QRect room = button.contentsRect();
    if (qobject_cast<const QCheckBox*>(&button) || qobject_cast<const QRadioButton*>(&button)) {
        QStyleOptionButton option;
        option.initFrom(&button);
        option.text = button.text();
        option.icon = button.icon();
        option.iconSize = button.iconSize();
        const auto element = qobject_cast<const QCheckBox*>(&button) ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents;
        room = button.style()->subElementRect(element, &option, &button);
    } else if (!button.icon().isNull()) {
        room.setWidth(room.width() - button.iconSize().width() - 4);
    }
    const QSize need = textSize(button.fontMetrics(), text, 0);
    const QRect ink = inkIn(placed(button, Qt::AlignCenter, need, room), button.fontMetrics(), text);
    if (QString why = outside(ink, room); !why.isEmpty()) return why;
    return cutAtTheSide(button, ink);
}

bool shows(const QWidget& widget)
{
    return widget.isVisible() && widget.width() > 0 && widget.height() > 0 && !widget.property(fitsOwnTextProperty).toBool();
}

}  // namespace

QStringList textMisfits()
{
    QStringList out;
    const auto report = [&out](const QWidget& widget, const QString& text, const QString& why) {
        if (!why.isEmpty()) out << QStringLiteral("\"%1\" (%2): %3").arg(text, where(widget), why);
    };
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!shows(*window) || window->windowType() == Qt::ToolTip) continue;
        for (QLabel* label : window->findChildren<QLabel*>())
            if (shows(*label)) report(*label, label->text(), labelMisfit(*label));
        for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
            if (shows(*button)) report(*button, button->text(), buttonMisfit(*button));
    }
    return out;
}

}  // namespace vt::test
