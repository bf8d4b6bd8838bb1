#pragma once
// Cancellation of long-running work, shared between the task that runs it and
// whoever may stop it (the user, a closing editor). A token is cheap to copy;
// every copy shares one state. Cancelling is sticky and happens once.
//
// Work that stops because its token was cancelled throws CancellationError,
// which callers treat as a silent stop (no alert). Thread-safe throughout.

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>

namespace vt {

struct CancellationError : std::exception {
    const char* what() const noexcept override { return "cancelled"; }
};

class CancelToken {
public:
    CancelToken();

    // Sets the flag and runs every registered handler once, on this thread.
    void cancel() const;
    bool isCancelled() const;
    void throwIfCancelled() const;

    // Keeps a cancellation handler registered for its own lifetime. When the
    // token is cancelled already, the handler runs at once inside onCancel.
    class Registration {
    public:
        Registration() = default;
        Registration(Registration&&) noexcept;
        Registration& operator=(Registration&&) noexcept;
        Registration(const Registration&) = delete;
        Registration& operator=(const Registration&) = delete;
        ~Registration();

    private:
        friend class CancelToken;
        std::shared_ptr<struct CancelState> state_;
        std::uint64_t id_ = 0;
    };

    // The handler may run on any thread (the one that cancels); keep it short
    // and never let it throw. It is not run after the registration is gone.
    [[nodiscard]] Registration onCancel(std::function<void()> handler) const;

private:
    std::shared_ptr<struct CancelState> state_;
};

}  // namespace vt
