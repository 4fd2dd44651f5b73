// A stand-in for the Shockwave Flash control, for tests only: registered under
// the real class id in a throwaway Wine prefix. It answers the ten dispatch
// ids (variables in a map, labels per target that the test can set), logs
// every call in order, and fires FSCommand when the test asks for it, either
// at once, from inside the next call of a given id, or from its message loop.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <map>
#include <string>
#include <vector>

namespace {
const CLSID kFlashClsid = {0xD27CDB6E, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const IID kFlashEvents = {0xD27CDB6D, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const char kClsidKey[] = "Software\\Classes\\CLSID\\{D27CDB6E-AE6D-11CF-96B8-444553540000}";
const char kWindowClass[] = "StandInFlashWindow";
const UINT kPostedCommand = WM_APP + 7;

// Test-only dispatch ids.
enum : DISPID {
    kSetLabel = 0x1000,
    kReadLog = 0x1001,
    kFireNow = 0x1002,
    kFireLater = 0x1003,
    kSetVersion = 0x1004,
    kFireDuring = 0x1005,
    kClearLog = 0x1006,
};

HMODULE g_module = nullptr;
LONG g_liveObjects = 0;

std::wstring Describe(const VARIANT& v)
{
    if (v.vt == VT_I4)
        return L"I4:" + std::to_wstring(v.lVal);
    if (v.vt != VT_BSTR)
        return L"VT" + std::to_wstring(v.vt);
    std::wstring text = L"S:";
    for (const wchar_t* p = v.bstrVal; p && *p; ++p) {
        if (*p < 0x80) {
            text += *p;
        } else {
            wchar_t escaped[8];
            wsprintfW(escaped, L"\\u%04x", *p);
            text += escaped;
        }
    }
    return text;
}

std::wstring Arg(DISPPARAMS* p, UINT index) // index in call order
{
    if (!p || index >= p->cArgs)
        return std::wstring();
    const VARIANT& v = p->rgvarg[p->cArgs - 1 - index];
    return v.vt == VT_BSTR && v.bstrVal ? std::wstring(v.bstrVal) : std::wstring();
}

LONG ArgLong(DISPPARAMS* p, UINT index)
{
    if (!p || index >= p->cArgs)
        return 0;
    const VARIANT& v = p->rgvarg[p->cArgs - 1 - index];
    return v.vt == VT_I4 ? v.lVal : 0;
}

void ReturnText(VARIANT* result, const std::wstring& text)
{
    if (!result)
        return;
    VariantInit(result);
    result->vt = VT_BSTR;
    result->bstrVal = SysAllocString(text.c_str());
}

class StandInFlash;

// The one connection point, for the FSCommand event interface.
class StandInPoint : public IConnectionPoint {
public:
    explicit StandInPoint(StandInFlash* owner) : m_owner(owner) {}
    IDispatch* sink = nullptr;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_IConnectionPoint) {
            *out = this;
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetConnectionInterface(IID* iid) override
    {
        *iid = kFlashEvents;
        return S_OK;
    }
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** out) override;
    STDMETHODIMP Advise(IUnknown* unknown, DWORD* cookie) override
    {
        if (sink)
            return CONNECT_E_ADVISELIMIT;
        // A real control asks the sink for its event interface.
        if (FAILED(unknown->QueryInterface(kFlashEvents, reinterpret_cast<void**>(&sink))))
            return CONNECT_E_CANNOTCONNECT;
        *cookie = 1;
        return S_OK;
    }
    STDMETHODIMP Unadvise(DWORD cookie) override
    {
        if (cookie != 1 || !sink)
            return CONNECT_E_NOCONNECTION;
        sink->Release();
        sink = nullptr;
        return S_OK;
    }
    STDMETHODIMP EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

private:
    StandInFlash* m_owner;
};

class StandInFlash final : public IOleObject,
                     public IOleInPlaceObject,
                     public IPersistStreamInit,
                     public IDispatch,
                     public IConnectionPointContainer {
public:
    StandInFlash() : m_point(this) { InterlockedIncrement(&g_liveObjects); }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_IOleObject)
            *out = static_cast<IOleObject*>(this);
        else if (iid == IID_IOleInPlaceObject || iid == IID_IOleWindow)
            *out = static_cast<IOleInPlaceObject*>(this);
        else if (iid == IID_IPersistStreamInit || iid == IID_IPersist)
            *out = static_cast<IPersistStreamInit*>(this);
        else if (iid == IID_IDispatch)
            *out = static_cast<IDispatch*>(this);
        else if (iid == IID_IConnectionPointContainer)
            *out = static_cast<IConnectionPointContainer*>(this);
        else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&m_refs); }
    STDMETHODIMP_(ULONG) Release() override
    {
        LONG refs = InterlockedDecrement(&m_refs);
        if (refs == 0)
            delete this;
        return static_cast<ULONG>(refs);
    }

    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* site) override
    {
        if (m_site)
            m_site->Release();
        m_site = site;
        if (m_site)
            m_site->AddRef();
        return S_OK;
    }
    STDMETHODIMP GetClientSite(IOleClientSite** out) override
    {
        *out = m_site;
        if (m_site)
            m_site->AddRef();
        return S_OK;
    }
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP Close(DWORD) override
    {
        InPlaceDeactivate();
        return S_OK;
    }
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    STDMETHODIMP DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT rect) override
    {
        if (verb != OLEIVERB_INPLACEACTIVATE && verb != OLEIVERB_SHOW)
            return OLEOBJ_S_INVALIDVERB;
        if (m_window)
            return S_OK;
        IOleInPlaceSite* inPlace = nullptr;
        if (site && SUCCEEDED(site->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&inPlace)))) {
            inPlace->OnInPlaceActivate();
            inPlace->GetWindow(&parent);
            inPlace->Release();
        }
        m_window = CreateWindowExA(0, kWindowClass, "stand-in movie", WS_CHILD | WS_VISIBLE, rect->left, rect->top,
                                   rect->right - rect->left, rect->bottom - rect->top, parent, nullptr, g_module, nullptr);
        SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        return S_OK;
    }
    STDMETHODIMP EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
    STDMETHODIMP Update() override { return S_OK; }
    STDMETHODIMP IsUpToDate() override { return S_OK; }
    STDMETHODIMP GetUserClassID(CLSID* clsid) override
    {
        *clsid = kFlashClsid;
        return S_OK;
    }
    STDMETHODIMP GetUserType(DWORD, LPOLESTR*) override { return OLE_S_USEREG; }
    STDMETHODIMP SetExtent(DWORD, SIZEL*) override { return S_OK; }
    STDMETHODIMP GetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    STDMETHODIMP Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP Unadvise(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
    STDMETHODIMP GetMiscStatus(DWORD, DWORD* status) override
    {
        *status = OLEMISC_SETCLIENTSITEFIRST | OLEMISC_ACTIVATEWHENVISIBLE;
        return S_OK;
    }
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IOleInPlaceObject
    STDMETHODIMP GetWindow(HWND* out) override
    {
        *out = m_window;
        return m_window ? S_OK : E_FAIL;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP InPlaceDeactivate() override
    {
        if (m_window) {
            SetWindowLongPtrA(m_window, GWLP_USERDATA, 0);
            DestroyWindow(m_window);
            m_window = nullptr;
        }
        return S_OK;
    }
    STDMETHODIMP UIDeactivate() override { return S_OK; }
    STDMETHODIMP SetObjectRects(LPCRECT position, LPCRECT) override
    {
        if (m_window)
            MoveWindow(m_window, position->left, position->top, position->right - position->left,
                       position->bottom - position->top, TRUE);
        return S_OK;
    }
    STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }

    // IPersistStreamInit
    STDMETHODIMP GetClassID(CLSID* clsid) override
    {
        *clsid = kFlashClsid;
        return S_OK;
    }
    STDMETHODIMP IsDirty() override { return S_FALSE; }
    STDMETHODIMP Load(LPSTREAM) override { return S_OK; }
    STDMETHODIMP Save(LPSTREAM, BOOL) override { return S_OK; }
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER*) override { return E_NOTIMPL; }
    STDMETHODIMP InitNew() override
    {
        m_log.push_back(L"InitNew");
        return S_OK;
    }

    // IConnectionPointContainer
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** out) override
    {
        if (iid != kFlashEvents) {
            *out = nullptr;
            return CONNECT_E_NOCONNECTION;
        }
        *out = &m_point;
        m_point.AddRef();
        return S_OK;
    }

    // IDispatch
    STDMETHODIMP GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        static const wchar_t* const kProperties[] = {L"Movie", L"WMode", L"Quality", L"AllowScriptAccess", L"Scale"};
        for (UINT i = 0; i < count; ++i) {
            ids[i] = DISPID_UNKNOWN;
            for (DISPID p = 0; p < 5; ++p)
                if (lstrcmpiW(names[i], kProperties[p]) == 0)
                    ids[i] = 0x200 + p;
        }
        return ids[0] == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* p, VARIANT* result, EXCEPINFO*,
                        UINT*) override
    {
        if (flags & DISPATCH_PROPERTYPUT) {
            static const wchar_t* const kProperties[] = {L"Movie", L"WMode", L"Quality", L"AllowScriptAccess",
                                                         L"Scale"};
            if (id < 0x200 || id > 0x204 || !p || p->cArgs != 1)
                return DISP_E_MEMBERNOTFOUND;
            m_log.push_back(std::wstring(L"put ") + kProperties[id - 0x200] + L"=" + Describe(p->rgvarg[0]));
            return S_OK;
        }
        switch (id) {
        case kSetLabel:
            m_labels[Arg(p, 0)] = Arg(p, 1);
            return S_OK;
        case kReadLog: {
            std::wstring joined;
            for (const auto& line : m_log)
                joined += line + L"\n";
            ReturnText(result, joined);
            return S_OK;
        }
        case kClearLog:
            m_log.clear();
            return S_OK;
        case kFireNow:
            Fire(Arg(p, 0), Arg(p, 1));
            return S_OK;
        case kFireLater:
            m_posted.push_back({Arg(p, 0), Arg(p, 1)});
            PostMessageA(m_window, kPostedCommand, 0, 0);
            return S_OK;
        case kSetVersion:
            m_version = ArgLong(p, 0);
            return S_OK;
        case kFireDuring:
            m_fireDuring = ArgLong(p, 0);
            m_fireDuringCommand = {Arg(p, 1), Arg(p, 2)};
            return S_OK;
        default:
            break;
        }
        return CallMovie(id, p, result);
    }

    void FireNarrow(const std::string& command, const std::string& args)
    {
        Fire(std::wstring(command.begin(), command.end()), std::wstring(args.begin(), args.end()));
    }

    void FirePosted()
    {
        std::vector<std::pair<std::wstring, std::wstring>> posted;
        posted.swap(m_posted);
        for (auto& command : posted)
            Fire(command.first, command.second);
    }

