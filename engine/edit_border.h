// A skinned edit box: only its border changes, in the normal and the
// focused colour; text and background stay the control's own.
#pragma once

#include "engine/skinned_window.h"

namespace engine {

class skinned_edit : public skinned_window {
public:
    explicit skinned_edit(HWND hwnd) noexcept : skinned_window(hwnd, window_kind::edit) {}
    LRESULT handle(UINT msg, WPARAM wparam, LPARAM lparam) noexcept;

private:
    void paint_border(HDC window_dc) const noexcept;
    void paint_border_now() const noexcept;
};

}  // namespace engine
