// A small recording HTTP server on 127.0.0.1, given to the browser control
// as its proxy (http_proxy): every page the control requests arrives here as
// "GET http://host/path", is recorded with its time, and is answered with a
// tiny page. Answers for chosen addresses can be held back, to keep a page
// "still loading". Nothing leaves the loopback interface.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace loopback {

struct recorded_request {
    std::string method;
    std::string target;  // absolute address, as a proxy receives it, without ":80"
    std::chrono::steady_clock::time_point at;
};

class http_recorder {
public:
    http_recorder();  // listens on an ephemeral port
    ~http_recorder();
    http_recorder(const http_recorder&) = delete;
    http_recorder& operator=(const http_recorder&) = delete;

    unsigned short port() const noexcept { return port_; }
    std::wstring proxy_address() const;  // for http_proxy

    std::vector<recorded_request> requests() const;
    std::vector<std::string> targets() const;
    size_t count_of(const std::string& target) const;
    // Waits until at least `count` requests for `target` have arrived.
    bool wait_for(const std::string& target, size_t count, std::chrono::milliseconds timeout) const;

    // Requests for `target` are answered only after release_held().
    void hold(const std::string& target);
    void release_held();
    // How many requests for `target` have been answered.
    size_t answered(const std::string& target) const;
    // Drops what was recorded so far.
    void forget();

private:
    void serve();
    void handle(unsigned long long client);

    unsigned long long listener_ = ~0ull;
    unsigned short port_ = 0;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    std::condition_variable released_;
    std::vector<recorded_request> requests_;
    std::vector<std::string> answered_;
    std::set<std::string> held_;
    std::vector<std::thread> connections_;
    std::thread thread_;
};

}  // namespace loopback
