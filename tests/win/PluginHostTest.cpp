// The one way into plug-in code, against real plug-ins and Wine's registry:
// the fenced record block, the call journal, the libraries set aside after a
// call that ended the menu, the rule against a second call, and stored lists
// that exist but cannot be read.
#include "catalog/AppCatalog.h"
#include "catalog/GuardedBlock.h"
#include "catalog/PluginHost.h"
#include "tests/common/TestSuite.h"
#include "tests/win/fixtures/TestIds.h"

#include <aclapi.h>
#include <sddl.h>

using namespace testing_support;
using catalog::IdList;
using Lines = std::vector<std::string>;

namespace {
struct PluginHost : SuiteTest {
    void TearDown() override
    {
        CPluginHost::Instance().DropDeferred();
        SuiteTest::TearDown();
    }
    CAppCatalog NewCatalog() const { return CAppCatalog(m_suite.AppInfo(), m_suite.MenuSwf()); }
    // A menu build's catalog: found, ordered and saved.
    CAppCatalog Built() const
    {
        CAppCatalog catalog = NewCatalog();
        catalog.Refresh();
        catalog.ApplyOrder("Sort");
        catalog.SaveOrder("Sort");
        return catalog;
    }
    catalog::LibraryIdentity Identity(const char* file) const
    {
        return CPluginHost::IdentityOf(m_suite.AppInfo() + file).value_or(catalog::LibraryIdentity{});
    }
    // The journal a run that ended during this call would have left.
    void LeaveJournal(const char* purpose, const char* file, const char* name) const
    {
        TestSuite::Store(kPluginCallValue, catalog::EncodeJournal({purpose, Identity(file), name}));
    }
};

// What a window does when a plug-in calls back into it from inside a call.
std::function<void()> g_onCallBack;
LRESULT CALLBACK CallBackProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_TEST_PLUGIN_CALL && g_onCallBack)
        g_onCallBack();
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

// Touching the byte would fault: no memory behind it, or none that opens.
bool NextPageIsClosed(const unsigned char* byte)
{
    MEMORY_BASIC_INFORMATION info{};
    return ::VirtualQuery(byte, &info, sizeof info) && (info.State != MEM_COMMIT || info.Protect == PAGE_NOACCESS);
}
} // namespace

TEST_F(PluginHost, ARecordBlockIsZeroAndEndsWhereAPageThatCannotBeTouchedBegins)
{
    SYSTEM_INFO system{};
    ::GetSystemInfo(&system);
    for (std::size_t size : {std::size_t(1), std::size_t(1200), std::size_t(system.dwPageSize),
                             std::size_t(system.dwPageSize) + 1, std::size_t(1024 * 1024)}) {
        CGuardedBlock block(size);
        ASSERT_NE(block.Data(), nullptr) << size;
        const unsigned char* end = block.Data() + size;
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(end) % system.dwPageSize, 0u) << size;
        EXPECT_TRUE(NextPageIsClosed(end)) << size;
        EXPECT_TRUE(
            NextPageIsClosed(block.Data() - (reinterpret_cast<std::uintptr_t>(block.Data()) % system.dwPageSize) - 1))
            << "and the page before it, " << size;
        EXPECT_EQ(std::count(block.Data(), block.Data() + size, 0), static_cast<std::ptrdiff_t>(size));
    }
    EXPECT_EQ(CGuardedBlock(0).Data(), nullptr);
    EXPECT_EQ(CGuardedBlock(SIZE_MAX).Data(), nullptr);
}

// The plug-in sees its record end where memory it cannot touch begins.
TEST_F(PluginHost, EachCallIsJournalledWhileItRunsAndClearedAfter)
{
    m_suite.InstallHostile({"JournalProbe.dll"});
    CAppCatalog catalog = Built(); // a good record: the name is known from now on
    const catalog::LibraryIdentity probe = Identity("JournalProbe.dll");
    ASSERT_TRUE(CPluginHost::Instance().Exec(probe, nullptr, "C:\\New").has_value());
    const std::string sizes = "\t" + std::to_string(probe.size) + "\t" + std::to_string(probe.writeTime) + "\t";
    EXPECT_EQ(m_suite.Log(), (Lines{"getinfo sees GetInfo\t" + probe.path + sizes + " | fenced",
                                    "exec sees Exec\t" + probe.path + sizes + "Hostile JournalProbe",
                                    "exec JournalProbe.dll [C:\\New]"}));
    EXPECT_EQ(TestSuite::Stored(kPluginCallValue), "") << "cleared, not removed: one value, never growing";
}

