// The visit cycle on the real program: Start, Pause, the timer's schedule,
// each step's page request, its one-second dwell and its advances, watched
// through the pages the browser view requests from a recording proxy.
#include "app_process.h"
#include "http_recorder.h"
#include "ui.h"

#include <gtest/gtest.h>

#include <string>

namespace e2e {
namespace {

using loopback::http_recorder;
using loopback::recorded_request;

using clock_type = std::chrono::steady_clock;

std::string page(const std::string& account) { return "http://user.example.com/" + account + "/main"; }

double seconds_between(clock_type::time_point from, clock_type::time_point to)
{
    return std::chrono::duration<double>(to - from).count();
}

constexpr RECT place(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

class Visit : public testing::Test {
protected:
    void SetUp() override
    {
        launch_options options;
        options.environment[L"http_proxy"] = proxy.proxy_address();
        app = std::make_unique<app_process>(options);
        main = app->main_window();
        ASSERT_NE(main, nullptr);
        account = child_at(main, place(85, 434, 128, 24));
        interval = child_at(main, place(328, 435, 72, 24));
        counter = child_at(main, place(536, 424, 32, 44));
        start_button = child_at(main, place(598, 437, 72, 24));
        pause_button = child_at(main, place(713, 437, 72, 24));
        ASSERT_TRUE(account && interval && counter && start_button && pause_button);
        ASSERT_TRUE(proxy.wait_for("http://www.example.com/", 1, 20s)) << "the portal page was not requested";
    }

    // Requests of visited pages (the portal page left out), in order.
    std::vector<recorded_request> visits() const
    {
        std::vector<recorded_request> out;
        for (auto& r : proxy.requests())
            if (r.target.rfind("http://user.example.com/", 0) == 0) out.push_back(r);
        return out;
    }
    bool wait_for_visits(size_t n, std::chrono::milliseconds timeout) const
    {
        const auto deadline = clock_type::now() + timeout;
        while (clock_type::now() < deadline) {
            if (visits().size() >= n) return true;
            pump_for(20ms);
        }
        return visits().size() >= n;
    }
    // Seconds from `from` until the process has ended.
    double ended_after(app_process& process, clock_type::time_point from) const
    {
        EXPECT_EQ(process.wait_for_exit(10s), std::optional<DWORD>(0));
        return seconds_between(from, clock_type::now());
    }
    // How long closing takes when no step runs: Wine itself spends a while
    // tearing a window down on this display, so the dwell's cost is
    // measured against that.
    double idle_close_seconds() const
    {
        app_process idle;
        const auto closed = clock_type::now();
        ::PostMessageW(idle.main_window(), WM_SYSCOMMAND, SC_CLOSE, 0);
        return ended_after(idle, closed);
    }
    bool wait_for_text(HWND control, const std::wstring& text, std::chrono::milliseconds timeout) const
    {
        const auto deadline = clock_type::now() + timeout;
        while (clock_type::now() < deadline) {
            if (window_text(control) == text) return true;
            pump_for(20ms);
        }
        return window_text(control) == text;
    }
    clock_type::time_point click(HWND button)
    {
        const auto at = clock_type::now();
        click_button(button);
        return at;
    }
    clock_type::time_point start_with(const std::wstring& text)
    {
        set_window_text(interval, text);
        return click(start_button);
    }

    http_recorder proxy;
    std::unique_ptr<app_process> app;
    HWND main = nullptr, account = nullptr, interval = nullptr, counter = nullptr;
    HWND start_button = nullptr, pause_button = nullptr;
};

TEST_F(Visit, StartRunsAStepEveryIntervalAndEachAdvancesNumberAndCounter)
{
    const auto clicked = start_with(L"3000");
    ASSERT_TRUE(wait_for_visits(1, 6s));
    const auto first = visits()[0];
    EXPECT_EQ(first.target, page("402718563"));
    EXPECT_NEAR(seconds_between(clicked, first.at), 3.0, 0.5) << "the first step comes one interval after the click";

    // The dwell: nothing advances before a full second has passed.
    pump_for(700ms);
    EXPECT_EQ(window_text(account), L"402718563");
    EXPECT_TRUE(wait_for_text(account, L"402718564", 1500ms));
    EXPECT_TRUE(wait_for_text(counter, L"1", 500ms));
    // The request reaches the proxy a little after the step set the address,
    // so the dwell is seen from here as a little less than its second.
    EXPECT_GE(seconds_between(first.at, clock_type::now()), 0.9);

    ASSERT_TRUE(wait_for_visits(3, 8s));
    const auto all = visits();
    EXPECT_EQ(all[1].target, page("402718564"));
    EXPECT_EQ(all[2].target, page("402718565"));
    EXPECT_NEAR(seconds_between(all[0].at, all[1].at), 3.0, 0.5);
    EXPECT_NEAR(seconds_between(all[1].at, all[2].at), 3.0, 0.5);
    EXPECT_TRUE(wait_for_text(counter, L"3", 2000ms));
}

TEST_F(Visit, StartAgainWithTheSameIntervalKeepsTheSchedule)
{
    const auto clicked = start_with(L"3000");
    pump_for(1500ms);
    click(start_button);
    ASSERT_TRUE(wait_for_visits(1, 6s));
    EXPECT_NEAR(seconds_between(clicked, visits()[0].at), 3.0, 0.5);
}

TEST_F(Visit, StartWithAnotherIntervalRearmsFromTheClick)
{
    start_with(L"3000");
    pump_for(1500ms);
    const auto rearmed = start_with(L"2000");
    ASSERT_TRUE(wait_for_visits(1, 6s));
    EXPECT_NEAR(seconds_between(rearmed, visits()[0].at), 2.0, 0.5);
}

TEST_F(Visit, StartWithAnUnusableIntervalStopsTheCycle)
{
    for (const wchar_t* text : {L"", L"abc", L"0", L"-5", L"2147483648"}) {
        SCOPED_TRACE(testing::Message() << "interval text #" << std::wstring(text).size());
        start_with(L"1500");
        start_with(text);
        const size_t before = visits().size();
        pump_for(2500ms);
        EXPECT_EQ(visits().size(), before);
    }
}

TEST_F(Visit, IntervalsWithBlanksFullWidthDigitsOrUnitsRunEveryThreeSeconds)
{
    for (const wchar_t* text : {L" 3000", L"３０００", L"3000ms"}) {
        const size_t before = visits().size();
        const auto clicked = start_with(text);
        ASSERT_TRUE(wait_for_visits(before + 1, 6s));
        EXPECT_NEAR(seconds_between(clicked, visits()[before].at), 3.0, 0.5);
        click(pause_button);
        pump_for(1500ms);  // let the running step end
    }
}

TEST_F(Visit, PauseDuringADwellCompletesThatStepAndNoLaterOneBegins)
{
    start_with(L"2000");
    ASSERT_TRUE(wait_for_visits(1, 5s));
    click(pause_button);  // inside the dwell
    EXPECT_TRUE(wait_for_text(account, L"402718564", 2000ms));
    EXPECT_TRUE(wait_for_text(counter, L"1", 500ms));
    pump_for(3000ms);
    EXPECT_EQ(visits().size(), 1u);

    // The counter survives Pause and Start.
    start_with(L"1500");
    ASSERT_TRUE(wait_for_visits(2, 4s));
    EXPECT_EQ(visits()[1].target, page("402718564"));
    EXPECT_TRUE(wait_for_text(counter, L"2", 2000ms));
}

TEST_F(Visit, AnEditDuringTheDwellIsTheNumberAdvanced)
{
    start_with(L"2000");
    ASSERT_TRUE(wait_for_visits(1, 5s));
    set_window_text(account, L"500");
    click(pause_button);
    EXPECT_TRUE(wait_for_text(account, L"501", 2000ms));
    EXPECT_EQ(visits()[0].target, page("402718563")) << "the page was the one read when the step began";
}

TEST_F(Visit, AccountTextsPassIntoTheAddressAsTyped)
{
    struct step {
        const wchar_t* typed;  // null: keep what the last step showed
        std::string requested;
        std::wstring shown_after;
    };
    const step steps[] = {
        {L"", "http://user.example.com//main", L"1"},
        {L"2147483647", page("2147483647"), L"2147483648"},
        {nullptr, page("2147483648"), L"-2147483647"},
    };
    size_t seen = 0;
    for (const auto& s : steps) {
        if (s.typed) set_window_text(account, s.typed);
        start_with(L"1200");
        ASSERT_TRUE(wait_for_visits(seen + 1, 4s));
        click(pause_button);
        EXPECT_EQ(visits()[seen].target, s.requested);
        EXPECT_TRUE(wait_for_text(account, s.shown_after, 2000ms));
        seen = visits().size();
        pump_for(300ms);
    }
}

TEST_F(Visit, AShortIntervalNeverNestsSteps)
{
    start_with(L"200");
    pump_for(20s);
    click(pause_button);
    pump_for(1500ms);
    ASSERT_TRUE(app->running());
    const auto all = visits();
    // About one step a second: a step lasts its one-second dwell.
    EXPECT_GE(all.size(), 15u);
    EXPECT_LE(all.size(), 22u);
    // Never nested: each step requested the next number, once.
    for (size_t i = 0; i < all.size(); ++i) EXPECT_EQ(all[i].target, page(std::to_string(402718563 + i)));
    EXPECT_EQ(window_text(counter), std::to_wstring(all.size()));
    EXPECT_EQ(window_text(account), std::to_wstring(402718563 + all.size()));
}

TEST_F(Visit, EscDuringADwellEndsTheProgramPromptlyWithCodeZero)
{
    ASSERT_TRUE(bring_to_front(main));
    start_with(L"1000");
    ASSERT_TRUE(wait_for_visits(1, 4s));
    const auto pressed = clock_type::now();
    press_key(VK_ESCAPE);
    const double during_dwell = ended_after(*app, pressed);
    EXPECT_LT(during_dwell, idle_close_seconds() + 0.5) << "the dwell held the program after Esc";
}

TEST_F(Visit, TheCloseBoxDuringADwellEndsTheProgramPromptlyWithCodeZero)
{
    start_with(L"1000");
    ASSERT_TRUE(wait_for_visits(1, 4s));
    const auto closed = clock_type::now();
    ::PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    const double during_dwell = ended_after(*app, closed);
    EXPECT_LT(during_dwell, idle_close_seconds() + 0.5) << "the dwell held the program after the close";
}

}  // namespace
}  // namespace e2e
