#pragma once
// Asks where to save one file of one kind, with the system's file dialog,
// starting where files of that kind were last chosen or saved.
// Blocks until the user closes it; absent when cancelled. Neither creates nor
// checks the file.

#include <QString>

#include <filesystem>
#include <optional>

namespace vt::ui {

// `typeFilter` names the one allowed kind, e.g. "MPEG-4 movie (*.mp4)".
std::optional<std::filesystem::path> savePanel(const QString& name, const QString& typeFilter);

// The filter of a file-name extension: "mp4", "m4a", "png", "srt", "vtt";
// plain text for any other.
QString typeFilterFor(const QString& extension);

}  // namespace vt::ui
