#include "catalog/PluginJournalText.h"

#include <gtest/gtest.h>

using namespace catalog;

TEST(PluginJournal, ACallReadsBackAsWrittenAndAnythingElseReadsAsNone)
{
    const std::string japanese = "\x8E\xCA\x90\x5E\x83\x5C"; // second bytes 0x5E and 0x5C
    const JournalRecord records[] = {
        {"GetInfo", {"C:\\Program Files\\Suite\\AppInfo\\Viewer.dll", 187392, 133512345678901234}, "Photo [CR]Viewer"},
        {"Exec", {"C:\\" + japanese + "\\" + japanese + ".dll", 0, 0}, japanese},
        {"CopyTool", {"\\\\server\\share\\OrvaExIt.Dll", UINT64_MAX, UINT64_MAX}, ""},
    };
    for (const JournalRecord& record : records) {
        std::optional<JournalRecord> read = DecodeJournal(EncodeJournal(record));
        ASSERT_TRUE(read) << record.library.path;
        EXPECT_EQ(read->purpose + "|" + read->name, record.purpose + "|" + record.name);
        EXPECT_EQ(read->library, record.library);
    }
    // A name's control characters are stored as blanks, so they cannot split
    // the record.
    JournalRecord tabbed{"Exec", {"C:\\A.dll", 1, 2}, "a\tb\nc\rd"};
    EXPECT_EQ(DecodeJournal(EncodeJournal(tabbed))->name, "a b c d");
    // A path that could not be read back is not stored at all.
    EXPECT_EQ(EncodeJournal({"Exec", {"C:\\A\tB.dll", 1, 2}, ""}), "");

    for (const char* damaged :
         {"", "Exec", "Exec\tC:\\A.dll\t1\t2", "Exec\tC:\\A.dll\t1\t2\tname\textra", "\tC:\\A.dll\t1\t2\t",
          "Exec\t\t1\t2\t", "Exec\tC:\\A.dll\tx\t2\t", "Exec\tC:\\A.dll\t-1\t2\t",
          "Exec\tC:\\A.dll\t1\t18446744073709551616\t", "Exec\tC:\\A.dll\t\t2\t"})
        EXPECT_FALSE(DecodeJournal(damaged)) << damaged;
}

TEST(PluginJournal, SetAsideLibrariesAndNamesKeepTheLinesThatReadBack)
{
    const std::vector<LibraryIdentity> libraries = {
        {"C:\\AppInfo\\A.dll", 10, 20}, {"C:\\AppInfo\\B.dll", 30, 40}, {"D:\\Tools\\OrvaExIt.Dll", 0, 1}};
    EXPECT_EQ(DecodeIdentities(EncodeIdentities(libraries)), libraries);
    EXPECT_EQ(DecodeIdentities("C:\\A.dll\t1\t2\ngarbage\nC:\\B.dll\tx\t2\n\nC:\\C.dll\t3\t4"),
              (std::vector<LibraryIdentity>{{"C:\\A.dll", 1, 2}, {"C:\\C.dll", 3, 4}}));
    EXPECT_EQ(EncodeIdentities({{"C:\\A\nB.dll", 1, 2}}), "");

    const NameMap names = {{"C:\\AppInfo\\A.dll", "[SMALL]Album"},
                           {"C:\\AppInfo\\B.dll", ""},
                           {"C:\\AppInfo\\C.dll", std::string(100, 'N')}};
    EXPECT_EQ(DecodeNames(EncodeNames(names)), names);
    EXPECT_EQ(DecodeNames(EncodeNames({{"C:\\A.dll", "two\nlines\twith tab"}})),
              (NameMap{{"C:\\A.dll", "two lines with tab"}}));
    EXPECT_EQ(DecodeNames("no tab here\n\tnameless\nC:\\A.dll\tA"), (NameMap{{"C:\\A.dll", "A"}}));
}
