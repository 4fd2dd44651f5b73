#include "support/OneIntFormat.h"

#include <gtest/gtest.h>

struct FormatCase {
    const char* format;
    int value;
    const char* expected;
};

class FormatOneInt : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatOneInt, ExpandsOnlyOneIntegerConversion)
{
    EXPECT_EQ(support::FormatOneInt(GetParam().format, GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FormatOneInt,
    testing::Values(FormatCase{"Failed (error %d).", -5, "Failed (error -5)."},
                    FormatCase{"code %i", 42, "code 42"},
                    FormatCase{"hex %08X", 255, "hex 000000FF"},
                    FormatCase{"%u", -1, "4294967295"},
                    FormatCase{"%ld left", 7, "7 left"},
                    FormatCase{"100%% sure: %d", 3, "100% sure: 3"},
                    FormatCase{"no conversion", 9, "no conversion"},
                    FormatCase{"", 9, ""},
                    // Conversions that would read a missing argument stay as text.
                    FormatCase{"%s crashed", 1, "%s crashed"},
                    FormatCase{"%n", 1, "%n"},
                    FormatCase{"%d and %d", 1, "1 and %d"},
                    FormatCase{"%*d", 5, "%*d"},
                    FormatCase{"ends with %", 5, "ends with %"},
                    FormatCase{"%99999999d", 5, "%99999999d"}));

TEST(FormatOneInt, KeepsTheWholeNumberInTheWidestField)
{
    EXPECT_EQ(support::FormatOneInt("[%88X]", 0xC00), "[" + std::string(85, ' ') + "C00]");
    EXPECT_EQ(support::FormatOneInt("%-999d|", -7), "-7" + std::string(997, ' ') + "|");
    EXPECT_EQ(support::FormatOneInt("%#.999x", 255), "0x" + std::string(997, '0') + "ff");
    EXPECT_EQ(support::FormatOneInt("%+.999i", 5), "+" + std::string(998, '0') + "5");
}
