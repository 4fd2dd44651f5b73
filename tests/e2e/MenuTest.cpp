// The real Lumbra.exe installed as a user has it, with the suite's folders
// under Program Files and no Flash control: the built-in player shows the
// menu, the keys, the wheel and its buttons drive it, other programs steer it
// with the suite's messages, and the copy tool locks it.
#include "player/NativeMenuPlayer.h"
#include "resources/LumbraIds.h"
#include "tests/common/MessageBoxProbe.h"
#include "tests/common/TestSuite.h"

#include <psapi.h>

using namespace testing_support;
using Lines = std::vector<std::string>;

namespace {
const DWORD kTimeout = 20000;
const int kSettingsRowHeight = 19; // of the settings dialog's list
const char kCopyToolKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\OrvaCopy.exe";

struct Menu : testing::Test {
    void SetUp() override
    {
        for (const char* file : {"Lumbra.exe", "Lumbra.dll"})
            ASSERT_TRUE(CopyInto(BuildFolder("bin") + file, m_install.Path() + file));
    }
    void Start()
    {
        ASSERT_TRUE(m_menu.Start("\"" + m_install.Path() + "Lumbra.exe\"", m_install.Path()));
        m_window = WaitForWindow("Imagora Menu", m_menu.Id(), kTimeout);
        m_player = ::FindWindowExA(m_window, nullptr, "LumbraMenuPlayer", nullptr);
        m_list = ::GetDlgItem(m_player, CNativeMenuPlayer::kListId);
        m_start = ::GetDlgItem(m_player, CNativeMenuPlayer::kStartId);
        ASSERT_TRUE(m_window && m_list && m_start);
        ASSERT_TRUE(Eventually([&] { return Built(); }, kTimeout)) << "the menu is built";
    }
    // While the menu is built its list is named by the build's progress.
    bool Built() const
    {
        char name[64] = {};
        ::GetWindowTextA(m_list, name, sizeof name);
        return std::string(name) == "Applications";
    }
    void Post(const char* message) const { ::PostMessageA(m_window, ::RegisterWindowMessageA(message), 0, 0); }
    void Key(WPARAM key) const { ::PostMessageA(m_list, WM_KEYDOWN, key, 1); }
    bool SelectionBecomes(int row) const
    {
        return Eventually([&] { return ::SendMessageA(m_list, LB_GETCURSEL, 0, 0) == row; });
    }
    bool BecomesIconic(bool iconic) const
    {
        return Eventually([&] { return (::IsIconic(m_window) != FALSE) == iconic; });
    }
    // The settings dialog the player's "Settings" opens, owned by the menu.
    HWND OpenSettings() const
    {
        ::PostMessageA(::GetDlgItem(m_player, CNativeMenuPlayer::kSettingsId), BM_CLICK, 0, 0);
        HWND found = nullptr;
        Eventually([&] {
            return found = FindVisibleWindow("#32770", nullptr, m_menu.Id(), [&](HWND w) {
                       return ::GetWindow(w, GW_OWNER) == m_window && ::GetDlgItem(w, IDC_APP_LIST);
                   });
        });
        return found;
    }
    // A click in the middle of a row of the settings list, x from its left
    // edge, the cursor where it happens; then whether the row's state bits of
    // the mask come to be these.
    static bool ClickSettingsRow(HWND dialog, int row, int x, UINT mask, UINT state)
    {
        HWND list = ::GetDlgItem(dialog, IDC_APP_LIST);
        const int y = row * kSettingsRowHeight + kSettingsRowHeight / 2;
        POINT screen{x, y};
        ::ClientToScreen(list, &screen);
        ::SetCursorPos(screen.x, screen.y);
        ::PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        ::PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        return Eventually(
            [&] { return static_cast<UINT>(::SendMessageA(list, LVM_GETITEMSTATE, row, mask)) == state; });
    }
    int Rows() const { return static_cast<int>(::SendMessageA(m_list, LB_GETCOUNT, 0, 0)); }
    static std::string Document()
    {
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        return ReadAll(std::string(temp) + "PortalApp.xml");
    }

