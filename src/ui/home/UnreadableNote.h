#pragma once
// The home screen's note about project files the store could not read: how
// many, the folder they are in and their names. The files are left as they
// are; "Dismiss" tells the application model the user has seen them.

#include "ui/inspector/PanelCard.h"

#include <filesystem>
#include <functional>
#include <vector>

class QLabel;
class QPushButton;

namespace vt {

class UnreadableNote : public ui::PanelCard {
    Q_OBJECT

public:
    explicit UnreadableNote(std::function<void()> dismiss, QWidget* parent = nullptr);
    // Shows the files; hidden while there are none.
    void setFiles(const std::vector<std::filesystem::path>& files);

    QLabel* title() const { return title_; }
    QLabel* detail() const { return detail_; }
    QPushButton* dismissButton() const { return dismiss_; }

private:
    QLabel* title_;
    QLabel* detail_;
    QPushButton* dismiss_;
};

}  // namespace vt
