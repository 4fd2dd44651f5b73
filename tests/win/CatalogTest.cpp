// The catalog against real plug-in libraries in a scratch AppInfo folder and
// Wine's registry.
#include "catalog/AppCatalog.h"
#include "support/Registry.h"
#include "support/ResourceLibrary.h"
#include "tests/common/MessageBoxProbe.h"
#include "tests/common/TestSystem.h"
#include "XmlAttributes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

using namespace testing_support;
using catalog::IdList;

namespace {
std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

IdList Sorted(IdList ids)
{
    std::sort(ids.begin(), ids.end());
    return ids;
}

class Catalog : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_library.Load((BuildFolder("bin") + "Lumbra.dll").c_str()));
        g_pResourceLibrary = &m_library;
        ::CreateDirectoryA(AppInfo().c_str(), nullptr);
        ::CreateDirectoryA(MenuSwf().c_str(), nullptr);
        HKEY key = nullptr;
        ::RegCreateKeyExA(HKEY_CURRENT_USER, kProgramKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        for (const char* value : {"Sort", "NoUse", "LastUse"})
            ::RegDeleteValueA(key, value);
        ::RegCloseKey(key);
    }
    void TearDown() override { g_pResourceLibrary = nullptr; }

    std::string AppInfo() const { return m_scratch.Path() + "AppInfo\\"; }
    std::string MenuSwf() const { return m_scratch.Path() + "MenuSwf\\"; }

    void Install(std::initializer_list<const char*> plugins)
    {
        std::string from = BuildFolder("tests/win/plugins/dlls");
        for (const char* plugin : plugins)
            ASSERT_TRUE(CopyInto(from + plugin, AppInfo() + plugin)) << plugin;
    }
    static void Store(const char* value, const char* text) { RegWriteString(HKEY_CURRENT_USER, kProgramKey, value, text); }
    static std::string Stored(const char* value) { return RegReadString(HKEY_CURRENT_USER, kProgramKey, value, "<none>"); }

    // The main window's order of calls for one menu build.
    int BuildMenu(CAppCatalog& catalog, const std::string& document)
    {
        catalog.Refresh();
        catalog.ApplyOrder("Sort");
        catalog.SaveOrder("Sort");
        return catalog.WriteMenuDocument(document);
    }

    CResourceLibrary m_library;
    ScratchFolder m_scratch{"lumbra_catalog"};
};
} // namespace

TEST_F(Catalog, ListsOnlyLibrariesWithAValidListedRecord)
{
    Install({"Valid.dll", "Version2.dll", "Listed0.dll", "BadSignature.dll", "Name100.dll", "Name100Info4.dll",
             "Icon261.dll", "Size0.dll", "SmallSize.dll", "NoExport.dll", "Huge.dll", "Unterminated.dll"});
    std::ofstream(AppInfo() + "NotADll.dll") << "this is not a library";
    ::CreateDirectoryA((AppInfo() + "Folder.dll").c_str(), nullptr);
    ::CreateDirectoryA((AppInfo() + "Sub").c_str(), nullptr);
    CopyInto(BuildFolder("tests/win/plugins/dlls") + "Second.dll", AppInfo() + "Sub\\Second.dll");

    CAppCatalog catalog(AppInfo(), MenuSwf());
    int visible = 0;
    auto boxes = CollectMessageBoxes([&] { visible = catalog.Refresh(); });
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(visible, 3);
    EXPECT_EQ(Sorted(catalog.m_entries), (IdList{"Name100.dll", "SmallSize.dll", "Valid.dll"}));
    EXPECT_EQ(Sorted(catalog.m_visible), Sorted(catalog.m_entries));

    auto record = catalog.LoadEntry("Valid.dll");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->Name(), "Valid Application");
    EXPECT_EQ(record->ExecButton(), "Start");
    EXPECT_EQ(record->Icon(), "icon.png");
    EXPECT_EQ(catalog.LoadEntry("Name100.dll")->Name(), std::string(100, 'N'));
    EXPECT_FALSE(catalog.LoadEntry("Missing.dll"));
    EXPECT_FALSE(catalog.LoadEntry("..\\AppInfo\\Valid.dll"));
    EXPECT_FALSE(catalog.LoadEntry("Sub\\Second.dll"));
}

