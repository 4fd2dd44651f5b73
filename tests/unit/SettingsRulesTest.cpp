#include "settings/SettingsRules.h"

#include <gtest/gtest.h>

using namespace settings;

TEST(SettingsRules, NamesLoseTheirFirstLineBreakAndALeadingSmallMarker)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Photo[CR]Album", "PhotoAlbum"},
        {"[SMALL]Print[CR]Service", "PrintService"},
        {"[CR]Viewer", "[CR]Viewer"},
        {"X[CR]Y[CR]Z", "XY[CR]Z"},
        {"Tools [SMALL]", "Tools [SMALL]"},
        {"Help[CR]Center", "HelpCenter"},
        {"[SMALL]Tips", "Tips"},
        {"[SMALL][CR]Tips", "Tips"},
        {"[small]Tips", "[small]Tips"},
        {"", ""},
        {"\x83\x5B[CR]\x83\x7C", "\x83\x5B\x83\x7C"},
    };
    for (const auto& [name, shown] : cases)
        EXPECT_EQ(StripNameMarkup(name), shown) << name;
}

TEST(SettingsRules, OnlyWindowsXpHasTheAutoPlayEntries)
{
    const std::tuple<const char*, std::uint32_t, std::uint32_t, std::uint32_t, bool> cases[] = {
        {"98", 1, 4, 10, false},  {"ME", 1, 4, 90, false},   {"2000", 2, 5, 0, false}, {"XP", 2, 5, 1, true},
        {"2003", 2, 5, 2, false}, {"Vista", 2, 6, 0, false}, {"7", 2, 6, 1, false},    {"XP as 9x", 1, 5, 1, false},
    };
    for (const auto& [system, platform, major, minor, xp] : cases)
        EXPECT_EQ(IsWindowsXp(platform, major, minor), xp) << system;
}
