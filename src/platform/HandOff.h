#pragma once
// Work handed to another thread through Qt (its thread pool, its event queue)
// is ordered by locks inside Qt. A thread-sanitized build cannot see those
// locks, Qt not being built with it, and would report every such hand-over as
// a race. A HandOff says it: `give` on the sending thread just before the
// hand-over, `take` on the receiving thread first thing. Outside such a build
// it is empty and does nothing.

#if defined(__SANITIZE_THREAD__)
#define VT_THREAD_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define VT_THREAD_SANITIZER 1
#endif
#endif

#ifdef VT_THREAD_SANITIZER
#include <memory>

extern "C" void __tsan_acquire(void* addr);
extern "C" void __tsan_release(void* addr);
extern "C" void AnnotateIgnoreReadsBegin(const char* file, int line);
extern "C" void AnnotateIgnoreReadsEnd(const char* file, int line);

namespace vt {

class HandOff {
public:
    void give() const { __tsan_release(key_.get()); }
    void take() const
    {
        // The key itself is read before the hand-over is known to be ordered.
        AnnotateIgnoreReadsBegin(__FILE__, __LINE__);
        void* key = key_.get();
        AnnotateIgnoreReadsEnd(__FILE__, __LINE__);
        __tsan_acquire(key);
    }

private:
    std::shared_ptr<char> key_ = std::make_shared<char>();
};

}  // namespace vt
#else
namespace vt {

class HandOff {
public:
    void give() const {}
    void take() const {}
};

}  // namespace vt
#endif
