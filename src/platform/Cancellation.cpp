#include "platform/Cancellation.h"

#include <map>
#include <mutex>
#include <utility>
#include <vector>

namespace vt {

struct CancelState {
    std::mutex mutex;
    bool cancelled = false;
    std::uint64_t nextID = 1;
    std::map<std::uint64_t, std::function<void()>> handlers;
    // Held while handlers run, so a registration that goes away waits for a
    // handler already running instead of leaving it with dangling captures.
    std::recursive_mutex running;
};

CancelToken::CancelToken() : state_(std::make_shared<CancelState>()) {}

void CancelToken::cancel() const
{
    std::lock_guard running(state_->running);
    std::map<std::uint64_t, std::function<void()>> handlers;
    {
        std::lock_guard lock(state_->mutex);
        if (state_->cancelled) return;
        state_->cancelled = true;
        handlers.swap(state_->handlers);
    }
    for (auto& [id, handler] : handlers) handler();
}

bool CancelToken::isCancelled() const
{
    std::lock_guard lock(state_->mutex);
    return state_->cancelled;
}

void CancelToken::throwIfCancelled() const
{
    if (isCancelled()) throw CancellationError();
}

CancelToken::Registration CancelToken::onCancel(std::function<void()> handler) const
{
    Registration registration;
    {
        std::lock_guard lock(state_->mutex);
        if (!state_->cancelled) {
            registration.state_ = state_;
            registration.id_ = state_->nextID++;
            state_->handlers.emplace(registration.id_, std::move(handler));
            return registration;
        }
    }
    handler();
    return registration;
}

CancelToken::Registration::Registration(Registration&& other) noexcept
    : state_(std::move(other.state_)), id_(std::exchange(other.id_, 0))
{
}

CancelToken::Registration& CancelToken::Registration::operator=(Registration&& other) noexcept
{
    if (this != &other) {
        Registration old(std::move(*this));
        state_ = std::move(other.state_);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

CancelToken::Registration::~Registration()
{
    if (!state_) return;
    std::lock_guard running(state_->running);
    std::lock_guard lock(state_->mutex);
    state_->handlers.erase(id_);
}

}  // namespace vt
