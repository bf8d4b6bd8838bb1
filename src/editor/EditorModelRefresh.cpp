// The three notifications that end every edit, and the debounced player
// work they schedule.

#include "editor/EditorModel.h"

#include <QPointer>

#include <algorithm>

namespace vt {

void EditorModel::visualChanged()
{
    recomputeDerived();
    setIsRefreshing(true);
    refreshTask_.start(refreshDelay, [this] { refreshComposition(); });
}

void EditorModel::timelineChanged()
{
    // The playhead stays on the same source moment across the new cut. Until
    // the pending rebuild has moved it, the player still shows the older cut,
    // so where the playhead belongs on the current plan is the pending seek.
    const double source = plan_.sourceTime(pendingSeek_.value_or(currentTime_));
    setIsRefreshing(true);
    recomputeDerived();
    pendingSeek_ = plan_.outputTime(source);
    rebuildTask_.start(rebuildDelay, [this] { rebuildPlayer(); });
}

void EditorModel::timelineItemsChanged()
{
    placeTimeline();
    updateEffectsAudio();
    publishSnapshot();
    refreshTask_.start(refreshDelay, [this] { refreshComposition(); });
}

void EditorModel::rebuildPlayer(std::function<void()> then)
{
    if (!source_ || !services_.player || tornDown_) {
        pendingSeek_.reset();  // no item was built, so the playhead did not move
        setIsRefreshing(false);
        if (then) then();
        return;
    }
    ++rebuildsRunning_;
    QPointer<EditorModel> self(this);
    services_.player->rebuild(*this, [self, then = std::move(then)](std::optional<std::string> error) {
        if (!self) return;
        --self->rebuildsRunning_;
        if (error) self->setExportError(std::move(error));
        self->setIsRefreshing(false);
        if (then) then();
    });
}

void EditorModel::refreshComposition()
{
    if (!source_ || !services_.player || tornDown_) {
        setIsRefreshing(false);
        return;
    }
    QPointer<EditorModel> self(this);
    services_.player->refresh(*this, [self] {
        // A rebuild still to come clears the flag when it ends.
        if (self && !self->rebuildTask_.pending() && self->rebuildsRunning_ == 0) self->setIsRefreshing(false);
    });
}

void EditorModel::tick(double seconds, double rate)
{
    setCurrentTime(seconds);
    set(isPlaying_, rate != 0, &EditorModel::isPlayingChanged);
    set(activeWordID_, wordID(seconds), &EditorModel::activeWordIDChanged);
}

void EditorModel::setIsRefreshing(bool value) { set(isRefreshing_, value, &EditorModel::isRefreshingChanged); }

}  // namespace vt
