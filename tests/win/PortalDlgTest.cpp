// The main menu window with a recording player and real test plug-ins,
// driven by the messages it receives and by the movie's commands.
#include "framework/Dialog.h"
#include "framework/GdiGuards.h"
#include "player/AxHost.h"
#include "shell/PortalDlg.h"
#include "support/Registry.h"
#include "support/ResourceLibrary.h"
#include "tests/common/MessageBoxProbe.h"
#include "tests/common/RecordingPlayer.h"
#include "tests/common/TestSystem.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using namespace testing_support;
using Calls = std::vector<std::string>;

namespace {
const char kFotopassKey[] = "SOFTWARE\\Orva Corporation\\Fotopass\\1.0";
const char kCopyToolKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\OrvaCopy.exe";

class TestPortalDlg : public CPortalDlg {
public:
    RecordingPlayer player;
    std::string appInfo;
    std::string menuSwf;

protected:
    IMoviePlayer* ChoosePlayer() override { return &player; }
    std::unique_ptr<CAppCatalog> NewCatalog() override { return std::make_unique<CAppCatalog>(appInfo, menuSwf); }
};

class PortalWindow : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_library.Load((BuildFolder("bin") + "Lumbra.dll").c_str()));
        g_pResourceLibrary = &m_library;
        ASSERT_TRUE(ax::RegisterAxHostClass()); // the movie's host is in the template
        ::CreateDirectoryA((m_scratch.Path() + "AppInfo").c_str(), nullptr);
        ::CreateDirectoryA((m_scratch.Path() + "MenuSwf").c_str(), nullptr);
        for (const char* plugin : {"Valid.dll", "Second.dll", "ExecFails.dll", "Listed0.dll"})
            ASSERT_TRUE(CopyInto(BuildFolder("tests/win/plugins/dlls") + plugin, AppInfo() + plugin));
        HKEY key = nullptr;
        ::RegCreateKeyExA(HKEY_CURRENT_USER, kProgramKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        for (const char* value : {"Sort", "NoUse", "LastUse"})
            ::RegDeleteValueA(key, value);
        ::RegCloseKey(key);
        RegWriteString(HKEY_CURRENT_USER, kProgramKey, "Sort", "Valid.dll/Second.dll/ExecFails.dll/");
        ::SetEnvironmentVariableA("LUMBRA_TEST_LOG", LogPath().c_str());
        m_dlg.appInfo = AppInfo();
        m_dlg.menuSwf = m_scratch.Path() + "MenuSwf\\";
    }
    void TearDown() override
    {
        if (HWND hwnd = m_dlg.GetSafeHwnd())
            ::DestroyWindow(hwnd);
        g_pResourceLibrary = nullptr;
        ::SetEnvironmentVariableA("LUMBRA_TEST_LOG", nullptr);
    }

    std::string AppInfo() const { return m_scratch.Path() + "AppInfo\\"; }
    std::string LogPath() const { return m_scratch.Path() + "calls.log"; }

    void Open()
    {
        ASSERT_TRUE(m_dlg.Create());
        m_dlg.player.calls.clear();
    }

    // What the plug-ins and the copy tool were asked to do.
    Calls PluginLog() const
    {
        Calls lines;
        std::ifstream in(LogPath());
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    // The program's message loop: every queued message through the
    // pre-translation walk, then dispatched.
    static void Pump()
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!fw::WalkPreTranslate(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
    }
    void PostRegistered(const char* name)
    {
        ::PostMessageA(m_dlg.GetSafeHwnd(), ::RegisterWindowMessageA(name), 0, 0);
        Pump();
    }
    bool Key(WPARAM key)
    {
        MSG msg{m_dlg.GetSafeHwnd(), WM_KEYDOWN, key, 1, 0, {0, 0}};
        return fw::WalkPreTranslate(&msg);
    }
    static std::string Stored(const char* value) { return RegReadString(HKEY_CURRENT_USER, kProgramKey, value, ""); }

    fw::ScopedComInit m_com;
    CResourceLibrary m_library;
    ScratchFolder m_scratch{"lumbra_portal"};
    TestPortalDlg m_dlg;
};
} // namespace

