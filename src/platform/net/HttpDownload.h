#pragma once
// Plain HTTP(S) GET of one resource into a file, with progress and
// cancellation, on libcurl. Redirects are followed; the status reported is
// that of the final answer. Blocks the calling thread for the transfer.
// The body's size and SHA-1 are taken as it arrives, so that a caller can
// check a large file without reading it again.

#include "platform/Cancellation.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

namespace vt::net {

// A transfer that failed on the network (no connection, reset, timeout...).
// Its text is the library's account, for a detail line.
struct NetError : std::runtime_error {
    // `offline`: no host could be reached (no network, a name that does not
    // resolve, a refused connection); `timedOut`: the host stopped answering.
    enum class Kind { other, offline, timedOut };

    explicit NetError(const std::string& what, Kind kind = Kind::other) : std::runtime_error(what), kind(kind) {}

    Kind kind;
};

// The completed fraction of the body, 0 to 1, each time it changes; called
// on the calling thread during the transfer, never after download returns.
using DownloadProgress = std::function<void(double fraction)>;

// What arrived: the HTTP status of the answer and the body written.
struct Downloaded {
    long status = 0;
    std::uintmax_t bytes = 0;
    std::string sha1;  // lowercase hexadecimal
};

// Writes the body of `url` to `destination` (created or replaced). Throws
// NetError when the transfer fails and CancellationError when `cancel`
// fires; in both cases `destination` is removed. A status other than 200 is
// returned, not thrown: the caller decides what the body is worth. So is a
// body shorter than promised when the server promised no length: the
// caller, who knows what it expects, checks size and digest.
Downloaded download(const std::string& url, const std::filesystem::path& destination, const DownloadProgress& progress,
                    const CancelToken& cancel = CancelToken());

}  // namespace vt::net
