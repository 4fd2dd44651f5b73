// The main menu window with a recording player and real test plug-ins,
// driven by the messages it receives and by the movie's commands.
#include "framework/GdiGuards.h"
#include "player/AxHost.h"
#include "shell/PortalDlg.h"
#include "tests/common/Accessibility.h"
#include "tests/common/MessageBoxProbe.h"
#include "support/FormatTexts.h"
#include "tests/common/RecordingPlayer.h"
#include "tests/common/StandInFlash.h"
#include "tests/common/TestSuite.h"
#include "tests/win/fixtures/TestIds.h"

#include <utility>

using namespace testing_support;
using Lines = std::vector<std::string>;

namespace {
const char kFotopassKey[] = "SOFTWARE\\Orva Corporation\\Fotopass\\1.0";
const char kCopyToolKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\OrvaCopy.exe";
const UINT_PTR kCopyToolTimer = 100; // the window's poll of the copy tool

struct TestPortalDlg : CPortalDlg {
    explicit TestPortalDlg(const TestSuite& suite, bool recording = true) : m_suite(suite), m_bRecording(recording) {}
    using CPortalDlg::Catalog;
    using CPortalDlg::DocumentPath;
    using CPortalDlg::IsBuilding;
    using CPortalDlg::LaunchEntry;
    using CPortalDlg::NewFolder;
    using CPortalDlg::PrepareEntries;
    using CPortalDlg::RefreshMenu;
    // The window as the program shows it: created, then its menu built
    // right after its first paint.
    bool Open()
    {
        return Create() && PumpUntil([&] { return !IsBuilding(); });
    }
    RecordingPlayer player;
    int settingsRuns = 0;
    // Run once when a plug-in calls back into the menu during its call.
    std::function<void()> onPluginCall;
    CNativeMenuPlayer& BuiltIn() { return m_nativePlayer; }
    IMoviePlayer* ChoosePlayer() override { return m_bRecording ? &player : CPortalDlg::ChoosePlayer(); }
    std::unique_ptr<CAppCatalog> NewCatalog() override
    {
        return std::make_unique<CAppCatalog>(m_suite.AppInfo(), m_suite.MenuSwf());
    }
    // The settings dialog itself has tests of its own; a second "CONFIG"
    // while it runs must open nothing.
    INT_PTR RunSettings() override
    {
        ++settingsRuns;
        OnFSCommand("CONFIG", "");
        return IDCANCEL;
    }
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (msg != WM_TEST_PLUGIN_CALL || !onPluginCall)
            return CPortalDlg::OnMessage(msg, wParam, lParam, result);
        std::exchange(onPluginCall, nullptr)();
        return true;
    }
    const TestSuite& m_suite;
    bool m_bRecording;
};

struct PortalWindow : SuiteTest {
    void SetUp() override
    {
        SuiteTest::SetUp();
        ASSERT_TRUE(ax::RegisterAxHostClass()); // the movie's host is in the template
        m_suite.Install({"Valid.dll", "Second.dll", "ExecFails.dll", "Listed0.dll", "kadro_imxinput_01.dll"});
        TestSuite::Store("Sort", "Valid.dll/Second.dll/ExecFails.dll/");
        TestSuite::Store("NoUse", "kadro_imxinput_01.dll/");
    }

