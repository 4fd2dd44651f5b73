// The catalog against real plug-in libraries in a scratch suite and Wine's
// registry: which records are listed, the stored order, the warning box and
// the menu document.
#include "catalog/AppCatalog.h"
#include "tests/common/MessageBoxProbe.h"
#include "tests/common/TestSuite.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace testing_support;
using catalog::IdList;

namespace {
IdList Sorted(IdList ids)
{
    std::sort(ids.begin(), ids.end());
    return ids;
}

struct Catalog : SuiteTest {
    std::string Document() const { return m_scratch.Path() + "PortalApp.xml"; }

    // A menu build as the main window makes it; the number of rows written.
    int Build(const std::string& document) const
    {
        CAppCatalog catalog(m_suite.AppInfo(), m_suite.MenuSwf());
        catalog.Refresh();
        catalog.ApplyOrder("Sort");
        catalog.SaveOrder("Sort");
        return catalog.WriteMenuDocument(document);
    }
};
} // namespace

// Only a plug-in that reports an error says so.
TEST_F(Catalog, ListsOnlyLibrariesWithAValidRecordAndFreesEachAfterUse)
{
    m_suite.Install({"Valid.dll", "Version2.dll", "Listed0.dll", "BadSignature.dll", "Name100.dll", "Name100Info4.dll",
                     "Icon261.dll", "Size0.dll", "SmallSize.dll", "NoExport.dll", "Huge.dll", "Unterminated.dll",
                     "SizeEcho.dll", "Negative.dll"});
    const std::string appInfo = m_suite.AppInfo();
    WriteAll(appInfo + "NotADll.dll", "this is not a library");
    ::CreateDirectoryA((appInfo + "Folder.dll").c_str(), nullptr);
    ::CreateDirectoryA((appInfo + "Sub").c_str(), nullptr);
    CopyInto(appInfo + "Valid.dll", appInfo + "Sub\\Nested.dll");

    CAppCatalog catalog(appInfo, m_suite.MenuSwf());
    int visible = 0;
    EXPECT_EQ(CollectMessageBoxes([&] { visible = catalog.Refresh(); }),
              (std::vector<MessageBoxSeen>{{"This application reported an error (code 7) and is not shown in the menu.",
                                            "Negative.dll", BoxIcon::Warning, nullptr}}));
    EXPECT_EQ(visible, 4);
    EXPECT_EQ(Sorted(catalog.Entries()), (IdList{"Name100.dll", "SizeEcho.dll", "SmallSize.dll", "Valid.dll"}));
    for (const char* file : {"Valid.dll", "Listed0.dll", "Name100.dll", "SizeEcho.dll"})
        EXPECT_EQ(::GetModuleHandleA((appInfo + file).c_str()), nullptr) << file << " is still loaded";

    // The record's size is written before the plug-in fills it, also when
    // the plug-in asked for a smaller block.
    EXPECT_EQ(catalog.LoadEntry("SizeEcho.dll")->Name(), "cbSize 1200");
    EXPECT_EQ(catalog.LoadEntry("SmallSize.dll")->Name(), "cbSize 1200");
    auto valid = catalog.LoadEntry("Valid.dll");
    EXPECT_EQ(valid->Name() + "|" + valid->ExecButton() + "|" + valid->InfoSwf() + "|" + valid->Icon(),
              "Valid|Start|info.swf|icon.png");
    EXPECT_EQ(catalog.LoadEntry("Name100.dll")->Name(), std::string(100, 'N'));
    for (const char* outside : {"Missing.dll", "..\\AppInfo\\Valid.dll", "Sub\\Nested.dll", ""})
        EXPECT_FALSE(catalog.LoadEntry(outside)) << outside;
}

