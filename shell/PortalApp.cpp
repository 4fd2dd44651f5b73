#include "PortalApp.h"

#include "PortalDlg.h"
#include "framework/GdiGuards.h"
#include "framework/Handle.h"
#include "player/AxHost.h"
#include "support/Registry.h"
#include "support/ResourceLibrary.h"
#include "ui/ForceForeground.h"

#include <commctrl.h>

#include <cstring>
#include <memory>

namespace {
CPortalApp theApp;

const char kInstanceMutex[] = "LumbraMtx";
} // namespace

bool CPortalApp::InitInstance()
{
    // Plug-ins are loaded by absolute path; no library is ever taken from the
    // current folder. The program's own folder still comes first.
    ::SetDllDirectoryA("");
    // The movie's control lives in the main window's template.
    ax::RegisterAxHostClass();

    auto library = std::make_unique<CResourceLibrary>();
    if (!library->Load("Lumbra.dll"))
        return false;
    g_pResourceLibrary = library.release();

    EnsureProgramKey();

    // Never acquired: its existence alone says that a menu runs. The handle
    // stays open for the whole run.
    fw::UniqueKernelHandle instanceMutex(::CreateMutexA(nullptr, FALSE, kInstanceMutex));
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        HandOverToRunningMenu();
        return true;
    }

    {
        fw::ScopedComInit com;
        CPortalDlg dlg;
        m_pMainWnd = &dlg;
        dlg.DoModal();
        m_pMainWnd = nullptr;
        // The library outlives the last window.
        g_pResourceLibrary->Free();
        delete g_pResourceLibrary;
        g_pResourceLibrary = nullptr;
    }
    return false;
}

void CPortalApp::EnsureProgramKey()
{
    // Only a missing key is created; any other failure is left alone and the
    // readers fall back to their defaults.
    HKEY opened = nullptr;
    LONG result = ::RegOpenKeyExA(HKEY_CURRENT_USER, kProgramKey, 0, KEY_READ, &opened);
    if (result == ERROR_SUCCESS) {
        fw::UniqueRegKey existing(opened);
        return;
    }
    if (result != ERROR_FILE_NOT_FOUND)
        return;
    HKEY created = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, kProgramKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                          &created, nullptr) == ERROR_SUCCESS)
        fw::UniqueRegKey closeAtOnce(created);
}

void CPortalApp::HandOverToRunningMenu()
{
    // "/ICON" anywhere in the line, program path included, exact case.
    if (std::strstr(::GetCommandLineA(), "/ICON"))
        return;
    HWND running = ::FindWindowA(nullptr, kMenuTitle);
    if (!running)
        return;
    ::ShowWindow(running, SW_RESTORE);
    ForceForeground(running);
}
