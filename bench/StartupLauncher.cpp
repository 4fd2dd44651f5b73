// Times what a user waits for: from process start until the program's window
// is visible and painted (the program waits for input), or (for the menu)
// until its built list holds every row, over several rounds,
// best and median. Also times the floor of the menu's design: every plug-in
// of a folder loaded, asked for its record twice and freed, twice over.
//
//   startup_launcher window <title> <rounds> <rows> [--fresh-order] [--last-use ID] <program>
//   startup_launcher floor <rounds> <AppInfo folder>
//
// Prints "best median" in milliseconds.
#include "framework/Handle.h"
#include "sdk/LumbraPlugin.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {
const char kProgramKey[] = "SOFTWARE\\Orva Corporation\\Orva Dereze\\1.0";

double NowMs()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void PrintBestAndMedian(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    std::printf("%.1f %.1f\n", times.front(), times[times.size() / 2]);
}

struct Search {
    const char* title;
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    char text[64] = {};
    if (pid != search->processId || !::IsWindowVisible(hwnd) || !::GetWindowTextA(hwnd, text, sizeof text) ||
        std::strcmp(text, search->title) != 0)
        return TRUE;
    search->found = hwnd;
    return FALSE;
}

// The rows of the menu's list once it is built (while it is built, the list
// is named by the build's progress), else -1.
int ListRows(HWND window)
{
    HWND player = ::FindWindowExA(window, nullptr, "LumbraMenuPlayer", nullptr);
    HWND list = player ? ::GetDlgItem(player, 10) : nullptr;
    char name[64] = {};
    if (!list || !::GetWindowTextA(list, name, sizeof name) || std::strcmp(name, "Applications") != 0)
        return -1;
    return static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
}

void SetLastUse(const char* id)
{
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, kProgramKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    fw::UniqueRegKey owner(key);
    if (id)
        ::RegSetValueExA(key, "LastUse", 0, REG_SZ, reinterpret_cast<const BYTE*>(id), static_cast<DWORD>(strlen(id)));
    else
        for (const char* value : {"Sort", "NoUse", "LastUse"})
            ::RegDeleteValueA(key, value);
}

// Each start is ended as soon as it is timed, often while the menu is still
// asking its plug-ins: the next start must not take that for a plug-in that
// froze the menu.
void ForgetEndedCall()
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kProgramKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    fw::UniqueRegKey owner(key);
    for (const char* value : {"PluginCall", "SetAside"})
        ::RegDeleteValueA(key, value);
}

// One start: milliseconds until the window shows `rows` rows of a built
// menu (when rows is negative: until it shows at all), or a negative number
// when it never does.
double TimeOneStart(const char* title, int rows, const std::string& commandLine)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ForgetEndedCall();
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    double start = NowMs();
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    fw::UniqueKernelHandle processHandle(process.hProcess);
    fw::UniqueKernelHandle threadHandle(process.hThread);
    double elapsed = -1;
    while (NowMs() - start < 120000) {
        Search search{title, process.dwProcessId, nullptr};
        ::EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found && rows < 0) {
            // Shown is not yet painted: the window has painted once it
            // answers (a menu answers between its plug-ins, after its first
            // paint).
            DWORD_PTR answer = 0;
            ::SendMessageTimeoutA(search.found, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer);
            elapsed = NowMs() - start;
            break;
        }
        if (search.found && ListRows(search.found) == rows) {
            // Wait until the program has drawn everything and waits for input.
            ::WaitForInputIdle(process.hProcess, 10000);
            elapsed = NowMs() - start;
            break;
        }
        if (::WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0)
            break;
        ::Sleep(1);
    }
    ::TerminateProcess(process.hProcess, 0);
    ::WaitForSingleObject(process.hProcess, 10000);
    return elapsed;
}

int TimeWindow(int argc, char** argv)
{
    const char* title = argv[2];
    int rounds = std::atoi(argv[3]);
    int rows = std::atoi(argv[4]);
    bool freshOrder = false;
    const char* lastUse = nullptr;
    int next = 5;
    for (; next < argc && argv[next][0] == '-'; ++next) {
        if (std::strcmp(argv[next], "--fresh-order") == 0)
            freshOrder = true;
        else if (std::strcmp(argv[next], "--last-use") == 0 && next + 1 < argc)
            lastUse = argv[++next];
    }
    std::string commandLine;
    for (int i = next; i < argc; ++i)
        commandLine += std::string(i > next ? " \"" : "\"") + argv[i] + "\"";
    if (lastUse) {
        // A start before the timed ones stores the order: nothing is new then.
        TimeOneStart(title, rows, commandLine);
        SetLastUse(lastUse);
    }
    std::vector<double> times;
    for (int r = 0; r < rounds; ++r) {
        if (freshOrder)
            SetLastUse(nullptr);
        double ms = TimeOneStart(title, rows, commandLine);
        if (ms < 0) {
            std::fprintf(stderr, "%s never showed %d rows\n", commandLine.c_str(), rows);
            return 1;
        }
        times.push_back(ms);
    }
    PrintBestAndMedian(times);
    return 0;
}

int TimeFloor(char** argv)
{
    int rounds = std::atoi(argv[2]);
    std::string folder = argv[3];
    if (folder.back() != '\\')
        folder += '\\';
    std::vector<std::string> paths;
    WIN32_FIND_DATAA data;
    fw::UniqueFind find(::FindFirstFileA((folder + "*.dll").c_str(), &data));
    if (find)
        do
            paths.push_back(folder + data.cFileName);
        while (::FindNextFileA(find.get(), &data));
    std::vector<double> times;
    std::vector<char> record(LUMBRA_APPENTRY_SIZE);
    for (int r = 0; r < rounds; ++r) {
        double start = NowMs();
        for (int pass = 0; pass < 2; ++pass)
            for (const std::string& path : paths) {
                fw::UniqueLibrary library(::LoadLibraryA(path.c_str()));
                auto getInfo = reinterpret_cast<LumbraGetInfoProc>(
                    reinterpret_cast<void (*)()>(::GetProcAddress(library.get(), "GetInfo")));
                if (getInfo && getInfo(0, nullptr) > 0)
                    getInfo(0, reinterpret_cast<AppEntry*>(record.data()));
            }
        times.push_back(NowMs() - start);
    }
    PrintBestAndMedian(times);
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc >= 6 && std::strcmp(argv[1], "window") == 0)
        return TimeWindow(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "floor") == 0)
        return TimeFloor(argv);
    std::fprintf(stderr, "usage: startup_launcher window <title> <rounds> <rows> [--fresh-order] "
                         "[--last-use ID] <program>\n       startup_launcher floor <rounds> <folder>\n");
    return 2;
}
