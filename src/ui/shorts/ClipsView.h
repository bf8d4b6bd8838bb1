#pragma once
// The Shorts picker screen: a long recording offered as a handful of scored
// moments. The title bar leads back home and picks the length; the main
// row holds the clip list and the preview; the bottom bar opens the whole
// video in the editor or makes the chosen moments into Shorts. Its state
// lives in a ShortsPicker; the preview plays through the editor's player
// engine (SourcePlayer). While Create runs every button is off, so a second
// press cannot make the projects twice.

#include "model/Project.h"
#include "text/ShortsPicker.h"

#include <QWidget>

#include <memory>

class QAbstractButton;
class QLabel;
class QPushButton;
class QToolButton;

namespace vt {
class AppModel;
class SourcePlayer;
}

namespace vt::ui {

class ClipList;
class PreviewPane;

class ClipsView final : public QWidget {
    Q_OBJECT

public:
    // `soundDevice` false keeps the preview silent (tests).
    ClipsView(AppModel& app, Project source, bool soundDevice = true, QWidget* parent = nullptr);
    ~ClipsView() override;

    ShortsPicker& picker() { return *picker_; }
    ClipList* list() const { return list_; }
    PreviewPane* preview() const { return preview_; }
    QAbstractButton* backButton() const { return back_; }
    QPushButton* wholeVideoButton() const { return whole_; }
    QAbstractButton* createButton() const { return create_; }
    QLabel* countText() const { return count_; }
    QToolButton* lengthButton(ClipFinder::Length length) const { return lengths_[int(length)]; }

    static QString countText(std::size_t chosen);
    static QString createTitle(std::size_t chosen);

protected:
    void showEvent(QShowEvent*) override;

private:
    QWidget* titleBar();
    QWidget* bottomBar();
    void showChoice();
    void showCreating();

    std::shared_ptr<SourcePlayer> player_;
    std::unique_ptr<ShortsPicker> picker_;
    bool started_ = false;
    QAbstractButton* back_ = nullptr;
    QToolButton* lengths_[3] = {};
    ClipList* list_ = nullptr;
    PreviewPane* preview_ = nullptr;
    QPushButton* whole_ = nullptr;
    QWidget* spinner_ = nullptr;
    QLabel* count_ = nullptr;
    QAbstractButton* create_ = nullptr;
};

}  // namespace vt::ui
