#include "visit/timer_control.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace visit {
namespace {

class recording_schedule final : public timer_schedule {
public:
    void arm(std::int32_t period_ms) override { calls.push_back("arm " + std::to_string(period_ms)); }
    void cancel() override { calls.push_back("cancel"); }
    std::vector<std::string> calls;
};

constexpr std::int32_t int32_min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t int32_max = std::numeric_limits<std::int32_t>::max();

TEST(TimerControl, PeriodTransitions)
{
    const struct {
        std::int32_t from;  // period before; 0 = stopped
        std::int32_t set;
        std::vector<std::string> calls;
        std::int32_t period;
        bool changed;
    } cases[] = {
        {0, 3000, {"arm 3000"}, 3000, true},
        {0, 0, {}, 0, false},
        {0, -5, {}, 0, false},
        {0, int32_min, {}, 0, false},
        {0, 1, {"arm 1"}, 1, true},
        {3000, 3000, {}, 3000, false},  // the running schedule is kept
        {3000, 5000, {"cancel", "arm 5000"}, 5000, true},
        {3000, int32_max, {"cancel", "arm 2147483647"}, int32_max, true},
        {3000, 0, {"cancel"}, 0, true},
        {3000, -1, {"cancel"}, 0, true},
        {3000, int32_min, {"cancel"}, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "from " << c.from << " set " << c.set);
        recording_schedule schedule;
        timer_control timer{schedule};
        timer.set_period(c.from);
        schedule.calls.clear();

        EXPECT_EQ(timer.set_period(c.set), c.changed);
        EXPECT_EQ(schedule.calls, c.calls);
        EXPECT_EQ(timer.period(), c.period);
        EXPECT_EQ(timer.running(), c.period > 0);
    }
}

TEST(TimerControl, StartsStoppedAndKeepsOneTimerArmedThroughManyChanges)
{
    recording_schedule schedule;
    timer_control timer{schedule};
    EXPECT_EQ(timer.period(), 0);
    EXPECT_FALSE(timer.running());

    int armed = 0;
    for (std::int32_t v : {3000, 3000, 500, -7, 0, 800, 800, 200}) {
        timer.set_period(v);
        for (const auto& call : schedule.calls) armed += call == "cancel" ? -1 : 1;
        schedule.calls.clear();
        ASSERT_EQ(armed, timer.running() ? 1 : 0) << "after setting " << v;
    }
    EXPECT_EQ(timer.period(), 200);
}

}  // namespace
}  // namespace visit
