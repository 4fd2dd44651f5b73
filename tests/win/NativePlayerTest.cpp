// The built-in menu player driven through the player interface, as the main
// window drives it, with menu documents written the way the catalog writes
// them.
#include "catalog/MenuDocumentText.h"
#include "framework/GdiGuards.h"
#include "shell/NativeMenuPlayer.h"
#include "support/SystemLeadByte.h"
#include "tests/common/TestSystem.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace testing_support;

namespace {
// A top-level window that records the wheel messages the player hands on.
class RecordingParent : public fw::CWnd {
public:
    int wheelMessages = 0;

protected:
    bool OnMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) override
    {
        if (msg != WM_MOUSEWHEEL)
            return false;
        ++wheelMessages;
        result = 0;
        return true;
    }
};

class NativePlayer : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(fw::CWnd::RegisterOwnClass("NativePlayerTestParent", 0, nullptr));
        ASSERT_TRUE(m_parent.Create("NativePlayerTestParent", "parent", WS_POPUP | WS_VISIBLE, 0, RECT{0, 0, 640, 420},
                                    nullptr, 0));
        ASSERT_TRUE(m_player.Create(m_parent.GetSafeHwnd(), RECT{0, 0, 640, 420}, 1003));
        m_player.SetCommandHandler([this](const std::string& c, const std::string& a) { m_commands.push_back(c + "|" + a); });
    }
    void TearDown() override { ::DestroyWindow(m_parent.GetSafeHwnd()); }

    // Writes a document as the catalog does and plays it as the menu does.
    void ShowMenu(const std::vector<catalog::MenuLine>& lines, const std::string& focus = std::string())
    {
        std::string path = m_scratch.Path() + "PortalApp.xml";
        std::ofstream(path, std::ios::binary) << catalog::MenuDocumentText(
            lines, focus, m_scratch.Path(), catalog::EncodingNameForCodePage(::GetACP()), support::IsSystemLeadByte);
        m_player.LoadMovie(0, m_scratch.Path() + "PortalApp.swf");
        m_player.SetVariable("_root:XMLFile", path);
        m_player.Rewind();
        m_player.Play();
    }
    static std::vector<catalog::MenuLine> Lines(int count)
    {
        std::vector<catalog::MenuLine> lines;
        for (int i = 0; i < count; ++i)
            lines.push_back({"App" + std::to_string(i) + ".dll", "App[CR]" + std::to_string(i), "missing_info.png",
                             "Start " + std::to_string(i), "missing_icon.png"});
        return lines;
    }
    void Up()
    {
        if (m_player.TCurrentLabel("_root.mcLauncher.mcButtonUp") != "Disable") {
            m_player.TGotoLabel("_root.mcLauncher.mcMenu", "Down1");
            m_player.TPlay("_root.mcLauncher.mcMenu");
        }
    }
    void Down()
    {
        if (m_player.TCurrentLabel("_root.mcLauncher.mcButtonDown") != "Disable") {
            m_player.TGotoLabel("_root.mcLauncher.mcMenu", "Up1");
            m_player.TPlay("_root.mcLauncher.mcMenu");
        }
    }
    int ListCount() const { return static_cast<int>(::SendMessageA(m_player.ListWindow(), LB_GETCOUNT, 0, 0)); }
    int ListSelection() const { return static_cast<int>(::SendMessageA(m_player.ListWindow(), LB_GETCURSEL, 0, 0)); }
    std::string ListText(int row) const
    {
        char text[256] = {};
        ::SendMessageA(m_player.ListWindow(), LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text));
        return text;
    }
    std::string StartLabel() const
    {
        char text[128] = {};
        ::GetWindowTextA(m_player.StartButton(), text, sizeof text);
        return text;
    }
    void Click(UINT id) { ::SendMessageA(::GetDlgItem(m_player.GetSafeHwnd(), static_cast<int>(id)), BM_CLICK, 0, 0); }

    ScratchFolder m_scratch{"lumbra_player"};
    fw::ScopedComInit m_com;
    RecordingParent m_parent;
    CNativeMenuPlayer m_player;
    std::vector<std::string> m_commands;
};
} // namespace

TEST_F(NativePlayer, ShowsOneRowPerEntryAndSelectsTheFocusedOne)
{
    EXPECT_GE(m_player.FlashVersion(), kRequiredFlashVersion);
    const struct {
        int count;
        const char* focus;
        int selected;
    } cases[] = {{0, "", -1}, {1, "", 0}, {12, "", 0}, {12, "App2.dll", 2}, {3, "Missing.dll", 0}};
    for (const auto& c : cases) {
        ShowMenu(Lines(c.count), c.focus);
        EXPECT_EQ(ListCount(), c.count);
        EXPECT_EQ(ListSelection(), c.selected);
        EXPECT_EQ(m_player.GetVariable("_root:CurrentDLL"), c.selected < 0 ? "" : "App" + std::to_string(c.selected) + ".dll");
        EXPECT_EQ(::IsWindowEnabled(m_player.StartButton()) != FALSE, c.selected >= 0);
    }
    EXPECT_EQ(ListText(1), "App 1"); // the accessible name, without markers
    EXPECT_EQ(m_player.MoviePath(), m_scratch.Path() + "PortalApp.swf");
}

