#pragma once
// A compact single choice among many: a bordered button with the current
// name and an up-down chevron; pressing it opens a list of the options,
// topped by a search field once there are 13 or more. Picking a row writes
// its id and closes the list. The search text stays for the next opening.

#include <QFrame>
#include <QPushButton>

#include <string>
#include <vector>

class QLineEdit;
class QListWidget;

namespace vt {

struct ChooserOption {
    std::string id;
    std::string name;
};

class FormChooser : public QPushButton {
    Q_OBJECT

public:
    FormChooser(QString title, QWidget* parent = nullptr);

    void setOptions(std::vector<ChooserOption> options);
    const std::vector<ChooserOption>& options() const { return options_; }
    void setSelection(const std::string& id);
    const std::string& selection() const { return selection_; }
    // The name of the first option with the selection's id, else the id.
    QString currentName() const;
    // The options passing the search text, in their order.
    std::vector<ChooserOption> shown() const;
    void setQuery(const QString& query);
    QString query() const { return query_; }

    // Opens or closes the list.
    void toggle();
    bool isOpen() const;
    QFrame* popup() const { return popup_; }
    QLineEdit* searchField() const { return search_; }
    QListWidget* list() const { return list_; }
    // Picks the option with this id, as a click on its row does.
    void pick(const std::string& id);

signals:
    void picked(const std::string& id);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void refreshLabel();
    void fillList();

    QString title_;
    std::vector<ChooserOption> options_;
    std::string selection_;
    QString query_;
    QFrame* popup_;
    QLineEdit* search_;
    QWidget* searchRow_;
    QListWidget* list_;
};

}  // namespace vt
