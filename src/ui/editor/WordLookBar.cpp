#include "ui/editor/WordLookBar.h"

#include "editor/EditorModel.h"
#include "editor/WordLookEdits.h"
#include "ui/editor/EditorIcons.h"
#include "ui/editor/SymbolButton.h"
#include "ui/inspector/CompactButton.h"
#include "ui/inspector/KitText.h"
#include "ui/inspector/LineStyleMenu.h"
#include "ui/theme/LookColor.h"
#include "ui/theme/Theme.h"

#include <QColorDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QToolButton>

#include <cmath>

namespace vt::ui {

namespace {

QWidget* divider(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::VLine);
    line->setFixedHeight(16);
    Appearances::setStyleSheet(line, [] { return QStringLiteral("color: %1;").arg(QColor(Theme::hairline).name(QColor::HexArgb)); });
    return line;
}

// The longest of its texts that fits its width on one line, else nothing.
class HintLabel : public QLabel {
public:
    HintLabel(QStringList texts, QWidget* parent) : QLabel(parent), texts_(std::move(texts))
    {
        setMinimumWidth(0);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    }
    QSize sizeHint() const override { return {fontMetrics().horizontalAdvance(texts_.value(0)), fontMetrics().height()}; }
    QSize minimumSizeHint() const override { return {0, fontMetrics().height()}; }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QString shown;
        for (const QString& t : texts_)
            if (fontMetrics().horizontalAdvance(t) <= width()) {
                shown = t;
                break;
            }
        setText(shown);
        QLabel::resizeEvent(event);
    }

private:
    QStringList texts_;
};

// The colour well: the colour in a rounded swatch.
class Swatch : public QToolButton {
public:
    Swatch(std::function<QColor()> colour, QWidget* parent) : QToolButton(parent), colour_(std::move(colour))
    {
        setFixedSize(34, 20);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        p.setPen(Qt::NoPen);
        p.setBrush(colour_());
        p.drawRoundedRect(r.adjusted(2, 2, -2, -2), 4, 4);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(Theme::border), 1));
        p.drawRoundedRect(r, 6, 6);
    }

private:
    std::function<QColor()> colour_;
};

SymbolButton* iconButton(const QString& symbol, QSize frame, const QString& help, QWidget* parent)
{
    auto* button = new SymbolButton(symbol, frame, 12, parent);
    button->setToolTip(help);
    button->setAccessibleName(help);
    return button;
}

}  // namespace

