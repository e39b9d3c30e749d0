// The fatal error path of the real program. This suite runs with the system
// web-browser control disabled for Wine (ctest sets WINEDLLOVERRIDES; Wine
// takes it from the environment it starts with, not from CreateProcess), so
// the main window cannot be built.
#include "app_process.h"
#include "ui.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

TEST(FatalError, AWindowThatCannotBeBuiltEndsWithTheBoxAndCodeMinusOne)
{
    launch_options options;
    options.wait_for_window = false;
    app_process app(options);
    ASSERT_TRUE(app.started());

    HWND box = nullptr;
    bool main_window_was_visible = false;
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    while (!box && std::chrono::steady_clock::now() < deadline && app.running()) {
        for (HWND hwnd : top_level_windows(app.pid())) {
            if (window_text(hwnd) == L"致命错误" && ::IsWindowVisible(hwnd)) box = hwnd;
            if (window_text(hwnd) == main_caption && ::IsWindowVisible(hwnd)) main_window_was_visible = true;
        }
        pump_for(50ms);
    }
    ASSERT_NE(box, nullptr) << "no fatal error box appeared";
    EXPECT_FALSE(main_window_was_visible) << "the main window must never have been visible";
    std::wstring text;
    for (const auto& child : children_topmost_first(box)) text += child.text + L"\n";
    EXPECT_NE(text.find(L"程序发生致命错误"), std::wstring::npos);
    EXPECT_NE(text.find(L"载入启动窗口失败"), std::wstring::npos);
    EXPECT_TRUE(app.running()) << "the program waits for the box to be dismissed";

    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(app.wait_for_exit(10s), std::optional<DWORD>(0xFFFFFFFFu));
}

}  // namespace
}  // namespace e2e
