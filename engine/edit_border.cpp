#include "engine/edit_border.h"

#include "engine/engine.h"
#include "engine/painter.h"
#include "engine/theme.h"
#include "win/unique_any.h"

#include <commctrl.h>

namespace engine {

using skinfmt::color_role;
using skinfmt::metric;

void skinned_edit::paint_border(HDC dc) const noexcept
{
    const theme* t = current_theme();
    if (!t) return;
    RECT window{};
    ::GetWindowRect(hwnd(), &window);
    POINT client_origin{0, 0};
    ::ClientToScreen(hwnd(), &client_origin);
    // The border is the non-client band left of the client area (edit
    // boxes have the same band all round; scroll bars lie inside it).
    const int band = client_origin.x - window.left;
    if (band <= 0) return;
    const RECT outer{0, 0, window.right - window.left, window.bottom - window.top};

    const bool focused = ::GetFocus() == hwnd();
    const bool enabled = ::IsWindowEnabled(hwnd()) != FALSE;
    COLORREF colour = t->color(focused ? color_role::edit_border_focused : color_role::edit_border);
    if (!enabled) colour = paint::mix(colour, t->color(color_role::window_background), 50);
    int width = t->metric(metric::edit_border_width);
    if (width > band) width = band;
    paint::frame(dc, outer, colour, width);
    if (band > width) {
        // The rest of the band in the box's own background colour.
        const HWND parent = ::GetParent(hwnd());
        const UINT query = (enabled && !(::GetWindowLongPtrW(hwnd(), GWL_STYLE) & ES_READONLY)) ? WM_CTLCOLOREDIT
                                                                                                   : WM_CTLCOLORSTATIC;
        const win::saved_dc keep(dc);
        auto brush = reinterpret_cast<HBRUSH>(
            ::SendMessageW(parent, query, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd())));
        if (!brush) brush = ::GetSysColorBrush(COLOR_WINDOW);
        RECT inner = outer;
        ::InflateRect(&inner, -width, -width);
        RECT client = inner;
        ::InflateRect(&client, -(band - width), -(band - width));
        ::ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
        ::FillRect(dc, &inner, brush);
    }
}

void skinned_edit::paint_border_now() const noexcept
{
    if (!::IsWindowVisible(hwnd())) return;
    const win::window_dc dc(hwnd(), ::GetWindowDC(hwnd()));
    if (dc.get()) paint_border(dc.get());
}

LRESULT skinned_edit::handle(UINT msg, WPARAM wparam, LPARAM lparam) noexcept
{
    if (!current_theme()) return ::DefSubclassProc(hwnd(), msg, wparam, lparam);
    switch (msg) {
    case WM_NCPAINT: {
        // Scroll bars and the like first, then our border over the edge.
        const LRESULT result = ::DefSubclassProc(hwnd(), msg, wparam, lparam);
        paint_border_now();
        return result;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_STYLECHANGED: {
        const HWND window = hwnd();
        const LRESULT result = ::DefSubclassProc(window, msg, wparam, lparam);
        if (auto* self = find_skinned(window); self && self->kind() == window_kind::edit)
            static_cast<skinned_edit*>(self)->paint_border_now();
        return result;
    }
    case WM_PRINT: {
        const HDC dc = reinterpret_cast<HDC>(wparam);
        if ((lparam & PRF_CHECKVISIBLE) && !::IsWindowVisible(hwnd())) return 0;
        if (lparam & PRF_NONCLIENT) paint_border(dc);
        RECT window{};
        ::GetWindowRect(hwnd(), &window);
        POINT origin{0, 0};
        ::ClientToScreen(hwnd(), &origin);
        const win::saved_dc keep(dc);
        ::OffsetViewportOrgEx(dc, origin.x - window.left, origin.y - window.top, nullptr);
        RECT client{};
        ::GetClientRect(hwnd(), &client);
        ::IntersectClipRect(dc, 0, 0, client.right, client.bottom);
        if (lparam & PRF_ERASEBKGND) ::SendMessageW(hwnd(), WM_ERASEBKGND, wparam, 0);
        if (lparam & PRF_CLIENT) ::SendMessageW(hwnd(), WM_PRINTCLIENT, wparam, lparam);
        return 0;
    }
    default: break;
    }
    return ::DefSubclassProc(hwnd(), msg, wparam, lparam);
}

}  // namespace engine
