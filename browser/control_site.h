// The OLE container side of the hosted web-browser control: the client site
// (with in-place site and the ambient-property dispatch) and the frame it
// hands out. They know the view only by its window, so a control that keeps
// them after the view is gone finds a detached site, never a dangling view.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <oleidl.h>

#include "win/com_ptr.h"

namespace browser {

// Container objects (sites and frames) alive in the process. A test reads it
// to prove that a control let go of everything the view handed it.
long live_container_objects() noexcept;

class control_frame;

class control_site final : public IOleClientSite, public IOleInPlaceSite, public IDispatch {
public:
    // The site's window is the view's; the frame's window is its top-level window.
    static win::com_ptr<control_site> create(HWND view);

    // Cuts the link to the view: later calls from the control find no window.
    void detach() noexcept;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IOleClientSite
    STDMETHODIMP SaveObject() override;
    STDMETHODIMP GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
    STDMETHODIMP GetContainer(IOleContainer** container) override;
    STDMETHODIMP ShowObject() override;
    STDMETHODIMP OnShowWindow(BOOL show) override;
    STDMETHODIMP RequestNewObjectLayout() override;

    // IOleWindow / IOleInPlaceSite
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL enter) override;
    STDMETHODIMP CanInPlaceActivate() override;
    STDMETHODIMP OnInPlaceActivate() override;
    STDMETHODIMP OnUIActivate() override;
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, RECT* position,
                                  RECT* clip, OLEINPLACEFRAMEINFO* frame_info) override;
    STDMETHODIMP Scroll(SIZE extent) override;
    STDMETHODIMP OnUIDeactivate(BOOL undoable) override;
    STDMETHODIMP OnInPlaceDeactivate() override;
    STDMETHODIMP DiscardUndoState() override;
    STDMETHODIMP DeactivateAndUndo() override;
    STDMETHODIMP OnPosRectChange(const RECT* position) override;

    // IDispatch: the ambient properties. None is supplied, so the control
    // keeps its own defaults for every one of them.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID member, REFIID riid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argument_error) override;

private:
    explicit control_site(HWND view);
    ~control_site();

    LONG references_ = 1;
    HWND view_;
    win::com_ptr<control_frame> frame_;
};

}  // namespace browser
