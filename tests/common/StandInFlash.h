// A stand-in for the Flash control, registered in a test process under the
// control's real class id, so the ActiveX host creates it exactly as it would
// the control. It answers the movie's dispatch ids (variables and labels kept
// in maps), logs every call by the name of its id and every property, and
// fires FSCommand when a test asks.
#pragma once

#include "framework/ComPtr.h"

#include <ocidl.h>
#include <olectl.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace stand_in {
using WideLines = std::vector<std::wstring>;
inline const CLSID kFlashClsid = {0xD27CDB6E, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
inline const IID kFlashEvents = {0xD27CDB6D, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
inline const wchar_t* const kProperties[] = {L"Movie", L"WMode", L"Quality", L"AllowScriptAccess", L"Scale"};
inline const DISPID kFirstProperty = 0x200;
// The control's published dispatch ids, by which the bridge must call it;
// FSCommand is the event the control calls the container's sink by.
inline const std::map<std::wstring, DISPID> kDispatchIds = {
    {L"Play", 0x70},       {L"Rewind", 0x74},      {L"FlashVersion", 0x84},  {L"LoadMovie", 0x8E},
    {L"TGotoFrame", 0x8F}, {L"TGotoLabel", 0x90},  {L"TCurrentLabel", 0x92}, {L"TPlay", 0x93},
    {L"FSCommand", 0x96},  {L"SetVariable", 0x97}, {L"GetVariable", 0x98}};

inline long g_liveObjects = 0;
inline struct StandInFlash* g_latest = nullptr;

struct StandInFlash final : IOleObject, IDispatch, IConnectionPointContainer, IConnectionPoint {
    StandInFlash() { ++g_liveObjects, g_latest = this; }
    WideLines log;
    std::wstring fireDuring; // the name of the call FSCommand fires from
    std::wstring command, args;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        *out = iid == IID_IUnknown || iid == IID_IOleObject ? static_cast<IOleObject*>(this)
               : iid == IID_IDispatch                       ? static_cast<IDispatch*>(this)
               : iid == IID_IConnectionPointContainer       ? static_cast<IConnectionPointContainer*>(this)
                                                            : static_cast<void*>(nullptr);
        return *out ? (AddRef(), S_OK) : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_nRefs; }
    STDMETHODIMP_(ULONG) Release() override { return --m_nRefs ? m_nRefs : (delete this, 0); }

    // IOleObject: what the container calls succeeds, the rest is not needed.
    STDMETHODIMP SetClientSite(IOleClientSite*) override { return S_OK; }
    STDMETHODIMP DoVerb(LONG, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) override { return S_OK; }
    STDMETHODIMP Close(DWORD) override { return S_OK; }
    STDMETHODIMP GetClientSite(IOleClientSite**) override { return E_NOTIMPL; }
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    STDMETHODIMP EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
    STDMETHODIMP Update() override { return S_OK; }
    STDMETHODIMP IsUpToDate() override { return S_OK; }
    STDMETHODIMP GetUserClassID(CLSID*) override { return E_NOTIMPL; }
    STDMETHODIMP GetUserType(DWORD, LPOLESTR*) override { return OLE_S_USEREG; }
    STDMETHODIMP SetExtent(DWORD, SIZEL*) override { return S_OK; }
    STDMETHODIMP GetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    STDMETHODIMP Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
    STDMETHODIMP GetMiscStatus(DWORD, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IConnectionPointContainer and IConnectionPoint: the one event sink.
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** out) override
    {
        *out = iid == kFlashEvents ? static_cast<IConnectionPoint*>(this) : nullptr;
        return *out ? (AddRef(), S_OK) : CONNECT_E_NOCONNECTION;
    }
    STDMETHODIMP GetConnectionInterface(IID*) override { return E_NOTIMPL; }
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer**) override { return E_NOTIMPL; }
    // A real control asks the sink for its event interface.
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override
    {
        if (m_pSink || FAILED(sink->QueryInterface(kFlashEvents, m_pSink.receiveVoid())))
            return CONNECT_E_CANNOTCONNECT;
        return *cookie = 1, S_OK;
    }
    // Also IOleObject's Unadvise, which has the same signature and no use here.
    STDMETHODIMP Unadvise(DWORD) override { return m_pSink.reset(), S_OK; }
    STDMETHODIMP EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

    // IDispatch
    STDMETHODIMP GetTypeInfoCount(UINT* count) override { return *count = 0, S_OK; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* id) override
    {
        for (DISPID p = 0; p < 5; ++p)
            if (::lstrcmpiW(names[0], kProperties[p]) == 0)
                return *id = kFirstProperty + p, S_OK;
        return DISP_E_UNKNOWNNAME;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* p, VARIANT* result, EXCEPINFO*, UINT*) override
    {
        if (flags & DISPATCH_PROPERTYPUT)
            return log.push_back(L"put " + std::wstring(kProperties[id - kFirstProperty]) + L"=" + Describe(p, 0)),
                   S_OK;
        std::wstring name = L"unpublished " + std::to_wstring(id);
        for (const auto& [published, known] : kDispatchIds)
            name = known == id ? published : name;
        log.push_back(name + L"(");
        for (UINT i = 0; p && i < p->cArgs; ++i)
            log.back() += (i ? L"," : L"") + Describe(p, i);
        log.back() += L")";
        if (name == L"FlashVersion" && result)
            result->vt = VT_I4, result->lVal = 0x0A0000;
        else if (name == L"TGotoLabel" || name == L"SetVariable") // kept for the call that reads them
            m_values[{name == L"TGotoLabel" ? L"TCurrentLabel" : L"GetVariable", Text(p, 0)}] = Text(p, 1);
        else if ((name == L"TCurrentLabel" || name == L"GetVariable") && result)
            result->vt = VT_BSTR, result->bstrVal = ::SysAllocString(m_values[{name, Text(p, 0)}].c_str());
        if (name == fireDuring)
            Fire();
        return S_OK;
    }

    // Sends the pending FSCommand to the connected sink.
    void Fire()
    {
        fireDuring.clear();
        fw::ComPtr<IDispatch> sink = m_pSink.share();
        VARIANT v[2] = {}; // last argument first
        v[0].vt = v[1].vt = VT_BSTR;
        v[0].bstrVal = ::SysAllocString(args.c_str());
        v[1].bstrVal = ::SysAllocString(command.c_str());
        DISPPARAMS params{v, nullptr, 2, 0};
        if (sink)
            sink->Invoke(kDispatchIds.at(L"FSCommand"), IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr,
                         nullptr);
        ::VariantClear(&v[0]);
        ::VariantClear(&v[1]);
    }
    ~StandInFlash() { --g_liveObjects, g_latest = g_latest == this ? nullptr : g_latest; }
    // Argument `index` in call order (IDispatch passes them last first).
    static VARIANT Arg(DISPPARAMS* p, UINT i) { return p && i < p->cArgs ? p->rgvarg[p->cArgs - 1 - i] : VARIANT{}; }
    static std::wstring Text(DISPPARAMS* p, UINT i)
    {
        return Arg(p, i).vt == VT_BSTR && Arg(p, i).bstrVal ? Arg(p, i).bstrVal : L"";
    }
    static std::wstring Describe(DISPPARAMS* p, UINT i)
    {
        return Arg(p, i).vt == VT_I4 ? L"I4:" + std::to_wstring(Arg(p, i).lVal) : L"S:" + Text(p, i);
    }

    ULONG m_nRefs = 1;
    fw::ComPtr<IDispatch> m_pSink;
    std::map<std::pair<std::wstring, std::wstring>, std::wstring> m_values;
};

struct Factory : IClassFactory {
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        *out = iid == IID_IUnknown || iid == IID_IClassFactory ? this : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override
    {
        return outer ? CLASS_E_NOAGGREGATION : fw::ComPtr<StandInFlash>(new StandInFlash())->QueryInterface(iid, out);
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};
inline Factory g_factory;

// Registers the stand-in for this thread while it lives.
class Registration {
public:
    Registration()
    {
        ::CoRegisterClassObject(kFlashClsid, &g_factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &m_cookie);
    }
    ~Registration() { ::CoRevokeClassObject(m_cookie); }
    Registration(const Registration&) = delete;
    Registration& operator=(const Registration&) = delete;
    bool Registered() const { return m_cookie != 0; }

private:
    DWORD m_cookie = 0;
};
} // namespace stand_in
