#pragma once
// The card that takes the user back to the project saved last: a phone
// preview of its look over its poster, its name, a summary line (length,
// look, when it was saved) and "Continue Editing". A click on the preview
// or the button opens the project.

#include "model/Project.h"

#include "ui/inspector/PanelCard.h"

#include <functional>

class QLabel;

namespace vt {

class PhonePreview;
class PrimaryActionButton;

class ContinueCard : public ui::PanelCard {
    Q_OBJECT

public:
    ContinueCard(Project project, std::function<void()> open, QWidget* parent = nullptr);
    const Project& project() const { return project_; }
    QString summary() const;
    PhonePreview* preview() const { return preview_; }
    PrimaryActionButton* button() const { return button_; }
    QLabel* nameLabel() const { return name_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showPoster();

    Project project_;
    std::function<void()> open_;
    PhonePreview* preview_;
    QLabel* name_;
    QLabel* summary_;
    PrimaryActionButton* button_;
};

}  // namespace vt
