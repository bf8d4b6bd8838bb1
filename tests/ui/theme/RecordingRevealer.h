#pragma once
// A file revealer for tests: it records what it was asked to show and, with
// `shows` off, plays a computer that has no file manager.

#include "ui/theme/FileRevealer.h"

#include <QMessageBox>
#include <QStringList>
#include <QWidget>

#include <filesystem>
#include <vector>

namespace vt::test {

struct RecordingRevealer : FileRevealer {
    std::vector<std::vector<std::filesystem::path>> calls;
    bool shows = true;
    bool reveal(const std::vector<std::filesystem::path>& files) override
    {
        calls.push_back(files);
        return shows;
    }
};

// The texts of the alerts open over the window of `widget`.
inline QStringList shownAlerts(QWidget* widget)
{
    QStringList texts;
    for (QMessageBox* box : widget->window()->findChildren<QMessageBox*>())
        if (box->isVisible()) texts << box->text();
    return texts;
}

}  // namespace vt::test
