// The one window of the tool, `窗口`, with its controls, their settings, the
// keyboard handling and the event bindings.
#pragma once

#include "app/transparent_label.h"
#include "browser/browser_view.h"
#include "win/unique_any.h"
#include "win/window.h"

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace app {

// Routines bound to the window's events. Each runs only after construction
// has ended; none returns anything to the event.
struct window_routines {
    std::function<void()> creation;      // once, before the window is first shown
    std::function<void()> start;         // click on 按钮1
    std::function<void()> pause;         // click on 按钮2
    std::function<void()> tick;          // periodic event of 时钟1
    std::function<void()> open_update;   // left-button press on 透明标签3
};

class 窗口 : public win::window_base<窗口> {
public:
    static constexpr wchar_t class_name[] = L"SpaceVisitMainWindow";
    static constexpr int outer_width = 966;
    static constexpr int outer_height = 508;
    static constexpr UINT_PTR clock_id = 1;  // 时钟1's system timer on this window

    窗口() = default;
    ~窗口();

    // Binds the routines to the window's events.
    void bind(window_routines routines) { routines_ = std::move(routines); }

    // Creates the window hidden with every control in its place and stacking
    // order, controls shown; events are held until it returns. False when
    // the window or any control cannot be created (nothing is left behind).
    bool construct();
    // Raises the creation event, then shows and activates the window if it
    // still exists.
    void raise_creation_event_and_show();

    // Control operations used by the routines.
    std::wstring read_text(HWND control) const;
    void set_edit_text(HWND edit, std::wstring_view text) const;
    bool alive() const noexcept { return hwnd() != nullptr; }

    // From now on the window's destruction posts the quit request.
    void mark_event_loop_running() noexcept { event_loop_running_ = true; }

    HWND 编辑框1() const noexcept { return edit_account_; }
    HWND 编辑框2() const noexcept { return edit_interval_; }
    transparent_label& 透明标签2() noexcept { return counter_label_; }
    browser::browser_view& 超文本浏览框1() noexcept { return *view_; }

    LRESULT handle_message(UINT msg, WPARAM wparam, LPARAM lparam);

private:
    friend class win::window_base<窗口>;
    static bool register_class(HICON large, HICON small);
    bool create_controls();
    void apply_stacking_order() const;
    void show_controls() const;
    bool examine_key_press(MSG& msg);
    // The controls that take the focus, in the order Tab moves it.
    std::array<HWND, 5> tab_order() const;
    HWND control_concerned(HWND focus) const;
    void move_focus(HWND from, bool forward) const;
    void restore_focus();
    void deliver(const std::function<void()>& routine) const;

    window_routines routines_;
    bool events_held_ = true;
    bool event_loop_running_ = false;
    HWND last_focus_ = nullptr;

    win::unique_hicon large_icon_;
    win::unique_hicon small_icon_;
    win::unique_font counter_font_;

    std::unique_ptr<browser::browser_view> view_;  // 超文本浏览框1
    HWND button_start_ = nullptr;                   // 按钮1
    HWND button_pause_ = nullptr;                   // 按钮2
    transparent_label caption_label_;               // 透明标签1
    transparent_label counter_label_;               // 透明标签2
    HWND edit_account_ = nullptr;                   // 编辑框1
    HWND edit_interval_ = nullptr;                  // 编辑框2
    transparent_label link_label_;                  // 透明标签3
};

}  // namespace app
