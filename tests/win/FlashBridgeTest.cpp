// The Flash control bridge through our own ActiveX container, against the
// stand-in control registered in the test process under the control's real
// class id.
#include "framework/GdiGuards.h"
#include "player/AxHost.h"
#include "player/ShockwaveFlash.h"
#include "tests/common/StandInFlash.h"

#include <gtest/gtest.h>

using namespace stand_in;

namespace {
using Lines = std::vector<std::string>;

struct FlashBridge : testing::Test {
    void SetUp() override
    {
        ASSERT_TRUE(ax::RegisterAxHostClass());
        ASSERT_TRUE(m_standIn.Registered());
        m_parent = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 700, 500, nullptr, nullptr, nullptr,
                                     nullptr);
        ASSERT_TRUE(m_flash.Create(m_parent, RECT{0, 30, 640, 450}, 1003));
        m_flash.SetCommandHandler([this](const std::string& c, const std::string& a) { m_commands.push_back(c + "|" + a); });
    }
    void TearDown() override { ::DestroyWindow(m_parent); }
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
    Registration m_standIn;
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