    // A row's name: across processes Wine passes list texts whole only to
    // the wide call.
    std::wstring Row(int row) const
    {
        wchar_t text[256] = {};
        ::SendMessageW(m_list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text));
        return text;
    }

    ScratchFolder m_install{"lumbra_menu"};
    TestSuite m_suite{TestSuite::ProgramFilesBase()};
    ChildProcess m_menu;
    HWND m_window = nullptr, m_player = nullptr, m_list = nullptr, m_start = nullptr;
};
} // namespace

TEST_F(Menu, TheKeysTheWheelOtherProgramsAndTheCopyToolSteerTheSampleSuitesMenu)
{
    WriteValue(HKEY_LOCAL_MACHINE, kCopyToolKey, "Path", REG_SZ, BuildFolder("tests/win/plugins/copytool") + '\0');
    m_suite.InstallSamples();
    m_suite.Install({"ExecFails.dll", "Valid.dll"});
    TestSuite::Store("Sort", "Valid.dll/Orva_PhotoViewer_01.dll/ExecFails.dll/Orva_PhotoAlbum_01.dll/"
                             "Orva_SlideShow_01.dll/Orva_OnlinePrintApp_01.dll/"); // no new entry takes the focus
    Start();
    ASSERT_EQ(Rows(), 6);
    ASSERT_EQ(Row(0) + L"|" + Row(2), L"Valid|ExecFails");
    EXPECT_TRUE(SelectionBecomes(0));
    Key(VK_RETURN); // starts the current entry; the menu stays
    ::PostMessageA(::GetDlgItem(m_player, CNativeMenuPlayer::kCopyId), BM_CLICK, 0, 0);
    EXPECT_TRUE(Eventually([&] { return m_suite.Log() == Lines{"exec Valid.dll []", "copytool 0"}; }));
    EXPECT_FALSE(::IsIconic(m_window));
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, kCopyToolKey);
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_UP})
        Key(key);
    EXPECT_TRUE(SelectionBecomes(2));
    ::PostMessageA(m_list, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0); // towards the user: up
    EXPECT_TRUE(SelectionBecomes(1));
    Key(VK_DOWN);
    EXPECT_TRUE(SelectionBecomes(2));
    Post("Orva Dereze Show Icon");
    EXPECT_TRUE(BecomesIconic(true));
    Post("Orva Dereze Show Normal");
    EXPECT_TRUE(BecomesIconic(false));
    // A direct send reaches no code of the menu: only posted messages count.
    ::SendMessageA(m_window, ::RegisterWindowMessageA("Orva Dereze Show Close"), 0, 0);
    EXPECT_EQ(m_menu.Wait(300), std::nullopt);

    fw::UniqueKernelHandle copyTool(::CreateMutexA(nullptr, TRUE, "OrvaMtxCpy"));
    HWND close = ::GetDlgItem(m_window, IDC_CLOSE);
    EXPECT_TRUE(Eventually([&] { return !::IsWindowEnabled(m_start) && !::IsWindowEnabled(close); }, 2500));
    ::PostMessageA(m_player, WM_COMMAND, MAKEWPARAM(CNativeMenuPlayer::kListId, LBN_DBLCLK),
                   reinterpret_cast<LPARAM>(m_list));
    copyTool.reset();
    EXPECT_TRUE(Eventually([&] { return ::IsWindowEnabled(m_start) && ::IsWindowEnabled(close); }, 2500));
    EXPECT_EQ(m_suite.Log().size(), 2u);

    // A failing start shows its box over the menu, which no close message
    // ends until it is answered.
    ::PostMessageA(m_start, BM_CLICK, 0, 0);
    ASSERT_TRUE(Eventually([&] { return AnyMessageBoxShown(m_menu.Id()); }));
    Post("Orva Dereze Show Close");
    EXPECT_EQ(m_menu.Wait(500), std::nullopt);
    EXPECT_EQ(
        DismissNextMessageBox(kTimeout, m_menu.Id()),
        (MessageBoxSeen{"The application could not be started (error -5).", "Lumbra", BoxIcon::Unknown, m_window}));
    EXPECT_TRUE(BecomesIconic(true)) << "the movie's start minimises the menu";
    Post("Orva Dereze Show Close");
    EXPECT_EQ(m_menu.Wait(kTimeout), std::optional<DWORD>(0));
}

