#include "ui/inspector/LookRows.h"

#include "ui/inspector/NumberField.h"
#include "ui/inspector/OptionalColorRow.h"
#include "ui/inspector/RowNote.h"
#include "ui/inspector/SwitchRow.h"

#include <QVBoxLayout>

namespace vt::ui {

namespace {

// A row pushed 14 points in, under the row it belongs to.
QWidget* indented(QWidget* row)
{
    auto* box = new QWidget;
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(14, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(row);
    return box;
}

}  // namespace

LookRows::LookRows(StyleEdits& edits, std::function<void(QWidget*)> place) : edits_(edits), place_(std::move(place))
{
}

QWidget* LookRows::add(QWidget* row, Shown shown, std::function<void()> refresh)
{
    QWidget* placed = indent_ ? indented(row) : row;
    place_(placed);
    rows_.push_back({placed, std::move(shown), std::move(refresh)});
    if (rows_.back().shown) placed->setVisible(rows_.back().shown(edits_.look()));
    return row;
}

ValueRow* LookRows::value(const QString& title, Binding<double> value, ValueRow::Options options, Shown shown)
{
    auto* row = new ValueRow(title, std::move(value), std::move(options));
    add(row, std::move(shown), [row] { row->refresh(); });
    return row;
}

SwitchRow* LookRows::toggle(const QString& title, Binding<bool> isOn, const QString& help, Shown shown)
{
    auto* row = new SwitchRow(title, std::move(isOn), help);
    add(row, std::move(shown), [row] { row->refresh(); });
    return row;
}

OptionalColorRow* LookRows::color(const QString& title, std::optional<RGBA> CaptionStyle::*field, RGBA defaultColor,
                                  Shown shown)
{
    auto* row = new OptionalColorRow(title, edits_.field(field), defaultColor);
    add(row, std::move(shown), [row] { row->refresh(); });
    return row;
}

RowNote* LookRows::note(std::function<QString(const CaptionStyle&)> text, Shown shown)
{
    auto* row = new RowNote(text(edits_.look()));
    add(row, std::move(shown), [this, row, text] { row->setText(text(edits_.look())); });
    return row;
}

ValueRow::Options LookRows::span(double lower, double upper, double step, int decimals, QString suffix, double scale,
                                 bool slider)
{
    ValueRow::Options options;
    options.lower = lower;
    options.upper = upper;
    options.step = step;
    options.decimals = decimals;
    options.suffix = std::move(suffix);
    options.scale = scale;
    options.slider = slider;
    return options;
}

void LookRows::refresh()
{
    const CaptionStyle& look = edits_.look();
    for (const Row& row : rows_) {
        const bool visible = !row.shown || row.shown(look);
        if (visible && row.refresh) row.refresh();
        if (row.widget->isHidden() == visible) row.widget->setVisible(visible);
    }
}

}  // namespace vt::ui