    HWND Open()
    {
        EXPECT_TRUE(m_dlg.Open());
        m_dlg.player.calls.clear();
        return m_dlg.GetSafeHwnd();
    }
    // As the program's loop would: through the pre-translation walk.
    void PostRegistered(const char* name)
    {
        ::PostMessageA(m_dlg.GetSafeHwnd(), ::RegisterWindowMessageA(name), 0, 0);
        Pump();
    }
    bool PreTranslate(UINT message, WPARAM wParam = 0)
    {
        MSG msg{m_dlg.GetSafeHwnd(), message, wParam, 0, 0, {0, 0}};
        return fw::WalkPreTranslate(&msg);
    }
    void Send(const char* command, const std::string& args) { m_dlg.player.Send(command, args); }
    void SetNewFolder(const std::string& folder)
    {
        WriteValue(HKEY_CURRENT_USER, kFotopassKey, "NewFolder", REG_SZ, folder);
    }
    static bool IsLoaded(const std::string& library) { return ::GetModuleHandleA(library.c_str()) != nullptr; }
    // A menu build where the document cannot be written: a folder takes its
    // place. The boxes it shows.
    static std::vector<MessageBoxSeen> RefreshWithoutDocument(TestPortalDlg& dlg)
    {
        const std::string path = dlg.DocumentPath();
        ::DeleteFileA(path.c_str());
        ::CreateDirectoryA(path.c_str(), nullptr);
        std::vector<MessageBoxSeen> boxes = CollectMessageBoxes([&] { dlg.RefreshMenu(); });
        ::RemoveDirectoryA(path.c_str());
        return boxes;
    }
    // The labels of the start and close buttons of the movie.
    std::string LockLabels()
    {
        std::string labels;
        for (const char* target : {"_root.mcLauncher.mcExecute", "_root.mcLauncher.mcMenu.mcButtonMenuExec",
                                   "_root.mcConfig.mcStaticButton_Back", "_root.mcFotopass.mcStaticButton_Back"})
            labels += m_dlg.player.labels[target] + " ";
        return labels;
    }

    fw::ScopedComInit m_com;
    TestPortalDlg m_dlg{m_suite};
};
} // namespace

TEST_F(PortalWindow, BuildsTheMenuForAPlayerOfVersion6AndLeavesItEmptyWithoutADocument)
{
    m_dlg.player.version = 0x5FFFF;
    EXPECT_EQ(
        CollectMessageBoxes([&] { ASSERT_TRUE(m_dlg.Open()); }),
        (std::vector<MessageBoxSeen>{{m_library.LoadText(IDS_FLASH_TOO_OLD), "win_tests", BoxIcon::Error, nullptr}}));
    EXPECT_EQ(m_dlg.player.calls, Lines{"FlashVersion()"});
    EXPECT_EQ(m_dlg.Catalog(), nullptr);

    m_dlg.player.version = 0x60000;
    m_dlg.player.calls.clear();
    m_dlg.RefreshMenu();
    EXPECT_EQ(m_dlg.player.variables,
              (std::map<std::string, std::string>{
                  {"_root:XMLFile", m_dlg.DocumentPath()},
                  {"_root.mcFotopass.mcStaticButton_Back:Text", m_library.LoadText(IDS_BACK_IMPORT)},
                  {"_root.mcConfig.mcStaticButton_Back:Text", m_library.LoadText(IDS_BACK_SETTINGS)}}));
    ASSERT_GE(m_dlg.player.calls.size(), 4u);
    EXPECT_EQ(m_dlg.player.calls[1], "LoadMovie(0," + m_suite.MenuSwf() + "PortalApp.swf)");
    EXPECT_EQ(Lines(m_dlg.player.calls.end() - 2, m_dlg.player.calls.end()), (Lines{"Rewind()", "Play()"}));

    m_dlg.player.variables.clear();
    RefreshWithoutDocument(m_dlg);
    EXPECT_EQ(m_dlg.player.calls.back(), "TGotoFrame(_root,0)");
    EXPECT_TRUE(m_dlg.player.variables.empty());
}

