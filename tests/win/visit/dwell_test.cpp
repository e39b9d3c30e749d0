// The dwell on the real message queue of a real window: timing, processor
// cost, the quit request, a window closed meanwhile, the one dispatch, the
// window timer, and whole visit steps driven by real timer ticks.
#include "visit/thread_queue.h"
#include "visit/visit_cycle.h"
#include "visit/window_timer.h"
#include "win/message_pump.h"
#include "win/window.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <functional>
#include <map>
#include <thread>
#include <vector>

namespace visit {
namespace {

using namespace std::chrono_literals;
using clock_type = std::chrono::steady_clock;

double ms_since(clock_type::time_point t0)
{
    return std::chrono::duration<double, std::milli>(clock_type::now() - t0).count();
}

double process_cpu_ms()
{
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto to_100ns = [](FILETIME f) { return (ULONGLONG{f.dwHighDateTime} << 32) | f.dwLowDateTime; };
    return static_cast<double>(to_100ns(kernel) + to_100ns(user)) / 10000.0;
}

// A hidden top-level window whose messages go to a test's handler.
class test_window : public win::window_base<test_window> {
public:
    test_window()
    {
        static const ATOM atom = [] {
            WNDCLASSEXW wc{};
            wc.cbSize = sizeof wc;
            wc.lpfnWndProc = &test_window::window_procedure;
            wc.hInstance = ::GetModuleHandleW(nullptr);
            wc.lpszClassName = L"spacevisit_dwell_test";
            return ::RegisterClassExW(&wc);
        }();
        ::CreateWindowExW(0, MAKEINTATOM(atom), L"dwell test", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                          ::GetModuleHandleW(nullptr), this);
    }
    ~test_window()
    {
        if (hwnd()) ::DestroyWindow(hwnd());
    }

    LRESULT handle_message(UINT msg, WPARAM wparam, LPARAM lparam)
    {
        if (on_message) on_message(msg, wparam, lparam);
        if (msg == WM_DESTROY && post_quit_on_destroy) ::PostQuitMessage(0);
        return default_procedure(msg, wparam, lparam);
    }
    bool alive() const { return hwnd() != nullptr; }

    std::function<void(UINT, WPARAM, LPARAM)> on_message;
    bool post_quit_on_destroy = false;
};

// Drops whatever an earlier test left in the thread's queue.
void drain_queue()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
}

struct Dwell : testing::Test {
    void SetUp() override
    {
        drain_queue();
        ASSERT_TRUE(window.alive());
    }
    void TearDown() override { win::set_message_examiner({}); }

