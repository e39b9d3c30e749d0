// Typed single owners for Win32 handles: one template, one traits struct per
// handle kind. Copies are deleted; moves transfer ownership. Every owner of a
// GDI or USER object is counted, so tests can show that counts stay flat
// (GetGuiResources is not available everywhere the tests run).
#pragma once

#include <windows.h>

#include <atomic>
#include <utility>

namespace win {

enum class resource_kind { gdi, user, kernel, module, other };

// Live owners per kind. Only the owning types below touch these.
class live_objects {
public:
    static long count(resource_kind kind) noexcept { return slot(kind).load(); }
    static void add(resource_kind kind) noexcept { ++slot(kind); }
    static void remove(resource_kind kind) noexcept { --slot(kind); }

private:
    static std::atomic<long>& slot(resource_kind kind) noexcept
    {
        static std::atomic<long> slots[5];
        return slots[static_cast<int>(kind)];
    }
};

template <typename Traits>
class unique_any {
public:
    using handle = typename Traits::handle;

    unique_any() noexcept = default;
    explicit unique_any(handle h) noexcept : h_(h)
    {
        if (valid()) live_objects::add(Traits::kind);
    }
    unique_any(const unique_any&) = delete;
    unique_any& operator=(const unique_any&) = delete;
    unique_any(unique_any&& other) noexcept : h_(other.release_unchecked()) {}
    unique_any& operator=(unique_any&& other) noexcept
    {
        if (this != &other) {
            reset();
            h_ = other.release_unchecked();
        }
        return *this;
    }
    ~unique_any() { reset(); }

    handle get() const noexcept { return h_; }
    bool valid() const noexcept { return h_ != Traits::invalid(); }
    explicit operator bool() const noexcept { return valid(); }

    void reset(handle h = Traits::invalid()) noexcept
    {
        if (valid()) {
            live_objects::remove(Traits::kind);
            Traits::close(h_);
        }
        h_ = h;
        if (valid()) live_objects::add(Traits::kind);
    }

    // Gives up ownership; the caller now owns the handle.
    handle release() noexcept
    {
        if (valid()) live_objects::remove(Traits::kind);
        return release_unchecked();
    }

private:
    handle release_unchecked() noexcept { return std::exchange(h_, Traits::invalid()); }

