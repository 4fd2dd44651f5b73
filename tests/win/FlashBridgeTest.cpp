// The Flash control bridge through our own ActiveX container, against a
// stand-in control whose class object is registered in the test process under
// the control's real class id, so the host creates it by class id exactly as
// it would the control. The stand-in answers the movie's dispatch ids
// (variables and labels kept in maps), logs every call and property in order,
// and fires FSCommand when the test asks.
#include "framework/ComPtr.h"
#include "framework/GdiGuards.h"
#include "player/AxHost.h"
#include "player/ShockwaveFlash.h"

#include <ocidl.h>
#include <olectl.h>

#include <gtest/gtest.h>

#include <cwchar>
#include <map>
#include <utility>

namespace {
using Lines = std::vector<std::string>;
using WideLines = std::vector<std::wstring>;
const CLSID kFlashClsid = {0xD27CDB6E, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const IID kFlashEvents = {0xD27CDB6D, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const wchar_t* const kProperties[] = {L"Movie", L"WMode", L"Quality", L"AllowScriptAccess", L"Scale"};
const DISPID kFirstProperty = 0x200;

long g_liveObjects = 0;
struct StandInFlash* g_latest = nullptr;

struct StandInFlash final : IOleObject, IDispatch, IConnectionPointContainer, IConnectionPoint {
    StandInFlash() { ++g_liveObjects, g_latest = this; }
    WideLines log;
    DISPID fireDuring = -1;
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
        if (m_pSink || FAILED(sink->QueryInterface(kFlashEvents, m_pSink.PutVoid())))
            return CONNECT_E_CANNOTCONNECT;
        return *cookie = 1, S_OK;
    }
    // Also IOleObject's Unadvise, which has the same signature and no use here.
    STDMETHODIMP Unadvise(DWORD) override { return m_pSink.Reset(), S_OK; }
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
            return log.push_back(L"put " + std::wstring(kProperties[id - kFirstProperty]) + L"=" + Describe(p, 0)), S_OK;
        wchar_t line[16];
        std::swprintf(line, 16, L"%02x(", static_cast<unsigned>(id));
        log.emplace_back(line);
        for (UINT i = 0; p && i < p->cArgs; ++i)
            log.back() += (i ? L"," : L"") + Describe(p, i);
        log.back() += L")";
        if (id == 0x84 && result)
            result->vt = VT_I4, result->lVal = 0x0A0000; // FlashVersion
        else if (id == 0x90 || id == 0x97) // TGotoLabel, SetVariable: kept apart by the id
            m_values[{id, Text(p, 0)}] = Text(p, 1);
        else if ((id == 0x92 || id == 0x98) && result) // TCurrentLabel, GetVariable
            result->vt = VT_BSTR,
            result->bstrVal = ::SysAllocString(m_values[{id == 0x92 ? 0x90 : 0x97, Text(p, 0)}].c_str());
        if (id == fireDuring)
            Fire();
        return S_OK;
    }

    // Sends the pending FSCommand to the connected sink.
    void Fire()
    {
        fireDuring = -1;
        fw::ComPtr<IDispatch> sink = m_pSink.Share();
        VARIANT v[2] = {}; // last argument first
        v[0].vt = v[1].vt = VT_BSTR;
        v[0].bstrVal = ::SysAllocString(args.c_str());
        v[1].bstrVal = ::SysAllocString(command.c_str());
        DISPPARAMS params{v, nullptr, 2, 0};
        if (sink)
            sink->Invoke(0x96, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
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
    std::map<std::pair<DISPID, std::wstring>, std::wstring> m_values;
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
} g_factory;

struct FlashBridge : testing::Test {
    void SetUp() override
    {
        ASSERT_TRUE(ax::RegisterAxHostClass());
        ASSERT_HRESULT_SUCCEEDED(
            ::CoRegisterClassObject(kFlashClsid, &g_factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &m_cookie));
        m_parent = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 700, 500, nullptr, nullptr, nullptr,
                                     nullptr);
        ASSERT_TRUE(m_flash.Create(m_parent, RECT{0, 30, 640, 450}, 1003));
        m_flash.SetCommandHandler([this](const std::string& c, const std::string& a) { m_commands.push_back(c + "|" + a); });
    }
    void TearDown() override
    {
        ::DestroyWindow(m_parent);
        ::CoRevokeClassObject(m_cookie);
    }
    // What the control was asked since the last look: "put Name=S:value",
    // and each call as its dispatch id in hex with its arguments
    // ("8e(I4:0,S:C:\x.swf)").
    static WideLines TakeLog() { return std::exchange(g_latest->log, {}); }
    // The control fires FSCommand from inside its next call of this dispatch
    // id, or for -1 at once, while no call of the player runs (as it does
    // from its window's messages).
    static void FireDuring(DISPID id, const wchar_t* command, const wchar_t* args)
    {
        g_latest->fireDuring = id;
        g_latest->command = command;
        g_latest->args = args;
        if (id == -1)
            g_latest->Fire();
    }

    fw::ScopedComInit m_com;
    DWORD m_cookie = 0;
    HWND m_parent = nullptr;
    CShockwaveFlash m_flash;
    Lines m_commands;
};
} // namespace

TEST_F(FlashBridge, TheControlGetsItsInitialPropertiesByNameAndEachOperationIsOneCallByItsDispatchId)
{
    EXPECT_EQ(TakeLog(), (WideLines{L"put Movie=S:", L"put WMode=S:Window", L"put Quality=S:High",
                                    L"put AllowScriptAccess=S:always", L"put Scale=S:ShowAll"}));
    EXPECT_EQ(m_flash.FlashVersion(), 0x0A0000);
    m_flash.LoadMovie(0, "C:\\Suite\\MenuSwf\\PortalApp.swf");
    m_flash.SetVariable("_root:XMLFile", "C:\\Temp\\PortalApp.xml");
    m_flash.Rewind();
    m_flash.Play();
    m_flash.TGotoFrame("_root", 0);
    m_flash.TGotoLabel("_root.mcLauncher.mcMenu", "Down1");
    m_flash.TPlay("_root.mcLauncher.mcMenu");
    EXPECT_EQ(m_flash.TCurrentLabel("_root.mcLauncher.mcMenu"), "Down1");
    EXPECT_EQ(m_flash.GetVariable("_root:XMLFile"), "C:\\Temp\\PortalApp.xml");
    EXPECT_EQ(m_flash.GetVariable("_root:CurrentDLL"), "");
    EXPECT_EQ(TakeLog(), (WideLines{L"84()", L"8e(I4:0,S:C:\\Suite\\MenuSwf\\PortalApp.swf)",
                                    L"97(S:_root:XMLFile,S:C:\\Temp\\PortalApp.xml)", L"74()", L"70()",
                                    L"8f(S:_root,I4:0)", L"90(S:_root.mcLauncher.mcMenu,S:Down1)",
                                    L"93(S:_root.mcLauncher.mcMenu)", L"92(S:_root.mcLauncher.mcMenu)",
                                    L"98(S:_root:XMLFile)", L"98(S:_root:CurrentDLL)"}));

    // Texts travel in the ANSI code page: e with acute in 1252, a katakana in 932.
    const std::string text = ::GetACP() == 932 ? "\x83\x41" : "caf\xe9";
    m_flash.SetVariable("name", text);
    EXPECT_EQ(m_flash.GetVariable("name"), text);
    EXPECT_EQ(TakeLog().front(), std::wstring(L"97(S:name,S:") + (::GetACP() == 932 ? L"\x30A2" : L"caf\xE9") + L")");
}

TEST_F(FlashBridge, CommandsArriveFromInsideACallAndOutsideOfAnyCall)
{
    FireDuring(0x93, L"CONFIG", L"");
    m_flash.TPlay("_root.mcLauncher.mcMenu");
    EXPECT_EQ(m_commands, Lines{"CONFIG|"});

    FireDuring(-1, L"COPY", L"outside any call");
    EXPECT_EQ(m_commands, (Lines{"CONFIG|", "COPY|outside any call"}));

    // The handler may call back into the player and even close it while
    // the event is delivered.
    m_flash.SetCommandHandler([this](const std::string& c, const std::string&) {
        m_commands.push_back(c + "|" + m_flash.GetVariable("_root:CurrentDLL"));
        ::DestroyWindow(m_flash.GetSafeHwnd());
    });
    m_flash.SetVariable("_root:CurrentDLL", "Album.dll");
    FireDuring(0x70, L"EXEC", L"");
    long before = g_liveObjects;
    m_flash.Play();
    EXPECT_EQ(m_commands.back(), "EXEC|Album.dll");
    EXPECT_FALSE(m_flash.IsConnected());
    EXPECT_EQ(g_liveObjects, before - 1);
}
