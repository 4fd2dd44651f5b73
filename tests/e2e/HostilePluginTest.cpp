// The real Lumbra.exe against plug-ins that crash, exit, hang or overrun the
// record they are given: the start they break may fail, the next one shows
// every good entry, names the culprit once and leaves it out, keeping its
// place and its hidden state, until its file changes. A frozen menu is
// visible, and a second start offers to end it.
#include "player/NativeMenuPlayer.h"
#include "tests/common/MessageBoxProbe.h"
#include "tests/common/TestSuite.h"

#include <cstring>

using namespace testing_support;

namespace {
const DWORD kTimeout = 20000;
const std::string kGood = "Valid.dll/Second.dll/Third.dll/";
const std::string kGoodRows = "Valid|Second Entry|Third"; // the menu of the good entries, in that order

class RunningMenu {
public:
    // A start that ends at once may be gone before its window is seen.
    explicit RunningMenu(const std::string& program, bool mayEndAtOnce = false)
    {
        EXPECT_TRUE(m_process.Start("\"" + program + "\""));
        m_window = WaitForWindow("Imagora Menu", m_process.Id(), mayEndAtOnce ? 2000 : kTimeout);
        HWND player = ::FindWindowExA(m_window, nullptr, "LumbraMenuPlayer", nullptr);
        m_list = ::GetDlgItem(player, CNativeMenuPlayer::kListId);
        EXPECT_TRUE(mayEndAtOnce || (m_window && m_list));
    }
    ~RunningMenu() { Close(); }
    // Until the build has ended: the list is then named plainly again.
    bool Built(DWORD timeoutMs = kTimeout) const
    {
        return Eventually([&] { return ListName() == "Applications"; }, timeoutMs);
    }
    std::string ListName() const
    {
        char name[128] = {};
        ::GetWindowTextA(m_list, name, sizeof name);
        return name;
    }
    // The rows' names, joined by "|".
    std::string Rows() const
    {
        std::string rows;
        for (int row = 0, count = static_cast<int>(::SendMessageA(m_list, LB_GETCOUNT, 0, 0)); row < count; ++row) {
            wchar_t text[256] = {};
            char narrow[512] = {};
            ::SendMessageW(m_list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text));
            ::WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
            rows += (row ? "|" : "") + std::string(narrow);
        }
        return rows;
    }
    void StartRow(int row) const
    {
        for (int i = 0; i < row; ++i)
            ::PostMessageA(m_list, WM_KEYDOWN, VK_DOWN, 1);
        ::PostMessageA(m_list, WM_KEYDOWN, VK_RETURN, 1);
    }
    void Close()
    {
        if (m_window && ::IsWindow(m_window))
            ::PostMessageA(m_window, WM_CLOSE, 0, 0);
        m_process.Wait(kTimeout);
        m_process.Kill();
    }
    ChildProcess m_process;
    HWND m_window = nullptr;
    HWND m_list = nullptr;
};

struct HostilePlugins : testing::Test {
    void SetUp() override
    {
        for (const char* file : {"Lumbra.exe", "Lumbra.dll"})
            ASSERT_TRUE(CopyInto(BuildFolder("bin") + file, m_install.Path() + file));
        m_suite.Install({"Valid.dll", "Second.dll", "Third.dll"});
    }
    std::string Program() const { return m_install.Path() + "Lumbra.exe"; }

    ScratchFolder m_install{"lumbra_hostile"};
    TestSuite m_suite{TestSuite::ProgramFilesBase()};
};
} // namespace