TEST_F(PortalWindow, WithoutFlashTheBuiltInPlayerShowsTheMenuOrNothingWithoutADocument)
{
    catalog::IdList ids{"Valid.dll",   "Second.dll",    "Special.dll",          "Caf\xe9.dll",
                        "Name100.dll", "ExecFails.dll", "kadro_imxinput_01.dll"};
    for (int i = 10; i < 60; ++i)
        ids.push_back("App" + std::to_string(i) + ".dll");
    m_suite.Install(ids);
    TestSuite::Store("Sort", catalog::JoinStoredList(ids)); // no new entry takes the focus from the one used last
    TestSuite::Store("LastUse", "App59.dll");
    TestPortalDlg dlg(m_suite, false);
    ASSERT_TRUE(dlg.Open());
    HWND list = dlg.BuiltIn().ListWindow();
    ASSERT_NE(list, nullptr) << "no Flash control: the built-in player takes the movie area";
    ASSERT_EQ(::SendMessageA(list, LB_GETCOUNT, 0, 0), 56);
    Lines rows(7);
    for (size_t row = 0; row < rows.size(); ++row) {
        char text[128] = {};
        ::SendMessageA(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text));
        rows[row] = text;
    }
    EXPECT_EQ(rows, (Lines{"Valid", "Second Entry", "Say \"<Cheese>\" & smile", "Caf\xe9", std::string(100, 'N'),
                           "ExecFails", "App10"}));
    EXPECT_EQ(::SendMessageA(list, LB_GETCURSEL, 0, 0), 55) << "the entry used last";
    EXPECT_GT(::SendMessageA(list, LB_GETTOPINDEX, 0, 0), 0) << "scrolled into view";
    EXPECT_TRUE(::IsWindowEnabled(dlg.BuiltIn().StartButton()));
    EXPECT_TRUE(dlg.BuiltIn().PicturesPending()) << "the rows show before any picture is decoded";
    EXPECT_TRUE(Eventually([&] {
        Pump();
        return !dlg.BuiltIn().PicturesPending();
    })) << "and the pictures follow";

    // A document that cannot be read: an empty menu that says so, and the
    // rest of the window keeps working.
    WriteAll(dlg.DocumentPath(), "<menu><data id=\"A.dll\" name=\"A & B\" /></menu>");
    dlg.BuiltIn().Rewind();
    dlg.BuiltIn().Play();
    EXPECT_EQ(::SendMessageA(list, LB_GETCOUNT, 0, 0), 0);
    EXPECT_TRUE(dlg.BuiltIn().ListUnreadable());
    EXPECT_FALSE(::IsWindowVisible(list)) << "the empty-menu text shows instead";
    EXPECT_FALSE(::IsWindowEnabled(dlg.BuiltIn().StartButton()));

    RefreshWithoutDocument(dlg); // the movie's first frame: an empty menu
    EXPECT_EQ(::SendMessageA(list, LB_GETCOUNT, 0, 0), 0);
    EXPECT_FALSE(dlg.BuiltIn().ListUnreadable());
    EXPECT_FALSE(::IsWindowEnabled(dlg.BuiltIn().StartButton()));
}

TEST_F(PortalWindow, TheWheelTheKeysAndTheMiddleButtonDriveTheMenu)
{
    HWND window = Open();
    // A message, the up button's label, the menu clip's new label.
    const std::tuple<UINT, WPARAM, const char*, const char*> cases[] = {
        {WM_MOUSEWHEEL, 0, "", "Up1"}, // away from the user, even by 0, acts like Down
        {WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), "", "Down1"},
        {WM_KEYDOWN, VK_UP, "Disable", ""},
        {WM_KEYDOWN, VK_UP, "disable", "Down1"},
        {WM_KEYDOWN, VK_DOWN, "Disable", "Up1"},
    };
    for (const auto& [message, wParam, upLabel, step] : cases) {
        m_dlg.player.labels = {{"_root.mcLauncher.mcButtonUp", upLabel}};
        if (message == WM_MOUSEWHEEL)
            ::SendMessageA(window, message, wParam, 0);
        else
            EXPECT_FALSE(PreTranslate(message, wParam)) << "the key goes on to its window";
        EXPECT_EQ(m_dlg.player.labels["_root.mcLauncher.mcMenu"], step) << upLabel;
        EXPECT_EQ(m_dlg.player.calls.back() == "TPlay(_root.mcLauncher.mcMenu)", *step != '\0');
    }
    // Tab and the right button are swallowed; Escape does not end the menu.
    EXPECT_TRUE(PreTranslate(WM_KEYDOWN, VK_TAB));
    EXPECT_TRUE(PreTranslate(WM_RBUTTONDOWN));
    EXPECT_FALSE(PreTranslate(WM_KEYDOWN, VK_ESCAPE));
    EXPECT_FALSE(m_dlg.IsEnded());

    // Enter and the middle button start the movie's current entry in place.
    m_dlg.player.variables["_root:CurrentDLL"] = "Valid.dll";
    EXPECT_FALSE(PreTranslate(WM_KEYDOWN, VK_RETURN));
    m_dlg.player.variables["_root:CurrentDLL"] = "Second.dll";
    EXPECT_FALSE(PreTranslate(WM_MBUTTONDOWN));
    EXPECT_EQ(m_suite.Log(), (Lines{"exec Valid.dll []", "exec Second.dll []"}));
    EXPECT_FALSE(::IsIconic(window));
}

