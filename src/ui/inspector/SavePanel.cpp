#include "ui/inspector/SavePanel.h"

#include <QFileDialog>
#include <QFileInfo>

namespace vt::ui {

std::optional<std::filesystem::path> savePanel(const QString& name, const QString& typeFilter)
{
    QFileDialog dialog(nullptr);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(typeFilter);
    // The filter only narrows the listing: a name typed without an extension
    // gets the suggested one, so the file is of the one allowed type.
    dialog.setDefaultSuffix(QFileInfo(name).suffix());
    dialog.selectFile(name);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return std::filesystem::path(dialog.selectedFiles().front().toStdString());
}

QString typeFilterFor(const QString& extension)
{
    if (extension == "mp4") return QStringLiteral("MPEG-4 movie (*.mp4)");
    if (extension == "m4a") return QStringLiteral("MPEG-4 audio (*.m4a)");
    if (extension == "png") return QStringLiteral("PNG image (*.png)");
    if (extension == "srt") return QStringLiteral("SubRip subtitles (*.srt)");
    if (extension == "vtt") return QStringLiteral("WebVTT subtitles (*.vtt)");
    return QStringLiteral("Plain text (*.txt)");
}

}  // namespace vt::ui