    handle h_ = Traits::invalid();
};

template <typename H, void (*Close)(H), resource_kind Kind>
struct null_invalid_traits {
    using handle = H;
    static constexpr resource_kind kind = Kind;
    static handle invalid() noexcept { return nullptr; }
    static void close(handle h) noexcept { Close(h); }
};

namespace detail {
inline void close_gdi(HGDIOBJ h) { ::DeleteObject(h); }
inline void close_font(HFONT h) { ::DeleteObject(h); }
inline void close_brush(HBRUSH h) { ::DeleteObject(h); }
inline void close_pen(HPEN h) { ::DeleteObject(h); }
inline void close_bitmap(HBITMAP h) { ::DeleteObject(h); }
inline void close_region(HRGN h) { ::DeleteObject(h); }
inline void close_dc(HDC h) { ::DeleteDC(h); }
inline void close_window(HWND h) { ::DestroyWindow(h); }
inline void close_icon(HICON h) { ::DestroyIcon(h); }
inline void close_menu(HMENU h) { ::DestroyMenu(h); }
inline void close_handle(HANDLE h) { ::CloseHandle(h); }
inline void close_module(HMODULE h) { ::FreeLibrary(h); }
inline void close_hook(HHOOK h) { ::UnhookWindowsHookEx(h); }
inline void close_global(HGLOBAL h) { ::GlobalFree(h); }
}  // namespace detail

using unique_font = unique_any<null_invalid_traits<HFONT, detail::close_font, resource_kind::gdi>>;
using unique_brush = unique_any<null_invalid_traits<HBRUSH, detail::close_brush, resource_kind::gdi>>;
using unique_pen = unique_any<null_invalid_traits<HPEN, detail::close_pen, resource_kind::gdi>>;
using unique_bitmap = unique_any<null_invalid_traits<HBITMAP, detail::close_bitmap, resource_kind::gdi>>;
using unique_region = unique_any<null_invalid_traits<HRGN, detail::close_region, resource_kind::gdi>>;
using unique_hdc = unique_any<null_invalid_traits<HDC, detail::close_dc, resource_kind::gdi>>;
using unique_hwnd = unique_any<null_invalid_traits<HWND, detail::close_window, resource_kind::user>>;
using unique_hicon = unique_any<null_invalid_traits<HICON, detail::close_icon, resource_kind::user>>;
using unique_hmenu = unique_any<null_invalid_traits<HMENU, detail::close_menu, resource_kind::user>>;
using unique_handle = unique_any<null_invalid_traits<HANDLE, detail::close_handle, resource_kind::kernel>>;
using unique_hmodule = unique_any<null_invalid_traits<HMODULE, detail::close_module, resource_kind::module>>;
using unique_hhook = unique_any<null_invalid_traits<HHOOK, detail::close_hook, resource_kind::user>>;
using unique_hglobal = unique_any<null_invalid_traits<HGLOBAL, detail::close_global, resource_kind::other>>;

// Kernel handles whose "none" is INVALID_HANDLE_VALUE rather than null.
template <BOOL(WINAPI* Close)(HANDLE)>
struct invalid_value_traits {
    using handle = HANDLE;
    static constexpr resource_kind kind = resource_kind::kernel;
    static handle invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(handle h) noexcept { Close(h); }
};
using unique_file = unique_any<invalid_value_traits<::CloseHandle>>;
using unique_find = unique_any<invalid_value_traits<::FindClose>>;

// The DC of BeginPaint, ended by EndPaint.
class paint_dc {
public:
    explicit paint_dc(HWND hwnd) noexcept : hwnd_(hwnd)
    {
        hdc_ = ::BeginPaint(hwnd_, &ps_);
        if (hdc_) live_objects::add(resource_kind::gdi);
    }
    paint_dc(const paint_dc&) = delete;
    paint_dc& operator=(const paint_dc&) = delete;
    ~paint_dc()
    {
        if (hdc_) live_objects::remove(resource_kind::gdi);
        ::EndPaint(hwnd_, &ps_);
    }
    HDC get() const noexcept { return hdc_; }
    const PAINTSTRUCT& info() const noexcept { return ps_; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC hdc_ = nullptr;
};

// A DC of GetDC/GetDCEx, given back with ReleaseDC.
class window_dc {
public:
    explicit window_dc(HWND hwnd, HDC hdc) noexcept : hwnd_(hwnd), hdc_(hdc)
    {
        if (hdc_) live_objects::add(resource_kind::gdi);
    }
    explicit window_dc(HWND hwnd) noexcept : window_dc(hwnd, ::GetDC(hwnd)) {}
    window_dc(const window_dc&) = delete;
    window_dc& operator=(const window_dc&) = delete;
    ~window_dc()
    {
        if (hdc_) {
            live_objects::remove(resource_kind::gdi);
            ::ReleaseDC(hwnd_, hdc_);
        }
    }
    HDC get() const noexcept { return hdc_; }

private:
    HWND hwnd_;
    HDC hdc_;
};

// Selects an object into a DC for one scope and always restores the previous one.
class select_object {
public:
    select_object(HDC hdc, HGDIOBJ obj) noexcept : hdc_(hdc), old_(::SelectObject(hdc, obj)) {}
    select_object(const select_object&) = delete;
    select_object& operator=(const select_object&) = delete;
    ~select_object()
    {
        if (old_ && old_ != HGDI_ERROR) ::SelectObject(hdc_, old_);
    }

private:
    HDC hdc_;
    HGDIOBJ old_;
};

// Saves the DC state for one scope (text colour, background mode, clip region).
class saved_dc {
public:
    explicit saved_dc(HDC hdc) noexcept : hdc_(hdc), id_(::SaveDC(hdc)) {}
    saved_dc(const saved_dc&) = delete;
    saved_dc& operator=(const saved_dc&) = delete;
    ~saved_dc()
    {
        if (id_) ::RestoreDC(hdc_, id_);
    }

private:
    HDC hdc_;
    int id_;
};

}  // namespace win