private:
    ~StandInFlash()
    {
        InPlaceDeactivate();
        if (m_point.sink)
            m_point.sink->Release();
        if (m_site)
            m_site->Release();
        InterlockedDecrement(&g_liveObjects);
    }

    HRESULT CallMovie(DISPID id, DISPPARAMS* p, VARIANT* result)
    {
        const struct {
            DISPID id;
            UINT args;
        } known[] = {{0x70, 0}, {0x74, 0}, {0x84, 0}, {0x8E, 2}, {0x8F, 2}, {0x90, 2},
                     {0x92, 1}, {0x93, 1}, {0x97, 2}, {0x98, 1}};
        bool found = false;
        for (const auto& k : known)
            if (k.id == id) {
                found = true;
                if (!p || p->cArgs != k.args)
                    return DISP_E_BADPARAMCOUNT;
            }
        if (!found)
            return DISP_E_MEMBERNOTFOUND;
        wchar_t head[16];
        wsprintfW(head, L"%02x(", static_cast<unsigned>(id));
        std::wstring line = head;
        for (UINT i = 0; i < p->cArgs; ++i)
            line += (i ? L"," : L"") + Describe(p->rgvarg[p->cArgs - 1 - i]);
        m_log.push_back(line + L")");

        switch (id) {
        case 0x84:
            if (result) {
                VariantInit(result);
                result->vt = VT_I4;
                result->lVal = m_version;
            }
            break;
        case 0x90:
            m_labels[Arg(p, 0)] = Arg(p, 1);
            break;
        case 0x92:
            ReturnText(result, m_labels[Arg(p, 0)]);
            break;
        case 0x97:
            m_variables[Arg(p, 0)] = Arg(p, 1);
            break;
        case 0x98:
            ReturnText(result, m_variables[Arg(p, 0)]);
            break;
        default:
            break;
        }
        if (id == m_fireDuring) {
            m_fireDuring = 0;
            Fire(m_fireDuringCommand.first, m_fireDuringCommand.second);
        }
        return S_OK;
    }

    void Fire(const std::wstring& command, const std::wstring& args)
    {
        IDispatch* sink = m_point.sink;
        if (!sink)
            return;
        sink->AddRef();
        VARIANT v[2];
        VariantInit(&v[0]);
        VariantInit(&v[1]);
        v[0].vt = VT_BSTR; // last argument first
        v[0].bstrVal = SysAllocString(args.c_str());
        v[1].vt = VT_BSTR;
        v[1].bstrVal = SysAllocString(command.c_str());
        DISPPARAMS params{v, nullptr, 2, 0};
        sink->Invoke(0x96, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
        VariantClear(&v[0]);
        VariantClear(&v[1]);
        sink->Release();
    }

    LONG m_refs = 1;
    StandInPoint m_point;
    IOleClientSite* m_site = nullptr;
    HWND m_window = nullptr;
    LONG m_version = 0x0A0000;
    std::vector<std::wstring> m_log;
    std::map<std::wstring, std::wstring> m_variables;
    std::map<std::wstring, std::wstring> m_labels;
    std::vector<std::pair<std::wstring, std::wstring>> m_posted;
    DISPID m_fireDuring = 0;
    std::pair<std::wstring, std::wstring> m_fireDuringCommand;

    friend class StandInPoint;
};

