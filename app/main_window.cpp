#include "app/main_window.h"

#include "app/addresses.h"
#include "app/placement.h"
#include "win/message_pump.h"

#include <iterator>

namespace app {
namespace {

constexpr wchar_t caption[] = L"   Varnel  Zoverin     QQ402718563          群:5180462";
constexpr wchar_t caption_strip_text[] =
    L"起始QQ:                             访问停留时间                毫秒        已\r\n访问";

enum control_id : int { id_view = 100, id_start = 101, id_pause = 102, id_account = 103, id_interval = 104 };

constexpr RECT place(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

constexpr RECT view_place = place(6, 3, 954, 421);
constexpr RECT caption_strip_place = place(25, 423, 552, 48);
constexpr RECT account_place = place(85, 434, 128, 24);
constexpr RECT interval_place = place(328, 435, 72, 24);
constexpr RECT counter_place = place(536, 424, 32, 44);
constexpr RECT start_place = place(598, 437, 72, 24);
constexpr RECT pause_place = place(713, 437, 72, 24);
constexpr RECT link_place = place(904, 440, 48, 16);

HFONT default_gui_font() { return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)); }

HWND create_child(const wchar_t* cls, const wchar_t* text, DWORD style, DWORD ex_style, const RECT& rc, HWND parent,
                  int id)
{
    const HWND hwnd = ::CreateWindowExW(ex_style, cls, text, WS_CHILD | style, rc.left, rc.top, rc.right - rc.left,
                                        rc.bottom - rc.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                        ::GetModuleHandleW(nullptr), nullptr);
    if (hwnd) win::window_view(hwnd).set_font(default_gui_font());
    return hwnd;
}

HWND create_button(const wchar_t* text, const RECT& rc, HWND parent, int id)
{
    return create_child(L"Button", text, WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE, 0, rc,
                        parent, id);
}

HWND create_edit(const wchar_t* text, const RECT& rc, HWND parent, int id)
{
    return create_child(L"Edit", text, WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, rc, parent, id);
}

win::unique_hicon load_icon(int size)
{
    return win::unique_hicon(static_cast<HICON>(
        ::LoadImageW(::GetModuleHandleW(nullptr), L"DEFAULT_ICON", IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

}  // namespace

窗口::~窗口()
{
    win::set_message_examiner({});
    destroy_window();
}

bool 窗口::register_class(HICON large, HICON small)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = window_procedure;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hIcon = large;
    wc.hIconSm = small;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = class_name;
    return ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool 窗口::construct()
{
    events_held_ = true;
    large_icon_ = load_icon(::GetSystemMetrics(SM_CXICON));
    small_icon_ = load_icon(::GetSystemMetrics(SM_CXSMICON));
    if (!register_class(large_icon_.get(), small_icon_.get())) return false;

    const point origin = centred_origin(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN),
                                        outer_width, outer_height);
    // No WS_CLIPCHILDREN: the window paints its background under the
    // transparent labels, which then draw their text over it.
    const HWND hwnd = ::CreateWindowExW(0, class_name, caption, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                        origin.x, origin.y, outer_width, outer_height, nullptr, nullptr,
                                        ::GetModuleHandleW(nullptr), this);
    if (!hwnd) return false;
    RECT outer{};
    ::GetWindowRect(hwnd, &outer);
    if (outer.right - outer.left != outer_width || outer.bottom - outer.top != outer_height)
        ::SetWindowPos(hwnd, nullptr, 0, 0, outer_width, outer_height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large_icon_.get()));
    ::SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon_.get()));

    if (!create_controls()) {
        destroy_window();
        return false;
    }
    apply_stacking_order();
    show_controls();
    win::set_message_examiner([this](MSG& msg) { return examine_key_press(msg); });
    events_held_ = false;
    return true;
}

bool 窗口::create_controls()
{
    const HWND parent = hwnd();
    browser::view_settings settings;
    settings.address = std::wstring(portal_page);
    view_ = browser::browser_view::create(parent, view_place, id_view, settings);
    if (!view_) return false;

    button_start_ = create_button(L"开始", start_place, parent, id_start);
    button_pause_ = create_button(L"暂停", pause_place, parent, id_pause);
    if (!button_start_ || !button_pause_) return false;

    // 时钟1 is the window's own system timer; it starts stopped.
    if (!caption_label_.create(parent, caption_strip_place, caption_strip_text, {}))
        return false;

    LOGFONTW counter{};
    counter.lfHeight = 16;
    counter.lfWeight = FW_BOLD;
    counter.lfCharSet = DEFAULT_CHARSET;
    counter.lfQuality = PROOF_QUALITY;
    std::wstring_view(L"黑体").copy(counter.lfFaceName, LF_FACESIZE - 1);
    counter_font_.reset(::CreateFontIndirectW(&counter));
    if (!counter_label_.create(parent, counter_place, L"0", {RGB(255, 0, 0), counter_font_.get()})) return false;

    edit_account_ = create_edit(L"402718563", account_place, parent, id_account);
    edit_interval_ = create_edit(L"3000", interval_place, parent, id_interval);
    if (!edit_account_ || !edit_interval_) return false;

    const std::wstring link_text = L"软件更新" + std::wstring(update_page);
    if (!link_label_.create(parent, link_place, link_text, {})) return false;
    link_label_.on_left_button_press([this] { deliver(routines_.open_update); });
    return true;
}