TEST_F(PluginHost, ALibraryThatEndedTheMenuIsSetAsideKeepingItsPlaceAndChoiceUntilItsFileChanges)
{
    m_suite.Install({"Valid.dll", "Second.dll", "Third.dll"});
    TestSuite::Store("Sort", "Valid.dll/Second.dll/Third.dll/");
    TestSuite::Store("NoUse", "Third.dll/");
    CPluginHost& host = CPluginHost::Instance();
    LeaveJournal("Exec", "Second.dll", "Second[CR]Entry");
    std::optional<catalog::JournalRecord> left = host.SetAsideLeftBehindCall();
    ASSERT_TRUE(left.has_value());
    EXPECT_EQ(left->purpose + "|" + left->name, "Exec|Second[CR]Entry");
    EXPECT_EQ(TestSuite::Stored(kPluginCallValue), "");
    EXPECT_FALSE(host.SetAsideLeftBehindCall()) << "told once";
    LeaveJournal("GetInfo", "Third.dll", "");
    host.SetAsideLeftBehindCall();

    CAppCatalog catalog = Built();
    EXPECT_EQ(catalog.Entries(), IdList{"Valid.dll"});
    EXPECT_EQ(catalog.SetAside(), (IdList{"Second.dll", "Third.dll"}));
    EXPECT_FALSE(catalog.LoadEntry("Second.dll")) << "not loaded for any purpose";
    EXPECT_EQ(TestSuite::StoredLists(), "Valid.dll/Second.dll/Third.dll/ | Third.dll/");
    // The settings dialog replaces the lists with its rows: the set-aside
    // entries still keep their places and choices.
    catalog.ReplaceLists({"Valid.dll"}, {"Valid.dll"});
    catalog.SaveOrder("Sort");
    EXPECT_EQ(TestSuite::StoredLists(), "Valid.dll/Second.dll/Third.dll/ | Valid.dll/Third.dll/");

    // A new build of Second comes back; Third, uninstalled, is forgotten.
    TestSuite::Store("NoUse", "");
    FILETIME later{};
    ::GetSystemTimeAsFileTime(&later);
    fw::UniqueFile second(::CreateFileA((m_suite.AppInfo() + "Second.dll").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(::SetFileTime(second.get(), nullptr, nullptr, &later));
    second.reset();
    ::DeleteFileA((m_suite.AppInfo() + "Third.dll").c_str());
    catalog = Built();
    EXPECT_EQ(catalog.Entries(), (IdList{"Valid.dll", "Second.dll"}));
    EXPECT_EQ(TestSuite::Stored(kSetAsideValue), "");
}

TEST_F(PluginHost, NoSecondCallWhileOneRunsAndCommandsWaitUntilNothingIsBusy)
{
    m_suite.Install({"Reentrant.dll", "Valid.dll"});
    CPluginHost& host = CPluginHost::Instance();
    int wakes = 0;
    host.SetDeferredWake([&] { ++wakes; });
    Lines done;
    // Reentrant.dll calls back into the window procedure from inside its
    // call; from there the host refuses a second call and defers a command.
    HWND window = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CallBackProc));
    g_onCallBack = [&] {
        done.push_back(host.Exec(Identity("Valid.dll"), nullptr, "") ? "second call made" : "second call refused");
        host.RunOrDefer([&] { done.push_back("deferred ran"); });
        done.push_back(host.IsBusy() ? "busy" : "idle");
    };
    EXPECT_TRUE(host.Exec(Identity("Reentrant.dll"), window, "").has_value());
    EXPECT_EQ(done, (Lines{"second call refused", "busy"}));
    EXPECT_EQ(wakes, 1) << "woken once the call returned";
    host.RunDeferred();
    host.RunDeferred();
    EXPECT_EQ(done, (Lines{"second call refused", "busy", "deferred ran"})) << "run once";
    host.RunOrDefer([&] { done.push_back("at once"); });
    EXPECT_EQ(done.back(), "at once");
    // A waiting command that runs a modal loop (a box) does not see the next
    // one run inside it.
    {
        CPluginHost::CBusy busy = host.Busy();
        host.RunOrDefer([&] {
            host.RunDeferred();
            done.push_back("first");
        });
        host.RunOrDefer([&] { done.push_back("second"); });
    }
    host.RunDeferred();
    EXPECT_EQ(Lines(done.end() - 2, done.end()), (Lines{"first", "second"}));
    EXPECT_EQ(m_suite.Log(), (Lines{"exec Reentrant.dll []"}));
    ::DestroyWindow(window);
    g_onCallBack = nullptr;
    host.SetDeferredWake(nullptr);
}

TEST_F(PluginHost, StoredListsThatExistButCannotBeReadAreNeverWrittenOver)
{
    m_suite.Install({"Valid.dll", "Second.dll"});
    TestSuite::Store("Sort", "Second.dll/Valid.dll/");
    TestSuite::Store("NoUse", "Second.dll/");
    EXPECT_EQ(RegQueryText(HKEY_CURRENT_USER, kProgramKey, "Sort").status, RegRead::Found);
    EXPECT_EQ(RegQueryText(HKEY_CURRENT_USER, kProgramKey, "Missing").status, RegRead::Absent);
    EXPECT_EQ(RegQueryText(HKEY_CURRENT_USER, "Software\\LumbraTests\\Missing", "Sort").status, RegRead::Absent);

    // Reading is denied, writing still allowed: nothing but the lock stops a
    // write back of the defaults.
    PSECURITY_DESCRIPTOR denied = nullptr, allowed = nullptr;
    ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorA("D:(D;;KR;;;WD)(A;;KA;;;WD)", SDDL_REVISION_1,
                                                                       &denied, nullptr));
    ASSERT_TRUE(
        ::ConvertStringSecurityDescriptorToSecurityDescriptorA("D:(A;;KA;;;WD)", SDDL_REVISION_1, &allowed, nullptr));
    auto secure = [](PSECURITY_DESCRIPTOR descriptor) {
        fw::UniqueRegKey key;
        ::RegOpenKeyExA(HKEY_CURRENT_USER, kProgramKey, 0, WRITE_DAC, key.receive());
        return ::RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
    };
    ASSERT_TRUE(secure(denied));
    EXPECT_EQ(RegQueryText(HKEY_CURRENT_USER, kProgramKey, "Sort").status, RegRead::Failed);
    CAppCatalog catalog = Built();
    ASSERT_TRUE(secure(allowed));
    ::LocalFree(denied);
    ::LocalFree(allowed);
    EXPECT_TRUE(catalog.StoredListsUnreadable());
    EXPECT_EQ(catalog.Entries().size(), 2u) << "the menu still shows what it found";
    EXPECT_EQ(TestSuite::StoredLists(), "Second.dll/Valid.dll/ | Second.dll/");
}
