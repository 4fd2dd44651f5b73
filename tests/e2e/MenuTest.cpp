// The real Lumbra.exe with the stand-in Flash control registered in the test
// prefix: other processes steer it with the suite's messages and lock it with
// the copy tool's mutex; the movie's commands start plug-ins.
#include "MenuFixture.h"
#include "resources/LumbraIds.h"

using namespace e2e;

namespace {
class Menu : public MenuFixture {
protected:
    static void SetUpTestSuite() { RegisterStandIn(true); }
    static void TearDownTestSuite() { RegisterStandIn(false); }

    // Asks the stand-in movie inside the menu to send a command.
    static void SendMovieCommand(HWND menu, const std::string& command, const std::string& args)
    {
        HWND host = ::FindWindowExA(menu, nullptr, "LumbraAxHost", nullptr);
        HWND movie = host ? ::FindWindowExA(host, nullptr, "StandInFlashWindow", nullptr) : nullptr;
        ASSERT_NE(movie, nullptr);
        ATOM atom = ::GlobalAddAtomA((command + "|" + args).c_str());
        ::PostMessageA(movie, ::RegisterWindowMessageA("StandInFlash.Command"), atom, 0);
    }
};
} // namespace

TEST_F(Menu, TheDocumentListsTheSampleSuite)
{
    InstallSamples();
    HWND menu = StartMenu();
    ASSERT_NE(menu, nullptr);
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    std::ifstream in(std::string(temp) + "PortalApp.xml", std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (const char* id : {"Orva_PhotoViewer_01.dll", "Orva_PhotoAlbum_01.dll", "Orva_SlideShow_01.dll",
                           "Orva_OnlinePrintApp_01.dll"})
        EXPECT_NE(text.find(std::string("id=\"") + id + "\""), std::string::npos) << id;
    ::PostMessageA(menu, WM_CLOSE, 0, 0);
    EXPECT_EQ(m_menu.Wait(kTimeout), std::optional<DWORD>(0));
}

TEST_F(Menu, OtherProgramsMinimiseRestoreAndCloseIt)
{
    HWND menu = StartMenu();
    ASSERT_NE(menu, nullptr);
    ::PostMessageA(menu, ::RegisterWindowMessageA("Orva Dereze Show Icon"), 0, 0);
    EXPECT_TRUE(Eventually([&] { return ::IsIconic(menu) != FALSE; }));
    ::PostMessageA(menu, ::RegisterWindowMessageA("Orva Dereze Show Normal"), 0, 0);
    EXPECT_TRUE(Eventually([&] { return ::IsIconic(menu) == FALSE; }));
    // A direct send reaches no code of the menu: only posted messages count.
    ::SendMessageA(menu, ::RegisterWindowMessageA("Orva Dereze Show Close"), 0, 0);
    EXPECT_EQ(m_menu.Wait(300), std::nullopt);
    ::PostMessageA(menu, ::RegisterWindowMessageA("Orva Dereze Show Close"), 0, 0);
    EXPECT_EQ(m_menu.Wait(kTimeout), std::optional<DWORD>(0));
}

TEST_F(Menu, CloseIsIgnoredWhileAModalChildIsOpen)
{
    InstallPlugins(BuildFolder("tests/win/plugins/dlls"), {"ExecFails.dll"});
    HWND menu = StartMenu();
    ASSERT_NE(menu, nullptr);
    SendMovieCommand(menu, "EXEC", "ExecFails.dll");
    ASSERT_TRUE(Eventually([&] { return AnyMessageBoxShown(m_menu.Id()); }));
    ::PostMessageA(menu, ::RegisterWindowMessageA("Orva Dereze Show Close"), 0, 0);
    EXPECT_EQ(m_menu.Wait(500), std::nullopt);
    auto box = DismissNextMessageBox(kTimeout, m_menu.Id());
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, "The application could not be started (error -5).");
    EXPECT_EQ(box->owner, menu);
    ::PostMessageA(menu, ::RegisterWindowMessageA("Orva Dereze Show Close"), 0, 0);
    EXPECT_EQ(m_menu.Wait(kTimeout), std::optional<DWORD>(0));
}

TEST_F(Menu, TheCopyToolLocksStartingAndClosing)
{
    InstallPlugins(BuildFolder("tests/win/plugins/dlls"), {"Valid.dll"});
    HWND menu = StartMenu();
    ASSERT_NE(menu, nullptr);
    HWND close = ::GetDlgItem(menu, IDC_CLOSE);
    ASSERT_NE(close, nullptr);
    EXPECT_TRUE(::IsWindowEnabled(close));

    HANDLE copyTool = ::CreateMutexA(nullptr, TRUE, "OrvaMtxCpy");
    ASSERT_NE(copyTool, nullptr);
    EXPECT_TRUE(Eventually([&] { return ::IsWindowEnabled(close) == FALSE; }, 2500));
    SendMovieCommand(menu, "EXEC", "Valid.dll");
    ::Sleep(500);
    EXPECT_TRUE(PluginLog().empty());
    EXPECT_FALSE(::IsIconic(menu));

    ::ReleaseMutex(copyTool);
    ::CloseHandle(copyTool);
    EXPECT_TRUE(Eventually([&] { return ::IsWindowEnabled(close) != FALSE; }, 2500));
    SendMovieCommand(menu, "EXEC", "Valid.dll");
    EXPECT_TRUE(Eventually([&] { return PluginLog().size() == 1; }));
    EXPECT_TRUE(Eventually([&] { return ::IsIconic(menu) != FALSE; }));
}