STDMETHODIMP_(ULONG) StandInPoint::AddRef()
{
    return m_owner->AddRef();
}
STDMETHODIMP_(ULONG) StandInPoint::Release()
{
    return m_owner->Release();
}
STDMETHODIMP StandInPoint::GetConnectionPointContainer(IConnectionPointContainer** out)
{
    *out = m_owner;
    m_owner->AddRef();
    return S_OK;
}

LRESULT CALLBACK MovieWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    // Another process asks the movie to send a command: wParam is a global
    // atom holding "command|args".
    static const UINT kRemoteCommand = RegisterWindowMessageA("StandInFlash.Command");
    if (msg == kRemoteCommand) {
        char text[256] = {};
        GlobalGetAtomNameA(static_cast<ATOM>(wParam), text, sizeof text);
        GlobalDeleteAtom(static_cast<ATOM>(wParam));
        std::string command = text;
        std::string::size_type bar = command.find('|');
        std::string args = bar == std::string::npos ? std::string() : command.substr(bar + 1);
        command = command.substr(0, bar);
        if (auto* control = reinterpret_cast<StandInFlash*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)))
            control->FireNarrow(command, args);
        return 0;
    }
    if (msg == kPostedCommand) {
        if (auto* control = reinterpret_cast<StandInFlash*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)))
            control->FirePosted();
        return 0;
    }
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT rect;
        GetClientRect(hwnd, &rect);
        HBRUSH brush = CreateSolidBrush(RGB(0x20, 0x40, 0x60));
        FillRect(dc, &rect, brush);
        DeleteObject(brush);
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

