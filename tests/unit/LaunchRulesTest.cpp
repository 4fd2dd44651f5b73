#include "shell/LaunchRules.h"
#include "support/MultiByteText.h"

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

TEST(TempDocumentPath, PutsOneSeparatorBeforeTheNameAndRefusesFoldersThatCannotHoldIt)
{
    // In code page 932 "\x83\x5C" is one character whose second byte looks like '\\'.
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"C:\\Temp\\", "C:\\Temp\\PortalApp.xml"},
        {"C:\\Temp", "C:\\Temp\\PortalApp.xml"},
        {"C:\\\x83\x5C\\", "C:\\\x83\x5C\\PortalApp.xml"},
        {"C:\\\x83\x5C", "C:\\\x83\x5C\\PortalApp.xml"},
        {"\\\\server\\temp\\", "\\\\server\\temp\\PortalApp.xml"},
        {"C:\\" + std::string(242, 't') + "\\", "C:\\" + std::string(242, 't') + "\\PortalApp.xml"}, // 259
        {"C:\\" + std::string(243, 't') + "\\", std::nullopt},
        // The root of the current drive or the current folder would take
        // their place.
        {"", std::nullopt},
        {"\\", std::nullopt},
        {"Temp\\", std::nullopt},
        {"C:Temp\\", std::nullopt},
        {"\\\\\\x", std::nullopt},
    };
    for (const auto& [folder, path] : cases)
        EXPECT_EQ(TempDocumentPath(folder, "PortalApp.xml", support::IsShiftJisLeadByte), path) << folder;
}

TEST(FileNameStart, FollowsTheLastRealSeparator)
{
    const std::pair<const char*, std::size_t> cases[] = {{"C:\\AppInfo\\Viewer.dll", 11},
                                                         {"Viewer.dll", 0},
                                                         {"C:/a/b.dll", 5},
                                                         {"C:\\\x83\x5C.dll", 3},
                                                         {"C:\\\x83\x5C\\x.dll", 6},
                                                         {"folder\\", 7},
                                                         {"", 0}};
    for (const auto& [path, start] : cases)
        EXPECT_EQ(support::FileNameStart(path, support::IsShiftJisLeadByte), start) << path;
}
