// The resource library "Lumbra.dll": every text the menu shows and every skin
// bitmap, by numeric id, plus the error boxes built on those texts. One
// instance per process, owned by start-up and reached through
// g_pResourceLibrary; it outlives every window.
#pragma once

#include "framework/Handle.h"
#include "resources/LumbraIds.h"

#include <windows.h>

#include <cstdint>
#include <string>

class CResourceLibrary {
public:
    // Loads by bare file name so the program's own folder is searched first.
    // On failure shows the fixed "required file" box and returns false.
    bool Load(const char* fileName);
    void Free();
    HMODULE GetHandle() const { return m_hModule.get(); }

    // At most 1023 characters; empty when not loaded or the id is missing.
    std::string LoadText(UINT id) const;

    bool ShowError(UINT id) const { return ShowError(nullptr, id); }
    bool ShowError(HWND owner, UINT id) const;
    bool ShowErrorFormat(HWND owner, UINT id, std::int32_t value) const;

private:
    fw::UniqueLibrary m_hModule;
};

extern CResourceLibrary* g_pResourceLibrary;

// A text of the process's resource library, or `fallback` where there is no
// library or the library lacks it (a replacement library of an older build).
std::string LibraryTextOr(UINT id, const char* fallback);

// The text shown when the resource library cannot be loaded.
extern const char kMissingLibraryText[];