TEST_F(PortalWindow, BuildsTheMenuInTheFixedOrderOfCalls)
{
    ASSERT_TRUE(m_dlg.Create());
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    std::string document = std::string(temp) + "PortalApp.xml";
    EXPECT_EQ(m_dlg.player.calls, (Calls{"FlashVersion()",
                                         "LoadMovie(0," + m_dlg.menuSwf + "PortalApp.swf)",
                                         "SetVariable(_root:XMLFile," + document + ")",
                                         "SetVariable(_root.mcFotopass.mcStaticButton_Back:Text,Back)",
                                         "SetVariable(_root.mcConfig.mcStaticButton_Back:Text,Back)",
                                         "Rewind()",
                                         "Play()"}));
    EXPECT_EQ(m_dlg.DocumentPath(), document);
    std::ifstream in(document, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("id=\"Valid.dll\""), std::string::npos);
    EXPECT_EQ(Stored("Sort"), "Valid.dll/Second.dll/ExecFails.dll/");

    RECT client{};
    ::GetClientRect(m_dlg.GetSafeHwnd(), &client);
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 30 + 420);
    char title[64] = {};
    ::GetWindowTextA(m_dlg.GetSafeHwnd(), title, sizeof title);
    EXPECT_STREQ(title, "Imagora Menu");
}

TEST_F(PortalWindow, ATooOldPlayerIsReportedAndNoMenuIsBuilt)
{
    m_dlg.player.version = 0x5FFFF;
    auto boxes = CollectMessageBoxes([&] { ASSERT_TRUE(m_dlg.Create()); });
    EXPECT_EQ(m_dlg.player.calls, (Calls{"FlashVersion()"}));
    EXPECT_EQ(m_dlg.Catalog(), nullptr);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, m_library.LoadText(IDS_FLASH_TOO_OLD));
    EXPECT_EQ(boxes[0].owner, nullptr);
    EXPECT_EQ(boxes[0].icon, BoxIcon::Error) << IconName(boxes[0].icon);

    m_dlg.player.calls.clear();
    m_dlg.player.version = 0x60000;
    m_dlg.RefreshMenu();
    EXPECT_EQ(m_dlg.player.calls.back(), "Play()");
}

TEST_F(PortalWindow, AnUnwritableDocumentSendsTheMovieToFrameZero)
{
    char saved[MAX_PATH] = {};
    ::GetEnvironmentVariableA("TMP", saved, MAX_PATH);
    ::SetEnvironmentVariableA("TMP", (m_scratch.Path() + "NoSuchFolder").c_str());
    ::SetEnvironmentVariableA("TEMP", (m_scratch.Path() + "NoSuchFolder").c_str());
    ASSERT_TRUE(m_dlg.Create());
    ::SetEnvironmentVariableA("TMP", saved);
    ::SetEnvironmentVariableA("TEMP", saved);
    ASSERT_GE(m_dlg.player.calls.size(), 3u);
    EXPECT_EQ(m_dlg.player.calls.back(), "TGotoFrame(_root,0)");
    EXPECT_TRUE(m_dlg.player.variables.empty());
}

TEST_F(PortalWindow, TheWheelAndTheArrowKeysStepTheMenu)
{
    Open();
    ::SendMessageA(m_dlg.GetSafeHwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, 0), 0);
    EXPECT_EQ(m_dlg.player.calls, (Calls{"TCurrentLabel(_root.mcLauncher.mcButtonDown)",
                                         "TGotoLabel(_root.mcLauncher.mcMenu,Up1)", "TPlay(_root.mcLauncher.mcMenu)"}));
    m_dlg.player.calls.clear();
    ::SendMessageA(m_dlg.GetSafeHwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
    EXPECT_EQ(m_dlg.player.calls, (Calls{"TCurrentLabel(_root.mcLauncher.mcButtonUp)",
                                         "TGotoLabel(_root.mcLauncher.mcMenu,Down1)", "TPlay(_root.mcLauncher.mcMenu)"}));

    const struct {
        const char* upLabel;
        bool steps;
    } cases[] = {{"Disable", false}, {"disable", true}, {"Up", true}, {"", true}};
    for (const auto& c : cases) {
        m_dlg.player.labels["_root.mcLauncher.mcButtonUp"] = c.upLabel;
        m_dlg.player.calls.clear();
        EXPECT_FALSE(Key(VK_UP)) << "the key goes on to its window";
        EXPECT_EQ(m_dlg.player.calls.size(), c.steps ? 3u : 1u) << c.upLabel;
    }
    m_dlg.player.labels["_root.mcLauncher.mcButtonDown"] = "Disable";
    m_dlg.player.calls.clear();
    EXPECT_FALSE(Key(VK_DOWN));
    EXPECT_EQ(m_dlg.player.calls, (Calls{"TCurrentLabel(_root.mcLauncher.mcButtonDown)"}));
}

