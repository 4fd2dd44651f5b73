#include "shell/LaunchRules.h"

#include <gtest/gtest.h>

using namespace shell;

TEST(RepeatGuard, DropsOnlyARepeatOfTheSameEntryWithinItsInterval)
{
    const struct {
        const char* entry;
        const char* last;
        std::uint32_t now;
        std::uint32_t lastTick;
        bool dropped;
    } cases[] = {
        {"Viewer.dll", "Viewer.dll", 10500, 10000, true},   // 500 ms repeat
        {"Album.dll", "Viewer.dll", 10500, 10000, false},   // another entry
        {"Viewer.dll", "Viewer.dll", 11000, 10000, false},  // 1000 ms: allowed again
        {"Viewer.dll", "Viewer.dll", 10999, 10000, true},
        {"Viewer.dll", "Viewer.dll", 1000, 0xFFFFFC18, false}, // 2 s across the wrap
        {"Viewer.dll", "Viewer.dll", 100, 0xFFFFFF00, true},   // 356 ms across the wrap
        {"viewer.dll", "Viewer.dll", 10100, 10000, false},  // the repeat keeps the case
        {"", "", 10100, 10000, true},                       // an empty id repeats too
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsGuardedRepeat(c.entry, c.last, c.now, c.lastTick, 1000), c.dropped)
            << c.entry << " after " << c.last << " at " << c.now;
}

TEST(RepeatGuard, TheImportInputEntryWaitsFiveSecondsInAnyCase)
{
    auto noLeads = [](unsigned char) { return false; };
    EXPECT_EQ(RepeatGuardInterval("KADRO_IMXINPUT_01.DLL", 1000, noLeads), 5000u);
    EXPECT_EQ(RepeatGuardInterval("kadro_imxinput_01.dll", 1000, noLeads), 5000u);
    EXPECT_EQ(RepeatGuardInterval("Kadro_ImxInput_01.Dll", 300, noLeads), 5000u);
    EXPECT_EQ(RepeatGuardInterval("KADRO_IMXINPUT_02.DLL", 1000, noLeads), 1000u);
    EXPECT_EQ(RepeatGuardInterval("Viewer.dll", 250, noLeads), 250u);
    // Lower case then repeated in upper case: another entry for the guard.
    std::uint32_t interval = RepeatGuardInterval("kadro_imxinput_01.dll", 1000, noLeads);
    EXPECT_FALSE(IsGuardedRepeat("KADRO_IMXINPUT_01.DLL", "kadro_imxinput_01.dll", 12000, 10000, interval));
    EXPECT_TRUE(IsGuardedRepeat("kadro_imxinput_01.dll", "kadro_imxinput_01.dll", 12000, 10000, interval));
}

TEST(DocumentPathInFolder, PutsExactlyOneSeparatorBeforeTheName)
{
    EXPECT_EQ(DocumentPathInFolder("C:\\Temp\\", "PortalApp.xml"), "C:\\Temp\\PortalApp.xml");
    EXPECT_EQ(DocumentPathInFolder("C:\\Temp", "PortalApp.xml"), "C:\\Temp\\PortalApp.xml");
}
