// Where the main window goes: centred on the whole primary screen.
#pragma once

namespace app {

struct point {
    int x;
    int y;
    bool operator==(const point&) const = default;
};

// Each division truncates toward zero, so a screen narrower than the window
// gives a negative origin (800 wide, 966 wide window: -83).
constexpr point centred_origin(int screen_width, int screen_height, int width, int height)
{
    return {(screen_width - width) / 2, (screen_height - height) / 2};
}

}  // namespace app
