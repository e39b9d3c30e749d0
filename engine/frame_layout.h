// Where the parts of a skinned frame lie, in window coordinates (0,0 is the
// window's top-left corner). Shared by painting and hit-testing, so a
// button is hit exactly where it is drawn.
#pragma once

#include <windows.h>

namespace engine {

class theme;

// Caption buttons, in the numbering of SKINH_TITLE_*.
enum caption_part : int { part_minimize = 0, part_maximize = 1, part_close = 2, part_count = 3, part_none = -1 };

struct frame_layout {
    int border = 0;
    RECT window{};
    RECT caption{};
    RECT client{};
    RECT icon{};          // empty: no icon
    RECT text{};
    RECT buttons[part_count]{};  // empty: not shown
};

// `hidden` holds a bit per caption_part hidden through the interface.
frame_layout compute_layout(int width, int height, LONG_PTR style, LONG_PTR ex_style, const theme& t,
                            unsigned hidden) noexcept;

// A WM_NCHITTEST answer for a point in window coordinates.
LRESULT hit_test(const frame_layout& layout, POINT point, LONG_PTR style) noexcept;

caption_part part_from_hit(LRESULT hit) noexcept;

}  // namespace engine
