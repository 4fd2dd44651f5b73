#include "support/AppPathText.h"

#include <gtest/gtest.h>

using support::JoinBounded;
using support::NormalizeAppPathFolder;

struct FolderCase {
    const char* stored;
    const char* folder;
};

class NormalizeFolder : public testing::TestWithParam<FolderCase> {};

TEST_P(NormalizeFolder, GivesFolderEndingInOneBackslash)
{
    auto folder = NormalizeAppPathFolder(GetParam().stored);
    ASSERT_TRUE(folder.has_value());
    EXPECT_EQ(*folder, GetParam().folder);
}

INSTANTIATE_TEST_SUITE_P(AppPaths, NormalizeFolder,
                         testing::Values(FolderCase{"\"D:\\Tools\\Copy\"", "D:\\Tools\\Copy\\"},
                                         FolderCase{"D:\\Tools\\Copy\\", "D:\\Tools\\Copy\\"},
                                         FolderCase{"\"D:\\Tools\\Copy\\\"", "D:\\Tools\\Copy\\"},
                                         FolderCase{"D:\\Tools\\Copy", "D:\\Tools\\Copy\\"},
                                         FolderCase{"", ""},
                                         // Only one pair is removed; a lone closing quote goes too.
                                         FolderCase{"\"\"D:\\X\"\"", "\"D:\\X\"\\"},
                                         FolderCase{"D:\\X\"", "D:\\X\\"},
                                         FolderCase{"\"", ""}));

TEST(NormalizeFolder, RefusesAFolderThatCannotHoldAFileName)
{
    EXPECT_TRUE(NormalizeAppPathFolder(std::string(258, 'a')).has_value()); // 258 + backslash = 259
    EXPECT_FALSE(NormalizeAppPathFolder(std::string(259, 'a')).has_value());
    EXPECT_FALSE(NormalizeAppPathFolder(std::string(259, 'a') + "\\").has_value());
}

TEST(JoinBounded, JoinsWithinTheBufferOnly)
{
    EXPECT_EQ(JoinBounded("C:\\Copy\\", "OrvaExIt.Dll").value(), "C:\\Copy\\OrvaExIt.Dll");
    // An empty folder leaves the bare name for the system's library search.
    EXPECT_EQ(JoinBounded("", "OrvaExIt.Dll").value(), "OrvaExIt.Dll");
    EXPECT_EQ(JoinBounded(std::string(247, 'f'), "OrvaExIt.Dll")->size(), 259u);
    EXPECT_FALSE(JoinBounded(std::string(248, 'f'), "OrvaExIt.Dll").has_value());
}
