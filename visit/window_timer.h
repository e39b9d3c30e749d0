// The system side of a timer control: a window timer on the owner window.
// Its ticks arrive there as WM_TIMER with the timer's id; the system never
// piles them up (one pending tick at most).
#pragma once

#include "visit/timer_control.h"

#include <windows.h>

namespace visit {

class window_timer final : public timer_schedule {
public:
    window_timer(HWND owner, UINT_PTR id) noexcept : owner_(owner), id_(id) {}
    window_timer(const window_timer&) = delete;
    window_timer& operator=(const window_timer&) = delete;

    // The system cancels a window's timers with the window; cancelling one
    // of a destroyed window is harmless.
    void arm(std::int32_t period_ms) override { ::SetTimer(owner_, id_, static_cast<UINT>(period_ms), nullptr); }
    void cancel() override { ::KillTimer(owner_, id_); }

    UINT_PTR id() const noexcept { return id_; }

private:
    HWND owner_;
    UINT_PTR id_;
};

}  // namespace visit
