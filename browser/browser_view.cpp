#include "browser/browser_view.h"

#include <algorithm>
#include <new>

#include "browser/control_site.h"

namespace browser {
namespace {

// A VARIANT owned for one call.
class variant {
public:
    variant() noexcept { ::VariantInit(&value_); }
    static variant of_int(LONG number) noexcept
    {
        variant v;
        v.value_.vt = VT_I4;
        v.value_.lVal = number;
        return v;
    }
    // An empty string, never a null one.
    static variant of_text(std::wstring_view text) noexcept
    {
        variant v;
        v.value_.bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        if (v.value_.bstrVal) v.value_.vt = VT_BSTR;
        return v;
    }
    variant(variant&& other) noexcept : value_(other.value_) { ::VariantInit(&other.value_); }
    variant(const variant&) = delete;
    variant& operator=(const variant&) = delete;
    variant& operator=(variant&&) = delete;
    ~variant() { ::VariantClear(&value_); }

    VARIANT* get() noexcept { return &value_; }

private:
    VARIANT value_;
};

// A BSTR owned for one call.
class bstr {
public:
    explicit bstr(std::wstring_view text) noexcept
        : value_(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size())))
    {
    }
    bstr(const bstr&) = delete;
    bstr& operator=(const bstr&) = delete;
    ~bstr() { ::SysFreeString(value_); }

    BSTR get() const noexcept { return value_; }

private:
    BSTR value_;
};

constexpr DWORD view_style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP;

}  // namespace

int clamp_text_size(int text_size) noexcept { return std::clamp(text_size, 0, 4); }

win::com_ptr<IUnknown> create_system_control()
{
    win::com_ptr<IUnknown> control;
    ::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, control.put_void());
    return control;
}

bool browser_view::register_class()
{
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = window_procedure;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = class_name;
        return ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered;
}

std::unique_ptr<browser_view> browser_view::create(HWND parent, const RECT& place, int control_id,
                                                   const view_settings& settings,
                                                   const control_factory& make_control)
{
    if (!register_class()) return nullptr;
    std::unique_ptr<browser_view> view(new (std::nothrow) browser_view(settings.address));
    if (!view) return nullptr;
    const HWND hwnd = ::CreateWindowExW(0, class_name, L"", view_style, place.left, place.top,
                                        place.right - place.left, place.bottom - place.top, parent,
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_id)),
                                        ::GetModuleHandleW(nullptr), view.get());
    if (!hwnd) return nullptr;
    // On failure the view's destructor takes down whatever was made.
    if (!view->host(make_control ? make_control() : nullptr)) return nullptr;
    view->apply(settings);
    return view;
}

browser_view::browser_view(std::wstring address) : address_(std::move(address)) {}

browser_view::~browser_view()
{
    // The window's destruction releases the control (WM_DESTROY); the second
    // call covers a view whose window never came to be.
    if (const HWND hwnd = this->hwnd()) ::DestroyWindow(hwnd);
    release_control();
}

bool browser_view::host(win::com_ptr<IUnknown> control)
{
    if (!control) return false;
    browser_ = control.query<IWebBrowser2>();
    object_ = control.query<IOleObject>();
    if (!browser_ || !object_) return false;

    site_ = control_site::create(hwnd());
    if (!site_) return false;
    IOleClientSite* const site = site_.get();
    // The control makes no request before it has a site; in-place activation
    // gives it its window inside the view.
    if (FAILED(object_->SetClientSite(site))) return false;
    RECT client = win::window_view(hwnd()).client_rect();
    if (FAILED(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site, 0, hwnd(), &client))) return false;

    in_place_ = control.query<IOleInPlaceObject>();
    active_ = control.query<IOleInPlaceActiveObject>();
    if (!in_place_ || FAILED(in_place_->GetWindow(&control_hwnd_)) || !::IsWindow(control_hwnd_)) {
        control_hwnd_ = nullptr;
        return false;
    }
    ::ShowWindow(control_hwnd_, SW_SHOWNA);
    fit_control(client.right, client.bottom);
    return true;
}

void browser_view::apply(const view_settings& settings)
{
    // Results are not looked at: a setting the control refuses leaves it as it was.
    browser_->put_Offline(settings.offline ? VARIANT_TRUE : VARIANT_FALSE);
    browser_->put_Silent(settings.silent ? VARIANT_TRUE : VARIANT_FALSE);
    variant size = variant::of_int(clamp_text_size(settings.text_size));
    browser_->ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, size.get(), nullptr);
    if (!address_.empty()) navigate();
}

void browser_view::set_address(std::wstring_view address)
{
    address_.assign(address);
    navigate();
}

// A plain GET in the view's own top-level frame: flags 0, no target frame,
// no post data, no extra headers.
void browser_view::navigate()
{
    if (!browser_) return;
    const bstr url(address_);
    variant flags = variant::of_int(0);
    variant target = variant::of_text(L"");
    variant post_data;
    variant headers = variant::of_text(L"");
    browser_->Navigate(url.get(), flags.get(), target.get(), post_data.get(), headers.get());
}

void browser_view::refresh()
{
    if (browser_) browser_->Refresh();
}

bool browser_view::translate_accelerator(MSG& msg)
{
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    // Tab, Shift+Tab and Esc belong to the main window, even inside the page.
    if (msg.wParam == VK_TAB || msg.wParam == VK_ESCAPE) return false;
    if (!active_ || !hwnd()) return false;
    const HWND focus = ::GetFocus();
    if (!focus || (focus != hwnd() && !::IsChild(hwnd(), focus))) return false;
    return active_->TranslateAccelerator(&msg) == S_OK;
}

HWND browser_view::control_window() const noexcept
{
    return control_hwnd_ && ::IsWindow(control_hwnd_) ? control_hwnd_ : nullptr;
}

void browser_view::fit_control(int width, int height)
{
    const RECT area{0, 0, width, height};
    if (in_place_) in_place_->SetObjectRects(&area, &area);
    if (const HWND control = control_window())
        ::SetWindowPos(control, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void browser_view::release_control() noexcept
{
    browser_.reset();
    active_.reset();
    if (in_place_) {
        in_place_->InPlaceDeactivate();
        in_place_.reset();
    }
    if (object_) {
        object_->Close(OLECLOSE_NOSAVE);
        object_->SetClientSite(nullptr);
        object_.reset();
    }
    if (site_) {
        site_->detach();
        site_.reset();
    }
    if (const HWND control = control_window()) ::DestroyWindow(control);
    control_hwnd_ = nullptr;
}

LRESULT browser_view::handle_message(UINT msg, WPARAM wparam, LPARAM lparam)
{
    switch (msg) {
    case WM_SIZE:
        fit_control(LOWORD(lparam), HIWORD(lparam));
        return 0;
    case WM_SETFOCUS:
        if (const HWND control = control_window()) ::SetFocus(control);
        return 0;
    case WM_DESTROY:
        release_control();
        return 0;
    default:
        return default_procedure(msg, wparam, lparam);
    }
}

}  // namespace browser
