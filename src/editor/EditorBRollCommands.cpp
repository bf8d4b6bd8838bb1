// Overlays (timed pictures over the video) and B-roll (pictures over chosen
// words): adding them and reading their thumbnails.

#include "editor/EditorModel.h"
#include "model/FileAccess.h"
#include "model/TimeFormat.h"

#include <QMimeDatabase>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace vt {

namespace {

const std::vector<std::string> picturePatterns = {"*.mp4", "*.m4v", "*.mov", "*.mkv", "*.webm", "*.avi",
                                                  "*.png", "*.jpg", "*.jpeg", "*.heic", "*.gif", "*.bmp",
                                                  "*.tif", "*.tiff", "*.webp"};

// A photo by the type its name's extension names; everything else,
// unknown extensions included, is taken for a video.
bool namesImage(const std::string& path)
{
    const QMimeType type = QMimeDatabase().mimeTypeForFile(QString::fromStdString(path), QMimeDatabase::MatchExtension);
    return type.isValid() && type.name().startsWith("image/");
}

// The first `count` user-perceived characters of `text`, then "…"; shorter
// texts whole.
std::string shortened(const std::string& text, int count)
{
    const QString whole = QString::fromStdString(text);
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, whole);
    int seen = 0;
    while (graphemes.toNextBoundary() >= 0) {
        if (++seen == count) {
            const qsizetype end = graphemes.position();
            if (end >= whole.size()) return text;
            return whole.left(end).toStdString() + "…";
        }
    }
    return text;
}

BRoll newItem(const std::string& path)
{
    BRoll item;
    item.path = path;
    item.bookmark = FileAccess::makeBookmark(path);
    item.name = std::filesystem::path(path).stem().string();
    item.isImage = namesImage(path);
    item.startWordID = Uuid::random();
    item.endWordID = Uuid::random();
    item.layout = BRollLayout::full;
    item.entrance = BRollEntrance::fade;
    item.kenBurns = true;
    return item;
}

}  // namespace

std::optional<std::string> EditorModel::pickOverlayFile(const FileChooser& choose)
{
    if (!choose) return std::nullopt;
    return choose("Choose a video or photo to put over your video", picturePatterns);
}

std::optional<std::string> EditorModel::pickBRollFile(const FileChooser& choose)
{
    if (!choose) return std::nullopt;
    return choose("Choose a B-roll clip or photo", picturePatterns);
}

void EditorModel::addOverlay(const std::string& path, double at)
{
    const double wanted = std::isfinite(at) ? at : 0;
    auto place = [path, wanted](EditorModel& m, std::optional<double> videoLength) {
        const bool image = namesImage(path);
        const double len0 = image ? 3.0 : std::min(*videoLength, 5.0);
        m.pushUndo();
        const double L = m.plan_.outputLength();
        const double s = std::max(0.0, std::min(wanted, L - std::min(L, len0)));
        BRoll item = newItem(path);
        item.start = m.plan_.sourceTime(s);
        item.length = std::min(std::max(L - s, 0.3), len0);
        m.updateProject([&](Project& p) {
            if (!p.brolls) p.brolls.emplace();
            p.brolls->push_back(item);
        });
        m.loadBRollThumb(item);
        m.setTimelineSelection(TimelineItem{TimelineItem::Kind::overlay, item.id});
        m.timelineChanged();
    };
    if (namesImage(path)) {
        place(*this, std::nullopt);
        return;
    }
    if (!services_.media) {
        setExportError("That file has no video.");
        return;
    }
    // A sound-only file has no picture to lay over the video: it is refused
    // like a file that cannot be read.
    inBackground([media = services_.media, path, place]() -> std::function<void(EditorModel&)> {
        const auto info = media->probeVideo(path);
        return [info, place](EditorModel& m) {
            if (!info || !std::isfinite(info->duration) || info->duration <= 0.2) {
                m.setExportError("That file has no video.");
                return;
            }
            place(m, info->duration);
        };
    });
}

void EditorModel::addBRoll(const std::string& path, const std::optional<std::set<Uuid>>& ids)
{
    const std::vector<Word>& words = transcript();
    const std::set<Uuid>& wanted = ids ? *ids : selection_;
    std::vector<std::size_t> covered;
    for (std::size_t i = 0; i < words.size(); ++i)
        if (!words[i].deleted && wanted.count(words[i].id)) covered.push_back(i);
    if (covered.empty()) {
        std::optional<std::size_t> anchor, firstKept;
        for (std::size_t i = 0; i < words.size() && !anchor; ++i) {
            if (words[i].deleted) continue;
            if (!firstKept) firstKept = i;
            if (currentTime_ < outputTime(words[i]) + (words[i].end - words[i].start)) anchor = i;
        }
        if (!firstKept) return;
        if (!anchor) anchor = firstKept;
        const double until = words[*anchor].start + 3;
        for (std::size_t i = *anchor; i < words.size(); ++i)
            if (!words[i].deleted && (i == *anchor || words[i].start < until)) covered.push_back(i);
    }
    const Word& first = words[covered.front()];
    const Word& last = words[covered.back()];
    BRoll item = newItem(path);
    if (usesTranslation()) {
        const auto own = anchors(project_.words, first.start, last.end);
        if (!own) return;
        item.startWordID = own->first;
        item.endWordID = own->second;
    } else {
        item.startWordID = first.id;
        item.endWordID = last.id;
    }
    // Undoable like every other new item.
    pushUndo();
    updateProject([&](Project& p) {
        if (!p.brolls) p.brolls.emplace();
        p.brolls->push_back(item);
    });
    loadBRollThumb(item);
    timelineChanged();
}

void EditorModel::loadBRollThumb(const BRoll& item)
{
    if (brollThumbs_.count(item.id) || !services_.media) return;
    inBackground([media = services_.media, item]() -> std::function<void(EditorModel&)> {
        auto image = media->thumbnail(item);
        return [image = std::move(image), id = item.id](EditorModel& m) {
            if (!image) return;
            m.brollThumbs_[id] = *image;
            emit m.brollThumbsChanged();
        };
    });
}

std::string EditorModel::brollText(const BRoll& item) const
{
    if (item.start) {
        for (const BRollPlacement& placed : brollPlacements_) {
            if (placed.item.id != item.id) continue;
            char length[32];
            std::snprintf(length, sizeof length, "%.1f", placed.end - placed.start);
            return "At " + formatTimecode(placed.start) + " for " + length + " s";
        }
    }
    static const std::vector<Word> none;
    const auto names = [&](const std::vector<Word>& words) {
        return std::any_of(words.begin(), words.end(), [&](const Word& w) { return w.id == item.startWordID; });
    };
    const std::vector<Word>& words =
        names(project_.words) ? project_.words : (project_.voiceover ? project_.voiceover->words : none);
    const auto position = [&](const Uuid& id) -> std::optional<std::size_t> {
        for (std::size_t i = 0; i < words.size(); ++i)
            if (words[i].id == id) return i;
        return std::nullopt;
    };
    const auto a = position(item.startWordID), b = position(item.endWordID);
    if (!a || !b) return {};
    std::string text;
    for (std::size_t i = std::min(*a, *b); i <= std::max(*a, *b); ++i) {
        if (words[i].deleted) continue;
        if (!text.empty()) text += ' ';
        text += words[i].text;
    }
    return shortened(text, 60);
}

}  // namespace vt
