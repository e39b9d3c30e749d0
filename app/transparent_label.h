// The transparent label (`透明标签`): a self-drawn child window that shows one
// line of text and no background, so whatever lies beneath shows through.
#pragma once

#include "win/window.h"

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace app {

struct label_style {
    COLORREF text_color = RGB(0, 0, 0);
    HFONT font = nullptr;  // not owned; null means the system's default GUI font
};

class transparent_label : public win::window_base<transparent_label> {
public:
    static constexpr wchar_t class_name[] = L"SpaceVisitTransparentLabel";

    transparent_label() = default;
    ~transparent_label() { destroy_window(); }

    // Creates the label hidden; false when the window cannot be created.
    bool create(HWND parent, const RECT& place, std::wstring_view text, const label_style& style);

    // The text is kept as the window text, so it can also be read from outside.
    std::wstring text() const;
    void set_text(std::wstring_view text);

    // Left-button-press event: raised when the button goes down over the
    // label; the second press of a double-click arrives as a double-click
    // and raises nothing.
    void on_left_button_press(std::function<void()> handler) { on_press_ = std::move(handler); }

    LRESULT handle_message(UINT msg, WPARAM wparam, LPARAM lparam);

private:
    friend class win::window_base<transparent_label>;
    static void register_class();
    void paint();
    void refresh();

    label_style style_;
    std::function<void()> on_press_;
};

}  // namespace app
