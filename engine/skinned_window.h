// Per-window skin data and the subclass that routes a window's messages to
// it. Every skinned window is in one registry list, so detaching finds them
// all; the data is owned by the subclass and freed on WM_NCDESTROY.
#pragma once

#include <windows.h>

#include <memory>

namespace engine {

enum class window_kind { none, frame, push_button, edit };

// Which part of the engine skins a window with this class and style; none
// for every window the engine leaves alone.
window_kind classify(HWND hwnd, LONG_PTR style, LONG_PTR ex_style, bool has_menu) noexcept;
window_kind classify(HWND hwnd) noexcept;

class skinned_window {
public:
    skinned_window(const skinned_window&) = delete;
    skinned_window& operator=(const skinned_window&) = delete;

    HWND hwnd() const noexcept { return hwnd_; }
    window_kind kind() const noexcept { return kind_; }

    // The registry, oldest first.
    static skinned_window* first() noexcept { return head_; }
    skinned_window* next() const noexcept { return next_; }
    static int count() noexcept { return count_; }

protected:
    skinned_window(HWND hwnd, window_kind kind) noexcept;
    ~skinned_window();

private:
    HWND hwnd_;
    window_kind kind_;
    skinned_window* prev_ = nullptr;
    skinned_window* next_ = nullptr;
    static inline skinned_window* head_ = nullptr;
    static inline skinned_window* tail_ = nullptr;
    static inline int count_ = 0;
};

// Deletes through the concrete type (there are no virtual functions).
struct skinned_deleter {
    void operator()(skinned_window* w) const noexcept;
};
using skinned_ptr = std::unique_ptr<skinned_window, skinned_deleter>;

// Installs the subclass for `kind` on a window of the calling thread.
// True when the window is skinned afterwards (also when it already was).
bool skin_window(HWND hwnd, window_kind kind) noexcept;
// Removes the subclass and frees the data; false when it was not skinned.
bool unskin_window(HWND hwnd) noexcept;
skinned_window* find_skinned(HWND hwnd) noexcept;

// Redraws a skinned window: frame, background and content.
void redraw(HWND hwnd, bool frame_changed) noexcept;

}  // namespace engine
