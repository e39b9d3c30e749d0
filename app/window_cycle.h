// Connects the visit cycle to the main window's controls: the cycle reads
// and sets texts, drives 时钟1 and the browser view through this adapter.
#pragma once

#include "app/main_window.h"
#include "visit/thread_queue.h"
#include "visit/timer_control.h"
#include "visit/visit_cycle.h"
#include "visit/window_timer.h"

namespace app {

class window_cycle final : public visit::cycle_window {
public:
    // The window must have been constructed: 时钟1 is its system timer.
    explicit window_cycle(窗口& window);

    void start() { cycle_.start(); }
    void pause() { cycle_.pause(); }
    void tick() { cycle_.tick(); }

    std::wstring read_text(visit::text_control control) override;
    void set_text(visit::text_control control, std::wstring_view text) override;
    visit::timer_control& 时钟1() override { return clock_; }
    void set_address(std::wstring_view address) override;
    void refresh() override;
    bool alive() override { return window_.alive(); }

private:
    窗口& window_;
    visit::window_timer schedule_;
    visit::timer_control clock_;
    visit::queue_dwell dwell_;
    visit::visit_cycle cycle_;
};

}  // namespace app
