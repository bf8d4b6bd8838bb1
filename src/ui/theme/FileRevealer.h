#pragma once
// Shows files selected in the desktop's file manager. The system one asks
// the freedesktop file manager over D-Bus to select them, and where no file
// manager answers that call it opens the folders holding them with the
// desktop's folder application. Tests record the calls instead.

#include <QString>

#include <filesystem>
#include <vector>

class QMessageBox;
class QWidget;

namespace vt {

class FileRevealer {
public:
    virtual ~FileRevealer() = default;
    // False when nothing on this computer could show them, so the caller
    // can say so.
    virtual bool reveal(const std::vector<std::filesystem::path>& files) = 0;
};

class SystemFileRevealer : public FileRevealer {
public:
    bool reveal(const std::vector<std::filesystem::path>& files) override;
};

// What every "show in the file manager" action does: shows the files, and
// where nothing on this computer can, says so in an alert over the window of
// `near` (`what` names the files there: "video", "file"). The alert is
// returned, null when the files were shown.
QMessageBox* showInFileManager(FileRevealer& revealer, const std::vector<std::filesystem::path>& files, QWidget* near,
                               const QString& what);

}  // namespace vt