TEST_F(PortalWindow, TabIsSwallowedAndEscapeDoesNotEndTheMenu)
{
    Open();
    EXPECT_TRUE(Key(VK_TAB));
    EXPECT_FALSE(Key(VK_ESCAPE));
    MSG rightClick{m_dlg.GetSafeHwnd(), WM_RBUTTONDOWN, 0, 0, 0, {0, 0}};
    EXPECT_TRUE(fw::WalkPreTranslate(&rightClick));
    ::PostMessageA(m_dlg.GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 1);
    Pump();
    EXPECT_FALSE(m_dlg.IsEnded());
    EXPECT_TRUE(m_dlg.player.calls.empty());
}

TEST_F(PortalWindow, TheCopyToolLocksStartingAndClosingUntilItEnds)
{
    Open();
    HWND close = ::GetDlgItem(m_dlg.GetSafeHwnd(), IDC_CLOSE);
    Calls disable = {"TGotoLabel(_root.mcLauncher.mcExecute,Disable)",
                     "TGotoLabel(_root.mcLauncher.mcMenu.mcButtonMenuExec,Disable)",
                     "TGotoLabel(_root.mcConfig.mcStaticButton_Back,Disable)",
                     "TGotoLabel(_root.mcFotopass.mcStaticButton_Back,Disable)"};
    HANDLE copyTool = ::CreateMutexA(nullptr, TRUE, "OrvaMtxCpy");
    ASSERT_NE(copyTool, nullptr);
    for (int tick = 1; tick <= 2; ++tick) {
        ::SendMessageA(m_dlg.GetSafeHwnd(), WM_TIMER, 100, 0);
        EXPECT_EQ(m_dlg.player.calls.size(), 4u * tick) << "every locked tick sends the labels again";
    }
    EXPECT_EQ(Calls(m_dlg.player.calls.begin(), m_dlg.player.calls.begin() + 4), disable);
    EXPECT_FALSE(m_dlg.IsLaunchEnabled());
    EXPECT_FALSE(::IsWindowEnabled(close));

    // Locked: the movie's EXEC is refused, Enter still starts the entry.
    m_dlg.player.Send("EXEC", "Valid.dll");
    EXPECT_TRUE(PluginLog().empty());
    EXPECT_FALSE(::IsIconic(m_dlg.GetSafeHwnd()));
    m_dlg.player.variables["_root:CurrentDLL"] = "Second.dll";
    Key(VK_RETURN);
    EXPECT_EQ(PluginLog(), (Calls{"exec Second.dll []"}));
    EXPECT_FALSE(::IsIconic(m_dlg.GetSafeHwnd()));

    ::ReleaseMutex(copyTool);
    ::CloseHandle(copyTool);
    m_dlg.player.calls.clear();
    ::SendMessageA(m_dlg.GetSafeHwnd(), WM_TIMER, 100, 0);
    ::SendMessageA(m_dlg.GetSafeHwnd(), WM_TIMER, 100, 0);
    EXPECT_EQ(m_dlg.player.calls, (Calls{"TGotoLabel(_root.mcLauncher.mcExecute,Up)",
                                         "TGotoLabel(_root.mcLauncher.mcMenu.mcButtonMenuExec,Selected)",
                                         "TGotoLabel(_root.mcConfig.mcStaticButton_Back,Up)",
                                         "TGotoLabel(_root.mcFotopass.mcStaticButton_Back,Up)"}));
    EXPECT_TRUE(m_dlg.IsLaunchEnabled());
    EXPECT_TRUE(::IsWindowEnabled(close));
}

