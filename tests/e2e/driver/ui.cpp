#include "ui.h"

#include "app_process.h"

namespace e2e {

std::wstring window_text(HWND hwnd)
{
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 5000,
                          &copied);
    text.resize(copied);
    return text;
}

std::wstring class_of(HWND hwnd)
{
    wchar_t name[256] = {};
    ::GetClassNameW(hwnd, name, 256);
    return name;
}

RECT outer_rect(HWND hwnd)
{
    RECT rc{};
    ::GetWindowRect(hwnd, &rc);
    return rc;
}

RECT place_in_parent(HWND hwnd)
{
    RECT rc = outer_rect(hwnd);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(hwnd), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

std::vector<control_info> children_topmost_first(HWND parent)
{
    std::vector<control_info> out;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        out.push_back({child, class_of(child), window_text(child), place_in_parent(child), ::IsWindowVisible(child) != 0});
    return out;
}

HWND child_at(HWND parent, const RECT& place)
{
    for (const auto& c : children_topmost_first(parent))
        if (::EqualRect(&c.place, &place)) return c.hwnd;
    return nullptr;
}

HWND focus_of(HWND hwnd)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(hwnd, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

bool bring_to_front(HWND hwnd)
{
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (::GetForegroundWindow() == hwnd) return true;
        ::SetForegroundWindow(hwnd);
        pump_for(std::chrono::milliseconds(20));
    }
    return ::GetForegroundWindow() == hwnd;
}

namespace {
void send_key(WORD vk, bool up)
{
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &in, sizeof(in));
}

void send_mouse(POINT screen, DWORD flags)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = static_cast<LONG>((screen.x * 65535.0) / (::GetSystemMetrics(SM_CXSCREEN) - 1) + 0.5);
    in.mi.dy = static_cast<LONG>((screen.y * 65535.0) / (::GetSystemMetrics(SM_CYSCREEN) - 1) + 0.5);
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &in, sizeof(in));
}
}  // namespace

void press_key(WORD vk, bool shift)
{
    if (shift) send_key(VK_SHIFT, false);
    send_key(vk, false);
    send_key(vk, true);
    if (shift) send_key(VK_SHIFT, true);
    pump_for(std::chrono::milliseconds(150));
}

void click_at(POINT screen, bool double_click)
{
    send_mouse(screen, MOUSEEVENTF_MOVE);
    for (int i = 0; i < (double_click ? 2 : 1); ++i) {
        send_mouse(screen, MOUSEEVENTF_LEFTDOWN);
        send_mouse(screen, MOUSEEVENTF_LEFTUP);
    }
    pump_for(std::chrono::milliseconds(200));
}

POINT centre_on_screen(HWND hwnd)
{
    const RECT rc = outer_rect(hwnd);
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

void set_window_text(HWND hwnd, const std::wstring& text)
{
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 5000, &result);
}

void click_button(HWND button)
{
    ::PostMessageW(button, BM_CLICK, 0, 0);
    pump_for(std::chrono::milliseconds(100));
}

}  // namespace e2e
