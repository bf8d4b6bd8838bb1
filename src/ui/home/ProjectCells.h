#pragma once
// A project on the home screen: a card of the grid (poster with duration
// and badge, name, look and date) or a row of the list (thumbnail, names,
// badge, duration, date and an actions button). A click opens the project,
// a secondary click or the actions button offers the project's actions.

#include "model/Project.h"
#include "ui/home/ProjectActions.h"

#include <QWidget>

#include <functional>

class QToolButton;

namespace vt {

class ProjectCell : public QWidget {
    Q_OBJECT

public:
    ProjectCell(Project project, ProjectActions actions, std::function<void()> open, QWidget* parent = nullptr);
    const Project& project() const { return project_; }
    bool isHovered() const { return hover_; }
    QToolButton* actionsButton() const { return actionsButton_; }
    // The actions menu as the button and the context menu show it.
    void fillMenu(class QMenu& menu) const { actions_.addTo(menu); }
    // The bottom-left badge text, empty for none.
    QString badgeText() const;
    QString durationText() const;
    bool showsPoster() const;

protected:
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    virtual void hoverChanged() {}
    // Draws the poster (or the muted fill) into `box`, clipped to `radius`.
    void paintPoster(class QPainter& painter, const QRectF& box, qreal radius) const;

    Project project_;
    ProjectActions actions_;
    std::function<void()> open_;
    bool hover_ = false;
    QToolButton* actionsButton_;
};

class ProjectCard : public ProjectCell {
    Q_OBJECT

public:
    ProjectCard(Project project, ProjectActions actions, std::function<void()> open, QWidget* parent = nullptr);
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override { return {240, heightForWidth(240)}; }
    // The name as the card's one line shows it at its width.
    QString shownName() const;
    QString styleLine() const;

protected:
    void paintEvent(QPaintEvent*) override;
    void hoverChanged() override;
};

class ProjectRow : public ProjectCell {
    Q_OBJECT

public:
    ProjectRow(Project project, ProjectActions actions, std::function<void()> open, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {600, 60}; }

protected:
    void paintEvent(QPaintEvent*) override;
    void hoverChanged() override;
};

}  // namespace vt
