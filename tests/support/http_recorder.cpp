#include "http_recorder.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>

namespace loopback {
namespace {

struct winsock {
    winsock()
    {
        WSADATA data;
        ::WSAStartup(MAKEWORD(2, 2), &data);
    }
    ~winsock() { ::WSACleanup(); }
};

void answer(SOCKET client)
{
    static const char page[] = "<html><head><title>test page</title></head><body>test page</body></html>";
    std::string reply = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                        std::to_string(sizeof(page) - 1) + "\r\nConnection: close\r\n\r\n" + page;
    ::send(client, reply.data(), static_cast<int>(reply.size()), 0);
}

// Wine's proxy requests name the default port ("http://host:80/path");
// the address the program asked for is the same without it.
std::string without_default_port(std::string target)
{
    const std::string scheme = "http://";
    if (target.rfind(scheme, 0) != 0) return target;
    const auto path = target.find('/', scheme.size());
    const auto port = target.rfind(":80", path);
    if (port != std::string::npos && port > scheme.size() && port + 3 == (path == std::string::npos ? target.size() : path))
        target.erase(port, 3);
    return target;
}

}  // namespace

http_recorder::http_recorder()
{
    static winsock ws;
    SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    ::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof(addr));
    ::listen(s, 16);
    int len = sizeof(addr);
    ::getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    listener_ = s;
    thread_ = std::thread([this] { serve(); });
}

http_recorder::~http_recorder()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    released_.notify_all();
    ::closesocket(static_cast<SOCKET>(listener_));
    if (thread_.joinable()) thread_.join();
    for (auto& connection : connections_) connection.join();
}

std::wstring http_recorder::proxy_address() const { return L"http://127.0.0.1:" + std::to_wstring(port_); }

void http_recorder::serve()
{
    const SOCKET listener = static_cast<SOCKET>(listener_);
    while (!stopping_) {
        SOCKET client = ::accept(listener, nullptr, nullptr);
        if (client == INVALID_SOCKET) break;
        // One thread a connection, so a delayed page holds up no other.
        std::lock_guard lock(mutex_);
        connections_.emplace_back([this, client] { handle(client); });
    }
}

void http_recorder::handle(unsigned long long socket)
{
    const SOCKET client = static_cast<SOCKET>(socket);
    DWORD timeout_ms = 2000;
    ::setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout_ms), sizeof(timeout_ms));
    std::string head;
    char buffer[2048];
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536) {
        const int n = ::recv(client, buffer, sizeof(buffer), 0);
        if (n <= 0) break;
        head.append(buffer, n);
    }
    const auto line_end = head.find("\r\n");
    if (line_end != std::string::npos) {
        const std::string line = head.substr(0, line_end);
        const auto sp1 = line.find(' ');
        const auto sp2 = line.rfind(' ');
        std::string target;
        if (sp1 != std::string::npos && sp2 > sp1) {
            target = without_default_port(line.substr(sp1 + 1, sp2 - sp1 - 1));
            std::unique_lock lock(mutex_);
            requests_.push_back({line.substr(0, sp1), target, std::chrono::steady_clock::now()});
            released_.wait(lock, [&] { return stopping_ || !held_.count(target); });
        }
        answer(client);
        std::lock_guard lock(mutex_);
        answered_.push_back(target);
    }
    ::shutdown(client, SD_SEND);
    ::closesocket(client);
}

void http_recorder::hold(const std::string& target)
{
    std::lock_guard lock(mutex_);
    held_.insert(target);
}

void http_recorder::release_held()
{
    {
        std::lock_guard lock(mutex_);
        held_.clear();
    }
    released_.notify_all();
}

size_t http_recorder::answered(const std::string& target) const
{
    std::lock_guard lock(mutex_);
    return static_cast<size_t>(std::count(answered_.begin(), answered_.end(), target));
}

void http_recorder::forget()
{
    std::lock_guard lock(mutex_);
    requests_.clear();
    answered_.clear();
}

std::vector<recorded_request> http_recorder::requests() const
{
    std::lock_guard lock(mutex_);
    return requests_;
}

std::vector<std::string> http_recorder::targets() const
{
    std::vector<std::string> out;
    for (const auto& r : requests()) out.push_back(r.target);
    return out;
}

size_t http_recorder::count_of(const std::string& target) const
{
    const auto all = targets();
    return static_cast<size_t>(std::count(all.begin(), all.end(), target));
}

bool http_recorder::wait_for(const std::string& target, size_t count, std::chrono::milliseconds timeout) const
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (count_of(target) >= count) return true;
        ::Sleep(20);
    }
    return count_of(target) >= count;
}

}  // namespace loopback
