#include "app/transparent_label.h"

#include "win/unique_any.h"

#include <algorithm>
#include <vector>

namespace app {
namespace {

// The label draws its text on one line: line breaks inside the text are not
// drawn (they neither break the line nor show as boxes).
std::wstring single_line(std::wstring text)
{
    std::erase_if(text, [](wchar_t c) { return c == L'\r' || c == L'\n'; });
    return text;
}

RECT rect_in(HWND target, HWND from, RECT rc)
{
    ::MapWindowPoints(from, target, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// Repaints, at once, the part of `window` and of every visible window inside
// it that overlaps `area` (given in screen coordinates): siblings from the
// lowest in the stacking order to the highest, each before its children.
void repaint_children_over(HWND parent, const RECT& area)
{
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        const HWND child = *it;
        if (!(::GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE)) continue;
        RECT window_rect{}, overlap{};
        ::GetWindowRect(child, &window_rect);
        if (!::IntersectRect(&overlap, &window_rect, &area)) continue;
        // In client coordinates; RDW_FRAME takes in the frame parts it covers.
        const RECT update = rect_in(child, HWND_DESKTOP, overlap);
        ::RedrawWindow(child, &update, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_NOCHILDREN);
        repaint_children_over(child, area);
    }
}

}  // namespace

void transparent_label::register_class()
{
    static const bool registered = [] {
        WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = window_procedure;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = nullptr;  // no background of its own
        wc.lpszClassName = class_name;
        return ::RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

bool transparent_label::create(HWND parent, const RECT& place, std::wstring_view text, const label_style& style)
{
    register_class();
    style_ = style;
    const std::wstring initial(text);
    // WS_EX_TRANSPARENT: windows beneath are painted first, so the label's
    // text always lands on what lies under it.
    return ::CreateWindowExW(WS_EX_TRANSPARENT | WS_EX_NOPARENTNOTIFY, class_name, initial.c_str(), WS_CHILD,
                             place.left, place.top, place.right - place.left, place.bottom - place.top, parent,
                             nullptr, ::GetModuleHandleW(nullptr), this) != nullptr;
}

std::wstring transparent_label::text() const { return win::window_view(hwnd()).text(); }

void transparent_label::set_text(std::wstring_view text)
{
    win::window_view(hwnd()).set_text(text);
    refresh();
}

// The label refresh: the old text must leave no trace, and a label lying over
// another (the counter over the caption strip) is drawn over a whole strip.
void transparent_label::refresh()
{
    if (!hwnd()) return;
    const HWND top = ::GetAncestor(hwnd(), GA_ROOT);
    RECT area{};
    ::GetWindowRect(hwnd(), &area);
    const RECT in_top = rect_in(top, HWND_DESKTOP, area);
    ::RedrawWindow(top, &in_top, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_NOCHILDREN);
    repaint_children_over(top, area);
    ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void transparent_label::paint()
{
    win::paint_dc dc(hwnd());
    const std::wstring text = single_line(this->text());
    if (text.empty()) return;
    win::saved_dc saved(dc.get());
    const HFONT font = style_.font ? style_.font : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    win::select_object selected(dc.get(), font);
    ::SetBkMode(dc.get(), TRANSPARENT);
    ::SetTextColor(dc.get(), style_.text_color);
    RECT box = win::window_view(hwnd()).client_rect();
    ::DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &box,
                DT_SINGLELINE | DT_LEFT | DT_VCENTER | DT_NOPREFIX);
}

LRESULT transparent_label::handle_message(UINT msg, WPARAM wparam, LPARAM lparam)
{
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;  // nothing of its own to erase
    case WM_PAINT:
        paint();
        return 0;
    case WM_LBUTTONDOWN:
        if (on_press_) on_press_();
        break;
    }
    return default_procedure(msg, wparam, lparam);
}

}  // namespace app

