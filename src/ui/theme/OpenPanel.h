#pragma once
// File panels that start where the user looks for that kind of file: in the
// folder a file of the kind was last chosen from or saved to, else the
// user's own folder for it from the desktop's user folders (Videos, Music,
// Pictures), else the home folder. The last folders are kept in the user
// settings. Main thread.

#include <QString>

class QFileDialog;
class QWidget;

namespace vt::OpenPanel {

enum class Kind { video, audio, picture };  // a choice of videos or photos goes with videos

QString startFolder(Kind kind);
// Keeps the folder of a chosen or saved file as the kind's start.
void remember(Kind kind, const QString& chosenFile);
// The modal open panel for one existing file, starting in startFolder(kind);
// the chosen file's folder is remembered. Empty when cancelled.
QString chooseFile(QWidget* parent, const QString& title, const QString& filter, Kind kind);

}  // namespace vt::OpenPanel
