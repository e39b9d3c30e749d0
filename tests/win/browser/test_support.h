// What the browser view's tests share: OLE on the test thread, a top-level
// window to hold the view, a message pump with a deadline, and a look at the
// process's visible top-level windows (a dialog box would show there).
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "win/unique_any.h"

namespace browser_test {

// The main window's client-area place and size of the view.
inline constexpr RECT view_place{6, 3, 6 + 954, 3 + 421};
inline constexpr int view_id = 1001;

// A visible top-level window of 966 x 508 at (200, 130), activated.
win::unique_hwnd make_test_frame(const wchar_t* title = L"browser view test");

// Dispatches messages until `done` holds or `milliseconds` pass. True when done.
// `each_pass` runs after every batch of messages (e.g. to look for dialogs).
bool pump_until(const std::function<bool()>& done, DWORD milliseconds,
                const std::function<void()>& each_pass = {});
void pump_for(DWORD milliseconds, const std::function<void()>& each_pass = {});

// Class and title of each visible top-level window of this process, except `own`.
std::vector<std::string> other_visible_windows(HWND own);

// Watches, from a thread of its own, for any other visible top-level window
// of this process (a dialog box of the control or of Wine), notes it and
// closes it, so that a modal box cannot stall the test that caused it.
class dialog_watch {
public:
    explicit dialog_watch(HWND own);
    ~dialog_watch();
    dialog_watch(const dialog_watch&) = delete;
    dialog_watch& operator=(const dialog_watch&) = delete;

    // Each window seen, once.
    std::vector<std::string> seen() const;

private:
    void look();

    HWND own_;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    std::vector<std::string> seen_;
    std::thread thread_;
};

// The window's client rectangle in its parent's client coordinates.
RECT rect_in_parent(HWND window);

}  // namespace browser_test

namespace browser_test {

// OLE for the test thread, once for the whole run, as the program does it at start.
class ole_environment : public ::testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;
};

}  // namespace browser_test
