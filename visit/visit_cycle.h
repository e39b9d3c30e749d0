// The visit cycle: the Start and Pause routines and the visit step, run by
// the clicks of 按钮1 / 按钮2 and the ticks of 时钟1. All of the cycle's state
// lives in the window's controls; the cycle reaches them through
// cycle_window, so a step can run against stand-ins and reads like its
// algorithm.
#pragma once

#include "visit/pumping_wait.h"
#include "visit/timer_control.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace visit {

// The controls whose texts the cycle reads or sets.
enum class text_control {
    编辑框1,    // the account number; advanced by each step
    编辑框2,    // the interval in milliseconds; read by Start
    透明标签2,  // the visit counter
};

// What the cycle needs of the main window 窗口.
class cycle_window {
public:
    // The control's current text; an empty control gives an empty text.
    virtual std::wstring read_text(text_control control) = 0;
    virtual void set_text(text_control control, std::wstring_view text) = 0;
    virtual timer_control& 时钟1() = 0;
    // The browser view 超文本浏览框1.
    virtual void set_address(std::wstring_view address) = 0;
    virtual void refresh() = 0;
    // False once the window has been destroyed; no control may be touched then.
    virtual bool alive() = 0;

protected:
    ~cycle_window() = default;
};

class visit_cycle {
public:
    static constexpr std::uint32_t dwell_ms = 1000;

    // page_base: the pages' address up to and including the slash after the host.
    visit_cycle(cycle_window& window, waiter& dwell, std::wstring page_base)
        : window_(window), dwell_(dwell), page_base_(std::move(page_base))
    {
    }
    visit_cycle(const visit_cycle&) = delete;
    visit_cycle& operator=(const visit_cycle&) = delete;

    // Click of 按钮1 "开始": the period of 时钟1 becomes the value of 编辑框2.
    void start();
    // Click of 按钮2 "暂停": the period of 时钟1 becomes 0.
    void pause();
    // Periodic event of 时钟1. A tick that falls due while a step is running
    // (inside its dwell) is held, at most one, and its step runs as soon as
    // the running one has ended: steps never nest.
    void tick();

    bool step_running() const noexcept { return step_running_; }
    bool tick_held() const noexcept { return tick_held_; }

private:
    void visit_step();

    cycle_window& window_;
    waiter& dwell_;
    std::wstring page_base_;
    bool step_running_ = false;
    bool tick_held_ = false;
};

}  // namespace visit