TEST_F(NativePlayer, StepsFollowTheLabelsAndStopAtTheEnds)
{
    ShowMenu(Lines(12), "App2.dll");
    Up();
    Up();
    EXPECT_EQ(m_player.TCurrentLabel("_root.mcLauncher.mcButtonUp"), "Disable");
    Up();
    EXPECT_EQ(ListSelection(), 0);
    for (int i = 0; i < 15; ++i)
        Down();
    EXPECT_EQ(ListSelection(), 11);
    EXPECT_EQ(m_player.TCurrentLabel("_root.mcLauncher.mcButtonDown"), "Disable");
    EXPECT_EQ(m_player.TCurrentLabel("_root.mcLauncher.mcButtonUp"), "Up");
    EXPECT_EQ(m_player.GetVariable("_root:CurrentDLL"), "App11.dll");
    EXPECT_EQ(StartLabel(), "Start 11");
    // The last row is scrolled into view.
    int top = static_cast<int>(::SendMessageA(m_player.ListWindow(), LB_GETTOPINDEX, 0, 0));
    EXPECT_GT(top, 0);
}

TEST_F(NativePlayer, NamesWithMarkupCharactersRoundTrip)
{
    std::string accented = ::GetACP() == 932 ? "\x83\x74\x83\x48\x83\x67" : "Caf\xe9";
    ShowMenu({{"A&B.dll", "Say \"<Cheese>\" & " + accented, "i.png", "Go & see", "x.png"}});
    EXPECT_EQ(ListCount(), 1);
    EXPECT_EQ(ListText(0), "Say \"<Cheese>\" & " + accented);
    EXPECT_EQ(StartLabel(), "Go & see");
    EXPECT_EQ(m_player.GetVariable("_root:CurrentDLL"), "A&B.dll");
}

TEST_F(NativePlayer, ButtonsAndDoubleClicksSendTheMovieCommands)
{
    ShowMenu(Lines(3), "App1.dll");
    Click(CNativeMenuPlayer::kStartId);
    Click(CNativeMenuPlayer::kSettingsId);
    Click(CNativeMenuPlayer::kCopyId);
    ::SendMessageA(m_player.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(CNativeMenuPlayer::kListId, LBN_DBLCLK),
                   reinterpret_cast<LPARAM>(m_player.ListWindow()));
    EXPECT_EQ(m_commands, (std::vector<std::string>{"EXEC|App1.dll", "CONFIG|", "COPY|", "EXEC|App1.dll"}));

    // A click on a row selects it.
    ::SendMessageA(m_player.ListWindow(), LB_SETCURSEL, 2, 0);
    ::SendMessageA(m_player.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(CNativeMenuPlayer::kListId, LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(m_player.ListWindow()));
    EXPECT_EQ(m_player.GetVariable("_root:CurrentDLL"), "App2.dll");
}

TEST_F(NativePlayer, LockedPartsLookDisabledAndSendNothing)
{
    ShowMenu(Lines(2));
    for (const char* target : {"_root.mcLauncher.mcExecute", "_root.mcLauncher.mcMenu.mcButtonMenuExec",
                               "_root.mcConfig.mcStaticButton_Back", "_root.mcFotopass.mcStaticButton_Back"})
        m_player.TGotoLabel(target, "Disable");
    EXPECT_FALSE(::IsWindowEnabled(m_player.StartButton()));
    Click(CNativeMenuPlayer::kStartId);
    ::SendMessageA(m_player.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(CNativeMenuPlayer::kListId, LBN_DBLCLK),
                   reinterpret_cast<LPARAM>(m_player.ListWindow()));
    EXPECT_TRUE(m_commands.empty());

    m_player.TGotoLabel("_root.mcLauncher.mcExecute", "Up");
    m_player.TGotoLabel("_root.mcLauncher.mcMenu.mcButtonMenuExec", "Selected");
    EXPECT_TRUE(::IsWindowEnabled(m_player.StartButton()));
    Click(CNativeMenuPlayer::kStartId);
    EXPECT_EQ(m_commands, (std::vector<std::string>{"EXEC|App0.dll"}));
}

TEST_F(NativePlayer, FrameZeroEmptiesTheMenuAndBackCaptionsAreKept)
{
    ShowMenu(Lines(4));
    m_player.SetVariable("_root.mcConfig.mcStaticButton_Back:Text", "Back");
    EXPECT_TRUE(m_player.TGotoFrame("_root", 0));
    EXPECT_EQ(ListCount(), 0);
    EXPECT_EQ(m_player.GetVariable("_root:CurrentDLL"), "");
    EXPECT_EQ(m_player.GetVariable("_root.mcConfig.mcStaticButton_Back:Text"), "Back");
    EXPECT_FALSE(::IsWindowEnabled(m_player.StartButton()));

    m_player.SetVariable("_root:XMLFile", m_scratch.Path() + "Missing.xml");
    m_player.Rewind();
    m_player.Play();
    EXPECT_EQ(ListCount(), 0);
}

TEST_F(NativePlayer, KeysAndTheWheelAreLeftToTheMainWindow)
{
    ShowMenu(Lines(5), "App2.dll");
    ::SendMessageA(m_player.ListWindow(), WM_KEYDOWN, VK_DOWN, 1);
    ::SendMessageA(m_player.ListWindow(), WM_KEYDOWN, VK_HOME, 1);
    EXPECT_EQ(ListSelection(), 2);
    ::SendMessageA(m_player.ListWindow(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
    EXPECT_EQ(m_parent.wheelMessages, 1);
    EXPECT_EQ(ListSelection(), 2);
}
