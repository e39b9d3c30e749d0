// The browser view inside the real program: the pages it requests, as a
// recording proxy on loopback sees them, and no dialog box of its own.
#include "app_process.h"
#include "http_recorder.h"
#include "screenshot.h"
#include "ui.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

using loopback::http_recorder;

constexpr RECT place(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }
const std::string portal = "http://www.example.com/";
std::string page(const std::string& account) { return "http://user.example.com/" + account + "/main"; }

app_process start_with_proxy(const http_recorder& proxy)
{
    launch_options options;
    options.environment[L"http_proxy"] = proxy.proxy_address();
    return app_process(options);
}

// Visible top-level windows of the program other than its main window.
std::vector<std::wstring> other_visible_windows(const app_process& app)
{
    std::vector<std::wstring> out;
    for (HWND hwnd : top_level_windows(app.pid()))
        if (hwnd != app.main_window() && ::IsWindowVisible(hwnd)) out.push_back(class_of(hwnd) + L" " + window_text(hwnd));
    return out;
}

TEST(BrowserView, RequestsThePortalPageAtStartWithoutAnyUserAction)
{
    http_recorder proxy;
    proxy.hold(portal);  // still loading when the window shows
    app_process app = start_with_proxy(proxy);
    ASSERT_NE(app.main_window(), nullptr);
    ASSERT_TRUE(proxy.wait_for(portal, 1, 20s));
    EXPECT_EQ(proxy.targets().front(), portal) << "the portal page is the first request";
    EXPECT_LT(proxy.requests().front().at, app.launched_at() + 20s);
    pump_for(1s);
    proxy.release_held();
    pump_for(2s);
    EXPECT_TRUE(other_visible_windows(app).empty()) << "no dialog box of the control or of Wine";

    const HWND main = app.main_window();
    const capture shot = capture_screen(outer_rect(main));
    save_bmp(shot, L"browser-view");
}

TEST(BrowserView, EveryAddressSetIsRequestedEvenTheSameOneAndEvenWhileAPageLoads)
{
    http_recorder proxy;
    proxy.hold(page("700"));
    app_process app = start_with_proxy(proxy);
    const HWND main = app.main_window();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(proxy.wait_for(portal, 1, 20s));
    const HWND account = child_at(main, place(85, 434, 128, 24));
    const HWND interval = child_at(main, place(328, 435, 72, 24));
    const HWND start = child_at(main, place(598, 437, 72, 24));
    const HWND pause = child_at(main, place(713, 437, 72, 24));

    // Two steps on the same account: the same address, set twice.
    set_window_text(account, L"700");
    set_window_text(interval, L"2500");
    click_button(start);
    ASSERT_TRUE(proxy.wait_for(page("700"), 1, 6s));
    for (int i = 0; i < 200 && window_text(account) != L"701"; ++i) pump_for(10ms);
    ASSERT_EQ(window_text(account), L"701") << "the first step advanced the number";
    set_window_text(account, L"700");  // between the steps
    ASSERT_TRUE(proxy.wait_for(page("700"), 2, 4s)) << "the same address set again is requested again";
    click_button(pause);

    // Page 700 was never answered: the second request went out while the
    // first page was still loading.
    EXPECT_EQ(proxy.answered(page("700")), 0u);
    proxy.release_held();
    pump_for(2s);
    EXPECT_TRUE(other_visible_windows(app).empty());
}

}  // namespace
}  // namespace e2e
