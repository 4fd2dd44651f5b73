#include "support/AppPathText.h"
#include "support/MultiByteText.h"

#include <gtest/gtest.h>

using support::JoinBounded;
using support::NormalizeAppPathFolder;

const auto kNoLeadBytes = [](unsigned char) { return false; };

TEST(NormalizeFolder, GivesAFolderEndingInOneBackslashCharacter)
{
    const std::pair<const char*, const char*> singleByte[] = {
        {"\"D:\\Tools\\Copy\"", "D:\\Tools\\Copy\\"},
        {"D:\\Tools\\Copy\\", "D:\\Tools\\Copy\\"},
        {"\"D:\\Tools\\Copy\\\"", "D:\\Tools\\Copy\\"},
        {"D:\\Tools\\Copy", "D:\\Tools\\Copy\\"},
        {"", ""},
        // Only one pair is removed; a lone closing quote goes too.
        {"\"\"D:\\X\"\"", "\"D:\\X\"\\"},
        {"D:\\X\"", "D:\\X\\"},
        {"\"", ""},
        // In code page 1252 0x83 is a letter and 0x5C after it a separator.
        {"D:\\\x83\\", "D:\\\x83\\"},
        {"\"D:\\\xC4\xD6\\\"", "D:\\\xC4\xD6\\"},
        {"C:\\\x83", "C:\\\x83\\"},
    };
    for (const auto& [stored, folder] : singleByte)
        EXPECT_EQ(NormalizeAppPathFolder(stored, kNoLeadBytes), std::optional<std::string>(folder)) << stored;
    // Folders ending in ソ (83 5C), 表 (95 5C) and 能 (94 5C): their second
    // byte is no separator, so one is appended.
    const std::pair<const char*, const char*> shiftJis[] = {
        {"C:\\\x83\x5C", "C:\\\x83\x5C\\"},
        {"C:\\Tools\\\x83\x5C\x83\x74\x83\x67\x95\x5C", "C:\\Tools\\\x83\x5C\x83\x74\x83\x67\x95\x5C\\"},
        {"\"C:\\\x8B\x40\x94\x5C\"", "C:\\\x8B\x40\x94\x5C\\"},
        {"C:\\\x83\x5C\\", "C:\\\x83\x5C\\"},
        {"\"C:\\\x95\x5C\\\"", "C:\\\x95\x5C\\"},
        // Characters are counted from the start: 83 83 is one, so the 5C
        // after it is a separator; 83 83 83 5C ends in ソ.
        {"C:\\\x83\x83\x5C", "C:\\\x83\x83\x5C"},
        {"C:\\\x83\x83\x83\x5C", "C:\\\x83\x83\x83\x5C\\"},
        // Half-width katakana are single bytes.
        {"C:\\\xB1\\", "C:\\\xB1\\"},
        {"\"\"", ""},
    };
    for (const auto& [stored, folder] : shiftJis)
        EXPECT_EQ(NormalizeAppPathFolder(stored, support::IsShiftJisLeadByte), std::optional<std::string>(folder))
            << stored;
}

TEST(NormalizeFolder, RefusesAFolderEndingInALoneLeadByteOrThatCannotHoldAFileName)
{
    // A separator after a lone lead byte would become its second byte.
    for (const char* stored : {"C:\\\x83", "\"C:\\\x95\"", "\x94", "C:\\\x83\x5C\x83"})
        EXPECT_FALSE(NormalizeAppPathFolder(stored, support::IsShiftJisLeadByte).has_value()) << stored;
    EXPECT_TRUE(NormalizeAppPathFolder(std::string(258, 'a'), kNoLeadBytes).has_value()); // 258 + backslash = 259
    EXPECT_FALSE(NormalizeAppPathFolder(std::string(259, 'a'), kNoLeadBytes).has_value());
    EXPECT_FALSE(NormalizeAppPathFolder(std::string(259, 'a') + "\\", kNoLeadBytes).has_value());
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
