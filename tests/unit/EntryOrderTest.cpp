#include "catalog/EntryOrder.h"
#include "support/MultiByteText.h"

#include <gtest/gtest.h>

using namespace catalog;

TEST(StoredList, ParsesEverySeparatedIdAndWritesEachWithItsSeparator)
{
    const std::pair<const char*, IdList> cases[] = {
        {"", {}},
        {"Alpha.dll/", {"Alpha.dll"}},
        {"Alpha.dll//Beta.dll/", {"Alpha.dll", "", "Beta.dll"}},
        {"Alpha.dll/Beta.dll", {"Alpha.dll", "Beta.dll"}},
        {"/", {""}},
        {"a.dll/b.dll/a.dll/", {"a.dll", "b.dll", "a.dll"}},
    };
    for (const auto& [stored, ids] : cases)
        EXPECT_EQ(ParseStoredList(stored), ids) << stored;
    EXPECT_EQ(JoinStoredList({}), "");
    EXPECT_EQ(JoinStoredList({"A.dll", "", "B.dll"}), "A.dll//B.dll/");
}

TEST(ApplyStoredOrder, InsertsNewEntriesAfterTheOnlinePrintEntry)
{
    // Stored, discovered, a new entry found before, the order and the new entry.
    const std::tuple<IdList, IdList, const char*, IdList, const char*> cases[] = {
        {{"Beta.dll", "Orva_OnlinePrintApp_01.dll"},
         {"Beta.dll", "Xeno.dll", "Orva_OnlinePrintApp_01.dll", "Yeti.dll"}, "",
         {"Beta.dll", "Orva_OnlinePrintApp_01.dll", "Yeti.dll", "Xeno.dll"}, "Xeno.dll"},
        {{}, {"Alpha.dll", "Orva_OnlinePrintApp_01.dll", "Beta.dll", "Gamma.dll"}, "",
         {"Alpha.dll", "Orva_OnlinePrintApp_01.dll", "Gamma.dll", "Beta.dll"}, "Alpha.dll"},
        {{"B.dll", "A.dll"}, {"A.dll", "B.dll"}, "", {"B.dll", "A.dll"}, ""},
        // Not installed, repeated and empty stored ids are dropped.
        {{"Gone.dll", "A.dll", "", "A.dll", "B.dll"}, {"A.dll", "B.dll"}, "", {"A.dll", "B.dll"}, ""},
        // Another letter case is another entry: the file counts as new.
        {{"viewer.dll"}, {"Viewer.dll"}, "", {"Viewer.dll"}, "Viewer.dll"},
        {{}, {"A.dll", "B.dll"}, "Earlier.dll", {"A.dll", "B.dll"}, "Earlier.dll"},
        {{"A.dll"}, {}, "", {}, ""},
    };
    for (const auto& [stored, discovered, earlier, expected, newEntry] : cases) {
        OrderResult result = ApplyStoredOrder(stored, discovered, earlier);
        EXPECT_EQ(result.entries, expected);
        EXPECT_EQ(result.newEntry, newEntry);
    }
}

TEST(IsPlainFileName, RefusesAnythingThatLeavesTheFolder)
{
    // In code page 932 "\x83\x5C" is one character whose second byte looks like '\\'.
    for (const char* id : {"Viewer.dll", "a..b.dll", "..dll", "\x83\x5C\x83\x74\x83\x67.dll", "\x95\x5C.dll"})
        EXPECT_TRUE(IsPlainFileName(id, support::IsShiftJisLeadByte)) << id;
    for (const char* id : {"", ".", "..", "..\\x.dll", "../x.dll", "C:\\x.dll", "C:x.dll", "\\\\server\\share\\x.dll",
                           "\x83\x5C\\x.dll", "\x83\x5C/..", "\x95\x5C:x.dll"})
        EXPECT_FALSE(IsPlainFileName(id, support::IsShiftJisLeadByte)) << id;
    EXPECT_FALSE(IsPlainFileName("\x83\x5C.dll", [](unsigned char) { return false; })) << "one byte per character";
}
