// The reference for the start-up benchmark: a bare window of the main
// window's size and frame, shown the plain way, nothing else.
#include <windows.h>

namespace {
LRESULT CALLBACK procedure(HWND hwnd, UINT msg, WPARAM w, LPARAM l)
{
    if (msg == WM_DESTROY) ::PostQuitMessage(0);
    return ::DefWindowProcW(hwnd, msg, w, l);
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"BareWindow";
    ::RegisterClassW(&wc);
    const int x = (::GetSystemMetrics(SM_CXSCREEN) - 966) / 2;
    const int y = (::GetSystemMetrics(SM_CYSCREEN) - 508) / 2;
    HWND hwnd = ::CreateWindowExW(0, L"BareWindow", L"bare window", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                  x, y, 966, 508, nullptr, nullptr, instance, nullptr);
    ::ShowWindow(hwnd, SW_SHOWNORMAL);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
