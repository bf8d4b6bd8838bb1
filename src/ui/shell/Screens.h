#pragma once
// The screens the window shows until their own views land: a start screen
// to drop or choose a video, the progress of a running import, and plain
// notes for the editor and the Shorts picker saying what comes there.

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace vt {

class AppModel;
class VideoDropZone;

class StartScreen : public QWidget {
    Q_OBJECT

public:
    explicit StartScreen(AppModel& app, QWidget* parent = nullptr);
    VideoDropZone* dropZone() const { return zone_; }

private:
    VideoDropZone* zone_;
};

class ProcessingScreen : public QWidget {
    Q_OBJECT

public:
    explicit ProcessingScreen(AppModel& app, QWidget* parent = nullptr);
    QString phaseText() const;
    QPushButton* cancelButton() const { return cancel_; }

private:
    void refresh();

    AppModel& app_;
    QLabel* poster_;
    QLabel* file_;
    QLabel* steps_;
    QLabel* phase_;
    QLabel* note_;
    QProgressBar* bar_;
    QPushButton* cancel_;
};

class PlaceholderScreen : public QWidget {
    Q_OBJECT

public:
    explicit PlaceholderScreen(QWidget* parent = nullptr);
    void setText(const QString& title, const QString& detail);
    QString title() const;

private:
    QLabel* title_;
    QLabel* detail_;
};

}  // namespace vt
