#include "visit/timer_control.h"

namespace visit {

bool timer_control::set_period(std::int32_t period_ms)
{
    if (period_ms < 0) period_ms = 0;
    if (period_ms == period_) return false;

    period_ = period_ms;
    if (armed_) {
        schedule_.cancel();
        armed_ = false;
    }
    if (period_ > 0) {
        schedule_.arm(period_);
        armed_ = true;
    }
    return true;
}

}  // namespace visit