WordLookBar::WordLookBar(EditorModel& editor, QWidget* parent) : PanelCard(10, parent), editor_(editor)
{
    setToolTip(tr("Drag a caption word in the paused preview to move it"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(12, 6, 12, 6);
    row->setSpacing(10);
    auto* icon = new QLabel(this);
    EditorIcons::show(icon, "character.cursor.ibeam", Theme::secondaryText, 14);
    count_ = kit::label({}, 12, QFont::DemiBold, Theme::ink, this);
    count_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    smaller_ = iconButton("minus", {20, 22}, tr("Smaller"), this);
    readout_ = kit::label({}, 11.5, QFont::Medium, Theme::ink, this);
    readout_->setFixedWidth(38);
    readout_->setAlignment(Qt::AlignCenter);
    bigger_ = iconButton("plus", {20, 22}, tr("Bigger"), this);
    well_ = new Swatch([this] { return shownColor(); }, this);
    well_->setAccessibleName(tr("Color"));
    well_->setToolTip(tr("Color for just these words"));
    clearColor_ = iconButton("arrow.uturn.backward", {22, 22}, tr("Back to the style's color"), this);
    styleMenu_ = new LineStyleMenu(editor, editor.selection(), this);
    reset_ = new CompactButton(tr("Reset"), CompactButton::Kind::secondary, this);
    reset_->setToolTip(tr("Back to how the style draws these words"));
    reset_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    hint_ = new HintLabel({tr("Drag a word in the preview to move it"), tr("Drag to move")}, this);
    kit::setTextColour(hint_, Theme::secondaryText);

    row->addWidget(icon);
    row->addWidget(count_);
    row->addWidget(divider(this));
    row->addWidget(kit::label(tr("Size"), 11.5, QFont::Normal, Theme::secondaryText, this));
    row->addWidget(smaller_);
    row->addWidget(readout_);
    row->addWidget(bigger_);
    row->addWidget(divider(this));
    row->addWidget(kit::label(tr("Color"), 11.5, QFont::Normal, Theme::secondaryText, this));
    row->addWidget(well_);
    row->addWidget(clearColor_);
    row->addWidget(divider(this));
    row->addWidget(styleMenu_);
    row->addWidget(divider(this));
    row->addWidget(reset_);
    row->addWidget(hint_, 1);

    auto apply = [this](std::function<void(WordLook&)> change) {
        editor_.updateLook(editor_.selection(), true, change);
    };
    connect(smaller_, &QToolButton::clicked, this, [apply] { apply(WordLookEdits::smaller); });
    connect(bigger_, &QToolButton::clicked, this, [apply] { apply(WordLookEdits::larger); });
    connect(clearColor_, &QToolButton::clicked, this, [apply] { apply(WordLookEdits::clearColor); });
    connect(reset_, &QPushButton::clicked, this, [apply] { apply(WordLookEdits::reset); });
    connect(well_, &QToolButton::clicked, this, &WordLookBar::openColorDialog);

    for (auto signal : {&EditorModel::selectionChanged, &EditorModel::projectChanged})
        connect(&editor, signal, this, &WordLookBar::refresh);
    refresh();
}

QString WordLookBar::countText(std::size_t count)
{
    return count == 1 ? tr("This word") : QString::number(count) + tr(" words");
}

bool WordLookBar::resetEnabled(const EditorModel& editor)
{
    for (const Word& w : editor.transcript())
        if (editor.selection().contains(w.id) && w.look && !w.look->isDefault()) return true;
    return false;
}

QColor WordLookBar::shownColor() const
{
    const auto primary = editor_.primarySelection();
    const WordLook look = primary ? editor_.look(*primary) : WordLook::defaultLook();
    return toQColor(look.color.value_or(editor_.project().style.textColor));
}

void WordLookBar::refresh()
{
    const auto primary = editor_.primarySelection();
    const WordLook look = primary ? editor_.look(*primary) : WordLook::defaultLook();
    count_->setText(countText(editor_.selection().size()));
    styleMenu_->setIDs(editor_.selection());
    const long percent = std::lround(look.scale * 100);
    readout_->setText(QString::number(percent) + "%");
    readout_->setAccessibleName(tr("Size ") + QString::number(percent) + tr(" percent"));
    clearColor_->setVisible(look.color.has_value());
    reset_->setEnabled(resetEnabled(editor_));
    well_->update();
}

void WordLookBar::openColorDialog()
{
    if (dialog_ || editor_.selection().empty()) return;
    colorsBefore_.clear();
    for (const Uuid& id : editor_.selection()) colorsBefore_[id] = editor_.look(id).color;
    dialog_ = new QColorDialog(shownColor(), this);
    dialog_->setOption(QColorDialog::DontUseNativeDialog);
    dialog_->setWindowTitle(tr("Color"));
    dialog_->setAttribute(Qt::WA_DeleteOnClose);
    std::set<Uuid> ids;
    for (const auto& [id, colour] : colorsBefore_) ids.insert(id);
    // Live: the picture follows each colour the dialog reports, unrecorded.
    connect(dialog_, &QColorDialog::currentColorChanged, this, [this, ids](const QColor& colour) {
        if (colour.isValid()) editor_.updateLook(ids, false, WordLookEdits::color(toRGBA(colour)));
    });
    // Finished: back to where the choice began, then the choice as one step.
    connect(dialog_, &QColorDialog::colorSelected, this, [this, ids](const QColor& colour) {
        restoreColors();
        editor_.updateLook(ids, true, WordLookEdits::color(toRGBA(colour)));
    });
    connect(dialog_, &QDialog::rejected, this, &WordLookBar::restoreColors);
    // A finished dialog is done with, though its deletion waits for the event loop.
    connect(dialog_, &QDialog::finished, this, [this] { dialog_ = nullptr; });
    dialog_->open();
}

QColorDialog* WordLookBar::colorDialog() const { return dialog_.data(); }

void WordLookBar::restoreColors()
{
    for (const auto& [id, colour] : colorsBefore_)
        editor_.updateLook({id}, false, [colour = colour](WordLook& look) { look.color = colour; });
}

}  // namespace vt::ui
