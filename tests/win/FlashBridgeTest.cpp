// The Flash control bridge through our own ActiveX container, against the
// stand-in control registered in the test process under the control's real
// class id.
#include "framework/GdiGuards.h"
#include "player/AxHost.h"
#include "player/ShockwaveFlash.h"
#include "resources/LumbraIds.h"
#include "tests/common/StandInFlash.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

using namespace stand_in;

namespace {
using Lines = std::vector<std::string>;
using Operation = std::function<std::string(CShockwaveFlash&)>;
const auto Said = [](bool done) { return std::string(done ? "done" : "failed"); };

// What the control must receive once it is created, in no particular order.
const std::multiset<std::wstring> kInitialProperties = {L"put Movie=S:", L"put WMode=S:Window", L"put Quality=S:High",
                                                        L"put AllowScriptAccess=S:always", L"put Scale=S:ShowAll"};

struct FlashBridge : testing::Test {
    void SetUp() override
    {
        ASSERT_TRUE(ax::RegisterAxHostClass());
        ASSERT_TRUE(m_standIn.Registered());
        m_parent = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 700, 500, nullptr, nullptr, nullptr,
                                     nullptr);
        ASSERT_TRUE(m_flash.Create(m_parent, RECT{0, 30, 640, 450}, IDC_MOVIE));
        m_flash.SetCommandHandler(
            [this](const std::string& c, const std::string& a) { m_commands.push_back(c + "|" + a); });
    }
    void TearDown() override { ::DestroyWindow(m_parent); }
    // What the control was asked since the last look: "put Name=S:value",
    // and each call by the name of its dispatch id with its arguments
    // ("LoadMovie(I4:0,S:C:\x.swf)").
    static WideLines TakeLog() { return std::exchange(g_latest->log, {}); }
    // The control fires FSCommand from inside its next call of this name.
    static void FireDuring(const wchar_t* name, const wchar_t* command, const wchar_t* args)
    {
        EXPECT_EQ(kDispatchIds.count(name), 1u) << "a published dispatch id";
        g_latest->fireDuring = name, g_latest->command = command, g_latest->args = args;
    }
    // Or at once, while no call of the player runs, as from its window's messages.
    static void FireNow(const wchar_t* command, const wchar_t* args)
    {
        FireDuring(L"FSCommand", command, args), g_latest->Fire();
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
    const WideLines initial = TakeLog();
    EXPECT_EQ(std::multiset<std::wstring>(initial.begin(), initial.end()), kInitialProperties);
    // Texts travel in the ANSI code page: e with acute in 1252, a katakana in 932.
    const std::string text = ::GetACP() == 932 ? "\x83\x41" : "caf\xe9";
    const std::wstring wide = ::GetACP() == 932 ? L"\x30A2" : L"caf\xE9";
    // Each operation, the one call the control must see for it and what the
    // operation then returns; a reading follows the writing it reads back.
    const std::tuple<Operation, std::wstring, std::string> kEveryOperationOnce[] = {
        {[](auto& f) { return std::to_string(f.FlashVersion()); }, L"FlashVersion()", std::to_string(0x0A0000)},
        {[](auto& f) { return Said(f.LoadMovie(0, "C:\\Suite\\MenuSwf\\PortalApp.swf")); },
         L"LoadMovie(I4:0,S:C:\\Suite\\MenuSwf\\PortalApp.swf)", "done"},
        {[](auto& f) { return Said(f.SetVariable("_root:XMLFile", "C:\\Temp\\PortalApp.xml")); },
         L"SetVariable(S:_root:XMLFile,S:C:\\Temp\\PortalApp.xml)", "done"},
        {[](auto& f) { return Said(f.Rewind()); }, L"Rewind()", "done"},
        {[](auto& f) { return Said(f.Play()); }, L"Play()", "done"},
        {[](auto& f) { return Said(f.TGotoFrame("_root", 0)); }, L"TGotoFrame(S:_root,I4:0)", "done"},
        {[](auto& f) { return Said(f.TGotoLabel("_root.mcLauncher.mcMenu", "Down1")); },
         L"TGotoLabel(S:_root.mcLauncher.mcMenu,S:Down1)", "done"},
        {[](auto& f) { return Said(f.TPlay("_root.mcLauncher.mcMenu")); }, L"TPlay(S:_root.mcLauncher.mcMenu)", "done"},
        {[](auto& f) { return f.TCurrentLabel("_root.mcLauncher.mcMenu"); },
         L"TCurrentLabel(S:_root.mcLauncher.mcMenu)", "Down1"},
        {[](auto& f) { return f.GetVariable("_root:XMLFile"); }, L"GetVariable(S:_root:XMLFile)",
         "C:\\Temp\\PortalApp.xml"},
        {[](auto& f) { return f.GetVariable("_root:CurrentDLL"); }, L"GetVariable(S:_root:CurrentDLL)", ""},
        {[&](auto& f) { return Said(f.SetVariable("name", text)); }, L"SetVariable(S:name,S:" + wide + L")", "done"},
        {[](auto& f) { return f.GetVariable("name"); }, L"GetVariable(S:name)", text},
    };
    for (const auto& [operation, call, result] : kEveryOperationOnce) {
        EXPECT_EQ(operation(m_flash), result) << call;
        EXPECT_EQ(TakeLog(), WideLines{call});
    }
}

TEST_F(FlashBridge, CommandsArriveFromInsideACallAndOutsideOfAnyCall)
{
    FireDuring(L"TPlay", L"CONFIG", L"");
    m_flash.TPlay("_root.mcLauncher.mcMenu");
    EXPECT_EQ(m_commands, Lines{"CONFIG|"});

    FireNow(L"COPY", L"outside any call");
    EXPECT_EQ(m_commands, (Lines{"CONFIG|", "COPY|outside any call"}));

    // The handler may call back into the player and even close it while
    // the event is delivered.
    m_flash.SetCommandHandler([this](const std::string& c, const std::string&) {
        m_commands.push_back(c + "|" + m_flash.GetVariable("_root:CurrentDLL"));
        ::DestroyWindow(m_flash.GetSafeHwnd());
    });
    m_flash.SetVariable("_root:CurrentDLL", "Album.dll");
    FireDuring(L"Play", L"EXEC", L"");
    long before = g_liveObjects;
    m_flash.Play();
    EXPECT_EQ(m_commands.back(), "EXEC|Album.dll");
    EXPECT_FALSE(m_flash.IsConnected());
    EXPECT_EQ(g_liveObjects, before - 1);
}
