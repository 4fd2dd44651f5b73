// The real Lumbra.exe with a suite of 150 applications, as a large
// installation has them: every entry shows, quickly and in bounded memory, at
// the first start and again at a second start when nothing is new.
#include "MenuFixture.h"
#include "support/Registry.h"

#include <psapi.h>

using namespace e2e;

namespace {
const int kEntries = 150;

// Differently named copies of one plug-in that takes its display name from
// its file name: short and 100-character names, markup characters.
std::vector<std::string> InstallManyPlugins(const std::string& appInfo)
{
    std::string plugin = BuildFolder("tests/win/plugins/dlls") + "Named.dll";
    std::vector<std::string> names;
    for (int i = 0; i < kEntries; ++i) {
        std::string number = std::to_string(1000 + i);
        std::string name = i % 3 == 0   ? "App " + number
                           : i % 3 == 1 ? "Photo & Print [CR]Studio " + number
                                        : std::string(96, 'L') + number;
        EXPECT_TRUE(CopyInto(plugin, appInfo + name + ".dll")) << name;
        names.push_back(name);
    }
    return names;
}

class MenuAtScale : public MenuFixture {
protected:
    static void SetUpTestSuite() { RegisterStandIn(false); }

    // Rows of the built-in player once the menu window is up, or -1.
    int RowsWithin(DWORD timeoutMs)
    {
        HWND window = StartMenu();
        if (!window)
            return -1;
        HWND list = ::GetDlgItem(::FindWindowExA(window, nullptr, "LumbraMenuPlayer", nullptr), 10);
        int rows = -1;
        Eventually([&] { return (rows = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0))) == kEntries; },
                   timeoutMs);
        return rows;
    }
    SIZE_T PeakMemory() const
    {
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof counters;
        ::GetProcessMemoryInfo(m_menu.Handle(), &counters, sizeof counters);
        return counters.PeakPagefileUsage > counters.PeakWorkingSetSize ? counters.PeakPagefileUsage
                                                                        : counters.PeakWorkingSetSize;
    }
};
} // namespace

TEST_F(MenuAtScale, ShowsEveryEntryAtTheFirstAndASecondStart)
{
    std::vector<std::string> names = InstallManyPlugins(m_suite + "AppInfo\\");
    for (const char* start : {"first", "second"}) {
        DWORD begun = ::GetTickCount();
        EXPECT_EQ(RowsWithin(10000), kEntries) << start;
        EXPECT_LT(::GetTickCount() - begun, 10000u) << start;
        EXPECT_LT(PeakMemory(), 200u * 1024 * 1024) << start;
        m_menu.Kill();
    }
    // The second start found nothing new: every entry stored, none focused.
    std::string sort = RegReadString(HKEY_CURRENT_USER, "SOFTWARE\\Orva Corporation\\Orva Dereze\\1.0", "Sort", "");
    for (const std::string& name : names)
        EXPECT_NE(sort.find(name + ".dll/"), std::string::npos) << name;
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    std::ifstream in(std::string(temp) + "PortalApp.xml", std::ios::binary);
    std::string document((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(document.find("focus="), std::string::npos);
    EXPECT_NE(document.find(std::string(96, 'L') + "1149"), std::string::npos);
}
