// A small host for looking at the browser view by eye: a window of the main
// window's size with the view in its place, the system control inside it,
// and the recording proxy behind it. It loads the portal page, sets a visit
// page after a second, refreshes, and after `seconds` (first argument,
// default 5) prints the requests the proxy saw and ends.
#include <windows.h>
#include <ole2.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "browser/browser_view.h"
#include "http_recorder.h"
#include "test_support.h"

int wmain(int argc, wchar_t** argv)
{
    const DWORD seconds = argc > 1 ? static_cast<DWORD>(_wtoi(argv[1])) : 5;
    loopback::http_recorder proxy;
    const std::wstring proxy_address = L"http://127.0.0.1:" + std::to_wstring(proxy.port());
    ::SetEnvironmentVariableW(L"http_proxy", proxy_address.c_str());
    _wputenv((L"http_proxy=" + proxy_address).c_str());

    if (FAILED(::OleInitialize(nullptr))) return 1;
    int result = 0;
    {
        auto frame = browser_test::make_test_frame(L"browser view host");
        auto view = browser::browser_view::create(frame.get(), browser_test::view_place, browser_test::view_id,
                                                  {2, false, true, L"http://www.example.com/"});
        if (!view) {
            std::printf("the view could not be created\n");
            result = 2;
        } else {
            ::ShowWindow(view->hwnd(), SW_SHOWNA);
            ::SetFocus(view->hwnd());
            browser_test::pump_for(1000);
            view->set_address(L"http://user.example.com/402718563/main");
            browser_test::pump_for(1000);
            std::printf("refresh after the visit page had loaded\n");
            view->refresh();
            browser_test::pump_for(seconds > 2 ? (seconds - 2) * 1000 : 0);
            for (const auto& request : proxy.requests())
                std::printf("  %s %s\n", request.method.c_str(), request.target.c_str());
            for (const auto& window : browser_test::other_visible_windows(frame.get()))
                std::printf("other window: %s\n", window.c_str());
        }
    }
    ::OleUninitialize();
    std::fflush(stdout);
    return result;
}