TEST_F(PortalWindow, TheBuiltInMenuIsCentredNamesItsControlsAndLettersAltAndArrowsActButNotTabOrEscape)
{
    TestPortalDlg dlg(m_suite, false);
    ASSERT_TRUE(dlg.Open());
    HWND window = dlg.GetSafeHwnd(), list = dlg.BuiltIn().ListWindow();
    RECT area{}, menu{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    ::GetWindowRect(window, &menu);
    EXPECT_NEAR(menu.left + menu.right, area.left + area.right, 1);
    EXPECT_NEAR(menu.top + menu.bottom, area.top + area.bottom, 1);
    const std::pair<HWND, const char*> names[] = {
        {::GetDlgItem(window, IDC_MINIMIZE), "Minimize"},
        {::GetDlgItem(window, IDC_CLOSE), "Close"},
        {::GetDlgItem(dlg.BuiltIn().GetSafeHwnd(), CNativeMenuPlayer::kSettingsId), "Settings"},
        {::GetDlgItem(dlg.BuiltIn().GetSafeHwnd(), CNativeMenuPlayer::kCopyId), "Copy pictures"},
        {dlg.BuiltIn().StartButton(), "Start"},
        {list, "Applications"},
    };
    for (const auto& [control, name] : names)
        EXPECT_EQ(AccessibleName(control), name);

    FocusEvents events;
    ::SetFocus(list);
    ASSERT_EQ(::SendMessageA(list, LB_GETCURSEL, 0, 0), 0); // Valid, Second Entry, ExecFails
    // A message to the window with the focus, the row selected after it.
    const std::tuple<UINT, WPARAM, int> keys[] = {
        {WM_CHAR, 'e', 2},       {WM_CHAR, 'S', 1},          {WM_CHAR, 'q', 1},
        {WM_KEYDOWN, VK_TAB, 1}, {WM_KEYDOWN, VK_ESCAPE, 1}, {WM_CHAR, VK_ESCAPE, 1},
        {WM_CHAR, 'v', 0},       {WM_CHAR, '\t', 0},         {WM_KEYDOWN, VK_DOWN, 1},
    };
    for (const auto& [message, key, row] : keys) {
        ::PostMessageA(::GetFocus(), message, key, 1);
        Pump();
        EXPECT_EQ(::SendMessageA(list, LB_GETCURSEL, 0, 0), row) << key;
        EXPECT_EQ(dlg.BuiltIn().Model().Selected(), row) << key;
        EXPECT_EQ(::GetFocus(), list) << key;
        EXPECT_FALSE(dlg.IsEnded()) << key;
    }
    // The arrow moved the selection through the labels: announced.
    const auto announced = events.Take(list);
    EXPECT_NE(std::find(announced.begin(), announced.end(), FocusEvents::Event{list, OBJID_CLIENT, 2}),
              announced.end());
    WriteValue(HKEY_LOCAL_MACHINE, kCopyToolKey, "Path", REG_SZ, BuildFolder("tests/win/plugins/copytool"));
    for (WPARAM letter : {'s', 'C'})
        ::PostMessageA(list, WM_SYSCHAR, letter, 0x20000001);
    Pump();
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, kCopyToolKey);
    EXPECT_EQ(dlg.settingsRuns, 1);
    EXPECT_EQ(m_suite.Log(), (Lines{"copytool 0"}));
    ::PostMessageA(list, WM_SYSKEYDOWN, VK_F4, 0x20000001);
    Pump();
    EXPECT_TRUE(dlg.IsEnded());
}

