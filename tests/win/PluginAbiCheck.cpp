// The plug-in calling convention, checked at compile time. It matters in the
// 32-bit build, the shipped one, where __cdecl and __stdcall are different
// types: a stray WINAPI in the kit would pass every 64-bit test (x86-64 has
// one convention) and corrupt the stack of real plug-ins.
#include "sdk/LumbraPlugin.h"

#include <type_traits>

static_assert(std::is_same<LumbraGetInfoProc, int32_t(__cdecl*)(int32_t, AppEntry*)>::value, "GetInfo is __cdecl");
static_assert(std::is_same<LumbraExecProc, int32_t(__cdecl*)(void*, const char*)>::value, "Exec is __cdecl");
static_assert(std::is_same<LumbraPrepareProc, void(__cdecl*)(void*, const char*)>::value, "Prepare is __cdecl");
static_assert(std::is_same<LumbraCopyToolExecProc, void(__cdecl*)(intptr_t)>::value, "copy tool Exec is __cdecl");

#if defined(__i386__) || defined(_M_IX86)
// Proves the checks above can fail: here the conventions are told apart.
static_assert(!std::is_same<LumbraGetInfoProc, int32_t(__stdcall*)(int32_t, AppEntry*)>::value, "GetInfo");
static_assert(!std::is_same<LumbraExecProc, int32_t(__stdcall*)(void*, const char*)>::value, "Exec");
static_assert(!std::is_same<LumbraPrepareProc, void(__stdcall*)(void*, const char*)>::value, "Prepare");
static_assert(!std::is_same<LumbraCopyToolExecProc, void(__stdcall*)(intptr_t)>::value, "copy tool Exec");
static_assert(sizeof(void*) == 4 && sizeof(AppEntry) == LUMBRA_APPENTRY_SIZE, "32-bit record layout");
#endif
