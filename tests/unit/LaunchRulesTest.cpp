#include "shell/LaunchRules.h"

#include <gtest/gtest.h>

using namespace shell;

TEST(RepeatGuard, DropsOnlyARepeatOfTheSameEntryWithinItsInterval)
{
    auto noLeads = [](unsigned char) { return false; };
    const std::tuple<const char*, const char*, std::uint32_t, std::uint32_t, std::uint32_t, bool> cases[] = {
        {"Viewer.dll", "Viewer.dll", 10500, 10000, 1000, true},
        {"Album.dll", "Viewer.dll", 10500, 10000, 1000, false},
        {"Viewer.dll", "Viewer.dll", 11000, 10000, 1000, false},
        {"Viewer.dll", "Viewer.dll", 1000, 0xFFFFFC18, 1000, false}, // 2 s across the wrap
        {"Viewer.dll", "Viewer.dll", 100, 0xFFFFFF00, 1000, true},   // 356 ms across the wrap
        {"viewer.dll", "Viewer.dll", 10100, 10000, 1000, false},     // the repeat keeps the case
        {"", "", 10100, 10000, 1000, true},
        {"Kadro_ImxInput_01.Dll", "Kadro_ImxInput_01.Dll", 14999, 10000, 0, true}, // 5000 in any case
        {"KADRO_IMXINPUT_01.DLL", "kadro_imxinput_01.dll", 10100, 10000, 0, false},
        {"KADRO_IMXINPUT_02.DLL", "KADRO_IMXINPUT_02.DLL", 10100, 10000, 50, false},
    };
    for (const auto& [entry, last, now, lastTick, execWait, dropped] : cases) {
        std::uint32_t interval = RepeatGuardInterval(entry, execWait, noLeads);
        EXPECT_EQ(IsGuardedRepeat(entry, last, now, lastTick, interval), dropped)
            << entry << " after " << last << " at " << now;
    }
}

TEST(DocumentPathInFolder, PutsExactlyOneSeparatorBeforeTheName)
{
    EXPECT_EQ(DocumentPathInFolder("C:\\Temp\\", "PortalApp.xml"), "C:\\Temp\\PortalApp.xml");
    EXPECT_EQ(DocumentPathInFolder("C:\\Temp", "PortalApp.xml"), "C:\\Temp\\PortalApp.xml");
}
