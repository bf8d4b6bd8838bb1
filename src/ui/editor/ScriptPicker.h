#pragma once
// The sheet "Captions look like", where the user picks the writing of the
// captions: Latin letters for any language, the English translation when
// the caller offers it, or the native script of one of the Indic languages.
// It writes no model: a pick reports the row's id once, then the sheet
// closes; closing without a pick reports nothing. Its caller decides what a
// pick does.

#include <QDialog>

#include <functional>
#include <optional>
#include <string>

class QAbstractButton;
class QLabel;

namespace vt::ui {

class ScriptPicker : public QDialog {
    Q_OBJECT
public:
    // Whether the English translation is offered, and why it cannot be
    // picked now when that is so.
    struct Translation {
        std::optional<std::string> unavailableReason;
    };

    ScriptPicker(std::string selection, bool nativeAvailable, std::optional<Translation> translation,
                 std::function<void(const std::string&)> onSelect, bool scrollable, QWidget* parent = nullptr);

    // The row of this id, null when the sheet has none.
    QAbstractButton* row(const std::string& id) const;
    // The dimmed grid of native scripts.
    QWidget* nativeGrid() const { return grid_; }
    QLabel* footer() const { return footer_; }
    // The note above the grid while native scripts cannot be picked; null otherwise.
    QLabel* nativeNote() const { return nativeNote_; }

private:
    std::string selection_;
    std::function<void(const std::string&)> onSelect_;
    QWidget* grid_ = nullptr;
    QLabel* footer_ = nullptr;
    QLabel* nativeNote_ = nullptr;

    QAbstractButton* makeRow(const std::string& id, const std::string& name, const std::string& badge,
                             bool latinScript, const std::string& sample, const std::optional<std::string>& note,
                             bool wide, QWidget* parent);
};

}  // namespace vt::ui