TEST_F(Catalog, AFailingPluginIsReportedOnceAndLeftOut)
{
    Install({"Valid.dll", "Negative.dll", "Second.dll"});
    CAppCatalog catalog(AppInfo(), MenuSwf());
    auto boxes = CollectMessageBoxes([&] { catalog.Refresh(); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "This application reported an error (code 7) and is not shown in the menu.");
    EXPECT_EQ(boxes[0].caption, "Negative.dll");
    EXPECT_EQ(boxes[0].icon, BoxIcon::Warning) << IconName(boxes[0].icon);
    EXPECT_EQ(boxes[0].owner, nullptr);
    EXPECT_EQ(Sorted(catalog.m_entries), (IdList{"Second.dll", "Valid.dll"}));
}

TEST_F(Catalog, StoredOrderHiddenIdsAndNewEntriesSurviveABuild)
{
    Install({"Valid.dll", "Second.dll", "Third.dll"});
    Store("Sort", "Second.dll/Gone.dll/Valid.dll/");
    Store("NoUse", "Gone.dll/Second.dll/");
    CAppCatalog catalog(AppInfo(), MenuSwf());
    catalog.Refresh();
    EXPECT_EQ(catalog.ApplyOrder("Sort"), 3);
    EXPECT_EQ(catalog.m_entries, (IdList{"Second.dll", "Valid.dll", "Third.dll"}));
    EXPECT_EQ(catalog.m_newEntry, "Third.dll");
    EXPECT_EQ(catalog.m_visible, (IdList{"Valid.dll", "Third.dll"}));
    EXPECT_EQ(catalog.SaveOrder("Sort"), 0);
    EXPECT_EQ(Stored("Sort"), "Second.dll/Valid.dll/Third.dll/");
    EXPECT_EQ(Stored("NoUse"), "Gone.dll/Second.dll/");

    CAppCatalog next(AppInfo(), MenuSwf()); // the next build knows them all
    next.Refresh();
    next.ApplyOrder("Sort");
    EXPECT_EQ(next.m_newEntry, "");
}

TEST_F(Catalog, AnEmptyFolderSavesAnEmptyOrderAndKeepsTheHiddenIds)
{
    Store("Sort", "Valid.dll/");
    Store("NoUse", "Valid.dll/");
    CAppCatalog catalog(AppInfo(), MenuSwf());
    EXPECT_EQ(catalog.Refresh(), 0);
    catalog.ApplyOrder("Sort");
    catalog.SaveOrder("Sort");
    EXPECT_EQ(Stored("Sort"), "");
    EXPECT_EQ(Stored("NoUse"), "Valid.dll/");
}

TEST_F(Catalog, TheMenuDocumentListsTheVisibleEntriesWithTheFocus)
{
    Install({"Valid.dll", "Second.dll", "Third.dll", "Listed0.dll"});
    Store("Sort", "Third.dll/Valid.dll/Second.dll/");
    Store("LastUse", "Valid.dll");
    std::string path = m_scratch.Path() + "PortalApp.xml";
    CAppCatalog catalog(AppInfo(), MenuSwf());
    EXPECT_EQ(BuildMenu(catalog, path), 3);
    std::string m = MenuSwf();
    std::string encoding = ::GetACP() == 932 ? "Shift_JIS" : "windows-" + std::to_string(::GetACP());
    auto line = [&](const char* id, const char* name, const char* focus) {
        return std::string("  <data id=\"") + id + "\" name=\"" + name + "\" infoswf=\"" + m +
               "info.swf\" execbtn=\"Start\" icon=\"" + m + "icon.png\"" + focus + " />\r\n";
    };
    EXPECT_EQ(ReadAll(path), "<?xml version=\"1.0\" encoding=\"" + encoding + "\"?>\r\n<menu>\r\n" +
                                 line("Third.dll", "[SMALL]Third", "") +
                                 line("Valid.dll", "Valid Application", " focus=\"true\"") +
                                 line("Second.dll", "Second[CR]Application", "") + "</menu>\r\n");
}

TEST_F(Catalog, TheFocusFollowsANewEntryThenTheLastUsedVisibleOne)
{
    Install({"Valid.dll", "Second.dll"});
    std::string path = m_scratch.Path() + "PortalApp.xml";
    const struct {
        const char* sort;
        const char* noUse;
        const char* lastUse;
        const char* focused; // "" for none
    } cases[] = {
        {"Valid.dll/", "", "Valid.dll", "Second.dll"},
        {"Valid.dll/Second.dll/", "", "Valid.dll", "Valid.dll"},
        {"Valid.dll/Second.dll/", "Valid.dll/", "Valid.dll", ""},
        {"Valid.dll/Second.dll/", "", "Removed.dll", ""},
        {"Valid.dll/Second.dll/", "", "valid.dll", ""},
    };
    for (const auto& c : cases) {
        Store("Sort", c.sort);
        Store("NoUse", c.noUse);
        Store("LastUse", c.lastUse);
        CAppCatalog catalog(AppInfo(), MenuSwf());
        BuildMenu(catalog, path);
        std::string text = ReadAll(path);
        std::string::size_type focus = text.find(" focus=\"true\"");
        if (!*c.focused) {
            EXPECT_EQ(focus, std::string::npos) << c.sort << " " << c.noUse << " " << c.lastUse;
            continue;
        }
        ASSERT_NE(focus, std::string::npos) << c.focused;
        std::string::size_type lineStart = text.rfind("<data id=\"", focus);
        EXPECT_EQ(text.substr(lineStart + 10, std::strlen(c.focused)), c.focused);
        EXPECT_EQ(text.find(" focus=\"true\"", focus + 1), std::string::npos);
    }
}

TEST_F(Catalog, NoDocumentWhereThePathCannotBeCreated)
{
    std::ofstream(MenuSwf() + "PortalApp.xml") << "stale";
    Install({"Valid.dll"});
    CAppCatalog catalog(AppInfo(), MenuSwf());
    EXPECT_EQ(BuildMenu(catalog, m_scratch.Path() + "Missing\\PortalApp.xml"), -1);
    EXPECT_EQ(::GetFileAttributesA((MenuSwf() + "PortalApp.xml").c_str()), INVALID_FILE_ATTRIBUTES);

    CAppCatalog empty(m_scratch.Path() + "NoAppInfo\\", MenuSwf());
    std::string path = m_scratch.Path() + "Empty.xml";
    EXPECT_EQ(BuildMenu(empty, path), 0);
    EXPECT_NE(ReadAll(path).find("<menu>\r\n</menu>\r\n"), std::string::npos);
}

TEST_F(Catalog, NamesWithMarkupCharactersSurviveAnXmlReader)
{
    Install({"Special.dll", "Valid.dll"});
    std::string path = m_scratch.Path() + "PortalApp.xml";
    CAppCatalog catalog(AppInfo(), MenuSwf());
    ASSERT_EQ(BuildMenu(catalog, path), 2);
    std::vector<std::map<std::string, std::string>> rows = ReadDataElements(path);
    ASSERT_EQ(rows.size(), 2u);
    bool seen = false;
    for (auto& row : rows)
        if (row["id"] == "Special.dll") {
            EXPECT_EQ(row["name"], "Say \"<Cheese>\" & smile");
            EXPECT_EQ(row["execbtn"], "Go & see");
            seen = true;
        }
    EXPECT_TRUE(seen);
}

TEST_F(Catalog, TheSampleSuiteIsListedInTheStoredOrder)
{
    std::string samples = BuildFolder("samples/AppInfo");
    for (const char* plugin : {"Orva_PhotoViewer_01.dll", "Orva_PhotoAlbum_01.dll", "Orva_SlideShow_01.dll",
                               "Orva_OnlinePrintApp_01.dll"})
        ASSERT_TRUE(CopyInto(samples + plugin, AppInfo() + plugin)) << plugin;
    Store("Sort", "Orva_SlideShow_01.dll/Orva_OnlinePrintApp_01.dll/Orva_PhotoViewer_01.dll/");
    std::string path = m_scratch.Path() + "PortalApp.xml";
    CAppCatalog catalog(AppInfo(), MenuSwf());
    ASSERT_EQ(BuildMenu(catalog, path), 4);
    std::vector<std::string> ids;
    for (auto& row : ReadDataElements(path))
        ids.push_back(row["id"]);
    EXPECT_EQ(ids, (std::vector<std::string>{"Orva_SlideShow_01.dll", "Orva_OnlinePrintApp_01.dll",
                                             "Orva_PhotoAlbum_01.dll", "Orva_PhotoViewer_01.dll"}));
    auto rows = ReadDataElements(path);
    EXPECT_EQ(rows[2]["name"], "Photo[CR]Album");
    EXPECT_EQ(rows[2]["icon"], MenuSwf() + "album.png");
    EXPECT_EQ(rows[2]["focus"], "true"); // the one entry the stored order did not know
}