void 窗口::apply_stacking_order() const
{
    const HWND topmost_first[] = {link_label_.hwnd(), edit_interval_, edit_account_, counter_label_.hwnd(),
                                  caption_label_.hwnd(), button_pause_, button_start_, view_->hwnd()};
    HWND above = HWND_TOP;
    for (const HWND control : topmost_first) {
        ::SetWindowPos(control, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        above = control;
    }
}

void 窗口::show_controls() const
{
    for (const HWND control : {view_->hwnd(), button_start_, button_pause_, caption_label_.hwnd(),
                               counter_label_.hwnd(), edit_account_, edit_interval_, link_label_.hwnd()})
        ::ShowWindow(control, SW_SHOWNA);
}

void 窗口::raise_creation_event_and_show()
{
    deliver(routines_.creation);
    if (!alive()) return;
    ::ShowWindow(hwnd(), SW_SHOWNORMAL);
    ::UpdateWindow(hwnd());
}

void 窗口::deliver(const std::function<void()>& routine) const
{
    if (!events_held_ && routine) routine();
}

std::wstring 窗口::read_text(HWND control) const { return win::window_view(control).text(); }

void 窗口::set_edit_text(HWND edit, std::wstring_view text) const { win::window_view(edit).set_text(text); }

// The control concerned by a key press: the one whose window holds the focus
// or is the parent of the window that holds it. Deeper focus (inside the
// browser view's page) concerns no control.
HWND 窗口::control_concerned(HWND focus) const
{
    if (!focus) return nullptr;
    if (::GetParent(focus) == hwnd()) return focus;
    const HWND parent = ::GetParent(focus);
    if (parent && ::GetParent(parent) == hwnd()) return parent;
    return nullptr;
}

std::array<HWND, 5> 窗口::tab_order() const
{
    return {view_->hwnd(), button_start_, button_pause_, edit_account_, edit_interval_};
}

void 窗口::move_focus(HWND from, bool forward) const
{
    const auto cycle = tab_order();
    const int count = static_cast<int>(cycle.size());
    int at = -1;
    for (int i = 0; i < count; ++i)
        if (cycle[i] == from) at = i;
    if (at < 0) return;
    for (int step = 1; step < count; ++step) {
        const HWND next = cycle[(at + (forward ? step : count - step)) % count];
        if (::IsWindowVisible(next) && ::IsWindowEnabled(next)) {
            ::SetFocus(next);
            return;
        }
    }
}

// Every key press aimed at this window or any window inside it passes here
// before its target receives it, whoever pumps the message.
bool 窗口::examine_key_press(MSG& msg)
{
    if (msg.message != WM_KEYDOWN || !alive()) return false;
    if (msg.hwnd != hwnd() && !::IsChild(hwnd(), msg.hwnd)) return false;
    const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
    const bool shift = ::GetKeyState(VK_SHIFT) < 0;
    const bool alt = ::GetKeyState(VK_MENU) < 0;
    const HWND concerned = control_concerned(::GetFocus());

    if (msg.wParam == VK_TAB && !ctrl && !alt) {
        if (concerned) move_focus(concerned, !shift);
        return true;
    }
    if (msg.wParam == VK_ESCAPE && !ctrl && !shift && !alt) {
        const LRESULT claims = concerned ? ::SendMessageW(concerned, WM_GETDLGCODE, msg.wParam,
                                                          reinterpret_cast<LPARAM>(&msg))
                                         : 0;
        if (claims & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
        ::SendMessageW(hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
    }
    return view_ && view_->translate_accelerator(msg);
}

void 窗口::restore_focus()
{
    if (last_focus_ && ::IsWindow(last_focus_) && ::IsChild(hwnd(), last_focus_)) {
        ::SetFocus(last_focus_);
        return;
    }
    for (const HWND control : tab_order()) {
        if (::IsWindowVisible(control) && ::IsWindowEnabled(control)) {
            ::SetFocus(control);
            return;
        }
    }
}

LRESULT 窗口::handle_message(UINT msg, WPARAM wparam, LPARAM lparam)
{
    switch (msg) {
    case WM_COMMAND:
        if (HIWORD(wparam) == BN_CLICKED) {
            if (LOWORD(wparam) == id_start) deliver(routines_.start);
            if (LOWORD(wparam) == id_pause) deliver(routines_.pause);
        }
        return 0;
    case WM_TIMER:
        if (wparam == clock_id) {
            deliver(routines_.tick);
            return 0;
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wparam) == WA_INACTIVE) {
            const HWND focus = ::GetFocus();
            if (focus && ::IsChild(hwnd(), focus)) last_focus_ = focus;
        } else if (!HIWORD(wparam)) {  // not minimised
            restore_focus();
        }
        return 0;
    case WM_SETFOCUS:
        restore_focus();
        return 0;
    case WM_NCDESTROY:
        win::set_message_examiner({});
        if (event_loop_running_) ::PostQuitMessage(0);
        break;
    }
    return default_procedure(msg, wparam, lparam);
}

}  // namespace app
