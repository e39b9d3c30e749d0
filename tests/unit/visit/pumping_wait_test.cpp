#include "visit/pumping_wait.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>

namespace visit {
namespace {

// A queue and a clock that write what the wait does into one log:
// T a clock reading, D a dispatched message, P the end of an event pass,
// B<n> a block of at most n ms. Time moves only when the test says so:
// by a block (up to its timeout or the next message's arrival) or by a
// scripted list of readings.
class fake_system final : public tick_clock, public message_source {
public:
    std::uint32_t now() override
    {
        log += "T ";
        if (++readings_taken > 10000) {  // a wait that spins would never end here
            ADD_FAILURE() << "the wait keeps reading the clock";
            alive = false;
        }
        if (!scripted.empty()) {
            time = scripted.front();
            scripted.pop_front();
        }
        return time;
    }

    bool dispatch_next() override
    {
        deliver_arrived();
        if (queue.empty()) {
            log += "P ";
            return false;
        }
        auto message = std::move(queue.front());
        queue.pop_front();
        log += "D ";
        message();
        return true;
    }

    void wait_for_message(std::uint32_t timeout_ms) override
    {
        log += 'B';
        log += std::to_string(timeout_ms);
        log += ' ';
        if (!queue.empty()) return;
        std::uint32_t until = time + timeout_ms;
        if (!arrivals.empty() && arrivals.begin()->first - time < timeout_ms) until = arrivals.begin()->first;
        time = until;
        deliver_arrived();
    }

    void post(std::function<void()> message) { queue.push_back(std::move(message)); }
    void post_at(std::uint32_t at, std::function<void()> message) { arrivals.emplace(at, std::move(message)); }

    std::function<bool()> window_alive()
    {
        return [this] { return alive; };
    }

    std::string log;
    std::uint32_t time = 0;
    std::deque<std::uint32_t> scripted;
    bool alive = true;
    int readings_taken = 0;

private:
    void deliver_arrived()
    {
        while (!arrivals.empty() && arrivals.begin()->first <= time) {
            queue.push_back(std::move(arrivals.begin()->second));
            arrivals.erase(arrivals.begin());
        }
    }

    std::deque<std::function<void()>> queue;
    std::multimap<std::uint32_t, std::function<void()>> arrivals;
};

struct PumpingWait : testing::Test {
    fake_system system;
    pumping_wait wait{system, system, system.window_alive()};
};

TEST_F(PumpingWait, TwoPassesBeforeTheFirstCheckAndFourBetweenChecks)
{
    system.time = 100;
    // Readings: start, then checks at 400, 900, 1100 ms after the start.
    system.scripted = {100, 500, 1000, 1200};
    wait.wait(1000);
    EXPECT_EQ(system.log,
              "T P P "
              "T B601 P P P P "
              "T B101 P P P P "
              "T ");
}

TEST_F(PumpingWait, ReturnsOnlyWhenStrictlyMoreThanTheDurationHasPassed)
{
    system.scripted = {5000, 6000, 6001};
    wait.wait(1000);
    EXPECT_EQ(system.log, "T P P T B1 P P P P T ");
}

TEST_F(PumpingWait, TickCounterWrapsDuringTheWait)
{
    // Started 256 ms before the counter wraps; checks after 255, 1000 and 1001 ms.
    system.scripted = {0xFFFFFF00u, 0xFFFFFFFFu, 0x000002E8u, 0x000002E9u};
    wait.wait(1000);
    EXPECT_EQ(system.log, "T P P T B746 P P P P T B1 P P P P T ");
}

TEST_F(PumpingWait, BlocksInsteadOfSpinningWhileTheQueueIsIdle)
{
    // Time moves only while the wait blocks: a polling wait would never end.
    system.time = 0xFFFFFE00u;
    wait.wait(1000);
    EXPECT_EQ(system.log, "T P P T B1001 P P P P T ");
    EXPECT_EQ(system.time - 0xFFFFFE00u, 1001u);
}

TEST_F(PumpingWait, DispatchesWhatArrivesDuringTheWaitAndKeepsItsTiming)
{
    std::string handled;
    system.post([&] { handled += "waiting-before "; });
    system.post_at(300, [&] {
        handled += "click ";
        system.post([&] { handled += "posted-by-click "; });
    });
    wait.wait(1000);
    EXPECT_EQ(handled, "waiting-before click posted-by-click ");
    EXPECT_EQ(system.log,
              "T D P P "
              "T B1001 D D P P P P "  // woken at 300 by the click
              "T B701 P P P P "
              "T ");
    EXPECT_EQ(system.time, 1001u);
}

TEST_F(PumpingWait, AnEventPassRunsUntilTheQueueIsEmpty)
{
    int handled = 0;
    for (int i = 0; i < 3; ++i) system.post([&] { ++handled; });
    wait.event_pass();
    EXPECT_EQ(handled, 3);
    EXPECT_EQ(system.log, "D D D P ");
}

TEST_F(PumpingWait, ReturnsAtOnceWhenTheWindowIsDestroyedDuringAPass)
{
    system.post([&] { system.alive = false; });  // the close request
    system.post([] {});
    wait.wait(1000);
    // The pass still empties the queue; then no further pass and no check.
    EXPECT_EQ(system.log, "T D D P ");
}

TEST_F(PumpingWait, ReturnsAtOnceWhenTheWindowIsDestroyedBetweenChecks)
{
    system.post_at(600, [&] { system.alive = false; });
    wait.wait(1000);
    EXPECT_EQ(system.log, "T P P T B1001 D P ");
    EXPECT_EQ(system.time, 600u);
}

TEST_F(PumpingWait, DoesNotWaitForAWindowThatIsAlreadyGone)
{
    system.alive = false;
    wait.wait(1000);
    EXPECT_EQ(system.log, "");
}

TEST_F(PumpingWait, ZeroDurationStillRunsItsPassesAndOneCheckPastIt)
{
    system.time = 42;
    wait.wait(0);
    EXPECT_EQ(system.log, "T P P T B1 P P P P T ");
}

}  // namespace
}  // namespace visit
