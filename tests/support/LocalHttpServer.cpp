#include "support/LocalHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace vt::test {

namespace {

bool sendAll(int socket, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t sent = ::send(socket, data, size, MSG_NOSIGNAL);
        if (sent <= 0) return false;
        data += sent;
        size -= std::size_t(sent);
    }
    return true;
}

}  // namespace

LocalHttpServer::LocalHttpServer(std::filesystem::path folder, std::size_t bytesPerSecond)
    : folder_(std::move(folder)), bytesPerSecond_(bytesPerSecond)
{
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    if (listener_ < 0) throw std::runtime_error("no socket");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(listener_, 8) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(listener_);
        throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { serve(); });
}

LocalHttpServer::~LocalHttpServer()
{
    stopping_ = true;
    thread_.join();
    ::close(listener_);
}

std::string LocalHttpServer::url(const std::string& name) const
{
    return "http://127.0.0.1:" + std::to_string(port_) + "/" + name;
}

void LocalHttpServer::serveWithoutLength(const std::string& name)
{
    const std::lock_guard lock(lock_);
    withoutLength_.insert(name);
}

void LocalHttpServer::serve()
{
    while (!stopping_) {
        pollfd waiting{listener_, POLLIN, 0};
        if (::poll(&waiting, 1, 50) <= 0) continue;
        const int client = ::accept(listener_, nullptr, nullptr);
        if (client < 0) continue;
        answer(client);
        ::close(client);
    }
}

void LocalHttpServer::answer(int client)
{
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos) {
        const ssize_t got = ::recv(client, buffer, sizeof buffer, 0);
        if (got <= 0) return;
        request.append(buffer, std::size_t(got));
    }
    std::string name;
    if (request.rfind("GET /", 0) == 0) name = request.substr(5, request.find(' ', 5) - 5);
    const auto file = folder_ / name;
    std::error_code ec;
    if (name.empty() || name.find("..") != std::string::npos || !std::filesystem::is_regular_file(file, ec)) {
        const std::string notFound = "HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\nConnection: close\r\n\r\nnot found";
        sendAll(client, notFound.data(), notFound.size());
        return;
    }
    const auto size = std::filesystem::file_size(file);
    bool sendLength = true;
    {
        const std::lock_guard lock(lock_);
        sendLength = !withoutLength_.contains(name);
    }
    const std::string head = "HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\n" +
                             (sendLength ? "Content-Length: " + std::to_string(size) + "\r\n" : std::string()) +
                             "Connection: close\r\n\r\n";
    if (!sendAll(client, head.data(), head.size())) return;
    std::ifstream in(file, std::ios::binary);
    const std::size_t chunk = bytesPerSecond_ ? std::max<std::size_t>(bytesPerSecond_ / 20, 1) : std::size_t(1) << 20;
    std::vector<char> data(chunk);
    for (std::uintmax_t left = size; left > 0 && !stopping_;) {
        const std::size_t n = std::size_t(std::min<std::uintmax_t>(left, chunk));
        in.read(data.data(), std::streamsize(n));
        if (!sendAll(client, data.data(), n)) return;
        left -= n;
        if (bytesPerSecond_) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

}  // namespace vt::test
