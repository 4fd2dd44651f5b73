#include "AxHost.h"

#include "framework/ComPtr.h"

#include <ocidl.h>
#include <olectl.h>

#include <string>

namespace ax {

const char kAxHostClass[] = "LumbraAxHost";

namespace {
// The site the control talks to: client site, in-place site and frame, and
// the ambient properties. One per host window, which holds one reference.
class CAxSite final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame, public IDispatch {
public:
    CAxSite(HWND host, const CLSID& clsid) : m_hHost(host), m_clsid(clsid) {}

    // The control is made when it is first asked for, not with the window:
    // COM may not be running yet when a dialog template creates the host.
    bool Create()
    {
        if (m_bTried)
            return static_cast<bool>(m_pObject);
        m_bTried = true;
        const CLSID& clsid = m_clsid;
        if (FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject, m_pObject.receiveVoid())))
            return false;
        m_pObject->SetClientSite(this);
        fw::ComPtr<IPersistStreamInit> persist;
        if (SUCCEEDED(m_pObject->QueryInterface(IID_IPersistStreamInit, persist.receiveVoid())))
            persist->InitNew();
        m_pObject->SetHostNames(L"Lumbra", nullptr);
        RECT rect{};
        ::GetClientRect(m_hHost, &rect);
        m_pObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, this, 0, m_hHost, &rect);
        m_pObject->QueryInterface(IID_IOleInPlaceObject, m_pInPlace.receiveVoid());
        return true;
    }

    void Resize()
    {
        RECT rect{};
        ::GetClientRect(m_hHost, &rect);
        if (m_pInPlace)
            m_pInPlace->SetObjectRects(&rect, &rect);
    }

    void Close()
    {
        if (m_pInPlace)
            m_pInPlace->InPlaceDeactivate();
        m_pInPlace.reset();
        if (m_pObject) {
            m_pObject->Close(OLECLOSE_NOSAVE);
            m_pObject->SetClientSite(nullptr);
        }
        m_pObject.reset();
    }

    fw::ComPtr<IUnknown> Control() const
    {
        fw::ComPtr<IUnknown> control;
        if (m_pObject)
            m_pObject->QueryInterface(IID_IUnknown, control.receiveVoid());
        return control;
    }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_IOleClientSite)
            *out = static_cast<IOleClientSite*>(this);
        else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite)
            *out = static_cast<IOleInPlaceSite*>(this);
        else if (iid == IID_IOleInPlaceFrame || iid == IID_IOleInPlaceUIWindow)
            *out = static_cast<IOleInPlaceFrame*>(this);
        else if (iid == IID_IDispatch)
            *out = static_cast<IDispatch*>(this);
        else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_nRefs; }
    STDMETHODIMP_(ULONG) Release() override { return --m_nRefs ? m_nRefs : (delete this, 0); }

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP GetContainer(IOleContainer** out) override
    {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow (shared by the in-place site and the frame)
    STDMETHODIMP GetWindow(HWND* out) override
    {
        *out = m_hHost;
        return S_OK;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                  LPRECT clip, LPOLEINPLACEFRAMEINFO info) override
    {
        *frame = this;
        AddRef();
        *document = nullptr;
        ::GetClientRect(m_hHost, position);
        ::GetClientRect(m_hHost, clip);
        info->cb = sizeof(OLEINPLACEFRAMEINFO);
        info->fMDIApp = FALSE;
        info->hwndFrame = ::GetAncestor(m_hHost, GA_ROOT);
        info->haccel = nullptr;
        info->cAccelEntries = 0;
        return S_OK;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
    STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP OnPosRectChange(LPCRECT rect) override
    {
        if (m_pInPlace)
            m_pInPlace->SetObjectRects(rect, rect);
        return S_OK;
    }

    // IOleInPlaceUIWindow and IOleInPlaceFrame: no menus, tools or status.
    STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

    // IDispatch: the ambient properties; only UserMode is answered.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) override
    {
        if (id != DISPID_AMBIENT_USERMODE || !result)
            return DISP_E_MEMBERNOTFOUND;
        ::VariantInit(result);
        result->vt = VT_BOOL;
        result->boolVal = VARIANT_TRUE;
        return S_OK;
    }

private:
    ~CAxSite() = default;

    HWND m_hHost;
    CLSID m_clsid;
    bool m_bTried = false;
    ULONG m_nRefs = 1;
    fw::ComPtr<IOleObject> m_pObject;
    fw::ComPtr<IOleInPlaceObject> m_pInPlace;
};

CAxSite* SiteOf(HWND host)
{
    return reinterpret_cast<CAxSite*>(::GetWindowLongPtrA(host, GWLP_USERDATA));
}

LRESULT HandleHostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE: {
        // A window text that is no class id gives a host without a control.
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        wchar_t text[64] = {};
        CLSID clsid{};
        if (!create->lpszName || ::MultiByteToWideChar(CP_ACP, 0, create->lpszName, -1, text, 64) <= 0 ||
            FAILED(::CLSIDFromString(text, &clsid)))
            clsid = CLSID_NULL;
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new CAxSite(hwnd, clsid)));
        return 0;
    }
    case WM_SIZE:
        if (CAxSite* site = SiteOf(hwnd))
            site->Resize();
        return 0;
    case WM_DESTROY:
        // The window's reference to its site goes with it.
        if (fw::ComPtr<CAxSite> site{SiteOf(hwnd)}) {
            ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
            site->Close();
        }
        return 0;
    default:
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    try {
        return HandleHostMessage(hwnd, msg, wParam, lParam);
    } catch (...) {
        return msg == WM_CREATE ? -1 : 0;
    }
}
} // namespace

bool RegisterAxHostClass()
{
    WNDCLASSA existing{};
    if (::GetClassInfoA(::GetModuleHandleA(nullptr), kAxHostClass, &existing))
        return true;
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &HostProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kAxHostClass;
    return ::RegisterClassA(&wc) != 0;
}

fw::ComPtr<IUnknown> QueryHostedControl(HWND host)
{
    CAxSite* site = ::IsWindow(host) ? SiteOf(host) : nullptr;
    return site && site->Create() ? site->Control() : fw::ComPtr<IUnknown>();
}

} // namespace ax