TEST_F(HostilePlugins, ACulpritIsNamedOnceAndLeftOutUntilItsFileChangesKeepingItsPlaceAndChoice)
{
    // The plug-in, when it strikes, whether it is hidden, and what the next
    // start calls it: a record it gave before, else its file name.
    enum class Strikes { InDiscovery, Hangs, WhenStarted, Never };
    const std::tuple<const char*, Strikes, bool, const char*> cases[] = {
        {"CrashInGetInfo.dll", Strikes::InDiscovery, false, "CrashInGetInfo.dll"},
        {"ExitInGetInfo.dll", Strikes::InDiscovery, true, "ExitInGetInfo.dll"},
        {"OverrunInGetInfo.dll", Strikes::InDiscovery, false, "OverrunInGetInfo.dll"},
        {"HangInGetInfo.dll", Strikes::Hangs, false, "HangInGetInfo.dll"},
        {"CrashInExec.dll", Strikes::WhenStarted, false, "Hostile CrashInExec"},
        // The system's loader contains a crash in a library's start-up code:
        // the library does not load, like any other that cannot, and leaves
        // the stored order; when it loads again it is new.
        {"CrashInDllMain.dll", Strikes::Never, false, ""},
    };
    for (const auto& [culprit, strikes, hidden, named] : cases) {
        SCOPED_TRACE(culprit);
        const std::string sort = "Valid.dll/" + std::string(culprit) + "/Second.dll/Third.dll/";
        const std::string noUse = hidden ? std::string(culprit) + "/" : "";
        m_suite.InstallHostile({culprit});
        TestSuite::Store("Sort", sort);
        TestSuite::Store("NoUse", noUse);
        {
            RunningMenu first(Program(), strikes == Strikes::InDiscovery);
            if (strikes == Strikes::Hangs) {
                // Visible although frozen, and never built.
                EXPECT_TRUE(::IsWindowVisible(first.m_window));
                EXPECT_FALSE(first.Built(2000));
                first.m_process.Kill();
            } else if (strikes == Strikes::WhenStarted) {
                ASSERT_TRUE(first.Built());
                first.StartRow(1);
            }
            if (strikes != Strikes::Never) {
                EXPECT_TRUE(first.m_process.Wait(kTimeout).has_value()) << "the start it broke has ended";
            }
        }
        {
            RunningMenu second(Program());
            ASSERT_TRUE(second.Built(10000));
            EXPECT_EQ(second.Rows(), kGoodRows) << "every good entry, in the stored order";
            std::optional<MessageBoxSeen> box =
                DismissNextMessageBox(strikes == Strikes::Never ? 1000 : 5000, second.m_process.Id());
            EXPECT_EQ(box.has_value(), strikes != Strikes::Never);
            if (box) {
                EXPECT_EQ(box->text.find(named), 0u) << box->text;
                EXPECT_NE(box->text.find("updated or reinstalled"), std::string::npos) << box->text;
            }
            EXPECT_EQ(TestSuite::StoredLists(), (strikes == Strikes::Never ? kGood : sort) + " | " + noUse)
                << "its place and its choice are kept";
        }
        {
            RunningMenu third(Program());
            ASSERT_TRUE(third.Built(10000));
            EXPECT_FALSE(DismissNextMessageBox(1000, third.m_process.Id())) << "named once only";
            EXPECT_EQ(third.Rows(), kGoodRows);
        }
        // An update with a good build of the library brings it back.
        m_suite.Install({culprit});
        {
            RunningMenu fourth(Program());
            ASSERT_TRUE(fourth.Built(10000));
            std::string stem = std::string(culprit).substr(0, std::strlen(culprit) - 4);
            EXPECT_EQ(fourth.Rows(), hidden                      ? kGoodRows
                                     : strikes == Strikes::Never ? kGoodRows + "|" + stem
                                                                 : "Valid|" + stem + "|Second Entry|Third");
            EXPECT_FALSE(DismissNextMessageBox(500, fourth.m_process.Id()));
        }
        ::DeleteFileA((m_suite.AppInfo() + culprit).c_str());
    }
}

TEST_F(HostilePlugins, ASecondStartOffersToEndAFrozenMenuAndThenRunsWithoutItsCulprit)
{
    m_suite.InstallHostile({"HangInGetInfo.dll"});
    TestSuite::Store("Sort", "Valid.dll/HangInGetInfo.dll/Second.dll/Third.dll/");
    RunningMenu frozen(Program());
    ASSERT_FALSE(frozen.Built(1000));

    // Declined: the second start ends and the frozen menu is left alone.
    ChildProcess declined;
    ASSERT_TRUE(declined.Start("\"" + Program() + "\""));
    std::optional<MessageBoxSeen> question = DismissNextMessageBox(kTimeout, declined.Id(), IDNO);
    ASSERT_TRUE(question.has_value());
    EXPECT_EQ(question->text.rfind("Imagora Menu is not responding: it is waiting for HangInGetInfo.dll.", 0), 0u)
        << question->text;
    EXPECT_EQ(question->caption, "Lumbra");
    EXPECT_EQ(declined.Wait(kTimeout), std::optional<DWORD>(0));
    EXPECT_EQ(frozen.m_process.Wait(0), std::nullopt);

    // Accepted: the frozen menu ends, and this start shows the menu without it.
    ChildProcess taking;
    ASSERT_TRUE(taking.Start("\"" + Program() + "\""));
    ASSERT_TRUE(DismissNextMessageBox(kTimeout, taking.Id(), IDYES).has_value());
    EXPECT_TRUE(frozen.m_process.Wait(kTimeout).has_value());
    std::optional<MessageBoxSeen> named = DismissNextMessageBox(kTimeout, taking.Id());
    ASSERT_TRUE(named.has_value());
    EXPECT_EQ(named->text.find("HangInGetInfo.dll"), 0u) << named->text;
    HWND window = WaitForWindow("Imagora Menu", taking.Id(), kTimeout);
    ASSERT_NE(window, nullptr);
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(taking.Wait(kTimeout), std::optional<DWORD>(0));
    EXPECT_EQ(TestSuite::Stored("Sort"), "Valid.dll/HangInGetInfo.dll/Second.dll/Third.dll/");
}

TEST_F(HostilePlugins, AThousandPluginsShowTheWindowFirstAndThenTheWholeList)
{
    std::vector<std::string> names;
    for (int i = 0; i < 997; ++i)
        names.push_back("Bulk" + std::to_string(10000 + i) + ".dll");
    m_suite.Install(names);
    const DWORD started = ::GetTickCount();
    RunningMenu menu(Program());
    const DWORD shown = ::GetTickCount() - started;
    EXPECT_NE(menu.ListName(), "Applications") << "visible while its plug-ins are still asked";
    ASSERT_TRUE(menu.Built(60000));
    const DWORD built = ::GetTickCount() - started;
    EXPECT_EQ(::SendMessageA(menu.m_list, LB_GETCOUNT, 0, 0), 1000);
    EXPECT_LT(shown, built);
    std::printf("1000 plug-ins: window after %lu ms, whole list after %lu ms\n", shown, built);
}