TEST_F(Menu, AHundredAndFiftyEntriesShowAtAFirstAndASecondStartInBoundedMemory)
{
    for (int i = 0; i < 150; ++i) { // short and 100-character names, markup characters
        std::string number = std::to_string(1000 + i);
        m_suite.Install({i % 3 == 0   ? "App " + number + ".dll"
                         : i % 3 == 1 ? "Photo & Print [CR]Studio " + number + ".dll"
                                      : std::string(96, 'L') + number + ".dll"});
    }
    for (const char* start : {"first", "second"}) {
        Start();
        EXPECT_TRUE(Eventually([&] { return Rows() == 150; }, 10000)) << start;
        PROCESS_MEMORY_COUNTERS memory{};
        ::GetProcessMemoryInfo(m_menu.Handle(), &memory, sizeof memory);
        EXPECT_LT(std::max(memory.PeakPagefileUsage, memory.PeakWorkingSetSize), 200u << 20) << start;
        m_menu.Kill();
    }
    // The second start found nothing new: every entry stored, none focused.
    for (int i = 2; i < 150; i += 3)
        EXPECT_NE(TestSuite::Stored("Sort").find(std::string(96, 'L') + std::to_string(1000 + i) + ".dll/"),
                  std::string::npos);
    EXPECT_EQ(Document().find("focus="), std::string::npos);
}

