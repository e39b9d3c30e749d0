// A stand-in for the system web-browser control: it offers IWebBrowser2 and
// the OLE embedding interfaces, records every call the view makes with its
// arguments, and activates in place the way a real control does (asks the
// site for its window and frame, then makes a child window there).
#pragma once

#include <windows.h>
#include <exdisp.h>
#include <oleidl.h>

#include <string>
#include <vector>

namespace browser_test {

class fake_control final : public IWebBrowser2,
                           public IOleObject,
                           public IOleInPlaceObject,
                           public IOleInPlaceActiveObject {
public:
    // What the fake offers; the defaults behave like a working control.
    struct behaviour {
        bool offers_browser = true;
        bool offers_ole_object = true;
        HRESULT do_verb_result = S_OK;
        HRESULT accelerator_result = S_OK;
        // Puts its window on the frame instead of the site's window, so that
        // only an explicit destruction takes it down with the view.
        bool window_on_frame = false;
    };

    fake_control() = default;
    explicit fake_control(behaviour b) : behaviour_(b) {}
    ~fake_control();
    fake_control(const fake_control&) = delete;
    fake_control& operator=(const fake_control&) = delete;

    // Every call, in order, e.g. "put_Silent(-1)".
    const std::vector<std::string>& calls() const noexcept { return calls_; }
    void forget_calls() { calls_.clear(); }
    // References held by others (the fake never deletes itself).
    LONG references() const noexcept { return references_; }
    // The window made on in-place activation, and what the site told it.
    HWND window() const noexcept { return window_; }
    HWND site_window() const noexcept { return site_window_; }
    HWND frame_window() const noexcept { return frame_window_; }
    bool holds_site() const noexcept { return site_ != nullptr; }

    IUnknown* unknown() noexcept { return static_cast<IWebBrowser2*>(this); }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IDispatch
    STDMETHODIMP GetTypeInfoCount(UINT*) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;

    // IWebBrowser
    STDMETHODIMP GoBack() override;
    STDMETHODIMP GoForward() override;
    STDMETHODIMP GoHome() override;
    STDMETHODIMP GoSearch() override;
    STDMETHODIMP Navigate(BSTR url, VARIANT* flags, VARIANT* target, VARIANT* post_data, VARIANT* headers) override;
    STDMETHODIMP Refresh() override;
    STDMETHODIMP Refresh2(VARIANT* level) override;
    STDMETHODIMP Stop() override;
    STDMETHODIMP get_Application(IDispatch**) override;
    STDMETHODIMP get_Parent(IDispatch**) override;
    STDMETHODIMP get_Container(IDispatch**) override;
    STDMETHODIMP get_Document(IDispatch**) override;
    STDMETHODIMP get_TopLevelContainer(VARIANT_BOOL*) override;
    STDMETHODIMP get_Type(BSTR*) override;
    STDMETHODIMP get_Left(LONG*) override;
    STDMETHODIMP put_Left(LONG) override;
    STDMETHODIMP get_Top(LONG*) override;
    STDMETHODIMP put_Top(LONG) override;
    STDMETHODIMP get_Width(LONG*) override;
    STDMETHODIMP put_Width(LONG) override;
    STDMETHODIMP get_Height(LONG*) override;
    STDMETHODIMP put_Height(LONG) override;
    STDMETHODIMP get_LocationName(BSTR*) override;
    STDMETHODIMP get_LocationURL(BSTR*) override;
    STDMETHODIMP get_Busy(VARIANT_BOOL*) override;

    // IWebBrowserApp
    STDMETHODIMP Quit() override;
    STDMETHODIMP ClientToWindow(int*, int*) override;
    STDMETHODIMP PutProperty(BSTR, VARIANT) override;
    STDMETHODIMP GetProperty(BSTR, VARIANT*) override;
    STDMETHODIMP get_Name(BSTR*) override;
    STDMETHODIMP get_HWND(SHANDLE_PTR*) override;
    STDMETHODIMP get_FullName(BSTR*) override;
    STDMETHODIMP get_Path(BSTR*) override;
    STDMETHODIMP get_Visible(VARIANT_BOOL*) override;
    STDMETHODIMP put_Visible(VARIANT_BOOL) override;
    STDMETHODIMP get_StatusBar(VARIANT_BOOL*) override;
    STDMETHODIMP put_StatusBar(VARIANT_BOOL) override;
    STDMETHODIMP get_StatusText(BSTR*) override;
    STDMETHODIMP put_StatusText(BSTR) override;
    STDMETHODIMP get_ToolBar(int*) override;
    STDMETHODIMP put_ToolBar(int) override;
    STDMETHODIMP get_MenuBar(VARIANT_BOOL*) override;
    STDMETHODIMP put_MenuBar(VARIANT_BOOL) override;
    STDMETHODIMP get_FullScreen(VARIANT_BOOL*) override;
    STDMETHODIMP put_FullScreen(VARIANT_BOOL) override;

    // IWebBrowser2
    STDMETHODIMP Navigate2(VARIANT*, VARIANT*, VARIANT*, VARIANT*, VARIANT*) override;
    STDMETHODIMP QueryStatusWB(OLECMDID, OLECMDF*) override;
    STDMETHODIMP ExecWB(OLECMDID command, OLECMDEXECOPT option, VARIANT* in, VARIANT* out) override;
    STDMETHODIMP ShowBrowserBar(VARIANT*, VARIANT*, VARIANT*) override;
    STDMETHODIMP get_ReadyState(READYSTATE*) override;
    STDMETHODIMP get_Offline(VARIANT_BOOL*) override;
    STDMETHODIMP put_Offline(VARIANT_BOOL offline) override;
    STDMETHODIMP get_Silent(VARIANT_BOOL*) override;
    STDMETHODIMP put_Silent(VARIANT_BOOL silent) override;
    STDMETHODIMP get_RegisterAsBrowser(VARIANT_BOOL*) override;
    STDMETHODIMP put_RegisterAsBrowser(VARIANT_BOOL) override;
    STDMETHODIMP get_RegisterAsDropTarget(VARIANT_BOOL*) override;
    STDMETHODIMP put_RegisterAsDropTarget(VARIANT_BOOL) override;
    STDMETHODIMP get_TheaterMode(VARIANT_BOOL*) override;
    STDMETHODIMP put_TheaterMode(VARIANT_BOOL) override;
    STDMETHODIMP get_AddressBar(VARIANT_BOOL*) override;
    STDMETHODIMP put_AddressBar(VARIANT_BOOL) override;
    STDMETHODIMP get_Resizable(VARIANT_BOOL*) override;
    STDMETHODIMP put_Resizable(VARIANT_BOOL) override;

    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* site) override;
    STDMETHODIMP GetClientSite(IOleClientSite** site) override;
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override;
    STDMETHODIMP Close(DWORD save_option) override;
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override;
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override;
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override;
    STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override;
    STDMETHODIMP DoVerb(LONG verb, LPMSG, IOleClientSite* active_site, LONG, HWND parent, LPCRECT position) override;
    STDMETHODIMP EnumVerbs(IEnumOLEVERB**) override;
    STDMETHODIMP Update() override;
    STDMETHODIMP IsUpToDate() override;
    STDMETHODIMP GetUserClassID(CLSID*) override;
    STDMETHODIMP GetUserType(DWORD, LPOLESTR*) override;
    STDMETHODIMP SetExtent(DWORD, SIZEL*) override;
    STDMETHODIMP GetExtent(DWORD, SIZEL*) override;
    STDMETHODIMP Advise(IAdviseSink*, DWORD*) override;
    STDMETHODIMP Unadvise(DWORD) override;
    STDMETHODIMP EnumAdvise(IEnumSTATDATA**) override;
    STDMETHODIMP GetMiscStatus(DWORD, DWORD*) override;
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override;

    // IOleWindow (shared by the in-place and the active object)
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override;

    // IOleInPlaceObject
    STDMETHODIMP InPlaceDeactivate() override;
    STDMETHODIMP UIDeactivate() override;
    STDMETHODIMP SetObjectRects(LPCRECT position, LPCRECT clip) override;
    STDMETHODIMP ReactivateAndUndo() override;

    // IOleInPlaceActiveObject
    STDMETHODIMP TranslateAccelerator(LPMSG msg) override;
    STDMETHODIMP OnFrameWindowActivate(BOOL) override;
    STDMETHODIMP OnDocWindowActivate(BOOL) override;
    STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override;
    STDMETHODIMP EnableModeless(BOOL) override;

private:
    HRESULT unused(const char* name);

    behaviour behaviour_;
    std::vector<std::string> calls_;
    LONG references_ = 0;
    IOleClientSite* site_ = nullptr;
    IOleInPlaceSite* in_place_site_ = nullptr;
    HWND window_ = nullptr;
    HWND site_window_ = nullptr;
    HWND frame_window_ = nullptr;
};

}  // namespace browser_test
