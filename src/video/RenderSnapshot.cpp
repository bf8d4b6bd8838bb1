#include "video/RenderSnapshot.h"

namespace vt {

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
