// Cover pictures: the search for candidate frames, the user's choice and
// rendering it.

#include "editor/EditorModel.h"

#include <cmath>

namespace vt {

namespace {

constexpr int candidateCount = 3;
constexpr int frameEdge = 1920;  // largest side of a frame read for scoring

}  // namespace

void EditorModel::setSelectedThumbID(std::optional<Uuid> id)
{
    set(selectedThumbID_, std::move(id), &EditorModel::selectedThumbIDChanged);
}

void EditorModel::setThumbTemplate(ThumbnailTemplate design)
{
    set(thumbTemplate_, design, &EditorModel::thumbTemplateChanged);
}

std::optional<ThumbnailCandidate> EditorModel::selectedThumb() const
{
    for (const ThumbnailCandidate& c : thumbCandidates_)
        if (selectedThumbID_ && c.id == *selectedThumbID_) return c;
    if (thumbCandidates_.empty()) return std::nullopt;
    return thumbCandidates_.front();
}

void EditorModel::findThumbnails()
{
    // No guard: a second search runs too; whichever ends last leaves its frames.
    set(thumbBusy_, true, &EditorModel::thumbBusyChanged);
    auto work = [media = services_.media, spans = project_.spans(), plan = plan_]() {
        ThumbnailGenerator::FrameSource frames = [&](const std::vector<double>& times) {
            std::vector<std::pair<double, QImage>> read;
            if (!media) return read;
            for (auto& frame : media->framesAtSource(spans, times, frameEdge))
                read.emplace_back(frame.time, std::move(frame.image));
            return read;
        };
        auto found = ThumbnailGenerator::candidates(plan, candidateCount, frames);
        return std::function<void(EditorModel&)>([found = std::move(found)](EditorModel& m) {
            m.thumbCandidates_ = found;
            emit m.thumbCandidatesChanged();
            m.setSelectedThumbID(found.empty() ? std::nullopt : std::optional(found.front().id));
            if (m.thumbText_.empty()) {
                if (m.project_.hookOverlay) m.setThumbText(m.project_.hookOverlay->text);
                else if (!m.project_.hooks.empty()) m.setThumbText(m.project_.hooks.front());
            }
            m.set(m.thumbBusy_, false, &EditorModel::thumbBusyChanged);
        });
    };
    inBackground(std::move(work));
}

std::optional<QImage> EditorModel::renderThumbnail(double scale) const
{
    const auto chosen = selectedThumb();
    if (!chosen || !std::isfinite(scale) || scale <= 0) return std::nullopt;
    const Size canvas = renderSize(project_.aspect);
    const QSize size(static_cast<int>(std::lround(canvas.width * scale)), static_cast<int>(std::lround(canvas.height * scale)));
    return ThumbnailGenerator::render(*chosen, thumbTemplate_, thumbText_, size, project_.grade);
}

bool EditorModel::saveThumbnail(const std::filesystem::path& file) const
{
    const auto image = renderThumbnail(1);
    if (!image) return false;
    ThumbnailGenerator::writePng(*image, file);
    return true;
}

}  // namespace vt
