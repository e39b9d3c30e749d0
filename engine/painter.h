// Small drawing helpers on a DC. They create no GDI objects: solid areas use
// the DC's own brush and pen colours (DC_BRUSH, DC_PEN), and every object
// they select is restored before they return.
#pragma once

#include <windows.h>

namespace engine::paint {

COLORREF mix(COLORREF a, COLORREF b, int percent_of_b) noexcept;
inline COLORREF lighten(COLORREF c, int percent) noexcept { return mix(c, RGB(255, 255, 255), percent); }
inline COLORREF darken(COLORREF c, int percent) noexcept { return mix(c, RGB(0, 0, 0), percent); }

void fill(HDC dc, const RECT& area, COLORREF colour) noexcept;
void fill_vertical(HDC dc, const RECT& area, COLORREF top, COLORREF bottom) noexcept;
void fill_horizontal(HDC dc, const RECT& area, COLORREF left, COLORREF right) noexcept;
// A frame `width` pixels wide just inside `area`.
void frame(HDC dc, const RECT& area, COLORREF colour, int width) noexcept;
// A filled round rectangle (radius 0 gives a plain rectangle) and circle.
void round_rect(HDC dc, const RECT& area, int radius, COLORREF fill_colour, COLORREF edge) noexcept;
void ellipse(HDC dc, const RECT& area, COLORREF fill_colour, COLORREF edge) noexcept;
// A straight line `thickness` pixels thick (drawn with the DC pen).
void line(HDC dc, int x0, int y0, int x1, int y1, COLORREF colour, int thickness) noexcept;

// Pattern brushes tile from the brush origin: this puts the tile's corner at
// the client origin of `reference` (the top-level window whose background
// the brush paints), whatever window the DC belongs to.
void align_brush(HDC dc, HWND dc_window, HWND reference) noexcept;

}  // namespace engine::paint
