#include "visit/visit_cycle.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace visit {
namespace {

using enum text_control;

const std::wstring base = L"http://user.example.com/";

std::wstring name_of(text_control control)
{
    switch (control) {
    case 编辑框1: return L"编辑框1";
    case 编辑框2: return L"编辑框2";
    case 透明标签2: return L"透明标签2";
    }
    return L"?";
}

class recording_schedule final : public timer_schedule {
public:
    explicit recording_schedule(std::vector<std::wstring>& log) : log_(log) {}
    void arm(std::int32_t period_ms) override { log_.push_back(L"arm " + std::to_wstring(period_ms)); }
    void cancel() override { log_.push_back(L"cancel"); }

private:
    std::vector<std::wstring>& log_;
};

// The main window as the cycle sees it: control texts, the timer and the
// browser view, each use written to one log. Touching a control after the
// window was destroyed is a failure.
class fake_window final : public cycle_window {
public:
    std::wstring read_text(text_control control) override
    {
        touch();
        log.push_back(L"read " + name_of(control));
        return texts[control];
    }
    void set_text(text_control control, std::wstring_view text) override
    {
        touch();
        log.push_back(L"set " + name_of(control) + L" " + std::wstring(text));
        texts[control] = text;
    }
    timer_control& 时钟1() override
    {
        touch();
        return timer;
    }
    void set_address(std::wstring_view address) override
    {
        touch();
        log.push_back(L"address " + std::wstring(address));
    }
    void refresh() override
    {
        touch();
        log.push_back(L"refresh");
    }
    bool alive() override { return is_alive; }

    std::vector<std::wstring> log;
    std::map<text_control, std::wstring> texts{{编辑框1, L"402718563"}, {编辑框2, L"3000"}, {透明标签2, L"0"}};
    bool is_alive = true;
    recording_schedule schedule{log};
    timer_control timer{schedule};

private:
    void touch()
    {
        if (!is_alive) ADD_FAILURE() << "a control of the destroyed window was used";
    }
};

// The dwell: records itself and runs what the test lets happen meanwhile
// (the events its passes would dispatch). Counts how deep dwells nest.
class scripted_dwell final : public waiter {
public:
    explicit scripted_dwell(std::vector<std::wstring>& log) : log_(log) {}
    void wait(std::uint32_t duration_ms) override
    {
        log_.push_back(L"dwell " + std::to_wstring(duration_ms));
        ++depth;
        max_depth = std::max(max_depth, depth);
        if (!during.empty()) {
            auto events = std::move(during.front());
            during.erase(during.begin());
            events();
        }
        --depth;
    }

    std::vector<std::function<void()>> during;  // one entry per dwell, in order
    int depth = 0;
    int max_depth = 0;

private:
    std::vector<std::wstring>& log_;
};

struct VisitCycle : testing::Test {
    fake_window window;
    scripted_dwell dwell{window.log};
    visit_cycle cycle{window, dwell, base};

