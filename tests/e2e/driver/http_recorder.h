// A small recording HTTP server on 127.0.0.1, given to the program as its
// proxy: every page the browser view requests arrives here as
// "GET http://host/path" and is answered with a tiny page.
#pragma once

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace e2e {

struct recorded_request {
    std::string method;
    std::string target;  // absolute address, as a proxy receives it
    std::chrono::steady_clock::time_point at;
};

class http_recorder {
public:
    http_recorder();
    ~http_recorder();
    http_recorder(const http_recorder&) = delete;
    http_recorder& operator=(const http_recorder&) = delete;

    unsigned short port() const noexcept { return port_; }
    std::wstring proxy_address() const;  // for http_proxy
    std::vector<recorded_request> requests() const;
    std::vector<std::string> targets() const;
    // Waits until at least `count` requests for `target` have arrived.
    bool wait_for(const std::string& target, size_t count, std::chrono::milliseconds timeout) const;
    size_t count_of(const std::string& target) const;
    // Answers requests for `target` only after `delay`: a page still loading.
    void delay(const std::string& target, std::chrono::milliseconds delay);

private:
    void serve();
    void handle(unsigned long long client);

    unsigned long long listener_ = ~0ull;
    unsigned short port_ = 0;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    std::vector<recorded_request> requests_;
    std::vector<std::pair<std::string, std::chrono::milliseconds>> delays_;
    std::vector<std::thread> connections_;
    std::thread thread_;
};

}  // namespace e2e
