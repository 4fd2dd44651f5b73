// The real Lumbra.exe with the built-in player: its "Settings" opens the
// settings dialog owned by the menu, whose choices change the menu at once,
// and on Windows XP only the AutoPlay cancel entries.
#include "MenuFixture.h"
#include "support/Registry.h"

#include <cstring>

using namespace e2e;

namespace {
const char kProgramKeyPath[] = "SOFTWARE\\Orva Corporation\\Orva Dereze\\1.0";
const char kAutoplayKey[] =
    "SOFTWARE\\Microsoft\\Windows\\Currentversion\\Explorer\\AutoplayHandlers\\CancelAutoplay\\Files";
const char* const kMarkers[] = {"TAVRIK.IND", "RUDAVO.IND", "ONBOARD.IND", "OTHER.IND"};
const int kRowHeight = 19; // the settings list's rows with its 13-pixel font

class SettingsFromTheMenu : public MenuFixture {
protected:
    static void SetUpTestSuite() { RegisterStandIn(false); }

    void Start()
    {
        InstallPlugins(BuildFolder("tests/win/plugins/dlls"), {"Valid.dll", "Second.dll", "Third.dll"});
        HKEY key = nullptr;
        ::RegCreateKeyExA(HKEY_CURRENT_USER, kProgramKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        ::RegCloseKey(key);
        RegWriteString(HKEY_CURRENT_USER, kProgramKeyPath, "Sort", "Valid.dll/Second.dll/Third.dll/");
        m_window = StartMenu();
        ASSERT_NE(m_window, nullptr);
        m_player = ::FindWindowExA(m_window, nullptr, "LumbraMenuPlayer", nullptr);
        ASSERT_NE(m_player, nullptr);
    }
    // Presses the player's "Settings"; the dialog it opens, owned by the menu.
    HWND OpenSettings()
    {
        ::PostMessageA(::GetDlgItem(m_player, 12), BM_CLICK, 0, 0);
        struct Search {
            HWND owner, found;
        } search{m_window, nullptr};
        Eventually([&] {
            ::EnumWindows(
                [](HWND hwnd, LPARAM lParam) -> BOOL {
                    auto* s = reinterpret_cast<Search*>(lParam);
                    if (::GetWindow(hwnd, GW_OWNER) == s->owner && ::IsWindowVisible(hwnd) && ::GetDlgItem(hwnd, 1012))
                        s->found = hwnd;
                    return !s->found;
                },
                reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        });
        return search.found;
    }
    int MenuRows() const { return static_cast<int>(::SendMessageA(::GetDlgItem(m_player, 10), LB_GETCOUNT, 0, 0)); }
    // A click on a row of the settings list, x from its left edge.
    static void ClickRow(HWND dialog, int row, int x)
    {
        HWND list = ::GetDlgItem(dialog, 1012);
        POINT at{x, row * kRowHeight + kRowHeight / 2};
        POINT screen = at;
        ::ClientToScreen(list, &screen);
        ::SetCursorPos(screen.x, screen.y);
        ::PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        ::PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        ::Sleep(300);
    }
    static std::string Document()
    {
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        std::ifstream in(std::string(temp) + "PortalApp.xml", std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    static std::string Stored(const char* value) { return RegReadString(HKEY_CURRENT_USER, kProgramKeyPath, value, ""); }

    HWND m_window = nullptr;
    HWND m_player = nullptr;
};
} // namespace

TEST_F(SettingsFromTheMenu, ChoicesChangeTheMenuAtOnceAndCancelChangesNothing)
{
    Start();
    ASSERT_EQ(MenuRows(), 3);
    HWND dialog = OpenSettings();
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(::IsWindowEnabled(m_window));

    ClickRow(dialog, 1, 8); // Second's box: hidden
    ClickRow(dialog, 2, 100);
    ::PostMessageA(::GetDlgItem(dialog, 1015), BM_CLICK, 0, 0); // Third up
    ::PostMessageA(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(Eventually([&] { return !::IsWindow(dialog) && MenuRows() == 2; }));
    EXPECT_TRUE(::IsWindowEnabled(m_window));
    EXPECT_EQ(Stored("Sort"), "Valid.dll/Third.dll/Second.dll/");
    EXPECT_EQ(Stored("NoUse"), "Second.dll/");
    std::string document = Document();
    EXPECT_LT(document.find("Valid.dll"), document.find("Third.dll"));
    EXPECT_EQ(document.find("Second.dll"), std::string::npos);

    dialog = OpenSettings();
    ASSERT_NE(dialog, nullptr);
    ClickRow(dialog, 0, 8);
    ::PostMessageA(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_TRUE(Eventually([&] { return !::IsWindow(dialog); }));
    ::Sleep(300);
    EXPECT_EQ(MenuRows(), 2);
    EXPECT_EQ(Document(), document);
    EXPECT_EQ(Stored("NoUse"), "Second.dll/");
}

TEST_F(SettingsFromTheMenu, OnlyWindowsXpMaintainsTheAutoPlayEntries)
{
    const struct {
        const char* version;
        bool removed;
    } cases[] = {{"winxp", true}, {"win2k", false}, {"win2003", false}, {"win7", false}};
    for (const auto& c : cases) {
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kAutoplayKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                    nullptr),
                  ERROR_SUCCESS);
        for (const char* marker : kMarkers)
            ::RegSetValueExA(key, marker, 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 0);
        ::RegCloseKey(key);
        HKEY appDefaults = nullptr;
        ::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\Lumbra.exe", 0, nullptr, 0, KEY_ALL_ACCESS,
                          nullptr, &appDefaults, nullptr);
        ::RegSetValueExA(appDefaults, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(c.version),
                         static_cast<DWORD>(std::strlen(c.version) + 1));
        ::RegCloseKey(appDefaults);

        Start();
        HWND dialog = OpenSettings();
        ASSERT_NE(dialog, nullptr) << c.version;
        ::PostMessageA(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        EXPECT_TRUE(Eventually([&] { return !::IsWindow(dialog); })) << c.version;
        for (const char* marker : kMarkers) {
            bool present = ::RegGetValueA(HKEY_LOCAL_MACHINE, kAutoplayKey, marker, RRF_RT_ANY, nullptr, nullptr,
                                          nullptr) == ERROR_SUCCESS;
            bool ours = std::string(marker) != "OTHER.IND";
            EXPECT_EQ(present, !(ours && c.removed)) << c.version << " " << marker;
        }
        EXPECT_EQ(RegReadDword(HKEY_CURRENT_USER, kProgramKeyPath, "AutoRun", 0), 2u) << c.version;
        m_menu.Kill();
        DeleteRegistryTree(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\Lumbra.exe");
    }
}
