// A sample suite plug-in, built once per sample application with its texts
// and program given as definitions (see CMakeLists.txt). Exec starts the
// application as a process of its own, so nothing keeps running inside this
// library after the menu frees it.
#define LUMBRA_BUILDING_PLUGIN
#include "sdk/LumbraPlugin.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace {
void CopyText(char* field, size_t size, const char* text)
{
    std::strncpy(field, text, size - 1);
    field[size - 1] = '\0';
}
} // namespace

extern "C" LUMBRA_PLUGIN_EXPORT int32_t __cdecl GetInfo(int32_t, AppEntry* record)
{
    if (!record)
        return sizeof(AppEntry);
    std::memcpy(record->signature, LUMBRA_SIGNATURE, 3);
    record->version = LUMBRA_APPENTRY_VERSION;
    record->listed = 1;
    CopyText(record->name, sizeof record->name, SAMPLE_NAME);
    CopyText(record->execButton, sizeof record->execButton, SAMPLE_BUTTON);
    CopyText(record->infoSwf, sizeof record->infoSwf, SAMPLE_INFO);
    CopyText(record->icon, sizeof record->icon, SAMPLE_ICON);
    CopyText(record->infoText1, sizeof record->infoText1, SAMPLE_DESCRIPTION);
    return 0;
}

// Starts the sample's program; with a folder from the import application it
// is handed over as the program's argument. Returns the system's error code
// when the program cannot be started.
extern "C" LUMBRA_PLUGIN_EXPORT int32_t __cdecl Exec(void*, const char* newFolder)
{
    std::string command = SAMPLE_PROGRAM;
    if (newFolder && *newFolder)
        command += std::string(" \"") + newFolder + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return static_cast<int32_t>(::GetLastError());
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return 0;
}
