#include "engine/frame_layout.h"

#include "engine/theme.h"

namespace engine {

using skinfmt::metric;

frame_layout compute_layout(int width, int height, LONG_PTR style, LONG_PTR ex_style, const theme& t,
                            unsigned hidden) noexcept
{
    frame_layout l;
    const int b = t.metric(metric::border_width);
    const int ch = t.metric(metric::caption_height);
    const int pad = t.metric(metric::caption_padding);
    const int bw = t.metric(metric::caption_button_width);
    const int bh = t.metric(metric::caption_button_height);
    const int gap = t.metric(metric::caption_button_spacing);
    const int icon = t.metric(metric::icon_size);
    const int indent = t.metric(metric::caption_text_indent);

    l.border = b;
    l.window = {0, 0, width, height};
    l.caption = {b, b, width - b, b + ch};
    l.client = {b, b + ch, width - b, height - b};
    if (l.client.bottom < l.client.top) l.client.bottom = l.client.top;
    if (l.client.right < l.client.left) l.client.right = l.client.left;

    const bool system_menu = (style & WS_SYSMENU) != 0;
    bool shown[part_count] = {};
    shown[part_close] = system_menu;
    shown[part_maximize] = system_menu && (style & WS_MAXIMIZEBOX) != 0;
    shown[part_minimize] = system_menu && (style & WS_MINIMIZEBOX) != 0;

    int right = l.caption.right - pad;
    const int top = l.caption.top + (ch - bh) / 2;
    for (const caption_part p : {part_close, part_maximize, part_minimize}) {
        if (!shown[p] || (hidden & (1u << p))) continue;
        l.buttons[p] = {right - bw, top, right, top + bh};
        right -= bw + gap;
    }

    int left = l.caption.left + (pad > 4 ? pad : 4);
    if (system_menu && !(ex_style & WS_EX_TOOLWINDOW)) {
        const int icon_top = l.caption.top + (ch - icon) / 2;
        l.icon = {left, icon_top, left + icon, icon_top + icon};
        left = l.icon.right;
    }
    l.text = {left + indent, l.caption.top, right - 4, l.caption.bottom};
    if (l.text.right < l.text.left) l.text.right = l.text.left;
    return l;
}

LRESULT hit_test(const frame_layout& l, POINT pt, LONG_PTR style) noexcept
{
    if (!::PtInRect(&l.window, pt)) return HTNOWHERE;
    if (::PtInRect(&l.client, pt)) return HTCLIENT;
    for (int p = 0; p < part_count; ++p) {
        if (::PtInRect(&l.buttons[p], pt))
            return p == part_close ? HTCLOSE : (p == part_maximize ? HTMAXBUTTON : HTMINBUTTON);
    }
    const int w = l.window.right, h = l.window.bottom, b = l.border;
    const bool left = pt.x < b, right = pt.x >= w - b, top = pt.y < b, bottom = pt.y >= h - b;
    if (left || right || top || bottom) {
        if (!(style & WS_THICKFRAME) || (style & WS_MAXIMIZE)) return HTBORDER;
        constexpr int corner = 16;
        if (top) return pt.x < corner ? HTTOPLEFT : (pt.x >= w - corner ? HTTOPRIGHT : HTTOP);
        if (bottom) return pt.x < corner ? HTBOTTOMLEFT : (pt.x >= w - corner ? HTBOTTOMRIGHT : HTBOTTOM);
        if (left) return pt.y >= h - corner ? HTBOTTOMLEFT : (pt.y < corner ? HTTOPLEFT : HTLEFT);
        return pt.y >= h - corner ? HTBOTTOMRIGHT : (pt.y < corner ? HTTOPRIGHT : HTRIGHT);
    }
    // The system menu opens from the icon and the caption space left of it.
    if (!::IsRectEmpty(&l.icon) && pt.x < l.icon.right + 2 && pt.y < l.caption.bottom) return HTSYSMENU;
    return HTCAPTION;
}

caption_part part_from_hit(LRESULT hit) noexcept
{
    switch (hit) {
    case HTMINBUTTON: return part_minimize;
    case HTMAXBUTTON: return part_maximize;
    case HTCLOSE: return part_close;
    default: return part_none;
    }
}

}  // namespace engine