TEST_F(PortalWindow, TheSkinDragsTheWindowWithTheLeftButtonAloneAndTheButtonsMinimiseAndEndIt)
{
    HWND window = Open();
    RECT start{};
    ::GetWindowRect(window, &start);
    auto moved = [&] {
        RECT now{};
        ::GetWindowRect(window, &now);
        return std::to_string(now.left - start.left) + "," + std::to_string(now.top - start.top);
    };
    ::SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50, 50)); // no press yet
    ::SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 10));
    ::SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, MAKELPARAM(140, 30));
    EXPECT_EQ(moved(), "0,0");
    ::SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(130, 25));
    EXPECT_EQ(moved(), "30,15");
    ::SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(130, 25));
    ::SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 200));
    EXPECT_EQ(moved(), "30,15");
    EXPECT_EQ(::GetCapture(), nullptr);

    ::SendMessageA(::GetDlgItem(window, IDC_MINIMIZE), BM_CLICK, 0, 0);
    EXPECT_TRUE(::IsIconic(window));
    ::EnableWindow(window, FALSE); // as while a modal child is up
    PostRegistered("Orva Dereze Show Close");
    EXPECT_FALSE(m_dlg.IsEnded());
    // The close button ends the run with IDOK, the suite's close with IDCANCEL.
    TestPortalDlg first(m_suite), second(m_suite);
    EXPECT_EQ(RunModal(first, {[&] { ::SendMessageA(::GetDlgItem(first.GetSafeHwnd(), IDC_CLOSE), BM_CLICK, 0, 0); }}),
              IDOK);
    UINT close = ::RegisterWindowMessageA("Orva Dereze Show Close");
    EXPECT_EQ(RunModal(second, {[&] { ::PostMessageA(second.GetSafeHwnd(), close, 0, 0); }}), IDCANCEL);
}

TEST_F(PortalWindow, TheCopyToolLocksStartingAndClosingUntilItEnds)
{
    HWND window = Open();
    fw::UniqueKernelHandle copyTool(::CreateMutexA(nullptr, TRUE, "OrvaMtxCpy"));
    for (int tick = 0; tick < 2; ++tick) {
        m_dlg.player.labels.clear();
        ::SendMessageA(window, WM_TIMER, kCopyToolTimer, 0);
        EXPECT_EQ(LockLabels(), "Disable Disable Disable Disable ") << "at every tick";
    }
    Send("EXEC", "Valid.dll");
    m_dlg.player.variables["_root:CurrentDLL"] = "Second.dll";
    PreTranslate(WM_KEYDOWN, VK_RETURN); // Enter is not locked
    EXPECT_EQ(m_suite.Log(), Lines{"exec Second.dll []"});
    EXPECT_FALSE(::IsIconic(window));

    copyTool.reset();
    ::SendMessageA(window, WM_TIMER, kCopyToolTimer, 0);
    EXPECT_EQ(LockLabels(), "Up Selected Up Up ");
    m_dlg.player.calls.clear();
    ::SendMessageA(window, WM_TIMER, kCopyToolTimer, 0);
    EXPECT_TRUE(m_dlg.player.calls.empty()) << "only the first free tick unlocks";
}

TEST_F(PortalWindow, ExecStartsCatalogEntriesOnlyRemembersThemAndMinimises)
{
    HWND window = Open();
    Send("EXEC", "Valid.dll");
    EXPECT_EQ(TestSuite::Stored("LastUse"), "Valid.dll");
    EXPECT_TRUE(::IsIconic(window));
    EXPECT_FALSE(IsLoaded(m_suite.AppInfo() + "Valid.dll"));
    for (const char* ignored : {"..\\AppInfo\\Valid.dll", "C:\\windows\\system32\\shell32.dll", "Listed0.dll",
                                "valid.dll", "", "Missing.dll"})
        Send("EXEC", ignored);
    Send("exec", "Second.dll");
    EXPECT_EQ(CollectMessageBoxes([&] { Send("EXEC", "ExecFails.dll"); }),
              (std::vector<MessageBoxSeen>{
                  {"The application could not be started (error -5).", "win_tests", BoxIcon::Error, window}}));
    EXPECT_EQ(TestSuite::Stored("LastUse"), "Valid.dll");
    EXPECT_EQ(m_suite.Log(), (Lines{"exec Valid.dll []", "exec ExecFails.dll []"}));
}