TEST_F(Catalog, TheStoredOrderAndHiddenIdsSurviveBuildsAndUninstalls)
{
    m_suite.Install({"Valid.dll", "Second.dll", "Third.dll"});
    TestSuite::Store("Sort", "Second.dll/Gone.dll/Valid.dll/");
    TestSuite::Store("NoUse", "Gone.dll/Second.dll/");
    CAppCatalog catalog(m_suite.AppInfo(), m_suite.MenuSwf());
    catalog.Refresh();
    EXPECT_EQ(catalog.ApplyOrder("Sort"), 3);
    EXPECT_EQ(catalog.Entries(), (IdList{"Second.dll", "Valid.dll", "Third.dll"}));
    EXPECT_EQ(catalog.NewEntry(), "Third.dll");
    EXPECT_EQ(catalog.Visible(), (IdList{"Valid.dll", "Third.dll"}));
    catalog.SaveOrder("Sort");
    EXPECT_EQ(TestSuite::StoredLists(), "Second.dll/Valid.dll/Third.dll/ | Gone.dll/Second.dll/");

    // With every plug-in gone the order empties; the hidden ids stay.
    for (const char* file : {"Valid.dll", "Second.dll", "Third.dll"})
        ASSERT_TRUE(::DeleteFileA((m_suite.AppInfo() + file).c_str())) << file;
    EXPECT_EQ(Build(Document()), 0);
    EXPECT_EQ(TestSuite::StoredLists(), " | Gone.dll/Second.dll/");
    std::string text = ReadAll(Document());
    EXPECT_EQ(text.substr(text.find("?>")), "?>\r\n<menu>\r\n</menu>\r\n");
}

// Where its path cannot be created there is no document, nor a stale copy
// beside the movie.
TEST_F(Catalog, TheMenuDocumentListsTheVisibleEntriesWithTheFocusOrIsNotThere)
{
    m_suite.Install({"Valid.dll", "Second.dll", "Third.dll", "Listed0.dll"});
    TestSuite::Store("Sort", "Third.dll/Valid.dll/Second.dll/");
    TestSuite::Store("LastUse", "Valid.dll");
    EXPECT_EQ(Build(Document()), 3);
    auto line = [&](const char* id, const char* name, const char* focus) {
        return std::string("  <data id=\"") + id + "\" name=\"" + name + "\" infoswf=\"" + m_suite.MenuSwf() +
               "info.swf\" execbtn=\"Start\" icon=\"" + m_suite.MenuSwf() + "icon.png\"" + focus + " />\r\n";
    };
    std::string encoding = ::GetACP() == 932 ? "Shift_JIS" : "windows-" + std::to_string(::GetACP());
    EXPECT_EQ(ReadAll(Document()), "<?xml version=\"1.0\" encoding=\"" + encoding + "\"?>\r\n<menu>\r\n" +
                                       line("Third.dll", "[SMALL]Third", "") +
                                       line("Valid.dll", "Valid", " focus=\"true\"") +
                                       line("Second.dll", "Second[CR]Entry", "") + "</menu>\r\n");

    WriteAll(m_suite.MenuSwf() + "PortalApp.xml", "stale");
    EXPECT_EQ(Build(m_scratch.Path() + "Missing\\PortalApp.xml"), -1);
    EXPECT_EQ(::GetFileAttributesA((m_suite.MenuSwf() + "PortalApp.xml").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Catalog, FortyEntriesKeepTheirOrderAndNewOnesFollowTheOnlinePrintEntry)
{
    IdList installed = {"Orva_OnlinePrintApp_01.dll", "Special.dll", "Name100.dll"}; // and 40 more
    for (int i = 1; i <= 40; ++i)
        installed.push_back("App" + std::to_string(100 + i).substr(1) + ".dll");
    m_suite.Install(installed);
    TestSuite::Store("Sort", "App40.dll/Orva_OnlinePrintApp_01.dll/App01.dll/");
    ASSERT_EQ(Build(Document()), 43);

    const std::string text = ReadAll(Document());
    IdList ids;
    for (auto at = text.find("id=\""); at != std::string::npos; at = text.find("id=\"", at + 1))
        ids.push_back(text.substr(at + 4, text.find('"', at + 4) - at - 4));
    ASSERT_EQ(Sorted(ids), Sorted(installed));
    EXPECT_EQ(ids.front() + " " + ids[1] + " " + ids.back(), "App40.dll Orva_OnlinePrintApp_01.dll App01.dll");
    // Each new entry goes right after the online print entry, so the first
    // one found, which takes the focus, ends up last among them.
    auto focus = text.find(" focus=\"true\"");
    EXPECT_EQ(text.rfind("id=\"" + ids[41] + "\"", focus), text.rfind("id=\"", focus));
}
