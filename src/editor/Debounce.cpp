#include "editor/Debounce.h"

namespace vt {

void Debounce::start(double seconds, std::function<void()> fire)
{
    cancel();
    ticket_ = clock_->start(seconds, [this, fire = std::move(fire)] {
        ticket_.reset();
        fire();
    });
}

void Debounce::cancel()
{
    if (ticket_) clock_->cancel(*ticket_);
    ticket_.reset();
}

}  // namespace vt