TEST_F(PortalWindow, ExecStartsCatalogEntriesRemembersThemAndMinimises)
{
    Open();
    m_dlg.player.Send("EXEC", "Valid.dll");
    EXPECT_EQ(PluginLog(), (Calls{"exec Valid.dll []"}));
    EXPECT_EQ(Stored("LastUse"), "Valid.dll");
    EXPECT_TRUE(::IsIconic(m_dlg.GetSafeHwnd()));
    ::ShowWindow(m_dlg.GetSafeHwnd(), SW_RESTORE);

    // An immediate repeat is dropped, another entry is not.
    m_dlg.player.Send("EXEC", "Valid.dll");
    m_dlg.player.Send("EXEC", "Second.dll");
    EXPECT_EQ(PluginLog(), (Calls{"exec Valid.dll []", "exec Second.dll []"}));

    // Ids that would load something outside the catalog load nothing.
    for (const char* hostile : {"..\\AppInfo\\Valid.dll", "C:\\windows\\system32\\shell32.dll", "Listed0.dll",
                                "valid.dll", "", "Missing.dll"})
        m_dlg.player.Send("EXEC", hostile);
    EXPECT_EQ(PluginLog().size(), 2u);
    EXPECT_EQ(Stored("LastUse"), "Second.dll");
}

TEST_F(PortalWindow, AFailingStartShowsItsCodeOverTheMenu)
{
    Open();
    RegWriteString(HKEY_CURRENT_USER, kProgramKey, "LastUse", "Valid.dll");
    auto boxes = CollectMessageBoxes([&] { m_dlg.player.Send("EXEC", "ExecFails.dll"); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "The application could not be started (error -5).");
    EXPECT_EQ(boxes[0].caption, "win_tests");
    EXPECT_EQ(boxes[0].owner, m_dlg.GetSafeHwnd());
    EXPECT_EQ(Stored("LastUse"), "Valid.dll");
    EXPECT_EQ(PluginLog(), (Calls{"exec ExecFails.dll []"}));
}

TEST_F(PortalWindow, TheSuitesMessagesMinimiseRestoreAndClose)
{
    Open();
    HWND hwnd = m_dlg.GetSafeHwnd();
    PostRegistered("Orva Dereze Show Icon");
    EXPECT_TRUE(::IsIconic(hwnd));
    PostRegistered("Orva Dereze Show Normal");
    EXPECT_FALSE(::IsIconic(hwnd));

    ::EnableWindow(hwnd, FALSE); // as while a modal child is up
    PostRegistered("Orva Dereze Show Close");
    EXPECT_FALSE(m_dlg.IsEnded());
    ::EnableWindow(hwnd, TRUE);
    PostRegistered("Orva Dereze Show Close");
    EXPECT_TRUE(m_dlg.IsEnded());
}

TEST_F(PortalWindow, TheImportFolderIsHandedToThePluginsAndToLaterStarts)
{
    Open();
    HKEY key = nullptr;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, kFotopassKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    ::RegCloseKey(key);
    RegWriteString(HKEY_CURRENT_USER, kFotopassKey, "NewFolder", "C:\\Photos\\New");
    PostRegistered("Fotopass End.");
    EXPECT_EQ(m_dlg.NewFolder(), "C:\\Photos\\New");
    EXPECT_EQ(PluginLog(), (Calls{"prepare Valid.dll [C:\\Photos\\New]", "prepare Second.dll [C:\\Photos\\New]",
                                  "prepare ExecFails.dll [C:\\Photos\\New]"}));
    m_dlg.player.Send("EXEC", "Valid.dll");
    EXPECT_EQ(PluginLog().back(), "exec Valid.dll [C:\\Photos\\New]");

    RegWriteString(HKEY_CURRENT_USER, kFotopassKey, "NewFolder", "");
    PostRegistered("Fotopass End.");
    EXPECT_EQ(m_dlg.NewFolder(), "");
    EXPECT_EQ(PluginLog().size(), 4u);
}

TEST_F(PortalWindow, CopyStartsTheRegisteredCopyTool)
{
    Open();
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, kCopyToolKey);
    m_dlg.player.Send("COPY", "");
    EXPECT_TRUE(PluginLog().empty());

    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kCopyToolKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    std::string folder = "\"" + BuildFolder("tests/win/plugins/copytool") + "\"";
    ::RegSetValueExA(key, "Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                     static_cast<DWORD>(folder.size() + 1));
    ::RegCloseKey(key);
    m_dlg.player.Send("COPY", "ignored");
    m_dlg.player.Send("copy", "");
    m_dlg.player.Send("CONFIG", "");
    EXPECT_EQ(PluginLog(), (Calls{"copytool 0"}));
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, kCopyToolKey);
}
