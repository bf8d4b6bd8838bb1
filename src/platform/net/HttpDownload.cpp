#include "platform/net/HttpDownload.h"

#include "platform/net/Sha1.h"

#include <curl/curl.h>

#include <cstdio>
#include <memory>
#include <mutex>

namespace vt::net {

namespace {

struct Transfer {
    std::FILE* file = nullptr;
    const DownloadProgress* progress = nullptr;
    const CancelToken* cancel = nullptr;
    double lastFraction = -1;
    bool writeFailed = false;
    std::uintmax_t bytes = 0;
    Sha1 digest;
};

std::size_t writeBody(char* data, std::size_t size, std::size_t count, void* user)
{
    auto* transfer = static_cast<Transfer*>(user);
    const std::size_t bytes = size * count;
    if (std::fwrite(data, 1, bytes, transfer->file) != bytes) {
        transfer->writeFailed = true;
        return 0;  // makes curl stop with a write error
    }
    transfer->bytes += bytes;
    transfer->digest.add(std::string_view(data, bytes));
    return bytes;
}

int onProgress(void* user, curl_off_t total, curl_off_t now, curl_off_t, curl_off_t)
{
    auto* transfer = static_cast<Transfer*>(user);
    if (transfer->cancel->isCancelled()) return 1;  // curl stops with "aborted by callback"
    if (total > 0 && *transfer->progress) {
        const double fraction = double(now) / double(total);
        if (fraction != transfer->lastFraction) {
            transfer->lastFraction = fraction;
            (*transfer->progress)(fraction);
        }
    }
    return 0;
}

void initialiseOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct CurlFreer {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

NetError::Kind failure(CURLcode code)
{
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_CONNECT: return NetError::Kind::offline;
    case CURLE_OPERATION_TIMEDOUT: return NetError::Kind::timedOut;
    default: return NetError::Kind::other;
    }
}

}  // namespace

Downloaded download(const std::string& url, const std::filesystem::path& destination, const DownloadProgress& progress,
                    const CancelToken& cancel)
{
    initialiseOnce();
    cancel.throwIfCancelled();
    std::unique_ptr<CURL, CurlFreer> curl(curl_easy_init());
    if (!curl) throw NetError("The download could not be started.");
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(destination.c_str(), "wb"));
    if (!file) throw NetError("The download could not be written to " + destination.string() + ".");

    Transfer transfer;
    transfer.file = file.get();
    transfer.progress = &progress;
    transfer.cancel = &cancel;
    char errorText[CURL_ERROR_SIZE] = {};
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_FAILONERROR, 0L);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, writeBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, onProgress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &transfer);
    // A connection that delivers nothing for a minute has failed.
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, 60L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, 60L);

    const CURLcode code = curl_easy_perform(c);
    const bool flushed = std::fflush(file.get()) == 0;
    file.reset();
    const auto fail = [&](auto error) {
        std::error_code ignored;
        std::filesystem::remove(destination, ignored);
        throw error;
    };
    if (code == CURLE_ABORTED_BY_CALLBACK) fail(CancellationError());
    if (code != CURLE_OK || transfer.writeFailed || !flushed) {
        const std::string detail = transfer.writeFailed || !flushed ? "the file could not be written"
                                   : errorText[0]                   ? std::string(errorText)
                                                                    : curl_easy_strerror(code);
        fail(NetError("The download failed: " + detail + ".", failure(code)));
    }
    Downloaded arrived;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &arrived.status);
    arrived.bytes = transfer.bytes;
    arrived.sha1 = transfer.digest.hex();
    return arrived;
}

}  // namespace vt::net
