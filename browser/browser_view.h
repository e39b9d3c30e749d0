// The browser view 超文本浏览框: a child window of the main window that hosts
// the system web-browser control in place and offers the visit cycle its two
// operations, set the address and refresh. No event of the control is bound:
// every navigation proceeds, pages open their pop-ups outside the main
// window, and nothing outside the view follows the page.
#pragma once

#include <windows.h>
#include <exdisp.h>
#include <oleidl.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "win/com_ptr.h"
#include "win/window.h"

namespace browser {

class control_site;

// The view's settings, fixed by the window that owns it.
struct view_settings {
    int text_size = 2;      // 字体大小: 0 smallest .. 4 largest; others are clamped
    bool offline = false;   // 离线浏览: read pages from the local cache only
    bool silent = true;     // 静默: the control shows no dialog boxes of its own
    std::wstring address;   // 地址: the initial page; none is loaded when empty
};

// Text sizes the control knows: 0 "最小" .. 4 "最大".
int clamp_text_size(int text_size) noexcept;

// Makes the control to host and returns it, or nothing when it cannot be made.
using control_factory = std::function<win::com_ptr<IUnknown>()>;

// The system web-browser control (CLSID_WebBrowser), in process.
win::com_ptr<IUnknown> create_system_control();

class browser_view : public win::window_base<browser_view> {
public:
    static constexpr const wchar_t* class_name = L"超文本浏览框";

    // Creates the view's window, hidden, at `place` in the parent's client
    // area, hosts the control filling it, applies the settings and starts
    // loading the initial address. OLE must be initialised on this thread.
    // Gives nothing, with everything it made destroyed again, when the
    // control cannot be made, offers no IWebBrowser2 or cannot be placed.
    static std::unique_ptr<browser_view> create(HWND parent, const RECT& place, int control_id,
                                                const view_settings& settings,
                                                const control_factory& make_control = create_system_control);

    // Releases the control and destroys both windows, unless the parent's
    // destruction has already done it.
    ~browser_view();

    // Navigates at once, whatever the address: the same one again, an empty
    // one, or another while a page is still loading.
    void set_address(std::wstring_view address);
    // Reloads the page the control shows.
    void refresh();

    // For the main window's key examination, after its own keys: hands a key
    // message to the control's accelerators when the focus is inside the
    // view. Tab and Esc stay the main window's. True when the control took it.
    bool translate_accelerator(MSG& msg);

    // The last address given to the view (the initial one, then each one set).
    const std::wstring& address() const noexcept { return address_; }
    // The control's own window inside the view, while it exists.
    HWND control_window() const noexcept;

    LRESULT handle_message(UINT msg, WPARAM wparam, LPARAM lparam);

private:
    explicit browser_view(std::wstring address);
    static bool register_class();

    bool host(win::com_ptr<IUnknown> control);
    void apply(const view_settings& settings);
    void navigate();
    void fit_control(int width, int height);
    void release_control() noexcept;

    std::wstring address_;
    win::com_ptr<IWebBrowser2> browser_;
    win::com_ptr<IOleObject> object_;
    win::com_ptr<IOleInPlaceObject> in_place_;
    win::com_ptr<IOleInPlaceActiveObject> active_;
    win::com_ptr<control_site> site_;
    HWND control_hwnd_ = nullptr;
};

}  // namespace browser