TEST_F(PortalWindow, TheRepeatGuardTakesExecWaitFromTheMachineAndFiveSecondsForTheImport)
{
    // An ExecWait of 0 allows an immediate repeat, but only where it is read:
    // the machine's key, and not for the import entry, which waits 5000 ms.
    const std::tuple<HKEY, const char*, size_t> cases[] = {{nullptr, "Valid.dll", 1},
                                                           {HKEY_CURRENT_USER, "Valid.dll", 1},
                                                           {HKEY_LOCAL_MACHINE, "Valid.dll", 2},
                                                           {HKEY_LOCAL_MACHINE, "kadro_imxinput_01.dll", 1}};
    for (const auto& [zeroIn, entry, starts] : cases) {
        for (HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
            ::RegDeleteKeyValueA(hive, kProgramKey, "ExecWait");
        if (zeroIn)
            WriteValue(zeroIn, kProgramKey, "ExecWait", REG_DWORD, std::string(4, '\0'));
        ::DeleteFileA(m_suite.LogPath().c_str());
        TestPortalDlg dlg(m_suite);
        ASSERT_TRUE(dlg.Open());
        dlg.LaunchEntry(entry);
        dlg.LaunchEntry(entry);
        EXPECT_EQ(m_suite.Log().size(), starts) << entry;
    }
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, kProgramKey);
}

TEST_F(PortalWindow, TheImportFolderGoesToThePluginsAndLaterStartsAndCopyToTheCopyTool)
{
    Open();
    SetNewFolder("C:\\Photos\\New");
    PostRegistered("Fotopass End.");
    Send("EXEC", "Valid.dll");
    SetNewFolder("");
    PostRegistered("Fotopass End.");
    EXPECT_EQ(m_dlg.NewFolder(), "");
    EXPECT_FALSE(IsLoaded(m_suite.AppInfo() + "Second.dll"));

    DeleteRegistryTree(HKEY_LOCAL_MACHINE, kCopyToolKey);
    Send("COPY", ""); // no copy tool registered
    // Registered without a folder: the library of the current folder is not
    // taken instead.
    WriteValue(HKEY_LOCAL_MACHINE, kCopyToolKey, "Path", REG_SZ, std::string(1, '\0'));
    char current[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, current);
    ::SetCurrentDirectoryA(BuildFolder("tests/win/plugins/copytool").c_str());
    Send("COPY", "");
    ::SetCurrentDirectoryA(current);
    WriteValue(HKEY_LOCAL_MACHINE, kCopyToolKey, "Path", REG_SZ,
               "\"" + BuildFolder("tests/win/plugins/copytool") + "\"");
    for (const char* command : {"COPY", "copy", "CONFIG"})
        Send(command, "ignored");
    EXPECT_FALSE(IsLoaded(TestSuite::CopyToolLibrary()));
    EXPECT_EQ(m_dlg.settingsRuns, 1);
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, kCopyToolKey);
    EXPECT_EQ(m_suite.Log(),
              (Lines{"prepare Valid.dll [C:\\Photos\\New]", "prepare Second.dll [C:\\Photos\\New]",
                     "prepare ExecFails.dll [C:\\Photos\\New]", "exec Valid.dll [C:\\Photos\\New]", "copytool 0"}));
}

