#include "fake_control.h"

#include <string_view>

#include "win/text.h"

namespace browser_test {
namespace {

std::string describe(const VARIANT* v)
{
    if (!v) return "null";
    switch (v->vt) {
    case VT_EMPTY: return "VT_EMPTY";
    case VT_I4: return "VT_I4 " + std::to_string(v->lVal);
    case VT_BSTR:
        if (!v->bstrVal) return "VT_BSTR null";
        return "VT_BSTR \"" + win::to_utf8(std::wstring_view(v->bstrVal, ::SysStringLen(v->bstrVal))) + "\"";
    default: return "VT " + std::to_string(v->vt);
    }
}

std::string describe(BSTR text)
{
    if (!text) return "null";
    return "\"" + win::to_utf8(std::wstring_view(text, ::SysStringLen(text))) + "\"";
}

std::string describe(const RECT* r)
{
    if (!r) return "null";
    return std::to_string(r->left) + "," + std::to_string(r->top) + "," + std::to_string(r->right) + "," +
           std::to_string(r->bottom);
}

}  // namespace

fake_control::~fake_control()
{
    if (window_ && ::IsWindow(window_)) ::DestroyWindow(window_);
    if (in_place_site_) in_place_site_->Release();
    if (site_) site_->Release();
}

HRESULT fake_control::unused(const char* name)
{
    calls_.emplace_back(name);
    return E_NOTIMPL;
}

STDMETHODIMP fake_control::QueryInterface(REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    if (riid == IID_IUnknown)
        *object = static_cast<IWebBrowser2*>(this);
    else if (behaviour_.offers_browser &&
             (riid == IID_IDispatch || riid == IID_IWebBrowser || riid == IID_IWebBrowserApp || riid == IID_IWebBrowser2))
        *object = static_cast<IWebBrowser2*>(this);
    else if (behaviour_.offers_ole_object && riid == IID_IOleObject)
        *object = static_cast<IOleObject*>(this);
    else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceObject)
        *object = static_cast<IOleInPlaceObject*>(this);
    else if (riid == IID_IOleInPlaceActiveObject)
        *object = static_cast<IOleInPlaceActiveObject*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) fake_control::AddRef() { return static_cast<ULONG>(++references_); }
STDMETHODIMP_(ULONG) fake_control::Release() { return static_cast<ULONG>(--references_); }

// ---- the calls the view is expected to make: recorded with their arguments

STDMETHODIMP fake_control::Navigate(BSTR url, VARIANT* flags, VARIANT* target, VARIANT* post_data, VARIANT* headers)
{
    calls_.push_back("Navigate(" + describe(url) + ", " + describe(flags) + ", " + describe(target) + ", " +
                     describe(post_data) + ", " + describe(headers) + ")");
    return S_OK;
}

STDMETHODIMP fake_control::Refresh()
{
    calls_.emplace_back("Refresh()");
    return S_OK;
}

STDMETHODIMP fake_control::Refresh2(VARIANT* level)
{
    calls_.push_back("Refresh2(" + describe(level) + ")");
    return S_OK;
}

STDMETHODIMP fake_control::ExecWB(OLECMDID command, OLECMDEXECOPT option, VARIANT* in, VARIANT* out)
{
    calls_.push_back("ExecWB(" + std::to_string(command) + ", " + std::to_string(option) + ", " + describe(in) +
                     ", " + describe(out) + ")");
    return S_OK;
}

STDMETHODIMP fake_control::put_Offline(VARIANT_BOOL offline)
{
    calls_.push_back("put_Offline(" + std::to_string(offline) + ")");
    return S_OK;
}

STDMETHODIMP fake_control::put_Silent(VARIANT_BOOL silent)
{
    calls_.push_back("put_Silent(" + std::to_string(silent) + ")");
    return S_OK;
}

STDMETHODIMP fake_control::SetClientSite(IOleClientSite* site)
{
    calls_.emplace_back(site ? "SetClientSite(site)" : "SetClientSite(null)");
    if (site) site->AddRef();
    if (site_) site_->Release();
    site_ = site;
    return S_OK;
}

STDMETHODIMP fake_control::GetClientSite(IOleClientSite** site)
{
    if (!site) return E_POINTER;
    *site = site_;
    if (site_) site_->AddRef();
    return S_OK;
}

