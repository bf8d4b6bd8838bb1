#pragma once
// The home screen: below a title bar (search, the AI status, "New Project")
// one scrolling column of a note on project files that could not be read
// (while there are such files the user has not dismissed), a welcome header
// (only without projects), the start row (the new-project card and the
// continue card, or a phone preview of the start look) and the projects with
// their count, sort and grid or list toggle. A video dropped anywhere on it
// is imported. It owns the search text, the sort and layout choices (kept in
// the settings under "homeSort" and "homeShowsList"), and the rename and
// delete dialogs.

#include "model/Project.h"

#include <QHash>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QButtonGroup;
class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QMessageBox;
class QPushButton;
class QScrollArea;
class QVBoxLayout;

namespace vt {

class AIStatusButton;
class AppModel;
class ContinueCard;
class FileRevealer;
class NewProjectCard;
class PhonePreview;
class ProjectCard;
class ProjectGrid;
class ProjectRow;
class SearchBox;
class UnreadableNote;
struct ProjectActions;

class HomeView : public QWidget {
    Q_OBJECT

public:
    // `revealer` shows files in the file manager; the system's when null.
    explicit HomeView(AppModel& app, std::shared_ptr<FileRevealer> revealer = nullptr, QWidget* parent = nullptr);
    ~HomeView() override;

    // The projects shown now, filtered by the search and ordered by the sort.
    const std::vector<Project>& shown() const { return shown_; }
    ProjectActions actions(const Project& project);

    QString query() const { return query_; }
    void setQuery(const QString& query);
    std::string sortRaw() const { return sortRaw_; }
    void setSort(const std::string& raw);
    bool showsList() const { return showsList_; }
    void setShowsList(bool list);
    bool dropTargeted() const { return dropTargeted_; }

    SearchBox* searchBox() const { return search_; }
    AIStatusButton* aiButton() const { return ai_; }
    QPushButton* newProjectButton() const { return newProject_; }
    NewProjectCard* newProjectCard() const { return card_; }
    ContinueCard* continueCard() const { return continue_; }
    PhonePreview* startPreview() const { return preview_; }
    QWidget* welcomeHeader() const { return welcome_; }
    UnreadableNote* unreadableNote() const { return unreadable_; }
    QWidget* projectsSection() const { return section_; }
    QLabel* countLabel() const { return count_; }
    QComboBox* sortMenu() const { return sortMenu_; }
    QPushButton* layoutButton(bool list) const;
    QLabel* noMatchLabel() const { return noMatch_; }
    ProjectGrid* grid() const { return grid_; }
    QWidget* list() const { return list_; }
    ProjectCard* card(const Uuid& id) const { return cards_.value(QString::fromStdString(id.text())); }
    ProjectRow* row(const Uuid& id) const { return rows_.value(QString::fromStdString(id.text())); }
    // The open dialogs, null when closed.
    QDialog* renameDialog() const;
    QLineEdit* renameField() const { return renameField_; }
    QMessageBox* deleteDialog() const;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QWidget* buildTopBar();
    QWidget* buildSection();
    void rebuildProjects();
    void rebuildStartRow();
    void refreshShown();
    void setDropTargeted(bool targeted);
    void openRename(const Project& project);
    void openDelete(const Project& project);

    AppModel& app_;
    std::shared_ptr<FileRevealer> revealer_;
    QString query_;
    std::string sortRaw_;
    bool showsList_ = false;
    bool dropTargeted_ = false;
    std::vector<Project> shown_;
    std::optional<Project> renaming_, deleting_;
    QString newName_;

    SearchBox* search_;
    AIStatusButton* ai_;
    QPushButton* newProject_;
    UnreadableNote* unreadable_;
    QWidget* welcome_;
    QVBoxLayout* startRow_;
    NewProjectCard* card_;
    QWidget* startSecond_ = nullptr;
    ContinueCard* continue_ = nullptr;
    PhonePreview* preview_ = nullptr;
    QWidget* section_;
    QLabel* count_;
    QComboBox* sortMenu_;
    QButtonGroup* layoutGroup_;
    QLabel* noMatch_;
    ProjectGrid* grid_;
    QWidget* list_;
    QVBoxLayout* listColumn_;
    QHash<QString, ProjectCard*> cards_;
    QHash<QString, ProjectRow*> rows_;
    QPointer<QDialog> renameDialog_;
    QLineEdit* renameField_ = nullptr;
    QPointer<QMessageBox> deleteDialog_;
};

}  // namespace vt
