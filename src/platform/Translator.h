#pragma once
// The on-device translation service that turns caption text into English.
// No translator is installed on this computer, so the built-in backend
// reports every language as unsupported and every session fails to prepare;
// the captions then stay as they are. A backend can be installed in its
// place (tests do), which is the one seam through which a real service
// would come.
//
// Threads: backend() and install() on the main thread. A backend's
// prepare() and translate() are called from a worker thread, one run at a
// time; status() and installed() from the main thread.

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vt::Translator {

enum class Status { installed, supported, unsupported };

// A failed preparation or request. `cancelled` marks a request the user
// declined (a language download refused).
struct Error : std::runtime_error {
    explicit Error(const std::string& message, bool cancelled = false)
        : std::runtime_error(message), cancelled(cancelled) {}
    bool cancelled;
};

struct Request {
    std::string text;
    std::string clientIdentifier;
};
struct Response {
    std::string clientIdentifier;
    std::string targetText;
};

class Backend {
public:
    virtual ~Backend() = default;
    // Whether a translator is installed at all.
    virtual bool installed() const = 0;
    // How translating from one language code to another stands.
    virtual Status status(const std::string& from, const std::string& to) const = 0;
    // Gets the language assets ready; throws Error.
    virtual void prepare(const std::optional<std::string>& source, const std::string& target) = 0;
    // One batch; throws Error.
    virtual std::vector<Response> translate(const std::optional<std::string>& source, const std::string& target,
                                            const std::vector<Request>& requests) = 0;
};

// The text shown where a translator would be needed.
inline constexpr const char* notInstalled = "Translating needs an on-device translator, and none is installed on this computer.";

std::shared_ptr<Backend> backend();
// Replaces the backend (null: the built-in unavailable one again).
void install(std::shared_ptr<Backend> backend);

}  // namespace vt::Translator
