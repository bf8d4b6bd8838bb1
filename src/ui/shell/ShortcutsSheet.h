#pragma once
// The keyboard-shortcut reference: four groups of keys in two columns, a
// "Done" button that Return presses, and a note on where the keys work.
// Changes nothing.

#include <QDialog>

#include <string_view>
#include <utility>
#include <vector>

namespace vt {

class ShortcutsSheet : public QDialog {
    Q_OBJECT

public:
    struct Group {
        std::string_view title;
        std::vector<std::pair<std::string_view, std::string_view>> keys;  // key text, description
    };
    static const std::vector<Group>& groups();

    explicit ShortcutsSheet(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace vt
