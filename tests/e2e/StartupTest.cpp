// The real Lumbra.exe started from outside: the resource library, the user's
// key, the window, the single instance and the hand-over to a running menu.
#include "support/Registry.h"
#include "tests/common/MessageBoxProbe.h"
#include "tests/common/TestSystem.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {
const DWORD kTimeout = 20000;

struct Startup : testing::Test {
    void SetUp() override
    {
        ASSERT_TRUE(CopyInto(BuildFolder("bin") + "Lumbra.exe", m_install.Path() + "Lumbra.exe"));
        DeleteRegistryTree(HKEY_CURRENT_USER, kProgramKey);
    }
    std::string Program() const { return "\"" + m_install.Path() + "Lumbra.exe\""; }

    ScratchFolder m_install{"lumbra_install"};
};
} // namespace

TEST_F(Startup, WithoutTheResourceLibraryShowsTheFixedBoxAndTouchesNothing)
{
    // One in the current folder does not count: only the program's own folder.
    ScratchFolder current{"lumbra_current"};
    ASSERT_TRUE(CopyInto(BuildFolder("bin") + "Lumbra.dll", current.Path() + "Lumbra.dll"));
    ChildProcess menu;
    ASSERT_TRUE(menu.Start(Program(), current.Path()));
    EXPECT_EQ(DismissNextMessageBox(kTimeout, menu.Id()),
              (MessageBoxSeen{"A required file was not found. \nUninstall the application and then re-install it.",
                              "Lumbra", BoxIcon::Unknown, nullptr}));
    EXPECT_TRUE(menu.Wait(kTimeout).has_value());
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kProgramKey));
    EXPECT_FALSE(fw::UniqueKernelHandle(::OpenMutexA(SYNCHRONIZE, FALSE, "LumbraMtx")));
}

TEST_F(Startup, TheFirstStartCreatesTheUserKeyAndASecondHandsOverUnlessIconIsOnItsCommandLine)
{
    ASSERT_TRUE(CopyInto(BuildFolder("bin") + "Lumbra.dll", m_install.Path() + "Lumbra.dll"));
    ChildProcess first;
    ASSERT_TRUE(first.Start(Program() + " /ICON", m_install.Path())); // the switch only matters to a second start
    HWND window = WaitForWindow("Imagora Menu", first.Id(), kTimeout);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(RegistryKeyExists(HKEY_CURRENT_USER, kProgramKey));
    EXPECT_FALSE(::IsIconic(window));
    RECT client{};
    ::GetClientRect(window, &client);
    EXPECT_EQ(client.right * 1000 + client.bottom, 640 * 1000 + 30 + 420); // a 30-pixel strip above the movie
    EXPECT_TRUE(::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_FALSE(::GetWindowLongA(window, GWL_STYLE) & WS_CAPTION);

    const std::pair<const char*, bool> cases[] = {
        {"", true}, {" /ICON", false}, {" --tray=x/ICONy", false}, {" /icon", true}, {" /Icon /ICONIC", false}};
    for (const auto& [arguments, restores] : cases) {
        ::ShowWindow(window, SW_MINIMIZE);
        ASSERT_TRUE(Eventually([&] { return ::IsIconic(window) != FALSE; }));
        ChildProcess second;
        ASSERT_TRUE(second.Start(Program() + arguments, m_install.Path()));
        EXPECT_EQ(second.Wait(kTimeout), std::optional<DWORD>(0)) << arguments;
        EXPECT_EQ(Eventually([&] { return !::IsIconic(window); }, restores ? 5000 : 300), restores) << arguments;
        EXPECT_EQ(first.Wait(0), std::nullopt) << "the first menu must keep running";
    }
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.Wait(kTimeout), std::optional<DWORD>(0));
}
