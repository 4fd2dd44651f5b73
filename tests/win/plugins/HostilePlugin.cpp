// A plug-in that misbehaves the way another team's code may: the tests copy
// it under the name of what it does. Otherwise it offers a valid record named
// "Hostile <its file name without .dll>", and Exec and Prepare note what they
// were asked in the file named by LUMBRA_TEST_LOG.
//   CrashInGetInfo, ExitInGetInfo, HangInGetInfo: in its record's call
//   OverrunInGetInfo: writes 4 KB past the record it was given
//   CrashInDllMain: when it is loaded
//   CrashInExec: when it is started
//   JournalProbe: notes the menu's call journal as GetInfo and Exec see it,
//     and whether the memory right after its record can be touched
//   Pumping: from inside its second record call in a process (the menu's
//     document, when its list shows every entry) and its first Exec, clicks the built-in player's settings, start and
//     copy buttons and posts the import's end and "minimise" to the menu, then handles messages itself for a while, as
//     a plug-in's dialog would
#define LUMBRA_BUILDING_PLUGIN
#include "player/NativeMenuPlayer.h"
#include "sdk/LumbraPlugin.h"

#include <windows.h>
#include <shlwapi.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {
HMODULE g_self = nullptr;

std::string OwnStem()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(g_self, path, MAX_PATH);
    std::string name = ::PathFindFileNameA(path);
    return name.substr(0, name.rfind('.'));
}

void Log(const std::string& line)
{
    char path[MAX_PATH] = {};
    if (!::GetEnvironmentVariableA("LUMBRA_TEST_LOG", path, MAX_PATH))
        return;
    if (FILE* out = std::fopen(path, "a")) {
        std::fprintf(out, "%s\n", line.c_str());
        std::fclose(out);
    }
}

void Crash()
{
    *static_cast<volatile int*>(nullptr) = 1;
}

std::string JournalNow()
{
    char text[2048] = {};
    DWORD size = sizeof text - 1;
    ::RegGetValueA(HKEY_CURRENT_USER, "SOFTWARE\\Orva Corporation\\Orva Dereze\\1.0", "PluginCall", RRF_RT_REG_SZ,
                   nullptr, text, &size);
    return text;
}

// How often this process asked `what` of the library so far, this time
// included: marker files named after the process count across loads of the
// library, each kept open (and so existing) until the process ends.
int TimesInProcess(const char* what)
{
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    for (int times = 1;; ++times) {
        std::string marker = std::string(temp) + "pumping_" + what + std::to_string(times) + "_" +
                             std::to_string(::GetCurrentProcessId());
        if (::CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE, nullptr) !=
            INVALID_HANDLE_VALUE)
            return times;
    }
}

void PumpCommandsIntoTheMenu(const char* what, int when)
{
    HWND menu = ::FindWindowA(nullptr, "Imagora Menu");
    HWND player = ::FindWindowExA(menu, nullptr, "LumbraMenuPlayer", nullptr);
    if (!player || TimesInProcess(what) != when)
        return;
    for (UINT id : {CNativeMenuPlayer::kSettingsId, CNativeMenuPlayer::kStartId, CNativeMenuPlayer::kCopyId})
        ::PostMessageA(::GetDlgItem(player, id), BM_CLICK, 0, 0);
    for (const char* message : {"Fotopass End.", "Orva Dereze Show Icon"})
        ::PostMessageA(menu, ::RegisterWindowMessageA(message), 0, 0);
    Log(std::string("pumping in ") + what);
    for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < 300;) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(10);
    }
}
} // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_self = instance;
        if (OwnStem() == "CrashInDllMain")
            Crash();
    }
    return TRUE;
}

extern "C" LUMBRA_PLUGIN_EXPORT int32_t __cdecl GetInfo(int32_t, AppEntry* record)
{
    const std::string stem = OwnStem();
    if (!record)
        return LUMBRA_APPENTRY_SIZE;
    if (stem == "CrashInGetInfo")
        Crash();
    if (stem == "ExitInGetInfo")
        ::ExitProcess(3);
    if (stem == "HangInGetInfo")
        for (;;)
            ::Sleep(1000);
    if (stem == "OverrunInGetInfo")
        std::memset(reinterpret_cast<char*>(record) + LUMBRA_APPENTRY_SIZE, 'x', 4096);
    if (stem == "JournalProbe") {
        MEMORY_BASIC_INFORMATION after{};
        ::VirtualQuery(reinterpret_cast<char*>(record) + LUMBRA_APPENTRY_SIZE, &after, sizeof after);
        const bool fenced = after.State != MEM_COMMIT || after.Protect == PAGE_NOACCESS;
        Log("getinfo sees " + JournalNow() + (fenced ? " | fenced" : " | open"));
    }
    if (stem == "Pumping")
        PumpCommandsIntoTheMenu("GetInfo", 2);
    std::memcpy(record->signature, "OP", 3);
    record->version = 1;
    record->listed = 1;
    std::snprintf(record->name, sizeof record->name, "Hostile %s", stem.c_str());
    std::strcpy(record->execButton, "Start");
    return 0;
}

extern "C" LUMBRA_PLUGIN_EXPORT int32_t __cdecl Exec(void*, const char* newFolder)
{
    const std::string stem = OwnStem();
    if (stem == "CrashInExec")
        Crash();
    if (stem == "JournalProbe")
        Log("exec sees " + JournalNow());
    if (stem == "Pumping")
        PumpCommandsIntoTheMenu("Exec", 1);
    Log("exec " + stem + ".dll [" + (newFolder ? newFolder : "(null)") + "]");
    return 0;
}

extern "C" LUMBRA_PLUGIN_EXPORT void __cdecl Prepare(void*, const char* newFolder)
{
    Log("prepare " + OwnStem() + ".dll [" + (newFolder ? newFolder : "(null)") + "]");
}
