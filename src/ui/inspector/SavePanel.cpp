#include "ui/inspector/SavePanel.h"

#include "ui/theme/OpenPanel.h"

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
    const QString suffix = QFileInfo(name).suffix();
    dialog.setDefaultSuffix(suffix);
    // Sound and pictures are saved where they are kept; the rest (the video
    // and the texts that go beside it) where videos are.
    const auto kind = suffix == "m4a" ? OpenPanel::Kind::audio : suffix == "png" ? OpenPanel::Kind::picture : OpenPanel::Kind::video;
    dialog.setDirectory(OpenPanel::startFolder(kind));
    dialog.selectFile(name);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    OpenPanel::remember(kind, dialog.selectedFiles().front());
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
