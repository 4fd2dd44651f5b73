// The real Lumbra.exe with the stand-in Flash control registered in the test
// prefix: other processes steer it with the suite's messages and lock it with
// the copy tool's mutex; the movie's commands start plug-ins.
#include "tests/common/MessageBoxProbe.h"
#include "tests/common/TestSystem.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using namespace testing_support;

namespace {
const DWORD kTimeout = 20000;
using RegisterProc = HRESULT(WINAPI*)();

std::string ProgramFilesSuite()
{
    char folder[MAX_PATH] = {};
    ::SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES | CSIDL_FLAG_CREATE, nullptr, 0, folder);
    return std::string(folder) + "\\Orva Corporation\\Nembo Dereze\\";
}

class Menu : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_standIn = ::LoadLibraryA((BuildFolder("tests/win") + "StandInFlash.dll").c_str());
        ASSERT_NE(s_standIn, nullptr);
        Call("DllRegisterServer");
    }
    static void TearDownTestSuite()
    {
        Call("DllUnregisterServer");
        ::FreeLibrary(s_standIn);
    }
    static void Call(const char* name)
    {
        auto proc = reinterpret_cast<RegisterProc>(reinterpret_cast<void (*)()>(::GetProcAddress(s_standIn, name)));
        ASSERT_NE(proc, nullptr);
        ASSERT_EQ(proc(), S_OK);
    }

    void SetUp() override
    {
        std::string bin = BuildFolder("bin");
        ASSERT_TRUE(CopyInto(bin + "Lumbra.exe", m_install.Path() + "Lumbra.exe"));
        ASSERT_TRUE(CopyInto(bin + "Lumbra.dll", m_install.Path() + "Lumbra.dll"));
        m_suite = ProgramFilesSuite();
        RemoveTree(m_suite);
        ::SHCreateDirectoryExA(nullptr, (m_suite + "AppInfo").c_str(), nullptr);
        ::SHCreateDirectoryExA(nullptr, (m_suite + "MenuSwf").c_str(), nullptr);
        ::SetEnvironmentVariableA("LUMBRA_TEST_LOG", (m_install.Path() + "calls.log").c_str());
        DeleteRegistryTree(HKEY_CURRENT_USER, "SOFTWARE\\Orva Corporation\\Orva Dereze\\1.0");
    }
    void TearDown() override
    {
        m_menu.Kill();
        RemoveTree(m_suite);
    }

    void InstallPlugins(const std::string& from, std::initializer_list<const char*> plugins)
    {
        for (const char* plugin : plugins)
            ASSERT_TRUE(CopyInto(from + plugin, m_suite + "AppInfo\\" + plugin)) << plugin;
    }

    HWND StartMenu()
    {
        EXPECT_TRUE(m_menu.Start("\"" + m_install.Path() + "Lumbra.exe\"", m_install.Path()));
        return WaitForWindow("Imagora Menu", m_menu.Id(), kTimeout);
    }

    // Asks the stand-in movie inside the menu to send a command.
    static void SendMovieCommand(HWND menu, const std::string& command, const std::string& args)
    {
        HWND host = ::FindWindowExA(menu, nullptr, "LumbraAxHost", nullptr);
        HWND movie = host ? ::FindWindowExA(host, nullptr, "StandInFlashWindow", nullptr) : nullptr;
        ASSERT_NE(movie, nullptr);
        ATOM atom = ::GlobalAddAtomA((command + "|" + args).c_str());
        ::PostMessageA(movie, ::RegisterWindowMessageA("StandInFlash.Command"), atom, 0);
    }

    std::vector<std::string> PluginLog() const
    {
        std::vector<std::string> lines;
        std::ifstream in(m_install.Path() + "calls.log");
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    template <typename Condition>
    static bool Eventually(Condition condition, DWORD timeoutMs = 5000)
    {
        DWORD start = ::GetTickCount();
        while (!condition()) {
            if (::GetTickCount() - start > timeoutMs)
                return false;
            ::Sleep(25);
        }
        return true;
    }

    static HMODULE s_standIn;
    ScratchFolder m_install{"lumbra_menu"};
    std::string m_suite;
    ChildProcess m_menu;
};
HMODULE Menu::s_standIn = nullptr;
} // namespace

TEST_F(Menu, TheDocumentListsTheSampleSuite)
{
    InstallPlugins(BuildFolder("samples/AppInfo"), {"Orva_PhotoViewer_01.dll", "Orva_PhotoAlbum_01.dll",
                                                    "Orva_SlideShow_01.dll", "Orva_OnlinePrintApp_01.dll"});
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
    HWND close = ::GetDlgItem(menu, 1002);
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
