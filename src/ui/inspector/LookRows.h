#pragma once
// The rows of one column of the Customize panel (the quick-edit group or a
// section), built once over the style edits and kept in step with the look:
// refresh() shows each row whose condition holds for the current look,
// hides the others (their fields are kept) and shows every value again. Rows
// are never rebuilt, so a slider being dragged survives every redraw.

#include "ui/inspector/LookMenuRow.h"
#include "ui/inspector/StyleEdits.h"
#include "ui/inspector/ValueRow.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace vt::ui {

class OptionalColorRow;
class RowNote;
class SwitchRow;

class LookRows {
public:
    using Shown = std::function<bool(const CaptionStyle&)>;
    template <class T>
    using Options = std::vector<std::pair<QString, T>>;

    // `place` puts a new row into the column.
    LookRows(StyleEdits& edits, std::function<void(QWidget*)> place);

    StyleEdits& edits() const { return edits_; }
    // Rows added from now on are pushed 14 points in (a group under its row).
    void setIndent(bool on) { indent_ = on; }

    // Any row: `refresh` shows its value again.
    QWidget* add(QWidget* row, Shown shown = {}, std::function<void()> refresh = {});
    // A value row.
    ValueRow* value(const QString& title, Binding<double> value, ValueRow::Options options, Shown shown = {});
    SwitchRow* toggle(const QString& title, Binding<bool> isOn, const QString& help = {}, Shown shown = {});
    OptionalColorRow* color(const QString& title, std::optional<RGBA> CaptionStyle::*field, RGBA defaultColor,
                            Shown shown = {});
    // A note whose text may follow the look.
    RowNote* note(std::function<QString(const CaptionStyle&)> text, Shown shown = {});
    // A menu over typed options, asked for again at every refresh; the shown
    // entry is the first whose value equals the bound one.
    template <class T>
    LookMenuRow* menu(const QString& title, std::function<Options<T>()> options, Binding<T> value, Shown shown = {})
    {
        auto current = std::make_shared<Options<T>>(options());
        auto labels = [options, current] {
            *current = options();
            QStringList out;
            for (const auto& option : *current) out << option.first;
            return out;
        };
        Binding<int> index{[current, value] {
                               const T now = value.get();
                               for (std::size_t i = 0; i < current->size(); ++i)
                                   if ((*current)[i].second == now) return static_cast<int>(i);
                               return -1;
                           },
                           [current, value](const int& i) {
                               if (i < 0 || i >= static_cast<int>(current->size())) return;
                               // A copy: the write refreshes this menu, which replaces the options.
                               const T chosen = (*current)[static_cast<std::size_t>(i)].second;
                               value.set(chosen);
                           }};
        auto* row = new LookMenuRow(title, labels, index);
        add(row, std::move(shown), [row] { row->refresh(); });
        return row;
    }
    template <class T>
    LookMenuRow* menu(const QString& title, Options<T> options, Binding<T> value, Shown shown = {})
    {
        return menu<T>(title, std::function<Options<T>()>([options] { return options; }), std::move(value),
                       std::move(shown));
    }

    void refresh();

    // The label of the first option with this value; empty when none has it.
    template <class T>
    static QString labelOf(const Options<T>& options, const T& value)
    {
        for (const auto& [label, v] : options)
            if (v == value) return label;
        return {};
    }

    // The arguments of a value row: range in stored units, step in shown units.
    static ValueRow::Options span(double lower, double upper, double step, int decimals, QString suffix = {},
                                  double scale = 1, bool slider = true);

private:
    struct Row {
        QWidget* widget;
        Shown shown;
        std::function<void()> refresh;
    };
    StyleEdits& edits_;
    std::function<void(QWidget*)> place_;
    std::vector<Row> rows_;
    bool indent_ = false;
};


}  // namespace vt::ui
