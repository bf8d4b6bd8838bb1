#pragma once
// A small HTTP/1.1 file server on 127.0.0.1 for download tests: GET /<name>
// answers 200 with the file <folder>/<name> (Content-Length set; files may be
// sparse), anything else 404. Optionally paces the body so a test can cancel
// mid-transfer. Serves one connection at a time on its own thread.

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <mutex>
#include <set>
#include <string>
#include <thread>

namespace vt::test {

class LocalHttpServer {
public:
    // bytesPerSecond 0 means as fast as possible.
    explicit LocalHttpServer(std::filesystem::path folder, std::size_t bytesPerSecond = 0);
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    // "http://127.0.0.1:<port>/<name>"
    std::string url(const std::string& name) const;
    // Serves <name> with no Content-Length, so that its body ends wherever
    // the connection closes: a cut connection then looks like a whole body.
    void serveWithoutLength(const std::string& name);

private:
    std::filesystem::path folder_;
    std::size_t bytesPerSecond_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::mutex lock_;
    std::set<std::string> withoutLength_;
    std::thread thread_;

    void serve();
    void answer(int client);
};

}  // namespace vt::test
