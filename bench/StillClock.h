#pragma once
// An editor clock whose timers never fire, so a benchmark measures only the
// work it calls and never a debounced rebuild or save.

#include "editor/EditorServices.h"

namespace vt::bench {

class StillClock final : public EditorClock {
public:
    Date now() const override { return {}; }
    Ticket start(double, std::function<void()>) override { return ++last_; }
    void cancel(Ticket) override {}

private:
    Ticket last_ = 0;
};

}  // namespace vt::bench
