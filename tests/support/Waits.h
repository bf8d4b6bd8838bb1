#pragma once
// Waiting in tests for work that ends later: on a worker thread, on a timer
// or on a later turn of the event loop. A test waits for the state it needs;
// the cap only stops a hang, so a busy machine makes a test slower, never red.

#include <QtCore/qtestsupport_core.h>

#include <functional>

namespace vt::test {

// Long enough that only a hang reaches it, even on a loaded two-core machine.
inline constexpr int kHangCapMs = 60'000;

// Runs the event loop until `done` holds; false only when it still does not
// after the cap.
inline bool waitFor(const std::function<bool()>& done) { return QTest::qWaitFor(done, kHangCapMs); }

}  // namespace vt::test
