#include "support/AppPathText.h"

#include <gtest/gtest.h>

using support::JoinBounded;
using support::NormalizeAppPathFolder;

namespace {
bool NoLeadBytes(unsigned char)
{
    return false;
}

struct FolderCase {
    bool shiftJis; // code page 932, else 1252
    const char* stored;
    const char* folder;
};

void PrintTo(const FolderCase& c, std::ostream* out)
{
    *out << (c.shiftJis ? "932 " : "1252 ") << testing::PrintToString(std::string(c.stored));
}

class NormalizeFolder : public testing::TestWithParam<FolderCase> {};
} // namespace

TEST_P(NormalizeFolder, GivesFolderEndingInOneBackslashCharacter)
{
    const FolderCase& c = GetParam();
    auto folder = NormalizeAppPathFolder(c.stored, c.shiftJis ? support::IsShiftJisLeadByte : NoLeadBytes);
    ASSERT_TRUE(folder.has_value());
    EXPECT_EQ(*folder, c.folder);
}

INSTANTIATE_TEST_SUITE_P(
    SingleByte, NormalizeFolder,
    testing::Values(FolderCase{false, "\"D:\\Tools\\Copy\"", "D:\\Tools\\Copy\\"},
                    FolderCase{false, "D:\\Tools\\Copy\\", "D:\\Tools\\Copy\\"},
                    FolderCase{false, "\"D:\\Tools\\Copy\\\"", "D:\\Tools\\Copy\\"},
                    FolderCase{false, "D:\\Tools\\Copy", "D:\\Tools\\Copy\\"}, FolderCase{false, "", ""},
                    // Only one pair is removed; a lone closing quote goes too.
                    FolderCase{false, "\"\"D:\\X\"\"", "\"D:\\X\"\\"}, FolderCase{false, "D:\\X\"", "D:\\X\\"},
                    FolderCase{false, "\"", ""},
                    // In code page 1252 0x83 is a letter and 0x5C after it a separator.
                    FolderCase{false, "D:\\\x83\\", "D:\\\x83\\"},
                    FolderCase{false, "\"D:\\\xC4\xD6\\\"", "D:\\\xC4\xD6\\"}));

// Folders ending in ソ (83 5C), 表 (95 5C) and 能 (94 5C): their second byte is
// no separator, so one is appended.
INSTANTIATE_TEST_SUITE_P(
    ShiftJis, NormalizeFolder,
    testing::Values(FolderCase{true, "C:\\\x83\x5C", "C:\\\x83\x5C\\"},
                    FolderCase{true, "C:\\Tools\\\x83\x5C\x83\x74\x83\x67\x95\x5C", "C:\\Tools\\\x83\x5C\x83\x74\x83\x67\x95\x5C\\"},
                    FolderCase{true, "\"C:\\\x8B\x40\x94\x5C\"", "C:\\\x8B\x40\x94\x5C\\"},
                    FolderCase{true, "C:\\\x83\x5C\\", "C:\\\x83\x5C\\"},
                    FolderCase{true, "\"C:\\\x95\x5C\\\"", "C:\\\x95\x5C\\"},
                    // Characters are counted from the start: 83 83 is one, so the
                    // 5C after it is a separator; 83 83 83 5C ends in ソ.
                    FolderCase{true, "C:\\\x83\x83\x5C", "C:\\\x83\x83\x5C"},
                    FolderCase{true, "C:\\\x83\x83\x83\x5C", "C:\\\x83\x83\x83\x5C\\"},
                    // Half-width katakana are single bytes.
                    FolderCase{true, "C:\\\xB1\\", "C:\\\xB1\\"}, FolderCase{true, "\"\"", ""}));

TEST(NormalizeFolder, RefusesAFolderEndingInALoneLeadByte)
{
    // A separator after it would become its second byte.
    for (const char* stored : {"C:\\\x83", "\"C:\\\x95\"", "\x94", "C:\\\x83\x5C\x83"})
        EXPECT_FALSE(NormalizeAppPathFolder(stored, support::IsShiftJisLeadByte).has_value()) << stored;
    EXPECT_EQ(NormalizeAppPathFolder("C:\\\x83", NoLeadBytes).value(), "C:\\\x83\\");
}

TEST(NormalizeFolder, RefusesAFolderThatCannotHoldAFileName)
{
    EXPECT_TRUE(NormalizeAppPathFolder(std::string(258, 'a'), NoLeadBytes).has_value()); // 258 + backslash = 259
    EXPECT_FALSE(NormalizeAppPathFolder(std::string(259, 'a'), NoLeadBytes).has_value());
    EXPECT_FALSE(NormalizeAppPathFolder(std::string(259, 'a') + "\\", NoLeadBytes).has_value());
    // 128 two-byte characters ending in 0x5C take 256 bytes, plus "C:" and the separator: 259.
    std::string jis;
    for (int i = 0; i < 128; ++i)
        jis += "\x95\x5C";
    EXPECT_EQ(NormalizeAppPathFolder("C:" + jis, support::IsShiftJisLeadByte).value(), "C:" + jis + "\\");
    EXPECT_FALSE(NormalizeAppPathFolder("C:\\" + jis, support::IsShiftJisLeadByte).has_value());
}

TEST(JoinBounded, JoinsWithinTheBufferOnly)
{
    EXPECT_EQ(JoinBounded("C:\\Copy\\", "OrvaExIt.Dll").value(), "C:\\Copy\\OrvaExIt.Dll");
    EXPECT_EQ(JoinBounded("C:\\\x83\x5C\\", "OrvaExIt.Dll").value(), "C:\\\x83\x5C\\OrvaExIt.Dll");
    // An empty folder leaves the bare name for the system's library search.
    EXPECT_EQ(JoinBounded("", "OrvaExIt.Dll").value(), "OrvaExIt.Dll");
    EXPECT_EQ(JoinBounded(std::string(247, 'f'), "OrvaExIt.Dll")->size(), 259u);
    EXPECT_FALSE(JoinBounded(std::string(248, 'f'), "OrvaExIt.Dll").has_value());
}
