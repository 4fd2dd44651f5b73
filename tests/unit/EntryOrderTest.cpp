#include "catalog/EntryOrder.h"

#include <gtest/gtest.h>

using namespace catalog;

TEST(StoredList, ParsesEverySeparatedIdIncludingEmptyOnes)
{
    const struct {
        const char* stored;
        IdList ids;
    } cases[] = {
        {"", {}},
        {"Alpha.dll/", {"Alpha.dll"}},
        {"Alpha.dll//Beta.dll/", {"Alpha.dll", "", "Beta.dll"}},
        {"Alpha.dll/Beta.dll", {"Alpha.dll", "Beta.dll"}},
        {"/", {""}},
        {"//", {"", ""}},
        {"a.dll/b.dll/a.dll/", {"a.dll", "b.dll", "a.dll"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseStoredList(c.stored), c.ids) << c.stored;
}

TEST(StoredList, WritesEveryIdWithItsSeparator)
{
    EXPECT_EQ(JoinStoredList({}), "");
    EXPECT_EQ(JoinStoredList({"A.dll", "B.dll"}), "A.dll/B.dll/");
    EXPECT_EQ(ParseStoredList(JoinStoredList({"x.dll", "y.dll"})), (IdList{"x.dll", "y.dll"}));
}

TEST(ApplyStoredOrder, InsertsNewEntriesAfterTheOnlinePrintEntry)
{
    const struct {
        IdList stored;
        IdList discovered;
        IdList expected;
        const char* newEntry;
    } cases[] = {
        {{"Beta.dll", "Orva_OnlinePrintApp_01.dll"},
         {"Beta.dll", "Xeno.dll", "Orva_OnlinePrintApp_01.dll", "Yeti.dll"},
         {"Beta.dll", "Orva_OnlinePrintApp_01.dll", "Yeti.dll", "Xeno.dll"},
         "Xeno.dll"},
        {{},
         {"Alpha.dll", "Orva_OnlinePrintApp_01.dll", "Beta.dll", "Gamma.dll"},
         {"Alpha.dll", "Orva_OnlinePrintApp_01.dll", "Gamma.dll", "Beta.dll"},
         "Alpha.dll"},
        {{"B.dll", "A.dll"}, {"A.dll", "B.dll"}, {"B.dll", "A.dll"}, ""},
        // Not installed, repeated and empty stored ids are dropped.
        {{"Gone.dll", "A.dll", "", "A.dll", "B.dll"}, {"A.dll", "B.dll"}, {"A.dll", "B.dll"}, ""},
        // Another letter case is another entry: the file counts as new.
        {{"viewer.dll"}, {"Viewer.dll"}, {"Viewer.dll"}, "Viewer.dll"},
        {{"A.dll"}, {}, {}, ""},
    };
    for (const auto& c : cases) {
        OrderResult result = ApplyStoredOrder(c.stored, c.discovered, "");
        EXPECT_EQ(result.entries, c.expected);
        EXPECT_EQ(result.newEntry, c.newEntry);
    }
}

TEST(ApplyStoredOrder, KeepsANewEntryFoundEarlier)
{
    OrderResult result = ApplyStoredOrder({}, {"A.dll", "B.dll"}, "Earlier.dll");
    EXPECT_EQ(result.newEntry, "Earlier.dll");
}

TEST(VisibleEntries, LeavesOutHiddenIdsAndIgnoresUninstalledOnes)
{
    EXPECT_EQ(VisibleEntries({"A.dll", "B.dll", "C.dll"}, {"B.dll", "Gone.dll"}), (IdList{"A.dll", "C.dll"}));
    EXPECT_EQ(VisibleEntries({"A.dll"}, {"a.dll"}), (IdList{"A.dll"}));
}

TEST(IsPlainFileName, RefusesAnythingThatLeavesTheFolder)
{
    for (const char* id : {"Viewer.dll", "Orva_OnlinePrintApp_01.dll", "a..b.dll", "..dll"})
        EXPECT_TRUE(IsPlainFileName(id)) << id;
    for (const char* id : {"", ".", "..", "..\\x.dll", "../x.dll", "C:\\x.dll", "C:x.dll", "sub\\x.dll",
                           "\\\\server\\share\\x.dll"})
        EXPECT_FALSE(IsPlainFileName(id)) << id;
}
