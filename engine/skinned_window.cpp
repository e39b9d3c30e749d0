#include "engine/skinned_window.h"

#include "engine/edit_border.h"
#include "engine/frame.h"
#include "engine/push_button.h"

#include <commctrl.h>

#include <new>

namespace engine {
namespace {

constexpr UINT_PTR subclass_id = 0x534B4E48;  // "SKNH"

bool class_is(HWND hwnd, const wchar_t* name) noexcept
{
    wchar_t actual[32] = {};
    return ::GetClassNameW(hwnd, actual, 32) > 0 && ::lstrcmpiW(actual, name) == 0;
}

LRESULT CALLBACK subclass_procedure(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                    DWORD_PTR data)
{
    auto* self = reinterpret_cast<skinned_window*>(data);
    if (msg == WM_NCDESTROY) {
        const skinned_ptr owned(self);
        ::RemoveWindowSubclass(hwnd, subclass_procedure, id);
        return ::DefSubclassProc(hwnd, msg, wparam, lparam);
    }
    switch (self->kind()) {
    case window_kind::frame: return static_cast<skinned_frame*>(self)->handle(msg, wparam, lparam);
    case window_kind::push_button: return static_cast<skinned_button*>(self)->handle(msg, wparam, lparam);
    case window_kind::edit: return static_cast<skinned_edit*>(self)->handle(msg, wparam, lparam);
    case window_kind::none: break;
    }
    return ::DefSubclassProc(hwnd, msg, wparam, lparam);
}

}  // namespace

window_kind classify(HWND hwnd, LONG_PTR style, LONG_PTR ex_style, bool has_menu) noexcept
{
    if (!(style & WS_CHILD)) {
        // Top-level windows with a caption; a menu bar would need painting
        // of its own, so such windows keep the system frame.
        if ((style & WS_CAPTION) == WS_CAPTION && !has_menu) return window_kind::frame;
        return window_kind::none;
    }
    if (class_is(hwnd, L"Button")) {
        const LONG_PTR type = style & BS_TYPEMASK;
        const bool picture = (style & (BS_BITMAP | BS_ICON)) != 0;
        if ((type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) && !picture) return window_kind::push_button;
        return window_kind::none;
    }
    if (class_is(hwnd, L"Edit")) {
        if ((style & WS_BORDER) || (ex_style & WS_EX_CLIENTEDGE)) return window_kind::edit;
        return window_kind::none;
    }
    return window_kind::none;
}

window_kind classify(HWND hwnd) noexcept
{
    const LONG_PTR style = ::GetWindowLongPtrW(hwnd, GWL_STYLE);
    const bool has_menu = !(style & WS_CHILD) && ::GetMenu(hwnd) != nullptr;
    return classify(hwnd, style, ::GetWindowLongPtrW(hwnd, GWL_EXSTYLE), has_menu);
}

skinned_window::skinned_window(HWND hwnd, window_kind kind) noexcept : hwnd_(hwnd), kind_(kind)
{
    prev_ = tail_;
    if (tail_) tail_->next_ = this;
    else head_ = this;
    tail_ = this;
    ++count_;
}

skinned_window::~skinned_window()
{
    if (prev_) prev_->next_ = next_;
    else head_ = next_;
    if (next_) next_->prev_ = prev_;
    else tail_ = prev_;
    --count_;
}

void skinned_deleter::operator()(skinned_window* w) const noexcept
{
    if (!w) return;
    switch (w->kind()) {
    case window_kind::frame: delete static_cast<skinned_frame*>(w); break;
    case window_kind::push_button: delete static_cast<skinned_button*>(w); break;
    case window_kind::edit: delete static_cast<skinned_edit*>(w); break;
    case window_kind::none: break;
    }
}

skinned_window* find_skinned(HWND hwnd) noexcept
{
    // The registry is short (a window and its few controls): a walk is cheap.
    for (skinned_window* w = skinned_window::first(); w; w = w->next())
        if (w->hwnd() == hwnd) return w;
    return nullptr;
}

bool skin_window(HWND hwnd, window_kind kind) noexcept
{
    if (kind == window_kind::none) return false;
    if (find_skinned(hwnd)) return true;
    skinned_ptr data;
    switch (kind) {
    case window_kind::frame: data.reset(new (std::nothrow) skinned_frame(hwnd)); break;
    case window_kind::push_button: data.reset(new (std::nothrow) skinned_button(hwnd)); break;
    case window_kind::edit: data.reset(new (std::nothrow) skinned_edit(hwnd)); break;
    case window_kind::none: break;
    }
    if (!data) return false;
    if (!::SetWindowSubclass(hwnd, subclass_procedure, subclass_id, reinterpret_cast<DWORD_PTR>(data.get())))
        return false;
    data.release();  // the subclass owns it now, until WM_NCDESTROY or unskin_window
    return true;
}

bool unskin_window(HWND hwnd) noexcept
{
    skinned_window* data = find_skinned(hwnd);
    if (!data) return false;
    if (!::RemoveWindowSubclass(hwnd, subclass_procedure, subclass_id)) return false;
    const skinned_ptr owned(data);
    return true;
}

void redraw(HWND hwnd, bool frame_changed) noexcept
{
    if (frame_changed)
        ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                       SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
}

}  // namespace engine