    void start_running()
    {
        cycle.start();
        window.log.clear();
    }
    // The log of one complete visit step.
    static std::vector<std::wstring> one_step(const std::wstring& address, const std::wstring& account_after,
                                              const std::wstring& counter_after)
    {
        return {L"read 编辑框1", L"address " + address, L"dwell 1000", L"read 编辑框1", L"set 编辑框1 " + account_after,
                L"read 透明标签2", L"set 透明标签2 " + counter_after, L"refresh"};
    }
};

TEST_F(VisitCycle, AStepVisitsDwellsAdvancesCountsAndRefreshesInThatOrder)
{
    start_running();
    cycle.tick();
    EXPECT_EQ(window.log, one_step(base + L"402718563/main", L"402718564", L"1"));
    EXPECT_FALSE(cycle.step_running());
}

TEST_F(VisitCycle, TheNumberEditedDuringTheDwellIsTheOneAdvanced)
{
    start_running();
    dwell.during.push_back([&] { window.texts[编辑框1] = L"777"; });
    cycle.tick();
    EXPECT_EQ(window.log, one_step(base + L"402718563/main", L"778", L"1"));
}

TEST_F(VisitCycle, AccountTextsGoIntoTheAddressAsTypedAndAdvanceByTheirValue)
{
    const struct {
        const wchar_t* account;
        const wchar_t* address;
        const wchar_t* after;
    } cases[] = {
        {L"", L"/main", L"1"},
        {L" 123", L" 123/main", L"124"},
        {L"\uFF11\uFF12\uFF13", L"\uFF11\uFF12\uFF13/main", L"124"},
        {L"abc", L"abc/main", L"1"},
        {L"2147483647", L"2147483647/main", L"2147483648"},
        {L"2147483648", L"2147483648/main", L"-2147483647"},
    };
    start_running();
    int steps = 0;
    for (const auto& c : cases) {
        window.texts[编辑框1] = c.account;
        window.log.clear();
        cycle.tick();
        ++steps;
        EXPECT_EQ(window.log, one_step(base + c.address, c.after, std::to_wstring(steps))) << "account " << c.account;
    }
}

TEST_F(VisitCycle, ConsecutiveStepsWalkTheAccountsAcrossTheWrap)
{
    window.texts[编辑框1] = L"2147483647";
    start_running();
    cycle.tick();
    cycle.tick();
    EXPECT_EQ(window.log[1], L"address " + base + L"2147483647/main");
    EXPECT_EQ(window.log[9], L"address " + base + L"2147483648/main");
    EXPECT_EQ(window.texts[编辑框1], L"-2147483647");
    EXPECT_EQ(window.texts[透明标签2], L"2");
}

TEST_F(VisitCycle, StartSetsThePeriodFromTheIntervalBoxAndDoesNothingElse)
{
    const struct {
        const wchar_t* interval;
        std::int32_t period;
    } cases[] = {
        {L"3000", 3000},  {L" 3000", 3000}, {L"\uFF13\uFF10\uFF10\uFF10", 3000}, {L"3000ms", 3000},
        {L"", 0},         {L"abc", 0},      {L"0", 0},                             {L"-5", 0},
        {L"2147483648", 0},
    };
    for (const auto& c : cases) {
        fake_window fresh;
        scripted_dwell no_dwell{fresh.log};
        visit_cycle fresh_cycle{fresh, no_dwell, base};
        fresh.texts[编辑框2] = c.interval;
        fresh_cycle.start();
        EXPECT_EQ(fresh.timer.period(), c.period) << "interval " << c.interval;
        std::vector<std::wstring> expected{L"read 编辑框2"};
        if (c.period > 0) expected.push_back(L"arm " + std::to_wstring(c.period));
        EXPECT_EQ(fresh.log, expected) << "interval " << c.interval;
    }
}

TEST_F(VisitCycle, StartWithTheSameIntervalKeepsTheScheduleAndAnotherOneReplacesIt)
{
    cycle.start();
    cycle.start();
    window.texts[编辑框2] = L"5000";
    cycle.start();
    window.texts[编辑框2] = L"-5";
    cycle.start();
    EXPECT_EQ(window.log, (std::vector<std::wstring>{L"read 编辑框2", L"arm 3000", L"read 编辑框2", L"read 编辑框2",
                                                     L"cancel", L"arm 5000", L"read 编辑框2", L"cancel"}));
    EXPECT_FALSE(window.timer.running());
}

TEST_F(VisitCycle, PauseDuringTheDwellLetsTheStepFinishAndStartsNoOther)
{
    start_running();
    dwell.during.push_back([&] { cycle.pause(); });
    cycle.tick();
    auto expected = one_step(base + L"402718563/main", L"402718564", L"1");
    expected.insert(expected.begin() + 3, L"cancel");
    EXPECT_EQ(window.log, expected);

    // A tick the queue still held when the timer stopped starts nothing.
    window.log.clear();
    cycle.tick();
    EXPECT_TRUE(window.log.empty());
}

TEST_F(VisitCycle, PauseWhileStoppedChangesNothing)
{
    cycle.pause();
    EXPECT_TRUE(window.log.empty());
    cycle.tick();
    EXPECT_TRUE(window.log.empty());
}

TEST_F(VisitCycle, ATickDuringADwellIsHeldAndRunsRightAfterNeverNested)
{
    start_running();
    // Three ticks fall due in the first dwell; one is held, the others add nothing.
    dwell.during.push_back([&] {
        cycle.tick();
        cycle.tick();
        EXPECT_TRUE(cycle.tick_held());
        cycle.tick();
    });
    cycle.tick();

    EXPECT_EQ(dwell.max_depth, 1);
    auto expected = one_step(base + L"402718563/main", L"402718564", L"1");
    const auto second = one_step(base + L"402718564/main", L"402718565", L"2");
    expected.insert(expected.end(), second.begin(), second.end());
    EXPECT_EQ(window.log, expected);
    EXPECT_FALSE(cycle.tick_held());
    EXPECT_FALSE(cycle.step_running());
}

TEST_F(VisitCycle, AHeldTickCanBeHeldAgainByTheStepItRuns)
{
    // An interval shorter than a step: every dwell sees a tick, so the steps
    // run back to back, one at a time, each completing.
    start_running();
    for (int i = 0; i < 4; ++i) dwell.during.push_back([&] { cycle.tick(); });
    cycle.tick();
    EXPECT_EQ(dwell.max_depth, 1);
    EXPECT_EQ(window.texts[透明标签2], L"5");
    EXPECT_EQ(window.texts[编辑框1], L"402718568");
}

TEST_F(VisitCycle, PauseOrANewPeriodDropsAHeldTickAndTheSamePeriodKeepsIt)
{
    const struct {
        const char* what;
        std::function<void()> after_tick;  // runs in the dwell, right after a tick was held
        int steps;
    } cases[] = {
        {"pause", [this] { cycle.pause(); }, 1},
        {"start with a new interval",
         [this] {
             window.texts[编辑框2] = L"200";
             cycle.start();
         },
         1},
        {"start with the same interval", [this] { cycle.start(); }, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        window.texts[透明标签2] = L"0";
        window.texts[编辑框2] = L"3000";
        cycle.pause();
        cycle.start();
        dwell.during.push_back([&] {
            cycle.tick();
            c.after_tick();
        });
        cycle.tick();
        dwell.during.clear();
        EXPECT_EQ(window.texts[透明标签2], std::to_wstring(c.steps));
    }
}

TEST_F(VisitCycle, WindowDestroyedDuringTheDwellEndsTheStepWithoutTouchingControls)
{
    start_running();
    dwell.during.push_back([&] {
        cycle.tick();  // a held tick must not run either
        window.is_alive = false;
    });
    cycle.tick();
    EXPECT_EQ(window.log, (std::vector<std::wstring>{L"read 编辑框1", L"address " + base + L"402718563/main", L"dwell 1000"}));
    EXPECT_FALSE(cycle.step_running());
    EXPECT_FALSE(cycle.tick_held());
}

TEST_F(VisitCycle, TheCounterKeepsCountingAcrossPauseAndStart)
{
    start_running();
    cycle.tick();
    cycle.pause();
    cycle.tick();  // stopped: no step
    cycle.start();
    cycle.tick();
    EXPECT_EQ(window.texts[透明标签2], L"2");
    EXPECT_EQ(window.texts[编辑框1], L"402718565");
}

}  // namespace
}  // namespace visit
