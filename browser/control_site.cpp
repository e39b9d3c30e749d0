#include "browser/control_site.h"

#include <atomic>
#include <new>

namespace browser {
namespace {

std::atomic<long> live_objects{0};

// Shared reference counting of the container's objects.
ULONG add_reference(LONG& count) noexcept { return static_cast<ULONG>(::InterlockedIncrement(&count)); }

}  // namespace

long live_container_objects() noexcept { return live_objects.load(); }

// The in-place frame the control talks to while it is active. It offers no
// menus, toolbars or status line of its own: status text and the like change
// nothing outside the view.
class control_frame final : public IOleInPlaceFrame {
public:
    explicit control_frame(HWND view) : view_(view) { ++live_objects; }

    void detach() noexcept { view_ = nullptr; }

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override
    {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (riid == IID_IUnknown || riid == IID_IOleWindow || riid == IID_IOleInPlaceUIWindow ||
            riid == IID_IOleInPlaceFrame) {
            *object = static_cast<IOleInPlaceFrame*>(this);
            AddRef();
            return S_OK;
        }
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return add_reference(references_); }
    STDMETHODIMP_(ULONG) Release() override
    {
        const LONG left = ::InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IOleWindow: the frame is the view's top-level window.
    STDMETHODIMP GetWindow(HWND* window) override
    {
        if (!window) return E_POINTER;
        *window = view_ ? ::GetAncestor(view_, GA_ROOT) : nullptr;
        return *window ? S_OK : E_FAIL;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceUIWindow: no border space for tools.
    STDMETHODIMP GetBorder(RECT*) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP RequestBorderSpace(const BORDERWIDTHS*) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP SetBorderSpace(const BORDERWIDTHS*) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }

    // IOleInPlaceFrame: no shared menu, no status line, no accelerators.
    STDMETHODIMP InsertMenus(HMENU, OLEMENUGROUPWIDTHS*) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(MSG*, WORD) override { return S_FALSE; }

private:
    ~control_frame() { --live_objects; }

    LONG references_ = 1;
    HWND view_;
};

win::com_ptr<control_site> control_site::create(HWND view)
{
    auto* site = new (std::nothrow) control_site(view);
    if (!site) return nullptr;
    auto owned = win::com_ptr<control_site>::attach(site);
    if (!site->frame_) return nullptr;
    return owned;
}

control_site::control_site(HWND view) : view_(view)
{
    ++live_objects;
    frame_ = win::com_ptr<control_frame>::attach(new (std::nothrow) control_frame(view));
}

control_site::~control_site() { --live_objects; }

void control_site::detach() noexcept
{
    view_ = nullptr;
    if (frame_) frame_->detach();
}

STDMETHODIMP control_site::QueryInterface(REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    if (riid == IID_IUnknown || riid == IID_IOleClientSite)
        *object = static_cast<IOleClientSite*>(this);
    else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite)
        *object = static_cast<IOleInPlaceSite*>(this);
    else if (riid == IID_IDispatch)
        *object = static_cast<IDispatch*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) control_site::AddRef() { return add_reference(references_); }

STDMETHODIMP_(ULONG) control_site::Release()
{
    const LONG left = ::InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

// IOleClientSite: the view keeps no document, so there is nothing to save,
// name or contain.
STDMETHODIMP control_site::SaveObject() { return E_NOTIMPL; }

STDMETHODIMP control_site::GetMoniker(DWORD, DWORD, IMoniker** moniker)
{
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP control_site::GetContainer(IOleContainer** container)
{
    if (container) *container = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP control_site::ShowObject() { return S_OK; }
STDMETHODIMP control_site::OnShowWindow(BOOL) { return S_OK; }
STDMETHODIMP control_site::RequestNewObjectLayout() { return E_NOTIMPL; }

// IOleInPlaceSite: the control's window lives in the view's client area.
STDMETHODIMP control_site::GetWindow(HWND* window)
{
    if (!window) return E_POINTER;
    *window = view_;
    return view_ ? S_OK : E_FAIL;
}

STDMETHODIMP control_site::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }
STDMETHODIMP control_site::CanInPlaceActivate() { return view_ ? S_OK : S_FALSE; }
STDMETHODIMP control_site::OnInPlaceActivate() { return S_OK; }
STDMETHODIMP control_site::OnUIActivate() { return S_OK; }

STDMETHODIMP control_site::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                            RECT* position, RECT* clip, OLEINPLACEFRAMEINFO* frame_info)
{
    if (frame) *frame = nullptr;
    if (document) *document = nullptr;
    if (!frame || !document || !position || !clip) return E_POINTER;
    if (!view_) return E_FAIL;

    ::GetClientRect(view_, position);
    *clip = *position;
    frame_->AddRef();
    *frame = frame_.get();
    if (frame_info) {
        frame_info->fMDIApp = FALSE;
        frame_info->hwndFrame = ::GetAncestor(view_, GA_ROOT);
        frame_info->haccel = nullptr;
        frame_info->cAccelEntries = 0;
    }
    return S_OK;
}

STDMETHODIMP control_site::Scroll(SIZE) { return E_NOTIMPL; }
STDMETHODIMP control_site::OnUIDeactivate(BOOL) { return S_OK; }
STDMETHODIMP control_site::OnInPlaceDeactivate() { return S_OK; }
STDMETHODIMP control_site::DiscardUndoState() { return E_NOTIMPL; }
STDMETHODIMP control_site::DeactivateAndUndo() { return E_NOTIMPL; }
// The view decides the control's place: it always fills the client area.
STDMETHODIMP control_site::OnPosRectChange(const RECT*) { return S_OK; }

STDMETHODIMP control_site::GetTypeInfoCount(UINT* count)
{
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

STDMETHODIMP control_site::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP control_site::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return DISP_E_UNKNOWNNAME; }

STDMETHODIMP control_site::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return DISP_E_MEMBERNOTFOUND;
}

}  // namespace browser
