// Starting applications for the main window, without a window of its own:
// the movie's "EXEC" (with its repeat guard and "LastUse"), the import
// folder handed to every visible plug-in after the import application ended,
// and the suite's copy tool. Every call into their libraries goes through
// CPluginHost.
#pragma once

#include "catalog/AppCatalog.h"

#include <windows.h>

#include <string>

class CAppLauncher {
public:
    // execWait: milliseconds before the entry started last may start again.
    explicit CAppLauncher(DWORD execWait) : m_dwExecWait(execWait) {}

    // Starts an entry of the catalog through its plug-in's Exec, unless it
    // repeats the last attempt within the guard interval; a failure code is
    // shown in a box owned by the menu.
    void Launch(const std::string& entryId, const CAppCatalog* catalog, HWND menu);
    // After the import application ended: reads the folder it left and
    // hands it to every visible plug-in's Prepare.
    void PrepareEntries(const CAppCatalog* catalog, HWND menu);
    void RunCopyTool();

    const std::string& NewFolder() const { return m_strNewFolder; }

private:
    std::string m_strLastDll;
    DWORD m_dwLastLaunchTick = 0;
    DWORD m_dwExecWait;
    std::string m_strNewFolder;
};
