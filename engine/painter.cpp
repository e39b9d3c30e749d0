#include "engine/painter.h"

#include "win/unique_any.h"

namespace engine::paint {

COLORREF mix(COLORREF a, COLORREF b, int p) noexcept
{
    if (p < 0) p = 0;
    if (p > 100) p = 100;
    const auto channel = [p](int x, int y) { return static_cast<BYTE>((x * (100 - p) + y * p + 50) / 100); };
    return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
               channel(GetBValue(a), GetBValue(b)));
}

void fill(HDC dc, const RECT& area, COLORREF colour) noexcept
{
    if (area.right <= area.left || area.bottom <= area.top) return;
    const COLORREF old = ::SetBkColor(dc, colour);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
    ::SetBkColor(dc, old);
}

void fill_vertical(HDC dc, const RECT& area, COLORREF top, COLORREF bottom) noexcept
{
    const int height = area.bottom - area.top;
    if (height <= 0) return;
    for (int y = 0; y < height; ++y) {
        const RECT row{area.left, area.top + y, area.right, area.top + y + 1};
        fill(dc, row, height == 1 ? top : mix(top, bottom, y * 100 / (height - 1)));
    }
}

void fill_horizontal(HDC dc, const RECT& area, COLORREF left, COLORREF right) noexcept
{
    const int width = area.right - area.left;
    if (width <= 0) return;
    // Columns of equal colour are filled together.
    int start = 0;
    COLORREF current = left;
    for (int x = 1; x <= width; ++x) {
        const COLORREF next = x == width ? current : mix(left, right, x * 100 / (width > 1 ? width - 1 : 1));
        if (x == width || next != current) {
            fill(dc, RECT{area.left + start, area.top, area.left + x, area.bottom}, current);
            start = x;
            current = next;
        }
    }
}

void frame(HDC dc, const RECT& a, COLORREF colour, int width) noexcept
{
    if (width <= 0) return;
    fill(dc, RECT{a.left, a.top, a.right, a.top + width}, colour);
    fill(dc, RECT{a.left, a.bottom - width, a.right, a.bottom}, colour);
    fill(dc, RECT{a.left, a.top + width, a.left + width, a.bottom - width}, colour);
    fill(dc, RECT{a.right - width, a.top + width, a.right, a.bottom - width}, colour);
}

void round_rect(HDC dc, const RECT& a, int radius, COLORREF fill_colour, COLORREF edge) noexcept
{
    if (radius <= 0) {
        fill(dc, a, fill_colour);
        if (edge != fill_colour) frame(dc, a, edge, 1);
        return;
    }
    win::select_object brush(dc, ::GetStockObject(DC_BRUSH));
    win::select_object pen(dc, ::GetStockObject(DC_PEN));
    const COLORREF old_brush = ::SetDCBrushColor(dc, fill_colour);
    const COLORREF old_pen = ::SetDCPenColor(dc, edge);
    ::RoundRect(dc, a.left, a.top, a.right, a.bottom, radius * 2, radius * 2);
    ::SetDCBrushColor(dc, old_brush);
    ::SetDCPenColor(dc, old_pen);
}

void ellipse(HDC dc, const RECT& a, COLORREF fill_colour, COLORREF edge) noexcept
{
    win::select_object brush(dc, ::GetStockObject(DC_BRUSH));
    win::select_object pen(dc, ::GetStockObject(DC_PEN));
    const COLORREF old_brush = ::SetDCBrushColor(dc, fill_colour);
    const COLORREF old_pen = ::SetDCPenColor(dc, edge);
    ::Ellipse(dc, a.left, a.top, a.right, a.bottom);
    ::SetDCBrushColor(dc, old_brush);
    ::SetDCPenColor(dc, old_pen);
}

void line(HDC dc, int x0, int y0, int x1, int y1, COLORREF colour, int thickness) noexcept
{
    win::select_object pen(dc, ::GetStockObject(DC_PEN));
    const COLORREF old = ::SetDCPenColor(dc, colour);
    // Thickness by parallel strokes: the stock DC pen is one pixel wide.
    // Horizontal lines thicken downwards, all others to the right.
    for (int i = 0; i < thickness; ++i) {
        const int dx = y0 == y1 ? 0 : i, dy = y0 == y1 ? i : 0;
        ::MoveToEx(dc, x0 + dx, y0 + dy, nullptr);
        ::LineTo(dc, x1 + dx, y1 + dy);
    }
    ::SetDCPenColor(dc, old);
}

void align_brush(HDC dc, HWND dc_window, HWND reference) noexcept
{
    // Device origin of the DC's window client area, relative to the
    // reference client origin, plus any viewport offset already applied.
    POINT origin{0, 0};
    if (dc_window && reference && dc_window != reference)
        ::MapWindowPoints(reference, dc_window, &origin, 1);
    POINT viewport{0, 0};
    ::GetViewportOrgEx(dc, &viewport);
    if (dc_window == reference) origin = viewport;
    ::SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
}

}  // namespace engine::paint
