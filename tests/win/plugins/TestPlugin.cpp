// The test plug-in: one library that the tests copy under many file names,
// each name a case of its record (below); any other name gives a valid
// record named after the file. Exec and Prepare append a line to the file
// named by LUMBRA_TEST_LOG, so tests see what the menu called.
#define LUMBRA_BUILDING_PLUGIN
#include "sdk/LumbraPlugin.h"
#include "tests/win/fixtures/TestIds.h"

#include <windows.h>
#include <shlwapi.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {
std::string OwnPath()
{
    HMODULE self = nullptr;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCSTR>(&OwnPath), &self);
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(self, path, MAX_PATH);
    return path;
}

// After the last separator that is no second byte of a two-byte character.
std::string OwnFileName()
{
    return ::PathFindFileNameA(OwnPath().c_str());
}

// Reentrant calls back into the menu (WM_TEST_PLUGIN_CALL) before it reads
// what it was given, as a plug-in that pumps messages may.
void Log(void* menu, const char* what, const char* text)
{
    if (OwnFileName() == "Reentrant.dll")
        ::SendMessageA(static_cast<HWND>(menu), WM_TEST_PLUGIN_CALL, 0, 0);
    char path[MAX_PATH] = {};
    if (!::GetEnvironmentVariableA("LUMBRA_TEST_LOG", path, MAX_PATH))
        return;
    if (FILE* out = std::fopen(path, "a")) {
        std::fprintf(out, "%s %s [%s]\n", what, OwnFileName().c_str(), text ? text : "(null)");
        std::fclose(out);
    }
}

// Whether this library was asked for its record before: a marker file
// beside it remembers.
bool SeenBefore()
{
    HANDLE marker = ::CreateFileA((OwnPath() + ".seen").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    return marker == INVALID_HANDLE_VALUE || (::CloseHandle(marker), false);
}

void Fill(AppEntry& r, const std::string& stem)
{
    std::memcpy(r.signature, stem == "BadSignature" ? "OQ" : "OP", 3);
    std::snprintf(r.name, sizeof r.name, "%s",
                  stem == "Second"    ? "Second[CR]Entry"
                  : stem == "Third"   ? "[SMALL]Third"
                  : stem == "Special" ? "Say \"<Cheese>\" & smile"
                                      : stem.c_str());
    std::strcpy(r.execButton, "Start");
    std::strcpy(r.infoSwf, "info.swf");
    std::strcpy(r.icon, "icon.png");
    r.version = stem == "Version2" ? 2 : 1;
    r.listed = stem == "Listed0" ? 0 : 1;
    if (stem == "Name100" || stem == "Name100Info4")
        std::memset(r.name, 'N', 100); // its zero is infoText4's first byte
    if (stem == "Name100Info4")
        std::strcpy(r.infoText4, "more");
    if (stem == "Icon261" || stem == "Unterminated") // no zero before the end of the record for the latter
        std::memset(r.icon, 'i', stem == "Icon261" ? sizeof r.icon + 1 : sizeof r.icon + sizeof r.reserved2);
}
} // namespace

// SizeEcho and SmallSize (which asks for 600 bytes) name themselves after the
// cbSize they were given; Size0 and Huge ask for no or too large a record;
// OnceOnly offers its record to the first load only.
extern "C" LUMBRA_PLUGIN_EXPORT int32_t __cdecl GetInfo(int32_t, AppEntry* record)
{
    const std::string name = OwnFileName();
    if (!record)
        return name == "Size0.dll" || (name == "OnceOnly.dll" && SeenBefore()) ? 0
               : name == "Huge.dll"                                            ? 2 * 1024 * 1024
               : name == "SmallSize.dll"                                       ? 600
                                                                               : 1200;
    if (name == "Negative.dll")
        return -7;
    const uint32_t given = record->cbSize;
    Fill(*record, name.substr(0, name.rfind('.')));
    if (name == "SizeEcho.dll" || name == "SmallSize.dll")
        std::snprintf(record->name, sizeof record->name, "cbSize %u", static_cast<unsigned>(given));
    return 0;
}

extern "C" LUMBRA_PLUGIN_EXPORT int32_t __cdecl Exec(void* menu, const char* newFolder)
{
    Log(menu, "exec", newFolder);
    return OwnFileName() == "ExecFails.dll" ? -5 : 0;
}

extern "C" LUMBRA_PLUGIN_EXPORT void __cdecl Prepare(void* menu, const char* newFolder)
{
    Log(menu, "prepare", newFolder);
}
