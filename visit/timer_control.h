// The timer control kind 时钟: a period in milliseconds and, while the period
// is positive, a periodic system timer. The system side sits behind
// timer_schedule so the period's rules can be exercised without real timers.
#pragma once

#include <cstdint>

namespace visit {

// Arms and cancels the periodic system timer behind a timer control.
class timer_schedule {
public:
    // A periodic timer whose first tick falls due one full period from now.
    virtual void arm(std::int32_t period_ms) = 0;
    virtual void cancel() = 0;

protected:
    ~timer_schedule() = default;
};

class timer_control {
public:
    explicit timer_control(timer_schedule& schedule) noexcept : schedule_(schedule) {}
    timer_control(const timer_control&) = delete;
    timer_control& operator=(const timer_control&) = delete;

    // A negative value counts as 0. Setting the current period again does
    // nothing, so a running timer keeps its schedule. Any other value cancels
    // the armed timer and, when positive, arms a new one.
    // Returns whether the schedule changed.
    bool set_period(std::int32_t period_ms);

    std::int32_t period() const noexcept { return period_; }
    bool running() const noexcept { return armed_; }

private:
    timer_schedule& schedule_;
    std::int32_t period_ = 0;  // never negative; 0 means stopped
    bool armed_ = false;
};

}  // namespace visit
