// The thread's real message queue and tick counter, as the pumping wait uses them.
#pragma once

#include "visit/pumping_wait.h"

#include <windows.h>

#include <functional>

namespace visit {

class system_tick_clock final : public tick_clock {
public:
    std::uint32_t now() override { return ::GetTickCount(); }
};

// Dispatches through win::dispatch_message, exactly as the main event loop
// does, so key presses are examined by the main window during a dwell too.
class thread_message_queue final : public message_source {
public:
    bool dispatch_next() override;
    void wait_for_message(std::uint32_t timeout_ms) override;

private:
    bool quit_next_ = false;  // the last look found the quit request at the head
};

// The visit step's dwell on this thread's queue. window_alive tells whether
// the main window still exists; once it is gone the wait returns at once.
class queue_dwell final : public waiter {
public:
    explicit queue_dwell(std::function<bool()> window_alive) : wait_(clock_, queue_, std::move(window_alive)) {}
    queue_dwell(const queue_dwell&) = delete;
    queue_dwell& operator=(const queue_dwell&) = delete;

    void wait(std::uint32_t duration_ms) override { wait_.wait(duration_ms); }

private:
    system_tick_clock clock_;
    thread_message_queue queue_;
    pumping_wait wait_;
};

}  // namespace visit
