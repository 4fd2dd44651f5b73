// The real Lumbra.exe where no Flash control is installed: the built-in
// player shows the menu, the keys and the wheel move its selection, and its
// buttons start applications, settings and the copy tool.
#include "MenuFixture.h"
#include "player/NativeMenuPlayer.h"
#include "support/Registry.h"
#include "tests/common/PixelHelpers.h"

using namespace e2e;

namespace {
const char kCopyToolKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\OrvaCopy.exe";

class BuiltInPlayer : public MenuFixture {
protected:
    static void SetUpTestSuite() { RegisterStandIn(false); }

    void StartWithPlayer()
    {
        m_window = StartMenu();
        ASSERT_NE(m_window, nullptr);
        m_player = ::FindWindowExA(m_window, nullptr, "LumbraMenuPlayer", nullptr);
        ASSERT_NE(m_player, nullptr);
        m_list = ::GetDlgItem(m_player, CNativeMenuPlayer::kListId);
        m_start = ::GetDlgItem(m_player, CNativeMenuPlayer::kStartId);
        ASSERT_NE(m_list, nullptr);
        ASSERT_NE(m_start, nullptr);
    }
    int Selection() const { return static_cast<int>(::SendMessageA(m_list, LB_GETCURSEL, 0, 0)); }
    bool SelectionBecomes(int row) const
    {
        return Eventually([&] { return Selection() == row; });
    }
    void Key(WPARAM key) const { ::PostMessageA(m_list, WM_KEYDOWN, key, 1); }
    void SaveScreenshot(const char* name) const
    {
        RECT rect{};
        ::GetWindowRect(m_window, &rect);
        PixelCanvas picture(rect.right - rect.left, rect.bottom - rect.top, RGB(0, 0, 0));
        CaptureWindow(m_window, picture);
        EXPECT_TRUE(SaveBitmapFile(picture, (BuildFolder("") + name).c_str()));
    }

    HWND m_window = nullptr;
    HWND m_player = nullptr;
    HWND m_list = nullptr;
    HWND m_start = nullptr;
};
} // namespace

TEST_F(BuiltInPlayer, KeysWheelEnterAndTheStartButtonWork)
{
    InstallPlugins(BuildFolder("tests/win/plugins/dlls"), {"Valid.dll", "Second.dll", "Third.dll"});
    RegWriteString(HKEY_CURRENT_USER, "SOFTWARE\\Orva Corporation\\Orva Dereze\\1.0", "Sort", "x");
    StartWithPlayer();
    EXPECT_EQ(::SendMessageA(m_list, LB_GETCOUNT, 0, 0), 3);
    int first = Selection();
    ASSERT_GE(first, 0);

    ::SendMessageA(m_list, LB_SETCURSEL, 0, 0); // as a click would
    ::SendMessageA(m_player, WM_COMMAND, MAKEWPARAM(CNativeMenuPlayer::kListId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(m_list));
    Key(VK_DOWN);
    EXPECT_TRUE(SelectionBecomes(1));
    ::PostMessageA(m_list, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0); // away from the user: down
    EXPECT_TRUE(SelectionBecomes(2));
    Key(VK_UP);
    EXPECT_TRUE(SelectionBecomes(1));

    Key(VK_RETURN); // starts the current entry, the menu stays
    EXPECT_TRUE(Eventually([&] { return PluginLog().size() == 1; }));
    EXPECT_FALSE(::IsIconic(m_window));
    Key(VK_DOWN);
    EXPECT_TRUE(SelectionBecomes(2));
    ::PostMessageA(m_start, BM_CLICK, 0, 0); // the movie's start: the menu minimises
    EXPECT_TRUE(Eventually([&] { return PluginLog().size() == 2; }));
    EXPECT_TRUE(Eventually([&] { return ::IsIconic(m_window) != FALSE; }));
    std::vector<std::string> log = PluginLog();
    EXPECT_NE(log[0], log[1]);
}

TEST_F(BuiltInPlayer, CopyReachesTheRegisteredCopyTool)
{
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kCopyToolKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    std::string folder = BuildFolder("tests/win/plugins/copytool");
    ::RegSetValueExA(key, "Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                     static_cast<DWORD>(folder.size() + 1));
    ::RegCloseKey(key);
    StartWithPlayer();
    ::PostMessageA(::GetDlgItem(m_player, CNativeMenuPlayer::kCopyId), BM_CLICK, 0, 0);
    EXPECT_TRUE(Eventually([&] { return PluginLog() == std::vector<std::string>{"copytool 0"}; }));
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, kCopyToolKey);
}

TEST_F(BuiltInPlayer, TheSampleSuiteShowsAndLocksWhileCopying)
{
    InstallSamples();
    InstallPlugins(BuildFolder("tests/win/plugins/dlls"), {"Valid.dll"});
    StartWithPlayer();
    EXPECT_EQ(::SendMessageA(m_list, LB_GETCOUNT, 0, 0), 5);
    ::Sleep(300);
    SaveScreenshot("menu-normal.bmp");
    EXPECT_TRUE(::IsWindowEnabled(m_start));

    HANDLE copyTool = ::CreateMutexA(nullptr, TRUE, "OrvaMtxCpy");
    ASSERT_NE(copyTool, nullptr);
    EXPECT_TRUE(Eventually([&] { return ::IsWindowEnabled(m_start) == FALSE; }, 2500));
    ::Sleep(200);
    SaveScreenshot("menu-locked.bmp");
    ::PostMessageA(m_start, BM_CLICK, 0, 0);
    ::SendMessageA(m_player, WM_COMMAND, MAKEWPARAM(CNativeMenuPlayer::kListId, LBN_DBLCLK), reinterpret_cast<LPARAM>(m_list));
    ::Sleep(300);
    EXPECT_TRUE(PluginLog().empty());
    EXPECT_FALSE(::IsIconic(m_window));
    ::ReleaseMutex(copyTool);
    ::CloseHandle(copyTool);
    EXPECT_TRUE(Eventually([&] { return ::IsWindowEnabled(m_start) != FALSE; }, 2500));
}