    test_window window;
    queue_dwell dwell{[this] { return window.alive(); }};
};

TEST_F(Dwell, OneSecondLastsJustOverASecondCostsNoProcessorAndStaysResponsive)
{
    double handled_at = -1;
    const auto t0 = clock_type::now();
    window.on_message = [&](UINT msg, WPARAM, LPARAM) {
        if (msg == WM_APP) handled_at = ms_since(t0);
    };
    std::thread poster([&] {
        std::this_thread::sleep_for(300ms);
        ::PostMessageW(window.hwnd(), WM_APP, 0, 0);
    });

    const double cpu0 = process_cpu_ms();
    const DWORD tick0 = ::GetTickCount();
    dwell.wait(1000);
    const DWORD ticks = ::GetTickCount() - tick0;
    const double lasted = ms_since(t0);
    const double cpu = process_cpu_ms() - cpu0;
    poster.join();

    EXPECT_GT(ticks, 1000u);
    // The tick counter is coarse (one step can be ~16 ms), so the real time
    // is compared against one step below the second.
    EXPECT_GT(lasted, 1000.0 - 17.0);
    EXPECT_LT(lasted, 1100.0);
    EXPECT_LT(cpu, 30.0) << "a polling dwell would burn most of the second";
    ASSERT_GE(handled_at, 0.0) << "the message posted during the dwell was not dispatched";
    EXPECT_LT(handled_at - 300.0, 60.0) << "handled late: " << handled_at << " ms";
    std::printf("dwell %.1f ms (ticks %lu), cpu %.2f ms, message handled %.1f ms after posting\n", lasted,
                static_cast<unsigned long>(ticks), cpu, handled_at - 300.0);
}

TEST_F(Dwell, APostedQuitRequestStaysInTheQueueAndDoesNotEndTheWait)
{
    std::vector<UINT> handled;
    window.on_message = [&](UINT msg, WPARAM, LPARAM) {
        if (msg >= WM_APP) handled.push_back(msg);
        if (msg == WM_APP) ::PostQuitMessage(7);
    };
    ::PostMessageW(window.hwnd(), WM_APP, 0, 0);
    // Posted while the quit request is pending: still served by the dwell.
    std::thread poster([&] {
        std::this_thread::sleep_for(150ms);
        ::PostMessageW(window.hwnd(), WM_APP + 1, 0, 0);
    });

    const double cpu0 = process_cpu_ms();
    const DWORD tick0 = ::GetTickCount();
    dwell.wait(400);
    const DWORD ticks = ::GetTickCount() - tick0;
    const double cpu = process_cpu_ms() - cpu0;
    poster.join();

    EXPECT_GT(ticks, 400u);
    EXPECT_LT(cpu, 30.0);
    EXPECT_EQ(handled, (std::vector<UINT>{WM_APP, WM_APP + 1}));

    MSG msg{};
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(Dwell, ReturnsAtOnceWhenTheWindowIsClosedAndLeavesTheQuitForTheMainLoop)
{
    window.post_quit_on_destroy = true;
    std::thread closer([&] {
        std::this_thread::sleep_for(200ms);
        ::PostMessageW(window.hwnd(), WM_CLOSE, 0, 0);
    });
    const auto t0 = clock_type::now();
    dwell.wait(1000);
    const double lasted = ms_since(t0);
    closer.join();

    EXPECT_FALSE(window.alive());
    EXPECT_GT(lasted, 150.0);
    EXPECT_LT(lasted, 400.0);
    MSG msg{};
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
}

TEST_F(Dwell, EventPassesGoThroughTheOneDispatchWithItsKeyExamination)
{
    std::vector<UINT> examined, received;
    win::set_message_examiner([&](MSG& msg) {
        if (msg.hwnd == window.hwnd() && msg.message >= WM_APP) examined.push_back(msg.message);
        return msg.message == WM_APP + 2;  // consumed before the window sees it
    });
    window.on_message = [&](UINT msg, WPARAM, LPARAM) {
        if (msg >= WM_APP) received.push_back(msg);
    };
    ::PostMessageW(window.hwnd(), WM_APP + 2, 0, 0);
    ::PostMessageW(window.hwnd(), WM_APP + 3, 0, 0);
    dwell.wait(50);

    EXPECT_EQ(examined, (std::vector<UINT>{WM_APP + 2, WM_APP + 3}));
    EXPECT_EQ(received, (std::vector<UINT>{WM_APP + 3}));
}

TEST_F(Dwell, WindowTimerTicksOnePeriodAfterArmingAndStopsWhenCancelled)
{
    constexpr UINT_PTR id = 42;
    std::vector<double> ticks_at;
    auto t0 = clock_type::now();
    window.on_message = [&](UINT msg, WPARAM wparam, LPARAM) {
        if (msg == WM_TIMER && wparam == id) ticks_at.push_back(ms_since(t0));
    };
    window_timer schedule{window.hwnd(), id};
    timer_control timer{schedule};

    t0 = clock_type::now();
    timer.set_period(100);
    dwell.wait(550);
    ASSERT_GE(ticks_at.size(), 3u);
    EXPECT_LE(ticks_at.size(), 6u);
    EXPECT_GT(ticks_at.front(), 80.0);

    timer.set_period(0);
    const auto seen = ticks_at.size();
    dwell.wait(300);
    EXPECT_EQ(ticks_at.size(), seen);
}

// The cycle against a window whose controls are plain texts, its timer a
// real window timer and its dwell the real one.
class text_window final : public cycle_window {
public:
    text_window(test_window& window, UINT_PTR timer_id) : window_(window), schedule_(window.hwnd(), timer_id) {}
    std::wstring read_text(text_control control) override { return texts[control]; }
    void set_text(text_control control, std::wstring_view text) override { texts[control] = text; }
    timer_control& 时钟1() override { return timer_; }
    void set_address(std::wstring_view address) override { addresses.emplace_back(address); }
    void refresh() override { ++refreshes; }
    bool alive() override { return window_.alive(); }

    std::map<text_control, std::wstring> texts{{text_control::编辑框1, L"100"},
                                               {text_control::编辑框2, L"400"},
                                               {text_control::透明标签2, L"0"}};
    std::vector<std::wstring> addresses;
    int refreshes = 0;

private:
    test_window& window_;
    window_timer schedule_;
    timer_control timer_{schedule_};
};

class depth_counting_dwell final : public waiter {
public:
    explicit depth_counting_dwell(waiter& inner) : inner_(inner) {}
    void wait(std::uint32_t ms) override
    {
        max_depth = std::max(max_depth, ++depth);
        inner_.wait(ms);
        --depth;
    }
    int depth = 0, max_depth = 0;

private:
    waiter& inner_;
};

TEST_F(Dwell, TicksShorterThanAStepRunTheStepsOneAfterAnotherNeverNested)
{
    constexpr UINT_PTR id = 7;
    text_window controls{window, id};
    depth_counting_dwell step_dwell{dwell};
    visit_cycle cycle{controls, step_dwell, L"http://user.example.com/"};
    window.on_message = [&](UINT msg, WPARAM wparam, LPARAM) {
        if (msg == WM_TIMER && wparam == id) cycle.tick();
        if (msg == WM_APP) cycle.pause();  // the click on 按钮2
    };
    // Ticks every 400 ms: the first step runs from 400 to 1400 ms with two
    // ticks falling due in its dwell; one is held and its step follows at
    // once. The pause comes in the second step's dwell: that step completes
    // and none follows.
    std::thread user([&] {
        std::this_thread::sleep_for(1800ms);
        ::PostMessageW(window.hwnd(), WM_APP, 0, 0);
    });

    const auto t0 = clock_type::now();
    cycle.start();
    dwell.wait(1000);  // the main loop's part, returning once the steps have ended
    const double steps_ended = ms_since(t0);
    dwell.wait(600);
    user.join();

    EXPECT_EQ(step_dwell.max_depth, 1);
    EXPECT_GT(steps_ended, 2300.0);
    EXPECT_LT(steps_ended, 2600.0);
    EXPECT_EQ(controls.texts[text_control::透明标签2], L"2");
    EXPECT_EQ(controls.texts[text_control::编辑框1], L"102");
    EXPECT_EQ(controls.addresses,
              (std::vector<std::wstring>{L"http://user.example.com/100/main", L"http://user.example.com/101/main"}));
    EXPECT_EQ(controls.refreshes, 2);
    EXPECT_FALSE(controls.时钟1().running());
}

}  // namespace
}  // namespace visit