TEST_F(Menu, SettingsChoicesChangeTheMenuAtOnceAndCancelChangesNothing)
{
    m_suite.Install({"Valid.dll", "Second.dll", "Third.dll"});
    TestSuite::Store("Sort", "Valid.dll/Second.dll/Third.dll/");
    Start();
    ASSERT_EQ(Rows(), 3);
    HWND dialog = OpenSettings();
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(::IsWindowEnabled(m_window));
    EXPECT_TRUE(ClickSettingsRow(dialog, 1, 8, LVIS_STATEIMAGEMASK, INDEXTOSTATEIMAGEMASK(1))); // Second's box: hidden
    EXPECT_TRUE(ClickSettingsRow(dialog, 2, 100, LVIS_SELECTED, LVIS_SELECTED));
    ::PostMessageA(::GetDlgItem(dialog, IDC_UP), BM_CLICK, 0, 0); // Third up
    ::PostMessageA(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(Eventually([&] { return !::IsWindow(dialog) && Built() && Rows() == 2; }));
    EXPECT_TRUE(::IsWindowEnabled(m_window));
    EXPECT_EQ(TestSuite::StoredLists(), "Valid.dll/Third.dll/Second.dll/ | Second.dll/");
    const std::string document = Document();
    EXPECT_LT(document.find("Valid.dll"), document.find("Third.dll"));
    EXPECT_EQ(document.find("Second.dll"), std::string::npos);

    dialog = OpenSettings();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(ClickSettingsRow(dialog, 0, 8, LVIS_STATEIMAGEMASK, INDEXTOSTATEIMAGEMASK(1)));
    ::PostMessageA(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_TRUE(Eventually([&] { return !::IsWindow(dialog); }));
    ::Sleep(300);
    EXPECT_EQ(Rows(), 2);
    EXPECT_EQ(Document(), document);
    EXPECT_EQ(TestSuite::Stored("NoUse"), "Second.dll/");
}

TEST_F(Menu, OnlyOnWindowsXpDoSettingsMaintainTheAutoPlayEntries)
{
    const char kAutoplayKey[] =
        "SOFTWARE\\Microsoft\\Windows\\Currentversion\\Explorer\\AutoplayHandlers\\CancelAutoplay\\Files";
    const char kAppDefaults[] = "Software\\Wine\\AppDefaults\\Lumbra.exe";
    const char* const markers[] = {"TAVRIK.IND", "RUDAVO.IND", "ONBOARD.IND"};
    // The system, the clicks on the XP option, whether the key exists (with
    // another program's value, and the markers unless one click is to add
    // them), the values left after OK.
    const std::tuple<const char*, int, bool, const char*> cases[] = {
        {"winxp", 0, true, "OTHER.IND "},
        {"winxp", 1, true, "TAVRIK.IND RUDAVO.IND ONBOARD.IND OTHER.IND "}, // cleared: the markers are added
        {"winxp", 2, true, "OTHER.IND "},
        {"winxp", 0, false, ""}, // no key: OK still ends, and no key is made
        {"win2k", 0, true, "TAVRIK.IND RUDAVO.IND ONBOARD.IND OTHER.IND "},
        {"win2003", 0, true, "TAVRIK.IND RUDAVO.IND ONBOARD.IND OTHER.IND "},
        {"win7", 0, true, "TAVRIK.IND RUDAVO.IND ONBOARD.IND OTHER.IND "},
    };
    for (const auto& [version, clicks, keyExists, left] : cases) {
        DeleteRegistryTree(HKEY_LOCAL_MACHINE, kAutoplayKey);
        if (keyExists) {
            WriteValue(HKEY_LOCAL_MACHINE, kAutoplayKey, "OTHER.IND", REG_SZ, "");
            for (const char* marker : markers)
                if (clicks != 1)
                    WriteValue(HKEY_LOCAL_MACHINE, kAutoplayKey, marker, REG_SZ, "");
        }
        WriteValue(HKEY_CURRENT_USER, kAppDefaults, "Version", REG_SZ, std::string(version) + '\0');
        Start();
        HWND dialog = OpenSettings();
        ASSERT_NE(dialog, nullptr) << version;
        for (int click = 0; click < clicks; ++click)
            ::PostMessageA(::GetDlgItem(dialog, IDC_XP_WIZARD), BM_CLICK, 0, 0);
        ::PostMessageA(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        EXPECT_TRUE(Eventually([&] { return !::IsWindow(dialog); })) << version;
        std::string found;
        for (const char* marker : {"TAVRIK.IND", "RUDAVO.IND", "ONBOARD.IND", "OTHER.IND"}) {
            DWORD type = 0, size = 1;
            if (!::RegGetValueA(HKEY_LOCAL_MACHINE, kAutoplayKey, marker, RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr,
                                &size)) {
                found += std::string(marker) + " ";
                EXPECT_EQ(type, static_cast<DWORD>(REG_SZ)) << marker;
            }
        }
        EXPECT_EQ(found, left) << version << ", " << clicks << " clicks";
        EXPECT_EQ(RegistryKeyExists(HKEY_LOCAL_MACHINE, kAutoplayKey), keyExists) << version;
        EXPECT_EQ(RegReadDword(HKEY_CURRENT_USER, kProgramKey, "AutoRun", 0), 2u) << version;
        m_menu.Kill();
        DeleteRegistryTree(HKEY_CURRENT_USER, kAppDefaults);
    }
}

// Run by the test command once more on a Japanese system (code page 932).
TEST_F(Menu, OnAJapaneseSystemNamesShowWholeAndTheDocumentDeclaresShiftJis)
{
    if (::GetACP() != 932)
        GTEST_SKIP() << "needs code page 932";
    // Characters whose second byte looks like '\\' or '|', and long names.
    const std::string photo = "\x8E\xCA\x90\x5E\x83\x5C\x83\x74\x83\x67"; // a photo application
    const std::string names[] = {photo, photo + "\x95\x5C\x8E\xA6\x94\x5C\x83\x7C", std::string(40, 'J') + photo};
    m_suite.Install({names[0] + ".dll", names[1] + ".dll", names[2] + ".dll"});
    TestSuite::Store("Sort", names[0] + ".dll/" + names[1] + ".dll/" + names[2] + ".dll/");
    Start();
    ASSERT_EQ(Rows(), 3);
    for (int row = 0; row < 3; ++row) {
        wchar_t expected[128] = {};
        ::MultiByteToWideChar(932, 0, names[row].c_str(), -1, expected, 128);
        EXPECT_EQ(Row(row), expected) << row;
    }
    const std::string document = Document();
    EXPECT_EQ(document.rfind("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>", 0), 0u);
    EXPECT_NE(document.find("id=\"" + names[1] + ".dll\""), std::string::npos);
}
