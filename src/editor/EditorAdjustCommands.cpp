// The picture and sound adjustment of clips and overlays.

#include "editor/EditorModel.h"

#include <chrono>
#include <cmath>

namespace vt {

ItemAdjust EditorModel::adjust(const TimelineItem& item) const
{
    if (item.kind == TimelineItem::Kind::overlay && project_.brolls) {
        for (const BRoll& b : *project_.brolls)
            if (b.id == item.id) return b.adjust.value_or(ItemAdjust{});
    }
    if (item.kind == TimelineItem::Kind::clip) {
        for (const VideoClip& c : project_.videoClips())
            if (c.id == item.id) return c.adjust.value_or(ItemAdjust{});
    }
    return ItemAdjust{};
}

void EditorModel::updateAdjust(const TimelineItem& item, const std::function<void(ItemAdjust&)>& change)
{
    ItemAdjust a = adjust(item);
    const ItemAdjust before = a;
    change(a);
    // An edit that changes nothing, or an item that is gone, records no step:
    // the redo history survives it, and the next real edit is not taken for
    // part of its gesture.
    if (a == before) return;
    const auto isItem = [&](const auto& entry) { return entry.id == item.id; };
    if (item.kind == TimelineItem::Kind::overlay) {
        if (!project_.brolls || std::none_of(project_.brolls->begin(), project_.brolls->end(), isItem)) return;
    } else if (item.kind == TimelineItem::Kind::clip) {
        const auto clips = project_.videoClips();
        if (std::none_of(clips.begin(), clips.end(), isItem)) return;
    } else {
        return;
    }
    const Date now = services_.clock->now();
    const bool sameGesture = lastAdjust_ && lastAdjust_->item == item &&
                             now - lastAdjust_->at <= std::chrono::milliseconds(800);
    if (!sameGesture) pushUndo();
    lastAdjust_ = LastAdjust{item, now};
    const std::optional<ItemAdjust> stored = a == ItemAdjust{} ? std::nullopt : std::optional(a);
    if (item.kind == TimelineItem::Kind::overlay) {
        auto it = std::find_if(project_.brolls->begin(), project_.brolls->end(), isItem);
        updateProject([&](Project&) { it->adjust = stored; });
        visualChanged();
        return;
    }
    if (!project_.clips) updateProject([](Project& p) { p.adoptClips(); });
    auto it = std::find_if(project_.clips->begin(), project_.clips->end(), isItem);
    updateProject([&](Project&) { it->adjust = stored; });
    if (a.volume != before.volume)
        timelineChanged();
    else
        visualChanged();
}

std::optional<Size> EditorModel::clipSize(const Uuid& clipID) const
{
    const auto it = clipInfo_.find(clipID);
    if (it == clipInfo_.end()) return std::nullopt;
    const SourceVideoInfo& info = it->second;
    const AffineTransform& t = info.transform;
    // The transformed rectangle's extent: a quarter turn swaps the sides.
    const double w = std::abs(t.a * info.naturalWidth + t.c * info.naturalHeight);
    const double h = std::abs(t.b * info.naturalWidth + t.d * info.naturalHeight);
    return Size{w, h};
}

std::optional<double> EditorModel::overlayAspect(const BRoll& item) const
{
    if (item.isImage) {
        const QImage still(QString::fromStdString(item.path));
        if (!still.isNull()) return double(still.width()) / std::max(still.height(), 1);
    }
    const auto thumb = brollThumbs_.find(item.id);
    if (thumb != brollThumbs_.end() && thumb->second.height() > 0)
        return double(thumb->second.width()) / thumb->second.height();
    return std::nullopt;
}

}  // namespace vt
