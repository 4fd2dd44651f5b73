// A plug-in with a crafted record, built once per case (PLUGIN_CASE). Exec
// and Prepare append one line to the file named by LUMBRA_TEST_LOG, so tests
// can see what the menu called.
#define LUMBRA_BUILDING_PLUGIN
#include "sdk/LumbraPlugin.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#define CASE_VALID 1
#define CASE_VERSION2 2
#define CASE_LISTED0 3
#define CASE_BAD_SIGNATURE 4
#define CASE_NAME100 5
#define CASE_NAME100_INFO4 6
#define CASE_ICON261 7
#define CASE_NEGATIVE 8
#define CASE_SIZE0 9
#define CASE_SMALL_SIZE 10
#define CASE_NO_EXPORT 11
#define CASE_HUGE 12
#define CASE_UNTERMINATED 13
#define CASE_EXEC_FAILS 14
#define CASE_SPECIAL_NAME 15
#define CASE_NAMED_BY_FILE 16
#define CASE_ONCE_ONLY 17

namespace {
// This library's own file name.
void OwnFileName(char* name, std::size_t size);

void Log(const char* what, const char* text)
{
    char path[MAX_PATH] = {};
    if (!::GetEnvironmentVariableA("LUMBRA_TEST_LOG", path, MAX_PATH))
        return;
    char name[MAX_PATH] = {};
    OwnFileName(name, sizeof name);
    if (FILE* out = std::fopen(path, "a")) {
        std::fprintf(out, "%s %s [%s]\n", what, name, text ? text : "(null)");
        std::fclose(out);
    }
}

void OwnFileName(char* name, std::size_t size)
{
    char self[MAX_PATH] = {};
    HMODULE module = nullptr;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCSTR>(&Log), &module);
    ::GetModuleFileNameA(module, self, MAX_PATH);
    const char* base = std::strrchr(self, '\\');
    lstrcpynA(name, base ? base + 1 : self, static_cast<int>(size));
}
} // namespace

#if PLUGIN_CASE != CASE_NO_EXPORT
extern "C" LUMBRA_PLUGIN_EXPORT int32_t GetInfo(int32_t, AppEntry* record)
{
#if PLUGIN_CASE == CASE_ONCE_ONLY
    // Offers its entry to the first load only: a marker beside the library
    // remembers that it did.
    char marker[MAX_PATH + 8] = {};
    ::GetModuleFileNameA(::GetModuleHandleA("OnceOnly.dll"), marker, MAX_PATH);
    std::strcat(marker, ".seen");
    if (!record)
        return ::GetFileAttributesA(marker) == INVALID_FILE_ATTRIBUTES ? LUMBRA_APPENTRY_SIZE : 0;
    if (FILE* seen = std::fopen(marker, "w"))
        std::fclose(seen);
#endif
#if PLUGIN_CASE == CASE_SIZE0
    return 0;
#elif PLUGIN_CASE == CASE_HUGE
    if (!record)
        return 2 * 1024 * 1024;
#elif PLUGIN_CASE == CASE_SMALL_SIZE
    if (!record)
        return 600;
#else
    if (!record)
        return LUMBRA_APPENTRY_SIZE;
#endif
#if PLUGIN_CASE == CASE_NEGATIVE
    return -7;
#endif
    std::memcpy(record->signature, "OP", 3);
    record->version = 1;
    record->listed = 1;
    std::strcpy(record->name, PLUGIN_NAME);
    std::strcpy(record->execButton, "Start");
    std::strcpy(record->infoSwf, "info.swf");
    std::strcpy(record->icon, "icon.png");
#if PLUGIN_CASE == CASE_VERSION2
    record->version = 2;
#elif PLUGIN_CASE == CASE_LISTED0
    record->listed = 0;
#elif PLUGIN_CASE == CASE_BAD_SIGNATURE
    std::memcpy(record->signature, "OQ", 3);
#elif PLUGIN_CASE == CASE_NAME100 || PLUGIN_CASE == CASE_NAME100_INFO4
    std::memset(record->name, 'N', 100); // its zero is infoText4's first byte
#if PLUGIN_CASE == CASE_NAME100_INFO4
    std::strcpy(record->infoText4, "more");
#endif
#elif PLUGIN_CASE == CASE_ICON261
    std::memset(record->icon, 'i', 260);
    record->reserved2[0] = 'x';
#elif PLUGIN_CASE == CASE_UNTERMINATED
    std::memset(record->icon, 'u', sizeof record->icon + sizeof record->reserved2);
#elif PLUGIN_CASE == CASE_NAMED_BY_FILE
    // One build, any number of differently named entries: the name is the
    // file name without ".dll", cut to the field's 100 characters.
    char file[MAX_PATH] = {};
    OwnFileName(file, sizeof file);
    if (char* dot = std::strrchr(file, '.'))
        *dot = '\0';
    lstrcpynA(record->name, file, 101);
#elif PLUGIN_CASE == CASE_SPECIAL_NAME
    std::strcpy(record->name, "Say \"<Cheese>\" & smile");
    std::strcpy(record->execButton, "Go & see");
#endif
    return 0;
}
#endif

extern "C" LUMBRA_PLUGIN_EXPORT int32_t Exec(void*, const char* newFolder)
{
    Log("exec", newFolder);
#if PLUGIN_CASE == CASE_EXEC_FAILS
    return -5;
#else
    return 0;
#endif
}

extern "C" LUMBRA_PLUGIN_EXPORT void Prepare(void*, const char* newFolder)
{
    Log("prepare", newFolder);
}
