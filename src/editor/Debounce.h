#pragma once
// One debounced task on an EditorClock: starting it again cancels the
// pending run, so a burst of calls runs once, the delay after the last.
// Main thread only.

#include "editor/EditorServices.h"

#include <functional>
#include <memory>
#include <optional>

namespace vt {

class Debounce {
public:
    Debounce() = default;
    ~Debounce() { cancel(); }
    Debounce(const Debounce&) = delete;
    Debounce& operator=(const Debounce&) = delete;

    void bind(std::shared_ptr<EditorClock> clock) { clock_ = std::move(clock); }

    void start(double seconds, std::function<void()> fire);
    void cancel();
    bool pending() const { return ticket_.has_value(); }

private:
    std::shared_ptr<EditorClock> clock_;
    std::optional<EditorClock::Ticket> ticket_;
};

}  // namespace vt