STDMETHODIMP fake_control::Close(DWORD save_option)
{
    calls_.push_back("Close(" + std::to_string(save_option) + ")");
    return S_OK;
}

// In-place activation as a control does it: the site gives the parent
// window, the frame and the rectangle; the control's window goes there.
STDMETHODIMP fake_control::DoVerb(LONG verb, LPMSG, IOleClientSite* active_site, LONG, HWND parent, LPCRECT position)
{
    calls_.push_back("DoVerb(" + std::to_string(verb) + ", " + describe(position) + ")");
    if (FAILED(behaviour_.do_verb_result)) return behaviour_.do_verb_result;
    if (verb != OLEIVERB_INPLACEACTIVATE) return E_NOTIMPL;
    IOleClientSite* client = active_site ? active_site : site_;
    if (!client || in_place_site_) return E_UNEXPECTED;

    IOleInPlaceSite* site = nullptr;
    if (FAILED(client->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&site)))) return E_NOINTERFACE;
    if (site->CanInPlaceActivate() != S_OK) {
        site->Release();
        return E_FAIL;
    }
    site->OnInPlaceActivate();
    site->GetWindow(&site_window_);
    IOleInPlaceFrame* frame = nullptr;
    IOleInPlaceUIWindow* document = nullptr;
    RECT pos{}, clip{};
    OLEINPLACEFRAMEINFO info{sizeof info, FALSE, nullptr, nullptr, 0};
    if (SUCCEEDED(site->GetWindowContext(&frame, &document, &pos, &clip, &info))) {
        if (frame) {
            frame->GetWindow(&frame_window_);
            frame->Release();
        }
        if (document) document->Release();
    }
    in_place_site_ = site;
    window_ = ::CreateWindowExW(0, L"STATIC", L"fake control", WS_CHILD | WS_VISIBLE, pos.left, pos.top,
                                pos.right - pos.left, pos.bottom - pos.top,
                                behaviour_.window_on_frame ? frame_window_ : parent ? parent : site_window_,
                                nullptr, ::GetModuleHandleW(nullptr), nullptr);
    (void)position;
    return window_ ? S_OK : E_FAIL;
}

// Leaves its window alone: whoever hosts the control takes it down.
STDMETHODIMP fake_control::InPlaceDeactivate()
{
    calls_.emplace_back("InPlaceDeactivate()");
    if (in_place_site_) {
        in_place_site_->OnInPlaceDeactivate();
        in_place_site_->Release();
        in_place_site_ = nullptr;
    }
    return S_OK;
}

// Only records: the view must place the window itself as well.
STDMETHODIMP fake_control::SetObjectRects(LPCRECT position, LPCRECT clip)
{
    calls_.push_back("SetObjectRects(" + describe(position) + " / " + describe(clip) + ")");
    return S_OK;
}

STDMETHODIMP fake_control::GetWindow(HWND* window)
{
    if (!window) return E_POINTER;
    *window = window_;
    return window_ ? S_OK : E_FAIL;
}

STDMETHODIMP fake_control::TranslateAccelerator(LPMSG msg)
{
    calls_.push_back("TranslateAccelerator(" + std::to_string(msg ? msg->message : 0) + ", " +
                     std::to_string(msg ? msg->wParam : 0) + ")");
    return behaviour_.accelerator_result;
}

// ---- everything else: recorded by name, not implemented

