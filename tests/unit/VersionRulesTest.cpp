#include "updater/VersionRules.h"

#include <gtest/gtest.h>

using namespace updater;

namespace {
bool NoLeadBytes(unsigned char)
{
    return false;
}
bool ShiftJisLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
} // namespace

TEST(SplitVersionFields, TakesTheFirstThreeCommaFieldsTrimmedAndPadsTheBuild)
{
    const struct {
        const char* version;
        const char* major;
        const char* minor;
        const char* build;
    } cases[] = {
        {"1, 7, 60417, 1", "1", "7", "060417"},
        {"1,7,60417,1", "1", "7", "060417"},
        {" 1 ,\t0 , 41231 , 9, extra", "1", "0", "041231"},
        {"1, 0, 050331, 1", "1", "0", "050331"},
        {"1, 0, 1234, 1", "1", "0", "01234"},
        {"1, 0, 0503311, 1", "1", "0", "0503311"},
        {"1, 0, 41231", "1", "0", "0"},
        {"1, 0", "1", "", "0"},
        {"1 0 41231 1", "", "", "0"},
        {"", "", "", "0"},
        {"1, 01, 41231, 1", "1", "01", "041231"},
        {"1, 0, 0503311234567890123, 1", "1", "0", "050331123456789"}, // kept to its first 15
    };
    for (const auto& c : cases) {
        VersionFields f = SplitVersionFields(c.version, NoLeadBytes);
        EXPECT_EQ(f.major.View(), c.major) << c.version;
        EXPECT_EQ(f.minor.View(), c.minor) << c.version;
        EXPECT_EQ(f.build.View(), c.build) << c.version;
    }
}

TEST(SplitVersionFields, TrimsOnlyAsciiWhiteSpaceAndKeepsTwoByteCharactersWhole)
{
    // 0x81 0x40 is the full-width space of code page 932: a character, not
    // white space, so a minor of it is no known minor.
    VersionFields f = SplitVersionFields("1, \x81\x40 , 50331,", ShiftJisLeadByte);
    EXPECT_EQ(f.minor.View(), "\x81\x40");
    f = SplitVersionFields("1,  7\x82, 50331,", ShiftJisLeadByte); // a cut-off lead byte at the end
    EXPECT_EQ(f.minor.View(), "7\x82");
}

TEST(DataFileForMinor, KnowsOnlyTheShippedMinorsAsText)
{
    EXPECT_STREQ(DataFileForMinor("0"), "data0.dat");
    EXPECT_STREQ(DataFileForMinor("2"), "data2.dat");
    EXPECT_STREQ(DataFileForMinor("8"), "data8.dat");
    for (const char* minor : {"3", "4", "9", "01", "", " 7", "10"})
        EXPECT_EQ(DataFileForMinor(minor), nullptr) << minor;
}

TEST(IsOlderBuild, ComparesYearMonthAndDay)
{
    const struct {
        const char* installed;
        bool older;
    } cases[] = {
        {"041231", true}, {"050331", true}, {"050400", true},  {"050401", false}, {"050402", false},
        {"060417", false}, {"05040", false}, {"0504011", false}, {"", false},      {"0x0401", true},
        {"ab0401", true},  {"0504a1", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsOlderBuild(c.installed, kReferenceBuild), c.older) << c.installed;
}

TEST(Decide, FollowsTheChecksInTheirFixedOrder)
{
    const struct {
        const char* version;
        Outcome outcome;
        const char* dataFile;
    } cases[] = {
        {"1, 7, 60417, 1", kUnnecessary, ""},
        {"1, 0, 41231, 1", kUpdated, "data0.dat"},
        {"1, 2, 50331, 1", kUpdated, "data2.dat"},
        {"1, 2, 50401, 1", kUnnecessary, ""},
        {"1, 2, 50402, 1", kUnnecessary, ""},
        {"1, 3, 41231, 1", kDifferentVersion, ""},
        {"1, 4, 41231, 1", kDifferentVersion, ""},
        {"2, 0, 41231, 1", kDifferentVersion, ""},
        {"2, 0, 99999, 1", kDifferentVersion, ""},
        {"no commas", kDifferentVersion, ""},
        {"1, 01, 41231, 1", kDifferentVersion, ""},
        {"1, 0, 41231", kUnnecessary, ""},
        {"1, 8, 050331, 1", kUpdated, "data8.dat"},
        {"1, 0, 1234, 1", kUnnecessary, ""},
        {"1, 7, 41231, 1", kUpdated, "data7.dat"},
        // Fields cut to their first 15 bytes still decide as they would whole.
        {"1                    x, 7, 41231, 1", kDifferentVersion, ""},
        {"1, 7                    x, 41231, 1", kDifferentVersion, ""},
        {"1, 7, 0412310000000000000000000, 1", kUnnecessary, ""},
    };
    for (const auto& c : cases) {
        Decision d = Decide(SplitVersionFields(c.version, NoLeadBytes));
        EXPECT_EQ(d.stop, c.outcome) << c.version;
        EXPECT_STREQ(d.dataFile ? d.dataFile : "", c.dataFile) << c.version;
    }
}
