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
    const std::string print = "Orva_OnlinePrintApp_01.dll";
    // Stored, discovered, a new entry found before, the order and the new entry.
    const std::tuple<IdList, IdList, const char*, IdList, const char*> cases[] = {
        {{"B.dll", print}, {"B.dll", "X.dll", print, "Y.dll"}, "", {"B.dll", print, "Y.dll", "X.dll"}, "X.dll"},
        {{}, {"A.dll", print, "B.dll", "G.dll"}, "", {"A.dll", print, "G.dll", "B.dll"}, "A.dll"},
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

TEST(KeepInStoredPlaces, PutsEachKeptIdBackAfterTheIdBeforeItThatIsStillThere)
{
    // Entries offered, the stored order, the ids kept out this time, the order to store.
    const std::tuple<IdList, IdList, IdList, IdList> cases[] = {
        {{"A", "C"}, {"A", "B", "C"}, {"B"}, {"A", "B", "C"}},
        {{"C", "A"}, {"A", "B", "C"}, {"B"}, {"C", "A", "B"}}, // reordered: after A, wherever A went
        {{"C"}, {"B", "C"}, {"B"}, {"B", "C"}},                // nothing before it: first
        {{"C"}, {"A", "B", "C"}, {"B"}, {"B", "C"}},           // A removed: B has no anchor left
        {{"A", "D"}, {"A", "B", "C", "D"}, {"B", "C"}, {"A", "B", "C", "D"}},
        {{"A"}, {"A"}, {"New"}, {"A"}}, // never stored: it stays out, and is new when it returns
        {{"A", "B"}, {"A", "B"}, {"B"}, {"A", "B"}},
        {{}, {"A", "", "A"}, {"A"}, {"A"}},
    };
    for (const auto& [entries, stored, kept, expected] : cases)
        EXPECT_EQ(KeepInStoredPlaces(entries, stored, kept), expected);
}

TEST(ProvisionalOrder, ShowsFoundIdsInTheStoredOrderAndAgreesWithTheFinalOrderWhenNothingIsNew)
{
    EXPECT_EQ(ProvisionalOrder({"C", "A", "B"}, {"A"}, {"A", "B", "New", "C"}), (IdList{"C", "B", "New"}));
    EXPECT_EQ(ProvisionalOrder({}, {}, {"B", "A"}), (IdList{"B", "A"}));
    // 300 ids found in a scrambled order, 40 of them hidden.
    IdList stored;
    IdList hidden;
    for (int i = 0; i < 300; ++i) {
        stored.push_back("App" + std::to_string((i * 7919) % 300) + ".dll");
        if (i % 7 == 0)
            hidden.push_back(stored.back());
    }
    IdList found = stored;
    std::reverse(found.begin(), found.end());
    for (std::size_t shown = 0; shown <= found.size(); shown += 60) {
        IdList part(found.begin(), found.begin() + shown);
        IdList final = VisibleEntries(ApplyStoredOrder(stored, part, "").entries, hidden);
        EXPECT_EQ(ProvisionalOrder(stored, hidden, part), final) << shown;
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
