#pragma once
// The texts of the export panel that follow from the project and the
// settings alone: what the export will contain, the settings summary and the
// notes. Pure, so the panel stays a thin view.

#include "export/ExportSettings.h"
#include "model/Project.h"

#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace vt::ui::ExportSummary {

// The "INCLUDED" rows in order: Length, Captions, Stabilized, Audio, Music,
// Color, Hook.
std::vector<std::pair<QString, QString>> included(const Project& project, double outputLength, double savedSeconds);

// "Audio · AAC" for audio-only output, else "1080p / 30fps".
QString settingsSummary(const ExportSettings& settings, const ExportSettings::Resolved& resolved);
// "Matched to your video: 1080×1920, H.264, 10.0 Mbps."
QString automaticNote(const ExportSettings::Resolved& resolved);
// True when the export's short side is more than 1.1 times the source's.
bool upscales(const ExportSettings::Resolved& resolved, const std::optional<SourceVideoInfo>& source);
// "Trip-captioned.mp4" or "Trip-audio.m4a".
QString suggestedName(const QString& projectName, bool audioOnly);

}  // namespace vt::ui::ExportSummary
