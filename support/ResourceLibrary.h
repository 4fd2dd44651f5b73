// The resource library "Lumbra.dll": every text the menu shows and every skin
// bitmap, by numeric id, plus the error boxes built on those texts. One
// instance per process, owned by start-up and reached through
// g_pResourceLibrary; it outlives every window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

class CResourceLibrary {
public:
    CResourceLibrary() = default;
    ~CResourceLibrary();
    CResourceLibrary(const CResourceLibrary&) = delete;
    CResourceLibrary& operator=(const CResourceLibrary&) = delete;

    // Loads by bare file name so the program's own folder is searched first.
    // On failure shows the fixed "required file" box and returns false.
    bool Load(const char* fileName);
    void Free();
    HMODULE GetHandle() const { return m_hModule; }

    // At most 1023 characters; empty when not loaded or the id is missing.
    std::string LoadText(UINT id) const;

    bool ShowError(UINT id) const { return ShowError(nullptr, id); }
    bool ShowError(HWND owner, UINT id) const;
    bool ShowErrorFormat(HWND owner, UINT id, std::int32_t value) const;

private:
    HMODULE m_hModule = nullptr;
};

extern CResourceLibrary* g_pResourceLibrary;

// The text shown when the resource library cannot be loaded.
extern const char kMissingLibraryText[];

// Text ids of the resource library.
enum : UINT {
    IDS_SETTINGS_HEADING = 1,
    IDS_SETTINGS_AUTOSTART = 2,
    IDS_SETTINGS_XPWIZARD = 3,
    IDS_SETTINGS_UP = 4,
    IDS_SETTINGS_DOWN = 5,
    IDS_SETTINGS_OK = 6,
    IDS_SETTINGS_CANCEL = 7,
    IDS_SETTINGS_VERSION = 8,
    IDS_ABOUT_VERSION_LABEL = 9,
    IDS_ABOUT_OK = 10,
    IDS_BACK_IMPORT = 20,
    IDS_BACK_SETTINGS = 21,
    IDS_PLAYER_SETTINGS = 30,
    IDS_PLAYER_COPY = 31,
    IDS_PLAYER_EMPTY = 32,
    IDS_PLAYER_UNREADABLE = 33,
    IDS_EXEC_FAILED = 81,
    IDS_AUTOPLAY_DENIED = 82,
    IDS_FLASH_TOO_OLD = 84,
    IDS_PLUGIN_ERROR = 85,
};
