#include "support/MultiByteText.h"
#include "updater/VersionRules.h"

#include <gtest/gtest.h>

using namespace updater;

const auto kNoLeadBytes = [](unsigned char) { return false; };

// How the FileVersion text splits, and the outcome it leads to; the real
// updater runs the same cases against programs in the end-to-end tests.
TEST(VersionRules, TheFirstThreeCommaFieldsTrimmedDecideTheOutcome)
{
    // The text, its fields as major|minor|build, the outcome and its data file.
    const std::tuple<const char*, const char*, Outcome, const char*> cases[] = {
        {"1, 7, 60417, 1", "1|7|060417", kUnnecessary, ""},
        {"1,0,41231,1", "1|0|041231", kUpdated, "data0.dat"},
        {" 1 ,\t2 , 50331 , 9, extra", "1|2|050331", kUpdated, "data2.dat"},
        {"1, 8, 050331, 1", "1|8|050331", kUpdated, "data8.dat"},
        {"1, 2, 50401, 1", "1|2|050401", kUnnecessary, ""},
        {"1, 0, 1234, 1", "1|0|01234", kUnnecessary, ""},
        {"1, 0, 0503311, 1", "1|0|0503311", kUnnecessary, ""},
        {"1, 0, 41231", "1|0|0", kUnnecessary, ""}, // the build needs its closing comma
        {"1, 0", "1||0", kDifferentVersion, ""},
        {"1 0 41231 1", "||0", kDifferentVersion, ""},
        {"", "||0", kDifferentVersion, ""},
        {"1, 01, 41231, 1", "1|01|041231", kDifferentVersion, ""},
        {"1, 3, 41231, 1", "1|3|041231", kDifferentVersion, ""}, // minors 3, 4 and 9 ship no data
        {"1, 5, 41231, 1", "1|5|041231", kUpdated, "data5.dat"},
        {"2, 0, 41231, 1", "2|0|041231", kDifferentVersion, ""},
        {"1, 0, 0503311234567890123, 1", "1|0|050331123456789", kUnnecessary, ""}, // kept to its first 15
    };
    for (const auto& [version, fields, outcome, dataFile] : cases) {
        VersionFields f = SplitVersionFields(version, kNoLeadBytes);
        EXPECT_EQ(std::string(f.major.View()) + "|" + std::string(f.minor.View()) + "|" + std::string(f.build.View()),
                  fields)
            << version;
        Decision d = Decide(f);
        EXPECT_EQ(d.stop, outcome) << version;
        EXPECT_STREQ(d.dataFile ? d.dataFile : "", dataFile) << version;
    }
    const std::pair<Outcome, OutcomeIcon> icons[] = {{kNotInstalled, OutcomeIcon::Exclamation},
                                                     {kDifferentVersion, OutcomeIcon::Exclamation},
                                                     {kUnnecessary, OutcomeIcon::Information},
                                                     {kUpdated, OutcomeIcon::Information},
                                                     {kFailed, OutcomeIcon::Hand}};
    for (const auto& [outcome, icon] : icons)
        EXPECT_EQ(IconOf(outcome), icon) << outcome;
}

TEST(VersionRules, TrimsOnlyAsciiWhiteSpaceAndKeepsTwoByteCharactersWhole)
{
    // 0x81 0x40 is the full-width space of code page 932: a character, not
    // white space, so a minor of it is no known minor.
    EXPECT_EQ(SplitVersionFields("1, \x81\x40 , 50331,", support::IsShiftJisLeadByte).minor.View(), "\x81\x40");
    EXPECT_EQ(SplitVersionFields("1,  7\x82, 50331,", support::IsShiftJisLeadByte).minor.View(), "7\x82");
}

TEST(VersionRules, BuildsCompareByTheirTwoDigitFields)
{
    const std::pair<const char*, bool> cases[] = {
        {"041231", true}, {"050331", true},   {"050400", true}, {"050401", false}, {"050402", false},
        {"05040", false}, {"0504011", false}, {"", false},      {"0x0401", true},  {"0504a1", true}};
    for (const auto& [installed, older] : cases)
        EXPECT_EQ(IsOlderBuild(installed, kReferenceBuild), older) << installed;
}
