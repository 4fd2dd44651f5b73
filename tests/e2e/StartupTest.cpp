// The real Lumbra.exe started from outside: resource library, registry key,
// single instance and the hand-over to a running menu.
#include "tests/common/MessageBoxProbe.h"
#include "tests/common/TestSystem.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {
const char kProgramKey[] = "SOFTWARE\\Orva Corporation\\Orva Dereze\\1.0";
const char kMenuTitle[] = "Imagora Menu";
const DWORD kStartTimeout = 20000;

class Startup : public testing::Test {
protected:
    void SetUp() override
    {
        m_bin = BuildFolder("bin");
        ASSERT_FALSE(m_bin.empty());
        ASSERT_TRUE(CopyInto(m_bin + "Lumbra.exe", m_install.Path() + "Lumbra.exe"));
        DeleteRegistryTree(HKEY_CURRENT_USER, kProgramKey);
    }

    void InstallLibrary() { ASSERT_TRUE(CopyInto(m_bin + "Lumbra.dll", m_install.Path() + "Lumbra.dll")); }

    std::string Program() const { return "\"" + m_install.Path() + "Lumbra.exe\""; }

    // Starts the menu and waits for its window.
    HWND StartMenu(ChildProcess& process, const std::string& arguments = std::string())
    {
        EXPECT_TRUE(process.Start(Program() + arguments, m_install.Path()));
        HWND window = WaitForWindow(kMenuTitle, process.Id(), kStartTimeout);
        EXPECT_NE(window, nullptr);
        return window;
    }

    static void CloseMenu(ChildProcess& process, HWND window)
    {
        ::PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(process.Wait(kStartTimeout), std::optional<DWORD>(0));
    }

    static bool WaitForIconic(HWND window, bool iconic)
    {
        DWORD start = ::GetTickCount();
        while ((::IsIconic(window) != FALSE) != iconic) {
            if (::GetTickCount() - start > 5000)
                return false;
            ::Sleep(20);
        }
        return true;
    }

    std::string m_bin;
    ScratchFolder m_install{"lumbra_install"};
};
} // namespace

TEST_F(Startup, WithoutTheResourceLibraryShowsTheFixedBoxAndTouchesNothing)
{
    ChildProcess menu;
    ASSERT_TRUE(menu.Start(Program(), m_install.Path()));
    auto box = DismissNextMessageBox(kStartTimeout, menu.Id());
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, "A required file was not found. \nUninstall the application and then re-install it.");
    EXPECT_EQ(box->caption, "Lumbra");
    EXPECT_EQ(box->icon, BoxIcon::Error) << IconName(box->icon);
    EXPECT_EQ(box->owner, nullptr);
    EXPECT_TRUE(menu.Wait(kStartTimeout).has_value());
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kProgramKey));
    HANDLE mutex = ::OpenMutexA(SYNCHRONIZE, FALSE, "LumbraMtx");
    EXPECT_EQ(mutex, nullptr);
    if (mutex)
        ::CloseHandle(mutex);
}

TEST_F(Startup, CreatesTheUserKeyOnAFreshProfileAndLeavesAnExistingOneAlone)
{
    InstallLibrary();
    ChildProcess first;
    HWND window = StartMenu(first);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(RegistryKeyExists(HKEY_CURRENT_USER, kProgramKey));
    CloseMenu(first, window);

    // A value start-up has no business with survives the next start.
    HKEY key = nullptr;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, kProgramKey, 0, KEY_WRITE, &key), ERROR_SUCCESS);
    DWORD autoRun = 1;
    ::RegSetValueExA(key, "AutoRun", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&autoRun), sizeof autoRun);
    ::RegCloseKey(key);
    ChildProcess second;
    window = StartMenu(second);
    ASSERT_NE(window, nullptr);
    DWORD stored = 0;
    DWORD size = sizeof stored;
    ASSERT_EQ(::RegGetValueA(HKEY_CURRENT_USER, kProgramKey, "AutoRun", RRF_RT_REG_DWORD, nullptr, &stored, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(stored, 1u);
    CloseMenu(second, window);
}

TEST_F(Startup, TheWindowIsTheSkinAboveTheMovieArea)
{
    InstallLibrary();
    ChildProcess menu;
    HWND window = StartMenu(menu);
    ASSERT_NE(window, nullptr);
    RECT client{};
    ::GetClientRect(window, &client);
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 30 + 420); // the skin strip is 30 pixels high
    LONG exStyle = ::GetWindowLongA(window, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_APPWINDOW);
    EXPECT_FALSE(::GetWindowLongA(window, GWL_STYLE) & WS_CAPTION);
    CloseMenu(menu, window);
}

TEST_F(Startup, ASecondStartHandsOverUnlessIconIsOnItsCommandLine)
{
    InstallLibrary();
    ChildProcess first;
    HWND window = StartMenu(first, " /ICON"); // the switch only matters to a second start
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(::IsIconic(window));

    const struct {
        const char* arguments;
        bool restores;
    } cases[] = {
        {"", true},
        {" /ICON", false},
        {" --tray=x/ICONy", false},
        {" /icon", true},
        {" /Icon /ICONIC", false},
    };
    for (const auto& c : cases) {
        ::ShowWindow(window, SW_MINIMIZE);
        ASSERT_TRUE(WaitForIconic(window, true));
        ChildProcess second;
        ASSERT_TRUE(second.Start(Program() + c.arguments, m_install.Path()));
        EXPECT_EQ(second.Wait(kStartTimeout), std::optional<DWORD>(0)) << c.arguments;
        if (c.restores) {
            EXPECT_TRUE(WaitForIconic(window, false)) << c.arguments;
        } else {
            ::Sleep(300);
            EXPECT_TRUE(::IsIconic(window)) << c.arguments;
        }
        EXPECT_EQ(first.Wait(0), std::nullopt) << "the first menu must keep running";
    }
    ::ShowWindow(window, SW_RESTORE);
    CloseMenu(first, window);
}
