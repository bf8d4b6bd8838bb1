#include "EditorFakes.h"

#include "editor/Debounce.h"
#include "editor/QtEditorClock.h"

namespace vt {
namespace {

using namespace vt::test;

TEST(QtEditorClock, ARestartedDebounceFiresOnceAfterTheLastStart)
{
    auto clock = std::make_shared<QtEditorClock>();
    Debounce task;
    task.bind(clock);
    std::vector<int> fired;
    task.start(0.01, [&] { fired.push_back(1); });
    task.start(0.02, [&] { fired.push_back(2); });
    EXPECT_TRUE(task.pending());
    ASSERT_TRUE(waitFor([&] { return !fired.empty(); }));
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(fired, std::vector<int>{2});
    EXPECT_FALSE(task.pending());

    // A timer started from inside a firing one runs too; a cancelled one never.
    std::vector<int> chain;
    const auto cancelled = clock->start(0.005, [&] { chain.push_back(0); });
    clock->start(0.01, [&] { clock->start(0.01, [&] { chain.push_back(2); }); chain.push_back(1); });
    clock->cancel(cancelled);
    ASSERT_TRUE(waitFor([&] { return chain.size() == 2; }));
    EXPECT_EQ(chain, (std::vector<int>{1, 2}));
}

}  // namespace
}  // namespace vt
