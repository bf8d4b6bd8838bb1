#include "ui/inspector/ExportSummary.h"
#include "ui/theme/NumberText.h"

#include "model/ColorLook.h"
#include "ui/inspector/TimeFormat.h"

#include <algorithm>
#include <cmath>

namespace vt::ui::ExportSummary {

namespace {

QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QString lengthText(double outputLength, double savedSeconds)
{
    QString out = formatTime(outputLength);
    if (savedSeconds >= 0.5) out += QStringLiteral(" (cut %1s)").arg(static_cast<long long>(std::round(savedSeconds)));
    return out;
}

QString colorText(const std::optional<VideoGrade>& grade)
{
    if (!grade) return QStringLiteral("Original");
    if (grade->look != "none") return text(ColorLook::find(grade->look).name);
    const double adjustments[] = {grade->exposure, grade->contrast,  grade->highlights, grade->shadows,
                                  grade->temperature, grade->tint,   grade->saturation, grade->vibrance,
                                  grade->sharpness, grade->clarity,  grade->denoise,    grade->vignette,
                                  grade->grain,     grade->glow};
    const bool adjusted = std::any_of(std::begin(adjustments), std::end(adjustments), [](double v) { return v != 0; });
    return adjusted ? QStringLiteral("Adjusted") : QStringLiteral("Original");
}

}  // namespace

std::vector<std::pair<QString, QString>> included(const Project& project, double outputLength, double savedSeconds)
{
    QString music = QStringLiteral("None");
    if (project.music)
        music = text(project.music->name) + QStringLiteral(" · ducks ") +
                QString::number(static_cast<long long>(std::trunc(project.music->ducking))) + QStringLiteral(" dB");
    return {
        {QStringLiteral("Length"), lengthText(outputLength, savedSeconds)},
        {QStringLiteral("Captions"), project.captionsVisible ? text(project.style.name) : QStringLiteral("Off")},
        {QStringLiteral("Stabilized"),
         project.stabilization && project.stabilization->enabled ? QStringLiteral("Yes") : QStringLiteral("No")},
        {QStringLiteral("Audio"), project.audioCleanup ? QStringLiteral("Cleaned up") : QStringLiteral("Original")},
        {QStringLiteral("Music"), music},
        {QStringLiteral("Color"), colorText(project.grade)},
        {QStringLiteral("Hook"), project.hookOverlay ? text(project.hookOverlay->text) : QStringLiteral("None")},
    };
}

QString settingsSummary(const ExportSettings& settings, const ExportSettings::Resolved& resolved)
{
    return settings.audioOnly ? QStringLiteral("Audio · AAC") : QString::fromStdString(resolved.summary());
}

QString automaticNote(const ExportSettings::Resolved& resolved)
{
    return QStringLiteral("Matched to your video: %1×%2, %3, %4 Mbps.")
        .arg(static_cast<long long>(resolved.size.width))
        .arg(static_cast<long long>(resolved.size.height))
        .arg(text(json::enumText(resolved.codec)))
        .arg(fixedText(resolved.bitrateMbps, 1));
}

bool upscales(const ExportSettings::Resolved& resolved, const std::optional<SourceVideoInfo>& source)
{
    if (!source) return false;
    const Size shown = ExportBasis::of(OutputAspect::vertical, source).sourceSize;
    return std::min(resolved.size.width, resolved.size.height) > 1.1 * std::min(shown.width, shown.height);
}

QString suggestedName(const QString& projectName, bool audioOnly)
{
    return projectName + (audioOnly ? QStringLiteral("-audio.m4a") : QStringLiteral("-captioned.mp4"));
}

}  // namespace vt::ui::ExportSummary