TEST_F(PortalWindow, CommandsAndMessagesFromInsideAPluginCallAreCarriedOutOnceAfterIt)
{
    m_suite.Install({"Reentrant.dll"});
    TestSuite::Store("Sort", "Reentrant.dll/Valid.dll/Second.dll/ExecFails.dll/");
    HWND window = Open();
    // During Exec the plug-in's own loop, which knows nothing of the menu's
    // pre-translation, handles a new import and a "minimise".
    SetNewFolder("C:\\Photos\\New");
    m_dlg.onPluginCall = [&] {
        PostRegistered("Orva Dereze Show Icon");
        ::PostMessageA(window, ::RegisterWindowMessageA("Fotopass End."), 0, 0);
        for (MSG msg; ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);)
            ::DispatchMessageA(&msg);
        EXPECT_TRUE(::IsIconic(window)) << "handled by the window itself";
        Send("EXEC", "Valid.dll"); // waits for this call
    };
    Send("EXEC", "Reentrant.dll");
    EXPECT_EQ(m_suite.Log(), Lines{"exec Reentrant.dll []"}) << "nothing else while the plug-in runs";
    Pump();
    EXPECT_EQ(m_suite.Log(), (Lines{"exec Reentrant.dll []", "prepare Reentrant.dll [C:\\Photos\\New]",
                                    "prepare Valid.dll [C:\\Photos\\New]", "prepare Second.dll [C:\\Photos\\New]",
                                    "prepare ExecFails.dll [C:\\Photos\\New]", "exec Valid.dll [C:\\Photos\\New]"}));

    // The suite's close during a call ends the menu once the call returns.
    m_dlg.onPluginCall = [&] {
        PostRegistered("Orva Dereze Show Close");
        EXPECT_TRUE(m_dlg.IsEnded());
    };
    Send("EXEC", "Reentrant.dll");
    EXPECT_TRUE(m_dlg.IsEnded());
}

TEST_F(PortalWindow, TheWindowShowsBeforeThePluginsAreAskedAndWhatTheyClickDuringItWaitsForTheBuild)
{
    m_suite.InstallHostile({"Pumping.dll"});
    TestSuite::Store("Sort", "Valid.dll/Second.dll/ExecFails.dll/Pumping.dll/");
    WriteValue(HKEY_LOCAL_MACHINE, kCopyToolKey, "Path", REG_SZ, BuildFolder("tests/win/plugins/copytool") + '\0');
    SetNewFolder("C:\\In");
    TestPortalDlg dlg(m_suite, false);
    ASSERT_TRUE(dlg.Create());
    EXPECT_TRUE(::IsWindowVisible(dlg.GetSafeHwnd()));
    EXPECT_EQ(dlg.Catalog(), nullptr) << "shown before any plug-in is asked";
    char name[64] = {};
    ::GetWindowTextA(dlg.BuiltIn().ListWindow(), name, sizeof name);
    EXPECT_STREQ(name, "Looking for applications...") << "the list says it is filling";
    ASSERT_TRUE(PumpUntil([&] { return !dlg.IsBuilding(); }));
    // The plug-in pressed settings, start and copy and posted an import's end
    // while its record was asked for: each ran once, in that order, after
    // the build; "minimise" at once.
    EXPECT_TRUE(Eventually([&] {
        Pump();
        return m_suite.Log().size() >= 7;
    }));
    const Lines prepared = {"prepare Valid.dll [C:\\In]", "prepare Second.dll [C:\\In]",
                            "prepare ExecFails.dll [C:\\In]", "prepare Pumping.dll [C:\\In]"};
    Lines expected = {"pumping in GetInfo", "exec Valid.dll []", "copytool 0"};
    expected.insert(expected.end(), prepared.begin(), prepared.end());
    EXPECT_EQ(m_suite.Log(), expected);
    EXPECT_EQ(dlg.settingsRuns, 1);
    EXPECT_TRUE(::IsIconic(dlg.GetSafeHwnd()));

    // The same from inside its Exec; the start it presses repeats its own
    // and is dropped by the repeat guard.
    ::SendMessageA(dlg.BuiltIn().ListWindow(), LB_SETCURSEL, 3, 0);
    ::SendMessageA(dlg.BuiltIn().GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(CNativeMenuPlayer::kListId, LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(dlg.BuiltIn().ListWindow()));
    ::SendMessageA(dlg.BuiltIn().StartButton(), BM_CLICK, 0, 0);
    Pump();
    expected.insert(expected.end(), {"pumping in Exec", "exec Pumping.dll [C:\\In]", "copytool 0"});
    expected.insert(expected.end(), prepared.begin(), prepared.end());
    EXPECT_EQ(m_suite.Log(), expected);
    EXPECT_EQ(dlg.settingsRuns, 2);
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, kCopyToolKey);
}

