/* Plug-in kit of the Imagora Menu.

   Every suite application installs one plug-in library into the suite's
   shared "AppInfo" folder (Program Files\Orva Corporation\Nembo Dereze\
   AppInfo\) and its menu graphics into the "MenuSwf" folder beside it. The
   menu finds every "*.dll" there and talks to it through plain C exports:

     GetInfo(0, NULL)    returns the size of the record to allocate (1200);
                         0 or less means "no menu entry".
     GetInfo(0, record)  fills the zero-filled record, whose cbSize holds
                         1200; returns 0 or more, or a negative error code
                         (the menu then warns the user with that code).
     Exec(menu, folder)  starts the application; 0 means started, anything
                         else is an error code shown to the user.
     Prepare(menu, folder) (optional) hands over a folder just filled by the
                         suite's import application.

   The library is loaded for one call and freed right after it, so an export
   must not leave work running inside the library: start a process instead.
   Texts are zero-terminated in the system's ANSI code page. A name may hold
   "[CR]" (line break) and a leading "[SMALL]" (smaller text). A record is
   shown only when signature is "OP", version is 1, listed is 1, and no text
   is longer than its field allows. The file name of the library is the
   entry's id: keep it stable, the user's order and choices refer to it.

   Build it as a DLL exporting GetInfo and Exec (and Prepare if you need it)
   without name decoration, for example with a .def file or as below. */
#ifndef LUMBRA_PLUGIN_H
#define LUMBRA_PLUGIN_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define LUMBRA_APPENTRY_SIZE 1200
#define LUMBRA_APPENTRY_VERSION 1
#define LUMBRA_SIGNATURE "OP"

#pragma pack(push, 1)
typedef struct AppEntry {
    uint32_t cbSize;   /* set to 1200 by the menu */
    char signature[3]; /* "OP" and its zero */
    uint8_t version;   /* 1 */
    char infoText1[100];
    char infoText2[100];
    char infoText3[100];
    uint32_t reserved1;
    int32_t listed; /* 1: offered in the menu */
    char name[100]; /* display name, at most 100 characters */
    char infoText4[100];
    char execButton[100]; /* label of the start button */
    char infoSwf[260];    /* information file, relative to MenuSwf */
    char icon[260];       /* icon file, relative to MenuSwf */
    char reserved2[64];
} AppEntry;
#pragma pack(pop)

#ifdef __cplusplus
#define LUMBRA_STATIC_ASSERT static_assert
#else
#define LUMBRA_STATIC_ASSERT _Static_assert
#endif
LUMBRA_STATIC_ASSERT(sizeof(AppEntry) == LUMBRA_APPENTRY_SIZE, "AppEntry is 1200 bytes");
LUMBRA_STATIC_ASSERT(offsetof(AppEntry, signature) == 4, "signature");
LUMBRA_STATIC_ASSERT(offsetof(AppEntry, version) == 7, "version");
LUMBRA_STATIC_ASSERT(offsetof(AppEntry, infoText1) == 8, "infoText1");
LUMBRA_STATIC_ASSERT(offsetof(AppEntry, infoText2) == 108, "infoText2");
LUMBRA_STATIC_ASSERT(offsetof(AppEntry, infoText3) == 208, "infoText3");
LUMBRA_STATIC_ASSERT(offsetof(AppEntry, reserved1) == 308, "reserved1");
LUMBRA_STATIC_ASSERT(offsetof(AppEntry, listed) == 312, "listed");
LUMBRA_STATIC_ASSERT(offsetof(AppEntry, name) == 316, "name");
LUMBRA_STATIC_ASSERT(offsetof(AppEntry, infoText4) == 416, "infoText4");
LUMBRA_STATIC_ASSERT(offsetof(AppEntry, execButton) == 516, "execButton");
LUMBRA_STATIC_ASSERT(offsetof(AppEntry, infoSwf) == 616, "infoSwf");
LUMBRA_STATIC_ASSERT(offsetof(AppEntry, icon) == 876, "icon");
LUMBRA_STATIC_ASSERT(offsetof(AppEntry, reserved2) == 1136, "reserved2");

/* Every export is __cdecl, the caller removing the arguments, whatever the
   compiler's default (MSVC's /Gz makes it __stdcall): the 32-bit menu calls
   them so, and a mismatch corrupts its stack. Compilers for other systems
   have no such keyword. */
#if !defined(_WIN32) && !defined(__cdecl)
#define __cdecl
#endif

/* The window argument is the menu's window handle (an HWND). */
typedef int32_t(__cdecl* LumbraGetInfoProc)(int32_t reserved, AppEntry* record);
typedef int32_t(__cdecl* LumbraExecProc)(void* menuWindow, const char* newFolder);
typedef void(__cdecl* LumbraPrepareProc)(void* menuWindow, const char* newFolder);
/* The copy tool's library "OrvaExIt.Dll" exports Exec with one argument. */
typedef void(__cdecl* LumbraCopyToolExecProc)(intptr_t reserved);

#if defined(_WIN32) && defined(LUMBRA_BUILDING_PLUGIN)
#define LUMBRA_PLUGIN_EXPORT __declspec(dllexport)
#else
#define LUMBRA_PLUGIN_EXPORT
#endif

/* A plug-in's own definitions are checked against these declarations, so
   one written with another calling convention does not compile. */
#ifdef LUMBRA_BUILDING_PLUGIN
LUMBRA_PLUGIN_EXPORT int32_t __cdecl GetInfo(int32_t reserved, AppEntry* record);
LUMBRA_PLUGIN_EXPORT int32_t __cdecl Exec(void* menuWindow, const char* newFolder);
LUMBRA_PLUGIN_EXPORT void __cdecl Prepare(void* menuWindow, const char* newFolder);
#endif

#ifdef __cplusplus
}
#endif

#endif
