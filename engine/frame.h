// A skinned top-level window: frame, caption bar with icon, title and
// caption buttons, the client background, and the colours of its simple
// child controls.
#pragma once

#include "engine/frame_layout.h"
#include "engine/skinned_window.h"

namespace engine {

class theme;

class skinned_frame : public skinned_window {
public:
    explicit skinned_frame(HWND hwnd) noexcept;
    LRESULT handle(UINT msg, WPARAM wparam, LPARAM lparam) noexcept;

    void set_button_hidden(caption_part part, bool hidden) noexcept;

private:
    LRESULT call_default(UINT msg, WPARAM wparam, LPARAM lparam) noexcept;
    // Default processing that may draw the system caption (or destroy the
    // window): our frame is painted again afterwards if the window lives.
    LRESULT default_then_repaint(UINT msg, WPARAM wparam, LPARAM lparam) noexcept;

    frame_layout layout(const theme& t) const noexcept;
    POINT window_point_from_screen(POINT screen) const noexcept;
    POINT window_point_from_client(POINT client) const noexcept;

    void paint_frame(HDC window_dc) const noexcept;
    void paint_frame_now() const noexcept;
    void print(HDC dc, LPARAM flags) noexcept;

    LRESULT on_button_down(caption_part part) noexcept;
    LRESULT on_mouse_move(POINT client) noexcept;
    LRESULT on_button_up(POINT client) noexcept;
    LRESULT on_control_colour(HDC dc, HWND control) noexcept;

    bool active_ = false;
    bool leave_tracked_ = false;
    bool pressed_inside_ = false;
    caption_part hot_ = part_none;
    caption_part pressed_ = part_none;
    unsigned hidden_ = 0;
};

}  // namespace engine
