#include "recording_proxy.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <chrono>

namespace browser_test {
namespace {

const char page[] =
    "<html><head><title>example</title></head>"
    "<body style=\"font-size:40px\">page served by the recording proxy</body></html>";

}  // namespace

recording_proxy::recording_proxy()
{
    WSADATA data;
    if (::WSAStartup(MAKEWORD(2, 2), &data) != 0) return;
    listener_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (listener_ == INVALID_SOCKET) return;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    int length = sizeof address;
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener_, 16) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::closesocket(listener_);
        listener_ = INVALID_SOCKET;
        return;
    }
    port_ = ntohs(address.sin_port);
    acceptor_ = std::thread([this] { accept_loop(); });
}

recording_proxy::~recording_proxy()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    released_.notify_all();
    if (acceptor_.joinable()) acceptor_.join();
    for (auto& worker : workers_) worker.join();
    if (listener_ != INVALID_SOCKET) ::closesocket(listener_);
    ::WSACleanup();
}

void recording_proxy::accept_loop()
{
    for (;;) {
        {
            std::lock_guard lock(mutex_);
            if (stopping_) return;
        }
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(listener_, &readable);
        timeval wait{0, 50 * 1000};
        if (::select(0, &readable, nullptr, nullptr, &wait) <= 0) continue;
        const SOCKET client = ::accept(listener_, nullptr, nullptr);
        if (client == INVALID_SOCKET) continue;
        std::lock_guard lock(mutex_);
        workers_.emplace_back([this, client] { serve(client); });
    }
}

void recording_proxy::serve(SOCKET client)
{
    const DWORD timeout_ms = 5000;
    ::setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout_ms), sizeof timeout_ms);
    std::string head;
    char buffer[2048];
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536) {
        const int got = ::recv(client, buffer, sizeof buffer, 0);
        if (got <= 0) break;
        head.append(buffer, static_cast<size_t>(got));
    }
    const std::string line = head.substr(0, head.find("\r\n"));
    // "GET http://host/path HTTP/1.1" is recorded as "GET http://host/path".
    std::string request = line.substr(0, line.rfind(' '));
    // Wine's proxy requests name the default port ("http://host:80/path"): drop it.
    if (const size_t host = request.find("://"); host != std::string::npos) {
        const size_t path = request.find('/', host + 3);
        const size_t port = request.rfind(":80", path);
        if (port != std::string::npos && port > host && port + 3 == path) request.erase(port, 3);
    }
    const std::string target = request.substr(request.find(' ') + 1);
    if (!line.empty()) {
        std::unique_lock lock(mutex_);
        requests_.push_back(request);
        released_.wait(lock, [&] { return stopping_ || held_.count(target) == 0; });
        answered_.push_back(target);
    }
    const std::string response = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                                 std::to_string(sizeof page - 1) + "\r\nConnection: close\r\n\r\n" + page;
    ::send(client, response.data(), static_cast<int>(response.size()), 0);
    ::shutdown(client, SD_SEND);
    ::closesocket(client);
}

std::vector<std::string> recording_proxy::requests() const
{
    std::lock_guard lock(mutex_);
    return requests_;
}

size_t recording_proxy::count(const std::string& request) const
{
    std::lock_guard lock(mutex_);
    return static_cast<size_t>(std::count(requests_.begin(), requests_.end(), request));
}

void recording_proxy::hold(const std::string& target)
{
    std::lock_guard lock(mutex_);
    held_.insert(target);
}

void recording_proxy::release_held()
{
    {
        std::lock_guard lock(mutex_);
        held_.clear();
    }
    released_.notify_all();
}

size_t recording_proxy::answered(const std::string& target) const
{
    std::lock_guard lock(mutex_);
    return static_cast<size_t>(std::count(answered_.begin(), answered_.end(), target));
}

void recording_proxy::forget()
{
    std::lock_guard lock(mutex_);
    requests_.clear();
    answered_.clear();
}

}  // namespace browser_test
