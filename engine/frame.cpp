#include "engine/frame.h"

#include "engine/engine.h"
#include "engine/painter.h"
#include "engine/theme.h"
#include "win/unique_any.h"

#include <commctrl.h>

namespace engine {
namespace {

using skinfmt::color_role;
using skinfmt::metric;

// Messages of the system's themed frame painting, sent by some systems'
// default procedure: our frame replaces that painting.
constexpr UINT wm_ncuah_draw_caption = 0x00AE;
constexpr UINT wm_ncuah_draw_frame = 0x00AF;

enum class button_state { normal, hot, pressed };

RECT offset(RECT r, int dx, int dy) noexcept
{
    ::OffsetRect(&r, dx, dy);
    return r;
}

HICON window_icon(HWND hwnd) noexcept
{
    DWORD_PTR icon = 0;
    ::SendMessageTimeoutW(hwnd, WM_GETICON, ICON_SMALL, 0, SMTO_ABORTIFHUNG, 200, &icon);
    if (!icon) ::SendMessageTimeoutW(hwnd, WM_GETICON, ICON_BIG, 0, SMTO_ABORTIFHUNG, 200, &icon);
    if (!icon) icon = static_cast<DWORD_PTR>(::GetClassLongPtrW(hwnd, GCLP_HICONSM));
    if (!icon) icon = static_cast<DWORD_PTR>(::GetClassLongPtrW(hwnd, GCLP_HICON));
    if (!icon) icon = reinterpret_cast<DWORD_PTR>(::LoadIconW(nullptr, IDI_APPLICATION));
    return reinterpret_cast<HICON>(icon);
}

void draw_caption_fill(HDC dc, const RECT& area, const theme& t, bool active) noexcept
{
    const COLORREF start = t.color(active ? color_role::caption_active_start : color_role::caption_inactive_start);
    const COLORREF end = t.color(active ? color_role::caption_active_end : color_role::caption_inactive_end);
    switch (t.style().caption) {
    case skinfmt::caption_fill::solid: paint::fill(dc, area, start); break;
    case skinfmt::caption_fill::vertical: paint::fill_vertical(dc, area, start, end); break;
    case skinfmt::caption_fill::horizontal: paint::fill_horizontal(dc, area, start, end); break;
    case skinfmt::caption_fill::glossy: {
        // A darker body with a lighter band over its upper part.
        const int gloss = t.metric(metric::caption_gloss_percent);
        paint::fill_vertical(dc, area, start, end);
        RECT band = area;
        band.bottom = area.top + (area.bottom - area.top) * 9 / 20;
        paint::fill_vertical(dc, band, paint::lighten(start, gloss), paint::lighten(paint::mix(start, end, 45), gloss / 2));
        break;
    }
    }
}

void draw_glyph(HDC dc, const RECT& box, caption_part part, bool zoomed, COLORREF colour) noexcept
{
    const int w = box.right - box.left, h = box.bottom - box.top;
    int g = (w < h ? w : h) * 2 / 5;
    if (g < 6) g = 6;
    const int t = g >= 9 ? 2 : 1;
    const int x0 = box.left + (w - g) / 2, y0 = box.top + (h - g) / 2;
    switch (part) {
    case part_minimize: paint::fill(dc, RECT{x0, y0 + g - t, x0 + g, y0 + g}, colour); break;
    case part_maximize:
        if (zoomed) {
            const int s = g * 3 / 4;
            paint::frame(dc, RECT{x0 + g - s, y0, x0 + g, y0 + s}, colour, 1);
            paint::fill(dc, RECT{x0, y0 + g - s, x0 + s, y0 + g}, ::GetBkColor(dc));
            paint::frame(dc, RECT{x0, y0 + g - s, x0 + s, y0 + g}, colour, 1);
            paint::fill(dc, RECT{x0, y0 + g - s, x0 + s, y0 + g - s + t}, colour);
        } else {
            paint::frame(dc, RECT{x0, y0, x0 + g, y0 + g}, colour, 1);
            paint::fill(dc, RECT{x0, y0, x0 + g, y0 + t}, colour);
        }
        break;
    case part_close:
        paint::line(dc, x0, y0, x0 + g, y0 + g, colour, t);
        paint::line(dc, x0 + g - 1, y0, x0 - 1, y0 + g, colour, t);
        break;
    default: break;
    }
}

void draw_caption_button(HDC dc, const RECT& box, caption_part part, button_state state, bool active, bool zoomed,
                         const theme& t) noexcept
{
    const bool close = part == part_close;
    COLORREF face = 0;
    bool has_face = true;
    if (state == button_state::pressed) {
        face = t.color(close ? color_role::close_button_pressed : color_role::caption_button_pressed);
    } else if (state == button_state::hot) {
        face = t.color(close ? color_role::close_button_hot : color_role::caption_button_hot);
    } else {
        // A quiet shape at rest, so rounded and round buttons read as buttons.
        const COLORREF ground = t.color(active ? color_role::caption_active_end : color_role::caption_inactive_end);
        face = paint::mix(ground, t.color(color_role::caption_button_hot), active ? 45 : 20);
        has_face = t.style().buttons != skinfmt::caption_button_shape::glyph_only;
    }
    if (has_face) {
        const COLORREF edge = state == button_state::normal ? paint::darken(face, 12) : face;
        switch (t.style().buttons) {
        case skinfmt::caption_button_shape::square:
        case skinfmt::caption_button_shape::glyph_only: paint::fill(dc, box, face); break;
        case skinfmt::caption_button_shape::rounded: paint::round_rect(dc, box, 4, face, edge); break;
        case skinfmt::caption_button_shape::circle: {
            const int w = box.right - box.left, h = box.bottom - box.top, d = w < h ? w : h;
            const RECT disc{box.left + (w - d) / 2, box.top + (h - d) / 2, box.left + (w - d) / 2 + d,
                            box.top + (h - d) / 2 + d};
            paint::ellipse(dc, disc, face, edge);
            break;
        }
        }
    }
    COLORREF glyph = t.color(state == button_state::normal ? color_role::caption_button_glyph
                                                           : color_role::caption_button_glyph_hot);
    if (!active && state == button_state::normal) glyph = t.color(color_role::caption_text_inactive);
    const COLORREF old_bk = ::SetBkColor(dc, face);
    draw_glyph(dc, box, part, zoomed, glyph);
    ::SetBkColor(dc, old_bk);
}

}  // namespace

skinned_frame::skinned_frame(HWND hwnd) noexcept : skinned_window(hwnd, window_kind::frame)
{
    active_ = ::GetActiveWindow() == hwnd;
}

void skinned_frame::set_button_hidden(caption_part part, bool hidden) noexcept
{
    if (hidden) hidden_ |= 1u << part;
    else hidden_ &= ~(1u << part);
    paint_frame_now();
}

LRESULT skinned_frame::call_default(UINT msg, WPARAM wparam, LPARAM lparam) noexcept
{
    return ::DefSubclassProc(hwnd(), msg, wparam, lparam);
}

LRESULT skinned_frame::default_then_repaint(UINT msg, WPARAM wparam, LPARAM lparam) noexcept
{
    const HWND window = hwnd();
    const LRESULT result = ::DefSubclassProc(window, msg, wparam, lparam);
    // The default processing may have destroyed the window and with it this
    // object: look the data up again before touching it.
    if (auto* self = find_skinned(window); self && self->kind() == window_kind::frame)
        static_cast<skinned_frame*>(self)->paint_frame_now();
    return result;
}

frame_layout skinned_frame::layout(const theme& t) const noexcept
{
    RECT r{};
    ::GetWindowRect(hwnd(), &r);
    return compute_layout(r.right - r.left, r.bottom - r.top, ::GetWindowLongPtrW(hwnd(), GWL_STYLE),
                          ::GetWindowLongPtrW(hwnd(), GWL_EXSTYLE), t, hidden_);
}

POINT skinned_frame::window_point_from_screen(POINT screen) const noexcept
{
    RECT r{};
    ::GetWindowRect(hwnd(), &r);
    return {screen.x - r.left, screen.y - r.top};
}

POINT skinned_frame::window_point_from_client(POINT client) const noexcept
{
    ::ClientToScreen(hwnd(), &client);
    return window_point_from_screen(client);
}

void skinned_frame::paint_frame(HDC dc) const noexcept
{
    const theme* t = current_theme();
    if (!t || ::IsIconic(hwnd())) return;
    const frame_layout l = layout(*t);
    const LONG_PTR style = ::GetWindowLongPtrW(hwnd(), GWL_STYLE);
    const int w = l.window.right, h = l.window.bottom, b = l.border;

    // The border strips, with a darker outline round the outside.
    const COLORREF frame_colour = t->color(active_ ? color_role::frame_active : color_role::frame_inactive);
    paint::fill(dc, RECT{0, 0, w, b}, frame_colour);
    paint::fill(dc, RECT{0, h - b, w, h}, frame_colour);
    paint::fill(dc, RECT{0, b, b, h - b}, frame_colour);
    paint::fill(dc, RECT{w - b, b, w, h - b}, frame_colour);
    if (b >= 2) paint::frame(dc, l.window, t->color(color_role::frame_outline), 1);

    // The caption bar, drawn off screen and copied in one piece.
    const int cw = l.caption.right - l.caption.left, ch = l.caption.bottom - l.caption.top;
    if (cw <= 0 || ch <= 0) return;
    win::unique_hdc memory(::CreateCompatibleDC(dc));
    win::unique_bitmap bitmap(::CreateCompatibleBitmap(dc, cw, ch));
    if (!memory || !bitmap) return;
    {
        win::select_object keep_bitmap(memory.get(), bitmap.get());
        const HDC m = memory.get();
        const int dx = -l.caption.left, dy = -l.caption.top;
        draw_caption_fill(m, RECT{0, 0, cw, ch}, *t, active_);

        if (!::IsRectEmpty(&l.icon)) {
            const RECT icon = offset(l.icon, dx, dy);
            ::DrawIconEx(m, icon.left, icon.top, window_icon(hwnd()), icon.right - icon.left,
                         icon.bottom - icon.top, 0, nullptr, DI_NORMAL);
        }

        wchar_t title[512];
        const int length = ::GetWindowTextW(hwnd(), title, 512);
        if (length > 0) {
            win::select_object font(m, t->caption_font());
            const int old_mode = ::SetBkMode(m, TRANSPARENT);
            UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
            if (t->style().align == skinfmt::caption_align::center) format |= DT_CENTER;
            RECT text = offset(l.text, dx, dy);
            if (t->style().caption_text_shadow) {
                RECT shadow = offset(text, 1, 1);
                ::SetTextColor(m, t->color(color_role::caption_text_shadow));
                ::DrawTextW(m, title, length, &shadow, format);
            }
            ::SetTextColor(m, t->color(active_ ? color_role::caption_text_active : color_role::caption_text_inactive));
            ::DrawTextW(m, title, length, &text, format);
            ::SetBkMode(m, old_mode);
        }

        const bool zoomed = (style & WS_MAXIMIZE) != 0;
        for (int p = 0; p < part_count; ++p) {
            if (::IsRectEmpty(&l.buttons[p])) continue;
            button_state state = button_state::normal;
            if (pressed_ == p) state = pressed_inside_ ? button_state::pressed : button_state::normal;
            else if (hot_ == p && pressed_ == part_none) state = button_state::hot;
            draw_caption_button(m, offset(l.buttons[p], dx, dy), static_cast<caption_part>(p), state, active_, zoomed, *t);
        }
        ::BitBlt(dc, l.caption.left, l.caption.top, cw, ch, m, 0, 0, SRCCOPY);
    }
}

void skinned_frame::paint_frame_now() const noexcept
{
    if (!::IsWindowVisible(hwnd())) return;
    const win::window_dc dc(hwnd(), ::GetWindowDC(hwnd()));
    if (dc.get()) paint_frame(dc.get());
}

// WM_PRINT, done here in full so that a printed skinned window shows the
// skin: frame, background, client and children, each at its place.
void skinned_frame::print(HDC dc, LPARAM flags) noexcept
{
    if ((flags & PRF_CHECKVISIBLE) && !::IsWindowVisible(hwnd())) return;
    if (flags & PRF_NONCLIENT) paint_frame(dc);
    const POINT client = window_point_from_client(POINT{0, 0});
    const win::saved_dc keep(dc);
    ::OffsetViewportOrgEx(dc, client.x, client.y, nullptr);
    RECT area{};
    ::GetClientRect(hwnd(), &area);
    ::IntersectClipRect(dc, 0, 0, area.right, area.bottom);
    if (flags & PRF_ERASEBKGND) ::SendMessageW(hwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    if (flags & PRF_CLIENT) ::SendMessageW(hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), flags);
    if (!(flags & PRF_CHILDREN)) return;
    // Bottom of the z-order first, so upper children cover lower ones.
    for (HWND child = ::GetWindow(::GetWindow(hwnd(), GW_CHILD), GW_HWNDLAST); child;
         child = ::GetWindow(child, GW_HWNDPREV)) {
        // The child's own visibility: a window printed while hidden still
        // prints its visible children.
        if (!(::GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE)) continue;
        RECT r{};
        ::GetWindowRect(child, &r);
        ::MapWindowPoints(HWND_DESKTOP, hwnd(), reinterpret_cast<POINT*>(&r), 2);
        const win::saved_dc child_state(dc);
        ::OffsetViewportOrgEx(dc, r.left, r.top, nullptr);
        ::IntersectClipRect(dc, 0, 0, r.right - r.left, r.bottom - r.top);
        ::SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(dc),
                       PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
    }
}

LRESULT skinned_frame::on_button_down(caption_part part) noexcept
{
    pressed_ = part;
    pressed_inside_ = true;
    ::SetCapture(hwnd());
    paint_frame_now();
    return 0;
}

LRESULT skinned_frame::on_mouse_move(POINT client) noexcept
{
    const theme* t = current_theme();
    if (!t) return 0;
    const bool inside = part_from_hit(hit_test(layout(*t), window_point_from_client(client),
                                               ::GetWindowLongPtrW(hwnd(), GWL_STYLE))) == pressed_;
    if (inside != pressed_inside_) {
        pressed_inside_ = inside;
        paint_frame_now();
    }
    return 0;
}

LRESULT skinned_frame::on_button_up(POINT client) noexcept
{
    const caption_part part = pressed_;
    on_mouse_move(client);
    const bool inside = pressed_inside_;
    pressed_ = part_none;
    pressed_inside_ = false;
    ::ReleaseCapture();
    paint_frame_now();
    if (!inside) return 0;
    WPARAM command = SC_CLOSE;
    if (part == part_minimize) command = SC_MINIMIZE;
    if (part == part_maximize) command = ::IsZoomed(hwnd()) ? SC_RESTORE : SC_MAXIMIZE;
    POINT screen = client;
    ::ClientToScreen(hwnd(), &screen);
    // Posted: the command may destroy the window, which must not happen
    // while this object is still on the stack.
    ::PostMessageW(hwnd(), WM_SYSCOMMAND, command, MAKELPARAM(screen.x, screen.y));
    return 0;
}

LRESULT skinned_frame::on_control_colour(HDC dc, HWND control) noexcept
{
    const theme* t = current_theme();
    if (!t) return 0;
    ::SetTextColor(dc, t->color(color_role::window_text));
    ::SetBkColor(dc, t->color(color_role::window_background));
    ::SetBkMode(dc, TRANSPARENT);
    paint::align_brush(dc, control, hwnd());
    return reinterpret_cast<LRESULT>(t->background());
}

LRESULT skinned_frame::handle(UINT msg, WPARAM wparam, LPARAM lparam) noexcept
{
    const theme* t = current_theme();
    if (!t) return call_default(msg, wparam, lparam);
    const bool iconic = ::IsIconic(hwnd()) != FALSE;

    switch (msg) {
    case WM_NCCALCSIZE: {
        if (iconic) break;
        RECT& r = wparam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lparam)->rgrc[0] : *reinterpret_cast<RECT*>(lparam);
        const int b = t->metric(metric::border_width);
        r.left += b;
        r.right -= b;
        r.top += b + t->metric(metric::caption_height);
        r.bottom -= b;
        if (r.bottom < r.top) r.bottom = r.top;
        if (r.right < r.left) r.right = r.left;
        return 0;
    }
    case WM_NCPAINT: {
        if (iconic) break;
        const win::window_dc dc(hwnd(), ::GetWindowDC(hwnd()));
        if (dc.get()) paint_frame(dc.get());
        return 0;
    }
    case WM_NCACTIVATE:
        active_ = wparam != 0;
        if (iconic) break;
        // -1: update the activation state without the system's caption painting.
        call_default(msg, wparam, static_cast<LPARAM>(-1));
        paint_frame_now();
        return TRUE;
    case WM_NCHITTEST: {
        if (iconic) break;
        const POINT screen{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
        return hit_test(layout(*t), window_point_from_screen(screen), ::GetWindowLongPtrW(hwnd(), GWL_STYLE));
    }
    case WM_NCMOUSEMOVE: {
        const caption_part part = part_from_hit(static_cast<LRESULT>(wparam));
        if (part != hot_) {
            hot_ = part;
            paint_frame_now();
        }
        if (!leave_tracked_) {
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE | TME_NONCLIENT, hwnd(), 0};
            leave_tracked_ = ::TrackMouseEvent(&track) != FALSE;
        }
        break;
    }
    case WM_NCMOUSELEAVE:
        leave_tracked_ = false;
        if (hot_ != part_none) {
            hot_ = part_none;
            paint_frame_now();
        }
        break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
        const caption_part part = part_from_hit(static_cast<LRESULT>(wparam));
        if (part != part_none) return on_button_down(part);
        return default_then_repaint(msg, wparam, lparam);
    }
    case WM_NCLBUTTONUP: {
        if (part_from_hit(static_cast<LRESULT>(wparam)) != part_none) return 0;
        break;
    }
    case WM_MOUSEMOVE:
        if (pressed_ != part_none)
            return on_mouse_move(POINT{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))});
        break;
    case WM_LBUTTONUP:
        if (pressed_ != part_none)
            return on_button_up(POINT{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))});
        break;
    case WM_CAPTURECHANGED:
        if (pressed_ != part_none && reinterpret_cast<HWND>(lparam) != hwnd()) {
            pressed_ = part_none;
            pressed_inside_ = false;
            paint_frame_now();
        }
        break;
    case WM_SETTEXT:
    case WM_SETICON:
    case WM_SYSCOMMAND:
    case WM_NCRBUTTONUP:
    case WM_EXITMENULOOP:
    case WM_STYLECHANGED:
    case WM_ENABLE:
        return default_then_repaint(msg, wparam, lparam);
    case wm_ncuah_draw_caption:
    case wm_ncuah_draw_frame: return 0;
    case WM_ERASEBKGND: {
        const HDC dc = reinterpret_cast<HDC>(wparam);
        RECT area{};
        ::GetClientRect(hwnd(), &area);
        paint::align_brush(dc, hwnd(), hwnd());
        ::FillRect(dc, &area, t->background());
        return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
        return on_control_colour(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_PRINT:
        print(reinterpret_cast<HDC>(wparam), lparam);
        return 0;
    default: break;
    }
    return call_default(msg, wparam, lparam);
}

}  // namespace engine
