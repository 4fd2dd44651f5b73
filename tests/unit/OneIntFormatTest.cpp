#include "support/FormatTexts.h"
#include "support/OneIntFormat.h"

#include <gtest/gtest.h>

TEST(FormatOneInt, ExpandsOnlyOneIntegerConversionAndKeepsTheWholeNumber)
{
    const std::tuple<const char*, int, std::string> cases[] = {
        {"Failed (error %d).", -5, "Failed (error -5)."},
        {"code %i", 42, "code 42"},
        {"hex %08X", 255, "hex 000000FF"},
        {"%u", -1, "4294967295"},
        {"%ld left", 7, "7 left"},
        {"100%% sure: %d", 3, "100% sure: 3"},
        {"no conversion", 9, "no conversion"},
        {"", 9, ""},
        // Conversions that would read a missing argument stay as text.
        {"%s crashed", 1, "%s crashed"},
        {"%n", 1, "%n"},
        {"%d and %d", 1, "1 and %d"},
        {"%*d", 5, "%*d"},
        {"ends with %", 5, "ends with %"},
        {"%99999999d", 5, "%99999999d"},
        // The widest fields still hold the whole number.
        {"[%88X]", 0xC00, "[" + std::string(85, ' ') + "C00]"},
        {"%-999d|", -7, "-7" + std::string(997, ' ') + "|"},
        {"%#.999x", 255, "0x" + std::string(997, '0') + "ff"},
        {"%+.999i", 5, "+" + std::string(998, '0') + "5"},
    };
    for (const auto& [format, value, expected] : cases)
        EXPECT_EQ(support::FormatOneInt(format, value), expected) << format;
}

TEST(FormatTexts, TakesTextsOnlyForPercentSInOrderAndCopiesEverythingElse)
{
    const std::tuple<const char*, std::vector<std::string>, std::string> cases[] = {
        {"%s stopped the menu.", {"Viewer"}, "Viewer stopped the menu."},
        {"%s of %s", {"12", "1000"}, "12 of 1000"},
        {"100%% of %s", {"10"}, "100% of 10"},
        {"%s and %s", {"one"}, "one and %s"}, // no argument left: as it stands
        {"%d %n %x %S %", {"a"}, "%d %n %x %S %"},
        {"%%s", {"a"}, "%s"},
        {"%s", {"%s %d"}, "%s %d"}, // an argument is never read as a format
        {"", {"a"}, ""},
        {"\x95\x5C%s", {"C:\\Temp"}, std::string("\x95\x5C") + "C:\\Temp"},
    };
    for (const auto& [format, texts, expected] : cases)
        EXPECT_EQ(support::FormatTexts(format, texts), expected) << format;
}