TEST_F(PortalWindow, AMenuThatCannotBeWrittenSaysWhereAndNothingIsWrittenOutsideTheTemporaryFolder)
{
    TestPortalDlg dlg(m_suite, false);
    ASSERT_TRUE(dlg.Open());
    char saved[MAX_PATH] = {};
    ::GetEnvironmentVariableA("TMP", saved, MAX_PATH);
    WriteAll(m_scratch.Path() + "file", "");
    const std::string tooLong = m_scratch.Path() + std::string(260, 'L') + "\\";
    // The temporary folder as set, and how the box and the player name it.
    const std::pair<std::string, std::string> cases[] = {
        {m_scratch.Path() + "Missing\\", m_scratch.Path() + "Missing\\"},
        {m_scratch.Path() + "file", m_scratch.Path() + "file\\"},
        {tooLong, tooLong},
    };
    const std::string root = "\\" + std::string(kMenuDocumentName);
    ::DeleteFileA(root.c_str());
    for (const auto& [tmp, named] : cases) {
        ::SetEnvironmentVariableA("TMP", tmp.c_str());
        const std::string text = support::FormatTexts(m_library.LoadText(IDS_TEMP_FOLDER_UNUSABLE), {named});
        EXPECT_EQ(CollectMessageBoxes([&] { dlg.RefreshMenu(); }),
                  (std::vector<MessageBoxSeen>{{text, "win_tests", BoxIcon::Error, dlg.GetSafeHwnd()}}));
        EXPECT_EQ(dlg.BuiltIn().Problem(), text) << "instead of an empty menu";
        EXPECT_EQ(::SendMessageA(dlg.BuiltIn().ListWindow(), LB_GETCOUNT, 0, 0), 0);
        EXPECT_EQ(::GetFileAttributesA(root.c_str()), INVALID_FILE_ATTRIBUTES) << "nothing at the drive's root";
    }
    ::SetEnvironmentVariableA("TMP", saved);
    dlg.RefreshMenu();
    EXPECT_EQ(dlg.BuiltIn().Problem(), "") << "until a menu is built again";
    const std::string text = support::FormatTexts(m_library.LoadText(IDS_DOCUMENT_NOT_WRITTEN), {dlg.DocumentPath()});
    EXPECT_EQ(RefreshWithoutDocument(dlg),
              (std::vector<MessageBoxSeen>{{text, "win_tests", BoxIcon::Error, dlg.GetSafeHwnd()}}));
    EXPECT_EQ(dlg.BuiltIn().Problem(), text);
    dlg.RefreshMenu();
    EXPECT_EQ(::SendMessageA(dlg.BuiltIn().ListWindow(), LB_GETCOUNT, 0, 0), 3);
}

TEST_F(PortalWindow, WithTheFlashControlAMissingMovieIsNamedAndTheBuiltInMenuTakesOver)
{
    stand_in::Registration standIn;
    ASSERT_TRUE(standIn.Registered());
    for (bool present : {true, false}) {
        if (present)
            WriteAll(m_suite.MenuSwf() + "PortalApp.swf", "movie");
        else
            ::DeleteFileA((m_suite.MenuSwf() + "PortalApp.swf").c_str());
        TestPortalDlg dlg(m_suite, false);
        std::vector<MessageBoxSeen> boxes = CollectMessageBoxes([&] { ASSERT_TRUE(dlg.Open()); });
        const std::string movie = m_suite.MenuSwf() + "PortalApp.swf";
        if (present) {
            EXPECT_TRUE(boxes.empty());
            EXPECT_EQ(dlg.BuiltIn().GetSafeHwnd(), nullptr) << "the control shows the menu";
            continue;
        }
        EXPECT_EQ(boxes,
                  (std::vector<MessageBoxSeen>{{support::FormatTexts(m_library.LoadText(IDS_MOVIE_MISSING), {movie}),
                                                "win_tests", BoxIcon::Error, dlg.GetSafeHwnd()}}));
        ASSERT_NE(dlg.BuiltIn().ListWindow(), nullptr);
        EXPECT_TRUE(::IsWindowVisible(dlg.BuiltIn().GetSafeHwnd()));
        EXPECT_EQ(::SendMessageA(dlg.BuiltIn().ListWindow(), LB_GETCOUNT, 0, 0), 3) << "with the way to the settings";
    }
}
