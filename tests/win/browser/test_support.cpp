#include "test_support.h"

#include <ole2.h>

#include <algorithm>

#include "win/text.h"

namespace browser_test {

win::unique_hwnd make_test_frame(const wchar_t* title)
{
    static const ATOM frame_class = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = L"browser view test frame";
        return ::RegisterClassExW(&wc);
    }();
    win::unique_hwnd frame(::CreateWindowExW(0, MAKEINTATOM(frame_class), title,
                                             WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
                                                 WS_CLIPCHILDREN,
                                             200, 130, 966, 508, nullptr, nullptr, ::GetModuleHandleW(nullptr),
                                             nullptr));
    if (frame) {
        ::ShowWindow(frame.get(), SW_SHOW);
        ::SetForegroundWindow(frame.get());
        ::UpdateWindow(frame.get());
    }
    return frame;
}

bool pump_until(const std::function<bool()>& done, DWORD milliseconds, const std::function<void()>& each_pass)
{
    const ULONGLONG deadline = ::GetTickCount64() + milliseconds;
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (each_pass) each_pass();
        if (done && done()) return true;
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline) return false;
        const DWORD left = static_cast<DWORD>(deadline - now);
        ::MsgWaitForMultipleObjectsEx(0, nullptr, left < 50 ? left : 50, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

void pump_for(DWORD milliseconds, const std::function<void()>& each_pass)
{
    pump_until(nullptr, milliseconds, each_pass);
}

namespace {

struct window_search {
    HWND own;
    std::vector<std::string> found;
    std::vector<HWND> windows;
};

BOOL CALLBACK note_other_visible_window(HWND window, LPARAM param)
{
    auto& search = *reinterpret_cast<window_search*>(param);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != ::GetCurrentProcessId() || window == search.own || !::IsWindowVisible(window)) return TRUE;
    wchar_t class_name[256] = {};
    wchar_t title[256] = {};
    ::GetClassNameW(window, class_name, 256);
    ::GetWindowTextW(window, title, 256);
    search.found.push_back(win::to_utf8(class_name) + " \"" + win::to_utf8(title) + "\"");
    search.windows.push_back(window);
    return TRUE;
}

}  // namespace

std::vector<std::string> other_visible_windows(HWND own)
{
    window_search search{own, {}, {}};
    ::EnumWindows(note_other_visible_window, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

dialog_watch::dialog_watch(HWND own) : own_(own), thread_([this] { look(); }) {}

dialog_watch::~dialog_watch()
{
    stopping_ = true;
    thread_.join();
}

std::vector<std::string> dialog_watch::seen() const
{
    std::lock_guard lock(mutex_);
    return seen_;
}

void dialog_watch::look()
{
    for (;;) {
        window_search search{own_, {}, {}};
        ::EnumWindows(note_other_visible_window, reinterpret_cast<LPARAM>(&search));
        {
            std::lock_guard lock(mutex_);
            for (const auto& name : search.found)
                if (std::find(seen_.begin(), seen_.end(), name) == seen_.end()) seen_.push_back(name);
        }
        for (const HWND window : search.windows) ::PostMessageW(window, WM_CLOSE, 0, 0);
        if (stopping_) return;
        ::Sleep(50);
    }
}

RECT rect_in_parent(HWND window)
{
    RECT rc{};
    ::GetWindowRect(window, &rc);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(window), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

}  // namespace browser_test

namespace browser_test {

void ole_environment::SetUp() { ASSERT_HRESULT_SUCCEEDED(::OleInitialize(nullptr)); }
void ole_environment::TearDown() { ::OleUninitialize(); }

namespace {
// Registered before main() runs the tests.
[[maybe_unused]] ::testing::Environment* const ole = ::testing::AddGlobalTestEnvironment(new ole_environment);
}  // namespace

}  // namespace browser_test
