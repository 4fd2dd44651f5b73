// The Flash control bridge through our own ActiveX container, against the
// stand-in control registered under the real class id.
#include "StandInFlash.h"
#include "framework/GdiGuards.h"
#include "player/AxHost.h"
#include "player/ShockwaveFlash.h"

#include <gtest/gtest.h>

namespace {
using Lines = std::vector<std::string>;
using namespace standin;

class FlashBridge : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ax::RegisterAxHostClass());
        ASSERT_TRUE(Register(true));
        m_parent = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 700, 500, nullptr, nullptr, nullptr,
                                     nullptr);
        ASSERT_TRUE(m_flash.Create(m_parent, RECT{0, 30, 640, 450}, 1003));
        m_flash.SetCommandHandler([this](const std::string& c, const std::string& a) { m_commands.push_back(c + "|" + a); });
    }
    void TearDown() override
    {
        ::DestroyWindow(m_parent);
        Register(false);
    }

    fw::ScopedComInit m_com;
    HWND m_parent = nullptr;
    CShockwaveFlash m_flash;
    Lines m_commands;
};
} // namespace

TEST_F(FlashBridge, TheControlGetsItsInitialPropertiesByNameAndEachOperationIsOneCallByItsDispatchId)
{
    EXPECT_EQ(TakeLog(), (Lines{"put Movie=S:", "put WMode=S:Window", "put Quality=S:High",
                                "put AllowScriptAccess=S:always", "put Scale=S:ShowAll"}));
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
    EXPECT_EQ(TakeLog(), (Lines{"84()", "8e(I4:0,S:C:\\Suite\\MenuSwf\\PortalApp.swf)",
                                "97(S:_root:XMLFile,S:C:\\Temp\\PortalApp.xml)", "74()", "70()", "8f(S:_root,I4:0)",
                                "90(S:_root.mcLauncher.mcMenu,S:Down1)", "93(S:_root.mcLauncher.mcMenu)",
                                "92(S:_root.mcLauncher.mcMenu)", "98(S:_root:XMLFile)", "98(S:_root:CurrentDLL)"}));

    // Texts travel in the ANSI code page: e with acute in 1252, a katakana in 932.
    const std::string text = ::GetACP() == 932 ? "\x83\x41" : "caf\xe9";
    m_flash.SetVariable("name", text);
    EXPECT_EQ(m_flash.GetVariable("name"), text);
    EXPECT_EQ(TakeLog().front(), std::string("97(S:name,S:") + (::GetACP() == 932 ? "\xe3\x82\xa2" : "caf\xc3\xa9") + ")");
}

TEST_F(FlashBridge, CommandsArriveFromInsideACallAndFromTheMessageLoop)
{
    FireDuring(0x93, L"CONFIG", L"");
    m_flash.TPlay("_root.mcLauncher.mcMenu");
    EXPECT_EQ(m_commands, Lines{"CONFIG|"});

    FireDuring(0, L"COPY", L"from the loop");
    EXPECT_EQ(m_commands.size(), 1u);
    ::Sleep(50);
    for (MSG msg; ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);)
        ::DispatchMessageA(&msg);
    EXPECT_EQ(m_commands.back(), "COPY|from the loop");

    // The handler may call back into the player and even close it while
    // the event is delivered.
    m_flash.SetCommandHandler([this](const std::string& c, const std::string&) {
        m_commands.push_back(c + "|" + m_flash.GetVariable("_root:CurrentDLL"));
        ::DestroyWindow(m_flash.GetSafeHwnd());
    });
    m_flash.SetVariable("_root:CurrentDLL", "Album.dll");
    FireDuring(0x70, L"EXEC", L"");
    long before = LiveObjects();
    m_flash.Play();
    EXPECT_EQ(m_commands.back(), "EXEC|Album.dll");
    EXPECT_FALSE(m_flash.IsConnected());
    EXPECT_EQ(LiveObjects(), before - 1);
}
