#pragma once
// A named pipe that notices being opened. Code that opens it for reading
// would wait forever for a writer; the watch is that writer, waiting in open()
// on a thread of its own (again after each open), so such a reader gets in,
// reads the end at once and the test goes on to report it instead of hanging.

#include <atomic>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vt::test {

class FifoWatch {
public:
    explicit FifoWatch(std::filesystem::path path) : state_(std::make_shared<State>())
    {
        state_->path = std::move(path);
        if (::mkfifo(state_->path.c_str(), 0644) != 0) throw std::runtime_error("mkfifo failed: " + state_->path.string());
        writer_ = std::thread([state = state_] {
            // A writer for every open, until the watch ends.
            for (;;) {
                const int fd = ::open(state->path.c_str(), O_WRONLY | O_CLOEXEC);  // waits for a reader
                if (state->releasing || fd < 0) {
                    if (fd >= 0) ::close(fd);
                    return;
                }
                state->opened = true;
                ::close(fd);
            }
        });
    }
    ~FifoWatch() { release(); }
    FifoWatch(const FifoWatch&) = delete;
    FifoWatch& operator=(const FifoWatch&) = delete;

    // Whether anything opened the pipe for reading; call once the code under
    // test has returned. Ends the watch.
    bool opened()
    {
        release();
        return state_->opened;
    }

private:
    struct State {
        std::filesystem::path path;
        std::atomic<bool> releasing{false};
        std::atomic<bool> opened{false};
    };
    std::shared_ptr<State> state_;
    std::thread writer_;

    void release()
    {
        if (!writer_.joinable()) return;
        state_->releasing = true;
        // The reader the writer still waits for, if nothing else was.
        const int fd = ::open(state_->path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {  // the pipe was moved: the writer may wait on, harmlessly
            writer_.detach();
            return;
        }
        writer_.join();
        ::close(fd);
    }
};

}  // namespace vt::test
