#include "engine/push_button.h"

#include "engine/engine.h"
#include "engine/painter.h"
#include "engine/theme.h"
#include "win/unique_any.h"

#include <commctrl.h>

namespace engine {
namespace {

using skinfmt::color_role;
using skinfmt::metric;

void fill_face(HDC dc, const RECT& r, COLORREF face, const theme& t) noexcept
{
    const int gloss = t.metric(metric::button_gloss_percent);
    switch (t.style().button) {
    case skinfmt::button_fill::flat: paint::fill(dc, r, face); break;
    case skinfmt::button_fill::gradient: paint::fill_vertical(dc, r, paint::lighten(face, gloss), face); break;
    case skinfmt::button_fill::glossy: {
        const int middle = r.top + (r.bottom - r.top) / 2;
        paint::fill_vertical(dc, RECT{r.left, r.top, r.right, middle}, paint::lighten(face, gloss),
                             paint::lighten(face, gloss / 2));
        paint::fill_vertical(dc, RECT{r.left, middle, r.right, r.bottom}, face, paint::darken(face, 6));
        break;
    }
    }
}

UINT text_format(LONG_PTR style) noexcept
{
    UINT format = DT_HIDEPREFIX;
    switch (style & (BS_LEFT | BS_RIGHT | BS_CENTER)) {
    case BS_LEFT: format |= DT_LEFT; break;
    case BS_RIGHT: format |= DT_RIGHT; break;
    default: format |= DT_CENTER; break;
    }
    if (style & BS_MULTILINE) format |= DT_WORDBREAK;
    else format |= DT_SINGLELINE;
    return format;
}

}  // namespace

bool skinned_button::still_push_button() const noexcept
{
    const LONG_PTR type = ::GetWindowLongPtrW(hwnd(), GWL_STYLE) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

void skinned_button::paint(HDC target) const noexcept
{
    const theme* t = current_theme();
    if (!t) return;
    RECT area{};
    ::GetClientRect(hwnd(), &area);
    const int w = area.right, h = area.bottom;
    if (w <= 0 || h <= 0) return;

    win::unique_hdc memory(::CreateCompatibleDC(target));
    win::unique_bitmap bitmap(::CreateCompatibleBitmap(target, w, h));
    if (!memory || !bitmap) return;
    const HDC dc = memory.get();
    win::select_object keep_bitmap(dc, bitmap.get());

    // What lies behind the rounded corners: the parent's background.
    const HWND parent = ::GetParent(hwnd());
    auto behind = reinterpret_cast<HBRUSH>(
        ::SendMessageW(parent, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd())));
    if (!behind) behind = ::GetSysColorBrush(COLOR_BTNFACE);
    ::FillRect(dc, &area, behind);

    const LONG_PTR style = ::GetWindowLongPtrW(hwnd(), GWL_STYLE);
    const LRESULT state = ::SendMessageW(hwnd(), BM_GETSTATE, 0, 0);
    const bool enabled = ::IsWindowEnabled(hwnd()) != FALSE;
    const bool pressed = enabled && (state & BST_PUSHED);
    const bool focused = enabled && (state & BST_FOCUS);
    const bool is_default = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;

    color_role face_role = color_role::button_face;
    if (!enabled) face_role = color_role::button_face_disabled;
    else if (pressed) face_role = color_role::button_face_pressed;
    else if (hot_) face_role = color_role::button_face_hot;
    const COLORREF face = t->color(face_role);
    COLORREF border = t->color(color_role::button_border);
    if (!enabled) border = paint::mix(border, face, 60);
    if (is_default && enabled) border = t->color(color_role::focus_ring);

    const int radius = t->metric(metric::button_corner_radius);
    const int border_width = t->metric(metric::button_border_width);
    {
        // The face, clipped to the button's rounded outline.
        win::unique_region shape(::CreateRoundRectRgn(0, 0, w + 1, h + 1, radius * 2, radius * 2));
        const win::saved_dc keep(dc);
        if (shape) ::SelectClipRgn(dc, shape.get());
        fill_face(dc, area, face, *t);
        if (shape && border_width > 0) {
            ::SetDCBrushColor(dc, border);
            ::FrameRgn(dc, shape.get(), static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)), border_width, border_width);
        }
    }

    wchar_t text[256];
    const int length = ::GetWindowTextW(hwnd(), text, 256);
    if (length > 0) {
        auto font = reinterpret_cast<HFONT>(::SendMessageW(hwnd(), WM_GETFONT, 0, 0));
        if (!font) font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
        win::select_object keep_font(dc, font);
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, t->color(enabled ? color_role::button_text : color_role::button_text_disabled));
        const UINT format = text_format(style);
        RECT box{area.left + 4, area.top + 2, area.right - 4, area.bottom - 2};
        // Vertical placement: measure, then centre (or align) the block.
        RECT measured = box;
        ::DrawTextW(dc, text, length, &measured, format | DT_CALCRECT);
        const int text_height = measured.bottom - measured.top;
        int top = box.top + (box.bottom - box.top - text_height) / 2;
        if ((style & (BS_TOP | BS_BOTTOM)) == BS_TOP) top = box.top;
        if ((style & (BS_TOP | BS_BOTTOM)) == BS_BOTTOM) top = box.bottom - text_height;
        RECT place{box.left, top, box.right, top + text_height};
        if (pressed) ::OffsetRect(&place, 1, 1);
        ::DrawTextW(dc, text, length, &place, format);
    }

    if (focused) {
        const int inset = t->metric(metric::focus_ring_inset) + border_width - 1;
        const int ring_radius = radius > inset ? radius - inset : 0;
        win::unique_region ring(::CreateRoundRectRgn(inset, inset, w - inset + 1, h - inset + 1, ring_radius * 2,
                                                     ring_radius * 2));
        if (ring) {
            ::SetDCBrushColor(dc, t->color(color_role::focus_ring));
            ::FrameRgn(dc, ring.get(), static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)), 1, 1);
        }
    }
    ::BitBlt(target, 0, 0, w, h, dc, 0, 0, SRCCOPY);
}