STDMETHODIMP fake_control::GetTypeInfoCount(UINT*) { return unused("GetTypeInfoCount"); }
STDMETHODIMP fake_control::GetTypeInfo(UINT, LCID, ITypeInfo**) { return unused("GetTypeInfo"); }
STDMETHODIMP fake_control::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return unused("GetIDsOfNames"); }
STDMETHODIMP fake_control::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return unused("Invoke");
}
STDMETHODIMP fake_control::GoBack() { return unused("GoBack"); }
STDMETHODIMP fake_control::GoForward() { return unused("GoForward"); }
STDMETHODIMP fake_control::GoHome() { return unused("GoHome"); }
STDMETHODIMP fake_control::GoSearch() { return unused("GoSearch"); }
STDMETHODIMP fake_control::Stop() { return unused("Stop"); }
STDMETHODIMP fake_control::get_Application(IDispatch**) { return unused("get_Application"); }
STDMETHODIMP fake_control::get_Parent(IDispatch**) { return unused("get_Parent"); }
STDMETHODIMP fake_control::get_Container(IDispatch**) { return unused("get_Container"); }
STDMETHODIMP fake_control::get_Document(IDispatch**) { return unused("get_Document"); }
STDMETHODIMP fake_control::get_TopLevelContainer(VARIANT_BOOL*) { return unused("get_TopLevelContainer"); }
STDMETHODIMP fake_control::get_Type(BSTR*) { return unused("get_Type"); }
STDMETHODIMP fake_control::get_Left(LONG*) { return unused("get_Left"); }
STDMETHODIMP fake_control::put_Left(LONG) { return unused("put_Left"); }
STDMETHODIMP fake_control::get_Top(LONG*) { return unused("get_Top"); }
STDMETHODIMP fake_control::put_Top(LONG) { return unused("put_Top"); }
STDMETHODIMP fake_control::get_Width(LONG*) { return unused("get_Width"); }
STDMETHODIMP fake_control::put_Width(LONG) { return unused("put_Width"); }
STDMETHODIMP fake_control::get_Height(LONG*) { return unused("get_Height"); }
STDMETHODIMP fake_control::put_Height(LONG) { return unused("put_Height"); }
STDMETHODIMP fake_control::get_LocationName(BSTR*) { return unused("get_LocationName"); }
STDMETHODIMP fake_control::get_LocationURL(BSTR*) { return unused("get_LocationURL"); }
STDMETHODIMP fake_control::get_Busy(VARIANT_BOOL*) { return unused("get_Busy"); }
STDMETHODIMP fake_control::Quit() { return unused("Quit"); }
STDMETHODIMP fake_control::ClientToWindow(int*, int*) { return unused("ClientToWindow"); }
STDMETHODIMP fake_control::PutProperty(BSTR, VARIANT) { return unused("PutProperty"); }
STDMETHODIMP fake_control::GetProperty(BSTR, VARIANT*) { return unused("GetProperty"); }
STDMETHODIMP fake_control::get_Name(BSTR*) { return unused("get_Name"); }
STDMETHODIMP fake_control::get_HWND(SHANDLE_PTR*) { return unused("get_HWND"); }
STDMETHODIMP fake_control::get_FullName(BSTR*) { return unused("get_FullName"); }
STDMETHODIMP fake_control::get_Path(BSTR*) { return unused("get_Path"); }
STDMETHODIMP fake_control::get_Visible(VARIANT_BOOL*) { return unused("get_Visible"); }
STDMETHODIMP fake_control::put_Visible(VARIANT_BOOL) { return unused("put_Visible"); }
STDMETHODIMP fake_control::get_StatusBar(VARIANT_BOOL*) { return unused("get_StatusBar"); }
STDMETHODIMP fake_control::put_StatusBar(VARIANT_BOOL) { return unused("put_StatusBar"); }
STDMETHODIMP fake_control::get_StatusText(BSTR*) { return unused("get_StatusText"); }
STDMETHODIMP fake_control::put_StatusText(BSTR) { return unused("put_StatusText"); }
STDMETHODIMP fake_control::get_ToolBar(int*) { return unused("get_ToolBar"); }
STDMETHODIMP fake_control::put_ToolBar(int) { return unused("put_ToolBar"); }
STDMETHODIMP fake_control::get_MenuBar(VARIANT_BOOL*) { return unused("get_MenuBar"); }
STDMETHODIMP fake_control::put_MenuBar(VARIANT_BOOL) { return unused("put_MenuBar"); }
STDMETHODIMP fake_control::get_FullScreen(VARIANT_BOOL*) { return unused("get_FullScreen"); }
STDMETHODIMP fake_control::put_FullScreen(VARIANT_BOOL) { return unused("put_FullScreen"); }
STDMETHODIMP fake_control::Navigate2(VARIANT*, VARIANT*, VARIANT*, VARIANT*, VARIANT*) { return unused("Navigate2"); }
STDMETHODIMP fake_control::QueryStatusWB(OLECMDID, OLECMDF*) { return unused("QueryStatusWB"); }
STDMETHODIMP fake_control::ShowBrowserBar(VARIANT*, VARIANT*, VARIANT*) { return unused("ShowBrowserBar"); }
STDMETHODIMP fake_control::get_ReadyState(READYSTATE*) { return unused("get_ReadyState"); }
STDMETHODIMP fake_control::get_Offline(VARIANT_BOOL*) { return unused("get_Offline"); }
STDMETHODIMP fake_control::get_Silent(VARIANT_BOOL*) { return unused("get_Silent"); }
STDMETHODIMP fake_control::get_RegisterAsBrowser(VARIANT_BOOL*) { return unused("get_RegisterAsBrowser"); }
STDMETHODIMP fake_control::put_RegisterAsBrowser(VARIANT_BOOL) { return unused("put_RegisterAsBrowser"); }
STDMETHODIMP fake_control::get_RegisterAsDropTarget(VARIANT_BOOL*) { return unused("get_RegisterAsDropTarget"); }
STDMETHODIMP fake_control::put_RegisterAsDropTarget(VARIANT_BOOL) { return unused("put_RegisterAsDropTarget"); }
STDMETHODIMP fake_control::get_TheaterMode(VARIANT_BOOL*) { return unused("get_TheaterMode"); }
STDMETHODIMP fake_control::put_TheaterMode(VARIANT_BOOL) { return unused("put_TheaterMode"); }
STDMETHODIMP fake_control::get_AddressBar(VARIANT_BOOL*) { return unused("get_AddressBar"); }
STDMETHODIMP fake_control::put_AddressBar(VARIANT_BOOL) { return unused("put_AddressBar"); }
STDMETHODIMP fake_control::get_Resizable(VARIANT_BOOL*) { return unused("get_Resizable"); }
STDMETHODIMP fake_control::put_Resizable(VARIANT_BOOL) { return unused("put_Resizable"); }
STDMETHODIMP fake_control::SetHostNames(LPCOLESTR, LPCOLESTR) { return unused("SetHostNames"); }
STDMETHODIMP fake_control::SetMoniker(DWORD, IMoniker*) { return unused("SetMoniker"); }
STDMETHODIMP fake_control::GetMoniker(DWORD, DWORD, IMoniker**) { return unused("GetMoniker"); }
STDMETHODIMP fake_control::InitFromData(IDataObject*, BOOL, DWORD) { return unused("InitFromData"); }
STDMETHODIMP fake_control::GetClipboardData(DWORD, IDataObject**) { return unused("GetClipboardData"); }
STDMETHODIMP fake_control::EnumVerbs(IEnumOLEVERB**) { return unused("EnumVerbs"); }
STDMETHODIMP fake_control::Update() { return unused("Update"); }
STDMETHODIMP fake_control::IsUpToDate() { return unused("IsUpToDate"); }
STDMETHODIMP fake_control::GetUserClassID(CLSID*) { return unused("GetUserClassID"); }
STDMETHODIMP fake_control::GetUserType(DWORD, LPOLESTR*) { return unused("GetUserType"); }
STDMETHODIMP fake_control::SetExtent(DWORD, SIZEL*) { return unused("SetExtent"); }
STDMETHODIMP fake_control::GetExtent(DWORD, SIZEL*) { return unused("GetExtent"); }
STDMETHODIMP fake_control::Advise(IAdviseSink*, DWORD*) { return unused("Advise"); }
STDMETHODIMP fake_control::Unadvise(DWORD) { return unused("Unadvise"); }
STDMETHODIMP fake_control::EnumAdvise(IEnumSTATDATA**) { return unused("EnumAdvise"); }
STDMETHODIMP fake_control::GetMiscStatus(DWORD, DWORD*) { return unused("GetMiscStatus"); }
STDMETHODIMP fake_control::SetColorScheme(LOGPALETTE*) { return unused("SetColorScheme"); }
STDMETHODIMP fake_control::ContextSensitiveHelp(BOOL) { return unused("ContextSensitiveHelp"); }
STDMETHODIMP fake_control::UIDeactivate() { return unused("UIDeactivate"); }
STDMETHODIMP fake_control::ReactivateAndUndo() { return unused("ReactivateAndUndo"); }
STDMETHODIMP fake_control::OnFrameWindowActivate(BOOL) { return unused("OnFrameWindowActivate"); }
STDMETHODIMP fake_control::OnDocWindowActivate(BOOL) { return unused("OnDocWindowActivate"); }
STDMETHODIMP fake_control::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) { return unused("ResizeBorder"); }
STDMETHODIMP fake_control::EnableModeless(BOOL) { return unused("EnableModeless"); }

}  // namespace browser_test
