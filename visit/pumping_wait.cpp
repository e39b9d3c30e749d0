#include "visit/pumping_wait.h"

#include <algorithm>

namespace visit {

void pumping_wait::event_pass()
{
    while (queue_.dispatch_next()) {
    }
}

bool pumping_wait::two_passes()
{
    for (int pass = 0; pass < 2; ++pass) {
        event_pass();
        if (!window_alive_()) return false;
    }
    return true;
}

void pumping_wait::wait(std::uint32_t duration_ms)
{
    if (!window_alive_()) return;

    const std::uint32_t start = clock_.now();
    for (;;) {
        if (!two_passes()) return;

        // Unsigned difference: a wrap of the counter before or during the
        // wait changes nothing.
        const std::uint32_t elapsed = clock_.now() - start;
        if (elapsed > duration_ms) return;

        // Every pass ends with an empty queue (or the quit request next), so
        // sleep until something arrives or until the first moment at which
        // the next check can end the wait.
        const std::uint64_t until_over = std::uint64_t{duration_ms} - elapsed + 1;
        queue_.wait_for_message(static_cast<std::uint32_t>(std::min<std::uint64_t>(until_over, 0xFFFFFFFEu)));

        if (!two_passes()) return;
    }
}

}  // namespace visit
