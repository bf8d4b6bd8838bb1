#include "platform/ThreadPriority.h"

#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>

namespace vt::ThreadPriority {

void yieldToInput()
{
    // On Linux the nice value belongs to the thread, not the process. Ten
    // steps gives the window's thread about ten times this one's share.
    constexpr int background = 10;
    const auto self = static_cast<id_t>(gettid());
    errno = 0;
    const int now = getpriority(PRIO_PROCESS, self);
    if (errno == 0 && now < background) setpriority(PRIO_PROCESS, self, background);
}

}  // namespace vt::ThreadPriority
