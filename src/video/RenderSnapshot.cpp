#include "video/RenderSnapshot.h"

namespace vt {

SharedGroups::SharedGroups(std::vector<CaptionGroup> groups)
    : groups_(std::make_shared<std::vector<CaptionGroup>>(std::move(groups)))
{
}

const std::vector<CaptionGroup>& SharedGroups::list() const
{
    static const std::vector<CaptionGroup> none;
    return groups_ ? *groups_ : none;
}

std::vector<CaptionGroup>& SharedGroups::edit()
{
    if (!groups_ || groups_.use_count() > 1) groups_ = std::make_shared<std::vector<CaptionGroup>>(list());
    return *groups_;
}

RenderState::RenderState(RenderSnapshot initial)
    : value_(std::make_shared<const RenderSnapshot>(std::move(initial)))
{
}

std::shared_ptr<const RenderSnapshot> RenderState::load() const
{
    std::lock_guard guard(lock_);
    return value_;
}

void RenderState::store(RenderSnapshot snapshot)
{
    auto next = std::make_shared<const RenderSnapshot>(std::move(snapshot));
    {
        std::lock_guard guard(lock_);
        value_.swap(next);
    }
    // `next` now holds the previous value; it is released here, outside the lock.
}

}  // namespace vt
