#include "visit/visit_cycle.h"

#include "visit/numeric_text.h"
#include "visit/page_address.h"

namespace visit {

using enum text_control;

void visit_cycle::start()
{
    const std::int32_t period = text_to_integer(window_.read_text(编辑框2));
    // A new schedule drops a tick held from the old one.
    if (window_.时钟1().set_period(period)) tick_held_ = false;
}

void visit_cycle::pause()
{
    window_.时钟1().set_period(0);
    tick_held_ = false;
}

void visit_cycle::tick()
{
    // A tick taken from the queue after its timer was stopped starts nothing.
    if (!window_.时钟1().running()) return;
    if (step_running_) {
        tick_held_ = true;
        return;
    }

    struct step_scope {
        visit_cycle& cycle;
        explicit step_scope(visit_cycle& c) : cycle(c) { cycle.step_running_ = true; }
        ~step_scope() { cycle.step_running_ = cycle.tick_held_ = false; }
    } running{*this};

    do {
        tick_held_ = false;
        visit_step();
    } while (tick_held_ && window_.alive());
}

void visit_cycle::visit_step()
{
    window_.set_address(page_address(page_base_, window_.read_text(编辑框1)));

    dwell_.wait(dwell_ms);
    // Closed during the dwell: its controls are gone, the quit request is
    // queued for the main loop, and the rest of the step is left out.
    if (!window_.alive()) return;

    // Read afresh: an edit made during the dwell is the one advanced.
    window_.set_text(编辑框1, advance_by_one(window_.read_text(编辑框1)));
    window_.set_text(透明标签2, advance_by_one(window_.read_text(透明标签2)));
    window_.refresh();
}

}  // namespace visit