void skinned_button::paint_now() const noexcept
{
    if (!::IsWindowVisible(hwnd())) return;
    const win::window_dc dc(hwnd());
    if (dc.get()) paint(dc.get());
}

LRESULT skinned_button::handle(UINT msg, WPARAM wparam, LPARAM lparam) noexcept
{
    if (!current_theme() || !still_push_button()) return ::DefSubclassProc(hwnd(), msg, wparam, lparam);
    switch (msg) {
    case WM_PAINT: {
        const win::paint_dc dc(hwnd());
        if (dc.get()) paint(dc.get());
        return 0;
    }
    case WM_PRINTCLIENT:
        paint(reinterpret_cast<HDC>(wparam));
        return 0;
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEMOVE:
        if (!hot_) {
            hot_ = true;
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd(), 0};
            ::TrackMouseEvent(&track);
            paint_now();
        }
        break;
    case WM_MOUSELEAVE:
        hot_ = false;
        paint_now();
        break;
    // The system's button draws some state changes at once, outside
    // WM_PAINT: ours is drawn over it straight after.
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CAPTURECHANGED:
    case WM_SETTEXT:
    case WM_UPDATEUISTATE:
    case BM_SETSTATE:
    case BM_SETSTYLE: {
        const HWND window = hwnd();
        const LRESULT result = ::DefSubclassProc(window, msg, wparam, lparam);
        // A click may have destroyed the button: find its data again.
        if (auto* self = find_skinned(window); self && self->kind() == window_kind::push_button)
            static_cast<skinned_button*>(self)->paint_now();
        return result;
    }
    default: break;
    }
    return ::DefSubclassProc(hwnd(), msg, wparam, lparam);
}

}  // namespace engine
