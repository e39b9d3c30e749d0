// A skinned push button: face, border, text and focus ring for the normal,
// hot, pressed, focused and disabled states.
#pragma once

#include "engine/skinned_window.h"

namespace engine {

class skinned_button : public skinned_window {
public:
    explicit skinned_button(HWND hwnd) noexcept : skinned_window(hwnd, window_kind::push_button) {}
    LRESULT handle(UINT msg, WPARAM wparam, LPARAM lparam) noexcept;

private:
    void paint(HDC target) const noexcept;
    void paint_now() const noexcept;
    bool still_push_button() const noexcept;

    bool hot_ = false;
};

}  // namespace engine
