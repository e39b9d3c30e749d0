// Window plumbing shared by every window class of the program:
// a thin non-owning view for windows we only talk to, and a base for
// window classes whose one static procedure binds `this` on WM_NCCREATE.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace win {

// Non-owning view of a window; copying it copies the handle only.
class window_view {
public:
    window_view() noexcept = default;
    window_view(HWND hwnd) noexcept : hwnd_(hwnd) {}

    HWND hwnd() const noexcept { return hwnd_; }
    explicit operator bool() const noexcept { return hwnd_ && ::IsWindow(hwnd_); }

    std::wstring text() const
    {
        const int length = ::GetWindowTextLengthW(hwnd_);
        std::wstring result(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
        const int copied = ::GetWindowTextW(hwnd_, result.data(), static_cast<int>(result.size()));
        result.resize(static_cast<size_t>(copied > 0 ? copied : 0));
        return result;
    }
    void set_text(std::wstring_view text) const
    {
        const std::wstring zero_terminated(text);
        ::SetWindowTextW(hwnd_, zero_terminated.c_str());
    }
    RECT client_rect() const noexcept
    {
        RECT rc{};
        ::GetClientRect(hwnd_, &rc);
        return rc;
    }
    // The window's rectangle in its parent's client coordinates.
    RECT rect_in_parent() const noexcept
    {
        RECT rc{};
        ::GetWindowRect(hwnd_, &rc);
        ::MapWindowPoints(HWND_DESKTOP, ::GetParent(hwnd_), reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
    LRESULT send(UINT msg, WPARAM w = 0, LPARAM l = 0) const noexcept { return ::SendMessageW(hwnd_, msg, w, l); }
    void set_font(HFONT font, bool redraw = false) const noexcept
    {
        send(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    }

private:
    HWND hwnd_ = nullptr;
};

// Base of a window class implemented by one C++ class. Derived provides
//   LRESULT handle_message(UINT, WPARAM, LPARAM);
// The object outlives its window: WM_NCDESTROY unbinds it.
template <typename Derived>
class window_base {
public:
    HWND hwnd() const noexcept { return hwnd_; }

protected:
    window_base() = default;
    window_base(const window_base&) = delete;
    window_base& operator=(const window_base&) = delete;
    ~window_base() = default;

    // Derived destructors call this: the window dies with its object. A child
    // window already destroyed with its parent has been unbound (hwnd null).
    void destroy_window() noexcept
    {
        if (HWND h = hwnd_) ::DestroyWindow(h);
    }

    LRESULT default_procedure(UINT msg, WPARAM wparam, LPARAM lparam) noexcept
    {
        return ::DefWindowProcW(hwnd_, msg, wparam, lparam);
    }

    // Pass `this` as the creation parameter of CreateWindowExW.
    static LRESULT CALLBACK window_procedure(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam)
    {
        Derived* self = nullptr;
        if (msg == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
            self = static_cast<Derived*>(create->lpCreateParams);
            self->hwnd_ = hwnd;
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        } else {
            self = reinterpret_cast<Derived*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        }
        if (!self) return ::DefWindowProcW(hwnd, msg, wparam, lparam);
        const LRESULT result = self->handle_message(msg, wparam, lparam);
        if (msg == WM_NCDESTROY) {
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
        }
        return result;
    }

private:
    HWND hwnd_ = nullptr;
};

}  // namespace win
