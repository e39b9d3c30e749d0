// The pumping wait: waits a number of milliseconds while the window keeps
// processing its events. Two event passes run before the first clock check
// and four between checks; the wait returns right after a check that finds
// strictly more than the duration gone. When the queue is empty it blocks
// until a message arrives or the time is up, so a dwell costs no processor.
// It returns at once when the main window is gone.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>

namespace visit {

// The system's 32-bit millisecond tick counter; it wraps every 2^32 ms.
class tick_clock {
public:
    virtual std::uint32_t now() = 0;

protected:
    ~tick_clock() = default;
};

// The thread's message queue as an event pass sees it.
class message_source {
public:
    // Takes the next waiting message and dispatches it, unless the queue is
    // empty or the quit request is next (that one stays for the main loop).
    // Returns whether it dispatched a message.
    virtual bool dispatch_next() = 0;
    // Blocks until a message may be waiting or timeout_ms have passed.
    virtual void wait_for_message(std::uint32_t timeout_ms) = 0;

protected:
    ~message_source() = default;
};

// Something that waits; the visit step's dwell goes through it.
class waiter {
public:
    virtual void wait(std::uint32_t duration_ms) = 0;

protected:
    ~waiter() = default;
};

class pumping_wait final : public waiter {
public:
    pumping_wait(tick_clock& clock, message_source& queue, std::function<bool()> window_alive)
        : clock_(clock), queue_(queue), window_alive_(std::move(window_alive))
    {
    }

    void wait(std::uint32_t duration_ms) override;

    // Dispatches messages as long as one waits and it is not the quit request.
    void event_pass();

private:
    // Runs two event passes; false when the window is gone after either.
    bool two_passes();

    tick_clock& clock_;
    message_source& queue_;
    std::function<bool()> window_alive_;
};

}  // namespace visit
