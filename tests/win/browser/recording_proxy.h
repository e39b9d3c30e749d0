// A small HTTP proxy on 127.0.0.1 that records each request line it gets
// ("GET http://www.example.com/") and answers with a tiny page. Answers to
// chosen addresses can be held back, to keep a page "still loading".
// The control reaches it through the http_proxy environment variable, so
// nothing leaves the loopback interface.
#pragma once

#include <winsock2.h>

#include <condition_variable>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace browser_test {

class recording_proxy {
public:
    recording_proxy();  // listens on an ephemeral port; see port()
    ~recording_proxy();
    recording_proxy(const recording_proxy&) = delete;
    recording_proxy& operator=(const recording_proxy&) = delete;

    unsigned short port() const noexcept { return port_; }

    // Request lines received so far, "METHOD target", in order of arrival;
    // an explicit default port (":80") is left out of the target.
    std::vector<std::string> requests() const;
    size_t count(const std::string& request) const;
    // Requests for `target` are answered only after release_held().
    void hold(const std::string& target);
    void release_held();
    size_t answered(const std::string& target) const;
    void forget();

private:
    void accept_loop();
    void serve(SOCKET client);

    SOCKET listener_ = INVALID_SOCKET;
    unsigned short port_ = 0;
    mutable std::mutex mutex_;
    std::condition_variable released_;
    bool stopping_ = false;
    std::vector<std::string> requests_;
    std::vector<std::string> answered_;
    std::set<std::string> held_;
    std::vector<std::thread> workers_;
    std::thread acceptor_;
};

}  // namespace browser_test
