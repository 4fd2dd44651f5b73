// The Flash control bridge through our own ActiveX container, against the
// stand-in control registered under the real class id in the test prefix.
#include "framework/GdiGuards.h"
#include "player/AxHost.h"
#include "player/ShockwaveFlash.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <vector>

namespace {
using LiveObjectsProc = LONG(WINAPI*)();
using RegisterProc = HRESULT(WINAPI*)();

enum : DISPID { kSetLabel = 0x1000, kReadLog = 0x1001, kFireNow = 0x1002, kFireLater = 0x1003, kSetVersion = 0x1004,
                kFireDuring = 0x1005, kClearLog = 0x1006 };

class FlashBridge : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_standIn = ::LoadLibraryA("StandInFlash.dll");
        ASSERT_NE(s_standIn, nullptr);
        SetRegistered(true);
        ASSERT_TRUE(ax::RegisterAxHostClass());
    }
    static void TearDownTestSuite()
    {
        SetRegistered(false);
        ::FreeLibrary(s_standIn);
    }
    static void SetRegistered(bool registered)
    {
        auto proc = reinterpret_cast<RegisterProc>(reinterpret_cast<void (*)()>(
            ::GetProcAddress(s_standIn, registered ? "DllRegisterServer" : "DllUnregisterServer")));
        ASSERT_NE(proc, nullptr);
        ASSERT_EQ(proc(), S_OK);
    }
    static LONG LiveObjects()
    {
        auto proc = reinterpret_cast<LiveObjectsProc>(
            reinterpret_cast<void (*)()>(::GetProcAddress(s_standIn, "StandInLiveObjects")));
        return proc ? proc() : -1;
    }

    void SetUp() override
    {
        m_parent = ::CreateWindowExA(0, "STATIC", "movie parent", WS_POPUP | WS_VISIBLE, 0, 0, 700, 500, nullptr,
                                     nullptr, nullptr, nullptr);
        ASSERT_TRUE(m_flash.Create(m_parent, RECT{0, 30, 640, 450}, 1003));
        m_flash.SetCommandHandler([this](const std::string& c, const std::string& a) { m_commands.push_back(c + "|" + a); });
        ClearLog();
    }
    void TearDown() override { ::DestroyWindow(m_parent); }

    // Calls a test-only method of the stand-in with text and number arguments.
    std::string Control(DISPID id, std::vector<VARIANT> args = {}, HWND host = nullptr)
    {
        fw::ComPtr<IUnknown> unknown = ax::QueryHostedControl(host ? host : m_flash.GetSafeHwnd());
        EXPECT_TRUE(unknown);
        if (!unknown)
            return std::string();
        IDispatch* dispatch = nullptr;
        unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
        std::reverse(args.begin(), args.end());
        DISPPARAMS params{args.empty() ? nullptr : args.data(), nullptr, static_cast<UINT>(args.size()), 0};
        VARIANT result;
        ::VariantInit(&result);
        dispatch->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, nullptr);
        dispatch->Release();
        for (VARIANT& v : args)
            ::VariantClear(&v);
        std::string text;
        if (result.vt == VT_BSTR && result.bstrVal)
            for (const wchar_t* p = result.bstrVal; *p; ++p)
                text += static_cast<char>(*p < 0x80 ? *p : '?');
        ::VariantClear(&result);
        return text;
    }
    static VARIANT Text(const wchar_t* text)
    {
        VARIANT v;
        ::VariantInit(&v);
        v.vt = VT_BSTR;
        v.bstrVal = ::SysAllocString(text);
        return v;
    }
    static VARIANT Long(LONG value)
    {
        VARIANT v;
        ::VariantInit(&v);
        v.vt = VT_I4;
        v.lVal = value;
        return v;
    }
    std::vector<std::string> Log(HWND host = nullptr)
    {
        std::vector<std::string> lines;
        std::istringstream in(Control(kReadLog, {}, host));
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
    void ClearLog() { Control(kClearLog); }

    static void Pump()
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }

    static HMODULE s_standIn;
    fw::ScopedComInit m_com;
    HWND m_parent = nullptr;
    CShockwaveFlash m_flash;
    std::vector<std::string> m_commands;
};
HMODULE FlashBridge::s_standIn = nullptr;
} // namespace

TEST_F(FlashBridge, TheInitialPropertiesAreSetThroughTheControl)
{
    CShockwaveFlash other;
    ASSERT_TRUE(other.Create(m_parent, RECT{0, 0, 10, 10}, 1004));
    EXPECT_EQ(Log(other.GetSafeHwnd()), (std::vector<std::string>{"InitNew", "put Movie=S:", "put WMode=S:Window",
                                                                  "put Quality=S:High", "put AllowScriptAccess=S:always",
                                                                  "put Scale=S:ShowAll"}));
}