class Factory : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *out = this;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override
    {
        if (outer)
            return CLASS_E_NOAGGREGATION;
        WNDCLASSA wc{};
        wc.lpfnWndProc = &MovieWindowProc;
        wc.hInstance = g_module;
        wc.lpszClassName = kWindowClass;
        RegisterClassA(&wc);
        auto* control = new StandInFlash();
        HRESULT hr = control->QueryInterface(iid, out);
        control->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};
Factory g_factory;
} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        g_module = instance;
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* out)
{
    if (clsid != kFlashClsid)
        return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(iid, out);
}

STDAPI DllCanUnloadNow()
{
    return g_liveObjects == 0 ? S_OK : S_FALSE;
}

// Registers per machine: Wine ignores per-user class registrations.
STDAPI DllRegisterServer()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(g_module, path, MAX_PATH);
    HKEY key = nullptr;
    std::string server = std::string(kClsidKey) + "\\InprocServer32";
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, server.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return SELFREG_E_CLASS;
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(path), lstrlenA(path) + 1);
    RegSetValueExA(key, "ThreadingModel", 0, REG_SZ, reinterpret_cast<const BYTE*>("Apartment"), 10);
    RegCloseKey(key);
    return S_OK;
}

STDAPI DllUnregisterServer()
{
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kClsidKey);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kClsidKey);
    return S_OK;
}

extern "C" LONG WINAPI StandInLiveObjects()
{
    return g_liveObjects;
}
