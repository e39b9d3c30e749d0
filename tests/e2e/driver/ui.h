// Looks at and drives another process's windows as a user would: texts,
// places, focus, real key presses and mouse clicks.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

struct control_info {
    HWND hwnd;
    std::wstring class_name;
    std::wstring text;
    RECT place;  // in the parent's client area
    bool visible;
};

std::wstring window_text(HWND hwnd);  // WM_GETTEXT, works across processes
std::wstring class_of(HWND hwnd);
RECT outer_rect(HWND hwnd);
RECT place_in_parent(HWND hwnd);
// Direct children in stacking order, topmost first.
std::vector<control_info> children_topmost_first(HWND parent);
// The direct child of `parent` whose place is exactly `place`, or null.
HWND child_at(HWND parent, const RECT& place);
// The window that holds the keyboard focus in the thread of `hwnd`.
HWND focus_of(HWND hwnd);
// Brings the window to the foreground so real input reaches it.
bool bring_to_front(HWND hwnd);

// Real input through the system's input queue.
void press_key(WORD vk, bool shift = false);
void click_at(POINT screen, bool double_click = false);
POINT centre_on_screen(HWND hwnd);

// Sets a text in another process's control (WM_SETTEXT keeps UTF-16).
void set_window_text(HWND hwnd, const std::wstring& text);
// Clicks a button as the user would, without moving the pointer.
void click_button(HWND button);

}  // namespace e2e