TEST_F(FlashBridge, EachOperationIsOneCallByItsDispatchIdWithTypedArguments)
{
    Control(kSetVersion, {Long(0x60000)});
    EXPECT_EQ(m_flash.FlashVersion(), 0x60000);
    EXPECT_GE(m_flash.FlashVersion(), kRequiredFlashVersion);
    Control(kSetVersion, {Long(0x5FFFF)});
    EXPECT_LT(m_flash.FlashVersion(), kRequiredFlashVersion);
    ClearLog();

    EXPECT_TRUE(m_flash.LoadMovie(0, "C:\\Suite\\MenuSwf\\PortalApp.swf"));
    EXPECT_TRUE(m_flash.SetVariable("_root:XMLFile", "C:\\Temp\\PortalApp.xml"));
    EXPECT_TRUE(m_flash.Rewind());
    EXPECT_TRUE(m_flash.Play());
    EXPECT_TRUE(m_flash.TGotoFrame("_root", 0));
    EXPECT_TRUE(m_flash.TGotoLabel("_root.mcLauncher.mcMenu", "Down1"));
    EXPECT_TRUE(m_flash.TPlay("_root.mcLauncher.mcMenu"));
    Control(kSetLabel, {Text(L"_root.mcLauncher.mcButtonUp"), Text(L"Disable")});
    EXPECT_EQ(m_flash.TCurrentLabel("_root.mcLauncher.mcButtonUp"), "Disable");
    EXPECT_EQ(m_flash.TCurrentLabel("_root.mcLauncher.mcMenu"), "Down1");
    EXPECT_EQ(m_flash.GetVariable("_root:XMLFile"), "C:\\Temp\\PortalApp.xml");
    EXPECT_EQ(m_flash.GetVariable("_root:CurrentDLL"), "");

    EXPECT_EQ(Log(), (std::vector<std::string>{
                         "8e(I4:0,S:C:\\Suite\\MenuSwf\\PortalApp.swf)",
                         "97(S:_root:XMLFile,S:C:\\Temp\\PortalApp.xml)",
                         "74()",
                         "70()",
                         "8f(S:_root,I4:0)",
                         "90(S:_root.mcLauncher.mcMenu,S:Down1)",
                         "93(S:_root.mcLauncher.mcMenu)",
                         "92(S:_root.mcLauncher.mcButtonUp)",
                         "92(S:_root.mcLauncher.mcMenu)",
                         "98(S:_root:XMLFile)",
                         "98(S:_root:CurrentDLL)",
                     }));
}

TEST_F(FlashBridge, TextsTravelInTheAnsiCodePage)
{
    // A character of the ANSI code page that is not ASCII: e with acute in
    // 1252, a katakana in 932.
    const std::string text = ::GetACP() == 932 ? "\x83\x41" : "caf\xe9";
    const char* wide = ::GetACP() == 932 ? "\\u30a2" : "caf\\u00e9";
    ASSERT_TRUE(m_flash.SetVariable("name", text));
    EXPECT_EQ(m_flash.GetVariable("name"), text);
    EXPECT_EQ(Log().front(), std::string("97(S:name,S:") + wide + ")");
}

TEST_F(FlashBridge, CommandsArriveFromInsideACallAndFromTheMessageLoop)
{
    Control(kFireNow, {Text(L"EXEC"), Text(L"Viewer.dll")});
    EXPECT_EQ(m_commands, (std::vector<std::string>{"EXEC|Viewer.dll"}));

    Control(kFireDuring, {Long(0x93), Text(L"CONFIG"), Text(L"")});
    m_flash.TPlay("_root.mcLauncher.mcMenu");
    EXPECT_EQ(m_commands.back(), "CONFIG|");

    Control(kFireLater, {Text(L"COPY"), Text(L"")});
    EXPECT_EQ(m_commands.size(), 2u);
    Pump();
    EXPECT_EQ(m_commands.back(), "COPY|");

    // The handler may call back into the player while the event is delivered.
    m_flash.SetCommandHandler([this](const std::string& c, const std::string&) {
        m_commands.push_back(c + "|" + m_flash.GetVariable("_root:CurrentDLL"));
    });
    m_flash.SetVariable("_root:CurrentDLL", "Album.dll");
    Control(kFireNow, {Text(L"EXEC"), Text(L"")});
    EXPECT_EQ(m_commands.back(), "EXEC|Album.dll");
}

TEST_F(FlashBridge, NoControlIsReportedAndLeavesNoWindow)
{
    SetRegistered(false);
    CShockwaveFlash absent;
    EXPECT_FALSE(absent.Create(m_parent, RECT{0, 0, 100, 100}, 1010));
    EXPECT_EQ(absent.GetSafeHwnd(), nullptr);
    EXPECT_EQ(::GetDlgItem(m_parent, 1010), nullptr);
    EXPECT_FALSE(absent.IsConnected());
    EXPECT_EQ(absent.FlashVersion(), 0);
    EXPECT_FALSE(absent.Play());
    SetRegistered(true);
}

TEST_F(FlashBridge, CreatingAndDestroyingTheHostLeaksNoControl)
{
    LONG before = LiveObjects();
    for (int i = 0; i < 30; ++i) {
        CShockwaveFlash flash;
        ASSERT_TRUE(flash.Create(m_parent, RECT{0, 0, 64, 64}, 2000 + i));
        EXPECT_EQ(LiveObjects(), before + 1);
        ::DestroyWindow(flash.GetSafeHwnd());
        EXPECT_EQ(LiveObjects(), before);
    }
    EXPECT_EQ(::GetDlgItem(m_parent, 2000), nullptr);
}
